#include "scenemanager/SceneTransition.h"

#include <string>

#include "gameobjectengine/EngineState.h"
#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/InputManager.h"
#include "gameobjectengine/JobManager.h"
#include "graphics/Fader.h"
#include "scenemanager/SceneManager.h"
#include "scenemanager/SceneTable.h"

SceneTransition::SceneTransition(const JsonValue& json)
    : Component(json),
      sceneIndex(json::ReadInt(json, "sceneIndex", 0)),
      spaceToTransit(json::ReadFlag(json, "spaceToTransit", false)) {}

void SceneTransition::Start() {
    // The first transition of an object is the one its faders hand over to.
    if (!owner || owner->GetComponent<SceneTransition>() != this) return;
    owner->components.ForEach([this](Component* c) {
        if (auto* fader = dynamic_cast<Fader*>(c))
            fader->SetHandOver(this, [](Component& self) { static_cast<SceneTransition&>(self).Transit(); });
    });
}

void SceneTransition::Update() {
    if (!spaceToTransit) return;
    const InputManager& input = InputManager::GetInstance();
    if (input.GetKeyDown(InputAction::Back) || input.GetKeyDown(InputAction::Jump) || input.GetKeyDown(InputAction::Enter)) Transit();
}

void SceneTransition::Transit() { LoadSceneByIndex(sceneIndex); }

void SceneTransition::LoadSceneByIndex(int32_t index) {
    const char* path = scenes::PathOf(index);
    if (!path) return;
    EngineState& engine = EngineState::GetInstance();
    // Only a running frame may start a change, and only once: a second request in the
    // same frame would otherwise replace the index of the load that actually runs, and a
    // request during a quit would undo it.
    if (engine.state != EngineState::Run) return;
    SceneManager::GetInstance().currentSceneIndex = static_cast<uint32_t>(index);
    engine.state = EngineState::SceneChange;
    const std::string scenePath = path;
    JobManager::GetInstance().AddJob([scenePath]() { SceneManager::GetInstance().LoadScene(scenePath); },
                                  JobKind::SceneLoad, 0.0f);
    GameFlags::word = 0;
    InputManager::GetInstance().ResetCurrent();
}

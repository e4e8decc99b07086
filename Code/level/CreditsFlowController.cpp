#include "level/CreditsFlowController.h"

#include <string>

#include "gameobjectengine/InputManager.h"
#include "graphics/Fader.h"
#include "graphics/SpriteRenderer.h"
#include "scenemanager/SceneManager.h"
#include "scenemanager/SceneTransition.h"

void CreditsFlowController::Start() {
    SceneManager& scene = SceneManager::GetInstance();
    for (int k = 0; k < kPictures; ++k) {
        GameObject* object = scene.GetGameObjectByName("Fader" + std::to_string(k + 1));
        faders[k] = object ? object->GetComponent<Fader>() : nullptr;
    }
    for (int k = 0; k + 1 < ChainLength(); ++k) faders[k]->nextFader = faders[k + 1];
    current_ = 0;
}

int CreditsFlowController::ChainLength() const {
    int length = 0;
    while (length < kPictures && faders[length].Get()) ++length;
    return length;
}

void CreditsFlowController::Update() {
    const int length = ChainLength();
    // "Begun" is "started": a fade that begins and ends between two looks still counts.
    if (current_ + 1 < length && faders[current_ + 1]->started) ++current_;
    if (!InputManager::GetInstance().GetKeyDown(InputAction::Jump)) return;
    if (current_ + 1 >= length) {
        SceneTransition::LoadSceneByIndex(0);
        return;
    }
    if (GameObject* object = faders[current_]->owner)
        if (auto* picture = object->GetComponent<SpriteRenderer>()) picture->enabled = false;
    faders[current_ + 1]->StartFade();
}

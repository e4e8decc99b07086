#include "EngineHarness.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "animationmanager/AnimationManager.h"
#include "app/GameHooks.h"
#include "dialogue/DialogueManager.h"
#include "gameobjectengine/EngineState.h"
#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/GameRandom.h"
#include "gameobjectengine/InputManager.h"
#include "gameobjectengine/JobManager.h"
#include "gameobjectengine/Time.h"
#include "graphics/GraphicsEngine.h"
#include "physics/PhysicsManager.h"
#include "platform/Clock.h"
#include "platform/Gamepads.h"
#include "platform/MessageBox.h"
#include "platform/VirtualKeys.h"

namespace {

int64_t gFakeNow = 0;
int64_t gFakeStep = 16'666'667;

int64_t FakeClock() {
    gFakeNow += gFakeStep;
    return gFakeNow;
}

}  // namespace

int KeyOfAction(InputAction action) {
    static const int kKeys[InputManager::kActions] = {vk::Right, vk::Left, vk::Up, vk::Down, vk::Space,
                                                      vk::G, vk::F, vk::Q, vk::W, vk::E, vk::R, vk::Tab,
                                                      vk::Escape, vk::Return};
    const int index = static_cast<int>(action);
    return (index >= 0 && index < InputManager::kActions) ? kKeys[index] : -1;
}

void EngineHarness::ResetEngine() {
    SceneManager::GetInstance().DestroyAll();
    JobManager::GetInstance().Clear();
    AnimationManager::GetInstance().Clear();
    Dialogue::DialogueManager::GetInstance().Reset();
    PhysicsManager::GetInstance().Reset();
    GraphicsEngine::GetInstance().particleQueue.clear();
    InputManager::GetInstance().ResetAll();
    GameFlags::word = 0;
    GameRandom::Seed(1);
    SceneManager::GetInstance().currentSceneIndex = 0;
    EngineState::GetInstance().state = EngineState::Unstarted;
    platform::SetGamepadReader(nullptr);
    platform::ShownMessages().clear();
}

EngineHarness::EngineHarness(float frameSeconds) {
    InstallGameHooks();  // the game's hooks, as the game's main installs them
    SetFrameTime(frameSeconds);
    platform::SetClockSource(&FakeClock);
    ResetEngine();
    Time::GetInstance().Update();
    char pattern[] = "/tmp/harrowvale-test-XXXXXX";
    if (const char* dir = mkdtemp(pattern)) tempDir_ = dir;
    setenv("APPDATA", (tempDir_ + "/appdata").c_str(), 1);  // save files stay in the test's own folder
}

EngineHarness::~EngineHarness() {
    ResetEngine();
    platform::SetClockSource(nullptr);
    if (!tempDir_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(tempDir_, ignored);
    }
}

void EngineHarness::SetFrameTime(float seconds) { gFakeStep = static_cast<int64_t>(static_cast<double>(seconds) * 1e9); }

void EngineHarness::LoadSceneFile(const std::string& path) {
    EngineState& engine = EngineState::GetInstance();
    engine.SetNextScene(path);
    engine.state = EngineState::Load;
    engine.Tick();
}

std::string EngineHarness::WriteTempFile(const std::string& text, const std::string& extension) {
    const std::string path = tempDir_ + "/file" + std::to_string(tempCount_++) + extension;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

void EngineHarness::LoadSceneText(const std::string& json) { LoadSceneFile(WriteTempFile(json)); }

void EngineHarness::Step(int frames) {
    for (int i = 0; i < frames; ++i) EngineState::GetInstance().Tick();
}

void EngineHarness::FinishSceneChange() {
    for (int i = 0; i < 4 && EngineState::GetInstance().state == EngineState::SceneChange; ++i)
        EngineState::GetInstance().Tick();
}

void EngineHarness::Press(InputAction action) { InputManager::GetInstance().OnKey(KeyOfAction(action), true); }

void EngineHarness::Release(InputAction action) { InputManager::GetInstance().OnKey(KeyOfAction(action), false); }

void EngineHarness::Tap(InputAction action) {
    Press(action);
    Step();
    Release(action);
}

GameObject* EngineHarness::Find(const std::string& name) const {
    return SceneManager::GetInstance().GetGameObjectByName(name);
}

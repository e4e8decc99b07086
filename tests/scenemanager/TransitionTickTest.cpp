#include <gtest/gtest.h>

#include "EngineHarness.h"
#include "Probe.h"
#include "gameobjectengine/EngineState.h"
#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/InputManager.h"
#include "gameobjectengine/JobManager.h"
#include "gameobjectengine/Time.h"
#include "scenemanager/SceneManager.h"
#include "scenemanager/SceneTable.h"
#include "scenemanager/SceneTransition.h"

namespace {

EngineState& Engine() { return EngineState::GetInstance(); }

TEST(SceneTable, NineteenScenesByIndex) {
    EXPECT_STREQ(scenes::PathOf(0), "Assets/Scenes/MainMenu.scene");
    EXPECT_STREQ(scenes::PathOf(2), "Assets/Scenes/SplashScreen.scene");
    EXPECT_STREQ(scenes::PathOf(9), "Assets/Scenes/FirstTimeMainMenu.scene");
    EXPECT_STREQ(scenes::PathOf(18), "Assets/Scenes/MenuCredits.scene");
    EXPECT_EQ(scenes::PathOf(19), nullptr);
    EXPECT_EQ(scenes::PathOf(-1), nullptr);
}

TEST(Transition, IndexOutsideTableDoesNothing) {
    EngineHarness engine;
    engine.LoadSceneText(R"({"GameObjects": [], "Components": [], "Dialogue": []})");
    SceneTransition::LoadSceneByIndex(19);
    SceneTransition::LoadSceneByIndex(-1);
    EXPECT_EQ(Engine().state, EngineState::Run);
    EXPECT_EQ(JobManager::GetInstance().Count(JobKind::SceneLoad), 0u);
}

TEST(Transition, RequestClearsFlagsAndCountersAndQueuesOneLoad) {
    EngineHarness engine;
    engine.LoadSceneText(R"({"GameObjects": [], "Components": [], "Dialogue": []})");
    GameFlags::word = GameFlags::Paused | GameFlags::GameOver;
    InputManager::GetInstance().current[4] = 1;
    SceneTransition::LoadSceneByIndex(7);
    SceneTransition::LoadSceneByIndex(3);  // second request of the frame: ignored
    EXPECT_EQ(GameFlags::word, 0u);
    EXPECT_EQ(InputManager::GetInstance().current[4], 0);
    EXPECT_EQ(Engine().state, EngineState::SceneChange);
    EXPECT_EQ(SceneManager::GetInstance().currentSceneIndex, 7u);
    EXPECT_EQ(JobManager::GetInstance().Count(JobKind::SceneLoad), 1u);
}

TEST(Transition, RequestDuringQuitIsIgnored) {
    EngineHarness engine;
    engine.LoadSceneText(R"({"GameObjects": [], "Components": [], "Dialogue": []})");
    Engine().state = EngineState::QuitState;
    SceneTransition::LoadSceneByIndex(0);
    EXPECT_EQ(Engine().state, EngineState::QuitState);
    engine.Step();
    EXPECT_EQ(Engine().state, EngineState::Stopped);
}

TEST(Transition, KeyPressTransitsOncePerFrame) {
    EngineHarness engine;
    engine.LoadSceneText(R"({"GameObjects": [["Splash", 1]],
        "Components": [{"class": "SceneTransition", "sceneIndex": 8, "spaceToTransit": 1}], "Dialogue": []})");
    engine.Press(InputAction::Back);
    engine.Press(InputAction::Jump);
    engine.Step();
    EXPECT_EQ(Engine().state, EngineState::SceneChange);
    EXPECT_EQ(SceneManager::GetInstance().currentSceneIndex, 8u);
    EXPECT_EQ(JobManager::GetInstance().Count(JobKind::SceneLoad), 1u);
}

TEST(Transition, WithoutSpaceToTransitKeysDoNothing) {
    EngineHarness engine;
    engine.LoadSceneText(R"({"GameObjects": [["Splash", 1]],
        "Components": [{"class": "SceneTransition", "sceneIndex": 8}], "Dialogue": []})");
    engine.Tap(InputAction::Jump);
    engine.Step();
    EXPECT_EQ(Engine().state, EngineState::Run);
}

TEST(Tick, SceneChangeStateClearsSceneRunsLoadAndResumes) {
    EngineHarness engine;
    engine.LoadSceneText(R"({"GameObjects": [["Old", 1]], "Components": [], "Dialogue": []})");
    int destroyed = 0;
    engine.Find("Old")->AddComponent<Probe>(true)->destroyed = &destroyed;
    const std::string next = engine.WriteTempFile(R"({"GameObjects": [["New", 1]], "Components": [], "Dialogue": []})");
    Engine().state = EngineState::SceneChange;
    JobManager::GetInstance().AddJob([next]() { SceneManager::GetInstance().LoadScene(next); }, JobKind::SceneLoad, 0.0f);
    bool droppedJobRan = false;
    JobManager::GetInstance().AddJob([&droppedJobRan] { droppedJobRan = true; }, JobKind::Frame, 0.0f);  // dropped by the load
    InputManager::GetInstance().OnKey(32, true);
    engine.Step();
    EXPECT_EQ(Engine().state, EngineState::Run);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(engine.Find("Old"), nullptr);
    EXPECT_NE(engine.Find("New"), nullptr);
    EXPECT_EQ(JobManager::GetInstance().Count(JobKind::SceneLoad), 0u);
    EXPECT_TRUE(InputManager::GetInstance().enabled);
    engine.Step();
    EXPECT_FALSE(droppedJobRan);
    EXPECT_FALSE(InputManager::GetInstance().GetKeyDown(InputAction::Jump));  // held across the change: not fresh
}

TEST(Tick, AKeyHeldThroughASceneChangeActsInOneSceneOnly) {
    EngineHarness engine;
    const char* splash = R"({"GameObjects": [["Splash", 1]],
        "Components": [{"class": "SceneTransition", "sceneIndex": 8, "spaceToTransit": 1}], "Dialogue": []})";
    engine.LoadSceneText(splash);
    const std::string next = engine.WriteTempFile(splash);
    engine.Press(InputAction::Jump);
    engine.Step();
    ASSERT_EQ(Engine().state, EngineState::SceneChange);
    JobManager::GetInstance().Clear();  // load our own next splash instead of the table's file
    JobManager::GetInstance().AddJob([next]() { SceneManager::GetInstance().LoadScene(next); }, JobKind::SceneLoad, 0.0f);
    engine.Step();
    SceneManager::GetInstance().currentSceneIndex = 0;
    engine.Step(5);  // still held: the next splash must not take the same press
    EXPECT_EQ(Engine().state, EngineState::Run);
    EXPECT_EQ(InputManager::GetInstance().current[4], 1);  // but it still reads as held
    engine.Release(InputAction::Jump);
    engine.Step();
    engine.Press(InputAction::Jump);
    engine.Step();
    EXPECT_EQ(Engine().state, EngineState::SceneChange);
    EXPECT_EQ(SceneManager::GetInstance().currentSceneIndex, 8u);
}

TEST(Tick, SceneChangeWithoutALoadDropsQueuedJobs) {
    EngineHarness engine;
    engine.LoadSceneText(R"({"GameObjects": [], "Components": [], "Dialogue": []})");
    JobManager::GetInstance().AddJob([] {}, JobKind::Frame, 5.0f);
    Engine().state = EngineState::SceneChange;
    engine.Step();
    EXPECT_EQ(Engine().state, EngineState::Run);
    EXPECT_EQ(JobManager::GetInstance().Count(), 0u);
}

TEST(Tick, TwoTransitionsInOneFrameLoadTheFirstOnly) {
    EngineHarness engine;
    engine.LoadSceneText(R"({"GameObjects": [["A", 1], ["B", 1]],
        "Components": [{"class": "SceneTransition", "gameObjectID": 0, "sceneIndex": 3, "spaceToTransit": 1},
                       {"class": "SceneTransition", "gameObjectID": 1, "sceneIndex": 8, "spaceToTransit": 1}], "Dialogue": []})");
    engine.Tap(InputAction::Enter);
    EXPECT_EQ(SceneManager::GetInstance().currentSceneIndex, 3u);
    EXPECT_EQ(JobManager::GetInstance().Count(JobKind::SceneLoad), 1u);
}

TEST(Tick, CloseDuringFrameQuitsAtNextTick) {
    EngineHarness engine;
    engine.LoadSceneText(R"({"GameObjects": [["A", 1]], "Components": [], "Dialogue": []})");
    Probe* probe = engine.Find("A")->AddComponent<Probe>(true);
    probe->onUpdate = [] { EngineState::GetInstance().state = EngineState::QuitState; };
    engine.Step();
    EXPECT_EQ(Engine().state, EngineState::QuitState);
    EXPECT_EQ(probe->counts.update, 1);
    engine.Step();
    EXPECT_EQ(Engine().state, EngineState::Stopped);
    EXPECT_EQ(Engine().nextScene, "");
    engine.Step();  // stopped: nothing happens
    EXPECT_EQ(Engine().state, EngineState::Stopped);
}

TEST(Tick, CloseBeforeTheFirstLoadIsNotOverwritten) {
    EngineHarness engine;
    Engine().RequestFirstLoad();
    EXPECT_EQ(Engine().state, EngineState::Load);
    // The window closed during the start-up pump: the game quits instead of loading.
    Engine().state = EngineState::QuitState;
    Engine().RequestFirstLoad();
    EXPECT_EQ(Engine().state, EngineState::QuitState);
    engine.Step();
    EXPECT_EQ(Engine().state, EngineState::Stopped);
}

TEST(Tick, JobsAgeOnlyInRunningFrames) {
    EngineHarness engine(0.25f);
    engine.LoadSceneText(R"({"GameObjects": [], "Components": [], "Dialogue": []})");
    bool ran = false;
    JobManager::GetInstance().AddJob([&ran] { ran = true; }, JobKind::Frame, 1.0f);
    engine.Step(3);
    EXPECT_FALSE(ran);
    engine.Step();
    EXPECT_TRUE(ran);
}

// A stall is handed to the game as a third of a second; the fps window counts it whole.
TEST(TimeTest, FpsWindowClosesOnlyAfterMoreThanOneSecond) {
    EngineHarness engine(0.25f);
    Time& time = Time::GetInstance();
    time.fps = 0;
    time.fpsTimer = 0;
    time.frameCounter = 0;
    for (int i = 0; i < 4; ++i) time.Update();
    EXPECT_FLOAT_EQ(time.deltaTime, 0.25f);
    EXPECT_EQ(time.fps, 0u);  // exactly 1.0 s does not close the window
    time.Update();
    EXPECT_EQ(time.fps, 5u);
    engine.SetFrameTime(3.0f);
    time.Update();
    EXPECT_EQ(time.deltaTime, Time::kMaxDeltaTime);
    EXPECT_EQ(time.fps, 1u);
}

}  // namespace

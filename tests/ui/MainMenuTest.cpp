// The title menu as the game ships it (FirstTimeMainMenu.scene): continue, new game and
// its confirmation, options, credits and exit.
#include "UiFixture.h"
#include "audio/AudioSource.h"
#include "gameobjectengine/TimeToLive.h"
#include "gameobjectengine/GameFlags.h"
#include "graphics/Fader.h"
#include "save/SaveManager.h"
#include "scenemanager/SceneTransition.h"
#include "ui/Button.h"
#include "ui/MainMenu.h"
#include "ui/OptionsMenu.h"

namespace {
constexpr InputAction kLeft = InputAction::Left, kUp = InputAction::Up, kDown = InputAction::Down,
                      kSpace = InputAction::Jump, kEscape = InputAction::Back;
}

class MainMenuTest : public UiTest {
protected:
    void LoadMenu(uint32_t savedScene = 6) {
        EngineHarness::ResetEngine();  // the scene before saves its own record on the way out
        SaveData record;
        record.sceneIndex = savedScene;
        record.fullscreen = false;
        WriteSave(record);
        engine.LoadSceneFile("Assets/Scenes/FirstTimeMainMenu.scene");
        engine.Step();
    }
    // Runs frames until the engine has changed scene (at most seconds of play).
    uint32_t SceneReached(float seconds = 3.0f) {
        for (int frame = 0; frame < seconds * 60 && State() != EngineState::SceneChange; ++frame) engine.Step();
        engine.FinishSceneChange();
        return SceneManager::GetInstance().currentSceneIndex;
    }
    SaveManager* Save() const { return SceneManager::GetInstance().FindComponentOfType<SaveManager>(); }
    UI::MainMenu* Menu() const { return engine.Get<UI::MainMenu>("Menu"); }
};

TEST_F(MainMenuTest, ContinueShowsOnlyWithProgress) {
    LoadMenu(6);
    EXPECT_EQ(Selected(), "NewGame");
    EXPECT_FALSE(Shown("Continue"));
    Key(kUp);
    EXPECT_EQ(Selected(), "NewGame");
    LoadMenu(11);
    EXPECT_EQ(Selected(), "Continue");
    EXPECT_TRUE(Shown("ContinueSelected"));
    Key(kSpace);
    EXPECT_TRUE(engine.Get<Fader>("LoadingScreen")->started);
    EXPECT_FALSE(engine.Get<UI::Canvas>("Menu")->enabled);
    // The menu object outlives the music's one-second fade.
    EXPECT_GE(engine.Get<TimeToLive>("Menu")->secondsLeft, 1.0f);
    EXPECT_EQ(SceneReached(), 11u);
}

TEST_F(MainMenuTest, NewGameAsksFirstAndEscapeBacksOut) {
    LoadMenu(11);
    Key(kDown);
    Key(kSpace);
    EXPECT_TRUE(Shown("NewGameConfirmationBG"));
    EXPECT_EQ(Selected(), "NewGameNo");
    EXPECT_FALSE(Shown("Cursor"));
    Key(kEscape);
    EXPECT_FALSE(Shown("NewGameConfirmationBG") || Shown("NewGameYes") || Shown("NewGameNo"));
    EXPECT_EQ(Selected(), "NewGame");
    EXPECT_TRUE(Shown("Cursor"));
    Key(kSpace);
    Key(kLeft);
    Key(kSpace);
    EXPECT_EQ(Save()->record.sceneIndex, 6u);
    EXPECT_EQ(SceneReached(), 6u);
    EXPECT_EQ(ReadSave()[0], 6);  // stored on the way out
}

TEST_F(MainMenuTest, ContinueWithAnUnusableIndexStartsTheFirstLevel) {
    LoadMenu(11);
    Save()->record.sceneIndex = 40;
    Menu()->Continue();
    EXPECT_EQ(engine.Get<SceneTransition>("LoadingScreen")->sceneIndex, 6);
}

TEST_F(MainMenuTest, OptionsStoreTheirChoicesAndEscapeClosesOnlyAnOpenScreen) {
    LoadMenu();
    Key(kDown);
    Key(kSpace);
    EXPECT_TRUE(Shown("OptionsScreen"));
    EXPECT_EQ(Selected(), "FullscreenNo");  // the window mode in use
    // The mode in use is drawn in full, the other one dimmed, also after switching.
    const auto alpha = [&](const char* name) { return engine.Get<SpriteRenderer>(name)->alpha; };
    EXPECT_LT(alpha("FullscreenYes"), alpha("FullscreenNo"));
    Key(kLeft);
    Key(kSpace);
    EXPECT_TRUE(GraphicsEngine::GetInstance().IsFullscreen());
    EXPECT_TRUE(Save()->record.fullscreen);
    EXPECT_LT(alpha("FullscreenNo"), alpha("FullscreenYes"));
    Key(kDown);  // music: its up link now leads to fullscreen yes
    Key(kUp);
    EXPECT_EQ(Selected(), "FullscreenYes");
    Key(kDown);
    Key(kSpace);
    EXPECT_TRUE(GroupMuted(0));
    EXPECT_TRUE(Save()->record.musicMuted);
    EXPECT_TRUE(Shown("MusicButtonOffSelected"));
    Key(kDown);
    Key(kSpace);
    EXPECT_TRUE(GroupMuted(1));
    Key(kSpace);
    EXPECT_FALSE(GroupMuted(1));
    EXPECT_FALSE(Save()->record.sfxMuted);
    Key(kEscape);
    EXPECT_FALSE(Shown("OptionsScreen") || Shown("MusicButtonOff") || Shown("Done"));
    EXPECT_EQ(Selected(), "Options");
    EXPECT_TRUE(Shown("Cursor"));
    Key(kDown);
    Key(kEscape);  // closed: Escape leaves the selection alone
    EXPECT_EQ(Selected(), "Credits");
}

TEST_F(MainMenuTest, AStoredMuteShowsTheOffLookWhenOptionsOpen) {
    SaveData record;
    record.musicMuted = true;
    record.fullscreen = false;
    WriteSave(record);
    engine.LoadSceneFile("Assets/Scenes/FirstTimeMainMenu.scene");
    EXPECT_TRUE(GroupMuted(0));
    Key(kDown);
    Key(kSpace);
    EXPECT_TRUE(Shown("MusicButtonOff"));
    EXPECT_FALSE(Shown("MusicButtonOn"));
    EXPECT_TRUE(Shown("SoundButtonOn"));
}

TEST_F(MainMenuTest, CreditsAndExit) {
    LoadMenu();
    Key(kDown);
    Key(kDown);
    Key(kSpace);
    engine.FinishSceneChange();
    EXPECT_EQ(SceneManager::GetInstance().currentSceneIndex, 18u);
    LoadMenu();
    Menu()->Exit();
    // The graphics are only marked shut down: the rest of the frame still runs safely.
    EXPECT_TRUE(GraphicsEngine::GetInstance().shutDown);
    EXPECT_EQ(State(), EngineState::QuitState);
    engine.Step(2);
    EXPECT_EQ(State(), EngineState::Stopped);
}

TEST_F(MainMenuTest, LeavingStopsTheMusicAndUnbindsTheButtons) {
    LoadMenu();
    GameObject* menuObject = engine.Find("Menu");
    auto* newGame = engine.Get<UI::Button>("NewGame");
    SceneManager::GetInstance().DestroyGameObjectNow(menuObject->id);
    EXPECT_EQ(engine.Find("BGM"), nullptr);
    EXPECT_FALSE(newGame->onClick);
    // A menu on the music's own object goes without destroying its object twice.
    engine.LoadSceneText(R"({"GameObjects": [["BGM", 1]], "Components": [
        {"class": "Canvas", "gameObjectID": 0}, {"class": "MainMenu", "gameObjectID": 0},
        {"class": "AudioSource", "gameObjectID": 0}]})");
    SceneManager::GetInstance().DestroyGameObject(engine.Find("BGM")->id);
    engine.Step();
    EXPECT_EQ(engine.Find("BGM"), nullptr);
}

TEST_F(MainMenuTest, WithoutLoadingScreenOnlyTheMusicFadesAndTheAnimationStarts) {
    engine.LoadSceneText(R"({"GameObjects": [["Menu", 1], ["LoadingAnim", 1], ["BGM", 1]], "Components": [
        {"class": "Canvas", "gameObjectID": 0}, {"class": "MainMenu", "gameObjectID": 0},
        {"class": "SpriteRenderer", "gameObjectID": 1}, {"class": "Fader", "gameObjectID": 1},
        {"class": "AudioSource", "gameObjectID": 2}]})");
    engine.Get<UI::MainMenu>("Menu")->NewGame();
    EXPECT_TRUE(engine.Get<Fader>("LoadingAnim")->started);
    EXPECT_FLOAT_EQ(engine.Get<Fader>("LoadingAnim")->fadeTime, 0.95f);
    EXPECT_TRUE(engine.Get<AudioSource>("BGM")->fading);
    EXPECT_TRUE(engine.Get<UI::Canvas>("Menu")->enabled);
}

// The pause menu of a level and the game-over menu built on "GameOverScreen".
#include "UiFixture.h"
#include "gameobjectengine/GameFlags.h"
#include "graphics/Fader.h"
#include "scenemanager/SceneTransition.h"
#include "ui/Button.h"
#include "ui/DeathMenu.h"
#include "ui/OptionsMenu.h"
#include "ui/PauseMenu.h"

namespace {
constexpr InputAction kLeft = InputAction::Left, kDown = InputAction::Down, kSpace = InputAction::Jump,
                      kEscape = InputAction::Back;

// fillers: empty objects after the level's own, up to a full object table at 1019.
std::string Level(bool loadingOut, int fillers = 0) {
    // "SkillUnlock": the level's new-skill banner, drawn above every menu layer.
    std::string objects = R"([["Pause", 1], ["Save", 1], ["SkillUnlock", 1])";
    std::string components = R"({"class": "Canvas", "gameObjectID": 0, "enabled": 0},
        {"class": "PauseMenu", "gameObjectID": 0}, {"class": "SaveManager", "gameObjectID": 1},
        {"class": "Transform", "gameObjectID": 2}, {"class": "SpriteRenderer", "gameObjectID": 2, "layer": 26})";
    if (loadingOut) {
        objects += R"(, ["LoadingOutScreen", 1], ["LoadingOutAnim", 1])";
        components += R"(, {"class": "SpriteRenderer", "gameObjectID": 3}, {"class": "Fader", "gameObjectID": 3},
            {"class": "SceneTransition", "gameObjectID": 3}, {"class": "SpriteRenderer", "gameObjectID": 4},
            {"class": "Fader", "gameObjectID": 4})";
    }
    for (int i = 0; i < fillers; ++i) objects += R"(, ["Filler", 1])";
    return R"({"GameObjects": )" + objects + R"(], "Components": [)" + components + "]}";
}
}  // namespace

class PauseMenuTest : public UiTest {
protected:
    void LoadLevel(bool loadingOut = true, int fillers = 0) {
        EngineHarness::ResetEngine();
        SaveData record;
        record.musicVolume = 0.5f;
        record.fullscreen = false;
        WriteSave(record);
        engine.LoadSceneText(Level(loadingOut, fillers));
        SceneManager::GetInstance().currentSceneIndex = 11;
        engine.Step();
    }
};

TEST_F(PauseMenuTest, EscapePausesAtAQuarterOfTheStoredMusicVolumeAndResumes) {
    LoadLevel();
    EXPECT_EQ(Selected(), "");
    Key(kEscape);
    EXPECT_TRUE(GameFlags::Any(GameFlags::Paused));
    EXPECT_TRUE(Shown("PauseScreen") && Shown("Options") && Shown("Quit"));
    EXPECT_EQ(Selected(), "Resume");
    EXPECT_FLOAT_EQ(GroupVolume(0), 0.125f);
    EXPECT_FALSE(Shown("SkillUnlock"));  // the banner would cover the panel
    Key(kSpace);
    EXPECT_FALSE(GameFlags::Any(GameFlags::Paused));
    EXPECT_FALSE(Shown("PauseScreen") || Shown("Resume") || Shown("ResumeSelected"));
    EXPECT_TRUE(Shown("SkillUnlock"));
    EXPECT_FLOAT_EQ(GroupVolume(0), 0.5f);
    EXPECT_FALSE(engine.Get<UI::Canvas>("Pause")->enabled);
}

// ... and only with its whole screen: a full object table leaves it unbuilt, and closed.
TEST_F(PauseMenuTest, EscapeOpensOnlyWhenNothingHoldsTheGame) {
    struct Row {
        uint32_t flags;
        int fillers;
    };
    for (const Row& row : {Row{GameFlags::Cutscene, 0}, Row{GameFlags::GameOver, 0}, Row{0, 1019}}) {
        const uint32_t flags = row.flags;
        LoadLevel(true, row.fillers);
        GameFlags::word = flags;
        Key(kEscape);
        EXPECT_EQ(GameFlags::word, flags);
        EXPECT_FALSE(Shown("PauseScreen"));
    }
}

TEST_F(PauseMenuTest, ConfirmationsBackOutWithEscapeAndTheGameStaysPaused) {
    LoadLevel();
    Key(kEscape);
    Key(kDown);
    Key(kSpace);
    EXPECT_TRUE(Shown("RestartBG"));
    EXPECT_EQ(Selected(), "RestartNo");
    Key(kEscape);
    EXPECT_FALSE(Shown("RestartBG") || Shown("RestartYes"));
    EXPECT_EQ(Selected(), "Restart");
    EXPECT_TRUE(GameFlags::Any(GameFlags::Paused));
    Key(kDown);
    Key(kSpace);
    EXPECT_EQ(Selected(), "QuitNo");
    Key(kSpace);  // no
    EXPECT_EQ(Selected(), "Quit");
    EXPECT_FALSE(Shown("QuitBG"));
}

TEST_F(PauseMenuTest, RestartReloadsTheLevelBehindTheFadeOrAtOnce) {
    for (bool loadingOut : {true, false}) {
        SCOPED_TRACE(loadingOut);
        LoadLevel(loadingOut);
        Key(kEscape);
        auto* menu = engine.Get<UI::PauseMenu>("Pause");
        menu->Restart();
        EXPECT_FLOAT_EQ(GroupVolume(0), 0.5f);
        if (loadingOut) {
            EXPECT_EQ(GameFlags::word, GameFlags::Cutscene);
            EXPECT_EQ(engine.Get<SceneTransition>("LoadingOutScreen")->sceneIndex, 11);
            EXPECT_TRUE(engine.Get<Fader>("LoadingOutScreen")->started);
            EXPECT_FLOAT_EQ(engine.Get<Fader>("LoadingOutAnim")->fadeTime, 0.95f);
        } else {
            EXPECT_EQ(State(), EngineState::SceneChange);
            engine.FinishSceneChange();
            EXPECT_EQ(SceneManager::GetInstance().currentSceneIndex, 11u);
        }
    }
}

TEST_F(PauseMenuTest, QuitGoesToTheMainMenu) {
    LoadLevel();
    Key(kEscape);
    engine.Get<UI::PauseMenu>("Pause")->QuitToMenu();
    EXPECT_EQ(GameFlags::word, 0u);
    EXPECT_FLOAT_EQ(GroupVolume(0), 0.5f);
    engine.FinishSceneChange();
    EXPECT_EQ(SceneManager::GetInstance().currentSceneIndex, 0u);
}

TEST_F(PauseMenuTest, OneEscapeClosesOptionsAndResumes) {
    LoadLevel();
    Key(kEscape);
    Key(kLeft);
    Key(kSpace);
    EXPECT_TRUE(Shown("OptionsScreen"));
    Key(kEscape);
    EXPECT_FALSE(Shown("OptionsScreen") || Shown("PauseScreen"));
    EXPECT_FALSE(GameFlags::Any(GameFlags::Paused));
}

TEST_F(PauseMenuTest, TheDeathMenuActsWithoutAskingAndIgnoresEscape) {
    engine.LoadSceneText(R"({"GameObjects": [["GameOverScreen", 1]], "Components": []})");
    SceneManager::GetInstance().currentSceneIndex = 11;
    GameFlags::word = GameFlags::GameOver;
    ASSERT_NE(UI::BuildDeathMenu(engine.Find("GameOverScreen")), nullptr);
    engine.Step();
    EXPECT_EQ(Selected(), "Restart");
    EXPECT_TRUE(Shown("RestartSelected") && Shown("Quit"));
    Key(kEscape);
    EXPECT_EQ(GameFlags::word, GameFlags::GameOver);
    Key(kDown);
    EXPECT_EQ(Selected(), "Quit");
    Key(kSpace);
    EXPECT_EQ(SceneManager::GetInstance().currentSceneIndex, 0u);
    EXPECT_EQ(UI::BuildDeathMenu(nullptr), nullptr);
}

TEST_F(PauseMenuTest, AMenuGoneBeforeItsButtonsLeavesThemUnbound) {
    LoadLevel();
    auto* resume = engine.Get<UI::Button>("Resume");
    engine.Find("Pause")->RemoveAllComponents();
    EXPECT_FALSE(resume->onClick);
}

TEST_F(PauseMenuTest, AShippedLevelStartedByPathPausesAndRestartsItself) {
    EngineHarness::ResetEngine();
    engine.LoadSceneFile("Assets/Scenes/1_Slums.scene");
    engine.Step(2);
    GameFlags::word = 0;  // past the level's opening
    Key(kEscape);
    ASSERT_TRUE(Shown("PauseScreen"));
    engine.Get<UI::PauseMenu>("PauseMenu")->Restart();
    EXPECT_EQ(engine.Get<SceneTransition>("LoadingOutScreen")->sceneIndex, 6);
    EXPECT_TRUE(engine.Get<Fader>("LoadingOutScreen")->started);
}

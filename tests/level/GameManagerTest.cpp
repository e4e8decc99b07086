// The game manager: the HUD's layout and how it follows the heroes, the level intro, and
// game over.
#include <string>

#include "LevelFixture.h"
#include "audio/DynamicBGM.h"
#include "combat/Party.h"
#include "dialogue/DialogueBox.h"
#include "dialogue/DialogueManager.h"
#include "gameobjectengine/Follow.h"
#include "graphics/Fader.h"
#include "graphics/ProgressBar.h"
#include "graphics/SpriteRenderer.h"
#include "scenemanager/SceneManager.h"
#include "gameobjectengine/EngineState.h"
#include "combat/UnitController.h"
#include "level/GameManager.h"
#include "save/SaveManager.h"

namespace {

constexpr int kIntroFrames = 64;  // the first line (here: the end of an empty conversation) one second in

// A level with the named heroes ("Thief", "Mage" or both). The thief's weapons 1 to 3 have
// cool-downs 2, 0 and none; the mage has one weapon.
std::string Level(bool thief, bool mage, const std::string& dialogue = "[]") {
    std::string objects = R"(["Level", 1], ["Thief", )" + std::string(thief ? "1" : "0") + R"(, "Player"], ["Mage", )" +
                          (mage ? "1" : "0") + R"(, "Player"])";
    std::string components = R"({"class": "GameManager", "gameObjectID": 0}, {"class": "DyanmicBGM", "gameObjectID": 0})";
    if (thief)
        components += ", " + At(1, 500, 800) + ", " +
                      Unit(1, R"("team": 1, "currentHealth": 300, "maxHealth": 300, "maxMana": 80,
                              "weapons": [{"weaponType": 3, "cooldown": 0.5}, {"weaponType": 3, "cooldown": 2},
                                          {"weaponType": 3, "cooldown": 0}])") +
                      R"(, {"class": "PlayerUnitController", "gameObjectID": 1}, {"class": "AIUnitController", "gameObjectID": 1})";
    if (mage)
        components += ", " + At(2, 800, 800) + ", " +
                      Unit(2, R"("team": 1, "currentHealth": 200, "maxHealth": 200, "maxMana": 150,
                              "weapons": [{"weaponType": 3, "cooldown": 1}])") +
                      R"(, {"class": "PlayerUnitController", "gameObjectID": 2}, {"class": "AIUnitController", "gameObjectID": 2})";
    // Heroes that are not in the level are left out; their ids stay reserved.
    for (const auto& [present, entry] : {std::pair{thief, R"(["Thief")"}, std::pair{mage, R"(["Mage")"}}) {
        if (present) continue;
        const std::size_t at = objects.find(entry);
        objects.replace(at, objects.find(']', at) + 1 - at, "null");
    }
    return Scene(objects, components, dialogue);
}

bool Shown(const ProgressBarBase* bar) { return bar && bar->border->enabled && bar->fill->enabled; }

}  // namespace

TEST(GameManagerHud, RowsFollowTheHeroesOfTheLevel) {
    const struct {
        bool thief, mage;
        float thiefBarY, mageBarY, keyY;
    } cases[] = {{true, true, 55, 155, 240}, {false, true, -1, 55, 140}, {true, false, 55, -1, 140}};
    for (const auto& c : cases) {
        EngineHarness engine;
        engine.LoadSceneText(Level(c.thief, c.mage));
        const Transform* thiefBar = engine.Get<Transform>("thief hp bar");
        const Transform* mageBar = engine.Get<Transform>("mage hp bar");
        EXPECT_EQ(thiefBar ? thiefBar->y : -1.0f, c.thiefBarY);
        EXPECT_EQ(mageBar ? mageBar->y : -1.0f, c.mageBarY);
        EXPECT_EQ(engine.Get<Transform>("skill1Key")->y, c.keyY);
        EXPECT_NE(engine.Find("Selected Follow"), nullptr);
    }
}

TEST(GameManagerHud, BarsBelongToTheUnitsAndSkillsFollowCooldowns) {
    EngineHarness engine;
    engine.LoadSceneText(Level(true, true));
    Combat::CombatUnit* thief = UnitOf(engine, "Thief");
    auto* health = engine.Get<ProgressBar<int32_t>>("thief hp bar");
    EXPECT_EQ(thief->healthBar, health);
    EXPECT_EQ(health->max, 300);
    EXPECT_EQ(UnitOf(engine, "Mage")->manaBar.Get(), engine.Get<ProgressBar<int32_t>>("mage mp bar"));
    EXPECT_EQ(engine.Get<ProgressBar<int32_t>>("mage mp bar")->max, 150);
    // Maximum: the weapon's cool-down, or 1 for none or a cool-down of 0.
    const struct {
        const char* bar;
        float max;
    } skills[] = {{"thiefSkill1", 2.0f}, {"thiefSkill2", 1.0f}, {"thiefSkill3", 1.0f}, {"mageSkill1", 1.0f}};
    for (const auto& s : skills) EXPECT_FLOAT_EQ(engine.Get<ProgressBar<float>>(s.bar)->max, s.max) << s.bar;
    engine.Step(kIntroFrames);
    thief->TakeDamage(5, 5);  // below the knock-back threshold: the unit can still cast
    EXPECT_EQ(health->value, 295);  // the unit's own health bar
    ASSERT_TRUE(thief->UseWeapon(1));
    engine.Step();
    auto* skill = engine.Get<ProgressBar<float>>("thiefSkill1");
    EXPECT_NEAR(skill->value, 2.0f, 0.05f);  // full right after the cast
    engine.Step(60);
    EXPECT_NEAR(skill->value, 1.0f, 0.05f);  // runs down with the cool-down
    EXPECT_EQ(engine.Get<ProgressBar<int32_t>>("thief mp bar")->value, thief->currentMana);
}

TEST(GameManagerHud, IntroHidesTheHudThenTheActiveHeroIsMarked) {
    EngineHarness engine;
    engine.LoadSceneText(Level(true, true, R"([["Thief", 0, -150, "Hi.", 0]])"));
    auto* thiefBar = engine.Get<ProgressBar<int32_t>>("thief hp bar");
    engine.Step();
    EXPECT_TRUE(GameFlags::Any(GameFlags::Cutscene));
    EXPECT_FALSE(Shown(thiefBar));
    EXPECT_FALSE(Dialogue::DialogueManager::GetInstance().active);
    engine.Step(kIntroFrames);
    EXPECT_TRUE(Dialogue::DialogueManager::GetInstance().active);  // the first line, one second in
    EXPECT_FALSE(GameFlags::Any(GameFlags::Cutscene));
    EXPECT_TRUE(Shown(thiefBar));
    auto* manager = engine.Get<GameManager>("Level");
    EXPECT_TRUE(manager->thiefHead->enabled);
    EXPECT_FALSE(manager->mageHead->enabled);
    EXPECT_TRUE(manager->pointerSprite->enabled);
    EXPECT_EQ(manager->follow->target.Get(), engine.Get<Transform>("Thief"));
    EXPECT_EQ(engine.Get<Transform>("skill1Key")->y, 140.0f);  // under the led hero's skills
    Combat::Party::GetInstance().SwapCharacter();
    engine.Step();
    EXPECT_TRUE(manager->mageHead->enabled);
    EXPECT_FALSE(manager->thiefHead->enabled);
    EXPECT_EQ(manager->follow->target.Get(), engine.Get<Transform>("Mage"));
    EXPECT_EQ(engine.Get<Transform>("skill3Key")->y, 240.0f);
}

TEST(GameManagerHud, LoneMageIsMarkedAsTheActiveHero) {
    EngineHarness engine;
    engine.LoadSceneText(Level(false, true));
    engine.Step(kIntroFrames);
    auto* manager = engine.Get<GameManager>("Level");
    EXPECT_TRUE(manager->mageHead->enabled);
    EXPECT_EQ(manager->follow->target.Get(), engine.Get<Transform>("Mage"));
}

TEST(GameManagerGameOver, AFallenHeroShowsItsPictureAndTheMenuTwoSecondsLater) {
    const struct {
        bool thief, mage, thiefFalls, mageFalls;
        const char* picture;
        float musicSeconds;
    } cases[] = {
        {true, true, true, false, "Assets/Art/Backgrounds/Game Over Screen Thief.png", 3.0f},
        {true, true, false, true, "Assets/Art/Backgrounds/Game Over Screen Mage.png", 1.5f},
        {true, true, true, true, "Assets/Art/Backgrounds/Game Over Screen Thief.png", 3.0f},
        {false, true, false, true, "Assets/Art/Backgrounds/Game Over Screen Mage.png", 1.5f},  // a one-hero level
        {true, false, true, false, "Assets/Art/Backgrounds/Game Over Screen Thief.png", 3.0f},
    };
    for (const auto& c : cases) {
        EngineHarness engine;
        engine.LoadSceneText(Level(c.thief, c.mage));
        engine.Step(kIntroFrames);
        if (c.thiefFalls) UnitOf(engine, "Thief")->currentHealth = 0;
        if (c.mageFalls) UnitOf(engine, "Mage")->currentHealth = 0;
        engine.Step();
        ASSERT_TRUE(GameFlags::Any(GameFlags::GameOver)) << c.picture;
        auto* picture = engine.Get<SpriteRenderer>("GameOverScreen");
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->file, c.picture);
        EXPECT_FLOAT_EQ(engine.Get<DynamicBGM>("Level")->fadeDuration, c.musicSeconds);
        engine.Step(60);
        EXPECT_NEAR(picture->alpha, 50, 3);  // half way through its two-second fade
        EXPECT_EQ(engine.Find("Restart"), nullptr);
        engine.Step(62);
        EXPECT_EQ(picture->alpha, 100);
        EXPECT_NE(engine.Find("Restart"), nullptr) << c.picture;
    }
}

TEST(GameManagerGameOver, AFullObjectTableStillEndsInTheDeathMenu) {
    EngineHarness engine;
    engine.LoadSceneText(Level(true, true));
    engine.Step(kIntroFrames);
    SceneManager& scene = SceneManager::GetInstance();
    std::vector<int32_t> fillers;
    while (GameObject* filler = scene.CreateGameObject("filler")) fillers.push_back(filler->id);
    UnitOf(engine, "Thief")->currentHealth = 0;
    engine.Step();
    EXPECT_TRUE(GameFlags::Any(GameFlags::GameOver));
    EXPECT_EQ(engine.Find("GameOverScreen"), nullptr);
    for (int i = 0; i < 8; ++i) scene.DestroyGameObjectNow(fillers[static_cast<std::size_t>(i)]);
    engine.Step(125);
    EXPECT_NE(engine.Find("Restart"), nullptr);
}

TEST(GameManagerGameOver, AHeroRemovedFromTheLevelIsNoLongerRead) {
    EngineHarness engine;
    engine.LoadSceneText(Level(true, true));
    engine.Step(kIntroFrames);
    SceneManager::GetInstance().DestroyGameObjectNow(engine.Find("Thief")->id);
    engine.Step(3);
    auto* manager = engine.Get<GameManager>("Level");
    EXPECT_EQ(manager->thiefUnit.Get(), nullptr);
    EXPECT_FALSE(GameFlags::Any(GameFlags::GameOver));
    UnitOf(engine, "Mage")->currentHealth = 0;
    engine.Step();
    EXPECT_TRUE(GameFlags::Any(GameFlags::GameOver));
}

TEST(GameManagerHud, AFullObjectTableSkipsTheHudAndBubbleButTheLevelStillStarts) {
    EngineHarness engine;
    std::string level = Level(true, true);
    // Fillers take every slot the scene file leaves, so nothing made in code finds room.
    std::string fillers;
    for (std::size_t i = 3; i < SceneManager::kMaxObjects; ++i) fillers += R"(, ["filler", 1])";
    level.insert(level.find("], \"Components\""), fillers);
    engine.LoadSceneText(level);
    ASSERT_NE(engine.Find("Level"), nullptr);
    EXPECT_EQ(engine.Find("thief hp bar"), nullptr);
    EXPECT_EQ(engine.Find("Dialogue"), nullptr);
    engine.Step(kIntroFrames);
    EXPECT_FALSE(GameFlags::Any(GameFlags::Cutscene));
    UnitOf(engine, "Thief")->currentHealth = 0;
    engine.Step();
    EXPECT_TRUE(GameFlags::Any(GameFlags::GameOver));
    EXPECT_EQ(engine.Find("GameOverScreen"), nullptr);
    // No room for the death menu either: two seconds later the level restarts by itself.
    int frames = 0;
    while (EngineState::GetInstance().state == EngineState::Run && frames++ < 130) engine.Step();
    EXPECT_EQ(EngineState::GetInstance().state, EngineState::SceneChange);
    EXPECT_GE(frames, 115);
}

TEST(GameManagerGameOver, RestartOfTheDeathMenuReloadsTheLevel) {
    EngineHarness engine;
    engine.LoadSceneText(Level(true, true));
    engine.Step(kIntroFrames);
    UnitOf(engine, "Mage")->currentHealth = 0;
    engine.Step(125);
    ASSERT_NE(engine.Find("Restart"), nullptr);
    engine.Tap(InputAction::Back);  // Escape does nothing in the death menu
    EXPECT_EQ(EngineState::GetInstance().state, EngineState::Run);
    engine.Tap(InputAction::Jump);  // Space on the selected "Restart"
    EXPECT_EQ(EngineState::GetInstance().state, EngineState::SceneChange);
}

TEST(GameManagerSave, TheLevelBecomesTheContinuePointUnlessItSaysNot) {
    for (const bool saveScene : {true, false}) {
        EngineHarness engine;
        SceneManager::GetInstance().currentSceneIndex = 12;
        std::string level = Level(true, false);
        level.replace(level.find(R"("gameObjectID": 0})"), 18,
                      std::string(R"("gameObjectID": 0, "saveScene": )") + (saveScene ? "1" : "0") +
                          R"(}, {"class": "SaveManager", "gameObjectID": 0})");
        engine.LoadSceneText(level);
        auto* save = engine.Get<SaveManager>("Level");
        ASSERT_NE(save, nullptr);
        EXPECT_EQ(save->record.sceneIndex, saveScene ? SceneManager::GetInstance().currentSceneIndex : 6u);
    }
}

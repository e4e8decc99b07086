// The portal: shut while team-2 units live, open once they are dead, leading on when the
// steered hero passes it.
#include <string>

#include "LevelFixture.h"
#include "combat/UnitController.h"
#include "gameobjectengine/EngineState.h"
#include "graphics/Fader.h"
#include "graphics/SpriteRenderer.h"
#include "level/Portal.h"
#include "physics/Collider.h"
#include "scenemanager/SceneManager.h"

namespace {

// Objects: 0 "Portal" at x 1000, 1 "Thief" (steered) at x 500, 2 and 3 enemies of team 2
// (health as given), 4 a team-1 unit, 5 "GoImage", 6 "LoadingOutScreen" (to scene 2).
std::string PortalLevel(int enemyHealth1, int enemyHealth2, bool portalCollider = true, bool steered = true) {
    return Scene(R"(["Portal", 1], ["Thief", 1, "Player"], ["Enemy", 1, "Enemy"], ["Enemy", 1, "Enemy"], ["Friend", 1],
                    ["GoImage", 1], ["LoadingOutScreen", 1])",
                 At(0, 1000, 800) + (portalCollider ? R"(, {"class": "BoxCollider", "gameObjectID": 0, "width": 30, "height": 300, "isStatic": 1})" : "") +
                     R"(, {"class": "Portal", "gameObjectID": 0, "nextSceneIndex": 2}, )" + At(1, 500, 800) + ", " +
                     Unit(1, R"("team": 1)") +
                     (steered ? R"(, {"class": "PlayerUnitController", "gameObjectID": 1})" : "") + ", " +
                     Unit(2, R"("team": 2, "currentHealth": )" + std::to_string(enemyHealth1)) + ", " +
                     Unit(3, R"("team": 2, "currentHealth": )" + std::to_string(enemyHealth2)) + ", " +
                     Unit(4, R"("team": 3)") + R"(, {"class": "Transform", "gameObjectID": 5},
                     {"class": "SpriteRenderer", "gameObjectID": 5}, {"class": "Transform", "gameObjectID": 6},
                     {"class": "SpriteRenderer", "gameObjectID": 6, "alpha": 0},
                     {"class": "Fader", "gameObjectID": 6, "startingAlpha": 0, "endingAlpha": 100, "fadeTime": 1, "sceneTransit": 1},
                     {"class": "SceneTransition", "gameObjectID": 6, "sceneIndex": 9})");
}

}  // namespace

TEST(Portal, OpensWhenEveryEnemyIsDeadAndLeadsToItsScene) {
    EngineHarness engine;
    engine.LoadSceneText(PortalLevel(50, 0));  // one enemy already dead at the start
    auto* portal = engine.Get<Portal>("Portal");
    EXPECT_EQ(portal->livingEnemies, 2u);
    EXPECT_FALSE(engine.Get<SpriteRenderer>("GoImage")->enabled);
    engine.Step(3);
    EXPECT_EQ(portal->livingEnemies, 1u);
    EXPECT_FALSE(portal->open);
    EXPECT_TRUE(engine.Get<Collider>("Portal")->enabled);
    engine.Get<Combat::CombatUnit>("Enemy")->currentHealth = 0;
    engine.Step();
    EXPECT_TRUE(portal->open);
    EXPECT_FALSE(engine.Get<Collider>("Portal")->enabled);
    EXPECT_TRUE(engine.Get<SpriteRenderer>("GoImage")->enabled);

    Transform* hero = engine.Get<Transform>("Thief");
    hero->x = 1000.0f;  // level with the portal: not past it
    engine.Step();
    EXPECT_TRUE(portal->enabled);
    hero->x = 1001.0f;
    GameFlags::word = GameFlags::Paused;
    engine.Step();
    EXPECT_FALSE(portal->enabled);
    EXPECT_EQ(GameFlags::word, GameFlags::Cutscene);
    EXPECT_TRUE(engine.Get<Fader>("LoadingOutScreen")->fading);
    int frames = 0;
    while (EngineState::GetInstance().state == EngineState::Run && frames++ < 120) engine.Step();
    EXPECT_EQ(EngineState::GetInstance().state, EngineState::SceneChange);
    EXPECT_EQ(SceneManager::GetInstance().currentSceneIndex, 2u);
}

TEST(Portal, WithoutAHeroOrAColliderNobodyPasses) {
    for (const bool collider : {false, true}) {
        EngineHarness engine;
        engine.LoadSceneText(PortalLevel(0, 0, collider, !collider));
        engine.Get<Transform>("Thief")->x = 2000.0f;
        engine.Step(3);
        auto* portal = engine.Get<Portal>("Portal");
        EXPECT_TRUE(portal->open);
        EXPECT_TRUE(portal->enabled) << collider;
        EXPECT_EQ(EngineState::GetInstance().state, EngineState::Run);
    }
}

TEST(Portal, UnitsThatAreGoneCountAsDeadAndAreNeverFreedByThePortal) {
    EngineHarness engine;
    engine.LoadSceneText(PortalLevel(50, 50));
    SceneManager& scene = SceneManager::GetInstance();
    for (int i = 0; i < 2; ++i) scene.DestroyGameObjectNow(engine.Find("Enemy")->id);
    engine.Step();
    EXPECT_TRUE(engine.Get<Portal>("Portal")->open);
    // A portal removed before its start ever ran frees nothing.
    GameObject* extra = scene.CreateGameObject("Extra");
    extra->AddComponent<Portal>(true);
    scene.DestroyGameObjectNow(extra->id);
    scene.DestroyGameObjectNow(engine.Find("Portal")->id);
    engine.Step();
    EXPECT_NE(engine.Get<Combat::CombatUnit>("Friend"), nullptr);
}

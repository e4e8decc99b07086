// Death: what a dying unit switches off and removes, and the boss's ending.
#include "CombatFixture.h"

#include "combat/UnitController.h"
#include "gameobjectengine/EngineState.h"
#include "gameobjectengine/GameFlags.h"
#include "graphics/Fader.h"
#include "physics/Rigidbody.h"
#include "scenemanager/SceneTransition.h"

namespace {

using namespace combat_test;

TEST(Death, SwitchesEverythingOffAndRemovesShieldsAndEffects) {
    CombatScene arena(0.1f);
    arena.Unit("Hero", "Player", 300.0f, R"("minDamageToKnockback": 1000)");
    arena.Unit("Foe", "Enemy", 900.0f, R"("team": 2, "minDamageToKnockback": 1000)");
    arena.Load();
    GameObject* hero = arena.engine.Find("Hero");
    hero->AddComponent<PlayerUnitController>(true);
    hero->AddComponent<AIUnitController>(true);
    CombatUnit* unit = arena.Get("Hero");
    unit->effectList->AddEffect(*MakeEffect(R"({"name": "S", "effectType": 5, "resolveType": 1, "duration": 9, "shieldAmount": 5})"));
    arena.engine.Step();
    unit->effectList->AddEffect(*MakeEffect(R"({"name": "Dash", "effectType": 2, "resolveType": 3, "duration": 9, "tickTime": 9})"));
    unit->effectList->AddEffect(*MakeEffect(
        R"({"name": "Zone", "effectType": 10, "resolveType": 3, "duration": 9, "tickTime": 9, "colliderRadius": 50, "tickRate": 0.1, "minDamage": 1, "maxDamage": 1})"));
    ASSERT_EQ(unit->shields.size(), 1u);
    ASSERT_EQ(CountNamed("Zone trigger"), 1);
    ASSERT_FALSE(unit->rigidbody->useGravity);

    unit->TakeDamage(200, 200);
    EXPECT_FALSE(unit->IsAlive());
    EXPECT_EQ(unit->currentHealth, 0);
    EXPECT_FALSE(hero->GetComponent<PlayerUnitController>()->enabled);
    EXPECT_FALSE(hero->GetComponent<AIUnitController>()->enabled);
    EXPECT_FALSE(unit->rigidbody->enabled);
    EXPECT_TRUE(unit->shields.empty());
    EXPECT_EQ(unit->effectList->Size(), 0u);
    EXPECT_TRUE(unit->rigidbody->useGravity);  // the dash's removal ran
    EXPECT_FALSE(unit->HasState(CombatUnit::MOVEMENT_LOCKED));
    EXPECT_FALSE(unit->UseWeapon(0));
    arena.engine.Step(3);
    EXPECT_EQ(CountNamed("Shield FX"), 0);
    EXPECT_EQ(CountNamed("Zone trigger"), 0);
    // Without an Animator the unit never plays its death out: it stays.
    EXPECT_TRUE(hero->active);
    // Hits on the dead still count, but it does not die twice or get knocked back.
    unit->TakeDamage(15, 15);
    EXPECT_EQ(unit->currentHealth, -15);
    EXPECT_EQ(unit->effectList->Size(), 0u);
}

TEST(Death, BossDeathFadesToTheEnding) {
    CombatScene arena(0.25f);
    arena.Unit("Boss", "MagitekBoss", 300.0f, R"("currentHealth": 10, "maxHealth": 10)");
    const int screen = arena.scene.Object("LoadingOutScreen");
    arena.scene.At(screen, 960, 540)
        .Add(screen, "SpriteRenderer", R"("layer": 30)")
        .Add(screen, "SceneTransition", R"("sceneIndex": 3)")
        .Add(screen, "Fader", R"("startingAlpha": 0, "endingAlpha": 100, "fadeTime": 9, "sceneTransit": 1)");
    arena.Load();
    CombatUnit* boss = arena.Get("Boss");
    boss->TakeDamage(50, 50);
    EXPECT_EQ(arena.engine.Get<SceneTransition>("LoadingOutScreen")->sceneIndex, 15);
    Fader* fader = arena.engine.Get<Fader>("LoadingOutScreen");
    EXPECT_TRUE(fader->fading);
    EXPECT_EQ(fader->fadeTime, 2.0f);
    EXPECT_TRUE(GameFlags::Any(GameFlags::Cutscene));
    EXPECT_FALSE(boss->enabled);
    int ticks = 0;
    while (EngineState::GetInstance().state != EngineState::SceneChange && ticks < 12) {
        arena.engine.Step();
        ++ticks;
    }
    EXPECT_EQ(EngineState::GetInstance().state, EngineState::SceneChange);
    EXPECT_GE(ticks, 8);  // after the 2 s fade
    EXPECT_EQ(SceneManager::GetInstance().currentSceneIndex, 15u);
}

}  // namespace

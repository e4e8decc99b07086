// The arena scene: two heroes, two enemies of team 2, a floor and a wall, loaded from
// its file. A hero's weapon used by code kills an enemy from start to end.
#include <gtest/gtest.h>

#include "animationmanager/Animator.h"
#include "combat/CombatUnit.h"
#include "gameobjectengine/GameObject.h"
#include "graphics/DamageText.h"
#include "scenemanager/SceneManager.h"
#include "support/EngineHarness.h"

using Combat::CombatUnit;

namespace {

constexpr const char* kArena = "tests/combat/scenes/arena.scene";

int CountNamed(const char* name) { return SceneManager::GetInstance().CountGameObjectsByName(name); }

TEST(Arena, LoadsTheUnitsFromTheFile) {
    EngineHarness engine;
    engine.LoadSceneFile(kArena);
    struct Row {
        const char* name;
        int team;
        int health;
        std::size_t weapons;
        bool bar;
    };
    // EnemyB's 80 of 60 health is clamped at start; heroes get no floating bar.
    const Row rows[] = {{"Thief", 1, 100, 2, false}, {"Mage", 1, 100, 3, false}, {"EnemyA", 2, 30, 1, true},
                        {"EnemyB", 2, 60, 1, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CombatUnit* unit = engine.Get<CombatUnit>(row.name);
        ASSERT_NE(unit, nullptr);
        EXPECT_EQ(unit->team, row.team);
        EXPECT_EQ(unit->currentHealth, row.health);
        EXPECT_EQ(unit->weapons.size(), row.weapons);
        EXPECT_EQ(unit->healthBar != nullptr, row.bar);
        EXPECT_NE(unit->rigidbody, nullptr);
        for (auto& weapon : unit->weapons) {
            EXPECT_EQ(weapon->owner, unit);
            for (auto& effect : weapon->effects) EXPECT_EQ(effect->caster.Get(), unit);
        }
    }
    EXPECT_TRUE(engine.Get<CombatUnit>("Thief")->HasState(CombatUnit::PLAYER_CONTROLLED));
    EXPECT_EQ(engine.Get<CombatUnit>("Thief")->weapons[0]->timeSinceLastCast, 0.4f);  // ready at start
}

TEST(Arena, AUnitWithoutKeys) {
    EngineHarness engine;
    engine.LoadSceneText(R"({"GameObjects": [["Bare", 1]], "Components": [{"class": "CombatUnit"}], "Dialogue": []})");
    const CombatUnit* unit = engine.Get<CombatUnit>("Bare");
    ASSERT_NE(unit, nullptr);
    EXPECT_TRUE(unit->IsAlive());
    EXPECT_FALSE(unit->HasState(CombatUnit::PLAYER_CONTROLLED));
    EXPECT_EQ(unit->team, 0);
    EXPECT_EQ(unit->currentHealth, 100);
    EXPECT_EQ(unit->maxMana, 100);
    EXPECT_EQ(unit->movementSpeed, 250.0f);
    EXPECT_EQ(unit->jumpHeight, 50.0f);
    EXPECT_EQ(unit->minDamageToKnockback, 10);
    EXPECT_EQ(unit->knockbackDuration, 0.3f);
    EXPECT_TRUE(unit->weapons.empty());
}

TEST(Arena, ThiefsWeaponZeroKillsTheNearEnemy) {
    EngineHarness engine;
    engine.LoadSceneFile(kArena);
    engine.Step(30);  // everyone lands
    CombatUnit* thief = engine.Get<CombatUnit>("Thief");
    CombatUnit* enemy = engine.Get<CombatUnit>("EnemyA");
    GameObject* enemyObject = engine.Find("EnemyA");
    ASSERT_TRUE(thief && enemy && enemy->healthBar);

    ASSERT_TRUE(thief->UseWeapon(0));
    EXPECT_TRUE(thief->HasState(CombatUnit::CASTING));
    bool numberShown = false;
    for (int i = 0; i < 30 && enemy->IsAlive(); ++i) {
        engine.Step();
        if (GameObject* number = engine.Find("DamageText"))
            numberShown = numberShown || number->GetComponent<DamageText>()->value == 40;
    }
    EXPECT_TRUE(numberShown);
    EXPECT_FALSE(enemy->IsAlive());
    EXPECT_EQ(enemy->currentHealth, 0);
    EXPECT_EQ(enemy->healthBar->value, 0);
    EXPECT_TRUE(enemy->animator->GetParameter("Dying")->IsSet());
    EXPECT_TRUE(enemyObject->active);  // the dying animation plays first
    engine.Step(60);                   // six cells of 0.125 s
    EXPECT_FALSE(enemyObject->active);
    EXPECT_EQ(CountNamed("ThiefAutoAttack trigger"), 0);  // the trigger lived its 0.3 s
    // The far enemy was out of reach.
    EXPECT_EQ(engine.Get<CombatUnit>("EnemyB")->currentHealth, 60);
}

}  // namespace

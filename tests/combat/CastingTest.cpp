// Weapon use: who may cast, what a cast costs, and the cast and recovery timeline.
#include "CombatFixture.h"

#include "gameobjectengine/JobManager.h"

namespace {

using namespace combat_test;

const char* kTwoWeapons = R"("weapons": [
    {"name": "Slow", "weaponType": 3, "castTime": 0.25, "vfxDuration": 0.5, "cooldown": 1.0, "manaCost": 30},
    {"name": "Long", "weaponType": 3, "castTime": 1.0, "vfxDuration": 0.25, "cooldown": 0.0}])";

TEST(Casting, WhoMayCast) {
    struct Row {
        const char* what;
        int mana;            // unit's mana (weapon 0 costs 30)
        float sinceLastCast; // weapon 0 cooldown is 1
        uint32_t stunned;
        bool alive;
        bool busy;           // another cast in progress
        int index;
        bool starts;
    };
    const Row rows[] = {
        {"ready", 100, 1.0f, 0, true, false, 0, true},
        {"mana equal to the cost", 30, 1.0f, 0, true, false, 0, true},
        {"one mana short", 29, 1.0f, 0, true, false, 0, false},
        {"cooldown not passed", 100, 0.99f, 0, true, false, 0, false},
        {"stunned", 100, 1.0f, 1, true, false, 0, false},
        {"another cast in progress", 100, 1.0f, 0, true, true, 0, false},
        {"dead", 100, 1.0f, 0, false, false, 0, false},
        {"index past the list", 100, 1.0f, 0, true, false, 2, false},
        {"negative index", 100, 1.0f, 0, true, false, -1, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CombatScene arena;
        arena.Unit("Caster", "Enemy", 300.0f, kTwoWeapons);
        arena.Load();
        CombatUnit* unit = arena.Get("Caster");
        unit->currentMana = row.mana;
        unit->weapons[0]->timeSinceLastCast = row.sinceLastCast;
        unit->states[CombatUnit::STUNNED] = row.stunned;
        unit->states[CombatUnit::ALIVE] = row.alive ? 1 : 0;
        if (row.busy) ASSERT_TRUE(unit->UseWeapon(1));
        EXPECT_EQ(unit->UseWeapon(row.index), row.starts);
        EXPECT_EQ(unit->currentMana, row.starts ? row.mana - 30 : row.mana);
        EXPECT_EQ(unit->currentWeapon == unit->weapons[0].get(), row.starts);
    }
}

TEST(Casting, CastFiresThenRecovers) {
    CombatScene arena(0.125f);
    arena.Unit("Caster", "Enemy", 300.0f, kTwoWeapons);
    arena.Load();
    CombatUnit* unit = arena.Get("Caster");
    ASSERT_TRUE(unit->UseWeapon(0));
    EXPECT_TRUE(unit->HasState(CombatUnit::CASTING));
    EXPECT_EQ(unit->weapons[0]->timeSinceLastCast, 0.0f);
    arena.engine.Step();
    EXPECT_TRUE(unit->HasState(CombatUnit::CASTING));
    arena.engine.Step();  // 0.25 s: fired
    EXPECT_FALSE(unit->HasState(CombatUnit::CASTING));
    EXPECT_TRUE(unit->HasState(CombatUnit::RECOVERING));
    EXPECT_EQ(unit->currentWeapon, nullptr);
    EXPECT_EQ(unit->currentWeaponIndex, 0);
    arena.engine.Step(5);
    EXPECT_FALSE(unit->HasState(CombatUnit::RECOVERING));
}

TEST(Casting, ZeroCastTimeFiresInTheNextUpdate) {
    CombatScene arena;
    arena.Unit("Caster", "Enemy", 300.0f, R"("weapons": [{"weaponType": 3, "castTime": 0, "cooldown": 0}])");
    arena.Load();
    CombatUnit* unit = arena.Get("Caster");
    ASSERT_TRUE(unit->UseWeapon(0));
    arena.engine.Step();
    EXPECT_EQ(unit->currentWeapon, nullptr);
    EXPECT_TRUE(unit->UseWeapon(0));  // cooldown 0: ready again at once, even while recovering
}

// The recovery and index jobs of an earlier cast leave a newer cast alone.
TEST(Casting, AnEarlierCastsJobsDoNotEndANewerCast) {
    CombatScene arena(0.125f);
    arena.Unit("Caster", "Enemy", 300.0f, kTwoWeapons);
    arena.Load();
    CombatUnit* unit = arena.Get("Caster");
    ASSERT_TRUE(unit->UseWeapon(0));
    arena.engine.Step(2);  // weapon 0 fired; its recovery ends 0.5 s later
    ASSERT_TRUE(unit->UseWeapon(1));
    arena.engine.Step(6);  // 0.75 s later, weapon 1 still casting
    EXPECT_TRUE(unit->HasState(CombatUnit::RECOVERING));
    EXPECT_EQ(unit->currentWeaponIndex, 1);
    arena.engine.Step(5);  // weapon 1 fired at 1 s, recovered 0.25 s later
    EXPECT_FALSE(unit->HasState(CombatUnit::RECOVERING));
    EXPECT_EQ(unit->currentWeaponIndex, 0);
}

// A hit's flash ends even when a cast starts in between.
TEST(Casting, FlashEndsWhateverTheCasts) {
    CombatScene arena(0.05f);
    arena.Unit("Caster", "Enemy", 300.0f, kTwoWeapons);
    arena.Load();
    CombatUnit* unit = arena.Get("Caster");
    ASSERT_NE(unit->spriteRenderer, nullptr);
    unit->TakeDamage(1, 1);
    EXPECT_EQ(unit->spriteRenderer->tintStrength, 0.5f);
    ASSERT_TRUE(unit->UseWeapon(1));
    arena.engine.Step(5);
    EXPECT_EQ(unit->spriteRenderer->tintStrength, 0.0f);
    EXPECT_EQ(unit->flashCount, 0);
}

}  // namespace

// Hits and healing: the roll, knock-back, numbers, flashes, bars and their limits.
#include <climits>

#include "CombatFixture.h"
#include "combat/UnitEffects.h"
#include "graphics/DamageText.h"

namespace {

using namespace combat_test;

const char* kKnockback = "CombatUnit default knockback";

TEST(Damage, RollRangeAndNumbers) {
    struct Row {
        const char* what;
        int min, max;
        int lowest, highest;  // of the damage dealt over many hits
        bool numbers;
    };
    const Row rows[] = {
        {"equal bounds deal exactly that", 5, 5, 5, 5, true},
        {"the maximum itself is never dealt", 5, 10, 5, 9, true},
        {"a negative roll counts as nothing", -20, -10, 0, 0, false},
        {"reversed bounds", 10, 5, 10, 14, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CombatScene arena;
        arena.Unit("Target", "Enemy", 300.0f, R"("currentHealth": 100000, "maxHealth": 100000, "minDamageToKnockback": 1000)");
        arena.Load();
        CombatUnit* unit = arena.Get("Target");
        int lowest = INT_MAX, highest = INT_MIN;
        for (int i = 0; i < 200; ++i) {
            const int before = unit->currentHealth;
            unit->TakeDamage(row.min, row.max);
            lowest = std::min(lowest, before - unit->currentHealth);
            highest = std::max(highest, before - unit->currentHealth);
        }
        EXPECT_EQ(lowest, row.lowest);
        EXPECT_EQ(highest, row.highest);
        EXPECT_EQ(CountNamed("DamageText") > 0, row.numbers);
    }
}

TEST(Damage, ExtremeBoundsNeitherOverflowNorWrap) {
    CombatScene arena;
    arena.Unit("Target", "Enemy", 300.0f);
    arena.Load();
    CombatUnit* unit = arena.Get("Target");
    unit->TakeDamage(INT_MIN, INT_MAX);  // the span needs 64 bits
    unit->states[CombatUnit::ALIVE] = 0; // a dead unit still takes hits
    unit->TakeDamage(INT_MAX, INT_MAX);
    unit->TakeDamage(INT_MAX, INT_MAX);
    EXPECT_EQ(unit->currentHealth, INT_MIN);
    // Reversed bounds at the top of the range: the roll passes INT_MAX and is held there.
    for (int hit = 0; hit < 8; ++hit) {
        unit->currentHealth = 0;
        unit->TakeDamage(INT_MAX, INT_MAX - 2);
        EXPECT_EQ(unit->currentHealth, -INT_MAX) << "hit " << hit;
    }
}

TEST(Damage, HardHitsKnockBackUnlessBusy) {
    struct Row {
        const char* what;
        int damage;
        uint32_t casting, recovering;
        bool knockedBack;
    };
    const Row rows[] = {
        {"at the threshold", 10, 0, 0, true},
        {"below it", 9, 0, 0, false},
        {"while casting", 50, 1, 0, false},
        {"while recovering", 50, 0, 1, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CombatScene arena;
        arena.Unit("Target", "Enemy", 300.0f, R"("knockbackDuration": 0.5)");
        arena.Load();
        CombatUnit* unit = arena.Get("Target");
        unit->states[CombatUnit::CASTING] = row.casting;
        unit->states[CombatUnit::RECOVERING] = row.recovering;
        unit->TakeDamage(row.damage, row.damage);
        Combat::EffectBasic* knockback = unit->effectList->FindByName(kKnockback);
        EXPECT_EQ(knockback != nullptr, row.knockedBack);
        if (knockback) {
            EXPECT_EQ(knockback->duration, 0.5f);
            EXPECT_TRUE(unit->HasState(CombatUnit::STUNNED));
        }
    }
}

// The knock-back a hit adds while the list is being walked is handled in the same pass.
TEST(Damage, KnockbackAddedDuringThePassAgesInIt) {
    CombatScene arena(0.125f);
    arena.Unit("Target", "Enemy", 300.0f);
    arena.Load();
    CombatUnit* unit = arena.Get("Target");
    auto burn = MakeEffect(
        R"({"name": "Burn", "effectType": 1, "resolveType": 3, "duration": 5, "tickTime": 0, "minDamage": 20, "maxDamage": 20})");
    unit->effectList->AddEffect(*burn);
    arena.engine.Step();
    Combat::EffectBasic* knockback = unit->effectList->FindByName(kKnockback);
    ASSERT_NE(knockback, nullptr);
    EXPECT_EQ(knockback->elapsed, 0.125f);
}

TEST(Damage, HealingAndManaNeverLower) {
    struct Row {
        const char* what;
        int current, max, amount;
        int after;
        bool number;
    };
    const Row rows[] = {
        {"up to the ceiling", 90, 100, 50, 100, true},
        {"already full", 100, 100, 50, 100, false},
        {"above the ceiling stays", 120, 100, 10, 120, false},
        {"a negative amount does nothing", 50, 100, -20, 50, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CombatScene arena;
        arena.Unit("Target", "Player", 300.0f);
        arena.Load();
        CombatUnit* unit = arena.Get("Target");
        unit->currentHealth = row.current;
        unit->maxHealth = row.max;
        unit->Heal(row.amount);
        EXPECT_EQ(unit->currentHealth, row.after);
        EXPECT_EQ(CountNamed("HealText"), row.number ? 1 : 0);
        if (row.number) {
            EXPECT_EQ(ShownValue("HealText"), static_cast<uint32_t>(row.after - row.current));
        }
        unit->currentMana = row.current;
        unit->maxMana = row.max;
        unit->GainMana(row.amount);
        EXPECT_EQ(unit->currentMana, row.after);
    }
}

TEST(Damage, FlashesPairWithHitsAndFreezeTintReturns) {
    CombatScene arena(0.05f);
    arena.Unit("Target", "Enemy", 300.0f, R"("minDamageToKnockback": 1000)");
    arena.Load();
    CombatUnit* unit = arena.Get("Target");
    SpriteRenderer* sprite = unit->spriteRenderer;
    unit->TakeDamage(1, 1);
    arena.engine.Step(2);  // 0.1 s
    unit->TakeDamage(1, 1);
    arena.engine.Step(3);  // 0.25 s after the first hit, 0.15 after the second
    EXPECT_EQ(sprite->tintStrength, 0.5f);
    arena.engine.Step(2);
    EXPECT_EQ(sprite->tintStrength, 0.0f);

    auto freeze = MakeEffect(R"({"name": "Freeze", "effectType": 8, "resolveType": 2, "duration": 5, "applyFlags": 11})");
    unit->effectList->AddEffect(*freeze);
    unit->TakeDamage(1, 1);
    EXPECT_EQ(sprite->color[0], 1.0f);  // white flash over the cyan
    arena.engine.Step(5);
    EXPECT_EQ(sprite->tintStrength, 1.0f);
    EXPECT_EQ(sprite->color[0], 0.0f);
    EXPECT_EQ(sprite->color[1], 1.0f);
}

}  // namespace

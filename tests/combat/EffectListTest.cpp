// The effect list: timing rules, one active effect per name, caster-only effects.
#include "CombatFixture.h"

namespace {

using namespace combat_test;

// A hit of 1 per resolution on a unit with plenty of health: resolutions = health lost.
TEST(EffectList, TimingRules) {
    struct Row {
        const char* what;
        const char* timing;     // resolveType and its times
        int resolvedAfter[10];  // health lost after each 0.125 s update
        int removedAt;          // update (1-based) that removes it; 0 never
    };
    const Row rows[] = {
        {"instant", R"("resolveType": 1)", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, 1},
        {"delayed 0.5 s", R"("resolveType": 2, "duration": 0.5)", {0, 0, 0, 1, 1, 1, 1, 1, 1, 1}, 4},
        {"ticking 1 s every 0.25 s", R"("resolveType": 3, "duration": 1, "tickTime": 0.25)", {0, 1, 1, 2, 2, 3, 3, 4, 4, 4}, 9},
        {"ticking 0.3 s every 0.3 s never resolves", R"("resolveType": 3, "duration": 0.3, "tickTime": 0.3)", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 3},
        {"no timing rule stays", R"("resolveType": 0)", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CombatScene arena(0.125f);
        arena.Unit("Target", "Enemy", 300.0f, R"("currentHealth": 1000, "maxHealth": 1000)");
        arena.Load();
        CombatUnit* unit = arena.Get("Target");
        auto effect = MakeEffect(std::string(R"({"name": "Tick", "effectType": 1, "minDamage": 1, "maxDamage": 1, )") +
                                 row.timing + "}");
        ASSERT_NE(unit->effectList->AddEffect(*effect), nullptr);
        for (int update = 1; update <= 10; ++update) {
            arena.engine.Step();
            EXPECT_EQ(1000 - unit->currentHealth, row.resolvedAfter[update - 1]) << "update " << update;
            const bool present = unit->effectList->FindByName("Tick") != nullptr;
            EXPECT_EQ(present, row.removedAt == 0 || update < row.removedAt) << "update " << update;
        }
    }
}

TEST(EffectList, WhoAcceptsAnEffect) {
    CombatScene arena;
    arena.Unit("Caster", "Enemy", 300.0f,
               R"("weapons": [{"weaponType": 3, "effects": [
                    {"name": "Mine", "effectType": 4, "resolveType": 0, "targetCasterInstead": 1},
                    {"name": "Shared", "effectType": 4, "resolveType": 2, "duration": 0.05}]}])");
    arena.Unit("Other", "Enemy", 600.0f);
    arena.Load();
    CombatUnit* caster = arena.Get("Caster");
    CombatUnit* other = arena.Get("Other");
    const Combat::EffectBasic& mine = *caster->weapons[0]->effects[0];
    const Combat::EffectBasic& shared = *caster->weapons[0]->effects[1];

    EXPECT_EQ(other->effectList->AddEffect(mine), nullptr);  // meant for its caster only
    EXPECT_NE(caster->effectList->AddEffect(mine), nullptr);
    EXPECT_NE(other->effectList->AddEffect(shared), nullptr);
    EXPECT_EQ(other->effectList->AddEffect(shared), nullptr);  // same name active: dropped
    EXPECT_EQ(other->effectList->Size(), 1u);
    arena.engine.Step(5);                                      // the first one ended
    EXPECT_NE(other->effectList->AddEffect(shared), nullptr);
    other->states[CombatUnit::ALIVE] = 0;
    arena.engine.Step(5);
    EXPECT_EQ(other->effectList->AddEffect(shared), nullptr);  // the dead receive nothing
}

}  // namespace

// Effects that act on the unit: dash, knock-back, states, and switches held by several effects.
#include "CombatFixture.h"

#include "animationmanager/Animator.h"
#include "gameobjectengine/Transform.h"
#include "physics/Rigidbody.h"

namespace {

using namespace combat_test;

TEST(UnitEffects, DashFollowsTheFacingWithGravityOff) {
    for (bool keepGravity : {false, true}) {
        SCOPED_TRACE(keepGravity ? "gravity kept" : "gravity off");
        CombatScene arena(0.05f);
        arena.Unit("Dasher", "Enemy", 600.0f);
        arena.Load();
        arena.engine.Step(20);  // landed
        CombatUnit* unit = arena.Get("Dasher");
        Transform* at = arena.engine.Get<Transform>("Dasher");
        unit->rigidbody->facing = 0;
        const float startX = at->x;
        auto dash = MakeEffect(std::string(R"({"name": "Dash", "effectType": 2, "resolveType": 3, "duration": 0.2,
            "tickTime": 0, "velocityX": 800, "useGravityWhenMoving": )") + (keepGravity ? "1" : "0") + "}");
        unit->effectList->AddEffect(*dash);
        EXPECT_EQ(unit->rigidbody->useGravity, keepGravity);
        EXPECT_TRUE(unit->HasState(CombatUnit::MOVEMENT_LOCKED));
        arena.engine.Step(2);
        EXPECT_LT(at->x, startX - 50.0f);  // moved left
        arena.engine.Step(5);
        EXPECT_TRUE(unit->rigidbody->useGravity);
        EXPECT_FALSE(unit->HasState(CombatUnit::MOVEMENT_LOCKED));
    }
}

TEST(UnitEffects, KnockbackPushesTheWayTheCasterFaces) {
    struct Row {
        uint32_t facing;
        bool casterHasBody;  // without one, the push keeps its own direction
        float pushX;
    };
    for (const Row& row : {Row{0, true, -300.0f}, Row{1, true, 300.0f}, Row{0, false, 300.0f}}) {
        SCOPED_TRACE(std::to_string(row.facing) + (row.casterHasBody ? " with a body" : " without a body"));
        CombatScene arena;
        arena.Unit("Caster", "Enemy", 300.0f,
                   R"("weapons": [{"weaponType": 3, "effects": [
                        {"name": "Push", "effectType": 6, "resolveType": 1, "tickTime": 0.2, "forceX": 300, "forceY": -50}]}])");
        arena.Unit("Target", "Enemy", 600.0f);
        arena.Load();
        CombatUnit* target = arena.Get("Target");
        CombatUnit* caster = arena.Get("Caster");
        caster->rigidbody->facing = row.facing;
        if (!row.casterHasBody) caster->rigidbody = nullptr;
        target->effectList->AddEffect(*caster->weapons[0]->effects[0]);
        EXPECT_TRUE(target->HasState(CombatUnit::STUNNED));
        arena.engine.Step();
        ASSERT_FALSE(target->rigidbody->forces.empty());
        EXPECT_EQ(target->rigidbody->forces.front().deltaVX, row.pushX);
        EXPECT_EQ(target->rigidbody->forces.front().deltaVY, -50.0f);
        EXPECT_FALSE(target->HasState(CombatUnit::STUNNED));
    }
}

TEST(UnitEffects, StatusChangesOnlyWhatItCan) {
    struct Row {
        const char* what;
        const char* status;
        CombatUnit::EFCUSTATE state;
        uint32_t before, during, after;
    };
    const Row rows[] = {
        {"raise invulnerable", R"("apply": 1, "applyFlags": 6)", CombatUnit::INVULNERABLE, 0, 1, 0},
        {"lower a raised state", R"("apply": 0, "applyFlags": 7)", CombatUnit::CHASING, 1, 0, 1},
        {"lower a state that is not raised", R"("apply": 0, "applyFlags": 7)", CombatUnit::CHASING, 0, 0, 0},
        {"state past the table", R"("apply": 1, "applyFlags": 12)", CombatUnit::ALIVE, 1, 1, 1},
        {"negative state", R"("apply": 0, "applyFlags": -1)", CombatUnit::ALIVE, 1, 1, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CombatScene arena(0.1f);
        arena.Unit("Target", "Enemy", 300.0f);
        arena.Load();
        CombatUnit* unit = arena.Get("Target");
        unit->states[row.state] = row.before;
        auto status = MakeEffect(std::string(R"({"name": "S", "effectType": 8, "resolveType": 2, "duration": 0.25, )") +
                                 row.status + "}");
        unit->effectList->AddEffect(*status);
        EXPECT_EQ(unit->states[row.state], row.during);
        if (row.state == CombatUnit::INVULNERABLE) {
            unit->TakeDamage(30, 30);
            EXPECT_EQ(unit->currentHealth, 100);
        }
        arena.engine.Step(3);
        EXPECT_EQ(unit->states[row.state], row.after);
    }
}

// Two effects of different names on one switch: the first to end leaves it held, the
// last one restores what was there before.
TEST(UnitEffects, OverlappingEffectsRestoreAtTheLast) {
    struct Row {
        const char* what;
        const char* effect;  // JSON members besides name and timing
        bool (*held)(CombatUnit&);
        bool stopsBody = false;  // the body stands still when the switch is taken and given back
    };
    const Row rows[] = {
        {"gravity", R"("effectType": 2, "resolveType": 3, "tickTime": 1)",
         [](CombatUnit& u) { return !u.rigidbody->useGravity; }},
        {"dash transparency", R"("effectType": 2, "resolveType": 3, "tickTime": 1, "useGravityWhenMoving": 1, "alphaFadeWhenMoving": 1)",
         [](CombatUnit& u) { return u.spriteRenderer->alpha == 50; }},
        {"kinematic", R"("effectType": 9, "resolveType": 2)", [](CombatUnit& u) { return u.rigidbody->isKinematic; }, true},
        {"freeze", R"("effectType": 8, "resolveType": 2, "applyFlags": 11)",
         [](CombatUnit& u) { return u.spriteRenderer->tintStrength == 1.0f && !u.animator->enabled; }},
        {"disappearance", R"("effectType": 7, "resolveType": 2)", [](CombatUnit& u) { return !u.spriteRenderer->enabled; }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CombatScene arena(0.1f);
        const int id = arena.Unit("Target", "Enemy", 300.0f);
        arena.scene.Add(id, "Animator");
        arena.Load();
        CombatUnit* unit = arena.Get("Target");
        ASSERT_TRUE(unit->animator && unit->spriteRenderer && unit->rigidbody);
        const auto make = [&](const char* name, const char* duration) {
            return MakeEffect(std::string("{\"name\": \"") + name + "\", \"duration\": " + duration + ", " + row.effect + "}");
        };
        auto longer = make("Long", "0.95");
        auto shorter = make("Short", "0.25");
        EXPECT_FALSE(row.held(*unit));
        Rigidbody& body = *unit->rigidbody;
        if (row.stopsBody) body.xVelocity = 50.0f, body.yVelocity = -80.0f;
        unit->effectList->AddEffect(*longer);
        if (row.stopsBody) {
            EXPECT_EQ(body.xVelocity, 0.0f);
            EXPECT_EQ(body.yVelocity, 0.0f);
        }
        unit->effectList->AddEffect(*shorter);
        arena.engine.Step(5);
        ASSERT_EQ(unit->effectList->FindByName("Short"), nullptr);
        EXPECT_TRUE(row.held(*unit));
        // A kinematic body keeps its sideways velocity; given back, it must not set off with it.
        if (row.stopsBody) body.xVelocity = 50.0f;
        const float heldX = arena.engine.Get<Transform>("Target")->x;
        arena.engine.Step(6);
        ASSERT_EQ(unit->effectList->FindByName("Long"), nullptr);
        EXPECT_FALSE(row.held(*unit));
        if (row.stopsBody) {
            EXPECT_EQ(arena.engine.Get<Transform>("Target")->x, heldX);
        }
    }
}

TEST(UnitEffects, ManaDrainFillsTheCasterUpToItsCeiling) {
    CombatScene arena;
    arena.Unit("Caster", "Enemy", 300.0f,
               R"("currentMana": 90, "weapons": [{"weaponType": 3, "effects": [
                    {"name": "Drain", "effectType": 3, "resolveType": 1, "manavampAmount": 30}]}])");
    arena.Unit("Target", "Enemy", 600.0f);
    arena.Load();
    arena.Get("Target")->effectList->AddEffect(*arena.Get("Caster")->weapons[0]->effects[0]);
    arena.engine.Step();
    EXPECT_EQ(arena.Get("Caster")->currentMana, 100);
    EXPECT_EQ(arena.Get("Target")->currentMana, 100);
}

}  // namespace

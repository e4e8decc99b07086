// Weapons: where triggers go, volleys, self and team weapons, and the weapon area's ticks.
#include "CombatFixture.h"

#include "combat/WeaponArea.h"
#include "graphics/GraphicsTestSupport.h"
#include "physics/Translate.h"
#include "platform/MessageBox.h"
#include "graphics/GraphicsEngine.h"
#include "physics/Collider.h"
#include "physics/Rigidbody.h"

namespace {

using namespace combat_test;

const char* kHit = R"({"name": "Hit", "effectType": 1, "resolveType": 1, "minDamage": 10, "maxDamage": 10})";

std::string Weapon(const std::string& members) {
    return R"("minDamageToKnockback": 1000, "weapons": [{"name": "W", "castTime": 0, "cooldown": 0, "effects": [)" +
           std::string(kHit) + "], " + members + "}]";
}

TEST(Weapons, MeleeTriggerSitsBesideTheCasterByFacing) {
    for (uint32_t facing : {0u, 1u}) {
        CombatScene arena;
        arena.Unit("Caster", "Enemy", 300.0f, Weapon(R"("weaponType": 1, "colliderType": 1, "colDim1": 30, "offsetX": 40, "offsetY": -5)"));
        arena.Load();
        CombatUnit* caster = arena.Get("Caster");
        caster->rigidbody->facing = facing;
        GameObject* trigger = caster->weapons[0]->Fire(caster);
        ASSERT_NE(trigger, nullptr);
        EXPECT_EQ(trigger->name, "W trigger");
        const Transform* at = arena.engine.Get<Transform>("Caster");
        EXPECT_EQ(trigger->GetComponent<Transform>()->x, at->x + (facing ? 40.0f : -40.0f));
        EXPECT_EQ(trigger->GetComponent<Transform>()->y, at->y - 5.0f);
        EXPECT_EQ(trigger->GetComponent<Transform>()->scaleX, 30.0f);
        EXPECT_EQ(trigger->GetComponent<Rigidbody>()->facing, facing);
        EXPECT_TRUE(trigger->GetComponent<Rigidbody>()->isKinematic);
    }
}

TEST(Weapons, AreasHitTheTargetedGroup) {
    struct Row {
        int targetGroup;
        bool enemyHit, allyHit;
    };
    const Row rows[] = {{0, false, false}, {1, true, false}, {2, false, true}, {3, true, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.targetGroup);
        CombatScene arena;
        arena.Unit("Caster", "Enemy", 300.0f,
                   R"("team": 1, )" + Weapon(R"("weaponType": 1, "colliderType": 2, "colDim1": 200, "colDim2": 60, "offsetX": 300, "tickInterval": 0, "targetGroup": )" +
                                             std::to_string(row.targetGroup)));
        arena.Unit("Ally", "Enemy", 450.0f, R"("team": 1, "minDamageToKnockback": 1000)");
        arena.Unit("Foe", "Enemy", 600.0f, R"("team": 2, "minDamageToKnockback": 1000)");
        arena.Load();
        arena.engine.Step(20);
        ASSERT_TRUE(arena.Get("Caster")->UseWeapon(0));
        arena.engine.Step(5);
        EXPECT_EQ(arena.Get("Foe")->currentHealth < 100, row.enemyHit);
        EXPECT_EQ(arena.Get("Ally")->currentHealth < 100, row.allyHit);
        EXPECT_EQ(arena.Get("Caster")->currentHealth, 100);  // not touching the area
    }
}

TEST(Weapons, AreaTicksAndHitBudget) {
    CombatScene arena(0.25f);
    arena.Unit("Caster", "Enemy", 300.0f,
               Weapon(R"("weaponType": 1, "colliderType": 2, "colDim1": 200, "colDim2": 60, "offsetX": 250, "tickInterval": 0.5,
                         "lifetime": 10, "targetGroup": 1, "imgOnDestroy": "Assets/Art/Effects/Shield.png", "imgOnDestroyTime": 10)"));
    arena.Unit("FoeA", "Enemy", 450.0f, R"("team": 2, "minDamageToKnockback": 1000, "currentHealth": 1000, "maxHealth": 1000)");
    arena.Unit("FoeB", "Enemy", 600.0f, R"("team": 2, "minDamageToKnockback": 1000, "currentHealth": 1000, "maxHealth": 1000)");
    arena.Load();
    arena.engine.Step(8);
    CombatUnit* caster = arena.Get("Caster");
    GameObject* trigger = caster->weapons[0]->Fire(caster);
    ASSERT_NE(trigger, nullptr);
    // Hits on the 2nd, 4th and 6th update after the set-up; the units, earlier in the
    // table, resolve them in their next update.
    const int lost[] = {0, 0, 10, 10, 20, 20};
    for (int update = 0; update < 6; ++update) {
        arena.engine.Step();
        EXPECT_EQ(1000 - arena.Get("FoeA")->currentHealth, lost[update]) << update;
        EXPECT_EQ(1000 - arena.Get("FoeB")->currentHealth, lost[update]) << update;
    }
    // A budget of one hit: both units in this tick are hit, the trigger goes once.
    trigger->GetComponent<Combat::WeaponArea>()->collisionsBeforeDestroy = 1;
    arena.engine.Step(2);
    EXPECT_EQ(CountNamed("W trigger"), 0);
    EXPECT_EQ(CountNamed("W trigger_impactFX"), 8);  // one per unit hit
    arena.engine.Step();
    EXPECT_EQ(arena.Get("FoeA")->currentHealth, 960);
    EXPECT_EQ(arena.Get("FoeB")->currentHealth, 960);
}

TEST(Weapons, ProjectileVolley) {
    struct Row {
        int numProjectiles;
        int fired;
        int remainingBeforeEach[3];
    };
    const Row rows[] = {{3, 3, {3, 2, 1}}, {1, 1, {1, 0, 0}}, {0, 1, {0, 0, 0}}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.numProjectiles);
        CombatScene arena(0.25f);
        arena.Unit("Caster", "Enemy", 300.0f,
                   Weapon(R"("weaponType": 2, "colliderType": 1, "colDim1": 10, "lifetime": 5, "velocityX": 100, "launchInterval": 0.5, "numProjectiles": )" +
                          std::to_string(row.numProjectiles)));
        arena.Load();
        CombatUnit* caster = arena.Get("Caster");
        auto* weapon = static_cast<Combat::WeaponFieldProjectile*>(caster->weapons[0].get());
        EXPECT_EQ(weapon->remainingProjectiles, row.remainingBeforeEach[0]);
        weapon->Fire(caster);
        for (int i = 1; i < row.fired; ++i) {
            EXPECT_EQ(weapon->remainingProjectiles, row.remainingBeforeEach[i]);
            arena.engine.Step(2);
        }
        arena.engine.Step(4);
        EXPECT_EQ(CountNamed("W trigger"), row.fired);
        EXPECT_EQ(weapon->remainingProjectiles, row.numProjectiles);
    }
}

TEST(Weapons, ProjectileFliesMirroredOnTheUnitsLayer) {
    CombatScene arena;
    const int backdrop = arena.scene.Object("Backdrop");
    arena.scene.At(backdrop, 0, 0).Add(backdrop, "SpriteRenderer", R"("layer": 0)");
    arena.Unit("Caster", "Enemy", 300.0f,
               Weapon(R"("weaponType": 2, "colliderType": 1, "colDim1": 10, "velocityX": 100,
                         "minAccelerationX": 40, "maxAccelerationX": 40, "minAccelerationY": 5, "maxAccelerationY": 25)"));
    arena.Load();
    CombatUnit* caster = arena.Get("Caster");
    caster->rigidbody->facing = 0;
    GameObject* projectile = caster->weapons[0]->Fire(caster);
    ASSERT_NE(projectile, nullptr);
    const Translate* flight = projectile->GetComponent<Translate>();
    EXPECT_EQ(flight->velocityX, -100.0f);
    EXPECT_EQ(flight->accelerationX, -40.0f);  // equal bounds give that value
    EXPECT_GE(flight->accelerationY, 5.0f);
    EXPECT_LE(flight->accelerationY, 25.0f);
    EXPECT_EQ(projectile->GetComponent<Transform>()->scaleX, -10.0f);
    // Listed among the units, above the backdrop, as it woke on the units' layer.
    auto* sprite = projectile->GetComponent<SpriteRenderer>();
    EXPECT_EQ(sprite->texture, 0u);
    const auto& list = GraphicsEngine::GetInstance().renderList;
    const auto at = std::find(list.begin(), list.end(), sprite);
    ASSERT_NE(at, list.end());
    for (auto it = at; it != list.end(); ++it) EXPECT_GE((*it)->layer, 3);
    // A dead caster fires nothing.
    caster->states[CombatUnit::ALIVE] = 0;
    EXPECT_EQ(caster->weapons[0]->Fire(caster), nullptr);
}

// A projectile without a picture loads nothing (and so reports no failed load).
TEST(Weapons, ProjectilePictureLoadsOnlyWhenNamed) {
    for (const char* picture : {"", "Assets/Art/Effects/Shield.png"}) {
        SCOPED_TRACE(picture);
        CombatScene arena;
        arena.Unit("Caster", "Enemy", 300.0f,
                   Weapon(std::string(R"("weaponType": 2, "colliderType": 1, "colDim1": 10, "imgProjectile": ")") + picture + "\""));
        arena.Load();
        ScopedGraphics graphics;
        CombatUnit* caster = arena.Get("Caster");
        GameObject* projectile = caster->weapons[0]->Fire(caster);
        ASSERT_NE(projectile, nullptr);
        EXPECT_TRUE(platform::ShownMessages().empty());
        EXPECT_EQ(projectile->GetComponent<SpriteRenderer>()->texture != 0, *picture != 0);
    }
}

TEST(Weapons, SelfAndTeamWeaponsChooseTheirReceivers) {
    CombatScene arena;
    arena.Unit("Healer", "Enemy", 300.0f,
               R"("team": 1, "weapons": [
                   {"weaponType": 3, "effects": [{"name": "Up", "effectType": 11, "resolveType": 1, "healAmount": 20}]},
                   {"weaponType": 4, "targetTeam": 1, "effects": [{"name": "Up", "effectType": 11, "resolveType": 1, "healAmount": 20}]},
                   {"weaponType": 4, "targetTeam": 2, "effects": [{"name": "Up", "effectType": 11, "resolveType": 1, "healAmount": 20}]}])");
    arena.Unit("Friend", "Enemy", 600.0f, R"("team": 1)");
    arena.Unit("Stranger", "Enemy", 900.0f, R"("team": 2)");
    arena.Load();
    struct Row {
        int weapon;
        int healer, friendly, stranger;
    };
    const Row rows[] = {{0, 70, 50, 50}, {1, 70, 70, 50}, {2, 50, 50, 70}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.weapon);
        for (const char* name : {"Healer", "Friend", "Stranger"}) arena.Get(name)->currentHealth = 50;
        CombatUnit* healer = arena.Get("Healer");
        EXPECT_EQ(healer->weapons[row.weapon]->Fire(healer), healer->owner);
        arena.engine.Step();
        EXPECT_EQ(healer->currentHealth, row.healer);
        EXPECT_EQ(arena.Get("Friend")->currentHealth, row.friendly);
        EXPECT_EQ(arena.Get("Stranger")->currentHealth, row.stranger);
    }
}

TEST(Weapons, DefinitionsByType) {
    CombatScene arena;
    arena.Unit("Caster", "Enemy", 300.0f,
               R"("weapons": [{"weaponType": 1}, {"weaponType": 7}, {"name": "x"}, {"weaponType": 3}, [1], {"weaponType": 4, "targetTeam": 5}])");
    arena.Load();
    const CombatUnit* unit = arena.Get("Caster");
    ASSERT_EQ(unit->weapons.size(), 3u);
    EXPECT_EQ(unit->weapons[0]->weaponType, Combat::WeaponCode::Melee);
    EXPECT_EQ(unit->weapons[1]->weaponType, Combat::WeaponCode::Self);
    EXPECT_EQ(unit->weapons[1]->name, "WeaponBasic");
    EXPECT_EQ(static_cast<Combat::WeaponTeam*>(unit->weapons[2].get())->targetTeam, 5);
}

}  // namespace

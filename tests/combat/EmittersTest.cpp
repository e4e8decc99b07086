// The emitters a unit makes for itself at start, by tag, name and enabled flag.
#include "CombatFixture.h"

#include "particles/LaserParticleEmitter.h"
#include "particles/MageParticleEmitter.h"
#include "particles/ManaParticleEmitter.h"
#include "particles/ThiefParticleEmitter.h"

namespace {

using namespace combat_test;

TEST(Emitters, MadeByTagAndName) {
    struct Row {
        const char* name;
        const char* tag;
        const char* unitMembers;
        bool mana, thief, mage, laser;
    };
    const Row rows[] = {
        {"Thief", "Player", "", true, true, false, false},
        {"Mage", "Player", "", true, false, true, false},
        {"Squire", "Player", "", true, false, false, false},
        {"Thief", "Player", R"("enabled": 0)", false, false, false, false},
        {"EnemyLaser", "Laser Boss", "", false, false, false, true},
        {"Grunt", "Enemy", "", false, false, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name) + " " + row.unitMembers);
        CombatScene arena;
        arena.Unit(row.name, row.tag, 300.0f, row.unitMembers);
        arena.Load();
        GameObject* object = arena.engine.Find(row.name);
        CombatUnit* unit = object->GetComponent<CombatUnit>();
        EXPECT_EQ(object->GetComponent<ManaParticleEmitter>() != nullptr, row.mana);
        EXPECT_EQ(unit->manaEmitter, object->GetComponent<ManaParticleEmitter>());
        EXPECT_EQ(object->GetComponent<ThiefParticleEmitter>() != nullptr, row.thief);
        EXPECT_EQ(object->GetComponent<MageParticleEmitter>() != nullptr, row.mage);
        EXPECT_EQ(object->GetComponent<LaserParticleEmitter>() != nullptr, row.laser);
    }
}

TEST(Emitters, LaserStartsOnlyForItsOwnWeapon) {
    for (const char* weapon : {"EnemyLaser", "Other"}) {
        CombatScene arena;
        arena.Unit("EnemyLaser", "Laser Boss", 300.0f,
                   std::string(R"("weapons": [{"weaponType": 3, "name": ")") + weapon + R"(", "castTime": 0, "cooldown": 0}])");
        arena.Load();
        ASSERT_TRUE(arena.Get("EnemyLaser")->UseWeapon(0));
        EXPECT_EQ(arena.engine.Get<LaserParticleEmitter>("EnemyLaser")->charging, std::string(weapon) == "EnemyLaser");
    }
}

}  // namespace

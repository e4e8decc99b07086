// The calls the weapons and effects make into the caster's emitters.
#include "EmitterFixture.h"
#include "combat/EmitterCalls.h"
#include "particles/BossParticleEmitter.h"
#include "particles/LaserParticleEmitter.h"
#include "particles/MageParticleEmitter.h"
#include "particles/ManaParticleEmitter.h"
#include "particles/ThiefParticleEmitter.h"

namespace {

class EmitterCallsTest : public EmitterTest {
protected:
    Combat::CombatUnit* MakeUnit(const char* name, const char* tag) {
        GameObject* object = SceneManager::GetInstance().CreateGameObject(name, true);
        object->tag = tag;
        object->AddComponent<Transform>(true);
        object->AddComponent<Rigidbody>(true);
        auto* made = object->AddComponent<Combat::CombatUnit>(true);
        made->Start();
        return made;
    }
};

TEST_F(EmitterCallsTest, WeaponsAndEffectsReachTheCastersEmitters) {
    Combat::CombatUnit* thief = MakeUnit("Thief", "Player");
    Combat::CombatUnit* mage = MakeUnit("Mage", "Player");
    Combat::CombatUnit* laser = MakeUnit("EnemyLaser", "Laser Boss");
    thief->owner->GetComponent<Transform>()->x = 700.0f;

    Combat::Emitters::AddThiefSlash(*thief);
    EXPECT_EQ(thief->owner->GetComponent<ThiefParticleEmitter>()->slashes[0].kind,
              ThiefParticleEmitter::SlashKind::Horizontal);
    Combat::Emitters::StartLaser(*laser);
    EXPECT_TRUE(laser->owner->GetComponent<LaserParticleEmitter>()->charging);
    Combat::Emitters::BurstManaAt(*mage, *thief);
    EXPECT_FLOAT_EQ(mage->manaEmitter->bursts[0].positionX, 700.0f);
    Combat::Emitters::AddFreezeParticle(*mage, *thief);
    const Particle& frost = mage->owner->GetComponent<MageParticleEmitter>()->freeze[0];
    ASSERT_TRUE(frost.active);
    EXPECT_GE(frost.width, 250.0f);
    EXPECT_FLOAT_EQ(frost.positionX, 700.0f - static_cast<float>(static_cast<int>(frost.width) / 2));
    Transform* projectile = MakeProjectile(0.0f, 0.0f);
    Combat::Emitters::AddProjectileTrail(*mage, *projectile);
    EXPECT_TRUE(mage->owner->GetComponent<MageParticleEmitter>()->trails[0].active);
    Combat::Emitters::AddProjectileTrail(*thief, *projectile);  // no trail for the Thief, no harm
}

}  // namespace

#pragma once
// The emitters as combat reaches them: each call finds the emitter component of the
// unit's object and does nothing without one.
#include "combat/EmitterCalls.h"

class CombatEmitters final : public Combat::Emitters::Particles {
public:
    static CombatEmitters& GetInstance();

    ManaParticleEmitter* MakeUnitEmitters(Combat::CombatUnit& unit) override;
    void AddBossEmitter(GameObject& boss) override;
    void BurstManaAt(Combat::CombatUnit& drainer, const Combat::CombatUnit& target) override;
    void AddFreezeParticle(Combat::CombatUnit& caster, const Combat::CombatUnit& target) override;
    void SpawnSummonEffect(Combat::CombatUnit& summoner, float x, float y) override;
    void AddProjectileTrail(Combat::CombatUnit& caster, Transform& projectile) override;
    void AddThiefSlash(Combat::CombatUnit& thief) override;
    void StartLaser(Combat::CombatUnit& caster) override;

private:
    CombatEmitters() = default;
};

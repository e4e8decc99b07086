#include "combat/EmitterCalls.h"

#include "combat/CombatUnit.h"

namespace Combat::Emitters {

namespace {

Particles* installed = nullptr;

}  // namespace

void Install(Particles* particles) { installed = particles; }

void MakeUnitEmitters(CombatUnit& unit) {
    unit.manaEmitter = nullptr;
    if (installed) unit.manaEmitter = installed->MakeUnitEmitters(unit);
}

void AddBossEmitter(GameObject& boss) {
    if (installed) installed->AddBossEmitter(boss);
}

void BurstManaAt(CombatUnit& drainer, const CombatUnit& target) {
    if (installed) installed->BurstManaAt(drainer, target);
}

void AddFreezeParticle(CombatUnit& caster, const CombatUnit& target) {
    if (installed) installed->AddFreezeParticle(caster, target);
}

void SpawnSummonEffect(CombatUnit& summoner, float x, float y) {
    if (installed) installed->SpawnSummonEffect(summoner, x, y);
}

void AddProjectileTrail(CombatUnit& caster, Transform& projectile) {
    if (installed) installed->AddProjectileTrail(caster, projectile);
}

void AddThiefSlash(CombatUnit& thief) {
    if (installed) installed->AddThiefSlash(thief);
}

void StartLaser(CombatUnit& caster) {
    if (installed) installed->StartLaser(caster);
}

}  // namespace Combat::Emitters

#include "combat/EmitterCalls.h"

#include "combat/CombatUnit.h"
#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/Transform.h"

// The emitter classes are made by the particle work; until they are part of the game
// these calls have nothing to call.
namespace Combat::Emitters {

void MakeUnitEmitters(CombatUnit& unit) { unit.manaEmitter = nullptr; }

void BurstManaAt(CombatUnit&, const CombatUnit&) {}

void AddFreezeParticle(CombatUnit&, const CombatUnit&) {}

void SpawnSummonEffect(CombatUnit&, float, float) {}

void AddProjectileTrail(CombatUnit&, Transform&) {}

void AddThiefSlash(CombatUnit&) {}

void StartLaser(CombatUnit&) {}

}  // namespace Combat::Emitters

#pragma once
// Every call combat makes into the particle emitters, in one place. Each call goes
// through the emitter component of the object when it has one and does nothing
// otherwise, so combat works the same with or without particles.
class GameObject;
class Transform;

namespace Combat {

class CombatUnit;

namespace Emitters {

// The emitters a unit makes for itself at Start: mana emitter and hero emitter for
// "Player" units, the laser emitter for the "Laser Boss".
void MakeUnitEmitters(CombatUnit& unit);
// Mana drained from `target` flies to `drainer`.
void BurstManaAt(CombatUnit& drainer, const CombatUnit& target);
// One freeze particle of the caster's mage emitter over the frozen target.
void AddFreezeParticle(CombatUnit& caster, const CombatUnit& target);
// The boss's summon flash at a marker.
void SpawnSummonEffect(CombatUnit& summoner, float x, float y);
// A trail behind a projectile (mage and boss); the emitter follows it by handle.
void AddProjectileTrail(CombatUnit& caster, Transform& projectile);
// The thief's auto-attack slash.
void AddThiefSlash(CombatUnit& thief);
// The laser enemy's beam.
void StartLaser(CombatUnit& caster);

}  // namespace Emitters
}  // namespace Combat

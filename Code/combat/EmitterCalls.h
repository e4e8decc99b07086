#pragma once
// Every call combat makes into the particle emitters, in one place. The emitters are
// reached only through `Particles`, which the particles implement and the program
// installs at start. Each call goes through the emitter component of the object when it
// has one and does nothing otherwise (nor without an installed `Particles`), so combat
// works the same with or without particles.
class GameObject;
class ManaParticleEmitter;
class Transform;

namespace Combat {

class CombatUnit;

namespace Emitters {

// The particles' side of the calls below (same contracts), plus the boss's emitter.
class Particles {
public:
    // Returns the mana emitter it made, if any.
    virtual ManaParticleEmitter* MakeUnitEmitters(CombatUnit& unit) = 0;
    // Woken now, started with the next jobs.
    virtual void AddBossEmitter(GameObject& boss) = 0;
    virtual void BurstManaAt(CombatUnit& drainer, const CombatUnit& target) = 0;
    virtual void AddFreezeParticle(CombatUnit& caster, const CombatUnit& target) = 0;
    virtual void SpawnSummonEffect(CombatUnit& summoner, float x, float y) = 0;
    virtual void AddProjectileTrail(CombatUnit& caster, Transform& projectile) = 0;
    virtual void AddThiefSlash(CombatUnit& thief) = 0;
    virtual void StartLaser(CombatUnit& caster) = 0;

protected:
    ~Particles() = default;
};

// The particles every call below goes to (null: none).
void Install(Particles* particles);

// The emitters a unit makes for itself at Start: mana emitter and hero emitter for
// "Player" units, the laser emitter for the "Laser Boss".
void MakeUnitEmitters(CombatUnit& unit);
// The final boss's trails, smoke and summoning circles.
void AddBossEmitter(GameObject& boss);
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

#pragma once
// Base of the particle emitters. An emitter is a component of a unit's object that keeps
// its particles in fixed pools inside itself (nothing is allocated per particle or per
// frame) and, once a frame, emits, moves, fades and retires them and then puts every
// live one on the graphics engine's particle queue, which the particle pass drains in
// the same frame.
//
// Emitters are made by code (the combat unit and the AI controller add them), never from
// scene files, and are never cloned. They read their unit, the owner's first
// Combat::CombatUnit, every frame: mana, the CASTING and RECOVERING states, the current
// weapon index and, for the kinds that aim, the facing of the unit's rigidbody. Without
// a transform, a unit or (for those kinds) a rigidbody an emitter skips its update.
//
// While the game is paused the pools neither age, move nor fade, but stay drawn.
#include <cstddef>
#include <cstdint>

#include "gameobjectengine/Component.h"
#include "gameobjectengine/Handle.h"
#include "graphics/Particle.h"

class Transform;
namespace Combat {
class CombatUnit;
}

class ParticleEmitter : public Component {
public:
    explicit ParticleEmitter(int32_t objectID, bool readsFacing = false);

    // Loads the kind's textures.
    void Awake() override;
    // Finds the owner's Transform and first Combat::CombatUnit (again on every call).
    void Start() override;
    // The base cycle: emit when asked to, update the pools, submit them.
    void Update() override;
    Component* Clone() const override { return nullptr; }

    virtual bool ShouldEmit() { return false; }
    virtual void Emit() {}
    virtual void UpdateParticles() {}
    virtual void SubmitParticles() {}

    Transform* GetTransform() const { return transform.Get(); }
    Combat::CombatUnit* GetUnit() const { return unit.Get(); }

protected:
    virtual void LoadTextures() {}
    // A picture through the texture cache, kept by every later scene load: an emitter of
    // an object that outlives its scene keeps drawing with valid names. 0 on failure.
    static uint32_t LoadParticleTexture(const char* path);

    // Transform and unit present, and the unit's rigidbody too for a kind that reads
    // the facing: the update runs only then.
    bool Ready() const;
    // The unit's rigidbody faces right (1). Only meaningful when Ready.
    bool FacingRight() const;
    void RunBaseCycle();
    // Adds Camera::AddShake to the main camera, when there is one.
    static void Shake(float seconds);

    static float DeltaTime();
    static bool Paused();
    // GameRandom::Next() mod n; 0 when n <= 0.
    static int32_t RandomBelow(int32_t n);
    static bool RandomOdd();
    // The first inactive slot, or null.
    static Particle* FirstFree(Particle* pool, int count);
    static int FirstFreeIndex(const Particle* pool, int count);
    // Every active particle of the pool, in slot order, kept by this emitter: the pass
    // skips them once the emitter is gone.
    void SubmitActive(Particle* pool, int count) const;
    // Clears the active flag of every slot.
    static void RetireAll(Particle* pool, int count);
    // Emissions a clock owes after a frame: one per interval it holds beyond the interval
    // (the clock keeps the remainder), at most kMaxEmissionsPerFrame. A stall longer than
    // that many intervals drops the rest instead of flooding one frame, and an interval
    // of 0 or a clock too large to count down never loops for good.
    static constexpr int kMaxEmissionsPerFrame = 64;
    static int TakeEmissions(float& clock, float interval);
    // A drawn lifetime of 0 counts as 1 (no 0 / 0 alpha).
    static float AtLeastOne(float lifetime) { return lifetime == 0.0f ? 1.0f : lifetime; }

    Handle<Transform> transform;
    Handle<Combat::CombatUnit> unit;

private:
    bool readsFacing_ = false;
};

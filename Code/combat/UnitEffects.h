#pragma once
// The effect kinds that act on the unit that carries them (the target) or on their
// caster. Switches that several effects may hold at once (gravity, kinematic flag,
// freeze look, visibility, dash transparency) are counted on the unit (EffectHolds):
// the first effect saves what it finds and the last one to end restores it.
#include "combat/EffectBasic.h"

class Animator;
class Rigidbody;
class SpriteRenderer;

namespace Combat {

// 1: one hit of minDamage .. maxDamage on the target.
class EffectDamage : public EffectOf<EffectDamage> {
public:
    EffectDamage();
    explicit EffectDamage(const JsonValue& json);  // "minDamage", "maxDamage"
    void Resolve(CombatUnit& target) override;
    int32_t minDamage = 0;
    int32_t maxDamage = 0;
};

// 11: heals the target.
class EffectHeal : public EffectOf<EffectHeal> {
public:
    explicit EffectHeal(const JsonValue& json);  // "healAmount"
    void Resolve(CombatUnit& target) override;
    int32_t healAmount = 0;
};

// 3: gives the caster mana (and a particle burst at the target).
class EffectCasterManaVamp : public EffectOf<EffectCasterManaVamp> {
public:
    explicit EffectCasterManaVamp(const JsonValue& json);  // "manavampAmount"
    void Resolve(CombatUnit& target) override;
    int32_t manavampAmount = 0;
};

// 4: INVULNERABLE while active.
class EffectInvulnerable : public EffectOf<EffectInvulnerable> {
public:
    explicit EffectInvulnerable(const JsonValue& json);
    void OnApply(CombatUnit& target) override;
    void OnRemove(CombatUnit& target) override;
};

// 9: the target's body is kinematic (and still) while active.
class EffectKinematic : public EffectOf<EffectKinematic> {
public:
    explicit EffectKinematic(const JsonValue& json);
    void OnApply(CombatUnit& target) override;
    void OnRemove(CombatUnit& target) override;
    bool held = false;
};

// 7: the target's sprite is hidden while active.
class EffectVisualDisappear : public EffectOf<EffectVisualDisappear> {
public:
    explicit EffectVisualDisappear(const JsonValue& json);
    void OnApply(CombatUnit& target) override;
    void OnRemove(CombatUnit& target) override;
    bool held = false;
};

// 2: a dash. Each resolution pushes the body along its facing; gravity is off while it
// lasts unless useGravityWhenMoving; MOVEMENT_LOCKED while active.
class EffectMove : public EffectOf<EffectMove> {
public:
    // "velocityX", "velocityY", "rootUnit", "useGravityWhenMoving", "alphaFadeWhenMoving".
    explicit EffectMove(const JsonValue& json);
    void OnApply(CombatUnit& target) override;
    void Resolve(CombatUnit& target) override;
    void OnRemove(CombatUnit& target) override;
    float velocityX = 0.0f;
    float velocityY = 0.0f;
    bool rootUnit = false;
    bool useGravityWhenMoving = false;
    bool alphaFadeWhenMoving = false;
    bool heldGravity = false;
    bool heldFade = false;
};

// 6: a timed push in the caster's facing; MOVEMENT_LOCKED and STUNNED while active.
class EffectKnockback : public EffectOf<EffectKnockback> {
public:
    EffectKnockback();
    explicit EffectKnockback(const JsonValue& json);  // "forceX", "forceY"
    void OnApply(CombatUnit& target) override;
    void Resolve(CombatUnit& target) override;
    void OnRemove(CombatUnit& target) override;
    float forceX = 0.0f;
    float forceY = 0.0f;
};

// 8: raises (apply) or lowers (!apply) one state counter while active; raising FROZEN
// also tints the sprite cyan, stops the animator and adds a freeze particle.
class EffectStatus : public EffectOf<EffectStatus> {
public:
    explicit EffectStatus(const JsonValue& json);  // "apply" (absent true), "applyFlags" (1)
    void OnApply(CombatUnit& target) override;
    void OnRemove(CombatUnit& target) override;
    bool apply = true;
    int32_t applyFlags = 1;
    bool changed = false;  // what OnApply did, so removal undoes only that
    bool froze = false;
};

}  // namespace Combat

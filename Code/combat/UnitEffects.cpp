#include "combat/UnitEffects.h"

#include "animationmanager/Animator.h"
#include "combat/CombatUnit.h"
#include "gameobjectengine/GameObject.h"
#include "graphics/SpriteRenderer.h"
#include "combat/EmitterCalls.h"
#include "physics/Collider.h"
#include "physics/Rigidbody.h"

namespace Combat {

// ---- damage, heal, mana -------------------------------------------------------------

EffectDamage::EffectDamage() { effectType = EffectCode::Damage; }

EffectDamage::EffectDamage(const JsonValue& json)
    : EffectOf(json), minDamage(json::ReadInt(json, "minDamage", 0)), maxDamage(json::ReadInt(json, "maxDamage", 0)) {}

void EffectDamage::Resolve(CombatUnit& target) {
    EffectBasic::Resolve(target);
    target.TakeDamage(minDamage, maxDamage);
}

EffectHeal::EffectHeal(const JsonValue& json) : EffectOf(json), healAmount(json::ReadInt(json, "healAmount", 0)) {}

void EffectHeal::Resolve(CombatUnit& target) {
    EffectBasic::Resolve(target);
    target.Heal(healAmount);
}

EffectCasterManaVamp::EffectCasterManaVamp(const JsonValue& json)
    : EffectOf(json), manavampAmount(json::ReadInt(json, "manavampAmount", 0)) {}

void EffectCasterManaVamp::Resolve(CombatUnit& target) {
    EffectBasic::Resolve(target);
    CombatUnit* drainer = caster.Get();
    if (!drainer) return;
    Emitters::BurstManaAt(*drainer, target);
    drainer->GainMana(manavampAmount);
}

// ---- states held while active ---------------------------------------------------------

EffectInvulnerable::EffectInvulnerable(const JsonValue& json) : EffectOf(json) {}

void EffectInvulnerable::OnApply(CombatUnit& target) { target.RaiseState(CombatUnit::INVULNERABLE); }

void EffectInvulnerable::OnRemove(CombatUnit& target) { target.LowerState(CombatUnit::INVULNERABLE); }

EffectKinematic::EffectKinematic(const JsonValue& json) : EffectOf(json) {}

namespace {

void StopBody(Rigidbody& body) {
    body.xVelocity = 0.0f;
    body.yVelocity = 0.0f;
}

}  // namespace

void EffectKinematic::OnApply(CombatUnit& target) {
    EffectBasic::OnApply(target);
    Rigidbody* body = target.rigidbody;
    if (!body) return;
    held = true;
    if (target.holds.kinematic++ == 0) target.holds.savedKinematic = body->isKinematic;
    body->isKinematic = true;
    StopBody(*body);
}

void EffectKinematic::OnRemove(CombatUnit& target) {
    if (!held) return;
    held = false;
    if (--target.holds.kinematic != 0) return;
    if (Rigidbody* body = target.rigidbody) {
        body->isKinematic = target.holds.savedKinematic;
        StopBody(*body);
    }
}

EffectVisualDisappear::EffectVisualDisappear(const JsonValue& json) : EffectOf(json) {}

void EffectVisualDisappear::OnApply(CombatUnit& target) {
    EffectBasic::OnApply(target);
    SpriteRenderer* sprite = target.spriteRenderer;
    if (!sprite) return;
    held = true;
    if (target.holds.hidden++ == 0) target.holds.savedSpriteEnabled = sprite->enabled;
    sprite->enabled = false;
}

void EffectVisualDisappear::OnRemove(CombatUnit& target) {
    if (!held) return;
    held = false;
    if (--target.holds.hidden != 0) return;
    if (SpriteRenderer* sprite = target.spriteRenderer) sprite->enabled = target.holds.savedSpriteEnabled;
}

// ---- dash ----------------------------------------------------------------------------

EffectMove::EffectMove(const JsonValue& json)
    : EffectOf(json),
      velocityX(json::ReadFloat(json, "velocityX", 0.0f)),
      velocityY(json::ReadFloat(json, "velocityY", 0.0f)),
      rootUnit(json::ReadFlag(json, "rootUnit", false)),
      useGravityWhenMoving(json::ReadFlag(json, "useGravityWhenMoving", false)),
      alphaFadeWhenMoving(json::ReadFlag(json, "alphaFadeWhenMoving", false)) {}

void EffectMove::OnApply(CombatUnit& target) {
    EffectBasic::OnApply(target);
    if (alphaFadeWhenMoving && target.spriteRenderer) {
        heldFade = true;
        if (target.holds.faded++ == 0) target.holds.savedAlpha = target.spriteRenderer->alpha;
        target.spriteRenderer->alpha = 50;
    }
    if (!useGravityWhenMoving && target.rigidbody) {
        Rigidbody& body = *target.rigidbody;
        heldGravity = true;
        if (target.holds.gravity++ == 0) target.holds.savedUseGravity = body.useGravity;
        body.useGravity = false;
        body.yVelocity = 0.0f;
    }
    target.RaiseState(CombatUnit::MOVEMENT_LOCKED);
}

void EffectMove::Resolve(CombatUnit& target) {
    EffectBasic::Resolve(target);
    if (Rigidbody* body = target.rigidbody) {
        body->xVelocity += body->facing == 1 ? velocityX : -velocityX;
        body->yVelocity += velocityY;
        if (!useGravityWhenMoving && body->collider) body->collider->grounded = true;
    }
    target.SetParameter("Dashing", true);
}

void EffectMove::OnRemove(CombatUnit& target) {
    if (heldGravity) {
        heldGravity = false;
        if (--target.holds.gravity == 0 && target.rigidbody) target.rigidbody->useGravity = target.holds.savedUseGravity;
    }
    if (heldFade) {
        heldFade = false;
        if (--target.holds.faded == 0 && target.spriteRenderer) target.spriteRenderer->alpha = target.holds.savedAlpha;
    }
    target.LowerState(CombatUnit::MOVEMENT_LOCKED);
    target.SetParameter("Dashing", false);
}

// ---- knock-back ----------------------------------------------------------------------

EffectKnockback::EffectKnockback() { effectType = EffectCode::Knockback; }

EffectKnockback::EffectKnockback(const JsonValue& json)
    : EffectOf(json), forceX(json::ReadFloat(json, "forceX", 0.0f)), forceY(json::ReadFloat(json, "forceY", 0.0f)) {}

void EffectKnockback::OnApply(CombatUnit& target) {
    EffectBasic::OnApply(target);
    target.RaiseState(CombatUnit::MOVEMENT_LOCKED);
    target.RaiseState(CombatUnit::STUNNED);
    target.SetParameter("Knockback", true);
}

void EffectKnockback::Resolve(CombatUnit& target) {
    EffectBasic::Resolve(target);
    float x = forceX;
    // The push goes the way the caster faces; the unit's own knock-back has no caster.
    if (const CombatUnit* from = caster.Get(); from && from->rigidbody && from->rigidbody->facing == 0) x = -x;
    Rigidbody* body = target.rigidbody;
    if (!body) return;
    Rigidbody::RigidbodyForce force;
    force.forceX = x;
    force.forceY = forceY;
    force.remaining = tickTime;
    force.interval = tickTime;
    force.deltaVX = x;
    force.deltaVY = forceY;
    body->forces.push_back(force);
}

void EffectKnockback::OnRemove(CombatUnit& target) {
    target.LowerState(CombatUnit::MOVEMENT_LOCKED);
    target.LowerState(CombatUnit::STUNNED);
    target.SetParameter("Knockback", false);
}

// ---- status and freeze ---------------------------------------------------------------

EffectStatus::EffectStatus(const JsonValue& json)
    : EffectOf(json), apply(json::ReadFlag(json, "apply", true)), applyFlags(json::ReadInt(json, "applyFlags", 1)) {}

void EffectStatus::OnApply(CombatUnit& target) {
    EffectBasic::OnApply(target);
    if (applyFlags < 0 || applyFlags >= static_cast<int32_t>(CombatUnit::STATE_COUNT)) return;
    const auto state = static_cast<CombatUnit::EFCUSTATE>(applyFlags);
    if (apply) {
        target.RaiseState(state);
    } else {
        if (!target.HasState(state)) return;  // nothing raised: nothing to lower
        target.LowerState(state);
    }
    changed = true;
    if (!apply || state != CombatUnit::FROZEN) return;
    froze = true;
    if (target.holds.freeze++ == 0) {
        if (SpriteRenderer* sprite = target.spriteRenderer) {
            sprite->tintStrength = 1.0f;
            sprite->color[0] = 0.0f;
            sprite->color[1] = 1.0f;
            sprite->color[2] = 1.0f;
        }
        if (target.animator) {
            target.holds.savedAnimatorEnabled = target.animator->enabled;
            target.animator->enabled = false;
        }
    }
    if (CombatUnit* from = caster.Get()) Emitters::AddFreezeParticle(*from, target);
}

void EffectStatus::OnRemove(CombatUnit& target) {
    if (!changed) return;
    changed = false;
    const auto state = static_cast<CombatUnit::EFCUSTATE>(applyFlags);
    if (apply) target.LowerState(state);
    else target.RaiseState(state);
    if (!froze) return;
    froze = false;
    if (--target.holds.freeze != 0) return;
    if (SpriteRenderer* sprite = target.spriteRenderer) sprite->tintStrength = 0.0f;
    if (target.animator) target.animator->enabled = target.holds.savedAnimatorEnabled;
}

}  // namespace Combat

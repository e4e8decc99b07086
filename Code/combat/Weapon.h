#pragma once
// One skill of a unit: its timing (cast time, recovery, cooldown), mana cost, sounds and
// effect templates, and what it does when released (Fire):
//   1 WeaponFieldMelee       a short-lived trigger area beside the caster;
//   2 WeaponFieldProjectile  a flying trigger area, repeated numProjectiles times;
//   3 WeaponSelf             the effects go to the caster;
//   4 WeaponTeam             the effects go to every unit of targetTeam.
// A weapon belongs to its unit for the unit's whole life and owns its effects.
#include <cstdint>
#include <memory>
#include <string>

#include "combat/EffectBasic.h"

class GameObject;

namespace Combat {

enum class WeaponCode : int32_t { Melee = 1, Projectile = 2, Self = 3, Team = 4 };

class WeaponBasic {
public:
    // "name", "castTime", "vfxDuration", "cooldown", "targetGroup", "weaponType",
    // "manaCost", "sfx_onCast", "sfx_onCast_vol", "va_onCast", "va_onCast_vol",
    // "va_onFire", "va_onFire_vol", "effects".
    explicit WeaponBasic(const JsonValue& json);
    virtual ~WeaponBasic() = default;
    WeaponBasic(const WeaponBasic&) = delete;
    WeaponBasic& operator=(const WeaponBasic&) = delete;

    // Releases the weapon: the spawned trigger (field kinds), the caster's object (self
    // and team kinds) or null. Every kind first plays va_onFire.
    virtual GameObject* Fire(CombatUnit* caster);

    // Enough mana, cooldown passed and not STUNNED.
    bool CanCast(const CombatUnit& caster) const;
    // The cast's voice line and particle start, by the caster's and the weapon's names.
    void PlayCastFeedback(CombatUnit& caster);

    std::string name = "WeaponBasic";
    float castTime = 1.0f;
    float vfxDuration = 0.0f;
    float cooldown = 1.0f;
    int32_t targetGroup = 0;  // bit 0 other teams, bit 1 the caster's team
    int32_t manaCost = 0;
    EffectVector effects;
    WeaponCode weaponType{};  // the kind's constructor sets it
    std::string sfx_onCast;
    float sfx_onCast_vol = 0.5f;
    std::string va_onCast;
    float va_onCast_vol = 0.5f;
    std::string va_onFire;
    float va_onFire_vol = 0.5f;
    float timeSinceLastCast = 0.0f;
    CombatUnit* owner = nullptr;  // the unit that holds (and owns) the weapon

protected:
    void PlayFireVoice() const;
    // Hands every caster-only effect to its caster's list.
    void GiveCasterEffects() const;
};

// Shared part of the two trigger-spawning kinds.
class WeaponField : public WeaponBasic {
public:
    // The base keys, then "colliderType", "colDim1", "colDim2", "lifetime",
    // "tickInterval", "collisionsBeforeDestroy", "imgOnDestroy", "imgOnDestroyTime".
    explicit WeaponField(const JsonValue& json);
    // Creates "<name> trigger" with a Transform, a collider, a kinematic body facing as
    // the caster, a WeaponArea over this weapon's effects and a TimeToLive. Null (and
    // nothing created) when the object table is full.
    GameObject* Fire(CombatUnit* caster) override;

    int32_t colliderType = 0;  // 1 circle, 2 box, other: none
    float colDim1 = 1.0f;
    float colDim2 = 1.0f;
    float lifetime = 1.0f;
    float tickInterval = 1.0f;  // at least Limits::kMinHitInterval
    int32_t collisionsBeforeDestroy = -1;
    std::string imgOnDestroy;
    float imgOnDestroyTime = 0.0f;

protected:
    // +1 when the caster's body faces right (or it has none), -1 otherwise.
    static float FacingSign(const CombatUnit& caster);
    // Puts the trigger at the caster plus the offset mirrored by the facing.
    static void PlaceBeside(GameObject& trigger, const CombatUnit& caster, float offsetX, float offsetY);
};

class WeaponFieldMelee : public WeaponField {
public:
    explicit WeaponFieldMelee(const JsonValue& json);  // field keys, "offsetX", "offsetY"
    GameObject* Fire(CombatUnit* caster) override;
    float offsetX = 0.0f;
    float offsetY = 0.0f;
};

class WeaponFieldProjectile : public WeaponField {
public:
    // Field keys, "offsetX", "offsetY", "velocityX", "velocityY", "minAccelerationX",
    // "minAccelerationY", "maxAccelerationX", "maxAccelerationY", "imgProjectile",
    // "numProjectiles", "launchInterval".
    explicit WeaponFieldProjectile(const JsonValue& json);
    // Nothing when the caster is dead; otherwise one projectile, and the next one of the
    // volley queued launchInterval seconds later.
    GameObject* Fire(CombatUnit* caster) override;

    float offsetX = 0.0f;
    float offsetY = 0.0f;
    float velocityX = 0.0f;
    float velocityY = 0.0f;
    float minAccelerationX = 0.0f;
    float minAccelerationY = 0.0f;
    float maxAccelerationX = 0.0f;
    float maxAccelerationY = 0.0f;
    std::string imgProjectile;
    int32_t numProjectiles = 1;   // at most Limits::kMaxProjectilesPerVolley
    float launchInterval = 0.5f;  // at least Limits::kMinLaunchInterval
    int32_t remainingProjectiles = 1;

private:
    void AddSprite(GameObject& trigger) const;
    void AddTrail(GameObject& trigger, CombatUnit& caster) const;
    void QueueNext(CombatUnit* caster);
};

class WeaponSelf : public WeaponBasic {
public:
    explicit WeaponSelf(const JsonValue& json);
    GameObject* Fire(CombatUnit* caster) override;
};

class WeaponTeam : public WeaponBasic {
public:
    explicit WeaponTeam(const JsonValue& json);  // the base keys, then "targetTeam"
    GameObject* Fire(CombatUnit* caster) override;
    int32_t targetTeam = 0;
};

// The weapon of one "weapons" element by its "weaponType"; null for other codes.
std::unique_ptr<WeaponBasic> BuildWeapon(const JsonValue& element);

// A random value between lo and hi drawn from one GameRandom value (lo when equal).
float RandomBetween(float lo, float hi);

}  // namespace Combat

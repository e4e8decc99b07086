#pragma once
// The effect kinds that bring new objects into the scene: the hero and boss shields
// (a "Shield FX" bubble and a shield on the unit), the damage zone that follows its
// target, and the summon that loads prefab enemies at marker objects.
#include <functional>
#include <vector>

#include "combat/EffectBasic.h"

class GameObject;
class Transform;

namespace Combat {

class EffectDamage;

// 5: resolves into a ShieldBasic of shieldAmount for `duration` seconds.
class EffectShield : public EffectOf<EffectShield> {
public:
    explicit EffectShield(const JsonValue& json);  // "shieldAmount"
    void Resolve(CombatUnit& target) override;
    int32_t shieldAmount = 0;
};

// 13: resolves into a ShieldBoss (absorbs nothing) for `duration` seconds.
class EffectShieldBoss : public EffectOf<EffectShieldBoss> {
public:
    explicit EffectShieldBoss(const JsonValue& json);
    void Resolve(CombatUnit& target) override;
};

// 10: while active, a circle of colliderRadius follows the target and hits every unit of
// another team in it every tickRate seconds with minDamage .. maxDamage.
class EffectDamageStatic : public EffectOf<EffectDamageStatic> {
public:
    // "minDamage", "maxDamage", "colliderRadius", "tickRate".
    explicit EffectDamageStatic(const JsonValue& json);
    // A copy starts without a zone (a template never has one).
    EffectDamageStatic(const EffectDamageStatic& other);
    // Ends the zone if it still exists (a list destroyed without removal actions).
    ~EffectDamageStatic() override;
    void OnApply(CombatUnit& target) override;
    void OnRemove(CombatUnit& target) override;

    int32_t minDamage = 0;
    int32_t maxDamage = 0;
    float colliderRadius = 0.0f;
    float tickRate = 0.0f;
    EffectVector effects;                  // the zone's own hit (one instant damage)
    EffectDamage* damageEffect = nullptr;  // in `effects`
    Handle<GameObject> triggerObject;

private:
    void EndZone();
};

// 12: each resolution loads prefabFilepath at the next object tagged positionMarkerTag
// (table order, gathered on apply); the new enemy fades in.
class EffectSummon : public EffectOf<EffectSummon> {
public:
    // Told about every summoned enemy, so the heroes' computer control can add it to
    // its enemy lists. Set by the unit controllers; none by default.
    using SummonedHook = std::function<void(GameObject& summoned)>;
    static void SetSummonedHook(SummonedHook hook);

    explicit EffectSummon(const JsonValue& json);  // "positionMarkerTag", "prefabFilepath"
    void OnApply(CombatUnit& target) override;
    void Resolve(CombatUnit& target) override;
    void OnRemove(CombatUnit& target) override;

    std::string positionMarkerTag;
    std::string prefabFilepath;
    std::vector<Handle<Transform>> markers;  // every object's first Transform at apply
    std::size_t nextMarker = 0;             // first marker not yet examined
};

}  // namespace Combat

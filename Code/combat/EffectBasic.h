#pragma once
// One thing a weapon does to a unit. Weapons keep effects as templates; a unit that
// receives one keeps its own copy (Clone) in its EffectList, which starts it (OnApply),
// resolves it by its timing rule and ends it (OnRemove).
//
// resolveType: 1 instant, 2 delayed by `duration`, 3 ticking every `tickTime` for
// `duration`; any other value is never resolved and never removed.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gameobjectengine/Handle.h"
#include "gameobjectengine/JsonRead.h"

namespace Combat {

class CombatUnit;

enum class EffectCode : int32_t {
    Damage = 1,
    Move = 2,
    CasterManaVamp = 3,
    Invulnerable = 4,
    Shield = 5,
    Knockback = 6,
    VisualDisappear = 7,
    Status = 8,
    Kinematic = 9,
    DamageStatic = 10,
    Heal = 11,
    Summon = 12,
    ShieldBoss = 13,
};

enum class ResolveType : int32_t { Instant = 1, Delayed = 2, Ticking = 3 };

class EffectBasic {
public:
    EffectBasic() = default;
    // "name", "resolveType", "duration", "tickTime", "targetCasterInstead", "effectType",
    // "sfx_onResolve", "sfx_onResolve_2", "sfx_onResolve_vol".
    explicit EffectBasic(const JsonValue& json);
    EffectBasic(const EffectBasic&) = default;
    EffectBasic& operator=(const EffectBasic&) = delete;
    virtual ~EffectBasic() = default;

    // The copy has entered target's list. Base: the tick timer restarts.
    virtual void OnApply(CombatUnit& target);
    // The copy leaves target's list. Base: nothing.
    virtual void OnRemove(CombatUnit& target);
    virtual std::unique_ptr<EffectBasic> Clone() const = 0;
    // The effect's action. Base: the resolve sound (a coin picks one of the two).
    virtual void Resolve(CombatUnit& target);

    std::string name = "EffectBasic";
    ResolveType resolveType{};  // any other value: never resolved, never removed
    EffectCode effectType{};
    float duration = 0.0f;
    float tickTime = 0.0f;
    bool targetCasterInstead = false;
    std::string sfx_onResolve;
    std::string sfx_onResolve_2;
    float sfx_onResolve_vol = 0.5f;
    float tickTimer = 0.0f;
    float elapsed = 0.0f;
    // The unit whose weapon holds the effect; copies in other units' lists keep it by
    // handle, so a caster that is gone reads null.
    Handle<CombatUnit> caster;
};

using EffectVector = std::vector<std::unique_ptr<EffectBasic>>;

// Builds the effect of one "effects" element by its "effectType"; null for an element
// that is not an object, has no effectType or an unknown one.
std::unique_ptr<EffectBasic> BuildEffect(const JsonValue& element);
// Appends the effects of an "effects" array (absent or not an array: none).
void ReadEffects(const JsonValue& json, EffectVector& out);

// Helper for the kinds: Clone as a heap copy of the dynamic type.
template <typename Derived>
class EffectOf : public EffectBasic {
public:
    using EffectBasic::EffectBasic;
    std::unique_ptr<EffectBasic> Clone() const override {
        return std::make_unique<Derived>(static_cast<const Derived&>(*this));
    }
};

}  // namespace Combat

#include "combat/EffectBasic.h"

#include "audio/AudioSource.h"
#include "combat/CombatUnit.h"
#include "combat/DataLimits.h"
#include "combat/ObjectEffects.h"
#include "combat/UnitEffects.h"
#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/GameRandom.h"

namespace Combat {

EffectBasic::EffectBasic(const JsonValue& json)
    : name(json::ReadString(json, "name", "EffectBasic")),
      resolveType(static_cast<ResolveType>(json::ReadInt(json, "resolveType", 0))),
      effectType(static_cast<EffectCode>(json::ReadInt(json, "effectType", 0))),
      duration(json::ReadFloat(json, "duration", 0.0f)),
      tickTime(json::ReadFloat(json, "tickTime", 0.0f)),
      targetCasterInstead(json::ReadFlag(json, "targetCasterInstead", false)),
      sfx_onResolve(json::ReadString(json, "sfx_onResolve", "")),
      sfx_onResolve_2(json::ReadString(json, "sfx_onResolve_2", "")),
      sfx_onResolve_vol(json::ReadFloat(json, "sfx_onResolve_vol", 0.5f)) {}

void EffectBasic::OnApply(CombatUnit&) { tickTimer = 0.0f; }

void EffectBasic::OnRemove(CombatUnit&) {}

void EffectBasic::Resolve(CombatUnit& target) {
    AudioSource* source = target.owner ? target.owner->GetComponent<AudioSource>() : nullptr;
    if (!source) return;
    const bool first = GameRandom::Next() % 2 == 1;
    source->PlayOneShot(first ? sfx_onResolve : sfx_onResolve_2, 1, sfx_onResolve_vol);
}

namespace {

template <typename T>
std::unique_ptr<EffectBasic> Make(const JsonValue& element) {
    return std::make_unique<T>(element);
}

using Maker = std::unique_ptr<EffectBasic> (*)(const JsonValue&);

// Indexed by effect code.
const Maker kMakers[] = {
    nullptr,
    &Make<EffectDamage>,
    &Make<EffectMove>,
    &Make<EffectCasterManaVamp>,
    &Make<EffectInvulnerable>,
    &Make<EffectShield>,
    &Make<EffectKnockback>,
    &Make<EffectVisualDisappear>,
    &Make<EffectStatus>,
    &Make<EffectKinematic>,
    &Make<EffectDamageStatic>,
    &Make<EffectHeal>,
    &Make<EffectSummon>,
    &Make<EffectShieldBoss>,
};

}  // namespace

std::unique_ptr<EffectBasic> BuildEffect(const JsonValue& element) {
    if (!element.IsObject()) return nullptr;
    const int32_t code = json::ReadInt(element, "effectType", 0);
    if (code < static_cast<int32_t>(EffectCode::Damage) || code > static_cast<int32_t>(EffectCode::ShieldBoss))
        return nullptr;
    std::unique_ptr<EffectBasic> effect = kMakers[code](element);
    effect->effectType = static_cast<EffectCode>(code);
    return effect;
}

void ReadEffects(const JsonValue& json, EffectVector& out) {
    const JsonValue* array = json::FindArray(json, "effects");
    if (!array) return;
    for (const JsonValue& element : array->GetArray()) {
        if (out.size() >= Limits::kMaxEffectsPerWeapon) break;
        if (std::unique_ptr<EffectBasic> effect = BuildEffect(element)) out.push_back(std::move(effect));
    }
}

}  // namespace Combat

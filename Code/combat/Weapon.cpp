#include "combat/Weapon.h"

#include "audio/AudioSource.h"
#include "combat/CombatUnit.h"
#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/GameRandom.h"
#include "scenemanager/SceneManager.h"

namespace Combat {

WeaponBasic::WeaponBasic(const JsonValue& json)
    : name(json::ReadString(json, "name", "WeaponBasic")),
      castTime(json::ReadFloat(json, "castTime", 1.0f)),
      vfxDuration(json::ReadFloat(json, "vfxDuration", 0.0f)),
      cooldown(json::ReadFloat(json, "cooldown", 1.0f)),
      targetGroup(json::ReadInt(json, "targetGroup", 0)),
      manaCost(json::ReadInt(json, "manaCost", 0)),
      weaponType(static_cast<WeaponCode>(json::ReadInt(json, "weaponType", 0))),
      sfx_onCast(json::ReadString(json, "sfx_onCast", "")),
      sfx_onCast_vol(json::ReadFloat(json, "sfx_onCast_vol", 0.5f)),
      va_onCast(json::ReadString(json, "va_onCast", "")),
      va_onCast_vol(json::ReadFloat(json, "va_onCast_vol", 0.5f)),
      va_onFire(json::ReadString(json, "va_onFire", "")),
      va_onFire_vol(json::ReadFloat(json, "va_onFire_vol", 0.5f)) {
    ReadEffects(json, effects);
}

bool WeaponBasic::CanCast(const CombatUnit& caster) const {
    return caster.currentMana >= manaCost && !(cooldown > timeSinceLastCast) && !caster.HasState(CombatUnit::STUNNED);
}

void WeaponBasic::PlayFireVoice() const {
    if (!owner || !owner->owner) return;
    if (AudioSource* source = owner->owner->GetComponent<AudioSource>()) source->PlayOneShot(va_onFire, 2, va_onFire_vol);
}

GameObject* WeaponBasic::Fire(CombatUnit*) {
    PlayFireVoice();
    return nullptr;
}

void WeaponBasic::GiveCasterEffects() const {
    for (const auto& effect : effects) {
        if (!effect->targetCasterInstead) continue;
        if (CombatUnit* unit = effect->caster.Get()) unit->effectList->AddEffect(*effect);
    }
}

WeaponSelf::WeaponSelf(const JsonValue& json) : WeaponBasic(json) { weaponType = WeaponCode::Self; }

GameObject* WeaponSelf::Fire(CombatUnit* caster) {
    PlayFireVoice();
    GiveCasterEffects();
    if (!caster) return nullptr;
    for (const auto& effect : effects) caster->effectList->AddEffect(*effect);
    return caster->owner;
}

WeaponTeam::WeaponTeam(const JsonValue& json) : WeaponBasic(json), targetTeam(json::ReadInt(json, "targetTeam", 0)) {
    weaponType = WeaponCode::Team;
}

GameObject* WeaponTeam::Fire(CombatUnit* caster) {
    PlayFireVoice();
    GiveCasterEffects();
    std::unique_ptr<SlotPool<CombatUnit, PoolOwnership::Borrowing>> units(SceneManager::GetInstance().FindAllComponentsOfType<CombatUnit>());
    units->ForEach([this](CombatUnit* unit) {
        if (unit->team != targetTeam) return;
        for (const auto& effect : effects) unit->effectList->AddEffect(*effect);
    });
    return caster ? caster->owner : nullptr;
}

std::unique_ptr<WeaponBasic> BuildWeapon(const JsonValue& element) {
    if (!element.IsObject()) return nullptr;
    switch (static_cast<WeaponCode>(json::ReadInt(element, "weaponType", 0))) {
        case WeaponCode::Melee: return std::make_unique<WeaponFieldMelee>(element);
        case WeaponCode::Projectile: return std::make_unique<WeaponFieldProjectile>(element);
        case WeaponCode::Self: return std::make_unique<WeaponSelf>(element);
        case WeaponCode::Team: return std::make_unique<WeaponTeam>(element);
        default: return nullptr;
    }
}

float RandomBetween(float lo, float hi) {
    const float share = static_cast<float>(GameRandom::Next()) / static_cast<float>(GameRandom::kMax);
    return lo + share * (hi - lo);
}

}  // namespace Combat

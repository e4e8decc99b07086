// The unit record: construction from JSON, set-up and the small operations.
#include "combat/CombatUnit.h"
#include "combat/DataLimits.h"

#include "animationmanager/Animator.h"
#include "audio/AudioSource.h"
#include "combat/EmitterCalls.h"
#include "combat/UnitEffects.h"
#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/HeroNames.h"
#include "gameobjectengine/Transform.h"
#include "graphics/GraphicsEngine.h"
#include "graphics/SpriteRenderer.h"
#include "physics/Rigidbody.h"

namespace Combat {

namespace {

std::unique_ptr<EffectKnockback> MakeDefaultKnockback(float duration) {
    auto knockback = std::make_unique<EffectKnockback>();
    knockback->name = "CombatUnit default knockback";
    knockback->resolveType = ResolveType::Ticking;
    knockback->duration = duration;
    knockback->tickTime = 0.3f;
    return knockback;
}

}  // namespace

CombatUnit::CombatUnit(int32_t objectID)
    : Component(objectID),
      effectList(std::make_unique<EffectList>(*this)),
      defaultKnockback_(MakeDefaultKnockback(knockbackDuration)) {
    states[ALIVE] = 1;
}

CombatUnit::CombatUnit(const JsonValue& json) : Component(json) {
    // Every key falls back on the member's own default, so each default is written once.
    team = json::ReadInt(json, "team", team);
    currentHealth = json::ReadInt(json, "currentHealth", currentHealth);
    currentMana = json::ReadInt(json, "currentMana", currentMana);
    maxHealth = json::ReadInt(json, "maxHealth", maxHealth);
    maxMana = json::ReadInt(json, "maxMana", maxMana);
    movementSpeed = json::ReadFloat(json, "movementSpeed", movementSpeed);
    jumpHeight = json::ReadFloat(json, "jumpHeight", jumpHeight);
    minDamageToKnockback = json::ReadInt(json, "minDamageToKnockback", minDamageToKnockback);
    knockbackDuration = json::ReadFloat(json, "knockbackDuration", knockbackDuration);
    sfx_walking = json::ReadString(json, "sfx_walking", sfx_walking);
    sfx_walking_vol = json::ReadFloat(json, "sfx_walking_vol", sfx_walking_vol);
    sfx_walking_interval = json::ReadFloat(json, "sfx_walking_interval", sfx_walking_interval);
    sfx_onJump = json::ReadString(json, "sfx_onJump", sfx_onJump);
    sfx_onJump_vol = json::ReadFloat(json, "sfx_onJump_vol", sfx_onJump_vol);
    sfx_onDamageTaken = json::ReadString(json, "sfx_onDamageTaken", sfx_onDamageTaken);
    sfx_onDamageTaken_vol = json::ReadFloat(json, "sfx_onDamageTaken_vol", sfx_onDamageTaken_vol);
    sfx_onDamageTaken_2 = json::ReadString(json, "sfx_onDamageTaken_2", sfx_onDamageTaken_2);
    sfx_onDamageTaken_2_vol = json::ReadFloat(json, "sfx_onDamageTaken_2_vol", sfx_onDamageTaken_2_vol);
    states[ALIVE] = json::ReadFlag(json, "isAlive", true) ? 1 : 0;
    states[PLAYER_CONTROLLED] = json::ReadFlag(json, "playerControl", false) ? 1 : 0;
    effectList = std::make_unique<EffectList>(*this);
    defaultKnockback_ = MakeDefaultKnockback(knockbackDuration);
    ReadWeapons(json);
    if (owner) {
        QueueFetchComponent(this, owner, &rigidbody);
        QueueFetchComponent(this, owner, &animator);
    }
    jumpCount = 0;
}

CombatUnit::~CombatUnit() = default;

void CombatUnit::ReadWeapons(const JsonValue& json) {
    if (const JsonValue* array = json::FindArray(json, "weapons"))
        for (const JsonValue& element : array->GetArray()) {
            if (weapons.size() >= Limits::kMaxWeaponsPerUnit) break;
            if (std::unique_ptr<WeaponBasic> weapon = BuildWeapon(element)) weapons.push_back(std::move(weapon));
        }
    for (auto& weapon : weapons) {
        weapon->owner = this;
        for (auto& effect : weapon->effects) effect->caster = this;
    }
}

void CombatUnit::Awake() { healthBar = nullptr; }

void CombatUnit::Start() {
    if (owner) {
        spriteRenderer = owner->GetComponent<SpriteRenderer>();
        audioSource = owner->GetComponent<AudioSource>();
        rigidbody = owner->GetComponent<Rigidbody>();
        animator = owner->GetComponent<Animator>();
    }
    for (auto& weapon : weapons) weapon->timeSinceLastCast = weapon->cooldown;
    currentWeapon = nullptr;
    castTimer = 0.0f;
    Emitters::MakeUnitEmitters(*this);
    if (owner && owner->tag != Heroes::kTag) MakeHealthBar();
}

void CombatUnit::MakeHealthBar() {
    if (currentHealth > maxHealth) currentHealth = maxHealth;
    auto* bar = owner->AddComponent<ProgressBar<int>>();
    if (!bar) return;
    bar->height = 15.0f;
    bar->Start();
    bar->min = 0;
    bar->max = maxHealth;
    bar->value = currentHealth;
    const struct {
        SpriteRenderer* sprite;
        const char* file;
    } parts[] = {{bar->background, "Assets/Art/UI/HealthBarBG.png"},
                 {bar->border, "Assets/Art/UI/HealthBarBorder.png"},
                 {bar->fill, "Assets/Art/UI/HealthBarFill.png"}};
    for (const auto& part : parts) {
        if (!part.sprite) continue;
        part.sprite->LoadTexture(part.file);
        part.sprite->speed = 1.0f;
        if (part.sprite->texture) GraphicsEngine::GetInstance().PinTexture(part.sprite->texture);
    }
    if (const Transform* transform = owner->GetComponent<Transform>()) {
        bar->barOffset[1] = -10.0f - transform->scaleY / 2.0f;
        bar->barOffset[0] = -transform->scaleX;
    }
    bar->fillMode = ProgressBarBase::kFromLeft;
    bar->width = 100.0f;
    healthBar = bar;
}

void CombatUnit::OnSceneLoaded() {
    // Held: decoded by the first shield cast, as many levels see none.
    GraphicsEngine::GetInstance().HoldTexture("Assets/Art/Effects/Shield.png");
    GraphicsEngine::GetInstance().LoadTexture("Assets/Art/Particles/MageAttackDotParticle.png");
}

void CombatUnit::SetState(EFCUSTATE state, bool value) { states[state] = value ? 1 : 0; }

void CombatUnit::ClearWeaponIndex() { currentWeaponIndex = 0; }

void CombatUnit::SetHealth(int32_t value) {
    currentHealth = value;
    if (healthBar) healthBar->value = currentHealth;
}

void CombatUnit::SetParameter(const char* name, bool value) {
    if (!animator) return;
    if (AnimatorParameter* parameter = animator->GetParameter(name)) parameter->SetBool(value);
}

void CombatUnit::PlayOwnSound(const std::string& path, float volume) {
    if (audioSource) audioSource->PlayOneShot(path, 1, volume);
}

}  // namespace Combat

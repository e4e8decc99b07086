// Hits, healing, flashes and death.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "animationmanager/Animator.h"
#include "audio/AudioManager.h"
#include "audio/DynamicBGM.h"
#include "audio/TransitionalBGM.h"
#include "combat/CombatObjects.h"
#include "combat/CombatUnit.h"
#include "combat/UnitController.h"
#include "combat/UnitEffects.h"
#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/GameRandom.h"
#include "gameobjectengine/HeroNames.h"
#include "gameobjectengine/JobManager.h"
#include "gameobjectengine/Transform.h"
#include "graphics/DamageText.h"
#include "graphics/Fader.h"
#include "graphics/SpriteRenderer.h"
#include "physics/Rigidbody.h"
#include "scenemanager/SceneManager.h"
#include "scenemanager/SceneTransition.h"

namespace Combat {

namespace {

constexpr int64_t kIntMin = std::numeric_limits<int32_t>::min();
constexpr int64_t kIntMax = std::numeric_limits<int32_t>::max();

int32_t Saturate(int64_t value) { return static_cast<int32_t>(std::clamp(value, kIntMin, kIntMax)); }

bool Coin() { return GameRandom::Next() % 2 == 1; }

void Say(const char* file, float volume) {
    AudioManager::GetInstance().PlaySound(std::string("Assets/Audio/VA/") + file, 1, false, -1, volume);
}

// The roll: maxDamage when the two are equal, else rand % span + minDamage with the
// span taken in 64 bits (a remainder has the sign of the dividend, which is never
// negative). A negative roll deals nothing.
int32_t RollDamage(int32_t minDamage, int32_t maxDamage) {
    int64_t roll = maxDamage;
    if (minDamage != maxDamage) {
        const int64_t span = static_cast<int64_t>(maxDamage) - minDamage;
        roll = GameRandom::Next() % span + minDamage;
    }
    return Saturate(std::max<int64_t>(roll, 0));
}

void HitVoice(const std::string& who) {
    if (who == Heroes::kThief || who == Heroes::kMage) {
        const bool thief = who == Heroes::kThief;
        if (Coin()) return Say(thief ? "Thief_Damage.ogg" : "Mage_Damage.ogg", 0.35f);
        if (Coin()) return Say(thief ? "Thief_Confused.ogg" : "Mage_Annoyed.ogg", 0.35f);
        if (Coin()) return Say(thief ? "Thief_Confused2.ogg" : "Mage_Annoyed2.ogg", 0.35f);
        return Say(thief ? "Thief_Damage2.ogg" : "Mage_Damage2.ogg", 0.35f);
    }
    if (who == "Boss") {
        if (!Coin()) return;
        if (GameRandom::Next() % 5 == 0) return Say("Boss_Hmph.ogg", 0.35f);
        Say(Coin() ? "Boss_Damage.ogg" : "Boss_Damage2.ogg", 0.35f);
    }
}

void DeathVoice(const std::string& who) {
    if (who == Heroes::kThief) Say("Thief_Death.ogg", 0.9f);
    else if (who == Heroes::kMage) Say("Mage_Death.ogg", 0.9f);
    else if (who == "Boss") Say("Boss_Death.ogg", 0.9f);
}

void StartFader(const char* objectName, float seconds) {
    GameObject* object = SceneManager::GetInstance().GetGameObjectByName(objectName);
    Fader* fader = object ? object->GetComponent<Fader>() : nullptr;
    if (!fader) return;
    fader->fadeTime = seconds;
    if (!fader->fading) fader->StartFade();
}

}  // namespace

void CombatUnit::TakeDamage(int minDamage, int maxDamage) {
    if (HasState(INVULNERABLE)) return;
    int32_t damage = RollDamage(minDamage, maxDamage);
    for (std::size_t i = 0; i < shields.size();) {
        if (shields[i]->Absorb(damage)) {
            shields[i]->DestroyFx();
            shields.erase(shields.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        ++i;
    }
    currentHealth = Saturate(static_cast<int64_t>(currentHealth) - damage);
    if (damage >= minDamageToKnockback && !HasState(CASTING) && !HasState(RECOVERING)) {
        defaultKnockback_->duration = knockbackDuration;
        effectList->AddEffect(*defaultKnockback_);
    }
    const bool player = owner && owner->tag == Heroes::kTag;
    if (damage > 0) {
        if (owner) HitVoice(owner->name);
        if (Coin()) PlayOwnSound(sfx_onDamageTaken, sfx_onDamageTaken_vol);
        else PlayOwnSound(sfx_onDamageTaken_2, sfx_onDamageTaken_2_vol);
        SpawnNumber("DamageText", owner ? owner->GetComponent<Transform>() : nullptr, static_cast<uint32_t>(damage),
                    player ? 0 : DamageText::kCritical);
    }
    Flash(1.0f, 1.0f, 1.0f);
    if (healthBar) healthBar->value = currentHealth;
    if (currentHealth > 0 || !IsAlive()) return;
    Die();
}

void CombatUnit::Die() {
    if (owner) DeathVoice(owner->name);
    if (owner && owner->name == "Boss") StartBossEnding();
    currentHealth = 0;
    if (healthBar) healthBar->value = 0;
    states[ALIVE] = 0;
    if (rigidbody && rigidbody->collider) rigidbody->enabled = false;
    // Every controller: a hero carries the player's and the computer's.
    if (owner)
        owner->components.ForEach([](Component* component) {
            if (auto* controller = dynamic_cast<UnitController*>(component)) controller->Disable();
        });
    SetParameter("Dying", true);
    for (const char* name : {"Weapon1", "Weapon2", "Weapon3", "Weapon4", "Weapon5"}) SetParameter(name, false);
    RemoveEverythingAtDeath();
}

void CombatUnit::RemoveEverythingAtDeath() {
    for (auto& shield : shields) shield->DestroyFx();
    shields.clear();
    effectList->RemoveAll();
}

void CombatUnit::StartBossEnding() {
    SceneManager& scenes = SceneManager::GetInstance();
    if (GameObject* screen = scenes.GetGameObjectByName("LoadingOutScreen"))
        if (auto* transition = screen->GetComponent<SceneTransition>()) {
            transition->sceneIndex = 15;
            StartFader("LoadingOutScreen", 2.0f);
        }
    StartFader("LoadingOutAnim", 1.0f);
    GameFlags::word = (GameFlags::word & ~GameFlags::Paused) | GameFlags::Cutscene;
    enabled = false;
    if (auto* music = scenes.FindComponentOfType<DynamicBGM>()) music->FadeTo(1.0f, 0.0f);
    if (auto* music = scenes.FindComponentOfType<TransitionalBGM>()) music->FadeTo(1.0f, 0.0f);
}

void CombatUnit::Heal(int amount) {
    const int64_t room = static_cast<int64_t>(maxHealth) - currentHealth;
    const int64_t gain = std::max<int64_t>(0, std::min<int64_t>(amount, room));
    currentHealth = Saturate(currentHealth + gain);
    if (gain != 0)
        SpawnNumber("HealText", owner ? owner->GetComponent<Transform>() : nullptr, static_cast<uint32_t>(gain),
                    DamageText::kHeal);
    Flash(0.0f, 1.0f, 0.0f);
    if (healthBar) healthBar->value = currentHealth;
}

void CombatUnit::GainMana(int amount) {
    const int64_t room = static_cast<int64_t>(maxMana) - currentMana;
    currentMana = Saturate(currentMana + std::max<int64_t>(0, std::min<int64_t>(amount, room)));
    if (ProgressBar<int>* bar = manaBar.Get()) bar->value = currentMana;
}

void CombatUnit::Flash(float r, float g, float b) {
    if (!spriteRenderer) return;
    spriteRenderer->color[0] = r;
    spriteRenderer->color[1] = g;
    spriteRenderer->color[2] = b;
    spriteRenderer->tintStrength = 0.5f;
    ++flashCount;
    // Bound to the unit only: a flash end is never dropped by a newer cast, or the tint would stay.
    JobManager::GetInstance().AddJobFor(this, [this]() { EndFlash(); }, JobKind::Frame, 0.2f);
}

void CombatUnit::EndFlash() {
    if (--flashCount > 0 || !spriteRenderer) return;
    flashCount = 0;
    if (HasState(FROZEN)) {
        spriteRenderer->color[0] = 0.0f;
        spriteRenderer->color[1] = 1.0f;
        spriteRenderer->color[2] = 1.0f;
        spriteRenderer->tintStrength = 1.0f;
    } else {
        spriteRenderer->tintStrength = 0.0f;
    }
}

}  // namespace Combat

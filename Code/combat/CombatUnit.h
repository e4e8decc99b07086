#pragma once
// The unit record that controllers, AI, navigation, triggers and the HUD read and steer:
// team, health, mana, movement, sounds, weapons, shields, the active effects and twelve
// state counters. A fighter is any game object with one of these (heroes, enemies, bosses).
//
// Ownership: the unit owns its effect list (and the effects in it), its weapons (and
// their effect templates) and its shields (and through them the shield bubbles).
// Death does not destroy the unit: it deactivates the object once the dying animation
// has played.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "combat/EffectList.h"
#include "combat/Shield.h"
#include "combat/Weapon.h"
#include "gameobjectengine/Component.h"
#include "gameobjectengine/Handle.h"
#include "graphics/ProgressBar.h"
#include "physics/Steering.h"

class Animator;
class AudioSource;
class ManaParticleEmitter;
class Rigidbody;
class SpriteRenderer;

namespace Combat {

class EffectKnockback;

// Things several effects may change at once on one unit: the first effect saves what it
// finds, the last one to end restores it (see UnitEffects.cpp).
struct EffectHolds {
    uint32_t gravity = 0;      // dashes that switched gravity off
    bool savedUseGravity = true;
    uint32_t kinematic = 0;    // kinematic effects
    bool savedKinematic = false;
    uint32_t freeze = 0;       // freeze looks (animator stopped, cyan tint)
    bool savedAnimatorEnabled = true;
    uint32_t hidden = 0;       // disappearances
    bool savedSpriteEnabled = true;
    uint32_t faded = 0;        // dashes drawn half transparent
    int32_t savedAlpha = 100;
};

class CombatUnit : public Component, public Steering {
public:
    // State counters: a state is raised while its counter is not 0. Effects add and take
    // 1; the unit's own code sets exactly 0 or 1.
    enum EFCUSTATE : uint32_t {
        ALIVE = 1,
        AI_CONTROLLED = 2,
        PLAYER_CONTROLLED = 3,
        CASTING = 4,
        MOVEMENT_LOCKED = 5,
        INVULNERABLE = 6,
        CHASING = 7,
        STUNNED = 8,
        RECOVERING = 10,
        FROZEN = 11,
        STATE_COUNT = 12,
    };
    // Bits of actionRequests.
    static constexpr uint32_t kJumpRequest = 2;

    // Code defaults (no weapons): alive, team 0, 100 of 100 health and mana.
    explicit CombatUnit(int32_t objectID);
    // "isAlive", "team", "currentHealth", "currentMana", "maxHealth", "maxMana",
    // "movementSpeed", "jumpHeight", "minDamageToKnockback", "knockbackDuration",
    // "playerControl", the "sfx_..." keys and "weapons" (see docs/combat.md).
    explicit CombatUnit(const JsonValue& json);
    ~CombatUnit() override;
    CombatUnit(const CombatUnit&) = delete;
    CombatUnit& operator=(const CombatUnit&) = delete;

    void Awake() override;
    // Finds the object's components, readies the weapons, makes the emitters and, for
    // units not tagged "Player", the floating health bar.
    void Start() override;
    // Movement, jumps, landing, footsteps, cast timer, death wait, weapon timers,
    // shields and effects (nothing while paused or game over).
    void Update() override;
    // Preloads the shield and mage-particle textures.
    void OnSceneLoaded() override;

    // Starts casting weapon `index`; true when the cast started. Refused for an index
    // outside the list, a dead unit, a cast in progress or a failed Weapon CanCast.
    bool UseWeapon(int index);
    // Fires the weapon being cast and starts the recovery.
    void FinishAttack();
    // One hit of minDamage .. maxDamage-1 (exactly maxDamage when the two are equal):
    // shields first, then health, knock-back, voice, number, flash, bar and death.
    void TakeDamage(int minDamage, int maxDamage);
    // Restores up to `amount` health (never lowers it).
    void Heal(int amount);
    // Gives up to `amount` mana, capped at maxMana (never lowers it).
    void GainMana(int amount);
    // states[state] := 1 or 0.
    void SetState(EFCUSTATE state, bool value);
    void ClearWeaponIndex();
    // Ends one hit or heal tint; the last one restores the freeze tint or no tint.
    void EndFlash();

    bool HasState(EFCUSTATE state) const { return states[state] != 0; }
    bool IsAlive() const { return HasState(ALIVE); }
    // Health and bar set without any feedback (HUD and tests).
    void SetHealth(int32_t value);
    // Writes an Animator bool parameter when the unit has an animator and the parameter exists.
    void SetParameter(const char* name, bool value);
    // Raises a state counter by one / lowers it by one (never below 0).
    void RaiseState(EFCUSTATE state) { ++states[state]; }
    void LowerState(EFCUSTATE state) { if (states[state] != 0) --states[state]; }

    // What navigation reads and writes.
    bool SteeringHeld() const override { return HasState(CASTING) || HasState(RECOVERING); }
    bool FacingLocked() const override { return HasState(MOVEMENT_LOCKED) || HasState(FROZEN); }
    bool JumpUnderway() const override { return (actionRequests & kJumpRequest) != 0 || jumpCount != 0; }
    void RequestJump() override { actionRequests |= kJumpRequest; }
    void SetMoveDirection(int32_t direction) override { moveDirection = direction; }
    Rigidbody* SteeredBody() const override { return rigidbody; }

    ProgressBar<int>* healthBar = nullptr;   // floating bar on the same object (not heroes)
    Handle<ProgressBar<int>> manaBar;        // the hero's HUD bar, given by the game manager
    int32_t team = 0;
    int32_t currentHealth = 100;
    int32_t currentMana = 100;
    int32_t maxHealth = 100;
    int32_t maxMana = 100;
    float movementSpeed = 250.0f;  // px/s added to the body's x velocity while moving
    float jumpHeight = 50.0f;      // an upward speed in px/s, not a height
    int32_t minDamageToKnockback = 10;
    float knockbackDuration = 0.3f;
    std::unique_ptr<EffectList> effectList;
    std::vector<std::unique_ptr<WeaponBasic>> weapons;  // index = weapon slot
    std::vector<std::unique_ptr<ShieldBasic>> shields;  // oldest first; absorbs first
    ManaParticleEmitter* manaEmitter = nullptr;
    Rigidbody* rigidbody = nullptr;  // of the same object
    Animator* animator = nullptr;
    SpriteRenderer* spriteRenderer = nullptr;
    AudioSource* audioSource = nullptr;
    std::string sfx_walking;
    float sfx_walking_vol = 0.5f;
    float sfx_walking_interval = 0.1f;
    std::string sfx_onJump;
    float sfx_onJump_vol = 0.5f;
    std::string sfx_onDamageTaken;
    float sfx_onDamageTaken_vol = 0.5f;
    std::string sfx_onDamageTaken_2;
    float sfx_onDamageTaken_2_vol = 0.5f;
    WeaponBasic* currentWeapon = nullptr;  // the weapon being cast; null when idle
    float castTimer = 0.0f;
    uint32_t states[STATE_COUNT] = {};
    int32_t jumpCount = 0;           // jumps since the unit last stood on the ground
    int32_t currentWeaponIndex = 0;  // slot of the last cast; 0 again after its recovery
    float walkTimer = 0.0f;
    int32_t flashCount = 0;          // hit and heal tints still to be ended
    uint32_t actionRequests = 0;     // kJumpRequest: a jump is wanted
    int32_t moveDirection = 0;       // -1 left, 0 still, +1 right

    EffectHolds holds;               // overlapping effects on the same switch
    Lifetime currentCast;            // renewed by every cast: a cast's delayed jobs end with it

private:
    void ReadWeapons(const JsonValue& json);
    void MakeEmitters();
    void MakeHealthBar();
    void Die();
    void StartBossEnding();
    void RemoveEverythingAtDeath();
    void UpdateMovement();
    void UpdateDeathWait();
    void UpdateShields(float dt);
    void Jump();
    void Flash(float r, float g, float b);
    void PlayOwnSound(const std::string& path, float volume);

    std::unique_ptr<EffectKnockback> defaultKnockback_;  // template of the hard-hit knock-back
};

}  // namespace Combat

// The unit's frame and its casts.
#include "animationmanager/Animator.h"
#include "audio/AudioManager.h"
#include "audio/AudioSource.h"
#include "combat/CombatUnit.h"
#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/GameRandom.h"
#include "gameobjectengine/HeroNames.h"
#include "gameobjectengine/JobManager.h"
#include "gameobjectengine/Time.h"
#include "physics/Collider.h"
#include "physics/Rigidbody.h"

namespace Combat {

namespace {

bool Coin() { return GameRandom::Next() % 2 == 1; }

void Say(const char* path, float volume) { AudioManager::GetInstance().PlaySound(path, 1, false, -1, volume); }

void JumpVoice(const std::string& who) {
    if (who == Heroes::kThief) {
        Say(Coin() ? "Assets/Audio/VA/Thief_Jump.ogg" : "Assets/Audio/VA/Thief_Jump2.ogg", 0.4f);
    } else if (who == Heroes::kMage) {
        if (Coin()) return Say("Assets/Audio/VA/Mage_Jump.ogg", 0.4f);
        if (Coin()) return Say("Assets/Audio/VA/Mage_Sigh.ogg", 0.3f);
        Say("Assets/Audio/VA/Mage_Jump2.ogg", 0.4f);
    }
}

bool Grounded(const Rigidbody& body) { return body.collider && body.collider->grounded; }

}  // namespace

void CombatUnit::Update() {
    if (GameFlags::Any(GameFlags::Paused | GameFlags::GameOver)) return;
    const bool cutscene = GameFlags::Any(GameFlags::Cutscene);
    if (healthBar && owner && owner->tag != Heroes::kTag)
        for (SpriteRenderer* sprite : {healthBar->background, healthBar->fill, healthBar->border})
            if (sprite) sprite->enabled = !cutscene;
    if (HasState(CASTING) || HasState(MOVEMENT_LOCKED) || HasState(RECOVERING) || HasState(FROZEN)) {
        moveDirection = 0;
        actionRequests &= ~kJumpRequest;
    }
    if (rigidbody) {
        if (jumpCount != 0 && Grounded(*rigidbody) && rigidbody->yVelocity >= 0.0f) {
            SetParameter("Jump", false);
            jumpCount = 0;
        }
        if (cutscene) {
            SetParameter("Moving", false);
            return;
        }
        UpdateMovement();
    }
    const float dt = Time::GetInstance().deltaTime;
    UpdateDeathWait();
    for (auto& weapon : weapons) weapon->timeSinceLastCast += dt;
    UpdateShields(dt);
    effectList->Update(dt);
}

void CombatUnit::UpdateMovement() {
    Rigidbody& body = *rigidbody;
    const float dt = Time::GetInstance().deltaTime;
    const bool walking = !HasState(CASTING) && moveDirection != 0;
    if (walking) {
        body.xVelocity += static_cast<float>(moveDirection) * movementSpeed;
    }
    if (walking && Grounded(body)) {
        walkTimer += dt;
        if (walkTimer > sfx_walking_interval) {
            walkTimer -= sfx_walking_interval;
            PlayOwnSound(sfx_walking, sfx_walking_vol);
        }
    } else {
        walkTimer = 0.0f;
    }
    SetParameter("Moving", walking);
    if (actionRequests & kJumpRequest) Jump();
    if (HasState(CHASING)) SetParameter("Chasing", true);
    if (currentWeapon) {
        castTimer -= dt;
        if (castTimer <= 0.0f) FinishAttack();
    }
}

void CombatUnit::Jump() {
    actionRequests &= ~kJumpRequest;
    rigidbody->yVelocity = -jumpHeight;
    SetParameter("Jump", true);
    PlayOwnSound(sfx_onJump, sfx_onJump_vol);
    if (owner) JumpVoice(owner->name);
    ++jumpCount;
}

void CombatUnit::UpdateDeathWait() {
    if (!animator || IsAlive() || !owner) return;
    // A "Dying" of any type counts as still dying while it is non-zero.
    if (const AnimatorParameter* dying = animator->GetParameter("Dying"); dying && dying->IsSet()) return;
    owner->components.ForEach([](Component* component) { component->OnDisable(); });
    owner->active = false;
}

void CombatUnit::UpdateShields(float dt) {
    for (std::size_t i = 0; i < shields.size();) {
        if (shields[i]->Update(dt)) {
            shields[i]->DestroyFx();
            shields.erase(shields.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        shields[i]->UpdateVisual();
        ++i;
    }
}

bool CombatUnit::UseWeapon(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= weapons.size()) return false;
    if (!IsAlive()) return false;
    WeaponBasic& weapon = *weapons[static_cast<std::size_t>(index)];
    if (!weapon.CanCast(*this) || currentWeapon) return false;
    weapon.PlayCastFeedback(*this);
    if (AudioSource* source = owner ? owner->GetComponent<AudioSource>() : nullptr) {
        source->PlayOneShot(weapon.sfx_onCast, 1, weapon.sfx_onCast_vol);
        source->PlayOneShot(weapon.va_onCast, 2, weapon.va_onCast_vol);
    }
    currentMana -= weapon.manaCost;
    if (ProgressBar<int>* bar = manaBar.Get()) bar->value = currentMana;
    weapon.timeSinceLastCast = 0.0f;
    SetParameter("Attack", true);
    states[CASTING] = 1;
    castTimer = weapon.castTime;
    currentWeapon = &weapon;
    currentWeaponIndex = index;
    currentCast.Renew();
    return true;
}

void CombatUnit::FinishAttack() {
    WeaponBasic* weapon = currentWeapon;
    if (!weapon) return;
    weapon->Fire(this);
    states[CASTING] = 0;
    states[RECOVERING] = 1;
    // Both end this cast only: a newer cast started meanwhile keeps its own state (and a
    // cast ends with its unit).
    const LifeRef cast = currentCast.Ref();
    JobManager& jobs = JobManager::GetInstance();
    jobs.AddJobFor(cast, [this]() { SetState(RECOVERING, false); }, JobKind::Frame, weapon->vfxDuration);
    jobs.AddJobFor(cast, [this]() { ClearWeaponIndex(); }, JobKind::Frame, weapon->vfxDuration);
    currentWeapon = nullptr;
}

}  // namespace Combat

// The player's hand on the led hero: arrows run, Space jumps, F Q W E R use the five
// weapons while held, Tab swaps the heroes.
#include "audio/AudioManager.h"
#include "audio/DynamicBGM.h"
#include "combat/CombatUnit.h"
#include "combat/Party.h"
#include "combat/UnitController.h"
#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/InputManager.h"
#include "gameobjectengine/Time.h"
#include "physics/Collider.h"
#include "physics/Rigidbody.h"
#include "scenemanager/SceneManager.h"

using Combat::CombatUnit;

PlayerUnitController::PlayerUnitController(const JsonValue& json)
    : UnitController(json), unitClass(json::ReadInt(json, "unitClass", 0)) {}

void PlayerUnitController::Start() { swapTimer = kSwapInterval; }

void PlayerUnitController::Enable() {
    if (unit) unit->states[CombatUnit::PLAYER_CONTROLLED] = 1;
    UnitController::Enable();
}

void PlayerUnitController::Disable() {
    if (unit) unit->states[CombatUnit::PLAYER_CONTROLLED] = 0;
    UnitController::Disable();
}

void PlayerUnitController::Update() {
    if (GameFlags::Any(GameFlags::Paused | GameFlags::Cutscene | GameFlags::GameOver)) return;
    if (!unit) return;
    ReadMovement();
    ReadJump();
    ReadSwap();
    const float dt = Time::GetInstance().deltaTime;
    // Runs down past 0 by at most a frame, then rests at exactly 0, which re-arms the sound.
    noManaCooldown = noManaCooldown > 0.0f ? noManaCooldown - dt : 0.0f;
    ReadWeapons();
}

void PlayerUnitController::ReadMovement() {
    const InputManager& input = InputManager::GetInstance();
    const bool right = input.Current(InputAction::Right) != 0;
    const bool left = input.Current(InputAction::Left) != 0;
    unit->moveDirection = (left && !right) ? -1 : (right && !left) ? 1 : 0;
}

bool PlayerUnitController::MayJump() const {
    // Without a body or collider the unit cannot jump (nor land again).
    const Rigidbody* body = unit->rigidbody;
    if (!body || !body->collider) return false;
    if (unitClass == 1) return unit->jumpCount < 2;
    return body->collider->grounded;
}

void PlayerUnitController::ReadJump() {
    if (!InputManager::GetInstance().GetKeyDown(InputAction::Jump)) return;
    if (MayJump()) unit->actionRequests |= CombatUnit::kJumpRequest;  // the unit jumps in its update
}

void PlayerUnitController::ReadSwap() {
    swapTimer += Time::GetInstance().deltaTime;
    if (!InputManager::GetInstance().GetKeyDown(InputAction::Swap) || swapTimer < kSwapInterval) return;
    swapTimer = 0.0f;
    SceneManager& scene = SceneManager::GetInstance();
    // The music and the HUD's follow only move when the heroes really changed places.
    if (!Combat::Party::GetInstance().SwapCharacter()) return;
    if (DynamicBGM* music = scene.FindComponentOfType<DynamicBGM>()) music->SwapLeads();
}

void PlayerUnitController::ReadWeapons() {
    const InputManager& input = InputManager::GetInstance();
    if (input.Current(InputAction::Weapon0) != 0) UseWeapon(0);
    static constexpr InputAction kSkillKeys[] = {InputAction::Weapon1, InputAction::Weapon2, InputAction::Weapon3,
                                                 InputAction::Weapon4};
    for (int32_t skill = 1; skill <= 4; ++skill) {
        if (input.Current(kSkillKeys[skill - 1]) == 0) continue;
        if (UseWeapon(skill)) {
            noManaCooldown += kNoManaInterval;
        } else {
            PlayNoManaSound();
        }
    }
}

void PlayerUnitController::PlayNoManaSound() {
    if (noManaCooldown != 0.0f) return;
    AudioManager::GetInstance().PlaySound("Assets/Audio/SFX/NoMana.ogg", 1, false, -1, 0.6f);
    noManaCooldown += kNoManaInterval;
}

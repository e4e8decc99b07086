#pragma once
// The unit record that controllers, AI, navigation, triggers and the HUD read and steer.
// (Filled in by the combat work.)
#include <cstdint>

#include "gameobjectengine/Component.h"

class Rigidbody;

namespace Combat {

class CombatUnit : public Component {
public:
    // State counters: a state is raised while its counter is not 0.
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

    explicit CombatUnit(int32_t gameObjectID) : Component(gameObjectID) {}
    explicit CombatUnit(const JsonValue& json) : Component(json) {}

    bool HasState(EFCUSTATE state) const { return states[state] != 0; }

    Rigidbody* rigidbody = nullptr;  // of the same object
    int32_t currentMana = 100;
    int32_t currentWeaponIndex = 0;  // slot of the weapon last started
    uint32_t states[STATE_COUNT] = {};
    int32_t jumpCount = 0;           // jumps since the unit last stood on the ground
    uint32_t actionRequests = 0;     // kJumpRequest: a jump is wanted
    int32_t moveDirection = 0;       // -1 left, 0 still, +1 right
};

}  // namespace Combat

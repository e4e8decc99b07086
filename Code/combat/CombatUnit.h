#pragma once
// The unit record that controllers, AI, navigation, triggers and the HUD read and steer.
// (Filled in by the combat work.)
#include "gameobjectengine/Component.h"

namespace Combat {

class CombatUnit : public Component {
public:
    explicit CombatUnit(int32_t gameObjectID) : Component(gameObjectID) {}
    explicit CombatUnit(const JsonValue& json) : Component(json) {}
};

}  // namespace Combat

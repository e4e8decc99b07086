#pragma once
// Unit controllers: the player's and the computer's. (Filled in by the combat work;
// the party set-up and the swap need Enable, Disable and the swap timer.)
#include "gameobjectengine/Component.h"

class UnitController : public Component {
public:
    explicit UnitController(int32_t objectID) : Component(objectID) {}
    explicit UnitController(const JsonValue& json) : Component(json) {}

    virtual void Enable() { enabled = true; }
    virtual void Disable() { enabled = false; }
};

class PlayerUnitController : public UnitController {
public:
    explicit PlayerUnitController(int32_t objectID) : UnitController(objectID) {}
    explicit PlayerUnitController(const JsonValue& json)
        : UnitController(json), unitClass(json::ReadInt(json, "unitClass", 0)) {}

    int32_t unitClass = 0;
    float swapTimer = 0.0f;
};

class AIUnitController : public UnitController {
public:
    explicit AIUnitController(int32_t objectID) : UnitController(objectID) {}
    explicit AIUnitController(const JsonValue& json) : UnitController(json) {}
};

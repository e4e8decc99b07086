#pragma once
// Follows the led hero. (Filled in by the camera work; the party swap needs SwapTargets.)
#include "gameobjectengine/Component.h"

class Camera : public Component {
public:
    explicit Camera(int32_t gameObjectID) : Component(gameObjectID) {}
    explicit Camera(const JsonValue& json) : Component(json) {}

    // Switches which hero the camera follows.
    void SwapTargets() {}
};

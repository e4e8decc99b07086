#pragma once
// Carries the 3D listener for the hero it sits on. (Filled in by the audio work.)
#include "gameobjectengine/Component.h"

class AudioListener : public Component {
public:
    explicit AudioListener(int32_t gameObjectID) : Component(gameObjectID) {}
    explicit AudioListener(const JsonValue& json) : Component(json) {}
};

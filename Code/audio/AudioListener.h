#pragma once
// Carries a 3D listener: each one that wakes announces one more listener to the
// audio system and then moves it to its object's position every frame while enabled.
#include <cstdint>

#include "gameobjectengine/Component.h"
#include "gameobjectengine/Handle.h"

class Transform;

class AudioListener : public Component {
public:
    explicit AudioListener(int32_t objectID);
    // "dopplerscale", "distance", "rolloffscale" (default 1.0 each).
    explicit AudioListener(const JsonValue& json);

    void Awake() override;
    void Start() override;
    void Update() override;
    Component* Clone() const override { return new AudioListener(*this); }

    float dopplerscale = 1.0f;
    float distance = 1.0f;
    float rolloffscale = 1.0f;
    Handle<Transform> transform;
    uint32_t listenerIndex = 0;
};

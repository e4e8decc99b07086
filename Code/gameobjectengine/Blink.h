#pragma once
// Switches another component on and off at a steady pace for a while, after a delay.
// Built only by code; ignores the pause flag.
#include "gameobjectengine/Component.h"
#include "gameobjectengine/Handle.h"

class Blink : public Component {
public:
    // Null target, no delay, duration or interval, target shown at the start.
    explicit Blink(int32_t objectID);

    void Start() override;   // restarts the blink; sets the target's enabled to startEnabled
    void Update() override;  // switches the target every interval; stops itself after duration

    Handle<Component> target;
    float delay = 0.0f;
    float duration = 0.0f;
    float interval = 0.0f;
    bool startEnabled = true;
    float intervalTimer = 0.0f;
    float elapsed = 0.0f;
};

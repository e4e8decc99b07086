#pragma once
// Destroys its object after a number of frames (liveType 1) or seconds (liveType 2);
// any other type never expires. Stands still while paused.
#include <cstdint>

#include "gameobjectengine/Component.h"

class TimeToLive : public Component {
public:
    static constexpr uint32_t kFrames = 1;
    static constexpr uint32_t kSeconds = 2;

    // Never expires until given a type and a lifetime.
    explicit TimeToLive(int32_t objectID);
    // "liveType"; "lifetime" as whole frames (type 1) or seconds (type 2).
    explicit TimeToLive(const JsonValue& json);
    TimeToLive(const TimeToLive&) = default;

    void Update() override;
    Component* Clone() const override;

    void SetFrames(int32_t frames);
    void SetSeconds(float seconds);

    uint32_t liveType = 0;
    int32_t framesLeft = 0;     // liveType 1
    float secondsLeft = 0.0f;   // liveType 2
};

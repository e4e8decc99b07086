#pragma once
// A damage or heal number that rises from the place of a hit, drawn from the digit
// sheets in one of four styles; critical numbers jitter sideways.
#include <cstdint>

#include "gameobjectengine/Handle.h"
#include "gameobjectengine/Transform.h"
#include "graphics/UIText.h"

class DamageText : public UIText {
public:
    static constexpr int32_t kCritical = 1;
    static constexpr int32_t kShield = 2;
    static constexpr int32_t kHeal = 3;

    explicit DamageText(int32_t objectID);

    // White, layer 11, listed for drawing.
    void Awake() override;
    // Starts at the source's position (its own when there is no source), scale 1, digits.
    void Start() override;
    // Rises; a critical number jitters around baseX. Stops while paused and without a source.
    void Update() override;

    // Shows the value; 501 or more always shows as critical.
    void SetValue(uint32_t value, int32_t style);

    float riseSpeed = 300.0f;  // pixels per second, upward
    uint32_t value = 0;
    int32_t style = 0;
    float baseX = 0.0f;
    Handle<Transform> source;  // the hit unit's transform (reads null once it is gone)
    float jitterTimer = 0.0f;
};

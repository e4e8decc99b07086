#pragma once
// Places an object: position in pixels (y down) with a depth, rotation in degrees,
// and scale, which for a sprite is half its drawn width and height.
#include "gameobjectengine/Component.h"

class Transform : public Component {
public:
    // Code defaults: position 0,0,0; rotation 0; scale 100 x 100.
    explicit Transform(int32_t objectID);
    // "position" {x,y,z} (present: missing members 1.0; absent: 0), "rotation",
    // "scale" {x,y} (present: missing members 1.0; absent: 100).
    explicit Transform(const JsonValue& json);

    Component* Clone() const override { return new Transform(*this); }

    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float rotation = 0.0f;
    float scaleX = 100.0f;
    float scaleY = 100.0f;
};

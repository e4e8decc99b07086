#pragma once
// Keeps its object at another object's position plus an offset (x and y only).
#include "gameobjectengine/Component.h"
#include "gameobjectengine/Handle.h"

class Transform;

class Follow : public Component {
public:
    explicit Follow(int32_t objectID);
    // "xOffset", "yOffset", "follow" (id of the object whose Transform is followed).
    explicit Follow(const JsonValue& json);

    void Awake() override;   // caches the own Transform
    // Nothing while paused, without an own Transform, or once the target is gone.
    void Update() override;

    Handle<Transform> target;
    Transform* transform = nullptr;
    float xOffset = 0.0f;
    float yOffset = 0.0f;
};

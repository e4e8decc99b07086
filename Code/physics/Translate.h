#pragma once
// Moves its object with a constant velocity and acceleration: directly on its Transform
// when the object's Rigidbody is kinematic or absent, through the body's velocity otherwise.
#include "gameobjectengine/Component.h"

class Rigidbody;
class Transform;

class Translate : public Component {
public:
    explicit Translate(int32_t gameObjectID);
    // "velocityX", "velocityY", "accelerationX", "accelerationY".
    explicit Translate(const JsonValue& json);
    Translate(const Translate&) = default;

    void Awake() override;   // caches the own Transform and Rigidbody
    void Update() override;  // nothing while paused or without a Transform
    Component* Clone() const override;  // the rigidbody is found again by Awake

    float velocityX = 0.0f;
    float velocityY = 0.0f;
    float accelerationX = 0.0f;
    float accelerationY = 0.0f;
    Transform* transform = nullptr;
    Rigidbody* rigidbody = nullptr;
};

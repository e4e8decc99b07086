#include "physics/Translate.h"

#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/Time.h"
#include "gameobjectengine/Transform.h"
#include "physics/Rigidbody.h"

Translate::Translate(int32_t gameObjectID) : Component(gameObjectID) {}

Translate::Translate(const JsonValue& json)
    : Component(json),
      velocityX(json::ReadFloat(json, "velocityX", 0.0f)),
      velocityY(json::ReadFloat(json, "velocityY", 0.0f)),
      accelerationX(json::ReadFloat(json, "accelerationX", 0.0f)),
      accelerationY(json::ReadFloat(json, "accelerationY", 0.0f)) {}

void Translate::Awake() {
    if (!owner) return;
    transform = owner->GetComponent<Transform>();
    rigidbody = owner->GetComponent<Rigidbody>();
}

Component* Translate::Clone() const {
    auto* copy = new Translate(*this);
    copy->rigidbody = nullptr;
    return copy;
}

void Translate::Update() {
    if (GameFlags::Any(GameFlags::Paused) || !transform) return;
    const float dt = Time::GetInstance().deltaTime;
    if (!rigidbody || rigidbody->isKinematic) {
        velocityX += accelerationX * dt;
        velocityY += accelerationY * dt;
        transform->x += velocityX * dt;
        transform->y += velocityY * dt;
        return;
    }
    // A dynamic body: the acceleration counts per frame and the velocity is added to
    // the body's own every frame; the physics step then moves it.
    velocityX += accelerationX;
    velocityY += accelerationY;
    rigidbody->xVelocity += velocityX;
    rigidbody->yVelocity += velocityY;
}

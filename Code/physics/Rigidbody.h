#pragma once
// A moving body of the physics world: velocity, acceleration, gravity and kinematic
// switches, a queue of timed velocity impulses, the direction it faces and the
// colliders it touched in its last step.
//
// Horizontal velocity lasts one step (the step zeroes it after moving a non-kinematic
// body), so whatever drives a body sideways sets it every frame; vertical velocity
// persists. A body moves the Transform held by its own Collider; without a collider
// its velocity still changes but its position never does.
#include <cstdint>
#include <deque>

#include "gameobjectengine/Component.h"
#include "graphics/SpriteFacing.h"

class Collider;
class Transform;

class Rigidbody : public Component, public SpriteFacing {
public:
    static constexpr uint32_t kMaxContacts = 128;

    // A timed velocity impulse. interval 0 applies every step while remaining > 0;
    // otherwise once each time elapsed reaches interval.
    struct RigidbodyForce {
        float forceX = 0.0f;    // recorded by the writer, not read by the step
        float forceY = 0.0f;
        float remaining = 0.0f; // seconds left; dropped at the end of the step reaching <= 0
        float interval = 0.0f;
        float elapsed = 0.0f;
        float deltaVX = 0.0f;
        float deltaVY = 0.0f;
    };

    // Code defaults: weight 1, at rest, gravity on, not kinematic, facing right.
    explicit Rigidbody(int32_t objectID);
    // "weight", "xVelocity", "yVelocity", "isKinematic", "useGravity"; queues the
    // look-ups of its object's Collider and Transform.
    explicit Rigidbody(const JsonValue& json);
    Rigidbody(const Rigidbody& other);
    Rigidbody& operator=(const Rigidbody&) = delete;

    void Awake() override;      // registers with the physics world (needs an owner)
    void Start() override;      // finds the collider and transform; hands the collider our kinematic flag
    void OnDestroy() override;  // unregisters
    // Every field, pending forces and contacts included; collider and transform cleared.
    Component* Clone() const override;
    // Read by the sprite pass, which mirrors the object's picture.
    bool FacesLeft() const override { return facing == 0; }

    // One step of the force queue: applies what is due and drops what has run out.
    void ApplyForces(float dt);
    void ClearContacts();
    // Appends a contact unless the list is full.
    void AddContact(Collider* other);
    // The same, unless the collider is listed already (the later sub-steps of a long frame).
    void AddContactOnce(Collider* other);
    // Drops every entry naming this collider, keeping the others in order.
    void ForgetContact(const Collider* other);

    std::deque<RigidbodyForce> forces;
    float weight = 1.0f;
    float xAcceleration = 0.0f;
    float yAcceleration = 0.0f;
    float xVelocity = 0.0f;
    float yVelocity = 0.0f;
    Collider* collider = nullptr;    // of the same object
    Transform* transform = nullptr;  // of the same object
    bool isKinematic = false;
    bool useGravity = true;
    Collider* contacts[kMaxContacts] = {};
    uint32_t contactCount = 0;
    uint32_t facing = 1;  // 1 right, 0 left
    float slopeFactorX = 1.0f;
    float slopeFactorY = 0.0f;
    float verticalFactorX = 0.0f;
    float verticalFactorY = 1.0f;
};

#include "physics/Rigidbody.h"

#include <algorithm>

#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/Transform.h"
#include "physics/Collider.h"
#include "physics/PhysicsManager.h"

namespace {
// A force whose accumulated time lands on its interval up to float rounding is due:
// summing frame times rarely hits the interval exactly, and a knock-back written with
// interval == remaining would otherwise be dropped without ever being applied.
constexpr float kIntervalSlack = 1e-4f;
}  // namespace

Rigidbody::Rigidbody(int32_t objectID) : Component(objectID) {}

Rigidbody::Rigidbody(const JsonValue& json)
    : Component(json),
      weight(json::ReadFloat(json, "weight", 1.0f)),
      xVelocity(json::ReadFloat(json, "xVelocity", 0.0f)),
      yVelocity(json::ReadFloat(json, "yVelocity", 0.0f)),
      isKinematic(json::ReadFlag(json, "isKinematic", false)),
      useGravity(json::ReadFlag(json, "useGravity", true)) {
    QueueFetchComponent(this, owner, &collider);
    QueueFetchComponent(this, owner, &transform);
}

Rigidbody::Rigidbody(const Rigidbody& other) : Component(other), SpriteFacing(other) {
    forces = other.forces;
    weight = other.weight;
    xAcceleration = other.xAcceleration;
    yAcceleration = other.yAcceleration;
    xVelocity = other.xVelocity;
    yVelocity = other.yVelocity;
    isKinematic = other.isKinematic;
    useGravity = other.useGravity;
    std::copy(std::begin(other.contacts), std::end(other.contacts), std::begin(contacts));
    contactCount = other.contactCount;
    facing = other.facing;
    slopeFactorX = other.slopeFactorX;
    slopeFactorY = other.slopeFactorY;
    verticalFactorX = other.verticalFactorX;
    verticalFactorY = other.verticalFactorY;
}

void Rigidbody::Awake() { PhysicsManager::GetInstance().AddBody(this); }

void Rigidbody::Start() {
    if (!owner) return;
    if (!collider) collider = owner->GetComponent<Collider>();
    if (collider) collider->isKinematic = isKinematic;
    if (!transform) transform = owner->GetComponent<Transform>();
}

void Rigidbody::OnDestroy() { PhysicsManager::GetInstance().RemoveBody(this); }

Component* Rigidbody::Clone() const { return new Rigidbody(*this); }

void Rigidbody::ApplyForces(float dt) {
    if (forces.empty()) return;
    for (RigidbodyForce& force : forces) {
        bool due = force.interval == 0.0f;
        if (!due) {
            force.elapsed += dt;
            if (force.elapsed + kIntervalSlack >= force.interval) {
                force.elapsed -= force.interval;
                due = true;
            }
        }
        if (due) {
            xVelocity += force.deltaVX;
            yVelocity += force.deltaVY;
        }
        force.remaining -= dt;
    }
    // Keeps the survivors in order without allocating.
    forces.erase(std::remove_if(forces.begin(), forces.end(),
                                [](const RigidbodyForce& f) { return !(f.remaining > 0.0f); }),
                 forces.end());
}

void Rigidbody::ClearContacts() {
    std::fill(std::begin(contacts), std::begin(contacts) + contactCount, nullptr);
    contactCount = 0;
}

void Rigidbody::AddContact(Collider* other) {
    if (contactCount < kMaxContacts) contacts[contactCount++] = other;
}

void Rigidbody::AddContactOnce(Collider* other) {
    if (std::find(contacts, contacts + contactCount, other) == contacts + contactCount) AddContact(other);
}

void Rigidbody::ForgetContact(const Collider* other) {
    Collider** end = contacts + contactCount;
    Collider** kept = std::remove(contacts, end, other);
    std::fill(kept, end, nullptr);
    contactCount = static_cast<uint32_t>(kept - contacts);
}

#include "physics/PhysicsManager.h"

#include <bit>
#include <cmath>

#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/Time.h"
#include "gameobjectengine/Transform.h"
#include "graphics/Camera.h"
#include "physics/Collider.h"
#include "physics/Rigidbody.h"

PhysicsManager& PhysicsManager::GetInstance() {
    static PhysicsManager instance;
    return instance;
}

void PhysicsManager::Reset() {
    rigidbodies.Clear();
    colliders.Clear();
    Camera::SetMain(nullptr);
}

bool PhysicsManager::AddBody(Rigidbody* body) {
    if (!body || !body->owner) return false;
    return rigidbodies.Add(body);
}

bool PhysicsManager::AddCollider(Collider* collider) {
    if (!collider || !collider->owner) return false;
    return colliders.Add(collider);
}

void PhysicsManager::RemoveBody(const Rigidbody* body) { rigidbodies.RemoveItem(body); }

void PhysicsManager::RemoveCollider(const Collider* collider) {
    if (!collider) return;
    colliders.RemoveItem(collider);
    // A body that is not stepped this frame (paused, disabled, inactive) keeps its last
    // contacts, and triggers or weapon areas read them later: never leave them pointing
    // at a collider that is going away.
    const std::size_t mark = rigidbodies.Mark();
    for (std::size_t i = 0; i < mark; ++i)
        if (Rigidbody* body = rigidbodies.Get(i)) body->ForgetContact(collider);
}

Camera* PhysicsManager::MainCamera() const { return Camera::Main(); }

void PhysicsManager::SetMainCamera(Camera* camera) { Camera::SetMain(camera); }

void PhysicsManager::ForgetCamera(const Camera* camera) { Camera::ForgetMain(camera); }

uint32_t PhysicsManager::MaskForLayer(uint32_t layer) {
    static constexpr uint32_t kMasks[4] = {0xFFFFFFFFu, 13u, 11u, 7u};
    if (layer == 0) return kMasks[0];
    const int bit = std::countr_zero(layer);
    return bit <= 3 ? kMasks[bit] : kMasks[0];
}

void PhysicsManager::Step() {
    if (GameFlags::Any(GameFlags::Paused)) return;
    StepWith(Time::GetInstance().deltaTime);
}

int PhysicsManager::SubStepsFor(float dt) {
    if (!(dt > kMaxSubStep)) return 1;
    const float count = std::ceil(dt / kMaxSubStep);
    return count < static_cast<float>(kMaxSubSteps) ? static_cast<int>(count) : kMaxSubSteps;
}

// Gravity, acceleration and the clocks of timed forces advance by the sub-step, so a
// repeating force is applied as often in one long frame as over the short frames it
// stands for, and a one-off push moves a body as far as it would at 60 frames a second.
void PhysicsManager::StepWith(float dt) {
    const int subSteps = SubStepsFor(dt);
    const float step = subSteps == 1 ? dt : dt / static_cast<float>(subSteps);
    broadPhase.Build(colliders);
    const std::size_t mark = rigidbodies.Mark();
    for (int sub = 0; sub < subSteps; ++sub) {
        for (std::size_t i = 0; i < mark; ++i) {
            Rigidbody* body = rigidbodies.Get(i);
            if (!body || !body->enabled) continue;
            // An entry whose object is gone from under it, or that has no Transform yet,
            // has nothing to move: skip it whole.
            if (!body->owner || !body->owner->active || !body->transform) continue;
            // Whatever drove a body sideways did so once for the whole frame; the
            // motion of each sub-step zeroes it, so it is handed back for the next.
            if (sub == 0) drivenVelocityX[i] = body->xVelocity;
            else if (!body->isKinematic) body->xVelocity = drivenVelocityX[i];
            StepBody(*body, step, sub == 0);
        }
    }
}

void PhysicsManager::StepBody(Rigidbody& body, float dt, bool firstSubStep) {
    if (firstSubStep) body.ClearContacts();
    Collider* collider = body.collider;
    if (collider) collider->ResetContacts();

    if (body.useGravity) body.yAcceleration = kGravity;
    body.xVelocity += dt * body.xAcceleration;
    body.yVelocity += dt * body.yAcceleration;
    body.ApplyForces(dt);

    const uint32_t mask = MaskForLayer(body.owner->layer);
    if (collider && collider->transform) CollideBody(body, mask, dt, firstSubStep);
    if (!body.isKinematic) MoveBody(body, dt);
    if (collider && collider->transform) broadPhase.Moved(collider->transform);
}

namespace {
// Bit patterns, so a NaN place compares equal to itself.
bool SamePlace(const Transform& t, float x, float y) {
    return std::bit_cast<uint32_t>(t.x) == std::bit_cast<uint32_t>(x) &&
           std::bit_cast<uint32_t>(t.y) == std::bit_cast<uint32_t>(y);
}
}  // namespace

void PhysicsManager::CollideBody(Rigidbody& body, uint32_t mask, float dt, bool firstSubStep) {
    Collider* self = body.collider;
    const TVector2<float> move(dt * body.xVelocity, dt * body.yVelocity);
    Transform& place = *self->transform;
    float queriedX = place.x, queriedY = place.y;
    candidates = broadPhase.Query(*self, move);
    // Colliders in slot order, as if every one were tested: the ones left out could not
    // have touched the mover from where it was asked about.
    for (std::size_t k = 0; k < candidates.size(); ++k) {
        const uint16_t slot = candidates[k];
        Collider* other = colliders.Get(slot);
        if (!other || other == self || !other->enabled) continue;
        GameObject* otherOwner = other->owner;
        // Same object means the same owner, whatever ids the components were built with.
        if (!otherOwner || otherOwner == body.owner || !otherOwner->active) continue;
        if (!other->transform || (otherOwner->layer & mask) == 0) continue;
        if (self->Collide(other, move)) {
            if (firstSubStep) body.AddContact(other);
            else body.AddContactOnce(other);
        }
        if (!SamePlace(place, queriedX, queriedY)) {
            // Snapped against a wall or lifted onto a slope: ask again from the new place
            // for the colliders after this one.
            broadPhase.Moved(&place);
            candidates = broadPhase.Query(*self, move, slot);
            queriedX = place.x, queriedY = place.y;
            k = static_cast<std::size_t>(-1);
        }
    }
}

void PhysicsManager::MoveBody(Rigidbody& body, float dt) {
    Collider* collider = body.collider;
    if (collider) {
        body.slopeFactorX = collider->slopeFactorX;
        body.slopeFactorY = collider->slopeFactorY;
    }
    if (body.xVelocity < 0.0f) body.facing = 0;
    else if (body.xVelocity > 0.0f) body.facing = 1;

    if (collider) {
        if (collider->blockedRight && body.xVelocity > 0.0f) body.xVelocity = 0.0f;
        if (collider->blockedLeft && body.xVelocity < 0.0f) body.xVelocity = 0.0f;
        if (collider->grounded && body.yVelocity > 0.0f) body.yVelocity = 0.0f;
        if (Transform* moved = collider->transform) {
            // Sloped motion only bends movement to the right; a body going left is put
            // back on the slope surface by the next step's slope test.
            const float lift = body.xVelocity > 0.0f ? -body.xVelocity * body.slopeFactorY : 0.0f;
            moved->x += (body.verticalFactorX * body.yVelocity + body.slopeFactorX * body.xVelocity) * dt;
            moved->y += (body.verticalFactorY * body.yVelocity + lift) * dt;
        }
    }
    body.xVelocity = 0.0f;
}

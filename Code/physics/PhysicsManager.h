#pragma once
// The physics world: the registries of bodies and colliders and the once-per-frame
// step. It also answers for the scene's main camera, which the graphics keep.
//
// The registries only refer to components that their game objects own: a body or
// collider adds itself when it wakes (only if it has an owner) and removes itself in
// OnDestroy; removal never deletes. The step walks the bodies in slot order, each one
// fully (forces, collisions, motion) before the next, so later bodies see the
// positions earlier ones reached this frame. A broad phase picks, for each body, the
// colliders it could touch; the results are those of testing every collider.
//
// A frame longer than kMaxSubStep is stepped as equal sub-steps no longer than that, the
// whole world sub-step by sub-step, so nothing moves further in one go than it would at
// 60 frames a second (a long frame would otherwise carry a runner into or through a
// wall). Across the sub-steps a body keeps the sideways velocity it was driven with,
// and its contacts are every collider it touched in any of them (each once): a trigger
// or weapon area still sees a unit that crossed it in the middle of the frame. Its
// contact flags and slope factors are those of the last sub-step.
#include <cstdint>
#include <vector>

#include "gameobjectengine/SlotPool.h"
#include "physics/BroadPhase.h"

class Camera;
class Collider;
class Rigidbody;

class PhysicsManager {
public:
    static constexpr std::size_t kMaxBodies = 1024;
    static constexpr std::size_t kMaxColliders = 1024;
    // 9.81 * 175 in single precision: pixels per second squared, downward.
    static constexpr float kGravity = 1716.7501f;
    // The longest single step; and the most sub-steps one frame is cut into (a frame
    // longer than kMaxSubSteps * kMaxSubStep takes longer sub-steps).
    static constexpr float kMaxSubStep = 1.0f / 60.0f;
    static constexpr int kMaxSubSteps = 120;

    static PhysicsManager& GetInstance();

    // Empties both registries (nothing is deleted) and forgets the main camera.
    void Reset();
    // One frame: nothing while the game is paused.
    void Step();
    // The same with an explicit frame time (benchmarks, tests).
    void StepWith(float dt);
    // How many sub-steps a frame of dt seconds takes: 1 up to kMaxSubStep (and for a
    // time that is not a positive number).
    static int SubStepsFor(float dt);

    // Registration: false (nothing stored) without an owner or when the registry is full.
    bool AddBody(Rigidbody* body);
    bool AddCollider(Collider* collider);
    // Forgets the pointer (found by value); an unknown pointer does nothing.
    void RemoveBody(const Rigidbody* body);
    void RemoveCollider(const Collider* collider);

    // The scene's main camera, or null (none registered, or it has been destroyed).
    Camera* MainCamera() const;
    void SetMainCamera(Camera* camera);
    // Clears the main camera only if it is this one.
    void ForgetCamera(const Camera* camera);

    // Collision mask of a body on this layer word: chosen by the lowest set bit
    // (bit 0 all layers, bit 1 layers 1|4|8, bit 2 layers 1|2|8, bit 3 layers 1|2|4).
    // A word of 0, or whose lowest bit is above bit 3, collides with everything.
    static uint32_t MaskForLayer(uint32_t layer);

    SlotPool<Rigidbody, PoolOwnership::Borrowing> rigidbodies{kMaxBodies};
    SlotPool<Collider, PoolOwnership::Borrowing> colliders{kMaxColliders};

private:
    PhysicsManager() = default;
    // One sub-step of one body; the first sub-step of a frame starts its contact list afresh.
    void StepBody(Rigidbody& body, float dt, bool firstSubStep);
    void CollideBody(Rigidbody& body, uint32_t mask, float dt, bool firstSubStep);
    static void MoveBody(Rigidbody& body, float dt);

    BroadPhase broadPhase;
    std::vector<uint16_t> candidates;
    // Per body slot, the sideways velocity it entered a sub-stepped frame with.
    std::vector<float> drivenVelocityX = std::vector<float>(kMaxBodies, 0.0f);
};

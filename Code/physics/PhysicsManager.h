#pragma once
// The physics world: registries of bodies and colliders, the main camera, and the
// per-frame step. (Filled in by the physics work; the tick only needs these calls.)
class Camera;

class PhysicsManager {
public:
    static PhysicsManager& GetInstance();

    // Empties both registries and clears the main camera.
    void Reset();
    // One physics step over every registered body.
    void Step();

    Camera* mainCamera = nullptr;

private:
    PhysicsManager() = default;
};

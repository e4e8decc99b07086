#include "physics/PhysicsManager.h"

PhysicsManager& PhysicsManager::GetInstance() {
    static PhysicsManager instance;
    return instance;
}

void PhysicsManager::Reset() { mainCamera = nullptr; }

void PhysicsManager::Step() {}

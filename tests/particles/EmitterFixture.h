#pragma once
// A headless unit for the emitter tests: an object with a Transform, a Rigidbody and a
// Combat::CombatUnit built by code (only attached: states, mana and weapon are set
// directly), fake texture uploads, a fixed frame time and a seeded random sequence.
// Frames are run by calling the emitter's Update, so the particle queue can be read.
#include <gtest/gtest.h>

#include "EngineHarness.h"
#include "combat/CombatUnit.h"
#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/Time.h"
#include "gameobjectengine/Transform.h"
#include "graphics/Camera.h"
#include "graphics/GraphicsEngine.h"
#include "graphics/GraphicsTestSupport.h"
#include "graphics/Particle.h"
#include "physics/PhysicsManager.h"
#include "physics/Rigidbody.h"

class EmitterTest : public ::testing::Test {
protected:
    static constexpr float kDt = 1.0f / 60.0f;

    EmitterTest() {
        hero = SceneManager::GetInstance().CreateGameObject("Hero", true);
        transform = hero->AddComponent<Transform>(true);
        transform->x = 1000.0f;
        transform->y = 500.0f;
        body = hero->AddComponent<Rigidbody>(true);
        unit = hero->AddComponent<Combat::CombatUnit>(true);
        unit->rigidbody = body;
        Time::GetInstance().deltaTime = kDt;
    }
    ~EmitterTest() override { GameFlags::word = 0; }

    // An emitter of the hero, woken and started as the game does.
    template <typename T>
    T* Attach() {
        T* emitter = hero->AddComponent<T>(true);
        emitter->Awake();
        emitter->Start();
        return emitter;
    }

    // One frame of an emitter; returns what it put on the queue (the queue is emptied).
    std::vector<Particle*> Frame(Component* emitter) {
        engine.particleQueue.clear();
        emitter->Update();
        std::vector<Particle*> queued;
        for (const QueuedParticle& entry : engine.particleQueue) queued.push_back(entry.particle);
        engine.particleQueue.clear();
        return queued;
    }
    void Frames(Component* emitter, int n) {
        for (int i = 0; i < n; ++i) Frame(emitter);
    }

    // Sets or clears one of the unit's states.
    void SetState(Combat::CombatUnit::EFCUSTATE state, bool on) { unit->states[state] = on ? 1 : 0; }

    // A camera registered as the main one (its object has no target, so it never moves).
    Camera* MakeCamera() {
        GameObject* object = SceneManager::GetInstance().CreateGameObject("Camera", true);
        object->AddComponent<Transform>(true);
        auto* camera = object->AddComponent<Camera>(true);
        PhysicsManager::GetInstance().SetMainCamera(camera);
        return camera;
    }

    // A projectile for trails to follow.
    Transform* MakeProjectile(float x, float y) {
        GameObject* object = SceneManager::GetInstance().CreateGameObject("Projectile", true);
        auto* t = object->AddComponent<Transform>(true);
        t->x = x;
        t->y = y;
        return t;
    }

    static int CountActive(const Particle* pool, int n) {
        int count = 0;
        for (int i = 0; i < n; ++i) count += pool[i].active ? 1 : 0;
        return count;
    }

    EngineHarness harness;
    ScopedGraphics graphics;
    GraphicsEngine& engine = GraphicsEngine::GetInstance();
    GameObject* hero = nullptr;
    Transform* transform = nullptr;
    Rigidbody* body = nullptr;
    Combat::CombatUnit* unit = nullptr;
};

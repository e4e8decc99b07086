#include "particles/ParticleEmitter.h"

#include "combat/CombatUnit.h"
#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/GameRandom.h"
#include "gameobjectengine/Time.h"
#include "gameobjectengine/Transform.h"
#include "graphics/Camera.h"
#include "graphics/GraphicsEngine.h"
#include "physics/Rigidbody.h"

ParticleEmitter::ParticleEmitter(int32_t objectID, bool readsFacing)
    : Component(objectID), readsFacing_(readsFacing) {}

void ParticleEmitter::Awake() { LoadTextures(); }

void ParticleEmitter::Start() {
    if (!owner) return;
    transform = owner->GetComponent<Transform>();
    unit = owner->GetComponent<Combat::CombatUnit>();
}

void ParticleEmitter::Update() { RunBaseCycle(); }

void ParticleEmitter::RunBaseCycle() {
    if (!Ready()) return;
    if (ShouldEmit()) Emit();
    UpdateParticles();
    SubmitParticles();
}

bool ParticleEmitter::Ready() const {
    const Combat::CombatUnit* u = unit.Get();
    if (!transform.Get() || !u) return false;
    return !readsFacing_ || u->rigidbody != nullptr;
}

bool ParticleEmitter::FacingRight() const {
    const Combat::CombatUnit* u = unit.Get();
    return u && u->rigidbody && u->rigidbody->facing == 1;
}

void ParticleEmitter::Shake(float seconds) {
    if (Camera* camera = Camera::Main()) camera->AddShake(seconds);
}

uint32_t ParticleEmitter::LoadParticleTexture(const char* path) {
    GraphicsEngine& graphics = GraphicsEngine::GetInstance();
    const uint32_t name = graphics.LoadTexture(path).id;
    graphics.PinTextureForever(name);
    return name;
}

float ParticleEmitter::DeltaTime() { return Time::GetInstance().deltaTime; }

bool ParticleEmitter::Paused() { return GameFlags::Any(GameFlags::Paused); }

int32_t ParticleEmitter::RandomBelow(int32_t n) { return n > 0 ? GameRandom::Next() % n : 0; }

bool ParticleEmitter::RandomOdd() { return (GameRandom::Next() & 1) != 0; }

Particle* ParticleEmitter::FirstFree(Particle* pool, int count) {
    const int i = FirstFreeIndex(pool, count);
    return i < 0 ? nullptr : &pool[i];
}

int ParticleEmitter::FirstFreeIndex(const Particle* pool, int count) {
    for (int i = 0; i < count; ++i)
        if (!pool[i].active) return i;
    return -1;
}

void ParticleEmitter::SubmitActive(Particle* pool, int count) const {
    GraphicsEngine& graphics = GraphicsEngine::GetInstance();
    const LifeRef keeper = GetLifetime().Ref();
    for (int i = 0; i < count; ++i)
        if (pool[i].active) graphics.SubmitParticle(&pool[i], keeper);
}

void ParticleEmitter::RetireAll(Particle* pool, int count) {
    for (int i = 0; i < count; ++i) pool[i].active = false;
}

int ParticleEmitter::TakeEmissions(float& clock, float interval) {
    int due = 0;
    // The same subtractions as counting down one interval per emission, so that a normal
    // frame emits exactly as many particles, on exactly the same clock, as it always did.
    while (clock > interval && due < kMaxEmissionsPerFrame) {
        clock -= interval;
        ++due;
    }
    if (clock > interval) clock = interval;
    return due;
}

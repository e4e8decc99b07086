#include "particles/ManaParticleEmitter.h"

#include <cmath>

#include "combat/CombatUnit.h"
#include "gameobjectengine/Transform.h"

namespace {
constexpr int32_t kManaPerOrb = 60;
constexpr int32_t kManaPerSparkle = 20;
}  // namespace

ManaParticleEmitter::ManaParticleEmitter(int32_t objectID) : ParticleEmitter(objectID) {}

void ManaParticleEmitter::LoadTextures() {
    orbTexture = LoadParticleTexture("Assets/Art/Particles/MainManaParticle.png");
    sparkleTexture = LoadParticleTexture("Assets/Art/Particles/SmallManaParticle.png");
    burstTexture = LoadParticleTexture("Assets/Art/Particles/ManaVampParticle.png");
}

void ManaParticleEmitter::Start() {
    ParticleEmitter::Start();
    if (!transform) return;
    // Bounded: the pool has 5 slots, so 5 tries fill it whatever state it is in.
    for (int tries = 0; tries < kOrbCount && activeOrbs < kOrbCount; ++tries) {
        Emit();
        for (int i = 0; i < 3; ++i) EmitSparkle();
    }
}

bool ManaParticleEmitter::ShouldEmit() { return unit && activeOrbs < unit->currentMana / kManaPerOrb; }

void ManaParticleEmitter::Emit() {
    Particle* p = FirstFree(orbs, kOrbCount);
    const Transform* t = transform.Get();
    if (!p || !t) return;
    p->age = static_cast<float>(RandomBelow(100));
    p->lifetime = static_cast<float>(RandomBelow(50)) + p->age;
    p->positionX = t->x;
    p->positionY = t->y;
    p->width = p->height = 30.0f;
    p->red = p->green = p->blue = 1.0f;
    p->alpha = 0.0f;
    p->phaseA = static_cast<float>(RandomBelow(200) - 100);
    p->texture = orbTexture;
    p->active = true;
    ++activeOrbs;
}

void ManaParticleEmitter::EmitSparkle() {
    Particle* p = FirstFree(sparkles, kSparkleCount);
    const Transform* t = transform.Get();
    if (!p || !t) return;
    p->age = 0.0f;
    p->lifetime = static_cast<float>(RandomBelow(50));
    p->positionX = t->x;
    p->positionY = t->y;
    p->phaseA = static_cast<float>(RandomBelow(200) - 100);
    p->width = p->height = 5.0f;
    p->red = p->green = p->blue = 1.0f;
    p->alpha = 0.0f;
    p->phaseB = static_cast<float>(RandomBelow(250) - 125);
    p->texture = sparkleTexture;
    p->active = true;
    ++activeSparkles;
}

void ManaParticleEmitter::Burst(float worldX, float worldY) {
    const Transform* t = transform.Get();
    if (!t) return;
    const int32_t n = RandomBelow(15) + 5;
    for (int32_t i = 0; i < n; ++i) {
        Particle* p = FirstFree(bursts, kBurstCount);
        if (!p) continue;
        p->age = 0.0f;
        p->positionX = worldX;
        p->positionY = worldY;
        p->velocityX = 3.0f * static_cast<float>(RandomBelow(75) + 25);
        if (t->x > worldX) p->velocityX = -p->velocityX;  // away from the hero first
        p->velocityY = 3.0f * static_cast<float>(RandomBelow(200) - 100);
        p->red = p->green = p->blue = 1.0f;
        p->alpha = 0.25f;
        p->lifetime = static_cast<float>(RandomBelow(9)) / 10.0f + 0.1f;
        p->width = p->height = static_cast<float>(RandomBelow(15) + 7);
        p->texture = burstTexture;
        p->active = true;
    }
}

void ManaParticleEmitter::UpdateParticles() {
    if (Paused()) return;
    const float dt = DeltaTime();
    UpdateOrbs(dt);
    UpdateSparkles(dt);
    UpdateBursts(dt);
}

void ManaParticleEmitter::UpdateOrbs(float dt) {
    const Transform& t = *transform.Get();
    bool surplus = activeOrbs > unit->currentMana / kManaPerOrb;  // at most one orb goes a frame
    for (Particle& p : orbs) {
        if (!p.active) continue;
        if (surplus) {
            p.active = false;
            --activeOrbs;
            surplus = false;
            continue;
        }
        p.age += dt;
        if (p.age >= 360.0f) p.age = 0.0f;
        p.positionY = std::cos(p.age) * 15.0f + t.y + 40.0f;
        p.positionX = std::cos(p.age + p.phaseA) * t.scaleX * 0.5f + t.x;
        p.alpha = p.age / AtLeastOne(p.lifetime) + 0.3f;
    }
}

void ManaParticleEmitter::UpdateSparkles(float dt) {
    const Transform& t = *transform.Get();
    int32_t excess = activeSparkles - unit->currentMana / kManaPerSparkle;
    if (excess < 0) {
        // Never more tops-ups than the pool holds, whatever the mana.
        const int32_t missing = -excess < kSparkleCount ? -excess : kSparkleCount;
        for (int32_t i = 0; i < missing; ++i) EmitSparkle();
        excess = 0;
    }
    for (Particle& p : sparkles) {
        if (!p.active) continue;
        if (excess > 0) {
            p.active = false;
            --excess;
            --activeSparkles;
            continue;
        }
        p.age += dt;
        p.positionY = std::cos(p.age + p.phaseB) * 7.5f + t.y + 40.0f;
        p.positionX = std::cos(p.age + p.phaseA) * t.scaleX * 0.5f + t.x;
        p.alpha = (std::sin(p.age / AtLeastOne(p.lifetime)) + 0.5f) * 0.5f;
    }
}

void ManaParticleEmitter::UpdateBursts(float dt) {
    const Transform& t = *transform.Get();
    for (Particle& p : bursts) {
        if (!p.active) continue;
        p.age += dt;
        if (p.age > p.lifetime) {
            // Homing: a pull toward the hero that grows with the distance.
            p.velocityX = (t.x - p.positionX) * 1.3f;
            p.velocityY = (t.y - p.positionY) * 1.3f;
            p.alpha -= 1.3f * dt;
            if (p.alpha < 0.0f) p.active = false;
        } else {
            p.alpha += 0.85f / p.lifetime * dt;
        }
        p.positionX += p.velocityX * dt;
        p.positionY += p.velocityY * dt;
    }
}

void ManaParticleEmitter::SubmitParticles() {
    SubmitActive(orbs, kOrbCount);
    SubmitActive(sparkles, kSparkleCount);
    SubmitActive(bursts, kBurstCount);
}

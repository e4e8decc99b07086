#include "particles/LaserParticleEmitter.h"

#include "gameobjectengine/Transform.h"

LaserParticleEmitter::LaserParticleEmitter(int32_t objectID) : ParticleEmitter(objectID, true) {}

void LaserParticleEmitter::LoadTextures() {
    texture = LoadParticleTexture("Assets/Art/Particles/EnemyLaserParticle.png");
}

void LaserParticleEmitter::StartLaser() {
    if (charging) return;
    chargeTime = 3.0f;
    charging = true;
}

void LaserParticleEmitter::Update() {
    // Paused: the beam neither runs nor shows.
    if (Paused() || !Ready()) return;
    RunBaseCycle();
    const float dt = DeltaTime();
    if (charging && beamTime == 0.0f) {
        chargeTime -= dt;
        if (chargeTime < 0.0f) {
            beamTime = 4.0f;
            charging = false;
        }
    }
    if (beamTime > 0.0f) {
        beamTime -= dt;
        emissionClock += dt;
        // One interval a frame at most: below 550 frames a second, one particle a frame.
        if (emissionClock > emissionInterval) {
            EmitBeamParticle();
            emissionClock -= emissionInterval;
        }
    } else {
        beamTime = 0.0f;
    }
    UpdateBeam(dt);
}

void LaserParticleEmitter::EmitBeamParticle() {
    Particle* p = FirstFree(beam, kBeamCount);
    if (!p) return;
    const Transform& t = *transform.Get();
    const bool right = FacingRight();
    p->age = 0.0f;
    p->lifetime = 1.5f;
    p->velocityX = right ? 4650.0f : -4650.0f;
    p->velocityY = 0.0f;
    p->red = p->green = p->blue = 1.0f;
    p->alpha = 0.65f;
    p->width = p->height = static_cast<float>(RandomBelow(150) + 900);
    p->positionX = right ? t.x + 50.0f : t.x - 1000.0f;
    p->positionY = t.y - 400.0f;
    p->rotation = 0.0f;
    p->texture = texture;
    p->active = true;
}

void LaserParticleEmitter::UpdateBeam(float dt) {
    for (Particle& p : beam) {
        if (!p.active) continue;
        p.age += dt;
        if (p.age > p.lifetime) {
            p.active = false;
            continue;
        }
        if (p.age < 0.25f) {
            p.width += 100.0f * dt;
            p.height += 100.0f * dt;
        }
        p.positionX += p.velocityX * dt;
        p.positionY += p.velocityY * dt;
    }
}

void LaserParticleEmitter::SubmitParticles() { SubmitActive(beam, kBeamCount); }

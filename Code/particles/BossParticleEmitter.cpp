#include "particles/BossParticleEmitter.h"

#include "combat/CombatUnit.h"
#include "gameobjectengine/Transform.h"

BossParticleEmitter::BossParticleEmitter(int32_t objectID) : ParticleEmitter(objectID) {}

void BossParticleEmitter::LoadTextures() {
    trailTexture = LoadParticleTexture("Assets/Art/Particles/BossProjectileInner.png");
    smokeTexture = LoadParticleTexture("Assets/Art/Particles/BossSmokeParticle.png");
    risingTexture = LoadParticleTexture("Assets/Art/Particles/BossImmuneParticle.png");
    circleTexture = LoadParticleTexture("Assets/Art/Particles/BossSpawnBase.png");
    spawnTexture = LoadParticleTexture("Assets/Art/Particles/BossSpawnParticle.png");
}

void BossParticleEmitter::Update() {
    if (!Ready()) return;  // the first frame can come before Start
    RunBaseCycle();
    ReactToUnit();
}

void BossParticleEmitter::ReactToUnit() {
    const Combat::CombatUnit& u = *unit.Get();
    const Transform& t = *transform.Get();
    const bool recovering = u.HasState(Combat::CombatUnit::RECOVERING);
    if (!dashSmokePending && recovering && u.currentWeaponIndex == kDashWeapon) {
        dashStart[0] = t.x;
        dashStart[1] = t.y;
        dashSmokePending = true;
        SpawnSmokeBurst(true);
        Shake(0.1f);
    }
    if (dashSmokePending && !recovering) {
        dashEnd[0] = t.x;
        dashEnd[1] = t.y;
        dashSmokePending = false;
        SpawnSmokeBurst(false);
        Shake(0.1f);
    }
    if (!risingOn && recovering && u.currentWeaponIndex == kCurtainWeapon) {
        risingOn = true;
        risingTime = 3.0f;
    }
    if (u.HasState(Combat::CombatUnit::CASTING) && u.currentWeaponIndex == kSummonWeapon)
        SpawnSummonEffect(t.x, t.y - t.scaleY);
}

bool BossParticleEmitter::StartTrail(Handle<Transform> projectile) {
    for (Trail& trail : trails) {
        if (trail.active) continue;
        trail.target = projectile;
        trail.clock = 0.0f;
        trail.timeLeft = 5.0f;
        trail.active = true;
        return true;
    }
    return false;
}

void BossParticleEmitter::SpawnSummonEffect(float worldX, float worldY) {
    for (Circle& circle : circles) {
        if (circle.active) continue;
        circle.active = true;
        circle.timeLeft = 4.5f;
        circle.x = worldX;
        circle.y = worldY;
        Particle& p = circle.particle;
        p.positionX = worldX;
        p.positionY = worldY;
        p.width = p.height = 200.0f;
        p.red = p.green = p.blue = 1.0f;
        p.alpha = 1.0f;
        p.rotation = 90.0f;
        p.texture = circleTexture;
        p.active = true;
        return;
    }
}

void BossParticleEmitter::SpawnSmokeBurst(bool implode) {
    Particle* pool = implode ? implosion : explosion;
    const float* centre = implode ? dashStart : dashEnd;
    for (int i = 0; i < kSmokeCount; ++i) {
        Particle& p = pool[i];
        p.age = 0.0f;
        p.lifetime = 2.0f;
        p.width = static_cast<float>(RandomBelow(100) + 70);
        p.height = static_cast<float>(RandomBelow(100) + 70);
        p.red = p.green = p.blue = 1.0f;
        p.rotation = static_cast<float>(RandomBelow(360));
        p.texture = smokeTexture;
        const float dx = static_cast<float>(RandomBelow(150) - 75);
        const float dy = static_cast<float>(RandomBelow(150) - 75);
        if (implode) {
            p.positionX = centre[0] + dx;
            p.positionY = centre[1] + dy;
            p.alpha = 1.0f;
            p.velocityX = centre[0] - p.positionX;
            p.velocityY = centre[1] - p.positionY;
        } else {
            p.positionX = centre[0];
            p.positionY = centre[1];
            p.alpha = 0.0f;
            p.velocityX = -dx;
            p.velocityY = -dy;
        }
        p.active = true;
    }
}

void BossParticleEmitter::UpdateParticles() {
    if (Paused()) return;
    const float dt = DeltaTime();
    UpdateTrails(dt);
    UpdateSmoke(dt);
    UpdateCurtain(dt);
    UpdateCircles(dt);
}

void BossParticleEmitter::UpdateTrails(float dt) {
    for (Trail& trail : trails) {
        if (!trail.active) continue;
        trail.timeLeft -= dt;
        const Transform* target = trail.target.Get();  // null once the projectile is gone
        if (trail.timeLeft < 0.0f || !target) {
            trail.active = false;
            trail.target.Reset();
            RetireAll(trail.particles, kTrailParticles);
            continue;
        }
        trail.clock += dt;
        for (int due = TakeEmissions(trail.clock, trailInterval); due > 0; --due) {
            Particle* p = FirstFree(trail.particles, kTrailParticles);
            if (!p) continue;
            const int32_t s = RandomBelow(50) + 5;
            p->age = 0.0f;
            p->lifetime = 0.5f;
            p->width = p->height = static_cast<float>(s);
            p->positionX = target->x - static_cast<float>(s / 2);
            p->positionY = target->y - static_cast<float>(s / 2);
            p->red = p->green = p->blue = 1.0f;
            p->alpha = 1.0f;
            p->rotation = static_cast<float>(RandomBelow(360));
            p->texture = trailTexture;
            p->active = true;
        }
        for (Particle& p : trail.particles) {
            if (!p.active) continue;
            const float direction = RandomOdd() ? 1.0f : -1.0f;
            p.age += dt;
            p.rotation += dt * 360.0f * direction;
            p.positionX = target->x;
            p.positionY = target->y;
            p.alpha -= dt * 5.5f;
            if (p.age > p.lifetime) p.active = false;
        }
    }
}

void BossParticleEmitter::UpdateSmoke(float dt) {
    for (Particle& p : implosion) {
        if (!p.active) continue;
        p.age += dt;
        p.alpha -= dt * 3.4f;
        p.positionX += 2.0f * dt * p.velocityX;
        p.positionY += 2.0f * dt * p.velocityY;
        if (p.age > p.lifetime) p.active = false;
    }
    for (Particle& p : explosion) {
        if (!p.active) continue;
        p.age += dt;
        p.alpha += (p.age < 0.25f ? 3.4f : -3.4f) * dt;
        if (p.age < 0.5f) {
            p.positionX += 2.0f * dt * p.velocityX;
            p.positionY += 2.0f * dt * p.velocityY;
        }
        if (p.age > p.lifetime) p.active = false;
    }
}

void BossParticleEmitter::UpdateCurtain(float dt) {
    if (!risingOn) return;
    const Transform& t = *transform.Get();
    risingTime -= dt;
    if (risingTime >= 0.0f) {
        risingClock += dt;
        for (int due = TakeEmissions(risingClock, risingInterval); due > 0; --due) {
            Particle* p = FirstFree(rising, kRisingCount);
            if (!p) continue;
            const int32_t h = RandomBelow(40) + 25;
            p->age = 0.0f;
            p->lifetime = 1.5f;
            p->width = 15.5f;
            p->height = static_cast<float>(h);
            p->positionX = static_cast<float>(RandomBelow(250)) + t.x - 125.0f;
            p->positionY = t.scaleY + t.y - static_cast<float>(h);
            p->red = p->green = p->blue = 1.0f;
            p->alpha = 0.7f;
            p->rotation = 0.0f;
            p->texture = risingTexture;
            p->active = true;
        }
        for (Particle& p : rising) {
            if (!p.active) continue;
            p.age += dt;
            p.alpha -= dt * 0.5f;
            if (p.age <= p.lifetime)
                p.positionY -= dt * 150.0f;
            else
                p.active = false;
        }
    } else {
        risingOn = false;
        RetireAll(rising, kRisingCount);
    }
}

void BossParticleEmitter::UpdateCircles(float dt) {
    for (Circle& circle : circles) {
        if (!circle.active) continue;
        circle.timeLeft -= dt;
        if (circle.timeLeft < 0.0f) {
            // One circle ends a frame; the ones after it are lowered from the next frame.
            circle.active = false;
            circle.particle.active = false;
            return;
        }
    }
}

void BossParticleEmitter::SubmitParticles() {
    for (Trail& trail : trails)
        if (trail.active) SubmitActive(trail.particles, kTrailParticles);
    SubmitActive(implosion, kSmokeCount);
    SubmitActive(explosion, kSmokeCount);
    if (risingOn) SubmitActive(rising, kRisingCount);
    for (Circle& circle : circles)
        if (circle.active) SubmitActive(&circle.particle, 1);
}

#include "particles/MageParticleEmitter.h"

#include <cmath>

#include "combat/CombatUnit.h"
#include "gameobjectengine/Transform.h"

namespace {
constexpr float kRadiansToDegrees = 57.29578f;
constexpr float kBoltLength = 650.0f;
constexpr float kTrailLife = 2.5f;
}  // namespace

MageParticleEmitter::MageParticleEmitter(int32_t objectID) : ParticleEmitter(objectID, true) {}

void MageParticleEmitter::LoadTextures() {
    static const char* const kPaths[kTextureCount] = {
        "Assets/Art/Particles/MageSmokeParticle.png",       "Assets/Art/Particles/MageTrailParticle.png",
        "Assets/Art/Effects/MageProjectile.png",            "Assets/Art/Effects/MageProjectile.png",
        "Assets/Art/Particles/MageZapParticle.png",         "Assets/Art/Particles/MageEnergyBall.png",
        "Assets/Art/Particles/MageZapEffect.png",           "Assets/Art/Particles/MageFreezeSmokeParticle.png",
        "Assets/Art/Particles/MageFreezeOneParticle.png",   "Assets/Art/Particles/MageFreezeTwoParticle.png",
        "Assets/Art/Particles/MageSnowParticle.png"};
    for (int i = 0; i < kTextureCount; ++i) textures[i] = LoadParticleTexture(kPaths[i]);
}

void MageParticleEmitter::Start() {
    ParticleEmitter::Start();
    if (const Transform* t = transform.Get()) {
        boltOriginX = t->x + (FacingRight() ? 50.0f : -50.0f);
        boltOriginY = t->y;
    }
    GenerateLightning();
}

void MageParticleEmitter::Update() {
    if (!Ready()) return;
    RunBaseCycle();
    ReactToUnit();
}

void MageParticleEmitter::ReactToUnit() {
    const Combat::CombatUnit& u = *unit.Get();
    const bool casting = u.HasState(Combat::CombatUnit::CASTING);
    const bool recovering = u.HasState(Combat::CombatUnit::RECOVERING);
    if (casting && u.currentWeaponIndex == kZapWeapon) SetBoltOrigin();
    if (recovering && u.currentWeaponIndex == kZapWeapon) {
        // The zap lasts while the recovery is renewed; its shake is added once per zap.
        zapTime = zapDuration;
        boltState = BoltState::Zapping;
        if (!zapShaken) Shake(zapDuration);
        zapShaken = true;
    } else {
        zapShaken = false;
    }
    if (!freezeOn && casting && u.currentWeaponIndex == kFreezeWeapon) {
        freezeOn = true;
        freezeTime = 2.0f;
        SetBoltOrigin();
        snowTime = 5.0f;
    }
}

void MageParticleEmitter::SetBoltOrigin() {
    const Transform* t = transform.Get();
    if (boltState != BoltState::Idle || !t) return;
    boltOriginX = t->x + (FacingRight() ? 50.0f : -50.0f);
    boltOriginY = t->y;
    boltState = BoltState::Charging;
}

bool MageParticleEmitter::StartTrail(Handle<Transform> projectile) {
    for (Trail& record : trails) {
        if (record.active) continue;
        record.active = true;
        record.age = 0.0f;
        record.smokeClock = 0.0f;
        record.trailClock = 0.0f;
        record.target = projectile;
        return true;
    }
    return false;
}

bool MageParticleEmitter::SpawnFreezeParticle(float targetX, float targetY, int32_t size, bool firstPicture) {
    Particle* p = FirstFree(freeze, kFreezeCount);
    if (!p) return false;
    p->age = 0.0f;
    p->rotation = 0.0f;
    p->width = p->height = static_cast<float>(size);
    p->positionX = targetX - static_cast<float>(size / 2);
    p->positionY = targetY - static_cast<float>(size / 2);
    p->red = p->green = p->blue = 1.0f;
    p->alpha = 0.3f;
    p->texture = Texture(firstPicture ? TextureSlot::FreezeOne : TextureSlot::FreezeTwo);
    p->active = true;
    return true;
}

namespace {

// Length and angle (degrees, y down, as the particle pass turns a quad) of a segment.
void Measure(MageParticleEmitter::LightningSegments& s) {
    const float dx = s.endX - s.startX, dy = s.endY - s.startY;
    s.length = std::sqrt(dx * dx + dy * dy);
    s.angle = std::atan2(dy, dx) * kRadiansToDegrees;
}

}  // namespace

void MageParticleEmitter::GenerateLightning() {
    for (int b = 0; b < kBoltCount; ++b) {
        Bolt& bolt = bolts[b];
        bolt.count = 1;
        bolt.segments[0] = LightningSegments{};
        bolt.segments[0].endX = b < kBoltCount / 2 ? kBoltLength : -kBoltLength;
        Measure(bolt.segments[0]);
        const int generations = 2 + (RandomOdd() ? 1 : 0);
        for (int g = 0; g < generations; ++g) {
            // Halve from the back so every segment is read before its slot is reused.
            for (int i = bolt.count - 1; i >= 0; --i) {
                const LightningSegments whole = bolt.segments[i];
                const float midX = (whole.startX + whole.endX) / 2.0f;
                const float midY = (whole.startY + whole.endY) / 2.0f + static_cast<float>(RandomBelow(80) - 40);
                LightningSegments& first = bolt.segments[2 * i];
                LightningSegments& second = bolt.segments[2 * i + 1];
                first = {whole.startX, whole.startY, midX, midY, 0.0f, 0.0f};
                second = {midX, midY, whole.endX, whole.endY, 0.0f, 0.0f};
                Measure(first);
                Measure(second);
            }
            bolt.count *= 2;
        }
    }
}

void MageParticleEmitter::UpdateLightning(int boltIndex) {
    if (boltIndex < 0 || boltIndex >= kBoltCount) return;
    const Bolt& bolt = bolts[boltIndex];
    for (int i = 0; i < bolt.count; ++i) {
        Particle* p = FirstFree(lightning, kLightningCount);
        if (!p) return;
        const LightningSegments& s = bolt.segments[i];
        p->age = 0.0f;
        p->lifetime = 0.2f;
        p->width = s.length;
        p->height = 9.5f;
        p->positionX = s.startX + boltOriginX;
        p->positionY = s.startY + boltOriginY;
        p->red = p->green = p->blue = 1.0f;
        p->alpha = 0.4f;
        p->rotation = s.angle;
        p->texture = Texture(TextureSlot::ZapParticle);
        p->active = true;
    }
}

void MageParticleEmitter::SpawnSnowflake() {
    Particle* p = FirstFree(snow, kSnowCount);
    if (!p) return;
    const Transform& t = *transform.Get();
    p->age = 0.0f;
    p->lifetime = static_cast<float>(RandomBelow(40) + 5);
    p->width = p->height = static_cast<float>(RandomBelow(30) + 10);
    p->positionX = t.x + static_cast<float>(RandomBelow(5000) - 2500);
    p->positionY = -t.y;
    p->red = p->green = p->blue = 1.0f;
    p->alpha = 1.0f;
    p->rotation = static_cast<float>(RandomBelow(360));
    p->texture = Texture(TextureSlot::Snow);
    p->velocityX = static_cast<float>(RandomBelow(60) - 30);
    p->velocityY = static_cast<float>(RandomBelow(125) + 75);
    p->active = true;
}

void MageParticleEmitter::UpdateParticles() {
    if (Paused()) return;
    const float dt = DeltaTime();
    UpdateTrails(dt);
    UpdateBolt(dt);
    UpdateFreeze(dt);
    UpdateSnow(dt);
    UpdatePools(dt);
}

void MageParticleEmitter::UpdateTrails(float dt) {
    for (Trail& record : trails) {
        if (!record.active) continue;
        const Transform* target = record.target.Get();  // null once the projectile is gone
        if (!target) {
            record.active = false;
            record.target.Reset();
            return;  // the other trails go on next frame
        }
        record.age += dt;
        record.smokeClock += dt;
        record.trailClock += dt;
        for (int due = TakeEmissions(record.smokeClock, smokeInterval); due > 0; --due) {
            Particle* p = FirstFree(smoke, kSmokeCount);
            if (!p) continue;
            p->age = 0.0f;
            p->lifetime = static_cast<float>(RandomBelow(50)) / 80.0f * 1.5f;
            p->width = p->height = 150.0f;
            p->positionX = target->x;
            p->positionY = target->y - 75.0f;
            p->red = p->green = p->blue = 1.0f;
            p->alpha = 0.3f;
            p->rotation = 0.0f;
            p->texture = Texture(TextureSlot::Smoke);
            p->active = true;
        }
        if (record.trailClock > trailInterval) {
            record.trailClock -= trailInterval;
            if (Particle* p = FirstFree(trail, kTrailCount)) {
                const float wave = std::sin(record.age * 15.0f);
                p->age = 0.0f;
                p->lifetime = static_cast<float>(RandomBelow(50)) / 80.0f * 0.6f;
                const int32_t r = RandomBelow(55);
                p->width = static_cast<float>(r + 45);
                p->height = static_cast<float>(r + 35);
                p->positionX = target->x;
                p->positionY = target->y - wave * 25.0f - 35.0f;
                p->red = p->green = p->blue = 1.0f;
                p->alpha = 0.5f;
                p->rotation = wave * 45.0f;
                p->texture = Texture(TextureSlot::Trail);
                p->active = true;
            }
        }
        if (record.age > kTrailLife) {
            record.active = false;
            record.target.Reset();
        }
    }
}

void MageParticleEmitter::EmitEnergy(bool zapping) {
    const int k = FirstFreeIndex(energy, kEnergyCount);
    if (k < 0) return;
    Particle& p = energy[k];
    const int32_t shrink = 10 - k;  // later slots of the ball are smaller
    const int32_t s = zapping ? RandomBelow(10) * shrink + 5 : RandomBelow(15) * shrink + 30;
    p.age = 0.0f;
    p.lifetime = zapping ? 0.4f : 0.2f;
    p.width = p.height = static_cast<float>(s);
    p.positionX = boltOriginX - static_cast<float>(s / 2);
    p.positionY = boltOriginY - static_cast<float>(s / 2);
    p.red = p.green = p.blue = 1.0f;
    p.alpha = static_cast<float>(RandomBelow(3)) / 100.0f * static_cast<float>(shrink) + (zapping ? 0.1f : 0.4f);
    p.rotation = 0.0f;
    p.texture = Texture(TextureSlot::EnergyBall);
    p.active = true;
}

void MageParticleEmitter::UpdateBolt(float dt) {
    if (boltState == BoltState::Idle) return;
    energyClock += dt;
    if (energyClock > energyInterval) {
        energyClock = 0.0f;
        EmitEnergy(boltState == BoltState::Zapping);
    }
    if (boltState == BoltState::Charging) {
        streakClock += dt;
        if (streakClock > streakInterval) {
            streakClock = 0.0f;
            if (Particle* p = FirstFree(streaks, kStreakCount)) {
                p->age = 0.0f;
                p->lifetime = 0.5f;
                p->width = 10.0f;
                p->height = static_cast<float>(RandomBelow(150) + 30);
                p->positionX = boltOriginX;
                p->positionY = boltOriginY;
                p->red = p->green = p->blue = 1.0f;
                p->alpha = 0.0f;
                p->rotation = static_cast<float>(RandomBelow(360));
                p->texture = Texture(TextureSlot::EnergyBall);
                p->active = true;
            }
        }
        return;
    }
    if (zapTime <= 0.0f) {
        boltState = BoltState::Idle;
        return;
    }
    zapTime -= dt;
    boltClock += dt;
    if (boltClock > boltInterval) {
        UpdateLightning((FacingRight() ? 0 : kBoltCount / 2) + RandomBelow(kBoltCount / 2));
        boltClock -= boltInterval;
    }
}

void MageParticleEmitter::UpdateFreeze(float dt) {
    if (!freezeOn) return;
    freezeTime -= dt;
    if (freezeTime < 0.0f) {
        freezeOn = false;
        freezeTime = 0.0f;
        freezeClock = 0.0f;
        boltState = BoltState::Idle;
        return;
    }
    const Transform& t = *transform.Get();
    freezeClock += dt;
    for (int due = TakeEmissions(freezeClock, freezeInterval); due > 0; --due) {
        Particle* p = FirstFree(freeze, kFreezeCount);
        if (!p) continue;
        p->age = 0.0f;
        p->width = p->height = static_cast<float>(RandomBelow(80) + 20);
        p->positionX = t.x;
        p->positionY = t.y;
        p->red = p->green = p->blue = 1.0f;
        p->alpha = 0.2f;
        p->velocityX = static_cast<float>(RandomBelow(500) - 250);
        p->velocityY = static_cast<float>(RandomBelow(200) - 100);
        p->rotation = 0.0f;
        p->texture = Texture(TextureSlot::FreezeSmoke);
        p->active = true;
    }
}

void MageParticleEmitter::UpdateSnow(float dt) {
    if (snowTime <= 0.0f) return;
    snowTime -= dt;
    snowClock += dt;
    for (int due = TakeEmissions(snowClock, snowInterval); due > 0; --due) {
        SpawnSnowflake();
    }
}

void MageParticleEmitter::UpdatePools(float dt) {
    for (Particle& p : smoke) {
        if (!p.active) continue;
        p.age += dt;
        p.width -= 75.0f * dt;
        p.height -= 75.0f * dt;
        p.alpha -= 0.5f * dt;
        if (p.age > p.lifetime) p.active = false;
    }
    for (Particle& p : trail) {
        if (!p.active) continue;
        p.age += dt;
        p.positionY -= 25.0f * dt;
        p.positionX += 25.0f * dt;
        p.alpha -= 0.4f * dt;
        if (p.age > p.lifetime) p.active = false;
    }
    for (Particle& p : lightning) {
        if (!p.active) continue;
        p.age += dt;
        if (p.age > p.lifetime) p.active = false;
    }
    for (Particle& p : energy) {
        if (!p.active) continue;
        p.age += dt;
        if (boltState == BoltState::Charging) {
            p.alpha -= 2.2f * dt;
        } else if (boltState == BoltState::Zapping) {
            p.alpha += 1.6f * dt;
            p.width += 4.5f * dt;
            p.height += 4.5f * dt;
        }
        if (p.age > p.lifetime) p.active = false;
    }
    for (Particle& p : streaks) {
        if (!p.active) continue;
        p.age += dt;
        p.rotation += 10.0f * dt;
        if (p.height > 0.0f) p.height -= 50.0f * dt;
        p.alpha += 2.0f * dt;
        if (p.age > p.lifetime) p.active = false;
    }
    for (Particle& p : freeze) {
        if (!p.active) continue;
        p.age += dt;
        p.alpha += (p.age < 0.3f ? 5.0f : -0.5f) * dt;
        if (p.alpha < 0.0f) p.active = false;
    }
    for (Particle& p : snow) {
        if (!p.active) continue;
        p.age += dt;
        if (p.age <= p.lifetime) {
            p.positionX += p.velocityX * dt;
            p.positionY += p.velocityY * dt;
            p.alpha = (p.lifetime - p.age) * 0.9f / p.lifetime;
        } else {
            p.active = false;
        }
    }
}

void MageParticleEmitter::SubmitParticles() {
    SubmitActive(snow, kSnowCount);
    SubmitActive(energy, kEnergyCount);
    SubmitActive(streaks, kStreakCount);
    SubmitActive(smoke, kSmokeCount);
    SubmitActive(trail, kTrailCount);
    SubmitActive(lightning, kLightningCount);
    SubmitActive(freeze, kFreezeCount);
}

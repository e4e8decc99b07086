#include "particles/ThiefParticleEmitter.h"

#include <cmath>

#include "combat/CombatUnit.h"
#include "gameobjectengine/Transform.h"

namespace {
// phaseA of a dash particle: a smoke puff grows and rises, a silhouette only fades.
constexpr float kSmokePuff = 1.0f;
constexpr float kSilhouette = 0.0f;
}  // namespace

ThiefParticleEmitter::ThiefParticleEmitter(int32_t objectID) : ParticleEmitter(objectID, true) {}

void ThiefParticleEmitter::LoadTextures() {
    static const char* const kPaths[kTextureCount] = {
        "Assets/Art/Particles/ThiefSlashParticle.png", "Assets/Art/Particles/ThiefSlashParticleHor.png",
        "Assets/Art/Particles/ThiefDashParticle.png",  "Assets/Art/Particles/ThiefDashParticle2.png",
        "Assets/Art/Particles/ThiefDashParticle3.png", "Assets/Art/Particles/ThiefAOE1.png",
        "Assets/Art/Particles/ThiefAOE1Flip.png",      "Assets/Art/Particles/ThiefAOE2.png",
        "Assets/Art/Particles/ThiefAOE2Flip.png"};
    for (int i = 0; i < kTextureCount; ++i) textures[i] = LoadParticleTexture(kPaths[i]);
    slashInterval = 0.0008f;
    dashClock = 0.0f;
    dashParticlesLeft = 0;
}

bool ThiefParticleEmitter::ShouldEmit() {
    const Combat::CombatUnit& u = *unit.Get();
    if (!u.HasState(Combat::CombatUnit::RECOVERING)) return false;
    if (u.currentWeaponIndex == kDashWeapon) dashParticlesLeft = 30;  // renewed every frame of it
    if (u.currentWeaponIndex == kAreaWeapon && areaTime <= 0.0f) {
        areaTime = 1.0f;
        areaSlashClock = 0.0f;
        areaParticleClock = 0.0f;
        Shake(0.45f);
    }
    return false;
}

ThiefParticleEmitter::SlashRecord ThiefParticleEmitter::Slash(SlashKind kind, bool facingRight, float offset, float px,
                                                              float py, float width, float height) {
    SlashRecord s;
    s.kind = kind;
    s.flip = !facingRight;
    s.particlesLeft = kParticlesPerSlash;
    s.clock = 0.0f;
    if (kind == SlashKind::Vertical) {
        s.start[0] = px + static_cast<float>(RandomBelow(20) - 10);
        s.start[1] = py - height;
        s.end[0] = px + static_cast<float>(RandomBelow(20) - 10);
        s.end[1] = py + height;
        s.control[0] = facingRight ? px + offset : px - offset;
        s.control[1] = py;
        s.firstAngle = -45;
        s.angleSpan = 45;
        s.particleWidth = 25.0f;
        s.particleHeight = 60.0f;
    } else {
        s.start[0] = facingRight ? px - width : px - width - 130.0f;
        s.start[1] = py + static_cast<float>(RandomBelow(20) - 10);
        s.end[0] = facingRight ? px + width + 130.0f : px + width;
        s.end[1] = py + static_cast<float>(RandomBelow(20) - 10);
        s.control[0] = px + 75.0f;
        s.control[1] = py + offset;
        s.firstAngle = facingRight ? 45 : -45;
        s.angleSpan = facingRight ? -45 : 45;
        s.particleWidth = 60.0f;
        s.particleHeight = 25.0f;
    }
    return s;
}

ThiefParticleEmitter::SlashRecord* ThiefParticleEmitter::FirstFreeSlash() {
    for (SlashRecord& s : slashes)
        if (s.particlesLeft == 0) return &s;
    return nullptr;
}

bool ThiefParticleEmitter::AddSlash(SlashKind kind, bool facingRight, float offset, float px, float py, float width,
                                    float height) {
    SlashRecord* free = FirstFreeSlash();
    if (!free) return false;
    *free = Slash(kind, facingRight, offset, px, py, width, height);
    return true;
}

void ThiefParticleEmitter::UpdateParticles() {
    if (Paused()) return;
    const float dt = DeltaTime();
    TraceSlashes(dt);
    UpdateDash(dt);
    UpdateArea(dt);
    AgePools(dt);
}

void ThiefParticleEmitter::TraceSlashes(float dt) {
    const bool right = FacingRight();
    const int poolSize = slashParticleCount < kSlashParticles ? slashParticleCount : kSlashParticles;
    for (SlashRecord& s : slashes) {
        if (s.particlesLeft == 0) continue;
        s.clock += dt;
        while (s.clock > slashInterval && s.particlesLeft != 0) {
            if (Particle* p = FirstFree(slashParticles, poolSize)) {
                const int i = right ? kParticlesPerSlash - s.particlesLeft : s.particlesLeft;
                const float t = static_cast<float>(i) / static_cast<float>(kParticlesPerSlash);
                const float a = (1.0f - t) * (1.0f - t), b = 2.0f * t * (1.0f - t), c = t * t;
                const float bulge = std::sin(static_cast<float>(i) * sizeStep);
                float rotation = (std::tan(static_cast<float>(i) * angleStep - angleOffset) + 1.0f) *
                                     static_cast<float>(s.angleSpan) +
                                 static_cast<float>(s.firstAngle);
                if (s.flip) rotation = -rotation;
                p->positionX = a * s.start[0] + b * s.control[0] + c * s.end[0];
                p->positionY = a * s.start[1] + b * s.control[1] + c * s.end[1];
                p->age = 0.0f;
                p->lifetime = 0.2f;
                p->red = p->green = p->blue = 1.0f;
                p->alpha = 1.0f;
                p->width = bulge * s.particleWidth + 0.5f;
                p->height = bulge * s.particleHeight + 0.5f;
                p->rotation = rotation;
                const bool vertical = s.kind == SlashKind::Vertical;
                p->texture = Texture(vertical ? TextureSlot::VerticalSlash : TextureSlot::HorizontalSlash);
                p->active = true;
            }
            s.clock -= slashInterval;
            --s.particlesLeft;
        }
    }
}

void ThiefParticleEmitter::UpdateDash(float dt) {
    if (dashParticlesLeft == 0) return;
    dashClock += dt;
    while (dashClock > dashInterval && dashParticlesLeft != 0) {
        dashClock -= dashInterval;
        SpawnDashParticle();
        --dashParticlesLeft;
    }
}

void ThiefParticleEmitter::UpdateArea(float dt) {
    if (areaTime <= 0.0f) return;
    const Transform& t = *transform.Get();
    const int32_t span = 2 * areaRadius;
    areaTime -= dt;
    areaSlashClock += dt;
    areaParticleClock += dt;
    for (int due = TakeEmissions(areaSlashClock, areaSlashInterval); due > 0; --due) {
        const SlashKind kind = RandomOdd() ? SlashKind::Horizontal : SlashKind::Vertical;
        const bool facingRight = RandomOdd();
        const float px = t.x + static_cast<float>(RandomBelow(span) - areaRadius);
        const float py = t.y + static_cast<float>(RandomBelow(span) - areaRadius);
        AddSlash(kind, facingRight, 50.0f, px, py, t.scaleX, t.scaleY);
    }
    for (int due = TakeEmissions(areaParticleClock, areaParticleInterval); due > 0; --due) {
        SpawnAreaParticles();
    }
    if (areaTime <= 0.0f) areaTime = 0.0f;
}

void ThiefParticleEmitter::SpawnDashParticle() {
    const int k = FirstFreeIndex(dashParticles, kDashCount);
    if (k < 0) return;
    const Transform& t = *transform.Get();
    Particle& p = dashParticles[k];
    p.age = 0.0f;
    p.lifetime = static_cast<float>(RandomBelow(50)) / 80.0f * 1.5f;
    p.rotation = 0.0f;
    p.red = p.green = p.blue = 1.0f;
    if (k % 10 == 0) {  // every tenth slot: a silhouette of the hero
        p.width = t.scaleX * 1.5f;
        p.height = t.scaleY * 1.5f;
        p.positionX = t.x - t.scaleX;
        p.positionY = t.y - p.height * 0.5f;
        p.alpha = 0.8f;
        p.texture = Texture(FacingRight() ? TextureSlot::Dash2 : TextureSlot::Dash3);
        p.phaseA = kSilhouette;
    } else {
        const int32_t n = dashParticlesLeft;
        p.width = p.height = static_cast<float>(n) * 0.5f * 5.5f;
        p.positionX = t.x;
        p.positionY = t.scaleY + t.y - p.height - static_cast<float>(RandomBelow(n));
        p.alpha = 0.5f;
        p.texture = Texture(TextureSlot::Dash1);
        p.phaseA = kSmokePuff;
    }
    p.active = true;
}

void ThiefParticleEmitter::SpawnAreaParticles() {
    Particle* p = FirstFree(areaParticles, kAreaCount);
    if (!p) return;
    const Transform& t = *transform.Get();
    const int32_t span = 2 * areaRadius;
    p->age = 0.0f;
    p->lifetime = static_cast<float>(RandomBelow(50)) / 80.0f * 1.5f;
    p->width = t.scaleX * 1.9f;
    p->height = t.scaleY * 1.9f;
    p->positionX = t.x + static_cast<float>(RandomBelow(span) - areaRadius);
    p->positionY = t.y + static_cast<float>(RandomBelow(span) - areaRadius);
    p->red = p->green = p->blue = 1.0f;
    p->alpha = 0.8f;
    p->rotation = static_cast<float>(RandomBelow(90) - 45);
    const bool first = RandomOdd();
    const bool plain = RandomOdd();
    p->texture = first ? Texture(plain ? TextureSlot::Blade1 : TextureSlot::Blade1Flip)
                       : Texture(plain ? TextureSlot::Blade2 : TextureSlot::Blade2Flip);
    p->active = true;
}

void ThiefParticleEmitter::AgePools(float dt) {
    const int poolSize = slashParticleCount < kSlashParticles ? slashParticleCount : kSlashParticles;
    for (int i = 0; i < poolSize; ++i) {
        Particle& p = slashParticles[i];
        if (!p.active) continue;
        p.age += dt;
        p.alpha = (p.lifetime - p.age) / p.lifetime;
        if (p.age > p.lifetime) {
            p.age = 0.0f;
            p.active = false;
        }
    }
    for (Particle& p : dashParticles) {
        if (!p.active) continue;
        p.age += dt;
        if (p.age > p.lifetime) {
            p.age = 0.0f;
            p.active = false;
        } else if (p.phaseA == kSmokePuff) {
            p.width += static_cast<float>(RandomBelow(50) + 50) * dt;
            p.height += static_cast<float>(RandomBelow(50) + 50) * dt;
            p.positionY -= p.height * dt;
            p.alpha -= 0.45f * dt;
        } else {
            p.alpha -= 0.65f * dt;
        }
    }
    for (Particle& p : areaParticles) {
        if (!p.active) continue;
        p.age += dt;
        p.alpha -= 0.4f * dt;
        if (p.age > p.lifetime) p.active = false;
    }
}

void ThiefParticleEmitter::SubmitParticles() {
    const int poolSize = slashParticleCount < kSlashParticles ? slashParticleCount : kSlashParticles;
    SubmitActive(slashParticles, poolSize);
    SubmitActive(dashParticles, kDashCount);
    SubmitActive(areaParticles, kAreaCount);
}

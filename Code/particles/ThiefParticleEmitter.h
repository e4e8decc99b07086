#pragma once
// The Thief's effects: crescent slashes traced particle by particle along a curve, a
// trail of rising smoke and silhouettes during the dash, and the storm of slashes and
// blade images of the area attack.
#include "particles/ParticleEmitter.h"

class ThiefParticleEmitter : public ParticleEmitter {
public:
    static constexpr int kSlashCount = 30;
    static constexpr int kSlashParticles = 200;
    static constexpr int kDashCount = 100;
    static constexpr int kAreaCount = 30;
    static constexpr int kParticlesPerSlash = 25;
    static constexpr int32_t kDashWeapon = 1;
    static constexpr int32_t kAreaWeapon = 3;
    enum class SlashKind : int32_t { Vertical = 0, Horizontal = 1 };

    // One slash: a quadratic curve traced by 25 particles. Free when none are left.
    struct SlashRecord {
        float start[2] = {0.0f, 0.0f};
        float end[2] = {0.0f, 0.0f};
        float control[2] = {0.0f, 0.0f};
        SlashKind kind = SlashKind::Vertical;
        bool flip = false;  // faces left: rotations are negated
        int32_t firstAngle = 0;
        int32_t angleSpan = 0;
        int32_t particlesLeft = 0;
        float clock = 0.0f;
        float particleWidth = 0.0f;
        float particleHeight = 0.0f;
    };

    explicit ThiefParticleEmitter(int32_t objectID);

    // Starts the dash trail and the area attack from the unit's recovery (the per-frame
    // trigger; nothing is emitted through Emit).
    bool ShouldEmit() override;
    void UpdateParticles() override;
    // Slash particles, dash particles, area particles.
    void SubmitParticles() override;

    // Builds a slash of a kind around P, sized by the hero's drawn size (width, height).
    static SlashRecord Slash(SlashKind kind, bool facingRight, float offset, float px, float py, float width,
                             float height);
    // Builds a slash into the first free record; false (and nothing drawn) when none is.
    bool AddSlash(SlashKind kind, bool facingRight, float offset, float px, float py, float width, float height);
    void SpawnDashParticle();
    void SpawnAreaParticles();

    SlashRecord slashes[kSlashCount];
    Particle slashParticles[kSlashParticles];
    int32_t slashParticleCount = kSlashParticles;
    Particle dashParticles[kDashCount];
    Particle areaParticles[kAreaCount];
    float dashInterval = 1.0f / 120.0f;
    float dashClock = 0.0f;
    int32_t dashParticlesLeft = 0;
    enum class TextureSlot {
        VerticalSlash, HorizontalSlash, Dash1, Dash2, Dash3, Blade1, Blade1Flip, Blade2, Blade2Flip, Count
    };
    static constexpr int kTextureCount = static_cast<int>(TextureSlot::Count);
    uint32_t textures[kTextureCount] = {};
    uint32_t Texture(TextureSlot slot) const { return textures[static_cast<int>(slot)]; }
    float slashInterval = 0.0008f;
    float areaTime = 0.0f;
    float areaSlashClock = 0.0f;
    float areaParticleClock = 0.0f;
    float areaSlashInterval = 0.02f;
    float areaParticleInterval = 1.0f / 35.0f;
    int32_t areaRadius = 500;
    float sizeStep = 0.12566371f;
    float angleStep = 0.06283186f;
    float angleOffset = 0.7853982f;

protected:
    void LoadTextures() override;

private:
    SlashRecord* FirstFreeSlash();
    void TraceSlashes(float dt);
    void UpdateDash(float dt);
    void UpdateArea(float dt);
    void AgePools(float dt);
};

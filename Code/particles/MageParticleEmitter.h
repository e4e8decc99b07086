#pragma once
// The Mage's effects: smoke and a wavering trail behind each of her projectiles, a
// charging energy ball and lightning for the zap, and a freezing mist with snowfall over
// the level for the freeze. Lightning bolts are built once as chains of segments, each
// drawn as one stretched, rotated particle.
#include "particles/ParticleEmitter.h"

class MageParticleEmitter : public ParticleEmitter {
public:
    static constexpr int kTrailRecords = 5;
    static constexpr int kSmokeCount = 100;
    static constexpr int kTrailCount = 50;
    static constexpr int kLightningCount = 250;
    static constexpr int kEnergyCount = 10;
    static constexpr int kStreakCount = 20;
    static constexpr int kSnowCount = 1000;
    static constexpr int kFreezeCount = 50;
    static constexpr int kBoltCount = 20;  // 0-9 run to the right, 10-19 to the left
    static constexpr int kMaxSegments = 8;  // three halvings of one segment
    static constexpr int32_t kZapWeapon = 2;
    static constexpr int32_t kFreezeWeapon = 3;
    enum class BoltState : int32_t { Idle = 0, Charging = 1, Zapping = 2 };

    // One segment of a bolt, relative to the bolt origin.
    struct LightningSegments {
        float startX = 0.0f, startY = 0.0f, endX = 0.0f, endY = 0.0f;
        float angle = 0.0f;   // degrees
        float length = 0.0f;  // pixels
    };
    struct Bolt {
        LightningSegments segments[kMaxSegments];
        int count = 0;
    };
    // One followed projectile; ends after 2.5 s or when the projectile is gone.
    struct Trail {
        bool active = false;
        float age = 0.0f;
        float smokeClock = 0.0f;
        float trailClock = 0.0f;
        Handle<Transform> target;
    };

    explicit MageParticleEmitter(int32_t objectID);

    // Finds transform and unit, places the bolt origin and builds the bolts.
    void Start() override;
    void Update() override;
    void UpdateParticles() override;
    // Snow, energy, streak, smoke, trail, lightning, freeze.
    void SubmitParticles() override;

    // Follows a projectile in the first free trail. False when none is free.
    bool StartTrail(Handle<Transform> projectile);
    // The picture a freeze leaves on a frozen unit: a size x size particle centred on
    // the target position, faded like the mist; firstPicture picks the first of the two
    // freeze pictures. False when the pool is full.
    bool SpawnFreezeParticle(float targetX, float targetY, int32_t size, bool firstPicture);
    // Only while idle: the ball and bolts start 50 px in front of the hero; charging.
    void SetBoltOrigin();
    // Builds the 20 bolts: 2 or 3 halvings of a 650 px segment, each midpoint moved
    // up or down by up to 40 px.
    void GenerateLightning();
    // Stamps one bolt into the lightning pool (segments that find no slot are dropped).
    void UpdateLightning(int bolt);
    void SpawnSnowflake();

    Trail trails[kTrailRecords];
    Particle smoke[kSmokeCount];
    Particle trail[kTrailCount];
    Particle lightning[kLightningCount];
    Particle energy[kEnergyCount];
    Particle streaks[kStreakCount];
    Particle snow[kSnowCount];
    bool freezeOn = false;
    float freezeTime = 0.0f;
    float freezeClock = 0.0f;
    Particle freeze[kFreezeCount];
    float smokeInterval = 1.0f / 60.0f;
    float trailInterval = 1.0f / 120.0f;
    float boltInterval = 0.02f;
    float energyInterval = 1.0f / 30.0f;
    float streakInterval = 1.0f / 15.0f;
    float freezeInterval = 1.0f / 45.0f;
    float zapDuration = 1.1f;  // also the camera shake of a zap
    float snowInterval = 1.0f / 120.0f;
    enum class TextureSlot {
        Smoke, Trail, Projectile, Projectile2, ZapParticle, EnergyBall, ZapEffect, FreezeSmoke, FreezeOne,
        FreezeTwo, Snow, Count
    };
    static constexpr int kTextureCount = static_cast<int>(TextureSlot::Count);
    uint32_t textures[kTextureCount] = {};
    uint32_t Texture(TextureSlot slot) const { return textures[static_cast<int>(slot)]; }
    float energyClock = 0.0f;
    float streakClock = 0.0f;
    float zapTime = 0.0f;
    float snowTime = 0.0f;
    float snowClock = 0.0f;
    float boltOriginX = 0.0f;
    float boltOriginY = 0.0f;
    Bolt bolts[kBoltCount];
    float boltClock = 0.0f;
    BoltState boltState = BoltState::Idle;
    bool zapShaken = false;  // this recovery's shake is added

protected:
    void LoadTextures() override;

private:
    void ReactToUnit();
    void UpdateTrails(float dt);
    void EmitEnergy(bool zapping);
    void UpdateBolt(float dt);
    void UpdateFreeze(float dt);
    void UpdateSnow(float dt);
    void UpdatePools(float dt);
};

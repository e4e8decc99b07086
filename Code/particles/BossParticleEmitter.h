#pragma once
// The final boss's effects: a sparkling trail behind each of its projectiles, a smoke
// implosion where its dash starts and an explosion where it ends, a curtain of rising
// particles during one recovery, and a summoning circle wherever it calls in minions.
#include "particles/ParticleEmitter.h"

class BossParticleEmitter : public ParticleEmitter {
public:
    static constexpr int kSmokeCount = 30;
    static constexpr int kTrailCount = 20;
    static constexpr int kTrailParticles = 20;
    static constexpr int kRisingCount = 60;
    static constexpr int kCircleCount = 20;
    // Weapon slots whose cast or recovery starts an effect.
    static constexpr int32_t kDashWeapon = 2;
    static constexpr int32_t kCurtainWeapon = 4;
    static constexpr int32_t kSummonWeapon = 5;

    // One followed projectile; ends when its time is up or the projectile is gone.
    struct Trail {
        bool active = false;
        Handle<Transform> target;
        float clock = 0.0f;
        float timeLeft = 5.0f;
        Particle particles[kTrailParticles];
    };
    // One summoning circle: a still picture for 4.5 s.
    struct Circle {
        bool active = false;
        float x = 0.0f;
        float y = 0.0f;
        float timeLeft = 0.0f;
        Particle particle;
    };

    explicit BossParticleEmitter(int32_t objectID);

    // The pools, then the reactions to the unit's dash, curtain and summoning.
    void Update() override;
    void UpdateParticles() override;
    // Trails, implosion, explosion, the curtain while it runs, the circles.
    void SubmitParticles() override;

    // Follows a projectile for up to 5 s in the first free trail. False when none is free.
    bool StartTrail(Handle<Transform> projectile);
    // A summoning circle at a world position in the first free record (none: nothing).
    void SpawnSummonEffect(float worldX, float worldY);
    // Fills a whole smoke pool: an implosion toward the dash start, or an explosion out
    // of the dash end.
    void SpawnSmokeBurst(bool implode);

    bool dashSmokePending = false;
    float dashStart[2] = {0.0f, 0.0f};
    float dashEnd[2] = {0.0f, 0.0f};
    Particle implosion[kSmokeCount];
    Particle explosion[kSmokeCount];
    Trail trails[kTrailCount];
    bool risingOn = false;
    float risingTime = 0.0f;
    float risingClock = 0.0f;
    Particle rising[kRisingCount];
    Circle circles[kCircleCount];
    float trailInterval = 1.0f / 60.0f;
    float risingInterval = 0.05f;
    uint32_t trailTexture = 0;
    uint32_t smokeTexture = 0;
    uint32_t risingTexture = 0;
    uint32_t circleTexture = 0;
    uint32_t spawnTexture = 0;  // loaded for the summoning art, not drawn here

protected:
    void LoadTextures() override;

private:
    void ReactToUnit();
    void UpdateTrails(float dt);
    void UpdateSmoke(float dt);
    void UpdateCurtain(float dt);
    void UpdateCircles(float dt);
};

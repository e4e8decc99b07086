#pragma once
// Mana orbs circling a hero (one per 60 mana, at most 5), sparkles around them (one per
// 20 mana, at most 15), and the homing burst of a mana-draining hit.
#include "particles/ParticleEmitter.h"

class ManaParticleEmitter : public ParticleEmitter {
public:
    static constexpr int kOrbCount = 5;
    static constexpr int kSparkleCount = 15;
    static constexpr int kBurstCount = 300;

    explicit ManaParticleEmitter(int32_t objectID);

    // Finds transform and unit, then tops the orbs up to 5 with three sparkles each.
    void Start() override;
    // Fewer orbs than the unit's mana / 60.
    bool ShouldEmit() override;
    // One orb at the hero.
    void Emit() override;
    void UpdateParticles() override;
    // Orbs, sparkles, bursts.
    void SubmitParticles() override;

    // One sparkle into the first free slot.
    void EmitSparkle();
    // 5 to 19 particles at a world position (the drained unit's) that first fly away
    // from the hero, then home in on it and fade. Full pool: the rest are dropped.
    void Burst(float worldX, float worldY);

    uint32_t orbTexture = 0;
    uint32_t sparkleTexture = 0;
    uint32_t burstTexture = 0;
    int32_t activeOrbs = 0;
    int32_t activeSparkles = 0;
    Particle orbs[kOrbCount];
    Particle sparkles[kSparkleCount];
    Particle bursts[kBurstCount];

protected:
    void LoadTextures() override;

private:
    void UpdateOrbs(float dt);
    void UpdateSparkles(float dt);
    void UpdateBursts(float dt);
};

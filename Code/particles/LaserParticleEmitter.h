#pragma once
// The laser boss's beam: after a 3 s charge, large particles stream horizontally out of
// the boss, the way it faces, for 4 s. Only draws: the beam's damage is the weapon's.
// While paused the beam is neither updated nor drawn.
#include "particles/ParticleEmitter.h"

class LaserParticleEmitter : public ParticleEmitter {
public:
    static constexpr int kBeamCount = 500;

    explicit LaserParticleEmitter(int32_t objectID);

    void Update() override;
    void SubmitParticles() override;

    // Starts a 3 s charge unless one is counting down already (a running beam goes on;
    // the new charge counts down once it is over).
    void StartLaser();

    float emissionInterval = 1.0f / 550.0f;
    bool charging = false;
    float chargeTime = 0.0f;
    float beamTime = 0.0f;
    float emissionClock = 0.0f;
    Particle beam[kBeamCount];
    uint32_t texture = 0;

protected:
    void LoadTextures() override;

private:
    void EmitBeamParticle();
    void UpdateBeam(float dt);
};

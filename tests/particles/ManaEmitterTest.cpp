#include <chrono>
#include <climits>
#include <cmath>

#include "EmitterFixture.h"
#include "particles/ManaParticleEmitter.h"

namespace {

using ManaTest = EmitterTest;

TEST_F(ManaTest, OrbsAndSparklesFollowTheMana) {
    struct Case {
        int32_t mana;
        int frames;
        int orbs;
        int sparkles;
    } cases[] = {
        {0, 1, 4, 0},    // one orb goes a frame, every sparkle at once
        {0, 5, 0, 0},
        {120, 10, 2, 6},
        {300, 10, 5, 15},
        {INT_MAX, 10, 5, 15},
    };
    for (const Case& c : cases) {
        auto* mana = Attach<ManaParticleEmitter>();
        ASSERT_EQ(mana->activeOrbs, 5);
        ASSERT_EQ(mana->activeSparkles, 15);
        unit->currentMana = c.mana;
        std::vector<Particle*> last;
        for (int i = 0; i < c.frames; ++i) last = Frame(mana);
        EXPECT_EQ(mana->activeOrbs, c.orbs) << c.mana;
        EXPECT_EQ(CountActive(mana->orbs, 5), c.orbs) << c.mana;
        EXPECT_EQ(mana->activeSparkles, c.sparkles) << c.mana;
        EXPECT_EQ(CountActive(mana->sparkles, 15), c.sparkles) << c.mana;
        EXPECT_EQ(static_cast<int>(last.size()), c.orbs + c.sparkles) << c.mana;
    }
}

TEST_F(ManaTest, OrbsCircleTheHeroAndSparklesStayDrawableWithALifetimeOfZero) {
    auto* mana = Attach<ManaParticleEmitter>();
    unit->currentMana = 300;
    mana->sparkles[0].lifetime = 0.0f;  // rand mod 50 can draw 0
    mana->orbs[0].lifetime = 0.0f;
    mana->orbs[0].age = 0.0f;
    Frames(mana, 30);
    for (const Particle& orb : mana->orbs) {
        EXPECT_LE(std::fabs(orb.positionX - transform->x), transform->scaleX * 0.5f + 0.01f);
        EXPECT_NEAR(orb.positionY, std::cos(orb.age) * 15.0f + transform->y + 40.0f, 1e-3f);
        EXPECT_TRUE(std::isfinite(orb.alpha));
    }
    EXPECT_TRUE(std::isfinite(mana->sparkles[0].alpha));
    EXPECT_NEAR(mana->sparkles[0].alpha, (std::sin(mana->sparkles[0].age) + 0.5f) * 0.5f, 1e-5f);
}

TEST_F(ManaTest, BurstFliesAwayThenHomesAndFadesAndAFullPoolKeepsWhatFits) {
    auto* mana = Attach<ManaParticleEmitter>();
    unit->currentMana = 300;
    for (int i = 0; i < ManaParticleEmitter::kBurstCount - 3; ++i) mana->bursts[i].active = true;
    mana->Burst(1500.0f, 400.0f);
    EXPECT_EQ(CountActive(mana->bursts, ManaParticleEmitter::kBurstCount), ManaParticleEmitter::kBurstCount);
    for (int i = 0; i < ManaParticleEmitter::kBurstCount - 3; ++i) mana->bursts[i].active = false;

    Particle& p = mana->bursts[ManaParticleEmitter::kBurstCount - 1];
    EXPECT_GT(p.velocityX, 0.0f);  // the hero is to the left: away means right
    EXPECT_FLOAT_EQ(p.alpha, 0.25f);
    const int framesInLife = static_cast<int>(p.lifetime / kDt) + 2;
    Frames(mana, framesInLife);
    ASSERT_TRUE(p.active);
    const float alpha = p.alpha, distance = std::fabs(p.positionX - transform->x);
    Frame(mana);
    EXPECT_NEAR(p.alpha, alpha - 1.3f * kDt, 1e-5f);
    EXPECT_LT(std::fabs(p.positionX - transform->x), distance);
    Frames(mana, 120);
    EXPECT_EQ(CountActive(mana->bursts, ManaParticleEmitter::kBurstCount), 0);
}

TEST_F(ManaTest, PausedParticlesDoNotAgeOrMoveButAreDrawn) {
    auto* mana = Attach<ManaParticleEmitter>();
    unit->currentMana = 300;
    mana->Burst(1500.0f, 400.0f);
    Frames(mana, 3);
    GameFlags::word = GameFlags::Paused;
    const Particle orb = mana->orbs[2], burst = mana->bursts[0];
    const std::vector<Particle*> queued = Frame(mana);
    EXPECT_EQ(mana->orbs[2].age, orb.age);
    EXPECT_EQ(mana->orbs[2].positionX, orb.positionX);
    EXPECT_EQ(mana->bursts[0].positionX, burst.positionX);
    EXPECT_EQ(mana->bursts[0].alpha, burst.alpha);
    EXPECT_EQ(static_cast<int>(queued.size()), 5 + 15 + CountActive(mana->bursts, ManaParticleEmitter::kBurstCount));
    EXPECT_EQ(queued.front(), &mana->orbs[0]);  // orbs, sparkles, bursts
    EXPECT_EQ(queued.back()->texture, mana->burstTexture);
}

TEST_F(ManaTest, StartUpAndTopUpAreBoundedWhateverTheCountersSay) {
    auto* mana = hero->AddComponent<ManaParticleEmitter>(true);
    mana->Awake();
    for (Particle& orb : mana->orbs) orb.active = true;  // a pool full behind a zero count
    mana->Start();                                       // must give up, not spin
    EXPECT_EQ(mana->activeOrbs, 0);

    unit->currentMana = INT_MAX;  // a huge mana from a scene file
    const auto begin = std::chrono::steady_clock::now();
    Frame(mana);
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::milliseconds(100));
    EXPECT_EQ(mana->activeSparkles, 15);
}

}  // namespace

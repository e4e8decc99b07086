#include <cmath>

#include "EmitterFixture.h"
#include "particles/MageParticleEmitter.h"
#include "particles/ThiefParticleEmitter.h"

namespace {

using MageTest = EmitterTest;

class ThiefTest : public EmitterTest {
protected:
    // The traced particles of one slash, in tracing order.
    std::vector<Particle> Trace(ThiefParticleEmitter& thief) {
        Frames(&thief, 3);
        std::vector<Particle> traced;
        for (const Particle& p : thief.slashParticles)
            if (p.active) traced.push_back(p);
        return traced;
    }
};
using Unit = Combat::CombatUnit;

TEST_F(MageTest, LightningSegmentsJoinUpAndPointTheWayTheyRun) {
    auto* mage = Attach<MageParticleEmitter>();
    for (int b = 0; b < MageParticleEmitter::kBoltCount; ++b) {
        const auto& bolt = mage->bolts[b];
        ASSERT_TRUE(bolt.count == 4 || bolt.count == 8) << b;
        for (int i = 0; i < bolt.count; ++i) {
            const auto& s = bolt.segments[i];
            const float radians = s.angle / 57.29578f;
            // The quad drawn from the start at this angle and length ends at the end point.
            EXPECT_NEAR(s.startX + std::cos(radians) * s.length, s.endX, 0.01f) << b << "/" << i;
            EXPECT_NEAR(s.startY + std::sin(radians) * s.length, s.endY, 0.01f) << b << "/" << i;
            if (i > 0) {
                EXPECT_EQ(s.startX, bolt.segments[i - 1].endX);
            }
        }
        EXPECT_FLOAT_EQ(bolt.segments[bolt.count - 1].endX, b < 10 ? 650.0f : -650.0f);
    }
}

TEST_F(MageTest, ZapChargesABallThenStampsBoltsForwardAndShakesOncePerZap) {
    for (uint32_t facing : {1u, 0u}) {
        auto* mage = Attach<MageParticleEmitter>();
        Camera* camera = MakeCamera();
        body->facing = facing;
        unit->currentWeaponIndex = MageParticleEmitter::kZapWeapon;
        SetState(Unit::CASTING, true);
        Frames(mage, 20);
        EXPECT_EQ(mage->boltState, MageParticleEmitter::BoltState::Charging);
        EXPECT_FLOAT_EQ(mage->boltOriginX, transform->x + (facing ? 50.0f : -50.0f));
        EXPECT_GT(CountActive(mage->energy, 10), 0);
        EXPECT_GT(CountActive(mage->streaks, 20), 0);
        bool brighter = false;  // (rand mod 3) / 100 is a fraction, not always 0
        for (const Particle& p : mage->energy) brighter |= p.active && p.alpha > 0.4f + 0.005f - 2.2f * p.age;
        EXPECT_TRUE(brighter);

        SetState(Unit::CASTING, false);
        SetState(Unit::RECOVERING, true);
        Frames(mage, 30);
        EXPECT_FLOAT_EQ(camera->shakeTime, 1.1f);  // once, not every frame of the recovery
        SetState(Unit::RECOVERING, false);
        Frames(mage, 10);
        ASSERT_GT(CountActive(mage->lightning, 250), 0);
        for (const Particle& p : mage->lightning) {
            if (!p.active) continue;
            const float ahead = (p.positionX - mage->boltOriginX) * (facing ? 1.0f : -1.0f);
            EXPECT_GE(ahead, -0.01f);  // bolts 0-9 run right, 10-19 left
            EXPECT_GT(std::cos(p.rotation / 57.29578f) * (facing ? 1.0f : -1.0f), 0.0f);
        }
        Frames(mage, 1.1f / kDt);
        EXPECT_EQ(mage->boltState, MageParticleEmitter::BoltState::Idle);
        Frames(mage, 30);
        EXPECT_EQ(CountActive(mage->lightning, 250), 0);
    }
}

TEST_F(MageTest, FreezeMistsForTwoSecondsAndSnowFallsFromAboveForFive) {
    auto* mage = Attach<MageParticleEmitter>();
    unit->currentWeaponIndex = MageParticleEmitter::kFreezeWeapon;
    SetState(Unit::CASTING, true);
    Frame(mage);
    SetState(Unit::CASTING, false);
    EXPECT_TRUE(mage->freezeOn);
    Frames(mage, 2);
    ASSERT_GT(CountActive(mage->snow, 1000), 0);
    const Particle& flake = mage->snow[0];
    EXPECT_NEAR(flake.positionY, -transform->y + flake.velocityY * flake.age, 0.01f);
    EXPECT_GE(flake.velocityY, 75.0f);
    EXPECT_LE(flake.velocityY, 199.0f);
    EXPECT_LE(std::fabs(flake.positionX - transform->x), 2500.0f + 30.0f);
    const Particle mist = mage->freeze[0];
    Frame(mage);
    EXPECT_EQ(mage->freeze[0].positionX, mist.positionX);  // mist does not move
    EXPECT_GT(mage->freeze[0].alpha, mist.alpha);           // fades in first
    Frames(mage, 2.0f / kDt);
    EXPECT_FALSE(mage->freezeOn);
    EXPECT_GT(mage->snowTime, 0.0f);
    Frames(mage, 3.0f / kDt + 1);
    EXPECT_EQ(mage->snowTime <= 0.0f, true);
    EXPECT_GT(CountActive(mage->snow, 1000), 500);
    const std::size_t queued = Frame(mage).size();
    EXPECT_EQ(queued, static_cast<std::size_t>(CountActive(mage->snow, 1000) + CountActive(mage->freeze, 50) +
                                               CountActive(mage->energy, 10)));
}

TEST_F(MageTest, AFreezeLeavesItsPictureCentredOnTheTargetAndAFullPoolRefuses) {
    auto* mage = Attach<MageParticleEmitter>();
    ASSERT_TRUE(mage->SpawnFreezeParticle(400.0f, 300.0f, 301, true));
    EXPECT_FLOAT_EQ(mage->freeze[0].positionX, 400.0f - 150.0f);
    EXPECT_FLOAT_EQ(mage->freeze[0].width, 301.0f);
    EXPECT_EQ(mage->freeze[0].texture, mage->Texture(MageParticleEmitter::TextureSlot::FreezeOne));
    for (Particle& p : mage->freeze) p.active = true;
    EXPECT_FALSE(mage->SpawnFreezeParticle(400.0f, 300.0f, 260, false));
}

TEST_F(MageTest, TrailsSmokeAndWaverBehindTheProjectileAndEndWhenItIsGone) {
    auto* mage = Attach<MageParticleEmitter>();
    Transform* first = MakeProjectile(300.0f, 200.0f);
    Transform* second = MakeProjectile(900.0f, 200.0f);
    ASSERT_TRUE(mage->StartTrail(first));
    ASSERT_TRUE(mage->StartTrail(second));
    Frames(mage, 10);
    EXPECT_GT(CountActive(mage->smoke, 100), 5);
    EXPECT_GT(CountActive(mage->trail, 50), 5);
    bool lifetimes = false;  // (rand mod 50) / 80 is a fraction, not always 0
    for (const Particle& p : mage->smoke) lifetimes |= p.active && p.lifetime > 0.0f;
    EXPECT_TRUE(lifetimes);

    SceneManager::GetInstance().DestroyGameObjectNow(first->owner->id);
    const float secondAge = mage->trails[1].age;
    Frame(mage);
    EXPECT_FALSE(mage->trails[0].active);
    EXPECT_EQ(mage->trails[1].age, secondAge);  // the walk ends for this frame
    Frame(mage);
    EXPECT_GT(mage->trails[1].age, secondAge);
    Frames(mage, 2.5f / kDt);
    EXPECT_FALSE(mage->trails[1].active);
}

TEST_F(MageTest, APauseFreezesEveryPoolButKeepsItDrawn) {
    auto* mage = Attach<MageParticleEmitter>();
    mage->snowTime = 1.0f;
    Frames(mage, 10);
    GameFlags::word = GameFlags::Paused;
    const Particle flake = mage->snow[0];
    const std::vector<Particle*> queued = Frame(mage);
    EXPECT_EQ(mage->snow[0].positionY, flake.positionY);
    EXPECT_EQ(static_cast<int>(queued.size()), CountActive(mage->snow, 1000));
}

TEST_F(ThiefTest, ASlashTracesItsCurveFromTheSideTheHeroFaces) {
    for (uint32_t facing : {1u, 0u}) {
        auto* thief = Attach<ThiefParticleEmitter>();
        body->facing = facing;
        ASSERT_TRUE(thief->AddSlash(ThiefParticleEmitter::SlashKind::Horizontal, facing == 1, 50.0f, transform->x,
                                    transform->y, transform->scaleX, transform->scaleY));
        const ThiefParticleEmitter::SlashRecord slash = thief->slashes[0];
        const std::vector<Particle> traced = Trace(*thief);
        ASSERT_EQ(traced.size(), 25u);
        EXPECT_EQ(thief->slashes[0].particlesLeft, 0);
        const float* first = facing ? slash.start : slash.end;
        EXPECT_NEAR(traced.front().positionX, first[0], 0.01f);
        if (facing) {  // sin 0
            EXPECT_FLOAT_EQ(traced.front().width, 0.5f);
        }
        // Every particle lies on its own point of the curve; the middle ones are the widest.
        for (std::size_t k = 1; k < traced.size(); ++k)
            EXPECT_NE(traced[k].positionX, traced[k - 1].positionX) << k;
        int widest = 0;
        for (int k = 0; k < 25; ++k)
            if (traced[k].width > traced[widest].width) widest = k;
        EXPECT_TRUE(widest == 12 || widest == 13) << widest;
        EXPECT_EQ(traced[3].rotation > 0.0f, facing == 1) << traced[3].rotation;  // flipped facing left
        Frames(thief, 0.2f / kDt + 1);
        EXPECT_EQ(CountActive(thief->slashParticles, 200), 0);
    }
}

TEST_F(ThiefTest, DashLeavesSilhouettesAndRisingSmokeThroughItsRecoveryAndThirtyBeyond) {
    auto* thief = Attach<ThiefParticleEmitter>();
    unit->currentWeaponIndex = ThiefParticleEmitter::kDashWeapon;
    SetState(Unit::RECOVERING, true);
    Frames(thief, 3);
    SetState(Unit::RECOVERING, false);
    Frame(thief);
    EXPECT_LT(thief->dashParticlesLeft, 30);
    EXPECT_GT(thief->dashParticlesLeft, 25);  // the last thirty, two a frame
    Frames(thief, 15);
    EXPECT_EQ(thief->dashParticlesLeft, 0);
    const Particle& silhouette = thief->dashParticles[0];
    const Particle& puff = thief->dashParticles[1];
    EXPECT_EQ(silhouette.texture, thief->Texture(ThiefParticleEmitter::TextureSlot::Dash2));
    EXPECT_FLOAT_EQ(silhouette.width, transform->scaleX * 1.5f);
    EXPECT_EQ(puff.texture, thief->Texture(ThiefParticleEmitter::TextureSlot::Dash1));
    bool lifetimes = false;  // (rand mod 50) / 80 is a fraction, not always 0
    for (const Particle& p : thief->dashParticles) lifetimes |= p.active && p.lifetime > 0.0f;
    EXPECT_TRUE(lifetimes);
    Frames(thief, 60);
    EXPECT_EQ(CountActive(thief->dashParticles, 100), 0);
    thief->SpawnDashParticle();  // a silhouette, then a puff sized by no particles left:
    thief->SpawnDashParticle();  // its random drop is never taken mod 0
    EXPECT_EQ(thief->dashParticles[1].height, 0.0f);
}

TEST_F(ThiefTest, AreaAttackStormsForOneSecondWithOneShake) {
    auto* thief = Attach<ThiefParticleEmitter>();
    Camera* camera = MakeCamera();
    unit->currentWeaponIndex = ThiefParticleEmitter::kAreaWeapon;
    SetState(Unit::RECOVERING, true);
    Frames(thief, 30);
    EXPECT_FLOAT_EQ(camera->shakeTime, 0.45f);
    EXPECT_GT(CountActive(thief->areaParticles, 30), 5);
    EXPECT_GT(CountActive(thief->slashParticles, 200), 25);
    for (const Particle& p : thief->areaParticles)
        if (p.active) {
            EXPECT_LE(std::fabs(p.positionX - transform->x), 500.0f);
        }
    SetState(Unit::RECOVERING, false);
    Frames(thief, 31);
    EXPECT_EQ(thief->areaTime, 0.0f);
}

TEST_F(ThiefTest, APauseKeepsSlashCountsAndDrawsEverything) {
    auto* thief = Attach<ThiefParticleEmitter>();
    thief->AddSlash(ThiefParticleEmitter::SlashKind::Vertical, true, 50.0f, 0.0f, 0.0f, 100.0f, 100.0f);
    Frame(thief);
    const int left = thief->slashes[0].particlesLeft;
    ASSERT_GT(left, 0);
    GameFlags::word = GameFlags::Paused;
    const Particle p = thief->slashParticles[0];
    EXPECT_EQ(static_cast<int>(Frame(thief).size()), 25 - left);
    EXPECT_EQ(thief->slashes[0].particlesLeft, left);
    EXPECT_EQ(thief->slashParticles[0].alpha, p.alpha);
}

}  // namespace

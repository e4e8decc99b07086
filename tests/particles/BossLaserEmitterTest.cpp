#include "EmitterFixture.h"
#include "particles/BossParticleEmitter.h"
#include "particles/LaserParticleEmitter.h"

namespace {

using BossTest = EmitterTest;
using LaserTest = EmitterTest;
using Unit = Combat::CombatUnit;

TEST_F(BossTest, SkipsItsUpdateUntilItHasATransformAndAUnit) {
    auto* boss = hero->AddComponent<BossParticleEmitter>(true);
    boss->Awake();
    boss->SpawnSummonEffect(10.0f, 20.0f);
    EXPECT_TRUE(Frame(boss).empty());  // its first frame comes before its Start
    boss->Start();
    EXPECT_EQ(Frame(boss).size(), 1u);
}

TEST_F(BossTest, SummoningStartsACircleEveryFrameUntilAllTwentyAreUsedAndEachLastsFourAndAHalfSeconds) {
    auto* boss = Attach<BossParticleEmitter>();
    SetState(Unit::CASTING, true);
    unit->currentWeaponIndex = BossParticleEmitter::kSummonWeapon;
    Frames(boss, 25);
    int circles = 0;
    for (const auto& c : boss->circles) circles += c.active ? 1 : 0;
    EXPECT_EQ(circles, 20);
    EXPECT_FLOAT_EQ(boss->circles[0].particle.positionY, transform->y - transform->scaleY);
    EXPECT_FLOAT_EQ(boss->circles[0].particle.rotation, 90.0f);
    SetState(Unit::CASTING, false);
    int frames = 25;
    while (boss->circles[0].active && frames < 400) {
        Frame(boss);
        ++frames;
    }
    EXPECT_NEAR(frames * kDt, 4.5f, 2.5f * kDt);
    // The walk stops at the circle that ends: the next one missed that frame's decrement.
    EXPECT_EQ(Frame(boss).size(), 19u);
    EXPECT_EQ(Frame(boss).size(), 18u);
}

TEST_F(BossTest, DashSmokeImplodesAtTheStartExplodesAtTheEndAndShakesTheCameraWhenThereIsOne) {
    for (bool withCamera : {false, true}) {
        auto* boss = Attach<BossParticleEmitter>();
        Camera* camera = withCamera ? MakeCamera() : nullptr;
        SetState(Unit::RECOVERING, true);
        unit->currentWeaponIndex = BossParticleEmitter::kDashWeapon;
        Frame(boss);
        EXPECT_EQ(CountActive(boss->implosion, 30), 30);
        EXPECT_EQ(CountActive(boss->explosion, 30), 0);
        const float startX = transform->x;
        transform->x += 600.0f;
        Frames(boss, 5);
        SetState(Unit::RECOVERING, false);
        Frame(boss);
        EXPECT_EQ(CountActive(boss->explosion, 30), 30);
        EXPECT_FLOAT_EQ(boss->dashStart[0], startX);
        EXPECT_FLOAT_EQ(boss->explosion[0].positionX, transform->x);
        if (camera) {
            EXPECT_FLOAT_EQ(camera->shakeTime, 0.2f);
        }
        // Implosion particles move toward the dash start; explosion ones out of the end.
        const std::vector<Particle*> queued = Frame(boss);
        EXPECT_EQ(queued.size(), 60u);
        Frames(boss, 2.0f / kDt + 1);
        EXPECT_EQ(CountActive(boss->implosion, 30) + CountActive(boss->explosion, 30), 0);
        transform->x = startX;
    }
}

TEST_F(BossTest, CurtainRisesForThreeSecondsThenClears) {
    auto* boss = Attach<BossParticleEmitter>();
    SetState(Unit::RECOVERING, true);
    unit->currentWeaponIndex = BossParticleEmitter::kCurtainWeapon;
    Frame(boss);
    SetState(Unit::RECOVERING, false);
    Frames(boss, 30);
    const int risen = CountActive(boss->rising, 60);
    EXPECT_GE(risen, 9);  // one per 0.05 s
    const Particle& p = boss->rising[0];
    EXPECT_NEAR(p.positionY + p.height, transform->y + transform->scaleY - p.age * 150.0f, 0.5f);
    Frames(boss, 3.0f / kDt);
    EXPECT_FALSE(boss->risingOn);
    EXPECT_EQ(CountActive(boss->rising, 60), 0);
}

TEST_F(BossTest, TrailsAreDrawnFirstFollowTheirProjectileAndEndWhenItIsGone) {
    auto* boss = Attach<BossParticleEmitter>();
    Transform* first = MakeProjectile(300.0f, 200.0f);
    Transform* second = MakeProjectile(700.0f, 200.0f);
    ASSERT_TRUE(boss->StartTrail(first));
    ASSERT_TRUE(boss->StartTrail(second));
    boss->dashStart[0] = 50.0f;
    boss->SpawnSmokeBurst(true);
    Frames(boss, 5);
    std::vector<Particle*> queued = Frame(boss);
    ASSERT_GT(queued.size(), 30u);
    EXPECT_EQ(queued[queued.size() - 30], &boss->implosion[0]);
    EXPECT_EQ(queued.front()->texture, boss->trailTexture);
    EXPECT_FLOAT_EQ(boss->trails[1].particles[0].positionX, 700.0f);
    second->x = 750.0f;
    Frame(boss);
    EXPECT_FLOAT_EQ(boss->trails[1].particles[0].positionX, 750.0f);

    SceneManager::GetInstance().DestroyGameObjectNow(first->owner->id);
    Frame(boss);
    EXPECT_FALSE(boss->trails[0].active);
    EXPECT_EQ(CountActive(boss->trails[0].particles, 20), 0);
    EXPECT_TRUE(boss->trails[1].active);
    Frames(boss, 5.0f / kDt);
    EXPECT_FALSE(boss->trails[1].active);  // five seconds at most
}

TEST_F(BossTest, APauseFreezesPoolsAndTimersButKeepsThemDrawn) {
    auto* boss = Attach<BossParticleEmitter>();
    boss->SpawnSummonEffect(0.0f, 0.0f);
    boss->SpawnSmokeBurst(false);
    Frames(boss, 3);
    GameFlags::word = GameFlags::Paused;
    const float timeLeft = boss->circles[0].timeLeft, alpha = boss->explosion[3].alpha;
    EXPECT_EQ(Frame(boss).size(), 31u);
    EXPECT_EQ(boss->circles[0].timeLeft, timeLeft);
    EXPECT_EQ(boss->explosion[3].alpha, alpha);
}

TEST_F(LaserTest, ChargesThreeSecondsThenStreamsTheWayTheBossFacesForFourSeconds) {
    for (uint32_t facing : {1u, 0u}) {
        auto* laser = Attach<LaserParticleEmitter>();
        body->facing = facing;
        laser->StartLaser();
        Frames(laser, 60);
        laser->StartLaser();  // a second call during the charge changes nothing
        EXPECT_NEAR(laser->chargeTime, 2.0f, 1e-3f);
        int waited = 0;
        while (laser->beamTime == 0.0f && waited < 400) {
            Frame(laser);
            ++waited;
        }
        EXPECT_NEAR(waited * kDt, 2.0f, 2.0f * kDt);
        Frames(laser, 10);
        EXPECT_EQ(CountActive(laser->beam, 500), 11);  // one a frame below 550 frames a second
        const Particle& p = laser->beam[0];
        EXPECT_FLOAT_EQ(p.velocityX, facing ? 4650.0f : -4650.0f);
        const float startX = facing ? transform->x + 50.0f : transform->x - 1000.0f;
        EXPECT_NEAR(p.positionX, startX + p.velocityX * p.age, 1.0f);
        EXPECT_GT(p.width, 900.0f);
        Frames(laser, 4.0f / kDt + 1.5f / kDt + 2);
        EXPECT_EQ(laser->beamTime, 0.0f);
        EXPECT_EQ(CountActive(laser->beam, 500), 0);
    }
}

TEST_F(LaserTest, APauseHidesTheBeamAndStopsItsTimers) {
    auto* laser = Attach<LaserParticleEmitter>();
    laser->charging = false;
    laser->beamTime = 2.0f;
    Frames(laser, 5);
    GameFlags::word = GameFlags::Paused;
    EXPECT_TRUE(Frame(laser).empty());
    EXPECT_NEAR(laser->beamTime, 2.0f - 5 * kDt, 1e-4f);
    GameFlags::word = 0;
    EXPECT_EQ(Frame(laser).size(), 5u);
}

TEST_F(LaserTest, WithoutARigidbodyTheBeamWaits) {
    auto* laser = Attach<LaserParticleEmitter>();
    unit->rigidbody = nullptr;
    laser->beamTime = 2.0f;
    Frames(laser, 5);
    EXPECT_EQ(laser->beamTime, 2.0f);
    EXPECT_EQ(CountActive(laser->beam, 500), 0);
}

}  // namespace

// The physics step on small scenes: landing, walls, slopes, seams, box bodies, layer
// masks, the contact cap, pause, kinematic bodies and registry rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "SceneBuilder.h"
#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/Time.h"
#include "gameobjectengine/Transform.h"
#include "physics/BoxCollider.h"
#include "physics/CircleCollider.h"
#include "physics/PhysicsManager.h"
#include "physics/Rigidbody.h"
#include "support/EngineHarness.h"

namespace {

constexpr float kFloorTop = 950.0f;

struct PhysicsStep : ::testing::Test {
    EngineHarness engine;
    SceneBuilder scene;

    void Load() { engine.LoadSceneText(scene.Json()); }
    Transform* T(const char* name) { return engine.Get<Transform>(name); }
    Rigidbody* B(const char* name) { return engine.Get<Rigidbody>(name); }
    // Steps frames while driving a body sideways (horizontal velocity lasts one step).
    void Walk(const char* name, float speed, int frames) {
        for (int i = 0; i < frames; ++i) {
            B(name)->xVelocity = speed;
            engine.Step();
        }
    }
    int FloorWide() { return scene.Floor("Floor", 2000, 1000, 2000, 50); }
};

TEST_F(PhysicsStep, CircleLandsOnFlatBoxAndStays) {
    FloorWide();
    scene.Ball("Ball", 1000, 600, 40);
    Load();
    bool landedFrameChecked = false;
    for (int i = 0; i < 240; ++i) {
        engine.Step();
        Rigidbody* body = B("Ball");
        if (body->collider->grounded && !landedFrameChecked) {
            // The landing step snaps onto the top and cancels the fall in the same frame.
            EXPECT_FLOAT_EQ(T("Ball")->y + 40.0f, kFloorTop);
            EXPECT_EQ(body->yVelocity, 0.0f);
            landedFrameChecked = true;
        }
    }
    ASSERT_TRUE(landedFrameChecked);
    EXPECT_TRUE(B("Ball")->collider->grounded);
    EXPECT_FLOAT_EQ(T("Ball")->y, kFloorTop - 40.0f);
    EXPECT_EQ(B("Ball")->yVelocity, 0.0f);
    EXPECT_EQ(B("Ball")->contactCount, 1u);
    EXPECT_FLOAT_EQ(T("Ball")->x, 1000.0f);
}

TEST_F(PhysicsStep, WallBlocksAndSnapsTheWalker) {
    FloorWide();
    const int wall = scene.Floor("Wall", 1600, 850, 25, 100);  // left face at x 1575
    (void)wall;
    scene.Ball("Ball", 1400, 910, 40);
    Load();
    engine.Step(10);
    Walk("Ball", 600.0f, 120);
    Rigidbody* body = B("Ball");
    EXPECT_TRUE(body->collider->blockedRight);
    EXPECT_LE(T("Ball")->x + 40.0f, 1575.0f + 0.2f);
    EXPECT_GE(T("Ball")->x + 40.0f, 1575.0f - 10.0f);
    EXPECT_EQ(body->facing, 1u);
    const float stoppedAt = T("Ball")->x;
    Walk("Ball", 600.0f, 30);
    EXPECT_FLOAT_EQ(T("Ball")->x, stoppedAt);
    // Walking away is free.
    Walk("Ball", -600.0f, 10);
    EXPECT_LT(T("Ball")->x, stoppedAt - 50.0f);
    EXPECT_EQ(B("Ball")->facing, 0u);
}

// A slow machine's frames: through the frame loop (which caps the frame time) and
// stepped directly (sub-steps alone), the runner stops at the wall, standing on the floor.
TEST_F(PhysicsStep, LongFramesStillStopTheRunnerAtTheWall) {
    FloorWide();
    scene.Floor("Wall", 1600, 850, 25, 100);  // left face at x 1575
    scene.Ball("Ball", 1400, 910, 40);
    for (float frame : {0.05f, 0.25f, 0.5f, 1.0f}) {
        for (bool throughLoop : {true, false}) {
            SCOPED_TRACE(std::to_string(frame) + (throughLoop ? " s, frame loop" : " s, stepped directly"));
            engine.SetFrameTime(1.0f / 60.0f);
            Load();
            engine.Step(10);
            engine.SetFrameTime(frame);
            for (int i = 0; static_cast<float>(i) * frame < 2.0f; ++i) {
                B("Ball")->xVelocity = 600.0f;
                if (throughLoop) engine.Step();
                else PhysicsManager::GetInstance().StepWith(frame);
            }
            if (throughLoop) {
                EXPECT_FLOAT_EQ(Time::GetInstance().deltaTime, std::min(frame, Time::kMaxDeltaTime));
            }
            EXPECT_TRUE(B("Ball")->collider->blockedRight);
            EXPECT_LE(T("Ball")->x + 40.0f, 1575.0f + 0.2f);
            EXPECT_GE(T("Ball")->x + 40.0f, 1575.0f - 10.0f);
            EXPECT_FLOAT_EQ(T("Ball")->y, 910.0f);
        }
    }
}

TEST_F(PhysicsStep, BoxMoverRunsIntoWallRecordingOnlyAContact) {
    FloorWide();
    scene.Floor("Wall", 1600, 850, 25, 100);  // left face at 1575
    const int id = scene.Object("Crate");
    scene.At(id, 1539, 900).Box(id, 30, 30, false).Body(id, false, false);
    Load();
    B("Crate")->xVelocity = 600.0f;  // 10 px this frame: the right edge goes from 1569 to 1579
    engine.Step();
    EXPECT_EQ(B("Crate")->contactCount, 1u);
    EXPECT_FALSE(B("Crate")->collider->blockedRight);
    EXPECT_NEAR(T("Crate")->x, 1549.0f, 1e-3f);
}

TEST_F(PhysicsStep, SlopeLiftsTheMoverGoingRight) {
    FloorWide();
    // A ramp rising to the right: rotation 340, 200 px half-length along the surface.
    const int ramp = scene.Object("Ramp");
    scene.At(ramp, 800, 872.2f, 340).Box(ramp, 200, 10, true);
    scene.Ball("Ball", 520, 910, 40);
    Load();
    engine.Step(5);
    ASSERT_NE(engine.Get<BoxCollider>("Ramp")->slope, nullptr);
    const float startY = T("Ball")->y;
    float lastY = startY;
    bool climbedSteadily = true;
    for (int i = 0; i < 120 && T("Ball")->x < 900.0f; ++i) {
        Walk("Ball", 300.0f, 1);
        if (T("Ball")->x > 700.0f && T("Ball")->y > lastY + 1.0f) climbedSteadily = false;
        lastY = T("Ball")->y;
    }
    EXPECT_GT(T("Ball")->x, 880.0f);
    EXPECT_TRUE(climbedSteadily);
    // The surface is the rotated box's top edge, through (984.5, 794.4) at tan 20 degrees;
    // the walker's bottom centre rides on it.
    const float lineY = 794.4f + (984.5f - T("Ball")->x) * 0.364f;
    EXPECT_NEAR(T("Ball")->y + 40.0f, lineY, 0.5f);
    EXPECT_LT(T("Ball")->y, startY - 80.0f);
    EXPECT_TRUE(B("Ball")->collider->grounded);
    EXPECT_GT(B("Ball")->slopeFactorY, 0.3f);
}

TEST_F(PhysicsStep, SeamBetweenSideBySideFloorsBlocksWalkers) {
    scene.Floor("FloorA", 500, 1000, 500, 50);   // x 0..1000
    scene.Floor("FloorB", 1500, 1000, 500, 50);  // x 1000..2000
    scene.Ball("Ball", 800, 900, 40);
    Load();
    engine.Step(30);
    Walk("Ball", 300.0f, 120);
    EXPECT_TRUE(B("Ball")->collider->blockedRight);
    EXPECT_LE(T("Ball")->x + 40.0f, 1000.2f);
}

TEST_F(PhysicsStep, OneContinuousFloorHasNoSeam) {
    scene.Floor("Floor", 1000, 1000, 1000, 50);
    scene.Ball("Ball", 800, 900, 40);
    Load();
    engine.Step(30);
    Walk("Ball", 300.0f, 120);
    EXPECT_GT(T("Ball")->x, 1300.0f);
    EXPECT_FALSE(B("Ball")->collider->blockedRight);
}

TEST_F(PhysicsStep, BoxBodyFallsThroughFloorRecordingContacts) {
    FloorWide();
    const int id = scene.Object("Crate");
    scene.At(id, 1000, 880).Box(id, 30, 30, false).Body(id);
    Load();
    bool touched = false;
    for (int i = 0; i < 90; ++i) {
        engine.Step();
        touched = touched || B("Crate")->contactCount > 0;
    }
    EXPECT_TRUE(touched);
    EXPECT_FALSE(B("Crate")->collider->grounded);
    EXPECT_GT(T("Crate")->y, 1100.0f);
}

TEST_F(PhysicsStep, JumpThroughPlatformFromBelowAndLandOnIt) {
    FloorWide();
    scene.Floor("Platform", 1000, 800, 120, 10);  // top at 790
    scene.Ball("Ball", 1000, 910, 40);
    Load();
    engine.Step(5);
    B("Ball")->yVelocity = -1000.0f;  // a jump: upward motion is never blocked
    bool passedUp = false;
    for (int i = 0; i < 120; ++i) {
        engine.Step();
        passedUp = passedUp || T("Ball")->y + 40.0f < 790.0f;
    }
    EXPECT_TRUE(passedUp);
    EXPECT_FLOAT_EQ(T("Ball")->y + 40.0f, 790.0f);
    EXPECT_TRUE(B("Ball")->collider->grounded);
}

// Kinematic areas record what they overlap; used to test the mask table.
struct LayerCase {
    unsigned bodyLayer;
    unsigned colliderLayer;
    bool contact;
};

class LayerMasks : public ::testing::TestWithParam<LayerCase> {};

TEST_P(LayerMasks, DecideWhichCollidersAreTested) {
    EngineHarness engine;
    SceneBuilder scene;
    const LayerCase c = GetParam();
    const int area = scene.Object("Area", c.bodyLayer);
    scene.At(area, 100, 100).Box(area, 50, 50, false).Body(area, true, false);
    const int other = scene.Object("Other", c.colliderLayer);
    scene.At(other, 120, 100).Box(other, 50, 50, false);
    engine.LoadSceneText(scene.Json());
    engine.Step();
    EXPECT_EQ(engine.Get<Rigidbody>("Area")->contactCount, c.contact ? 1u : 0u)
        << "body layer " << c.bodyLayer << " collider layer " << c.colliderLayer;
}

INSTANTIATE_TEST_SUITE_P(Table, LayerMasks,
                         ::testing::Values(LayerCase{2, 2, false}, LayerCase{4, 4, false}, LayerCase{8, 8, false},
                                           LayerCase{2, 4, true}, LayerCase{2, 8, true}, LayerCase{4, 2, true},
                                           LayerCase{8, 1, true}, LayerCase{1, 2, true}, LayerCase{1, 4, true},
                                           LayerCase{1, 16, true}, LayerCase{2, 3, true}, LayerCase{4, 3, true},
                                           LayerCase{8, 3, true}, LayerCase{6, 4, true}, LayerCase{6, 2, false},
                                           // Words without a table entry collide with everything.
                                           LayerCase{0, 2, true}, LayerCase{16, 2, true}, LayerCase{32, 64, true}));

TEST(LayerMaskTable, MaskForLayer) {
    EXPECT_EQ(PhysicsManager::MaskForLayer(1), 0xFFFFFFFFu);
    EXPECT_EQ(PhysicsManager::MaskForLayer(2), 13u);
    EXPECT_EQ(PhysicsManager::MaskForLayer(4), 11u);
    EXPECT_EQ(PhysicsManager::MaskForLayer(8), 7u);
    EXPECT_EQ(PhysicsManager::MaskForLayer(12), 11u);
    EXPECT_EQ(PhysicsManager::MaskForLayer(0), 0xFFFFFFFFu);
    EXPECT_EQ(PhysicsManager::MaskForLayer(0x100), 0xFFFFFFFFu);
    EXPECT_EQ(PhysicsManager::MaskForLayer(0x80000000u), 0xFFFFFFFFu);
}

TEST_F(PhysicsStep, ContactsAreCappedAt128InPoolOrder) {
    const int area = scene.Object("Area");
    scene.At(area, 500, 500).Box(area, 400, 400, false).Body(area, true, false);
    for (int i = 0; i < 200; ++i) scene.Floor("Tile" + std::to_string(i), 300 + (i % 20) * 20, 300 + (i / 20) * 20, 5, 5);
    Load();
    engine.Step();
    Rigidbody* body = B("Area");
    ASSERT_EQ(body->contactCount, 128u);
    const auto& pool = PhysicsManager::GetInstance().colliders;
    std::size_t expected = 0;
    for (uint32_t i = 0; i < body->contactCount; ++i) {
        while (pool.Get(expected) == body->collider) ++expected;
        EXPECT_EQ(body->contacts[i], pool.Get(expected)) << i;
        ++expected;
    }
    // The next step starts the list afresh.
    engine.Step();
    EXPECT_EQ(body->contactCount, 128u);
}

TEST_F(PhysicsStep, PausedStepChangesNothing) {
    FloorWide();
    scene.Ball("Ball", 1000, 600, 40);
    Load();
    engine.Step(60);
    ASSERT_TRUE(B("Ball")->collider->grounded);
    const uint32_t contacts = B("Ball")->contactCount;
    B("Ball")->yVelocity = -300.0f;
    GameFlags::word = GameFlags::Paused;
    const float x = T("Ball")->x, y = T("Ball")->y;
    for (int i = 0; i < 30; ++i) {
        B("Ball")->xVelocity = 200.0f;
        engine.Step();
    }
    EXPECT_EQ(T("Ball")->x, x);
    EXPECT_EQ(T("Ball")->y, y);
    EXPECT_EQ(B("Ball")->yVelocity, -300.0f);
    EXPECT_EQ(B("Ball")->xVelocity, 200.0f);
    EXPECT_EQ(B("Ball")->contactCount, contacts);
    EXPECT_TRUE(B("Ball")->collider->grounded);
    GameFlags::word = 0;
    engine.Step();
    EXPECT_LT(T("Ball")->y, y);
}

TEST_F(PhysicsStep, KinematicBodyTakesGravityButIsNotMoved) {
    const int id = scene.Object("Area");
    scene.At(id, 100, 100).Circle(id, 10).Body(id, true, true);
    Load();
    B("Area")->xVelocity = 50.0f;
    engine.Step(3);
    EXPECT_FLOAT_EQ(T("Area")->y, 100.0f);
    EXPECT_FLOAT_EQ(T("Area")->x, 100.0f);
    EXPECT_NEAR(B("Area")->yVelocity, 3 * PhysicsManager::kGravity / 60.0f, 0.05f);
    EXPECT_EQ(B("Area")->xVelocity, 50.0f);
    EXPECT_TRUE(engine.Get<CircleCollider>("Area")->isKinematic);
}

TEST_F(PhysicsStep, BodyWithoutColliderFallsInVelocityOnly) {
    const int id = scene.Object("Ghost");
    scene.At(id, 100, 100).Body(id);
    Load();
    B("Ghost")->xVelocity = 30.0f;
    engine.Step(10);
    EXPECT_FLOAT_EQ(T("Ghost")->y, 100.0f);
    EXPECT_NEAR(B("Ghost")->yVelocity, 10 * PhysicsManager::kGravity / 60.0f, 0.1f);
    EXPECT_EQ(B("Ghost")->xVelocity, 0.0f);
}

TEST_F(PhysicsStep, ADestroyedColliderLeavesTheContactsOfBodiesNotStepped) {
    const int area = scene.Object("Area");
    scene.At(area, 100, 100).Box(area, 50, 50, false).Body(area, true, false);
    scene.Floor("Early", 110, 100, 10, 10);
    scene.Floor("Gone", 120, 100, 10, 10);
    scene.Floor("Late", 130, 100, 10, 10);
    Load();
    engine.Step();
    Rigidbody* body = B("Area");
    ASSERT_EQ(body->contactCount, 3u);
    // A switched-off body keeps its last contacts; the one that goes away must leave them.
    body->enabled = false;
    SceneManager::GetInstance().DestroyGameObject(engine.Find("Gone")->id);
    engine.Step();
    ASSERT_EQ(body->contactCount, 2u);
    EXPECT_EQ(body->contacts[0], engine.Get<BoxCollider>("Early"));
    EXPECT_EQ(body->contacts[1], engine.Get<BoxCollider>("Late"));
    EXPECT_EQ(body->contacts[2], nullptr);
}

TEST_F(PhysicsStep, TwoCollidersOfOneObjectNeverCollide) {
    const int id = scene.Object("Twin");
    scene.At(id, 100, 100).Box(id, 20, 20, false).Add(id, "BoxCollider", "\"width\": 30, \"height\": 30, \"isStatic\": 1");
    scene.Body(id, true, false);
    Load();
    engine.Step();
    EXPECT_EQ(B("Twin")->contactCount, 0u);
}

TEST_F(PhysicsStep, SameOwnerDecidesNotSameId) {
    const int area = scene.Object("Area");
    scene.At(area, 100, 100).Box(area, 20, 20, false).Body(area, true, false);
    const int other = scene.Object("Other");
    scene.At(other, 110, 100).Box(other, 20, 20, false);
    Load();
    // A collider of another object whose id field happens to name the body's object.
    engine.Get<BoxCollider>("Other")->gameObjectID = engine.Find("Area")->id;
    engine.Step();
    EXPECT_EQ(B("Area")->contactCount, 1u);
}

TEST_F(PhysicsStep, MovingCircleTouchesOtherMoversOnlyWhenOverlapping) {
    scene.Ball("Hero", 100, 100, 20);
    scene.Ball("FarEnemy", 900, 100, 20);
    scene.Ball("NearEnemy", 130, 100, 20);
    Load();
    engine.Step();
    Rigidbody* hero = B("Hero");
    ASSERT_EQ(hero->contactCount, 1u);
    EXPECT_EQ(hero->contacts[0], engine.Get<CircleCollider>("NearEnemy"));
}

TEST_F(PhysicsStep, InactiveAndDisabledAreSkipped) {
    FloorWide();
    const int hidden = scene.Object("Hidden", 1, false);
    scene.At(hidden, 500, 500).Circle(hidden, 20).Body(hidden);
    scene.Ball("Ball", 1000, 600, 40);
    Load();
    engine.Get<BoxCollider>("Floor")->enabled = false;
    engine.Step(60);
    EXPECT_FLOAT_EQ(engine.Find("Hidden")->GetComponent<Transform>()->y, 500.0f);
    EXPECT_GT(T("Ball")->y, kFloorTop);  // fell through the disabled floor
}

}  // namespace

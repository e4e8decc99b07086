// The sandbox scenes: a ball dropped on the floor lands, climbs the ramp, passes the
// trigger area and stops at the wall while the camera scrolls after it.
#include <gtest/gtest.h>

#include <algorithm>

#include "gameobjectengine/Transform.h"
#include "graphics/Camera.h"
#include "physics/Collider.h"
#include "physics/PhysicsManager.h"
#include "physics/Rigidbody.h"
#include "support/EngineHarness.h"

namespace {

void PlayThrough(const char* path) {
    EngineHarness engine;
    engine.LoadSceneFile(path);
    Transform* ball = engine.Get<Transform>("Ball");
    Rigidbody* body = engine.Get<Rigidbody>("Ball");
    ASSERT_NE(ball, nullptr);
    ASSERT_NE(body, nullptr);
    ASSERT_EQ(PhysicsManager::GetInstance().MainCamera(), engine.Get<Camera>("MainCamera"));

    engine.Step(90);
    EXPECT_TRUE(body->collider->grounded);
    EXPECT_FLOAT_EQ(ball->y, 910.0f);
    EXPECT_FLOAT_EQ(ball->x, 500.0f);

    // Up the ramp.
    float highest = ball->y;
    Rigidbody* trigger = engine.Get<Rigidbody>("TriggerArea");
    bool triggered = false;
    for (int i = 0; i < 600 && !body->collider->blockedRight; ++i) {
        body->xVelocity = 300.0f;
        engine.Step();
        if (ball->y < highest) highest = ball->y;
        for (uint32_t c = 0; c < trigger->contactCount; ++c) triggered = triggered || trigger->contacts[c] == body->collider;
    }
    EXPECT_LT(highest, 800.0f);  // it stood near the ramp's top (bottom at about 794)
    EXPECT_TRUE(triggered);
    // Against the wall, back on the floor.
    EXPECT_TRUE(body->collider->blockedRight);
    EXPECT_NEAR(ball->x, 1575.0f - 40.0f, 0.5f);
    EXPECT_FLOAT_EQ(ball->y, 910.0f);
    const float stopped = ball->x;
    for (int i = 0; i < 30; ++i) {
        body->xVelocity = 300.0f;
        engine.Step();
    }
    EXPECT_FLOAT_EQ(ball->x, stopped);
    // The camera scrolled to keep the ball inside its dead zone.
    EXPECT_GT(engine.Get<Transform>("MainCamera")->x, 100.0f);
}

TEST(SandboxScene, TestSceneBallLandsClimbsAndStopsAtWall) { PlayThrough("tests/physics/scenes/sandbox.scene"); }

TEST(SandboxScene, GameSceneBehavesTheSame) { PlayThrough("Assets/Scenes/PhysicsSandbox.scene"); }

// The game scene's walker is pushed right by its Translate alone: what the end-to-end
// test watches in the real binary.
TEST(SandboxScene, GameSceneWalkerClimbsTheRampAndStopsAtTheWall) {
    EngineHarness engine;
    engine.LoadSceneFile("Assets/Scenes/PhysicsSandbox.scene");
    Transform* walker = engine.Get<Transform>("Walker");
    Rigidbody* body = engine.Get<Rigidbody>("Walker");
    ASSERT_NE(walker, nullptr);
    ASSERT_NE(body, nullptr);
    float highest = walker->y;
    for (int i = 0; i < 600; ++i) {
        engine.Step();
        if (i == 60) {
            EXPECT_FLOAT_EQ(walker->y, 910.0f);  // landed on the floor
        }
        highest = std::min(highest, walker->y);
    }
    EXPECT_LT(highest, 800.0f);
    EXPECT_TRUE(body->collider->blockedRight);
    EXPECT_NEAR(walker->x, 1575.0f - 40.0f, 0.5f);
    EXPECT_FLOAT_EQ(walker->y, 910.0f);
}

}  // namespace

// Translate: a body moved by its own velocity and acceleration, kinematic or not, on
// headless scenes with a fixed frame time.
#include <gtest/gtest.h>

#include <string>

#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/Transform.h"
#include "physics/Rigidbody.h"
#include "physics/Translate.h"
#include "support/EngineHarness.h"

namespace {

std::string Scene(const std::string& objects, const std::string& components) {
    return "{\"GameObjects\": [" + objects + "], \"Components\": [" + components + "], \"Dialogue\": []}";
}

const char* kPlaced = R"({"class": "Transform", "gameObjectID": 0, "position": {"x": 10, "y": 20, "z": 7}})";

std::string TranslateScene(const std::string& bodyMembers) {
    // The body comes first: Translate finds it when it wakes.
    std::string comps = kPlaced;
    if (!bodyMembers.empty()) comps += R"(, {"class": "RigidBody", "gameObjectID": 0)" + bodyMembers + "}";
    comps += R"(, {"class": "Translate", "gameObjectID": 0, "velocityX": 60, "velocityY": 0, "accelerationX": 0})";
    return Scene(R"(["A", 1])", comps);
}

TEST(TranslateBehaviour, KinematicBodyMovesByVelocityTimesDt) {
    EngineHarness engine(0.25f);
    engine.LoadSceneText(TranslateScene(R"(, "isKinematic": 1, "useGravity": 0)"));
    engine.Step(2);
    EXPECT_FLOAT_EQ(engine.Get<Transform>("A")->x, 10.0f + 2 * 60.0f * 0.25f);
    engine.Get<Translate>("A")->accelerationY = 8.0f;
    engine.Step();
    // The new velocity moves the object in the same frame.
    EXPECT_FLOAT_EQ(engine.Get<Transform>("A")->y, 20.0f + 2.0f * 0.25f);
}

TEST(TranslateBehaviour, NonKinematicAddsVelocityOncePerFrame) {
    EngineHarness engine;
    engine.LoadSceneText(TranslateScene(R"(, "useGravity": 0)"));
    Translate* translate = engine.Get<Translate>("A");
    Rigidbody* body = engine.Get<Rigidbody>("A");
    ASSERT_EQ(translate->rigidbody, body);
    translate->velocityX = 1.0f;
    translate->accelerationY = 0.5f;  // per frame, not scaled by the frame time
    body->xVelocity = 5.0f;
    translate->Update();
    EXPECT_FLOAT_EQ(body->xVelocity, 6.0f);
    translate->Update();
    EXPECT_FLOAT_EQ(body->xVelocity, 7.0f);
    EXPECT_FLOAT_EQ(body->yVelocity, 0.5f + 1.0f);
    EXPECT_FLOAT_EQ(engine.Get<Transform>("A")->x, 10.0f);  // the step moves dynamic bodies, not Translate
}

TEST(TranslateBehaviour, WithoutBodyMovesKinematicallyAndPauseHolds) {
    EngineHarness engine(0.25f);
    engine.LoadSceneText(TranslateScene(""));
    engine.Step(2);
    EXPECT_FLOAT_EQ(engine.Get<Transform>("A")->x, 40.0f);
    GameFlags::word = GameFlags::Paused;
    engine.Step();
    EXPECT_FLOAT_EQ(engine.Get<Transform>("A")->x, 40.0f);
}

TEST(TranslateBehaviour, WithoutTransformDoesNothing) {
    EngineHarness engine;
    engine.LoadSceneText(Scene(R"(["A", 1])", R"({"class": "Translate", "gameObjectID": 0, "velocityX": 60})"));
    engine.Step(2);
    EXPECT_EQ(engine.Get<Translate>("A")->velocityX, 60.0f);
}

}  // namespace

// The main camera: dead zone, level bound, swap and recentring, shakes, pause, null
// and destroyed targets, and the physics world's main-camera slot.
#include <gtest/gtest.h>

#include <cmath>

#include "combat/Party.h"
#include "physics/SceneBuilder.h"
#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/Transform.h"
#include "graphics/Camera.h"
#include "physics/PhysicsManager.h"
#include "support/EngineHarness.h"

namespace {

struct CameraTest : ::testing::Test {
    EngineHarness engine;

    // Camera object 0 at (camX, camY); "Hero" (1) and "Other" (2) given as targets.
    void Load(float camX, float camY, const std::string& targets = R"("playerTransform": 1, "secondaryPlayerTransform": 2,)",
              const std::string& screen = R"("screenWidth": 1920, "screenHeight": 1080)") {
        SceneBuilder scene;
        const int cam = scene.Object("MainCamera");
        scene.At(cam, camX, camY).Add(cam, "Camera", targets + R"( "levelWidth": 4000, )" + screen);
        scene.At(scene.Object("Hero"), 0, 0);
        scene.At(scene.Object("Other"), 0, 0);
        engine.LoadSceneText(scene.Json());
    }
    Camera* Cam() { return engine.Get<Camera>("MainCamera"); }
    Transform* CamT() { return engine.Get<Transform>("MainCamera"); }
    void Put(const char* name, float x, float y) {
        engine.Get<Transform>(name)->x = x;
        engine.Get<Transform>(name)->y = y;
    }
};

TEST_F(CameraTest, RegistersAsMainCameraAndDeadZoneInPixels) {
    Load(0, 0);
    EXPECT_EQ(PhysicsManager::GetInstance().MainCamera(), Cam());
    EXPECT_FLOAT_EQ(Cam()->leftEdge, 672.0f);
    EXPECT_FLOAT_EQ(Cam()->rightEdge, 1248.0f);
    EXPECT_FLOAT_EQ(Cam()->topEdge, 270.0f);
    EXPECT_FLOAT_EQ(Cam()->bottomEdge, 756.0f);
    EXPECT_FLOAT_EQ(Cam()->centreX, 960.0f);
    EXPECT_FLOAT_EQ(Cam()->centreY, 648.0f);
}

TEST_F(CameraTest, MissingScreenSizeMeansFullHd) {
    Load(0, 0, R"("playerTransform": 1,)", R"("screenWidth": 0, "screenHeight": -5)");
    EXPECT_FLOAT_EQ(Cam()->rightEdge, 1248.0f);
    EXPECT_FLOAT_EQ(Cam()->bottomEdge, 756.0f);
    Put("Hero", 1000, 500);  // inside the dead zone: nothing moves
    engine.Step(5);
    EXPECT_EQ(CamT()->x, 0.0f);
    EXPECT_EQ(CamT()->y, 0.0f);
}

TEST_F(CameraTest, LeftEdgeScrollsOnlyWhenNotAtLevelStart) {
    Load(0, 0);
    Put("Hero", 0.3f * 1920, 500);
    engine.Step(10);
    EXPECT_EQ(CamT()->x, 0.0f);
    CamT()->x = 100.0f;
    Put("Hero", 100 + 0.3f * 1920, 500);
    engine.Step();
    EXPECT_LT(CamT()->x, 100.0f);
}

TEST_F(CameraTest, RightEdgeScrollsUntilTheLevelEnds) {
    Load(0, 0);
    Put("Hero", 1500, 500);
    engine.Step();
    const float moved = CamT()->x;
    EXPECT_GT(moved, 0.0f);
    // velocity = k * tier * dx + c with c = 1500 - 1248, 2 * dt per frame.
    const float k = 0.5f - 0.5f * std::cos(0.05235988f);
    EXPECT_NEAR(moved, 2.0f / 60.0f * (k * 15.5f * 1500.0f + 252.0f), 0.01f);
    CamT()->x = 2080.0f;
    Put("Hero", 2080 + 1500, 500);
    engine.Step(5);
    EXPECT_EQ(CamT()->x, 2080.0f);
}

TEST_F(CameraTest, VerticalDeadZoneBothWays) {
    Load(0, 1000);
    Put("Hero", 1000, 1000 + 100);  // above the top edge (270)
    engine.Step();
    EXPECT_LT(CamT()->y, 1000.0f);
    CamT()->y = 1000.0f;
    Put("Hero", 1000, 1000 + 900);  // below the bottom edge (756)
    engine.Step();
    EXPECT_GT(CamT()->y, 1000.0f);
    CamT()->y = 1000.0f;
    Put("Hero", 1000, 1000 + 500);
    engine.Step();
    EXPECT_EQ(CamT()->y, 1000.0f);
}

TEST_F(CameraTest, PausedCameraNeitherFollowsNorShakes) {
    Load(0, 0);
    Put("Hero", 1800, 500);
    Cam()->AddShake(0.5f);
    GameFlags::word = GameFlags::Paused;
    engine.Step(10);
    EXPECT_EQ(CamT()->x, 0.0f);
    EXPECT_EQ(Cam()->shakeTime, 0.5f);
    GameFlags::word = 0;
    engine.Step();
    EXPECT_GT(CamT()->x, 0.0f);
    EXPECT_LT(Cam()->shakeTime, 0.5f);
}

TEST_F(CameraTest, ShakesAddUpAndAlternate) {
    Load(100, 0);
    Put("Hero", 100 + 1000, 500);  // inside the dead zone
    Cam()->AddShake(0.1f);
    Cam()->AddShake(0.2f);
    EXPECT_FLOAT_EQ(Cam()->shakeTime, 0.3f);
    EXPECT_GE(Cam()->shakeMagnitude, 5.0f);
    EXPECT_LE(Cam()->shakeMagnitude, 14.0f);
    float previous = CamT()->x;
    int sideChanges = 0;
    for (int i = 0; i < 18; ++i) {
        engine.Step();
        if (CamT()->x != previous) ++sideChanges;
        previous = CamT()->x;
    }
    EXPECT_EQ(sideChanges, 18);
    EXPECT_LE(Cam()->shakeTime, 0.0f);
    EXPECT_NEAR(CamT()->x, 100.0f, 1.0f);  // alternating sides leave no lasting offset
    const float settled = CamT()->x;
    engine.Step(5);
    EXPECT_EQ(CamT()->x, settled);
}

TEST_F(CameraTest, LongFramesAndShakesStayInsideTheLevel) {
    Load(50, 0);
    Put("Hero", 50 + 100, 500);  // far left of the dead zone: one long frame's step passes x 0
    engine.SetFrameTime(0.25f);
    engine.Step();
    EXPECT_EQ(CamT()->x, 0.0f);
    for (float end : {0.0f, 2080.0f}) {  // the level's two ends (4000 - 1920)
        Load(end, 0);
        Put("Hero", end + 1000, 500);
        for (int i = 0; i < 20; ++i) {
            Cam()->AddShake(0.2f);
            engine.Step();
            EXPECT_TRUE(CamT()->x >= 0.0f && CamT()->x <= 2080.0f) << CamT()->x;
        }
    }
}

// Swaps to "Other" placed dy below the camera top at the horizontal centre; returns the
// frames until the recentring ends (0 when it never does within the limit).
int FramesToRecentre(CameraTest& t, float dy) {
    t.Load(1000, 1000);
    t.Put("Hero", 1000 + 960, 1000 + 500);
    t.Put("Other", 1000 + 960, 1000 + dy);
    t.Cam()->SwapTargets();
    EXPECT_EQ(t.Cam()->mode, Camera::Mode::Recentre);
    EXPECT_EQ(t.Cam()->target.Get(), t.engine.Get<Transform>("Other"));
    for (int i = 1; i <= 1200; ++i) {
        t.engine.Step();
        if (t.Cam()->mode == Camera::Mode::DeadZone) return i;
    }
    return 0;
}

TEST_F(CameraTest, RecentringEndsFromBelowTheLine) {
    EXPECT_GT(FramesToRecentre(*this, 900), 0);
    EXPECT_NEAR(engine.Get<Transform>("Other")->y - CamT()->y, 648.0f, 3.0f);
}

TEST_F(CameraTest, RecentringEndsFromAboveTheLine) {
    // The approach from above settles short of the line; it ends once it stops gaining.
    EXPECT_GT(FramesToRecentre(*this, 300), 0);
    EXPECT_NEAR(engine.Get<Transform>("Other")->y - CamT()->y, 648.0f, 20.0f);
}

TEST_F(CameraTest, RecentringWaitsForTheHorizontalToo) {
    Load(1000, 1000);
    Put("Other", 1000 + 1700, 1000 + 648);  // level with the line, far to the right
    Cam()->SwapTargets();
    engine.Step();
    EXPECT_EQ(Cam()->mode, Camera::Mode::Recentre);
    EXPECT_GT(CamT()->x, 1000.0f);
}

TEST_F(CameraTest, NullTargetsAreFilledFromEachOtherOrSkipped) {
    Load(0, 0, R"("secondaryPlayerTransform": 2,)");
    Put("Other", 1800, 500);
    engine.Step();
    EXPECT_EQ(Cam()->target.Get(), engine.Get<Transform>("Other"));  // the first update filled it
    EXPECT_GT(CamT()->x, 0.0f);
    Cam()->SwapTargets();  // both the same: still follows
    EXPECT_EQ(Cam()->target.Get(), engine.Get<Transform>("Other"));

    Load(0, 0, "");
    engine.Step(3);
    EXPECT_EQ(CamT()->x, 0.0f);
    Cam()->SwapTargets();
    Cam()->AddShake(1.0f);
    engine.Step(3);
    EXPECT_EQ(CamT()->x, 0.0f);
}

TEST_F(CameraTest, DestroyedTargetStopsTheFollow) {
    Load(0, 0, R"("playerTransform": 1,)");
    engine.Step();
    SceneManager::GetInstance().DestroyGameObject(engine.Find("Hero")->id);
    engine.Step(3);
    EXPECT_EQ(CamT()->x, 0.0f);
    EXPECT_EQ(Cam()->target.Get(), nullptr);
}

TEST_F(CameraTest, DestroyedCameraLeavesTheWorld) {
    Load(0, 0);
    ASSERT_NE(PhysicsManager::GetInstance().MainCamera(), nullptr);
    SceneManager::GetInstance().DestroyGameObject(engine.Find("MainCamera")->id);
    engine.Step();
    EXPECT_EQ(PhysicsManager::GetInstance().MainCamera(), nullptr);
    Combat::Party::GetInstance().SwapCharacter();  // the party swap tolerates no camera
    engine.Step();
}

TEST_F(CameraTest, ALaterCameraReplacesTheMainOne) {
    Load(0, 0);
    Camera* first = Cam();
    GameObject* second = SceneManager::GetInstance().CreateGameObject("Second");
    auto* later = second->AddComponent<Camera>();
    EXPECT_EQ(PhysicsManager::GetInstance().MainCamera(), later);
    // Destroying the earlier camera does not clear the later one.
    SceneManager::GetInstance().DestroyGameObject(engine.Find("MainCamera")->id);
    engine.Step();
    EXPECT_EQ(PhysicsManager::GetInstance().MainCamera(), later);
    (void)first;
}

}  // namespace

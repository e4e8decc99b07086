// The generic behaviours: TimeToLive, Follow, Blink, Translate, DontDestroyOnLoad and
// DeleteIfExist, on headless scenes with a fixed frame time.
#include <gtest/gtest.h>

#include <string>

#include "gameobjectengine/Blink.h"
#include "gameobjectengine/DeleteIfExist.h"
#include "scenemanager/DontDestroyOnLoad.h"
#include "gameobjectengine/Follow.h"
#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/TimeToLive.h"
#include "gameobjectengine/Transform.h"
#include "physics/Translate.h"
#include "graphics/GraphicsEngine.h"
#include "graphics/SpriteRenderer.h"
#include "physics/Rigidbody.h"
#include "support/EngineHarness.h"

namespace {

std::string Scene(const std::string& objects, const std::string& components) {
    return "{\"GameObjects\": [" + objects + "], \"Components\": [" + components + "], \"Dialogue\": []}";
}

const char* kPlaced = R"({"class": "Transform", "gameObjectID": 0, "position": {"x": 10, "y": 20, "z": 7}})";

// Frames until the object named "A" is gone (0 when it never goes within the limit).
int FramesToLive(EngineHarness& engine, int limit) {
    for (int i = 1; i <= limit; ++i) {
        engine.Step();
        if (!engine.Find("A")) return i;
    }
    return 0;
}

TEST(TimeToLiveBehaviour, CountsFrames) {
    EngineHarness engine;
    engine.LoadSceneText(Scene(R"(["A", 1])", R"({"class": "TimeToLive", "gameObjectID": 0, "liveType": 1, "lifetime": 3})"));
    EXPECT_EQ(FramesToLive(engine, 10), 3);
    engine.LoadSceneText(Scene(R"(["A", 1])", R"({"class": "TimeToLive", "gameObjectID": 0, "liveType": 1, "lifetime": -4})"));
    EXPECT_EQ(FramesToLive(engine, 10), 1);
}

TEST(TimeToLiveBehaviour, CountsSeconds) {
    EngineHarness engine;
    engine.LoadSceneText(Scene(R"(["A", 1])", R"({"class": "TimeToLive", "gameObjectID": 0, "liveType": 2, "lifetime": 0.5})"));
    const int frames = FramesToLive(engine, 100);
    EXPECT_GE(frames, 30);
    EXPECT_LE(frames, 31);
}

TEST(TimeToLiveBehaviour, OtherTypesAndPauseNeverExpire) {
    EngineHarness engine;
    engine.LoadSceneText(Scene(R"(["A", 1])", R"({"class": "TimeToLive", "gameObjectID": 0, "liveType": 0, "lifetime": 1})"));
    EXPECT_EQ(FramesToLive(engine, 20), 0);
    engine.Find("A")->AddComponent<TimeToLive>();  // code defaults
    EXPECT_EQ(FramesToLive(engine, 20), 0);
    engine.LoadSceneText(Scene(R"(["A", 1])", R"({"class": "TimeToLive", "gameObjectID": 0, "liveType": 1, "lifetime": 2})"));
    GameFlags::word = GameFlags::Paused;
    EXPECT_EQ(FramesToLive(engine, 20), 0);
    EXPECT_EQ(engine.Get<TimeToLive>("A")->framesLeft, 2);
    GameFlags::word = 0;
    EXPECT_EQ(FramesToLive(engine, 20), 2);
}

TEST(TimeToLiveBehaviour, DestroysItsOwnerByTheOwnersCurrentId) {
    EngineHarness engine;
    engine.LoadSceneText(Scene(R"(["Bystander", 1], ["A", 1])",
                               R"({"class": "TimeToLive", "gameObjectID": 1, "liveType": 1, "lifetime": 1})"));
    // A component whose id field went stale (as a persistent object's can) names another object.
    engine.Get<TimeToLive>("A")->gameObjectID = engine.Find("Bystander")->id;
    engine.Step();
    EXPECT_EQ(engine.Find("A"), nullptr);
    EXPECT_NE(engine.Find("Bystander"), nullptr);
}

TEST(TimeToLiveBehaviour, CloneKeepsTheCountdown) {
    TimeToLive ttl(-1);
    ttl.SetSeconds(1.5f);
    std::unique_ptr<TimeToLive> copy(static_cast<TimeToLive*>(ttl.Clone()));
    EXPECT_EQ(copy->liveType, TimeToLive::kSeconds);
    EXPECT_EQ(copy->secondsLeft, 1.5f);
}

const char* kFollowScene = R"(["Target", 1], ["Follower", 1])";

std::string FollowComponents(const std::string& follow) {
    return std::string(R"({"class": "Transform", "gameObjectID": 0, "position": {"x": 100, "y": 200, "z": 0}},)") +
           R"({"class": "Transform", "gameObjectID": 1, "position": {"x": 1, "y": 2, "z": 9}},)" +
           R"({"class": "Follow", "gameObjectID": 1, "xOffset": 5, "yOffset": -100)" + follow + "}";
}

TEST(FollowBehaviour, TracksTargetWithOffsetsKeepingDepth) {
    EngineHarness engine;
    engine.LoadSceneText(Scene(kFollowScene, FollowComponents(R"(, "follow": 0)")));
    engine.Step();
    Transform* own = engine.Get<Transform>("Follower");
    EXPECT_EQ(own->x, 105.0f);
    EXPECT_EQ(own->y, 100.0f);
    EXPECT_EQ(own->z, 9.0f);
    engine.Get<Transform>("Target")->x = 300.0f;
    GameFlags::word = GameFlags::Paused;
    engine.Step();
    EXPECT_EQ(own->x, 105.0f);
    GameFlags::word = 0;
    engine.Step();
    EXPECT_EQ(own->x, 305.0f);
}

TEST(FollowBehaviour, MissingTargetsNeverMove) {
    for (const char* follow : {"", R"(, "follow": 7)", R"(, "follow": -1)", R"(, "follow": "0")"}) {
        EngineHarness engine;
        engine.LoadSceneText(Scene(kFollowScene, FollowComponents(follow)));
        engine.Step(3);
        EXPECT_EQ(engine.Get<Transform>("Follower")->x, 1.0f) << follow;
    }
}

TEST(FollowBehaviour, DropsADestroyedTarget) {
    EngineHarness engine;
    engine.LoadSceneText(Scene(kFollowScene, FollowComponents(R"(, "follow": 0)")));
    engine.Step();
    SceneManager::GetInstance().DestroyGameObject(engine.Find("Target")->id);
    engine.Step(3);  // the target's Transform is freed: reading it would be a use after free
    EXPECT_EQ(engine.Get<Follow>("Follower")->target.Get(), nullptr);
    EXPECT_EQ(engine.Get<Transform>("Follower")->x, 105.0f);
}

TEST(FollowBehaviour, WithoutOwnTransformDoesNothing) {
    EngineHarness engine;
    engine.LoadSceneText(Scene(kFollowScene,
                               R"({"class": "Transform", "gameObjectID": 0}, {"class": "Follow", "gameObjectID": 1, "follow": 0})"));
    engine.Step(2);
    EXPECT_EQ(engine.Get<Follow>("Follower")->transform, nullptr);
    EXPECT_NE(engine.Get<Follow>("Follower")->target.Get(), nullptr);
}

TEST(BlinkBehaviour, TenSecondShieldTimeline) {
    EngineHarness engine(0.05f);
    engine.LoadSceneText(Scene(R"(["Shield", 1], ["Sprite", 1])", ""));
    GameObject* shield = engine.Find("Shield");
    Component* shown = engine.Find("Sprite")->AddComponent<Transform>();
    auto* blink = shield->AddComponent<Blink>();
    const float d = 10.0f;
    blink->target = shown;
    blink->delay = 0.6f * d;
    blink->duration = 0.4f * d;
    blink->interval = 0.4f * d * 0.05f * 0.5f;
    blink->intervalTimer = blink->interval;
    shown->enabled = false;
    GameFlags::word = GameFlags::Paused;  // a blink ignores the pause
    engine.Step();                        // Start runs: the target is shown
    EXPECT_TRUE(shown->enabled);
    int toggles = 0;
    float firstToggleAt = -1.0f;
    bool last = shown->enabled;
    for (int frame = 2; frame <= 300 && blink->enabled; ++frame) {
        engine.Step();
        if (shown->enabled != last) {
            ++toggles;
            if (firstToggleAt < 0) firstToggleAt = frame * 0.05f;
            last = shown->enabled;
        }
    }
    EXPECT_NEAR(firstToggleAt, 6.05f, 0.11f);
    EXPECT_GE(toggles, 38);
    EXPECT_LE(toggles, 41);
    EXPECT_FALSE(blink->enabled);
    const bool finalState = shown->enabled;
    engine.Step(20);
    EXPECT_EQ(shown->enabled, finalState);
}

TEST(BlinkBehaviour, TargetDestroyedMidBlinkIsLeftAlone) {
    EngineHarness engine;
    engine.LoadSceneText(Scene(R"(["Shield", 1], ["Sprite", 1])", ""));
    auto* blink = engine.Find("Shield")->AddComponent<Blink>();
    blink->target = engine.Find("Sprite")->AddComponent<Transform>();
    blink->duration = 10.0f;
    engine.Step();
    SceneManager::GetInstance().DestroyGameObject(engine.Find("Sprite")->id);
    engine.Step(5);
    EXPECT_TRUE(blink->enabled);
}

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
    EngineHarness engine(0.5f);
    engine.LoadSceneText(TranslateScene(""));
    engine.Step();
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

// Persistence: a same-named object in every scene, kept once.
std::string MusicScene(bool persistentFirst) {
    const char* keep = R"({"class": "DontDestroyOnLoad", "gameObjectID": 1})";
    const char* once = R"({"class": "Deleteelse ifExist", "gameObjectID": 1})";
    return Scene(R"(["Level", 1], ["Music", 1])", std::string(persistentFirst ? keep : once) + ", " +
                                                       (persistentFirst ? once : keep));
}

TEST(Persistence, ExactlyOneCopySurvivesTwoLoadsInEitherComponentOrder) {
    for (bool persistentFirst : {true, false}) {
        EngineHarness engine;
        SceneManager& scene = SceneManager::GetInstance();
        engine.LoadSceneText(MusicScene(persistentFirst));
        engine.Step();
        ASSERT_EQ(scene.CountGameObjectsByName("Music"), 1) << persistentFirst;
        GameObject* original = engine.Find("Music");
        for (int load = 0; load < 2; ++load) {
            engine.LoadSceneText(MusicScene(persistentFirst));
            engine.Step();
            EXPECT_EQ(scene.CountGameObjectsByName("Music"), 1) << persistentFirst << " load " << load;
            EXPECT_EQ(engine.Find("Music"), original);
            EXPECT_TRUE(scene.IsPersistent(original));
            EXPECT_EQ(scene.PersistentObjects().size(), 1u);
        }
    }
}

TEST(Persistence, TwoNewCopiesInOneLoadBothGo) {
    EngineHarness engine;
    engine.LoadSceneText(Scene(R"(["Music", 1], ["Music", 1])",
                               R"({"class": "Deleteelse ifExist", "gameObjectID": 0},
                                  {"class": "Deleteelse ifExist", "gameObjectID": 1})"));
    engine.Step();
    EXPECT_EQ(SceneManager::GetInstance().CountGameObjectsByName("Music"), 0);
}

TEST(Persistence, SingleObjectWithoutDuplicateStays) {
    EngineHarness engine;
    engine.LoadSceneText(Scene(R"(["Music", 1])", R"({"class": "Deleteelse ifExist", "gameObjectID": 0})"));
    engine.Step(2);
    EXPECT_NE(engine.Find("Music"), nullptr);
}

}  // namespace

namespace {

TEST(Persistence, PinsTheSpriteTexturesOfAPersistentObject) {
    EngineHarness engine;
    engine.LoadSceneText(Scene(R"(["Hud", 1])", ""));
    GameObject* hud = engine.Find("Hud");
    auto* sprite = hud->AddComponent<SpriteRenderer>(true);
    sprite->texture = 9001;
    sprite->ps4Texture = 9002;
    hud->AddComponent<DontDestroyOnLoad>();
    engine.Step();  // Start runs with the frame's jobs
    const auto& pinned = GraphicsEngine::GetInstance().textures.Pinned();
    EXPECT_TRUE(pinned.count(9001));
    EXPECT_TRUE(pinned.count(9002));
    EXPECT_FALSE(pinned.count(0));
    EXPECT_TRUE(SceneManager::GetInstance().IsPersistent(hud));
}

}  // namespace

// Rigidbody fields, timed forces, collider shapes and the registries.
#include <gtest/gtest.h>

#include "SceneBuilder.h"
#include "gameobjectengine/Transform.h"
#include "physics/BoxCollider.h"
#include "physics/CircleCollider.h"
#include "physics/PhysicsManager.h"
#include "physics/Rigidbody.h"
#include "support/EngineHarness.h"

namespace {

Rigidbody::RigidbodyForce Force(float remaining, float interval, float dvx, float dvy) {
    Rigidbody::RigidbodyForce f;
    f.remaining = remaining;
    f.interval = interval;
    f.deltaVX = dvx;
    f.deltaVY = dvy;
    return f;
}

// Counts the applications of one force over steps of dt until it is dropped.
int Applications(Rigidbody::RigidbodyForce force, float dt, int maxSteps = 1000) {
    Rigidbody body(-1);
    body.forces.push_back(force);
    int applied = 0;
    for (int i = 0; i < maxSteps && !body.forces.empty(); ++i) {
        const float before = body.xVelocity;
        body.ApplyForces(dt);
        if (body.xVelocity != before) ++applied;
    }
    return applied;
}

TEST(TimedForces, IntervalZeroAppliesEveryStepUntilItRunsOut) {
    EXPECT_EQ(Applications(Force(0.5f, 0.0f, 1.0f, 0.0f), 0.125f), 4);
    EXPECT_EQ(Applications(Force(0.25f, 0.0f, 1.0f, 0.0f), 0.0625f), 4);
}

TEST(TimedForces, IntervalsLandingExactlyOnFrameSumsAreApplied) {
    // 0.125 + 0.125 == 0.25 exactly: due on the second step, again on the fourth.
    EXPECT_EQ(Applications(Force(0.5f, 0.25f, 1.0f, 0.0f), 0.125f), 2);
    // Six sixtieths only reach 0.1 up to rounding.
    Rigidbody body(-1);
    body.forces.push_back(Force(1.0f, 0.1f, 1.0f, 0.0f));
    std::vector<int> frames;
    for (int i = 1; i <= 60; ++i) {
        const float before = body.xVelocity;
        body.ApplyForces(1.0f / 60.0f);
        if (body.xVelocity != before) frames.push_back(i);
    }
    ASSERT_GE(frames.size(), 2u);
    EXPECT_EQ(frames[0], 6);
    EXPECT_EQ(frames[1], 12);
    EXPECT_GE(frames.size(), 9u);
    EXPECT_LE(frames.size(), 10u);
}

TEST(TimedForces, KnockBackWithIntervalEqualToDurationIsAppliedOnce) {
    for (float dt : {1.0f / 60.0f, 1.0f / 30.0f, 0.1f, 0.05f, 1.0f / 144.0f}) {
        EXPECT_EQ(Applications(Force(0.3f, 0.3f, -400.0f, -200.0f), dt), 1) << dt;
    }
}

TEST(TimedForces, DeltasReachBothAxesAndSurvivorsKeepTheirOrder) {
    Rigidbody body(-1);
    body.forces.push_back(Force(0.05f, 0.0f, 1.0f, 2.0f));
    body.forces.push_back(Force(1.0f, 0.5f, 10.0f, 20.0f));
    body.forces.push_back(Force(1.0f, 0.0f, 100.0f, 200.0f));
    body.ApplyForces(0.1f);
    EXPECT_FLOAT_EQ(body.xVelocity, 101.0f);
    EXPECT_FLOAT_EQ(body.yVelocity, 202.0f);
    ASSERT_EQ(body.forces.size(), 2u);
    EXPECT_EQ(body.forces[0].interval, 0.5f);
    EXPECT_EQ(body.forces[1].deltaVX, 100.0f);
}

TEST(RigidbodyJson, DefaultsAndFlags) {
    EngineHarness engine;
    SceneBuilder scene;
    const int a = scene.Object("A");
    scene.At(a, 0, 0).Add(a, "RigidBody");
    const int b = scene.Object("B");
    scene.At(b, 0, 0).Add(b, "RigidBody", "\"isKinematic\": 2, \"useGravity\": 0, \"weight\": 3, \"yVelocity\": -5");
    engine.LoadSceneText(scene.Json());
    Rigidbody* plain = engine.Get<Rigidbody>("A");
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->weight, 1.0f);
    EXPECT_EQ(plain->xVelocity, 0.0f);
    EXPECT_TRUE(plain->useGravity);
    EXPECT_FALSE(plain->isKinematic);
    EXPECT_EQ(plain->facing, 1u);
    EXPECT_EQ(plain->transform, engine.Get<Transform>("A"));
    Rigidbody* set = engine.Get<Rigidbody>("B");
    EXPECT_TRUE(set->isKinematic);
    EXPECT_FALSE(set->useGravity);
    EXPECT_EQ(set->weight, 3.0f);
    EXPECT_EQ(set->yVelocity, -5.0f);
}

TEST(RigidbodyClone, CarriesForcesAndContactsButNotLookups) {
    EngineHarness engine;
    SceneBuilder scene;
    const int a = scene.Object("Area");
    scene.At(a, 0, 0).Box(a, 10, 10, false).Body(a, true, false);
    const int o = scene.Object("Other");
    scene.At(o, 5, 0).Box(o, 10, 10, true);
    engine.LoadSceneText(scene.Json());
    engine.Step();
    Rigidbody* body = engine.Get<Rigidbody>("Area");
    body->forces.push_back(Force(1.0f, 0.0f, 1.0f, 0.0f));
    ASSERT_EQ(body->contactCount, 1u);
    std::unique_ptr<Rigidbody> copy(static_cast<Rigidbody*>(body->Clone()));
    EXPECT_EQ(copy->forces.size(), 1u);
    EXPECT_EQ(copy->contactCount, 1u);
    EXPECT_EQ(copy->contacts[0], body->contacts[0]);
    EXPECT_EQ(copy->collider, nullptr);
    EXPECT_EQ(copy->transform, nullptr);
    EXPECT_TRUE(copy->isKinematic);
}

TEST(Registries, RemovalForgetsByValueAndNeverDeletes) {
    EngineHarness engine;
    engine.LoadSceneText(R"({"GameObjects": [["A", 1]], "Components": [], "Dialogue": []})");
    PhysicsManager& world = PhysicsManager::GetInstance();
    GameObject* a = engine.Find("A");
    auto* body = a->AddComponent<Rigidbody>();
    auto* stray = new Rigidbody(a->id);  // never registered
    ASSERT_EQ(world.rigidbodies.Count(), 1u);
    world.RemoveBody(stray);
    EXPECT_EQ(world.rigidbodies.Count(), 1u);
    world.RemoveBody(body);
    EXPECT_EQ(world.rigidbodies.Count(), 0u);
    body->xVelocity = 1.0f;  // still alive: the registry did not own it
    EXPECT_EQ(body->xVelocity, 1.0f);
    world.RemoveBody(body);  // twice: nothing happens
    delete stray;
}

TEST(Registries, ComponentsWithoutOwnerDoNotRegister) {
    EngineHarness engine;
    PhysicsManager& world = PhysicsManager::GetInstance();
    Rigidbody body(500);  // names no object
    CircleCollider circle(500);
    body.Awake();
    circle.Awake();
    EXPECT_EQ(world.rigidbodies.Count(), 0u);
    EXPECT_EQ(world.colliders.Count(), 0u);
    engine.Step();
}

TEST(Registries, DestroyedObjectsLeaveTheRegistries) {
    EngineHarness engine;
    SceneBuilder scene;
    scene.Ball("Ball", 0, 0, 10);
    engine.LoadSceneText(scene.Json());
    PhysicsManager& world = PhysicsManager::GetInstance();
    EXPECT_EQ(world.rigidbodies.Count(), 1u);
    EXPECT_EQ(world.colliders.Count(), 1u);
    SceneManager::GetInstance().DestroyGameObject(engine.Find("Ball")->id);
    engine.Step();
    EXPECT_EQ(world.rigidbodies.Count(), 0u);
    EXPECT_EQ(world.colliders.Count(), 0u);
}

TEST(Registries, EntriesWithoutTransformAreSkipped) {
    EngineHarness engine;
    SceneBuilder scene;
    const int body = scene.Object("Loose");
    scene.Circle(body, 10).Body(body);
    const int floor = scene.Object("NoPlace");
    scene.Box(floor, 100, 100, true);  // would sit at (0, 0) if tested
    scene.Ball("Ball", 0, -30, 10);
    engine.LoadSceneText(scene.Json());
    engine.Step(3);
    EXPECT_EQ(engine.Get<Rigidbody>("Loose")->yVelocity, 0.0f);
    EXPECT_EQ(engine.Get<Rigidbody>("Ball")->contactCount, 0u);
    EXPECT_GT(engine.Get<Transform>("Ball")->y, -30.0f);  // not snapped onto the unplaced box
}

// Colliders alone, placed by hand.
struct Shapes : ::testing::Test {
    EngineHarness engine;
    GameObject* Make(const char* name, float x, float y, float rotation = 0.0f) {
        GameObject* o = SceneManager::GetInstance().CreateGameObject(name);
        auto* t = o->AddComponent<Transform>();
        t->x = x;
        t->y = y;
        t->rotation = rotation;
        return o;
    }
    BoxCollider* Box(const char* name, float w, float h, float rotation) {
        GameObject* o = Make(name, 500, 500, rotation);
        auto* box = o->AddComponent<BoxCollider>();
        box->SetSize(w, h);
        box->Start();
        return box;
    }
};

TEST_F(Shapes, RightAnglesFoldIntoUnrotatedBoxes) {
    BoxCollider* b90 = Box("b90", 10, 40, 90);
    EXPECT_EQ(b90->width, 40.0f);
    EXPECT_EQ(b90->height, 10.0f);
    EXPECT_EQ(b90->transform->rotation, 0.0f);
    EXPECT_EQ(b90->slope, nullptr);
    BoxCollider* bm90 = Box("bm90", 10, 40, -90);
    EXPECT_EQ(bm90->width, 40.0f);
    EXPECT_EQ(bm90->transform->rotation, 0.0f);
    BoxCollider* b450 = Box("b450", 10, 40, 450);
    EXPECT_EQ(b450->width, 40.0f);
    BoxCollider* b180 = Box("b180", 10, 40, 180);
    EXPECT_EQ(b180->width, 10.0f);
    EXPECT_EQ(b180->transform->rotation, 0.0f);
    BoxCollider* b360 = Box("b360", 10, 40, 360);
    EXPECT_EQ(b360->slope, nullptr);
    EXPECT_EQ(b360->GetExtentX(), 10.0f);
}

TEST_F(Shapes, OtherAnglesMakeSlopesWithSquareExtents) {
    BoxCollider* b45 = Box("b45", 100, 10, 45);
    ASSERT_NE(b45->slope, nullptr);
    EXPECT_EQ(b45->GetExtentX(), 100.0f);
    EXPECT_EQ(b45->GetExtentY(), 100.0f);
    EXPECT_NEAR(b45->slope->direction.Magnitude(), 1.0f, 1e-5f);
    BoxCollider* bm20 = Box("bm20", 100, 10, -20);
    ASSERT_NE(bm20->slope, nullptr);
    EXPECT_EQ(bm20->transform->rotation, 340.0f);
    EXPECT_LT(bm20->slope->direction.y, 0.0f);  // rises to the right
}

TEST_F(Shapes, ZeroLengthSlopeStaysFlat) {
    BoxCollider* point = Box("point", 0, 0, 45);
    EXPECT_EQ(point->slope, nullptr);
    BoxCollider* sliver = Box("sliver", 10, 0, 160);  // the walkable edge has no length
    EXPECT_EQ(sliver->slope, nullptr);
    // And it can still be asked about a mover without producing NaNs.
    GameObject* m = Make("m", 500, 480);
    auto* circle = m->AddComponent<CircleCollider>();
    circle->radius = 5;
    circle->Start();
    sliver->isStatic = true;
    circle->Collide(sliver, TVector2<float>(0.0f, 1.0f));
    EXPECT_FALSE(std::isnan(circle->transform->y));
    EXPECT_FALSE(std::isnan(circle->slopeFactorX));
}

TEST_F(Shapes, NothingHasABottom) {
    BoxCollider* box = Box("box", 10, 10, 0);
    GameObject* m = Make("m", 500, 515);
    auto* circle = m->AddComponent<CircleCollider>();
    circle->radius = 5;
    circle->Start();
    EXPECT_FALSE(box->TouchesBottom(circle, TVector2<float>(0.0f, -10.0f)));
    EXPECT_FALSE(circle->TouchesBottom(box, TVector2<float>(0.0f, -10.0f)));
}

TEST_F(Shapes, CircleSidesOnlyWhileUnrotated) {
    GameObject* o = Make("c", 500, 500);
    auto* target = o->AddComponent<CircleCollider>();
    target->radius = 20;
    target->Start();
    GameObject* m = Make("m", 470, 500);
    auto* mover = m->AddComponent<CircleCollider>();
    mover->radius = 5;
    mover->Start();
    // Mover's right edge 475 + 10 moves past the circle's left edge 480 by 5.
    EXPECT_TRUE(target->TouchesLeftSide(mover, TVector2<float>(10.0f, 0.0f)));
    target->transform->rotation = 10.0f;
    EXPECT_FALSE(target->TouchesLeftSide(mover, TVector2<float>(10.0f, 0.0f)));
}

TEST_F(Shapes, WriteJsonLines) {
    BoxCollider* box = Box("box", 10, 10, 0);
    box->xOffset = 1.5f;
    box->isStatic = true;
    std::string out;
    box->WriteJson(out);
    EXPECT_EQ(out, "\t\t\t\"xOffset\": 1.500000,\n\t\t\t\"yOffset\": 0.000000,\n\t\t\t\"isStatic\": 1\n");
}

}  // namespace

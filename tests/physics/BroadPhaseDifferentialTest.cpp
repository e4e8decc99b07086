// The real physics step against the all-pairs reference step: two copies of one seeded
// random world (circles, boxes, slopes, platforms, walls, static circles, kinematic
// triggers, layers, a crowd past the contact cap), driven alike for a few hundred frames;
// after every frame the contact lists, positions, velocities and flags must be equal bit
// for bit.
#include <gtest/gtest.h>

#include <bit>
#include <random>

#include "ReferenceStep.h"
#include "gameobjectengine/JobManager.h"
#include "support/EngineHarness.h"

namespace {

struct World {
    std::vector<GameObject*> objects;
    std::vector<Rigidbody*> bodies;
    std::vector<Collider*> colliders;
};

class WorldBuilder {
public:
    explicit WorldBuilder(unsigned seed) : rng_(seed) {}

    World Build() {
        World w;
        objects_ = &w.objects;
        Static(1500, 1450, 1600, 40);  // the ground
        for (int i = 0; i < 12; ++i) Static(U(0, 3000), U(300, 1400), U(20, 300), U(5, 40), Pick({0.f, 90.f, 180.f}));
        for (int i = 0; i < 4; ++i) {  // seams: two floors side by side
            const float x = U(0, 2800), y = U(400, 1400);
            Static(x, y, 100, 20);
            Static(x + 200, y, 100, 20);
        }
        for (int i = 0; i < 6; ++i) Static(U(0, 3000), U(300, 1400), U(50, 200), U(10, 60), U(10, 80) + Pick({0.f, 90.f}));
        for (int i = 0; i < 4; ++i) Static(U(0, 3000), U(200, 1400), 10, U(100, 400));  // walls
        for (int i = 0; i < 10; ++i) StaticCircle(U(0, 3000), U(300, 1400), U(1, 60));
        StaticCircle(2000, 1300, 0.5f);  // a pin whose side test reaches a small ball clear of it
        GameObject* ball = Object(2008.5f, 1300, 1);
        ball->AddComponent<CircleCollider>()->radius = 2;
        Body(ball, false);
        for (int i = 0; i < 40; ++i) Mover(U(0, 3000), U(0, 1300), i % 5 == 0, false);
        for (int i = 0; i < 6; ++i) Mover(U(0, 3000), U(0, 1300), i % 2 == 0, true);  // kinematic triggers
        // A crowd of small plain colliders under one trigger: more than 128 contacts.
        GameObject* big = Object(800, 200, 1);
        big->AddComponent<BoxCollider>()->SetSize(300, 60);
        Body(big, true);
        for (int i = 0; i < 140; ++i) Object(520 + 40.f * (i % 14), 160 + 10.f * (i / 14), 1)->AddComponent<CircleCollider>()->radius = 4;
        w.objects.back()->active = false;  // an inactive one
        return w;
    }

private:
    float U(float a, float b) { return std::uniform_real_distribution<float>(a, b)(rng_); }
    float Pick(std::initializer_list<float> v) { return v.begin()[rng_() % v.size()]; }

    GameObject* Object(float x, float y, uint32_t layer, float rotation = 0) {
        GameObject* o = SceneManager::GetInstance().CreateGameObject("W");
        o->layer = layer;
        Transform* t = o->AddComponent<Transform>();
        t->x = x, t->y = y, t->rotation = rotation;
        objects_->push_back(o);
        return o;
    }
    void Static(float x, float y, float w, float h, float rotation = 0) {
        auto* box = Object(x, y, 1, rotation)->AddComponent<BoxCollider>();
        box->SetSize(w, h);
        box->isStatic = true;
    }
    void StaticCircle(float x, float y, float r) {
        auto* c = Object(x, y, 1)->AddComponent<CircleCollider>();
        c->radius = r;
        c->isStatic = true;
    }
    static void Body(GameObject* o, bool kinematic) {
        auto* b = o->AddComponent<Rigidbody>();
        b->isKinematic = kinematic;
        b->useGravity = !kinematic;
    }
    void Mover(float x, float y, bool box, bool kinematic) {
        static constexpr uint32_t kLayers[] = {1, 2, 4, 8, 3};
        GameObject* o = Object(x, y, kLayers[rng_() % 5]);
        if (box) o->AddComponent<BoxCollider>()->SetSize(U(5, 40), U(5, 40));
        else o->AddComponent<CircleCollider>()->radius = U(5, 40);
        if (rng_() % 8 == 0) o->AddComponent<CircleCollider>()->radius = 30;  // a second collider of its own
        Body(o, kinematic);
    }

    std::mt19937 rng_;
    std::vector<GameObject*>* objects_ = nullptr;
};

// Builds one world and takes its bodies and colliders out of the physics registries.
World BuildAlone(unsigned seed) {
    World w = WorldBuilder(seed).Build();
    JobManager::GetInstance().RunJobs(JobKind::Frame);  // the Starts: slopes, kinematic flags
    PhysicsManager& physics = PhysicsManager::GetInstance();
    physics.rigidbodies.ForEach([&](Rigidbody* b) { w.bodies.push_back(b); });
    physics.colliders.ForEach([&](Collider* c) { w.colliders.push_back(c); });
    physics.Reset();
    return w;
}

// The same frame's driving for both copies: walking, jumps, knock-backs, triggers
// carried about, and now and then a collider switched off, an object hidden or a floor
// moved.
void Drive(World& w, unsigned seed, int frame) {
    std::mt19937 rng(seed * 7919u + static_cast<unsigned>(frame));
    for (std::size_t i = 0; i < w.bodies.size(); ++i) {
        Rigidbody* b = w.bodies[i];
        const unsigned r = rng();
        if (b->isKinematic) {
            b->transform->x += static_cast<float>(static_cast<int>(r % 21) - 10);
            continue;
        }
        // Some keep pushing one way (into walls and up slopes), the others wander.
        b->xVelocity = i % 4 == 0 ? 150.0f : i % 4 == 1 ? -150.0f : static_cast<float>(static_cast<int>(r % 5) - 2) * 150.0f;
        if (r % 97 == 0) b->yVelocity = -800.0f;
        if (r % 211 == 0) b->forces.push_back({0, 0, 0.3f, 0.1f, 0, 200.0f, -100.0f});
    }
    const unsigned r = rng();
    if (r % 13 == 0) {
        Collider* c = w.colliders[rng() % w.colliders.size()];
        c->enabled = !c->enabled;
    }
    if (r % 17 == 0) {
        GameObject* o = w.objects[rng() % w.objects.size()];
        o->active = !o->active;
    }
    if (r % 11 == 0) w.colliders[rng() % 12 + 1]->transform->y += 3.0f;
}

uint32_t Bits(float v) { return std::bit_cast<uint32_t>(v); }

void ExpectSame(const World& real, const World& ref, int frame) {
    for (std::size_t i = 0; i < real.objects.size(); ++i) {
        const Transform* a = real.objects[i]->GetComponent<Transform>();
        const Transform* b = ref.objects[i]->GetComponent<Transform>();
        ASSERT_TRUE(Bits(a->x) == Bits(b->x) && Bits(a->y) == Bits(b->y)) << "object " << i << " frame " << frame;
    }
    for (std::size_t i = 0; i < real.bodies.size(); ++i) {
        const Rigidbody& a = *real.bodies[i];
        const Rigidbody& b = *ref.bodies[i];
        ASSERT_TRUE(Bits(a.xVelocity) == Bits(b.xVelocity) && Bits(a.yVelocity) == Bits(b.yVelocity) &&
                    a.facing == b.facing && Bits(a.slopeFactorX) == Bits(b.slopeFactorX) &&
                    Bits(a.slopeFactorY) == Bits(b.slopeFactorY) && a.contactCount == b.contactCount)
            << "body " << i << " frame " << frame;
        for (uint32_t k = 0; k < a.contactCount; ++k) {
            const auto at = std::find(real.colliders.begin(), real.colliders.end(), a.contacts[k]);
            const auto bt = std::find(ref.colliders.begin(), ref.colliders.end(), b.contacts[k]);
            ASSERT_EQ(at - real.colliders.begin(), bt - ref.colliders.begin()) << "body " << i << " frame " << frame;
        }
        const Collider& ca = *a.collider;
        const Collider& cb = *b.collider;
        ASSERT_TRUE(ca.grounded == cb.grounded && ca.blockedLeft == cb.blockedLeft &&
                    ca.blockedRight == cb.blockedRight && ca.hitBottom == cb.hitBottom)
            << "body " << i << " frame " << frame;
    }
}

TEST(BroadPhaseDifferential, RandomWorldsStepExactlyAsAllPairs) {
    for (unsigned seed : {1u, 2u}) {
        EngineHarness engine;
        World real = BuildAlone(seed);
        World ref = BuildAlone(seed);
        PhysicsManager& physics = PhysicsManager::GetInstance();
        for (Rigidbody* b : real.bodies) physics.AddBody(b);
        for (Collider* c : real.colliders) physics.AddCollider(c);

        int contacts = 0, capped = 0, sloped = 0;
        for (int frame = 0; frame < 200; ++frame) {
            Drive(real, seed, frame);
            Drive(ref, seed, frame);
            physics.StepWith(1.0f / 60.0f);
            reference::Step(ref.bodies, ref.colliders, 1.0f / 60.0f);
            ExpectSame(real, ref, frame);
            if (HasFatalFailure()) return;
            for (Rigidbody* b : ref.bodies) {
                contacts += static_cast<int>(b->contactCount);
                capped += b->contactCount == Rigidbody::kMaxContacts;
                sloped += b->slopeFactorY != 0.0f;
            }
        }
        // The worlds do exercise what they are meant to.
        EXPECT_GT(contacts, 1000) << seed;
        EXPECT_GT(capped, 0) << seed;
        EXPECT_GT(sloped, 0) << seed;
    }
}

// The narrow tests, with their places read once per pair, against the ones written out in
// the reference: movers of both shapes swept over a grid around slopes, walls and pins,
// with moves in every direction. A slope can lift the mover between two tests of a pair.
TEST(BroadPhaseDifferential, NarrowTestsEqualTheReferenceAroundSlopesAndWalls) {
    EngineHarness engine;
    auto place = [](GameObject* o, float x, float y, float rotation) {
        Transform* t = o->AddComponent<Transform>();
        t->x = x, t->y = y, t->rotation = rotation;
    };
    std::vector<Collider*> targets;
    for (float rotation : {20.0f, 45.0f, 70.0f, 110.0f, 160.0f, 0.0f}) {
        GameObject* o = SceneManager::GetInstance().CreateGameObject("T");
        place(o, 0, 0, rotation);
        auto* box = o->AddComponent<BoxCollider>();
        box->SetSize(60, 25);
        box->isStatic = true;
        targets.push_back(box);
    }
    GameObject* pin = SceneManager::GetInstance().CreateGameObject("Pin");
    place(pin, 0, 0, 0);
    auto* circle = pin->AddComponent<CircleCollider>();
    circle->radius = 12;
    circle->isStatic = true;
    targets.push_back(circle);
    Collider* movers[2][2];  // [circle, box][real, reference]
    for (int copy = 0; copy < 2; ++copy) {
        for (int shape = 0; shape < 2; ++shape) {
            GameObject* o = SceneManager::GetInstance().CreateGameObject("M");
            place(o, 0, 0, 0);
            if (shape % 2 == 0) movers[shape][copy] = o->AddComponent<CircleCollider>();
            else movers[shape][copy] = o->AddComponent<BoxCollider>();
            movers[shape][copy]->SetSize(20.0f, 25.0f);
        }
    }
    JobManager::GetInstance().RunJobs(JobKind::Frame);  // builds the slopes

    int lifted = 0;
    for (Collider* target : targets)
        for (auto& pair : movers)
            for (float y = -110; y <= 110; y += 3.7f)
                for (float x = -130; x <= 130; x += 2.9f)
                    for (const TVector2<float>& move : {TVector2<float>(-6, 4), TVector2<float>(6, 4), TVector2<float>(3, -5)}) {
                        Collider* real = pair[0];
                        Collider* ref = pair[1];
                        for (Collider* c : {real, ref}) {
                            c->transform->x = x, c->transform->y = y;
                            c->ResetContacts();
                        }
                        const bool a = real->Collide(target, move);
                        const bool b = reference::Collide(reference::ShapeOf(ref), reference::ShapeOf(target), move);
                        ASSERT_TRUE(a == b && Bits(real->transform->x) == Bits(ref->transform->x) &&
                                    Bits(real->transform->y) == Bits(ref->transform->y) &&
                                    real->grounded == ref->grounded && real->blockedLeft == ref->blockedLeft &&
                                    real->blockedRight == ref->blockedRight &&
                                    Bits(real->slopeFactorX) == Bits(ref->slopeFactorX) &&
                                    Bits(real->slopeFactorY) == Bits(ref->slopeFactorY))
                            << "target rotation " << target->transform->rotation << " at " << x << "," << y;
                        lifted += ref->transform->y != y;
                    }
    EXPECT_GT(lifted, 100);
}

}  // namespace

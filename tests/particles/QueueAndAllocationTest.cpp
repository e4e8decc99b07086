// The particle queue's guarantees: a dying emitter leaves no pointer behind, a frame that
// does not draw still empties the queue, and a warm frame of every emitter allocates
// nothing.
#include <algorithm>

#include "graphics/AllocationCounter.h"
#include "EmitterFixture.h"
#include "particles/BossParticleEmitter.h"
#include "particles/LaserParticleEmitter.h"
#include "particles/MageParticleEmitter.h"
#include "particles/ManaParticleEmitter.h"
#include "particles/ThiefParticleEmitter.h"

namespace {

using QueueTest = EmitterTest;
using Unit = Combat::CombatUnit;

struct CountingTarget : DrawTarget {
    void DrawSpriteQuad(const SpriteDraw&) override {}
    void DrawGlyphQuad(const GlyphDraw&) override {}
    void DrawParticleQuad(const ParticleDraw&) override { ++particles; }
    int particles = 0;
};

// Particles the particle pass draws from the queue as it stands (the pass empties it).
int DrawQueue(GraphicsEngine& engine) {
    Render pass(0, 10);
    pass.owner = nullptr;
    pass.type = Render::kParticles;
    engine.AddRender(&pass);
    CountingTarget target;
    engine.DrawListTo(target);
    engine.RemoveRender(&pass);
    return target.particles;
}

TEST_F(QueueTest, ADestroyedEmitterLeavesNothingOnTheQueueToDraw) {
    for (bool wholeObject : {true, false}) {
        auto* mana = Attach<ManaParticleEmitter>();
        unit->currentMana = 300;
        Particle other;
        other.texture = 1;
        engine.particleQueue.clear();
        engine.SubmitParticle(&other);
        mana->Update();
        engine.SubmitParticle(&other);
        ASSERT_EQ(engine.particleQueue.size(), 22u);
        if (wholeObject) {
            SceneManager::GetInstance().DestroyGameObjectNow(hero->id);  // OnDestroy, then deleted
        } else {
            hero->components.RemoveItem(mana);  // deleted without OnDestroy
        }
        EXPECT_EQ(DrawQueue(engine), 2);  // the emitter's particles are neither drawn nor read
        if (wholeObject) {
            hero = SceneManager::GetInstance().CreateGameObject("Hero", true);
            transform = hero->AddComponent<Transform>(true);
            unit = hero->AddComponent<Unit>(true);
            unit->rigidbody = body;
        }
    }
}

TEST_F(QueueTest, FramesThatDoNotDrawAndTheHarnessResetEmptyTheQueue) {
    auto* mana = Attach<ManaParticleEmitter>();
    unit->currentMana = 300;
    mana->Update();
    ASSERT_FALSE(engine.particleQueue.empty());
    engine.Render();  // headless: nothing is drawn
    EXPECT_TRUE(engine.particleQueue.empty());

    harness.LoadSceneText(R"({"GameObjects": [["Hero", 1]], "Components": [], "Dialogue": []})");
    GameObject* scened = harness.Find("Hero");
    scened->AddComponent<Transform>(true);
    scened->AddComponent<Unit>(true);
    auto* scenedMana = scened->AddComponent<ManaParticleEmitter>();  // updated by the frames
    harness.Step(3);
    EXPECT_GT(scenedMana->activeOrbs, 0);
    EXPECT_TRUE(engine.particleQueue.empty());

    Particle stray;
    engine.SubmitParticle(&stray);
    EngineHarness::ResetEngine();
    EXPECT_TRUE(engine.particleQueue.empty());
}

TEST_F(QueueTest, ParticlePicturesOutliveSceneLoads) {
    auto* thief = Attach<ThiefParticleEmitter>();
    engine.ReleaseUnusedTextures();  // a later scene load, for a hero that outlives its scene
    for (uint32_t name : thief->textures) {
        EXPECT_NE(name, 0u);
        EXPECT_EQ(std::count(graphics.fake.deleted.begin(), graphics.fake.deleted.end(), name), 0) << name;
    }
}

TEST_F(QueueTest, AWarmFrameOfEveryEmitterAllocatesNothing) {
    MakeCamera();
    unit->currentMana = 300;
    auto* mana = Attach<ManaParticleEmitter>();
    auto* boss = Attach<BossParticleEmitter>();
    auto* laser = Attach<LaserParticleEmitter>();
    auto* mage = Attach<MageParticleEmitter>();
    auto* thief = Attach<ThiefParticleEmitter>();
    Transform* projectile = MakeProjectile(200.0f, 100.0f);
    boss->StartTrail(projectile);
    mage->StartTrail(projectile);
    boss->SpawnSummonEffect(0.0f, 0.0f);
    laser->beamTime = 60.0f;
    mage->snowTime = 60.0f;
    mage->freezeOn = true;
    mage->freezeTime = 60.0f;
    thief->areaTime = 60.0f;
    // Zapping, dashing and the curtain all at once.
    SetState(Unit::RECOVERING, true);
    Render pass(0, 10);
    pass.owner = nullptr;
    pass.type = Render::kParticles;
    engine.AddRender(&pass);
    Component* emitters[] = {mana, boss, laser, mage, thief};
    auto frame = [&](int weapon) {
        unit->currentWeaponIndex = weapon;
        mana->Burst(300.0f, 300.0f);
        for (Component* e : emitters) e->Update();
        CountingTarget target;
        engine.DrawListTo(target);
        return target.particles;
    };
    for (int i = 0; i < 20; ++i) frame(i % 5);  // the queue grows to a frame's size
    for (int weapon = 0; weapon < 5; ++weapon) {
        ScopedAllocationCount allocations;
        const int drawn = frame(weapon);
        EXPECT_EQ(allocations.Count(), 0u) << "weapon " << weapon;
        EXPECT_GT(drawn, 500);
    }
    EXPECT_TRUE(boss->trails[0].active && mage->trails[0].active && boss->risingOn);
    EXPECT_GT(CountActive(thief->dashParticles, 100) + CountActive(mage->lightning, 250), 0);
    engine.RemoveRender(&pass);
}

}  // namespace

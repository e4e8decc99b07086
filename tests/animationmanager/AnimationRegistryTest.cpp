// The animator registry, and animators built by scene files through the factory.
#include "AnimatorFixture.h"
#include "gameobjectengine/EngineState.h"

namespace {

class AnimationRegistry : public AnimatorFixture {};

TEST_F(AnimationRegistry, WakingRegistersAndDestroyingUnregisters) {
    AnimationManager& registry = AnimationManager::GetInstance();
    EXPECT_EQ(registry.Count(), 0u);
    Animator* first = Attach(R"({"nodes": [{}]})");
    Animator* second = hero->AddComponent<Animator>();
    ASSERT_EQ(registry.Count(), 2u);
    EXPECT_EQ(registry.Animators()[0], first);
    EXPECT_EQ(registry.Animators()[1], second);

    Animator stranger(hero->id);
    registry.RemoveAnimator(&stranger);  // not registered: nothing changes
    registry.RemoveAnimator(nullptr);
    EXPECT_EQ(registry.Count(), 2u);

    SceneManager::GetInstance().DestroyGameObjectNow(hero->id);
    EXPECT_EQ(registry.Count(), 0u);
}

TEST_F(AnimationRegistry, RemovesOnlyTheFirstEqualEntryAndKeepsTheOrder) {
    AnimationManager& registry = AnimationManager::GetInstance();
    Animator a(hero->id), b(hero->id);
    registry.AddAnimator(&a);
    registry.AddAnimator(&b);
    registry.AddAnimator(&a);
    registry.RemoveAnimator(&a);
    ASSERT_EQ(registry.Count(), 2u);
    EXPECT_EQ(registry.Animators()[0], &b);
    EXPECT_EQ(registry.Animators()[1], &a);
    registry.Clear();
}

TEST_F(AnimationRegistry, QuitEmptiesTheRegistryWithoutDeletingAnything) {
    AnimationManager& registry = AnimationManager::GetInstance();
    Attach(R"({"nodes": [{}]})");
    Animator outsider(hero->id);  // owned by this test; the registry must never delete it
    outsider.Awake();
    EXPECT_EQ(registry.Count(), 2u);
    EngineState::GetInstance().state = EngineState::QuitState;
    engine.Step();
    EXPECT_EQ(EngineState::GetInstance().state, EngineState::Stopped);
    EXPECT_EQ(registry.Count(), 0u);
    outsider.params.emplace_back("Still", ParamType::Bool, ParamCell::FromBool(true));
    EXPECT_TRUE(outsider.GetParameter("Still")->IsSet());
}

TEST(AnimatorScene, SceneFilesBuildLinkAndRegisterAnimators) {
    EngineHarness engine;
    engine.LoadSceneText(R"({"GameObjects": [["Hero", 1], ["Ghost", 1]],
        "Components": [
          {"class": "Animator", "gameObjectID": 0,
           "params": [{"info": 0, "name": "Moving", "bool": 0}],
           "transitions": [{"name": "Run", "paramPtr": "Moving", "condition": 1, "next": "Run", "checkFrequency": 0}],
           "nodes": [{"name": "Idle", "repeats": 1, "transitions": ["Run"]}, {"name": "Run", "startY": 1, "repeats": 1}]},
          {"class": "Animator", "gameObjectID": 7, "nodes": [{}]},
          {"class": "Animator", "gameObjectID": 1}],
        "Dialogue": []})");
    auto* animator = engine.Get<Animator>("Hero");
    ASSERT_NE(animator, nullptr);
    EXPECT_EQ(animator->transitions[0].next, &animator->nodes[1]);  // linked during the load
    EXPECT_EQ(animator->currentNode, &animator->nodes[0]);
    EXPECT_NE(engine.Get<Animator>("Ghost"), nullptr);
    EXPECT_EQ(AnimationManager::GetInstance().Count(), 2u);  // the one for object 7 was never built
    EXPECT_EQ(JobManager::GetInstance().Count(JobKind::Lookup), 0u);
    engine.Step(2);  // no renderer on the object: nothing moves, nothing breaks
    EXPECT_EQ(animator->currentNode, &animator->nodes[0]);
}

}  // namespace

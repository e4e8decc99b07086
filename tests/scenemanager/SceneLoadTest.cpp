#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EngineHarness.h"
#include "Probe.h"
#include "gameobjectengine/EngineState.h"
#include "gameobjectengine/Transform.h"
#include "scenemanager/SceneManager.h"
#include "scenemanager/SceneTransition.h"

namespace {

SceneManager& Scene() { return SceneManager::GetInstance(); }

TEST(SceneLoad, NonArrayEntriesReserveTheirIds) {
    EngineHarness engine;
    engine.LoadSceneText(R"({"GameObjects": [["First", 1], null, ["Third", 0, "Enemy", 4], ["Short"], {"x": 1}, ["Last", true]],
        "Components": [{"class": "Transform", "gameObjectID": 2, "position": {"x": 5}}], "Dialogue": []})");
    GameObject* third = engine.Find("Third");
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->id, 2);
    EXPECT_FALSE(third->active);
    EXPECT_EQ(third->tag, "Enemy");
    EXPECT_EQ(third->layer, 4u);
    EXPECT_EQ(Scene().GetGameObject(1), nullptr);
    EXPECT_EQ(Scene().GetGameObject(3), nullptr);  // fewer than two elements: reserved
    ASSERT_NE(engine.Find("Last"), nullptr);
    EXPECT_EQ(engine.Find("Last")->id, 5);
    EXPECT_TRUE(engine.Find("Last")->active);  // true is accepted where an integer flag is read
    Transform* t = third->GetComponent<Transform>();
    ASSERT_NE(t, nullptr);
    EXPECT_FLOAT_EQ(t->x, 5.0f);
    EXPECT_FLOAT_EQ(t->y, 1.0f);
}

TEST(SceneLoad, MalformedFilesLeaveAnEmptySceneWithoutCrashing) {
    EngineHarness engine;
    const char* bad[] = {
        "", "{", "[]", "null", R"({"GameObjects": 3, "Components": []})", R"({"GameObjects": []})",
        R"({"GameObjects": [[1, 2], [null, null]], "Components": [1, null, {"class": 5}, {"class": "Transform", "gameObjectID": "x"}]})",
        R"({"GameObjects": [["A", 1, 7, "no"]], "Components": [{"class": "Transform", "position": 3, "scale": {"x": "big"}}], "Dialogue": 4})",
    };
    for (const char* text : bad) {
        engine.LoadSceneText(text);
        EXPECT_EQ(EngineState::GetInstance().state, EngineState::Run) << text;
    }
    // The last one is valid enough to build its object, keeping defaults for wrong types.
    GameObject* a = engine.Find("A");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->tag, "");
    EXPECT_EQ(a->layer, 1u);
    Transform* t = a->GetComponent<Transform>();
    ASSERT_NE(t, nullptr);
    EXPECT_FLOAT_EQ(t->x, 1.0f);
    EXPECT_FLOAT_EQ(t->scaleX, 1.0f);
    engine.LoadSceneFile("/nonexistent/scene.scene");
    EXPECT_EQ(Scene().Objects().Count(), 0u);
}

TEST(SceneLoad, DeeplyNestedFilesAreRefusedWithoutExhaustingTheStack) {
    EngineHarness engine;
    const std::string deep(200000, '[');
    engine.LoadSceneText(deep + "]");
    EXPECT_EQ(EngineState::GetInstance().state, EngineState::Run);
    // Well-formed but absurdly deep: refused as a whole, like a broken file.
    std::string nested = R"({"GameObjects": [["A", 1]], "Components": [{"class": "Transform", "extra": )";
    nested += std::string(100000, '[') + std::string(100000, ']') + "}]}";
    engine.LoadSceneText(nested);
    EXPECT_EQ(engine.Find("A"), nullptr);
    EXPECT_EQ(Scene().LoadPrefab(engine.WriteTempFile(
                  R"({"GameObject": [["P", 1]], "Components": [{"class": "Transform", "x": )" +
                      std::string(100000, '[') + std::string(100000, ']') + "}]}",
                  ".prefab")),
              nullptr);
}

TEST(SceneLoad, PersistentObjectStartsOnceAndGetsSceneLoadedEveryLoad) {
    EngineHarness engine;
    engine.LoadSceneText(R"({"GameObjects": [["Keeper", 1]], "Components": [], "Dialogue": []})");
    GameObject* keeper = engine.Find("Keeper");
    Probe* probe = keeper->AddComponent<Probe>(true);
    Scene().AddPersistent(keeper);

    engine.LoadSceneText(R"({"GameObjects": [["X", 1], ["Y", 1]], "Components": [], "Dialogue": []})");
    EXPECT_EQ(engine.Find("Keeper"), keeper);
    EXPECT_EQ(keeper->id, 2);
    EXPECT_EQ(probe->gameObjectID, 2);  // its components follow the new id
    EXPECT_EQ(Scene().GetGameObject(probe->gameObjectID), keeper);
    EXPECT_EQ(probe->counts.start, 0);
    EXPECT_EQ(probe->counts.sceneLoaded, 1);

    engine.LoadSceneText(R"({"GameObjects": [["Z", 1]], "Components": [], "Dialogue": []})");
    EXPECT_EQ(keeper->id, 1);
    EXPECT_EQ(probe->counts.sceneLoaded, 2);
    EXPECT_EQ(probe->counts.destroy, 0);
    EXPECT_EQ(Scene().CountGameObjectsByName("Keeper"), 1);  // in the table and the set: one object
}

TEST(SceneLoad, FailedLoadKeepsPersistentObjectsAliveOutOfTheTable) {
    EngineHarness engine;
    engine.LoadSceneText(R"({"GameObjects": [["Keeper", 1]], "Components": [], "Dialogue": []})");
    GameObject* keeper = engine.Find("Keeper");
    Scene().AddPersistent(keeper);
    engine.LoadSceneFile("/nonexistent.scene");
    EXPECT_EQ(Scene().GetGameObject(0), nullptr);
    EXPECT_EQ(engine.Find("Keeper"), keeper);  // still found by name while out of the table
}

TEST(SceneLoad, ComponentAddedToAnObjectOutOfTheTableBelongsToThatObject) {
    EngineHarness engine;
    engine.LoadSceneText(R"({"GameObjects": [["Keeper", 1]], "Components": [], "Dialogue": []})");
    GameObject* keeper = engine.Find("Keeper");
    Scene().AddPersistent(keeper);
    engine.LoadSceneFile("/nonexistent.scene");
    GameObject* stranger = Scene().CreateGameObject("Stranger");  // takes the keeper's old id
    ASSERT_EQ(stranger->id, keeper->id);
    Probe* probe = keeper->AddComponent<Probe>();
    ASSERT_NE(probe, nullptr);
    EXPECT_EQ(probe->owner, keeper);
    EXPECT_EQ(probe->counts.awake, 1);
}

TEST(SceneLoad, ClearSceneDestroysComponentsOnce) {
    EngineHarness engine;
    engine.LoadSceneText(R"({"GameObjects": [["A", 1], ["B", 0]], "Components": [], "Dialogue": []})");
    int destroyed = 0;
    engine.Find("A")->AddComponent<Probe>(true)->destroyed = &destroyed;
    engine.Find("B")->AddComponent<Probe>(true)->destroyed = &destroyed;
    Scene().ClearScene();
    EXPECT_EQ(destroyed, 2);
    EXPECT_EQ(Scene().Objects().Mark(), 0u);
}

TEST(SceneUpdate, OnlyEnabledComponentsOfActiveObjectsUpdate) {
    EngineHarness engine;
    engine.LoadSceneText(R"({"GameObjects": [["On", 1], ["Off", 0]], "Components": [], "Dialogue": []})");
    Probe* on = engine.Find("On")->AddComponent<Probe>(true);
    Probe* disabled = engine.Find("On")->AddComponent<Probe>(true);
    disabled->enabled = false;
    Probe* inactive = engine.Find("Off")->AddComponent<Probe>(true);
    engine.Step(3);
    EXPECT_EQ(on->counts.update, 3);
    EXPECT_EQ(disabled->counts.update, 0);
    EXPECT_EQ(inactive->counts.update, 0);
}

TEST(SceneUpdate, AddedComponentStartsAtEndOfSamePass) {
    EngineHarness engine;
    engine.LoadSceneText(R"({"GameObjects": [["A", 1]], "Components": [], "Dialogue": []})");
    GameObject* a = engine.Find("A");
    Probe* spawner = a->AddComponent<Probe>(true);
    Probe* added = nullptr;
    spawner->onUpdate = [&]() {
        if (!added) {
            added = a->AddComponent<Probe>();
            EXPECT_EQ(added->counts.awake, 1);
            EXPECT_EQ(added->counts.start, 0);
        }
    };
    engine.Step();
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->counts.start, 1);
    Probe* quiet = a->AddComponent<Probe>(true);  // noStart: neither woken nor started
    engine.Step();
    EXPECT_EQ(quiet->counts.awake, 0);
    EXPECT_EQ(quiet->counts.start, 0);
}

TEST(SceneDestroy, DeferredDestroyHitsOnlyTheObjectThatHeldTheId) {
    EngineHarness engine;
    engine.LoadSceneText(R"({"GameObjects": [["Old", 1]], "Components": [], "Dialogue": []})");
    GameObject* old = engine.Find("Old");
    const int32_t id = old->id;
    Scene().DestroyGameObject(id);
    Scene().DestroyGameObjectNow(id);       // gone before the job runs...
    GameObject* fresh = Scene().CreateGameObject("Fresh");  // ...and its slot is reused
    ASSERT_EQ(fresh->id, id);
    engine.Step();
    EXPECT_EQ(Scene().GetGameObject(id), fresh);
}

TEST(SceneDestroy, DestroyAllReachesPersistentObjects) {
    EngineHarness engine;
    engine.LoadSceneText(R"({"GameObjects": [["Keeper", 1], ["Plain", 1]], "Components": [], "Dialogue": []})");
    int destroyed = 0;
    engine.Find("Keeper")->AddComponent<Probe>(true)->destroyed = &destroyed;
    engine.Find("Plain")->AddComponent<Probe>(true)->destroyed = &destroyed;
    Scene().AddPersistent(engine.Find("Keeper"));
    EngineState::GetInstance().Quit();
    EXPECT_EQ(destroyed, 2);
    EXPECT_TRUE(Scene().PersistentObjects().empty());
    EXPECT_EQ(EngineState::GetInstance().state, EngineState::Stopped);
}

TEST(SceneObjects, FullTableRefusesNewObjects) {
    EngineHarness engine;
    for (std::size_t i = 0; i < SceneManager::kMaxObjects; ++i) ASSERT_NE(Scene().CreateGameObject("o"), nullptr);
    EXPECT_EQ(Scene().CreateGameObject("overflow"), nullptr);
    EXPECT_EQ(Scene().GetGameObject(-1), nullptr);
    EXPECT_EQ(Scene().GetGameObject(1024), nullptr);
}

}  // namespace

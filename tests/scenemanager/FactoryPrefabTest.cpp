#include <gtest/gtest.h>

#include <string>

#include "EngineHarness.h"
#include "Probe.h"
#include "gameobjectengine/Transform.h"
#include "scenemanager/ComponentFactory.h"
#include "scenemanager/SceneManager.h"
#include "scenemanager/SceneTransition.h"

namespace {

SceneManager& Scene() { return SceneManager::GetInstance(); }

Component* Build(const std::string& text) {
    JsonDocument doc;
    doc.Parse(text.c_str());
    return Scene().CreateComponent(doc);
}

TEST(Factory, ClassStringsMatchExactly) {
    EngineHarness engine;
    engine.LoadSceneText(R"({"GameObjects": [["A", 1]], "Components": [], "Dialogue": []})");
    EXPECT_NE(dynamic_cast<Transform*>(Build(R"({"class": "Transform"})")), nullptr);
    EXPECT_NE(dynamic_cast<SceneTransition*>(Build(R"({"class": "SceneTransition"})")), nullptr);
    for (const char* nearMiss : {"Transform ", "transform", "Rigidbody", "DynamicBGM", "DeleteIfExist", "", "Transfor"}) {
        EXPECT_FALSE(factory::Knows(nearMiss)) << nearMiss;
        EXPECT_EQ(Build(std::string(R"({"class": ")") + nearMiss + R"("})"), nullptr) << nearMiss;
    }
    EXPECT_EQ(Build(R"({"gameObjectID": 0})"), nullptr);   // no class
    EXPECT_EQ(Build(R"({"class": 12})"), nullptr);         // wrong type
    EXPECT_EQ(engine.Find("A")->components.Count(), 2u);
}

TEST(Factory, ComponentForMissingObjectIsNotBuilt) {
    EngineHarness engine;
    engine.LoadSceneText(R"({"GameObjects": [["A", 1], null], "Components": [], "Dialogue": []})");
    EXPECT_EQ(Build(R"({"class": "Transform", "gameObjectID": -1})"), nullptr);
    EXPECT_EQ(Build(R"({"class": "Transform", "gameObjectID": 1})"), nullptr);   // reserved slot
    const int32_t mark = static_cast<int32_t>(SceneManager::GetInstance().Objects().Mark());
    EXPECT_EQ(Build(R"({"class": "Transform", "gameObjectID": )" + std::to_string(mark) + "}"), nullptr);  // at the mark
    EXPECT_EQ(Build(R"({"class": "Transform", "gameObjectID": 99})"), nullptr);
}

TEST(Factory, FullComponentTableFreesTheNewComponent) {
    EngineHarness engine;
    engine.LoadSceneText(R"({"GameObjects": [["A", 1]], "Components": [], "Dialogue": []})");
    GameObject* a = engine.Find("A");
    for (std::size_t i = 0; i < GameObject::kMaxComponents; ++i) ASSERT_NE(a->AddComponent<Probe>(true), nullptr);
    EXPECT_EQ(Build(R"({"class": "Transform"})"), nullptr);   // ASan would flag a leak here
    EXPECT_EQ(a->AddComponent<Transform>(), nullptr);
    EXPECT_EQ(a->components.Count(), GameObject::kMaxComponents);
}

TEST(Transform, JsonDefaultsFollowPresenceOfKeys) {
    EngineHarness engine;
    engine.LoadSceneText(R"({"GameObjects": [["A", 1]], "Components": [], "Dialogue": []})");
    auto* none = dynamic_cast<Transform*>(Build(R"({"class": "Transform"})"));
    auto* empty = dynamic_cast<Transform*>(Build(R"({"class": "Transform", "position": {}, "scale": {"y": 40}, "rotation": 90})"));
    auto* partial = dynamic_cast<Transform*>(Build(R"({"class": "Transform", "position": {"x": 5}, "rotation": 12.5})"));
    ASSERT_TRUE(none && empty && partial);
    EXPECT_FLOAT_EQ(none->x, 0.0f);
    EXPECT_FLOAT_EQ(none->scaleX, 100.0f);
    EXPECT_FLOAT_EQ(empty->x, 1.0f);
    EXPECT_FLOAT_EQ(empty->z, 1.0f);
    EXPECT_FLOAT_EQ(empty->scaleX, 1.0f);
    EXPECT_FLOAT_EQ(empty->scaleY, 40.0f);
    EXPECT_FLOAT_EQ(empty->rotation, 90.0f);
    EXPECT_FLOAT_EQ(partial->x, 5.0f);
    EXPECT_FLOAT_EQ(partial->y, 1.0f);
    EXPECT_FLOAT_EQ(partial->rotation, 12.5f);
    std::unique_ptr<Component> copy(partial->Clone());
    auto* cloned = dynamic_cast<Transform*>(copy.get());
    ASSERT_NE(cloned, nullptr);
    EXPECT_EQ(cloned->owner, partial->owner);
    EXPECT_FLOAT_EQ(cloned->x, 5.0f);
}

const char* kPrefab = R"({"GameObject": [["Bolt", 1, "Shot", 2]],
    "Components": [{"class": "Transform", "gameObjectID": 0, "position": {"x": 3, "y": 4}},
                   {"class": "NoSuchClass"},
                   {"class": "SceneTransition", "gameObjectID": 7, "sceneIndex": 4}]})";

TEST(Prefab, NamesAreMadeUniqueFromTheEntryName) {
    EngineHarness engine;
    engine.LoadSceneText(R"({"GameObjects": [["Scene0", 1]], "Components": [], "Dialogue": []})");
    const std::string path = engine.WriteTempFile(kPrefab, ".prefab");
    GameObject* first = Scene().LoadPrefab(path);
    GameObject* second = Scene().LoadPrefab(path);
    Scene().CreateGameObject("Bolt1");
    GameObject* third = Scene().LoadPrefab(path);
    ASSERT_TRUE(first && second && third);
    EXPECT_EQ(first->name, "Bolt");
    EXPECT_EQ(second->name, "Bolt0");
    EXPECT_EQ(third->name, "Bolt2");
    EXPECT_EQ(first->tag, "Shot");
    EXPECT_EQ(first->layer, 2u);
}

TEST(Prefab, ComponentsBelongToTheNewObjectWhateverTheFileSays) {
    EngineHarness engine;
    engine.LoadSceneText(R"({"GameObjects": [["Scene0", 1]], "Components": [], "Dialogue": []})");
    GameObject* prefab = Scene().LoadPrefab(engine.WriteTempFile(kPrefab, ".prefab"));
    ASSERT_NE(prefab, nullptr);
    EXPECT_EQ(engine.Find("Scene0")->components.Count(), 0u);
    ASSERT_EQ(prefab->components.Count(), 2u);  // the unknown class is skipped
    prefab->components.ForEach([&](Component* c) {
        EXPECT_EQ(c->owner, prefab);
        EXPECT_EQ(c->gameObjectID, prefab->id);
    });
    EXPECT_FLOAT_EQ(prefab->GetComponent<Transform>()->x, 3.0f);
    EXPECT_EQ(prefab->GetComponent<SceneTransition>()->sceneIndex, 4);
}

TEST(Prefab, MissingOrBrokenFilesAndFullTableGiveNull) {
    EngineHarness engine;
    engine.LoadSceneText(R"({"GameObjects": [], "Components": [], "Dialogue": []})");
    EXPECT_EQ(Scene().LoadPrefab("/missing.prefab"), nullptr);
    EXPECT_EQ(Scene().LoadPrefab(engine.WriteTempFile("{oops", ".prefab")), nullptr);
    EXPECT_EQ(Scene().LoadPrefab(engine.WriteTempFile(R"({"GameObject": [5], "Components": []})", ".prefab")), nullptr);
    EXPECT_EQ(Scene().LoadPrefab(engine.WriteTempFile(R"({"GameObject": [], "Components": []})", ".prefab")), nullptr);
    for (std::size_t i = 0; i < SceneManager::kMaxObjects; ++i) Scene().CreateGameObject("o");
    EXPECT_EQ(Scene().LoadPrefab(engine.WriteTempFile(kPrefab, ".prefab")), nullptr);
}

}  // namespace

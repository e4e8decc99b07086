// DontDestroyOnLoad with DeleteIfExist: a same-named object in every scene kept once, and
// the pictures of a persistent sprite kept across loads.
#include <gtest/gtest.h>

#include <string>

#include "gameobjectengine/DeleteIfExist.h"
#include "gameobjectengine/Transform.h"
#include "graphics/GraphicsEngine.h"
#include "graphics/SpriteRenderer.h"
#include "scenemanager/DontDestroyOnLoad.h"
#include "support/EngineHarness.h"

namespace {

std::string Scene(const std::string& objects, const std::string& components) {
    return "{\"GameObjects\": [" + objects + "], \"Components\": [" + components + "], \"Dialogue\": []}";
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

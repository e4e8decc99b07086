// A folder, an endless device or a named pipe where a scene or prefab file should be is a
// missing file: the load ends at once with an empty scene (no exception, no endless read,
// no wait for a writer).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "EngineHarness.h"
#include "gameobjectengine/EngineState.h"
#include "scenemanager/SceneManager.h"

namespace {

TEST(SceneFiles, AFolderDeviceOrPipeInPlaceOfASceneOrPrefabIsAMissingFile) {
    EngineHarness engine;
    const std::filesystem::path dir = std::filesystem::path(engine.WriteTempFile("")).parent_path();
    const std::string pipe = (dir / "pipe.scene").string();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    for (const std::string& path : {dir.string(), std::string("/dev/zero"), pipe}) {
        engine.LoadSceneText(R"({"GameObjects": [["Old", 1]], "Components": [], "Dialogue": []})");
        engine.LoadSceneFile(path);
        EXPECT_EQ(EngineState::GetInstance().state, EngineState::Run) << path;
        EXPECT_EQ(SceneManager::GetInstance().Objects().Count(), 0u) << path;
        EXPECT_EQ(SceneManager::GetInstance().LoadPrefab(path), nullptr) << path;
    }
}

}  // namespace

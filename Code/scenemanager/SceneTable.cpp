#include "scenemanager/SceneTable.h"

namespace scenes {
namespace {
const char* const kScenes[kSceneCount] = {
    "Assets/Scenes/MainMenu.scene",
    "Assets/Scenes/6_Magitek.scene",
    "Assets/Scenes/SplashScreen.scene",
    "Assets/Scenes/BetaSplashScreen.scene",
    "Assets/Scenes/7_Magitek.scene",
    "Assets/Scenes/Credits.scene",
    "Assets/Scenes/1_Slums.scene",
    "Assets/Scenes/YouWon.scene",
    "Assets/Scenes/BestExpSplashScreen.scene",
    "Assets/Scenes/FirstTimeMainMenu.scene",
    "Assets/Scenes/2_Slums.scene",
    "Assets/Scenes/3_Slums.scene",
    "Assets/Scenes/8_Magitek.scene",
    "Assets/Scenes/10_Magitek.scene",
    "Assets/Scenes/9_Magitek.scene",
    "Assets/Scenes/10b_Magitek.scene",
    "Assets/Scenes/10c_Magitek.scene",
    "Assets/Scenes/11_Epilogue.scene",
    "Assets/Scenes/MenuCredits.scene",
};
}  // namespace

const char* PathOf(int32_t index) { return (index >= 0 && index < kSceneCount) ? kScenes[index] : nullptr; }

int32_t IndexOf(const std::string& path) {
    for (int32_t i = 0; i < kSceneCount; ++i)
        if (path == kScenes[i]) return i;
    return -1;
}

}  // namespace scenes

// A scene's "Dialogue" array, played for a few seconds with the advance key pressed.
#include "EngineHarness.h"
#include "FuzzSupport.h"
#include "gameobjectengine/InputManager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string scene = fuzz::SceneWithDialogue(std::string(reinterpret_cast<const char*>(data), size));
    if (scene.empty()) return 0;
    EngineHarness& engine = fuzz::Engine();
    engine.LoadSceneText(scene);
    for (int i = 0; i < 8; ++i) {
        engine.Step(15);
        engine.Tap(InputAction::Jump);
    }
    EngineHarness::ResetEngine();
    return 0;
}

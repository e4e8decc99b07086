// A prefab file spawned into a running scene, then a few frames.
#include "EngineHarness.h"
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EngineHarness& engine = fuzz::Engine();
    engine.LoadSceneText(fuzz::SceneWithDialogue("[]"));
    SceneManager::GetInstance().LoadPrefab(fuzz::WriteInput(data, size, ".prefab"));
    engine.Step(3);
    EngineHarness::ResetEngine();
    return 0;
}

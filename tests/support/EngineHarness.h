#pragma once
// A headless engine for tests: no window, no GL, a fixed frame time and scripted input.
//
//   EngineHarness engine;                       // resets every engine singleton
//   engine.LoadSceneText(R"({"GameObjects": [["Hero", 1]], "Components": [], "Dialogue": []})");
//   engine.Press(InputAction::Jump);  engine.Step();  // a fresh press of Space in that frame
//   auto* t = engine.Get<Transform>("Hero");
#include <string>

#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/InputManager.h"
#include "scenemanager/SceneManager.h"

class EngineHarness {
public:
    explicit EngineHarness(float frameSeconds = 1.0f / 60.0f);
    ~EngineHarness();

    // Loads a scene through the engine's load state (as the first scene of a run).
    void LoadSceneFile(const std::string& path);
    void LoadSceneText(const std::string& json);
    // Runs n ticks (frames while running; a pending scene change takes one tick).
    void Step(int frames = 1);
    // Ticks until the engine is running again after a scene change (at most a few ticks).
    void FinishSceneChange();

    // Scripted input, by action: Press holds the action's key; Release lets go.
    void Press(InputAction action);
    void Release(InputAction action);
    // Press, one frame, release.
    void Tap(InputAction action);

    void SetFrameTime(float seconds);
    // Writes text to a temporary file and returns its path (removed with the harness).
    std::string WriteTempFile(const std::string& text, const std::string& extension = ".scene");

    GameObject* Find(const std::string& name) const;
    template <typename T>
    T* Get(const std::string& name) const {
        GameObject* object = Find(name);
        return object ? object->GetComponent<T>() : nullptr;
    }

    static void ResetEngine();

private:
    std::string tempDir_;
    int tempCount_ = 0;
};

// The virtual-key code that raises an action.
int KeyOfAction(InputAction action);

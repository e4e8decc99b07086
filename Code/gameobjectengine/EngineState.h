#pragma once
// The engine's state machine: one Tick per pass of the main loop, one frame while running.
//
// States: 0 before start, 1 load the first scene, 2 run, 3 quit, 4 stopped,
// 5 scene change in progress. A state written during a pass takes effect at the next tick.
#include <cstdint>
#include <string>

class EngineState {
public:
    static constexpr uint32_t Unstarted = 0;
    static constexpr uint32_t Load = 1;
    static constexpr uint32_t Run = 2;
    static constexpr uint32_t QuitState = 3;
    static constexpr uint32_t Stopped = 4;
    static constexpr uint32_t SceneChange = 5;

    static EngineState& GetInstance();

    void SetNextScene(const std::string& path) { nextScene = path; }
    // Start-up, after the window exists: load the first scene next, unless a close
    // request handled by the first input pump has already asked to quit.
    void RequestFirstLoad() {
        if (state == Unstarted) state = Load;
    }
    void Tick();
    // The quit pass: destroys everything, releases sounds, then stops.
    void Quit();

    uint32_t state = Unstarted;
    std::string nextScene;

private:
    EngineState() = default;
    void LoadFirstScene();
    void RunFrame();
    void ChangeScene();
};

#pragma once
// The engine's state machine: one Tick per pass of the main loop, one frame while running.
//
// States: before start, load the first scene, run, quit, stopped, scene change in
// progress. A state written during a pass takes effect at the next tick.
//
// Every layer may read and write the state; the passes that Tick and Quit run are the
// program's frame loop and belong to the app (Code/app/FrameLoop.cpp), which alone
// knows every subsystem.
#include <cstdint>
#include <string>

class EngineState {
public:
    enum class State : uint32_t {
        Unstarted = 0,
        Load = 1,
        Run = 2,
        QuitState = 3,
        Stopped = 4,
        SceneChange = 5,
    };
    using enum State;

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

    State state = Unstarted;
    std::string nextScene;

private:
    EngineState() = default;
    void LoadFirstScene();
    void RunFrame();
    void ChangeScene();
};

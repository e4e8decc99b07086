// The frame loop: what each engine state does in one pass of the main loop.
#include "gameobjectengine/EngineState.h"

#include "animationmanager/AnimationManager.h"
#include "audio/AudioManager.h"
#include "gameobjectengine/InputManager.h"
#include "gameobjectengine/JobManager.h"
#include "gameobjectengine/Time.h"
#include "graphics/GraphicsEngine.h"
#include "physics/PhysicsManager.h"
#include "scenemanager/SceneManager.h"
#include "scenemanager/SceneTable.h"

void EngineState::Tick() {
    switch (state) {
        case Load: LoadFirstScene(); break;
        case Run: RunFrame(); break;
        case QuitState: Quit(); break;
        case SceneChange: ChangeScene(); break;
        default: break;
    }
}

void EngineState::LoadFirstScene() {
    PhysicsManager::GetInstance().Reset();
    SceneManager::GetInstance().ClearScene();
    const std::string path = nextScene;
    // A scene of the table knows its index from the start: a restart reloads it and the
    // save record can name it.
    if (const int32_t index = scenes::IndexOf(path); index >= 0)
        SceneManager::GetInstance().currentSceneIndex = static_cast<uint32_t>(index);
    SceneManager::GetInstance().LoadScene(path);
    Time::GetInstance().Update();  // the first running frame's step must not contain the load
    InputManager::GetInstance().enabled = true;
    state = Run;
}

void EngineState::RunFrame() {
    Time::GetInstance().Update();
    InputManager::GetInstance().Update();
    JobManager::GetInstance().AgeJobs(Time::GetInstance().deltaTime);
    SceneManager::GetInstance().Update();
    PhysicsManager::GetInstance().Step();
    GraphicsEngine::GetInstance().Render();
    JobManager::GetInstance().RunJobs(JobKind::AfterRender);
    AudioManager::GetInstance().UpdateSystem();
}

void EngineState::ChangeScene() {
    InputManager& input = InputManager::GetInstance();
    input.enabled = false;
    PhysicsManager::GetInstance().Reset();
    SceneManager::GetInstance().ClearScene();
    AudioManager::GetInstance().ReleaseAllSounds();
    AudioManager::GetInstance().ResetListeners();
    JobManager& jobs = JobManager::GetInstance();
    const std::size_t loadsBefore = jobs.Count(JobKind::SceneLoad);
    jobs.RunJobs(JobKind::SceneLoad);
    if (loadsBefore == 0) jobs.Clear();  // a scene change with nothing to load: start clean
    Time::GetInstance().Update();
    input.ResetCurrent();
    input.CarryHeldKeys();
    input.enabled = true;
    state = Run;
}

void EngineState::Quit() {
    SceneManager::GetInstance().DestroyAll();
    AnimationManager::GetInstance().Clear();
    PhysicsManager::GetInstance().Reset();
    SetNextScene("");
    AudioManager::GetInstance().ReleaseAllSounds();
    AudioManager::GetInstance().ResetListeners();
    state = Stopped;
}

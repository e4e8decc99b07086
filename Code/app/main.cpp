// harrowvale: the entry point. Opens the window, runs the engine's state machine
// until it stops, and closes the window after the loop (never inside a callback).
#include "app/ComponentClasses.h"
#include "app/GameHooks.h"
#include "app/WindowProc.h"
#include "gameobjectengine/EngineState.h"
#include "gameobjectengine/InputManager.h"
#include "graphics/GraphicsEngine.h"
#include "platform/Heap.h"
#include "platform/MessageBox.h"
#include "platform/Window.h"

namespace {

// The window, its context and the graphics start-up. False when any of them failed
// (its message has been shown).
bool OpenGameWindow() {
    GraphicsEngine& graphics = GraphicsEngine::GetInstance();
    platform::WindowDesc desc;
    desc.width = graphics.width;
    desc.height = graphics.height;
    desc.title = graphics.title;
    if (!platform::CreateMainWindow(desc, GameWindowHandlers())) {
        platform::ShowMessageBox("GRAPHICS ENGINE", "Window Creation Failed!", platform::WindowSystemError());
        return false;
    }
    return graphics.Init();
}

}  // namespace

int main() {
    platform::TuneHeap();
    InstallComponentClasses();
    InstallGameHooks();
    if (!platform::InitWindowSystem()) {
        // No display to open a window on, as a rule: the window system says which.
        platform::ShowMessageBox("GRAPHICS ENGINE", "Window Class Registration Failed!", platform::WindowSystemError());
        return 1;
    }
    EngineState& engine = EngineState::GetInstance();
    engine.SetNextScene("Assets/Scenes/SplashScreen.scene");

    int exitCode = 0;
    if (OpenGameWindow()) {
        platform::ShowMainWindow();
        GraphicsEngine& graphics = GraphicsEngine::GetInstance();
        if (graphics.fullscreen) graphics.SetFullscreen(true);
        InputManager::GetInstance().Update();
        engine.RequestFirstLoad();
    } else {
        exitCode = 1;
        engine.state = EngineState::QuitState;
    }

    while (engine.state != EngineState::Stopped) engine.Tick();

    platform::DestroyMainWindow();
    platform::TerminateWindowSystem();
    return exitCode;
}

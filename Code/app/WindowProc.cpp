#include "app/WindowProc.h"

#include "gameobjectengine/EngineState.h"
#include "gameobjectengine/InputManager.h"
#include "graphics/GraphicsEngine.h"

namespace {

void OnKey(int virtualKey, bool down) { InputManager::GetInstance().OnKey(virtualKey, down); }

void OnClose() {
    GraphicsEngine::GetInstance().Shutdown();
    EngineState::GetInstance().state = EngineState::QuitState;
}

void OnResize(int width, int height) { GraphicsEngine::GetInstance().OnResize(width, height); }

}  // namespace

platform::WindowHandlers GameWindowHandlers() {
    platform::WindowHandlers handlers;
    handlers.onKey = OnKey;
    handlers.onClose = OnClose;
    handlers.onResize = OnResize;
    return handlers;
}

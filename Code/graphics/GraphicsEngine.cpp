#include "graphics/GraphicsEngine.h"

#include "platform/Window.h"

GraphicsEngine& GraphicsEngine::GetInstance() {
    static GraphicsEngine instance;
    return instance;
}

bool GraphicsEngine::Init() {
    initialised = true;
    return true;
}

void GraphicsEngine::Render() {
    if (!initialised || shutDown) return;
    platform::SwapMainWindow();
}

void GraphicsEngine::Shutdown() {
    shutDown = true;
    platform::HideMainWindow();
}

void GraphicsEngine::ReleaseUnusedTextures() {}

void GraphicsEngine::SetFullscreen(bool value) {
    if (shutDown) return;
    fullscreen = value;
    platform::SetMainWindowFullscreen(value, width, height);
}

void GraphicsEngine::OnResize(int, int) {}

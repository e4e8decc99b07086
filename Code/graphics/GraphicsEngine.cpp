#include "graphics/GraphicsEngine.h"

#include "platform/Window.h"

#include <algorithm>

#include "graphics/Render.h"
#include "graphics/SpriteRenderer.h"

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

void GraphicsEngine::AddRender(::Render* render) {
    auto at = std::find_if(renderList.begin(), renderList.end(),
                           [render](const ::Render* listed) { return listed->layer >= render->layer; });
    renderList.insert(at, render);
}

void GraphicsEngine::RemoveRender(::Render* render) { std::erase(renderList, render); }

void GraphicsEngine::LoadTexture(SpriteRenderer* sprite, const std::string&) { sprite->texture = 0; }

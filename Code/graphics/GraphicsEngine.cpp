#include "graphics/GraphicsEngine.h"

#include <algorithm>
#include <set>

#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/Transform.h"
#include "graphics/Camera.h"
#include "graphics/GlFunctions.h"
#include "graphics/GlRenderer.h"
#include "graphics/Render.h"
#include "graphics/SpriteRenderer.h"
#include "platform/MessageBox.h"
#include "platform/Window.h"

namespace {
bool gAlive = false;

bool Fail(const char* text, const std::string& detail = "") {
    platform::ShowMessageBox("GRAPHICS ENGINE", text, detail);
    return false;
}
}  // namespace

GraphicsEngine& GraphicsEngine::GetInstance() {
    static GraphicsEngine instance;
    return instance;
}

bool GraphicsEngine::Alive() { return gAlive; }

GraphicsEngine::GraphicsEngine() { gAlive = true; }

GraphicsEngine::~GraphicsEngine() {
    // The context is gone by now: free our objects without any GL call.
    textures.SetBackend(nullptr);
    DeleteBuiltins();
    gAlive = false;
}

bool GraphicsEngine::Init() {
    if (initialised) return true;
    auto renderer = std::make_unique<GlRenderer>();
    if (!renderer->LoadFunctions()) return Fail("Loading OpenGL Functions Failed!", DescribeContext());
    if (!renderer->CreateBuffers()) return Fail("Buffer Creation Failed!");
    if (!renderer->CreateShaders()) return Fail("Shader Creation Failed!");
    gl_ = std::move(renderer);
    textures.SetBackend(gl_.get());
    if (std::string why; !LoadFontGlyphs(fontPath, kGlyphPixels, gl_.get(), glyphs, &why)) {
        textures.SetBackend(nullptr);
        gl_.reset();
        return Fail("True type font init failed!", why);
    }
    if (!particlePass) {
        particlePass = new ::Render(0, 10);
        particlePass->owner = nullptr;  // built-in: drawn whatever object 0 is
        particlePass->type = ::Render::kParticles;
    }
    LoadDamageFonts();
    // The window manager may already have resized the window: the viewport follows the
    // real framebuffer, the projection stays 1920 x 1080.
    int framebufferWidth = width, framebufferHeight = height;
    platform::CurrentFramebufferSize(framebufferWidth, framebufferHeight);
    if (framebufferWidth <= 0 || framebufferHeight <= 0) {
        framebufferWidth = width;
        framebufferHeight = height;
    }
    gl_->SetViewport(0, 0, framebufferWidth, framebufferHeight);
    gl_->SetProjection(Matrix4::Ortho(static_cast<float>(width), static_cast<float>(height)));
    cameraOffset[0] = cameraOffset[1] = cameraOffset[2] = 0.0f;
    RegisterBuiltins();
    initialised = true;
    shutDown = false;
    return true;
}

void GraphicsEngine::Render() {
    if (!initialised || shutDown || !gl_) {
        // Nothing draws, but the emitters submitted this frame's particles all the same.
        particleQueue.clear();
        return;
    }
    DrawFrame();
    platform::SwapMainWindow();
}

void GraphicsEngine::DrawFrame() {
    if (!gl_) return;
    gl_->BeginFrame();
    UpdateCameraOffset();
    DrawListTo(*gl_);
    gl_->Flush();
    gl_->DrawDebugLines(*this);
}

void GraphicsEngine::Shutdown() {
    if (shutDown) return;
    shutDown = true;
    particleQueue.clear();
    renderList.clear();
    DeleteBuiltins();
    // Texture calls from here on find no backend and return at once; the GL names die
    // with the context after the main loop.
    textures.SetBackend(nullptr);
    textures.Forget();
    platform::HideMainWindow();
}

void GraphicsEngine::DeleteBuiltins() {
    if (particlePass) std::erase(renderList, particlePass);
    delete particlePass;
    particlePass = nullptr;
    for (SpriteRenderer*& font : damageFonts) {
        delete font;
        font = nullptr;
    }
}

void GraphicsEngine::SetFullscreen(bool value) {
    if (shutDown) return;
    fullscreen = value;
    // Compared with what the window shows, not with the flag: a flag set before the
    // window opened (saved settings) must still switch the window now. A window that
    // already shows the asked mode is left alone, cursor included.
    if (!platform::MainWindow() || value == windowFullscreen_) return;
    platform::SetMainWindowFullscreen(value, width, height);
    windowFullscreen_ = value;
}

void GraphicsEngine::OnResize(int windowWidth, int windowHeight) {
    if (!initialised || shutDown || !gl_) return;
    gl_->SetViewport(0, 0, windowWidth, windowHeight);
}

void GraphicsEngine::AddRender(::Render* render) {
    if (!render) return;
    auto at = std::find_if(renderList.begin(), renderList.end(),
                           [render](const ::Render* listed) { return listed->layer >= render->layer; });
    renderList.insert(at, render);
    if (render->type != ::Render::kSprite) return;
    if (auto* sprite = dynamic_cast<SpriteRenderer*>(render)) {
        textures.MarkUsed(sprite->texture);
        if (sprite->controllerDependent) {
            textures.MarkUsed(sprite->pcTexture);
            textures.MarkUsed(sprite->ps4Texture);
            textures.MarkUsed(sprite->x360Texture);
        }
    }
}

void GraphicsEngine::RemoveRender(::Render* render) {
    auto it = std::find(renderList.begin(), renderList.end(), render);
    if (it != renderList.end()) renderList.erase(it);
}

Texture GraphicsEngine::LoadTexture(const std::string& path) {
    if (shutDown) return Texture{};
    return textures.Load(path);
}

Texture GraphicsEngine::HoldTexture(const std::string& path) {
    if (shutDown) return Texture{};
    return textures.Hold(path);
}

bool GraphicsEngine::LoadSpriteTexture(SpriteRenderer& sprite, const std::string& path, bool held) {
    bool hit = false;
    const Texture loaded = shutDown ? Texture{} : held ? textures.Hold(path, &hit) : textures.Load(path, &hit);
    if (loaded.id == 0) {
        sprite.texture = 0;
        return false;
    }
    sprite.file = path;
    sprite.texture = loaded.id;
    if (!hit) {
        sprite.width = loaded.width;
        sprite.height = loaded.height;
    }
    return true;
}

void GraphicsEngine::RegisterBuiltins() {
    if (particlePass) {
        std::erase(renderList, particlePass);
        AddRender(particlePass);
    }
    for (SpriteRenderer* font : damageFonts)
        if (font) textures.MarkUsed(font->texture);
}

std::set<uint32_t> GraphicsEngine::ListedTextures() const {
    std::set<uint32_t> listed;
    for (const ::Render* entry : renderList) {
        const auto* sprite = dynamic_cast<const SpriteRenderer*>(entry);
        if (!sprite) continue;
        for (uint32_t name : {sprite->texture, sprite->pcTexture, sprite->ps4Texture, sprite->x360Texture})
            if (name != 0) listed.insert(name);
    }
    return listed;
}

void GraphicsEngine::ReleaseUnusedTextures() {
    RegisterBuiltins();
    // Whatever is still listed (sprites of persistent objects, their other platform
    // pictures, bar pieces) keeps its textures even when it registered them long ago.
    textures.Release(ListedTextures());
    particleQueue.clear();
}

void GraphicsEngine::ReleaseTexturesBefore(const std::vector<std::string>& paths) {
    // The old scene's pictures would otherwise stay resident while the new scene's are
    // decoded and uploaded, and a load would peak at both levels' pictures together.
    // What the release after the build keeps is kept here too: the used and pinned sets,
    // listed sprites and the damage fonts.
    std::set<uint32_t> keep = ListedTextures();
    for (const SpriteRenderer* font : damageFonts)
        if (font && font->texture != 0) keep.insert(font->texture);
    textures.ReleaseScenePictures(paths, keep);
}

bool GraphicsEngine::LoadDamageFonts() {
    for (int i = 0; i < kDamageFonts; ++i) {
        if (!damageFonts[i]) {
            damageFonts[i] = new SpriteRenderer(0);
            damageFonts[i]->owner = nullptr;  // never listed, never tied to an object
        }
        damageFonts[i]->LoadTexture(damageFontPaths[i]);
    }
    return true;
}

void GraphicsEngine::UpdateCameraOffset() {
    cameraOffset[0] = cameraOffset[1] = cameraOffset[2] = 0.0f;
    Camera* camera = Camera::Main();
    if (!camera || !camera->owner) return;
    const Transform* t = camera->owner->GetComponent<Transform>();
    if (!t) return;
    cameraOffset[0] = -t->x;
    cameraOffset[1] = -t->y;
}

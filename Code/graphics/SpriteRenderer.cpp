#include "graphics/SpriteRenderer.h"

#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/InputManager.h"
#include "gameobjectengine/Transform.h"
#include "graphics/GraphicsEngine.h"

namespace {
// Far more tiles than any picture of at least one pixel needs to cover the screen.
constexpr float kMaxParallaxTiles = 65536.0f;
}  // namespace

SpriteRenderer::SpriteRenderer(int32_t objectID, std::string path)
    : Render(objectID, 0), file(std::move(path)) {}

SpriteRenderer::SpriteRenderer(const JsonValue& json) : Render(json) {
    controllerDependent = json::ReadFlag(json, "controllerDependent", false);
    if (controllerDependent) {
        ps4file = json::ReadString(json, "ps4file", "");
        if (!ps4file.empty()) {
            LoadPadTexture(ps4file);
            ps4Texture = texture;
        }
        x360file = json::ReadString(json, "x360file", "");
        if (!x360file.empty()) {
            LoadPadTexture(x360file);
            x360Texture = texture;
        }
    }
    if (json::Has(json, "file")) {
        const std::string path = json::ReadString(json, "file", "");
        if (!path.empty()) {
            LoadTexture(path);
            pcTexture = texture;
        }
    }
    textureAtlas = json::ReadFlag(json, "textureAtlas", false);
    numSprites = json::ReadUint(json, "numSprites", 0);
    currX = json::ReadFloat(json, "currX", 0.0f);
    currY = json::ReadFloat(json, "currY", 0.0f);
    parallax = json::ReadFlag(json, "parallax", false);
}

SpriteRenderer::SpriteRenderer(const SpriteRenderer& other) = default;

SpriteRenderer::~SpriteRenderer() {
    if (GraphicsEngine::Alive()) GraphicsEngine::GetInstance().RemoveRender(this);
}

Component* SpriteRenderer::Clone() const { return new SpriteRenderer(*this); }

bool SpriteRenderer::LoadTexture(const std::string& path) {
    return GraphicsEngine::GetInstance().LoadSpriteTexture(*this, path);
}

bool SpriteRenderer::LoadPadTexture(const std::string& path) {
    return GraphicsEngine::GetInstance().LoadSpriteTexture(*this, path, true);
}

void SpriteRenderer::Awake() {
    if (controllerDependent) {
        auto fill = [this](uint32_t& slot, const std::string& path, bool pad) {
            if (slot != 0 || path.empty()) return;
            // A failed load leaves `texture` 0, so the slot keeps nothing.
            if (pad ? LoadPadTexture(path) : LoadTexture(path)) slot = texture;
        };
        const std::string pcPath = file;
        fill(pcTexture, pcPath, false);
        fill(ps4Texture, ps4file, true);
        fill(x360Texture, x360file, true);
    } else if (texture == 0 && !file.empty()) {
        LoadTexture(file);
    }
    Render::Awake();
    GraphicsEngine::GetInstance().AddRender(this);
    currX = 0.0f;
    currY = 0.0f;
}

void SpriteRenderer::Start() {
    Render::Start();
    if (parallax && transform) {
        const float s = transform->scaleX;
        const float w = static_cast<float>(GraphicsEngine::GetInstance().width);
        // A scale of 0 or less, infinite, or so small that the count would not fit is
        // no background to tile (the comparisons are also false for NaN).
        if (s > 0.0f && (2.0f * s + w) / s < kMaxParallaxTiles) {
            numSprites = static_cast<uint32_t>((2.0f * s + w) / s) + 1;
            transform->scaleX = s * static_cast<float>(numSprites);
            transform->x = transform->scaleX;
            parallaxActive = true;
        }
    }
    if (controllerDependent) PickControllerTexture();
}

void SpriteRenderer::Update() {
    if (controllerDependent) PickControllerTexture();
}

void SpriteRenderer::OnDestroy() {
    if (GraphicsEngine::Alive()) GraphicsEngine::GetInstance().RemoveRender(this);
}

void SpriteRenderer::PickControllerTexture() {
    const InputManager& input = InputManager::GetInstance();
    uint32_t chosen = pcTexture;
    if (input.wirelessPadPresent)
        chosen = ps4Texture;
    else if (input.xboxPadPresent)
        chosen = x360Texture;
    texture = chosen != 0 ? chosen : pcTexture;
}

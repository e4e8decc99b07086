#pragma once
// Draws one textured quad: a whole picture, one cell of an n x n sheet, a tiled
// parallax background, or a picture chosen by the kind of gamepad plugged in.
#include <cstdint>
#include <string>

#include "graphics/Render.h"

class SpriteRenderer : public Render {
public:
    // Code default: layer 0, the given file, one cell; loads nothing until Awake.
    SpriteRenderer(int32_t objectID, std::string file = std::string());
    // Render keys, then "controllerDependent", "ps4file", "x360file", "file",
    // "textureAtlas", "numSprites", "currX", "currY", "parallax"; textures load at once.
    explicit SpriteRenderer(const JsonValue& json);
    SpriteRenderer(const SpriteRenderer& other);
    SpriteRenderer& operator=(const SpriteRenderer&) = delete;
    ~SpriteRenderer() override;

    // Loads what is missing, lists the sprite for drawing, resets the cell to (0, 0).
    void Awake() override;
    // Transform look-up, parallax set-up, first controller pick.
    void Start() override;
    // Picks the texture by the connected gamepad (controller-dependent sprites only).
    void Update() override;
    // Leaves the render list.
    void OnDestroy() override;
    Component* Clone() const override;

    // Loads a PNG through the texture cache; on success sets `file`, `texture` (and
    // `width`, `height` when decoded now) and returns true; on failure `texture` is 0.
    bool LoadTexture(const std::string& path);
    // The same for a game pad's version of the picture: decoded when first drawn, as
    // most players never connect that pad (TextureCache::Hold).
    bool LoadPadTexture(const std::string& path);

    std::string file;
    bool textureAtlas = false;
    uint32_t numSprites = 1;  // cells per row and column; tiles for a parallax sprite
    float currX = 0.0f;       // column of the drawn cell
    float currY = 0.0f;       // row of the drawn cell
    bool controllerDependent = false;
    std::string ps4file;
    std::string x360file;
    bool parallax = false;
    uint32_t texture = 0;  // GL name drawn now, 0 = none
    uint32_t width = 0;
    uint32_t height = 0;
    bool parallaxActive = false;
    int32_t parallaxCount = 1;
    float tintStrength = 0.0f;  // 0 no tint; flashes set 0.5 with the flash colour in `color`
    uint32_t pcTexture = 0;
    uint32_t ps4Texture = 0;
    uint32_t x360Texture = 0;

    // Picks ps4Texture, else x360Texture, else pcTexture, by the gamepads present;
    // a chosen 0 falls back to pcTexture.
    void PickControllerTexture();
};

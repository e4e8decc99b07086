#pragma once
// The graphics engine: context, programs, textures, render list and the frame.
// (Filled in by the rendering work; the entry point and the tick need these calls.)
#include <cstdint>
#include <string>
#include <vector>

class Render;
class SpriteRenderer;

class GraphicsEngine {
public:
    static GraphicsEngine& GetInstance();

    // Runs once the window and its context exist; false fails start-up (its message shown).
    bool Init();
    // Clear, the render list, debug lines, buffer swap. Does nothing without Init or after Shutdown.
    void Render();
    // Marks the engine shut down: render and texture calls become no-ops, the window is hidden.
    void Shutdown();
    // Releases the textures that nothing of the new scene uses.
    void ReleaseUnusedTextures();
    void SetFullscreen(bool fullscreen);
    bool IsFullscreen() const { return fullscreen; }
    void OnResize(int width, int height);

    // Lists a drawable (sorted by layer; among equal layers the newest first).
    void AddRender(::Render* render);
    // Takes a drawable off the list (no-op when it is not listed).
    void RemoveRender(::Render* render);
    // Loads a PNG for a sprite through the texture cache.
    void LoadTexture(SpriteRenderer* sprite, const std::string& path);

    std::vector<::Render*> renderList;
    int width = 1920;
    int height = 1080;
    std::string title = "harrowvale";
    bool fullscreen = false;
    bool initialised = false;
    bool shutDown = false;

private:
    GraphicsEngine() = default;
};

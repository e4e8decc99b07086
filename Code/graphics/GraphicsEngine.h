#pragma once
// The graphics engine: context, programs, textures, render list and the frame.
// (Filled in by the rendering work; the entry point and the tick need these calls.)
#include <string>

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

    int width = 1920;
    int height = 1080;
    std::string title = "harrowvale";
    bool fullscreen = false;
    bool initialised = false;
    bool shutDown = false;

private:
    GraphicsEngine() = default;
};

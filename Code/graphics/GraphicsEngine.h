#pragma once
// The graphics engine: GL start-up, the four programs, the texture cache, the render
// list and the particle queue, the glyphs, the debug lines and the frame.
//
// Without Init (headless tests) or after Shutdown, Render and the texture calls do
// nothing; the render list still works, and DrawListTo computes a frame's draws.
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "gameobjectengine/Handle.h"
#include "graphics/Font.h"
#include "graphics/TextureCache.h"

class Render;
class SpriteRenderer;
class UIText;
class DrawTarget;
class GlRenderer;
struct Particle;

struct DebugLine {
    bool used = false;
    int32_t kind = 0;
    float x1 = 0.0f, y1 = 0.0f, x2 = 0.0f, y2 = 0.0f;
    std::string label;
};

// A particle on the queue and the life of whatever keeps it (its emitter): the pass
// skips the particle once that life has ended. A particle queued without one is the
// submitter's to keep alive until the pass.
struct QueuedParticle {
    Particle* particle = nullptr;
    LifeRef keeper;

    bool Drawable() const { return particle && (keeper.Empty() || keeper.Alive()); }
};

class GraphicsEngine {
public:
    static constexpr int kDebugLines = 250;
    static constexpr int kDamageFonts = 4;
    static constexpr int kGlyphPixels = 144;

    static GraphicsEngine& GetInstance();
    // False once the engine object has been destroyed at exit (destructors of
    // components that outlive it must not reach it).
    static bool Alive();

    // GL start-up on the current context: functions, buffers, programs, font, particle
    // pass, damage fonts, projection. False on failure, after its "GRAPHICS ENGINE" box.
    bool Init();
    // One frame: clear, the render list, debug lines, buffer swap. Without Init or after
    // Shutdown it only empties the particle queue (no frame may leave it filled).
    void Render();
    // Marks the engine shut down: Render, SetFullscreen and texture calls return at
    // once from now on; the list and cache are emptied, the window hidden. The window
    // itself is destroyed after the main loop.
    void Shutdown();
    // Borderless monitor-sized window with the cursor hidden, or the decorated
    // 1920 x 1080 window with the cursor shown. Without a window only the flag is kept
    // (the start-up applies it once the window exists).
    void SetFullscreen(bool fullscreen);
    bool IsFullscreen() const { return fullscreen; }
    // The projection stays 1920 x 1080; only the viewport follows the window.
    void OnResize(int width, int height);

    // Lists a drawable (by layer; among equal layers the newest first) and, for a
    // sprite, marks its textures used.
    void AddRender(::Render* render);
    // Erases the first listed occurrence (nothing when absent).
    void RemoveRender(::Render* render);

    // A PNG through the cache (sizes 0 on a hit); id 0 on failure or without GL.
    Texture LoadTexture(const std::string& path);
    // A PNG loaded in advance that may never show: cached under its name now, decoded
    // when first drawn or loaded (TextureCache::Hold).
    Texture HoldTexture(const std::string& path);
    // Fills a sprite from the cache or a new upload: on success `file`, `texture` (and,
    // when uploaded now, `width`/`height`); on failure `texture` 0. True on success.
    // `held`: a picture not cached yet is held (see HoldTexture), not uploaded.
    bool LoadSpriteTexture(SpriteRenderer& sprite, const std::string& path, bool held = false);
    const uint32_t* FindTexture(const std::string& path) const { return textures.Find(path); }
    void CacheTexture(const std::string& path, uint32_t name) { textures.Cache(path, name); }
    // Kept by the next release.
    void PinTexture(uint32_t name) { textures.MarkUsed(name); }
    // Kept by every release (the pictures of objects that survive scene loads).
    void PinTextureForever(uint32_t name) { textures.PinForever(name); }
    // Lists the particle pass (once) and marks the damage fonts used.
    void RegisterBuiltins();
    // After a scene is built: deletes cached textures that nothing uses (the used and
    // pinned sets, and every sprite still listed, are kept); empties the particle queue.
    void ReleaseUnusedTextures();
    // Before a new scene is built (the old one cleared): deletes the old scene's own
    // pictures and those no sprite ever showed, where the new scene does not name them
    // (`paths`) and its release would delete them too.
    void ReleaseTexturesBefore(const std::vector<std::string>& paths);
    // Uploads go through this backend (tests install a fake one; null turns loads off).
    void SetTextureBackend(TextureBackend* backend) { textures.SetBackend(backend); }

    // Queues a particle for this frame's particle pass (front first). The queue keeps
    // its storage from frame to frame: submitting and draining allocate nothing once
    // it has grown to a frame's particle count.
    // A particle kept by an emitter names the emitter's life: one that dies before the
    // render leaves nothing drawn and nothing read.
    void SubmitParticle(Particle* particle, LifeRef keeper = {}) { particleQueue.push_back({particle, keeper}); }

    // The camera shift of this frame: minus the main camera's position, or 0, 0.
    void UpdateCameraOffset();
    // Walks the render list once as a frame does and hands every draw to the target.
    void DrawListTo(DrawTarget& target);
    // A frame without the buffer swap: clear, camera, list, debug lines (needs Init).
    void DrawFrame();
    // The GL side, null until Init succeeds.
    GlRenderer* Renderer() const { return gl_.get(); }

    // Builds the damage-font sprites (never listed) from the four sheets.
    bool LoadDamageFonts();

    int width = 1920;
    int height = 1080;
    std::string title = "harrowvale";
    bool fullscreen = false;
    bool initialised = false;
    bool shutDown = false;

    std::vector<::Render*> renderList;
    TextureCache textures;
    std::vector<QueuedParticle> particleQueue;  // drained whole by the particle pass
    float cameraOffset[3] = {0.0f, 0.0f, 0.0f};
    DebugLine debugLines[kDebugLines];
    const char* damageFontPaths[kDamageFonts] = {
        "Assets/Art/UI/DamageFont.png", "Assets/Art/UI/DamageFontNormal.png", "Assets/Art/UI/DamageFontShield.png",
        "Assets/Art/UI/DamageFontHeal.png"};
    SpriteRenderer* damageFonts[kDamageFonts] = {};
    GlyphTable glyphs;
    ::Render* particlePass = nullptr;
    const char* fontPath = "Assets/Fonts/Fowviel.ttf";

    ~GraphicsEngine();

private:
    GraphicsEngine();
    GraphicsEngine(const GraphicsEngine&) = delete;
    GraphicsEngine& operator=(const GraphicsEngine&) = delete;

    // The textures every listed sprite holds (persistent objects', bar pieces').
    std::set<uint32_t> ListedTextures() const;
    void DrawSprite(SpriteRenderer& sprite, DrawTarget& target);
    void DrawText(UIText& text, DrawTarget& target);
    void DrawDamageText(UIText& text, DrawTarget& target);
    void DrawParticles(DrawTarget& target);
    void DeleteBuiltins();

    std::unique_ptr<GlRenderer> gl_;
    bool windowFullscreen_ = false;  // what the window shows (it opens windowed)
};

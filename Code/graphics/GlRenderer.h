#pragma once
// The OpenGL side of the graphics engine: entry points, buffers, the four programs,
// texture uploads, and the draw calls of the passes.
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "graphics/DrawSavings.h"
#include "graphics/GlBatch.h"
#include "graphics/Matrix4.h"
#include "graphics/RenderPasses.h"
#include "graphics/TextureCache.h"

class GraphicsEngine;

// One program and its uniform locations (-1 for a name the source lacks).
struct ShaderInfo {
    uint32_t program = 0;
    const char* vertexPath = "";
    const char* fragmentPath = "";
    const char* uniformNames[6] = {};
    int32_t locations[6] = {-1, -1, -1, -1, -1, -1};
    int uniformCount = 0;
    template <typename Uniform>
    int32_t Location(Uniform uniform) const { return locations[static_cast<int>(uniform)]; }
};

class GlRenderer final : public DrawTarget, public TextureBackend {
public:
    enum class Program { Sprite, Text, Debug, Particle, Count };
    static constexpr int kProgramCount = static_cast<int>(Program::Count);
    // Uniform indices within each program, in the order they are looked up; the
    // projection is the first of every program.
    enum class SpriteUniform { Projection = 0, Transform = 1, AlphaValue = 2, Scale = 3, UvCoords = 4, Tint = 5 };
    enum class TextUniform { Color = 1, Sampler = 2 };
    enum class ParticleUniform { Transform = 1, Alpha = 2 };

    // Batched: runs of records sharing program and texture go out as one draw, and
    // bindings are made only when they change. OneDrawPerItem: each record is its own
    // draw that binds everything and unbinds its vertex array and texture afterwards
    // (kept as the reference the batched pictures are compared with).
    enum class Submission { Batched, OneDrawPerItem };

    GlRenderer();

    // The entry points of the current context; false when the context is older than 4.3,
    // has the core profile, or lacks a name.
    bool LoadFunctions();
    // The four vertex arrays and buffers and the fixed blend and cull state.
    bool CreateBuffers();
    // Builds sprite, text, debug and particle programs in that order; false at the first failure.
    bool CreateShaders();

    void SetViewport(int x, int y, int width, int height);
    void SetProjection(const Matrix4& projection);
    void BeginFrame();
    // Draws whatever is still pending; leaves no vertex array or texture bound.
    void Flush();
    void SetSubmission(Submission submission);
    Submission CurrentSubmission() const { return submission_; }
    // On (the default): draws that cannot change a pixel are left out, pictures drawn
    // texel for texel sample nearest and only their visible box, opaque pictures at full
    // opacity are written without blending (see DrawSavings.h). Off: every record is
    // drawn as it comes (the reference the pictures are compared with).
    void SetDrawSavings(bool on);
    bool DrawSavings() const { return savings_; }
    // What the decoder found in a picture's pixels; null for glyphs and unknown names.
    const PictureFacts* Facts(uint32_t texture) const;
    const DrawScreen& Screen() const { return screen_; }
    // Draw calls of the passes since the last BeginFrame.
    uint32_t DrawCalls() const { return drawCalls_ + batch_.drawCalls; }
    // Draws and frees the used debug-line slots.
    void DrawDebugLines(GraphicsEngine& engine);

    void DrawSpriteQuad(const SpriteDraw& draw) override;
    void DrawGlyphQuad(const GlyphDraw& draw) override;
    void DrawParticleQuad(const ParticleDraw& draw) override;

    uint32_t UploadRgba(const unsigned char* pixels, uint32_t width, uint32_t height) override;
    uint32_t Reserve() override;
    void Allocate(uint32_t name, uint32_t width, uint32_t height) override;
    void FillRows(uint32_t name, uint32_t width, uint32_t firstRow, uint32_t rows, const unsigned char* pixels) override;
    uint32_t UploadGlyph(const unsigned char* rows, int width, int height, int pitch) override;
    void Delete(uint32_t name) override;
    void Describe(uint32_t name, const PictureFacts& facts) override;

    const ShaderInfo& Shader(Program which) const { return shaders_[static_cast<int>(which)]; }

private:
    bool Batching() const;
    void DrawSpriteNow(const SpriteDraw& draw, const SpriteState& state = SpriteState{});
    void SubmitSprites(const SpritePlan& plan);

    void DrawGlyphNow(const GlyphDraw& draw);
    void DrawParticleNow(const ParticleDraw& draw);
    // Bindings changed behind the batch's back.
    void BindingsChanged();

    ShaderInfo& ShaderSlot(Program which) { return shaders_[static_cast<int>(which)]; }

    ShaderInfo shaders_[kProgramCount];
    GlBatch batch_;
    Submission submission_ = Submission::Batched;
    bool savings_ = true;
    DrawScreen screen_;
    uint32_t nearestRepeat_ = 0, nearestClamp_ = 0;  // sampler objects
    std::unordered_map<uint32_t, PictureFacts> facts_;  // by texture name
    uint32_t drawCalls_ = 0;
    uint32_t vao_[4] = {};
    uint32_t vbo_[4] = {};
    uint32_t ebo_ = 0;
    std::vector<unsigned char> glyphRows_;  // tight copy of a glyph bitmap
};

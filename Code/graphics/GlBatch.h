#pragma once
// Draw submission without per-draw state churn: runs of consecutive sprite (and digit),
// glyph and particle records that share program and texture go out as one draw, from a
// streamed vertex buffer, in the order they came. Program, vertex array, buffer,
// texture and text colour are bound only when they change.
//
// The pictures are those of one draw per record: each sprite's and particle's uniforms
// travel with its vertices into programs doing the same arithmetic, and a glyph run
// breaks wherever the text colour changes. Draws within one call are rasterised and
// blended in order, as separate calls are.
#include <cstdint>
#include <vector>

#include "graphics/Matrix4.h"
#include "graphics/RenderPasses.h"

struct ShaderInfo;

// How a sprite run is drawn beside its program and texture.
struct SpriteState {
    uint32_t sampler = 0;  // 0: the picture's own linear sampling
    bool blend = true;
    bool scissor = false;
    int32_t box[4] = {};  // the scissor box: x, y from the bottom, width, height
    bool operator==(const SpriteState&) const = default;
};

// Sets the GL state for sprites drawn so: only what differs from `current`, or all of it
// when `current` is null.
void ApplySpriteState(const SpriteState& state, const SpriteState* current);

class GlBatch {
public:
    // The two programs and the buffers; false (nothing usable) when a program fails.
    bool Create();
    void SetProjection(const Matrix4& projection);

    // The state is part of the run: a change starts a new one.
    void Sprite(const SpriteDraw& draw, const SpriteState& state = SpriteState{});
    // Glyphs go through the text program as they always do.
    void Glyph(const GlyphDraw& draw, const ShaderInfo& text);
    void Particle(const ParticleDraw& draw);
    // Draws what is pending.
    void Flush();
    // Someone else has bound things: bind everything afresh next time.
    void ForgetBindings();

    bool Ready() const { return ready_; }
    uint32_t drawCalls = 0;

private:
    enum class Kind { None, Sprite, Glyph, Particle };
    static constexpr uint32_t kUnknown = 0xFFFFFFFFu;

    // Starts a new run unless this record continues the pending one.
    void Continue(Kind kind, uint32_t texture, const float* color, const SpriteState& state = SpriteState{});
    void UseProgram(uint32_t program);
    void BindVertexArray(uint32_t vao);
    void BindTexture(uint32_t texture);
    void ApplyState(const SpriteState& state);
    void Upload(uint32_t buffer, const std::vector<float>& data);

    bool ready_ = false;
    uint32_t spriteProgram_ = 0, particleProgram_ = 0;
    uint32_t vao_[3] = {};
    uint32_t vbo_[3] = {};
    uint32_t ebo_ = 0;
    std::vector<float> vertices_;

    Kind kind_ = Kind::None;
    uint32_t texture_ = 0;
    uint32_t count_ = 0;  // records pending
    SpriteState state_;
    float color_[3] = {};
    const ShaderInfo* text_ = nullptr;

    uint32_t boundProgram_ = kUnknown, boundVao_ = kUnknown, boundTexture_ = kUnknown;
    SpriteState stateSet_;
    bool stateKnown_ = false;
    uint32_t colorProgram_ = kUnknown;  // text program whose colour is colorSet_
    float colorSet_[3] = {};
};

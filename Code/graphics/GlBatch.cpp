#include "graphics/GlBatch.h"

#include <cstring>

#include "graphics/GlFunctions.h"
#include "graphics/GlRenderer.h"
#include "graphics/ShaderProgram.h"

namespace {

// The most records one call draws; a longer run is sent in parts.
constexpr uint32_t kMaxRecords = 4096;
// Floats per vertex: sprite (position 3, texCoord 2, model 16, scale 2, uvCoords 2,
// alpha 1, tint 4), glyph (x, y, u, v), particle (vertex 4, model 16, alpha 1).
constexpr int kSpriteFloats = 30, kGlyphFloats = 4, kParticleFloats = 21;

// The corners of the one-sprite quad (position, texCoord) and of the particle quad.
constexpr float kQuad[4][5] = {{1, 1, 0, 1, 0}, {1, -1, 0, 1, 1}, {-1, -1, 0, 0, 1}, {-1, 1, 0, 0, 0}};
constexpr float kParticle[6][4] = {{0, 1, 0, 1}, {1, 0, 1, 0}, {0, 0, 0, 0}, {0, 1, 0, 1}, {1, 1, 1, 1}, {1, 0, 1, 0}};

const GLFunctions& Gl() { return GetGLFunctions(); }

void Attribute(GLuint location, int size, int stride, int offset) {
    Gl().glVertexAttribPointer(location, size, GL_FLOAT, GL_FALSE, stride * 4,
                               reinterpret_cast<void*>(static_cast<std::size_t>(offset) * 4));
    Gl().glEnableVertexAttribArray(location);
}

}  // namespace

void ApplySpriteState(const SpriteState& state, const SpriteState* current) {
    if (!current || state.sampler != current->sampler) Gl().glBindSampler(0, state.sampler);
    if (!current || state.blend != current->blend) {
        if (state.blend) glEnable(GL_BLEND);
        else glDisable(GL_BLEND);
    }
    if (!current || state.scissor != current->scissor) {
        if (state.scissor) glEnable(GL_SCISSOR_TEST);
        else glDisable(GL_SCISSOR_TEST);
    }
    if (state.scissor &&
        (!current || !current->scissor || std::memcmp(state.box, current->box, sizeof(state.box)) != 0))
        glScissor(state.box[0], state.box[1], state.box[2], state.box[3]);
}

bool GlBatch::Create() {
    const GLFunctions& gl = Gl();
    if (!CreateShaderProgram(gl, spriteProgram_, "Code/Shaders/batchvertexshader.glsl",
                             "Code/Shaders/batchfragmentshader.glsl") ||
        !CreateShaderProgram(gl, particleProgram_, "Code/Shaders/batchparticlevertexshader.glsl",
                             "Code/Shaders/batchparticlefragmentshader.glsl"))
        return false;
    gl.glGenVertexArrays(3, vao_);
    gl.glGenBuffers(3, vbo_);
    gl.glGenBuffers(1, &ebo_);

    std::vector<uint32_t> indices;
    indices.reserve(kMaxRecords * 6);
    for (uint32_t q = 0; q < kMaxRecords; ++q)
        for (uint32_t corner : {0u, 1u, 3u, 1u, 2u, 3u}) indices.push_back(q * 4 + corner);
    gl.glBindVertexArray(vao_[0]);
    gl.glBindBuffer(GL_ARRAY_BUFFER, vbo_[0]);
    gl.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, ebo_);
    gl.glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * 4), indices.data(),
                    GL_STATIC_DRAW);
    Attribute(0, 3, kSpriteFloats, 0);
    Attribute(1, 2, kSpriteFloats, 3);
    for (int column = 0; column < 4; ++column) Attribute(2 + column, 4, kSpriteFloats, 5 + column * 4);
    Attribute(6, 2, kSpriteFloats, 21);
    Attribute(7, 2, kSpriteFloats, 23);
    Attribute(8, 1, kSpriteFloats, 25);
    Attribute(9, 4, kSpriteFloats, 26);

    gl.glBindVertexArray(vao_[1]);
    gl.glBindBuffer(GL_ARRAY_BUFFER, vbo_[1]);
    Attribute(0, 4, kGlyphFloats, 0);

    gl.glBindVertexArray(vao_[2]);
    gl.glBindBuffer(GL_ARRAY_BUFFER, vbo_[2]);
    Attribute(0, 4, kParticleFloats, 0);
    for (int column = 0; column < 4; ++column) Attribute(1 + column, 4, kParticleFloats, 4 + column * 4);
    Attribute(5, 1, kParticleFloats, 20);

    gl.glBindVertexArray(0);
    gl.glBindBuffer(GL_ARRAY_BUFFER, 0);
    gl.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    vertices_.reserve(kMaxRecords * 6 * kParticleFloats);  // the largest record
    ForgetBindings();
    ready_ = glGetError() == GL_NO_ERROR;
    return ready_;
}

void GlBatch::SetProjection(const Matrix4& projection) {
    const GLFunctions& gl = Gl();
    for (uint32_t program : {spriteProgram_, particleProgram_}) {
        gl.glUseProgram(program);
        gl.glUniformMatrix4fv(gl.glGetUniformLocation(program, "projection"), 1, GL_FALSE, projection.m);
    }
    gl.glUseProgram(0);
    ForgetBindings();
}

void GlBatch::ForgetBindings() {
    boundProgram_ = boundVao_ = boundTexture_ = colorProgram_ = kUnknown;
    stateKnown_ = false;
}

void GlBatch::Continue(Kind kind, uint32_t texture, const float* color, const SpriteState& state) {
    const bool sameColor = kind != Kind::Glyph || std::memcmp(color, color_, sizeof(color_)) == 0;
    if (kind == kind_ && texture == texture_ && sameColor && state == state_ && count_ < kMaxRecords) return;
    Flush();
    kind_ = kind;
    texture_ = texture;
    state_ = state;
    if (kind == Kind::Glyph) std::memcpy(color_, color, sizeof(color_));
}

void GlBatch::Sprite(const SpriteDraw& d, const SpriteState& state) {
    Continue(Kind::Sprite, d.texture, nullptr, state);
    for (const auto& corner : kQuad) {
        vertices_.insert(vertices_.end(), corner, corner + 5);
        vertices_.insert(vertices_.end(), d.model.m, d.model.m + 16);
        vertices_.insert(vertices_.end(), {d.scale[0], d.scale[1], d.uvCoords[0], d.uvCoords[1], d.alpha});
        vertices_.insert(vertices_.end(), d.tint, d.tint + 4);
    }
    ++count_;
}

void GlBatch::Glyph(const GlyphDraw& d, const ShaderInfo& text) {
    text_ = &text;
    Continue(Kind::Glyph, d.texture, d.color);
    vertices_.insert(vertices_.end(), d.vertices, d.vertices + 24);
    ++count_;
}

void GlBatch::Particle(const ParticleDraw& d) {
    Continue(Kind::Particle, d.texture, nullptr);
    for (const auto& corner : kParticle) {
        vertices_.insert(vertices_.end(), corner, corner + 4);
        vertices_.insert(vertices_.end(), d.model.m, d.model.m + 16);
        vertices_.push_back(d.alpha);
    }
    ++count_;
}

void GlBatch::Flush() {
    if (count_ == 0) {
        kind_ = Kind::None;
        return;
    }
    const GLsizei records = static_cast<GLsizei>(count_);
    ApplyState(state_);
    switch (kind_) {
        case Kind::Sprite:
            UseProgram(spriteProgram_);
            BindVertexArray(vao_[0]);
            BindTexture(texture_);
            Upload(vbo_[0], vertices_);
            glDrawElements(GL_TRIANGLES, records * 6, GL_UNSIGNED_INT, nullptr);
            break;
        case Kind::Glyph:
            UseProgram(text_->program);
            if (colorProgram_ != text_->program || std::memcmp(colorSet_, color_, sizeof(color_)) != 0) {
                Gl().glUniform3f(text_->Location(GlRenderer::TextUniform::Color), color_[0], color_[1], color_[2]);
                std::memcpy(colorSet_, color_, sizeof(color_));
                colorProgram_ = text_->program;
            }
            BindVertexArray(vao_[1]);
            BindTexture(texture_);
            Upload(vbo_[1], vertices_);
            glDrawArrays(GL_TRIANGLES, 0, records * 6);
            break;
        case Kind::Particle:
            UseProgram(particleProgram_);
            BindVertexArray(vao_[2]);
            BindTexture(texture_);
            Upload(vbo_[2], vertices_);
            glDrawArrays(GL_TRIANGLES, 0, records * 6);
            break;
        case Kind::None:
            break;
    }
    ++drawCalls;
    vertices_.clear();
    count_ = 0;
    kind_ = Kind::None;
}

void GlBatch::UseProgram(uint32_t program) {
    if (program == boundProgram_) return;
    Gl().glUseProgram(program);
    boundProgram_ = program;
}

void GlBatch::BindVertexArray(uint32_t vao) {
    if (vao == boundVao_) return;
    Gl().glBindVertexArray(vao);
    boundVao_ = vao;
}

void GlBatch::BindTexture(uint32_t texture) {
    if (texture == boundTexture_) return;
    glBindTexture(GL_TEXTURE_2D, texture);
    boundTexture_ = texture;
}

void GlBatch::ApplyState(const SpriteState& state) {
    ApplySpriteState(state, stateKnown_ ? &stateSet_ : nullptr);
    stateSet_ = state;
    stateKnown_ = true;
}

void GlBatch::Upload(uint32_t buffer, const std::vector<float>& data) {
    const GLFunctions& gl = Gl();
    gl.glBindBuffer(GL_ARRAY_BUFFER, buffer);
    gl.glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(data.size() * sizeof(float)), data.data(),
                    GL_STREAM_DRAW);
}

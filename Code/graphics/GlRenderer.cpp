#include "graphics/GlRenderer.h"

#include <algorithm>
#include <cstring>

#include "graphics/GlFunctions.h"
#include "graphics/GraphicsEngine.h"
#include "graphics/ShaderProgram.h"
#include "platform/Window.h"

namespace {

void* ProcAddress(const char* name) { return platform::GlProcAddress(name); }

const GLFunctions& Gl() { return GetGLFunctions(); }

ShaderInfo MakeShader(const char* vertexPath, const char* fragmentPath, std::initializer_list<const char*> names) {
    ShaderInfo info;
    info.vertexPath = vertexPath;
    info.fragmentPath = fragmentPath;
    for (const char* name : names) info.uniformNames[info.uniformCount++] = name;
    return info;
}

}  // namespace

GlRenderer::GlRenderer() {
    ShaderSlot(Program::Sprite) =
        MakeShader("Code/Shaders/vertexshader.glsl", "Code/Shaders/fragmentshader.glsl",
                   {"projection", "transform", "alphaValue", "scale", "uvCoords", "tint"});
    ShaderSlot(Program::Text) = MakeShader("Code/Shaders/textvertexshader.glsl", "Code/Shaders/textfragmentshader.glsl",
                                           {"projection", "textColor", "text"});
    ShaderSlot(Program::Debug) =
        MakeShader("Code/Shaders/debugvertexshader.glsl", "Code/Shaders/debugfragmentshader.glsl", {"projection"});
    ShaderSlot(Program::Particle) =
        MakeShader("Code/Shaders/cpuparticlevertexshader.glsl", "Code/Shaders/cpuparticlefragmentshader.glsl",
                   {"projection", "transform", "alpha"});
}

bool GlRenderer::LoadFunctions() {
    // On Mesa the name look-up answers for any name, so the version decides first.
    if (!ContextSupported()) return false;
    return LoadGLFunctions(GetGLFunctions(), &ProcAddress);
}

bool GlRenderer::CreateBuffers() {
    const GLFunctions& gl = Gl();
    gl.glGenVertexArrays(4, vao_);
    gl.glGenBuffers(4, vbo_);
    gl.glGenBuffers(1, &ebo_);

    // Sprite quad: corners at +-1 with (u, v); v = 0 on the quad's lower edge on screen.
    static const float kQuad[20] = {1, 1, 0, 1, 0, 1, -1, 0, 1, 1, -1, -1, 0, 0, 1, -1, 1, 0, 0, 0};
    static const uint32_t kIndices[6] = {0, 1, 3, 1, 2, 3};
    gl.glBindVertexArray(vao_[0]);
    gl.glBindBuffer(GL_ARRAY_BUFFER, vbo_[0]);
    gl.glBufferData(GL_ARRAY_BUFFER, sizeof(kQuad), kQuad, GL_STATIC_DRAW);
    gl.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, ebo_);
    gl.glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof(kIndices), kIndices, GL_STATIC_DRAW);
    gl.glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 20, reinterpret_cast<void*>(0));
    gl.glEnableVertexAttribArray(0);
    gl.glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 20, reinterpret_cast<void*>(12));
    gl.glEnableVertexAttribArray(1);
    gl.glBindVertexArray(0);
    gl.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);

    // Text: six (x, y, u, v) rewritten for every glyph.
    gl.glBindVertexArray(vao_[1]);
    gl.glBindBuffer(GL_ARRAY_BUFFER, vbo_[1]);
    gl.glBufferData(GL_ARRAY_BUFFER, 96, nullptr, GL_DYNAMIC_DRAW);
    gl.glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, 16, reinterpret_cast<void*>(0));
    gl.glEnableVertexAttribArray(0);
    gl.glBindBuffer(GL_ARRAY_BUFFER, 0);
    gl.glBindVertexArray(0);

    // Particle quad: 0..1 with v = 0 at the top.
    static const float kParticle[24] = {0, 1, 0, 1, 1, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0, 1, 1, 1, 1, 1, 1, 0, 1, 0};
    gl.glBindVertexArray(vao_[2]);
    gl.glBindBuffer(GL_ARRAY_BUFFER, vbo_[2]);
    gl.glBufferData(GL_ARRAY_BUFFER, sizeof(kParticle), kParticle, GL_STATIC_DRAW);
    gl.glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, 16, reinterpret_cast<void*>(0));
    gl.glEnableVertexAttribArray(0);
    gl.glBindBuffer(GL_ARRAY_BUFFER, 0);
    gl.glBindVertexArray(0);

    // Debug lines are drawn in immediate mode; the array exists for the layout only.
    gl.glBindVertexArray(vao_[3]);
    gl.glBindBuffer(GL_ARRAY_BUFFER, vbo_[3]);
    gl.glBufferData(GL_ARRAY_BUFFER, 16, nullptr, GL_DYNAMIC_DRAW);
    gl.glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 16, reinterpret_cast<void*>(0));
    gl.glEnableVertexAttribArray(0);
    gl.glBindBuffer(GL_ARRAY_BUFFER, 0);
    gl.glBindVertexArray(0);

    // The two nearest samplings a sprite drawn texel for texel may take (see DrawSavings.h).
    uint32_t samplers[2] = {};
    gl.glGenSamplers(2, samplers);
    nearestRepeat_ = samplers[0];
    nearestClamp_ = samplers[1];
    for (const uint32_t sampler : samplers) {
        const GLint wrap = sampler == nearestClamp_ ? GL_CLAMP_TO_EDGE : GL_REPEAT;
        gl.glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, wrap);
        gl.glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, wrap);
        gl.glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        gl.glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    }

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_CULL_FACE);
    return glGetError() == GL_NO_ERROR;
}

void GlRenderer::SetSubmission(Submission submission) {
    Flush();
    submission_ = submission;
}

void GlRenderer::SetDrawSavings(bool on) {
    Flush();
    savings_ = on;
}

void GlRenderer::BindingsChanged() { batch_.ForgetBindings(); }

void GlRenderer::Flush() {
    if (submission_ != Submission::Batched || !batch_.Ready()) return;
    batch_.Flush();
    // Leave the bindings as a frame of single draws leaves them.
    Gl().glBindVertexArray(0);
    glBindTexture(GL_TEXTURE_2D, 0);
    ApplySpriteState(SpriteState{}, nullptr);
    batch_.ForgetBindings();
}

bool GlRenderer::CreateShaders() {
    const GLFunctions& gl = Gl();
    for (ShaderInfo& info : shaders_) {
        uint32_t program = 0;
        if (!CreateShaderProgram(gl, program, info.vertexPath, info.fragmentPath)) return false;
        info.program = program;
        for (int i = 0; i < info.uniformCount; ++i)
            info.locations[i] = gl.glGetUniformLocation(program, info.uniformNames[i]);
    }
    // Without the batch programs every record is drawn on its own.
    if (!batch_.Create()) submission_ = Submission::OneDrawPerItem;
    return true;
}

void GlRenderer::SetViewport(int x, int y, int width, int height) {
    // Texel-exact drawing needs the screen shown pixel for pixel.
    screen_.pixelExact = x == 0 && y == 0 && static_cast<float>(width) == screen_.width &&
                         static_cast<float>(height) == screen_.height;
    Gl().glViewportIndexedf(0, static_cast<float>(x), static_cast<float>(y), static_cast<float>(width),
                            static_cast<float>(height));
}

void GlRenderer::SetProjection(const Matrix4& projection) {
    const GLFunctions& gl = Gl();
    for (const ShaderInfo& info : shaders_) {
        gl.glUseProgram(info.program);
        gl.glUniformMatrix4fv(info.Location(SpriteUniform::Projection), 1, GL_FALSE, projection.m);
    }
    gl.glUseProgram(0);
    if (batch_.Ready()) batch_.SetProjection(projection);
}

void GlRenderer::BeginFrame() {
    // Only the colour: no pass tests or writes depth or stencil, so their contents never
    // reach a pixel, and on the software renderer clearing them costs as much as clearing
    // the colour, every frame.
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    // Whatever ran between frames may have bound other things.
    BindingsChanged();
    drawCalls_ = 0;
    batch_.drawCalls = 0;
}

bool GlRenderer::Batching() const { return submission_ == Submission::Batched && batch_.Ready(); }

const PictureFacts* GlRenderer::Facts(uint32_t texture) const {
    const auto it = facts_.find(texture);
    return it == facts_.end() ? nullptr : &it->second;
}

void GlRenderer::DrawSpriteQuad(const SpriteDraw& d) {
    if (!savings_) {
        if (Batching()) batch_.Sprite(d);
        else DrawSpriteNow(d);
        return;
    }
    const PictureFacts* facts = Facts(d.texture);
    if (SpriteShowsNothing(d, facts, screen_)) return;
    SpritePlan plan;
    if (PlanSprite(d, facts, screen_, plan)) SubmitSprites(plan);
}

void GlRenderer::SubmitSprites(const SpritePlan& plan) {
    SpriteState state;
    state.sampler = plan.sampling == Sampling::NearestClamp    ? nearestClamp_
                    : plan.sampling == Sampling::NearestRepeat ? nearestRepeat_
                                                               : 0;
    state.blend = plan.blend;
    state.scissor = plan.scissor;
    for (int i = 0; i < 4; ++i) state.box[i] = plan.scissorBox[i];
    for (int i = 0; i < plan.count; ++i) {
        if (Batching()) batch_.Sprite(plan.draws[i], state);
        else DrawSpriteNow(plan.draws[i], state);
    }
}

void GlRenderer::DrawGlyphQuad(const GlyphDraw& d) {
    if (savings_ && GlyphShowsNothing(d, screen_)) return;
    if (Batching()) batch_.Glyph(d, Shader(Program::Text));
    else DrawGlyphNow(d);
}

void GlRenderer::DrawParticleQuad(const ParticleDraw& d) {
    if (savings_ && ParticleShowsNothing(d, Facts(d.texture), screen_)) return;
    if (Batching()) batch_.Particle(d);
    else DrawParticleNow(d);
}

void GlRenderer::DrawSpriteNow(const SpriteDraw& d, const SpriteState& state) {
    const GLFunctions& gl = Gl();
    const ShaderInfo& s = Shader(Program::Sprite);
    gl.glUseProgram(s.program);
    gl.glBindVertexArray(vao_[0]);
    gl.glUniform2f(s.Location(SpriteUniform::UvCoords), d.uvCoords[0], d.uvCoords[1]);
    gl.glUniform2f(s.Location(SpriteUniform::Scale), d.scale[0], d.scale[1]);
    gl.glUniformMatrix4fv(s.Location(SpriteUniform::Transform), 1, GL_FALSE, d.model.m);
    gl.glUniform1f(s.Location(SpriteUniform::AlphaValue), d.alpha);
    gl.glUniform4f(s.Location(SpriteUniform::Tint), d.tint[0], d.tint[1], d.tint[2], d.tint[3]);
    glBindTexture(GL_TEXTURE_2D, d.texture);
    const SpriteState plain;
    if (!(state == plain)) ApplySpriteState(state, &plain);
    glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_INT, nullptr);
    ++drawCalls_;
    if (!(state == plain)) ApplySpriteState(plain, &state);
    gl.glBindVertexArray(0);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void GlRenderer::DrawGlyphNow(const GlyphDraw& d) {
    const GLFunctions& gl = Gl();
    const ShaderInfo& s = Shader(Program::Text);
    gl.glUseProgram(s.program);
    gl.glUniform3f(s.Location(TextUniform::Color), d.color[0], d.color[1], d.color[2]);
    gl.glBindVertexArray(vao_[1]);
    // The vertex array does not bind the array buffer: without this the glyph would be
    // written into whichever buffer was bound last.
    gl.glBindBuffer(GL_ARRAY_BUFFER, vbo_[1]);
    gl.glBufferSubData(GL_ARRAY_BUFFER, 0, sizeof(d.vertices), d.vertices);
    glBindTexture(GL_TEXTURE_2D, d.texture);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    ++drawCalls_;
    gl.glBindVertexArray(0);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void GlRenderer::DrawParticleNow(const ParticleDraw& d) {
    const GLFunctions& gl = Gl();
    const ShaderInfo& s = Shader(Program::Particle);
    gl.glUseProgram(s.program);
    gl.glBindVertexArray(vao_[2]);
    gl.glUniformMatrix4fv(s.Location(ParticleUniform::Transform), 1, GL_FALSE, d.model.m);
    gl.glUniform1f(s.Location(ParticleUniform::Alpha), d.alpha);
    glBindTexture(GL_TEXTURE_2D, d.texture);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    ++drawCalls_;
    gl.glBindVertexArray(0);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void GlRenderer::DrawDebugLines(GraphicsEngine& engine) {
    Flush();
    const GLFunctions& gl = Gl();
    bool any = false;
    for (DebugLine& line : engine.debugLines) {
        if (!line.used) continue;
        line.used = false;
        if (line.kind != 0) continue;
        any = true;
        const float cx = engine.cameraOffset[0], cy = engine.cameraOffset[1];
        gl.glUseProgram(Shader(Program::Debug).program);
        glLineWidth(5.5f);
        glColor3f(1.0f, 0.0f, 0.0f);
        glBegin(GL_LINES);
        glVertex2f(line.x1 + cx, line.y1 + cy);
        glVertex2f(line.x2 + cx, line.y2 + cy);
        glEnd();
        if (line.label.empty()) continue;
        GlyphDraw draw;
        draw.color[0] = 1.0f;
        draw.color[1] = draw.color[2] = 0.0f;
        LayoutText(engine.glyphs, line.label, line.x1 + 1.5f + cx, line.y1 - 1.5f + cy, 0.2f, 0.2f,
                   [&](const GEFont& g, const float* v) {
                       draw.texture = g.texture;
                       std::memcpy(draw.vertices, v, sizeof(draw.vertices));
                       DrawGlyphNow(draw);  // in turn with the lines
                   });
    }
    if (any) gl.glUseProgram(0);
    BindingsChanged();
}

namespace {

GLuint NewPictureTexture(GLuint name = 0) {
    if (name == 0) glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    return name;
}

}  // namespace

uint32_t GlRenderer::UploadRgba(const unsigned char* pixels, uint32_t width, uint32_t height) {
    const GLuint name = NewPictureTexture();
    // Row 0 of the picture is its top; the sprite shader turns the quad's v around.
    // No mipmaps: the minification filter is GL_LINEAR, which samples only level 0.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, static_cast<GLsizei>(width), static_cast<GLsizei>(height), 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, pixels);
    glBindTexture(GL_TEXTURE_2D, 0);
    BindingsChanged();
    return name;
}

uint32_t GlRenderer::Reserve() {
    GLuint name = 0;
    glGenTextures(1, &name);
    return name;
}

void GlRenderer::Allocate(uint32_t name, uint32_t width, uint32_t height) {
    NewPictureTexture(name);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, static_cast<GLsizei>(width), static_cast<GLsizei>(height), 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, 0);
    BindingsChanged();
}

void GlRenderer::FillRows(uint32_t name, uint32_t width, uint32_t firstRow, uint32_t rows,
                          const unsigned char* pixels) {
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, static_cast<GLint>(firstRow), static_cast<GLsizei>(width),
                    static_cast<GLsizei>(rows), GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    glBindTexture(GL_TEXTURE_2D, 0);
    BindingsChanged();
}

uint32_t GlRenderer::UploadGlyph(const unsigned char* rows, int width, int height, int pitch) {
    // Copy the rows tight by their pitch (which may exceed the width, or run bottom-up).
    glyphRows_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    if (rows) {
        const int stride = pitch < 0 ? -pitch : pitch;
        for (int r = 0; r < height; ++r) {
            const int source = pitch < 0 ? (height - 1 - r) : r;
            std::memcpy(glyphRows_.data() + static_cast<std::size_t>(r) * width, rows + source * stride,
                        static_cast<std::size_t>(width));
        }
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RED, width, height, 0, GL_RED, GL_UNSIGNED_BYTE,
                 glyphRows_.empty() ? nullptr : glyphRows_.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glBindTexture(GL_TEXTURE_2D, 0);
    BindingsChanged();
    return name;
}

void GlRenderer::Describe(uint32_t name, const PictureFacts& facts) { facts_[name] = facts; }

void GlRenderer::Delete(uint32_t name) {
    facts_.erase(name);
    const GLuint id = name;
    glDeleteTextures(1, &id);
    BindingsChanged();
}

// Under a real (virtual) display: GL start-up, then frames of a small test scene read
// back pixel by pixel. Skipped only when there is no display.
#include "GlTestFixture.h"

namespace {

using namespace gltest;

TEST_F(GlRenderTest, StartUpBuildsAllFourProgramsWithEveryUniform) {
    const GlRenderer* gl = engine.Renderer();
    ASSERT_NE(gl, nullptr);
    for (int p = 0; p < GlRenderer::kProgramCount; ++p) {
        const ShaderInfo& info = gl->Shader(static_cast<GlRenderer::Program>(p));
        EXPECT_NE(info.program, 0u);
        for (int u = 0; u < info.uniformCount; ++u)
            EXPECT_GE(info.locations[u], 0) << info.vertexPath << " " << info.uniformNames[u];
    }
    EXPECT_TRUE(ContextSupported());
    EXPECT_FALSE(VersionSupported(4, 2, 2));
    EXPECT_FALSE(VersionSupported(4, 6, GL_CONTEXT_CORE_PROFILE_BIT));
    EXPECT_EQ(std::count(engine.renderList.begin(), engine.renderList.end(), engine.particlePass), 1);
}

TEST_F(GlRenderTest, APngShowsUprightAndAMissingTextureDrawsNothing) {
    // Top half red, bottom half blue.
    const std::string upright = Png(2, 2, {R, R, B, B}, 8);
    Sprite(upright, 200, 200, 100, 100);
    Sprite("", 600, 200, 100, 100);  // no texture: no black box over the clear colour
    Sprite(upright, 600, 200, 50, 50, -1);  // below it
    engine.DrawFrame();
    EXPECT_RGB(Pixel(200, 120), 255, 0, 0);
    EXPECT_RGB(Pixel(200, 280), 0, 0, 255);
    EXPECT_RGB(Pixel(200, 320), 0, 0, 0);  // outside the quad
    EXPECT_RGB(Pixel(600, 170), 255, 0, 0);
}

TEST_F(GlRenderTest, AtlasCellAndLeftFacingMirror) {
    // Four 2 x 2 cells: red | green over blue | white.
    const std::string sheet = Png(4, 4, {R, R, G, G, R, R, G, G, B, B, W, W, B, B, W, W});
    SpriteRenderer* s = Sprite(sheet, 300, 300, 100, 100);
    s->textureAtlas = true;
    s->numSprites = 2;
    s->currX = 1;
    s->currY = 0;
    engine.DrawFrame();
    EXPECT_RGB(Pixel(300, 300), 0, 255, 0);
    s->currX = 0;
    s->currY = 1;
    engine.DrawFrame();
    EXPECT_RGB(Pixel(300, 300), 0, 0, 255);

    // A whole-sheet cell: left half red, right half green; facing left mirrors it.
    const std::string halves = Png(2, 1, {R, G}, 8);
    SpriteRenderer* body = Sprite(halves, 900, 300, 100, 100);
    body->textureAtlas = true;
    body->numSprites = 1;
    engine.DrawFrame();
    EXPECT_RGB(Pixel(840, 300), 255, 0, 0);
    EXPECT_RGB(Pixel(960, 300), 0, 255, 0);
    body->owner->AddComponent<Rigidbody>()->facing = 0;
    engine.DrawFrame();
    EXPECT_RGB(Pixel(840, 300), 0, 255, 0);
    EXPECT_RGB(Pixel(960, 300), 255, 0, 0);
}

TEST_F(GlRenderTest, LayersCoverEachOtherInOrderAndAlphaAndTintApply) {
    const std::string red = Png(1, 1, {R}), green = Png(1, 1, {G}), blue = Png(1, 1, {B});
    Sprite(green, 500, 500, 100, 100, 2);
    Sprite(red, 550, 500, 100, 100, 1);
    Sprite(blue, 450, 500, 100, 100, 2);  // same layer as green, added later: below it
    SpriteRenderer* faded = Sprite(red, 1200, 500, 50, 50, 0);
    faded->alpha = 50;
    SpriteRenderer* flash = Sprite(blue, 1400, 500, 50, 50, 0);
    flash->tintStrength = 1.0f;
    flash->color[0] = 1.0f;
    flash->color[1] = 1.0f;
    flash->color[2] = 1.0f;
    engine.DrawFrame();
    EXPECT_RGB(Pixel(520, 500), 0, 255, 0);  // green over red and blue
    EXPECT_RGB(Pixel(630, 500), 255, 0, 0);
    EXPECT_RGB(Pixel(370, 500), 0, 0, 255);
    EXPECT_TRUE(Near(Pixel(1200, 500), 128, 0, 0, 3));
    EXPECT_RGB(Pixel(1400, 500), 255, 255, 255);
}

TEST_F(GlRenderTest, TextAppearsWhereLaidOutAndLeavesTheParticleQuadIntact) {
    GameObject* object = SceneManager::GetInstance().CreateGameObject("Label", true);
    auto* t = object->AddComponent<Transform>();
    t->x = 100;
    t->y = 600;
    t->scaleX = t->scaleY = 1;
    auto* text = object->AddComponent<UIText>(true);
    text->Awake();
    text->Start();
    text->layer = 20;
    text->stringValue = "H";
    const GEFont& h = *FindGlyph(engine.glyphs, 'H');
    Particle p;
    p.texture = engine.LoadTexture(Png(1, 1, {G})).id;
    p.positionX = 1000;
    p.positionY = 600;
    p.width = 100;
    p.height = 100;
    for (int frame = 0; frame < 2; ++frame) {  // the second frame reuses the buffers
        engine.SubmitParticle(&p);
        engine.DrawFrame();
    }
    // The left stem of 'H' fills its bitmap's left columns from the pen's y downward.
    const int stemX = 100 + h.bearing[0] + 6;
    EXPECT_RGB(Pixel(stemX, 600 + h.size[1] / 2), 255, 255, 255);
    EXPECT_RGB(Pixel(90, 600 + h.size[1] / 2), 0, 0, 0);
    EXPECT_RGB(Pixel(stemX, 590), 0, 0, 0);
    EXPECT_RGB(Pixel(1005, 605), 0, 255, 0);
    EXPECT_RGB(Pixel(1095, 695), 0, 255, 0);
    EXPECT_RGB(Pixel(1105, 650), 0, 0, 0);
}

TEST_F(GlRenderTest, DamageNumberShowsTheRightDigits) {
    // A 4 x 4 digit sheet whose cells are distinct colours (one pixel per cell).
    std::vector<uint32_t> cells(16);
    for (int i = 0; i < 16; ++i) cells[i] = (static_cast<uint32_t>(i * 16) << 24) | (0x40u << 16) | (0xc0u << 8) | 0xff;
    const uint32_t sheet = engine.LoadTexture(Png(4, 4, cells)).id;
    const uint32_t saved = engine.damageFonts[1]->texture;
    engine.damageFonts[1]->texture = sheet;
    GameObject* object = SceneManager::GetInstance().CreateGameObject("Hit", true);
    auto* t = object->AddComponent<Transform>();
    auto* number = object->AddComponent<DamageText>(true);
    number->Awake();
    number->Start();
    t->x = 400;
    t->y = 800;
    number->SetValue(18, 0);
    engine.DrawFrame();
    // '1' is cell (1, 3) -> index 13; '8' is (0, 1) -> index 4. Digits 48 px apart.
    EXPECT_TRUE(Near(Pixel(400 - 5, 800), 13 * 16, 0x40, 0xc0, 10)) << Pixel(395, 800).r;
    EXPECT_TRUE(Near(Pixel(448 + 25, 800), 4 * 16, 0x40, 0xc0, 10)) << Pixel(473, 800).r;
    engine.damageFonts[1]->texture = saved;
}

TEST_F(GlRenderTest, ShaderFailuresAreReportedAndFailTheBuild) {
    const GLFunctions& gl = GetGLFunctions();
    const std::string good = "#version 430 core\nvoid main() { gl_Position = vec4(0.0); }\n";
    const std::string goodFrag = "#version 430 core\nout vec4 c;\nvoid main() { c = vec4(1.0); }\n";
    const std::string broken = "#version 430 core\nvoid main() { nonsense; }\n";
    const std::string needsInput = "#version 430 core\nin vec2 fromVertex;\nout vec4 c;\n"
                                   "void main() { c = vec4(fromVertex, 0.0, 1.0); }\n";
    const std::string vs = harness.WriteTempFile(good, ".glsl"), fs = harness.WriteTempFile(goodFrag, ".glsl");
    const std::string bad = harness.WriteTempFile(broken, ".glsl");
    const std::string unlinked = harness.WriteTempFile(needsInput, ".glsl");
    uint32_t program = 77;
    auto& shown = platform::ShownMessages();
    gExpectCompileErrors = true;

    shown.clear();
    EXPECT_FALSE(CreateShaderProgram(gl, program, "missing.glsl", "missing.glsl"));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, "SHADER");
    EXPECT_EQ(shown[0].text, "Shader file could not be read");

    shown.clear();
    EXPECT_FALSE(CreateShaderProgram(gl, program, bad, bad));  // the fragment is reported first
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].text.rfind("Vertex Shader compile failed!\n", 0), 0u);

    shown.clear();
    EXPECT_FALSE(CreateShaderProgram(gl, program, bad, fs));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text.rfind("Vertex Shader compile failed!\n", 0), 0u);
    EXPECT_GT(shown[0].text.size(), std::string("Vertex Shader compile failed!\n").size());  // with the log

    shown.clear();
    EXPECT_FALSE(CreateShaderProgram(gl, program, vs, unlinked));  // compiles, does not link
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, "SHADER");
    EXPECT_EQ(program, 77u);

    EXPECT_TRUE(CreateShaderProgram(gl, program, vs, fs));
    EXPECT_NE(program, 77u);
    gl.glDeleteProgram(program);
    while (glGetError() != GL_NO_ERROR) {
    }
    gExpectCompileErrors = false;
}

TEST_F(GlRenderTest, AFailedBuildLeavesNoShaderOrProgramObjectsBehind) {
    const GLFunctions& gl = GetGLFunctions();
    const auto isShader = reinterpret_cast<PFNGLISSHADERPROC>(glfwGetProcAddress("glIsShader"));
    const auto isProgram = reinterpret_cast<PFNGLISPROGRAMPROC>(glfwGetProcAddress("glIsProgram"));
    const std::string vs = harness.WriteTempFile("#version 430 core\nvoid main() { gl_Position = vec4(0.0); }\n", ".glsl");
    const std::string fs =
        harness.WriteTempFile("#version 430 core\nout vec4 c;\nvoid main() { c = vec4(1.0); }\n", ".glsl");
    const std::string bad = harness.WriteTempFile("#version 430 core\nvoid main() { nonsense; }\n", ".glsl");
    const std::string unlinked = harness.WriteTempFile(
        "#version 430 core\nin vec2 fromVertex;\nout vec4 c;\nvoid main() { c = vec4(fromVertex, 0.0, 1.0); }\n",
        ".glsl");
    // Shader and program names share one range: count the live ones up to well past
    // the newest name.
    const GLuint probe = gl.glCreateShader(GL_VERTEX_SHADER);
    gl.glDeleteShader(probe);
    const GLuint upTo = probe + 64;
    auto live = [&]() {
        int count = 0;
        for (GLuint name = 1; name <= upTo; ++name) count += (isShader(name) || isProgram(name)) ? 1 : 0;
        return count;
    };
    const int before = live();
    uint32_t program = 0;
    gExpectCompileErrors = true;
    EXPECT_FALSE(CreateShaderProgram(gl, program, bad, bad));  // the fragment fails
    EXPECT_EQ(live(), before);
    EXPECT_FALSE(CreateShaderProgram(gl, program, bad, fs));  // the vertex fails, the fragment had compiled
    EXPECT_EQ(live(), before);
    EXPECT_FALSE(CreateShaderProgram(gl, program, vs, unlinked));  // both compile, the link fails
    EXPECT_EQ(live(), before);
    EXPECT_TRUE(CreateShaderProgram(gl, program, vs, fs));
    EXPECT_GT(live(), before);  // the count does see a built program
    gl.glDeleteProgram(program);
    EXPECT_EQ(live(), before);
    while (glGetError() != GL_NO_ERROR) {
    }
    gExpectCompileErrors = false;
    platform::ShownMessages().clear();
}

TEST_F(GlRenderTest, ReleasedTexturesAreDeletedAndListedOnesKept) {
    const std::string oldPicture = Png(1, 1, {R}), keptPicture = Png(1, 1, {G});
    const uint32_t old = engine.LoadTexture(oldPicture).id;
    SpriteRenderer* kept = Sprite(keptPicture, 100, 100, 10, 10);
    engine.ReleaseUnusedTextures();
    engine.ReleaseUnusedTextures();
    EXPECT_FALSE(glIsTexture(old));
    EXPECT_TRUE(glIsTexture(kept->texture));
    for (SpriteRenderer* font : engine.damageFonts) {
        if (font->texture) {
            EXPECT_TRUE(glIsTexture(font->texture));
        }
    }
}

TEST_F(GlRenderTest, AHeldPictureFirstDrawnInARunShowsAsOneLoadedAtOnce) {
    const std::string picture = Noise(96, 64, 7u), copy = harness.WriteTempFile("", ".png");
    std::filesystem::copy_file(picture, copy, std::filesystem::copy_options::overwrite_existing);
    // Drawn first: one picture texel for texel (sampled nearest) and scaled, so that its
    // second run is still open, its texture already bound, when the held picture goes up.
    const std::string first = Noise(32, 32, 9u);
    Sprite(first, 300, 300, 16, 16, -1);
    Sprite(first, 400, 300, 40, 40, -1);
    SpriteRenderer* sprite = Sprite(picture, 700.5f, 400.25f, 70, 50);
    Sprite(Noise(32, 32, 11u), 720, 420, 30, 30, 1);  // over it
    for (bool batched : {true, false}) {
        engine.Renderer()->SetSubmission(batched ? GlRenderer::Submission::Batched
                                                 : GlRenderer::Submission::OneDrawPerItem);
        sprite->texture = *engine.FindTexture(picture);
        engine.DrawFrame();
        const std::vector<unsigned char> loaded = Frame();
        sprite->texture = engine.HoldTexture(copy).id;  // as a pad's picture is picked
        ASSERT_TRUE(engine.textures.Held(sprite->texture));
        engine.DrawFrame();
        EXPECT_FALSE(engine.textures.Held(sprite->texture));
        EXPECT_TRUE(Frame() == loaded) << (batched ? "batched" : "one draw per item");
        engine.textures.Release({});
    }
    engine.Renderer()->SetSubmission(GlRenderer::Submission::Batched);
}

TEST_F(GlRenderTest, BatchedFrameEqualsOneDrawPerItemByteForByte) {
    auto noise = [&](unsigned w, unsigned h, uint32_t seed) { return Noise(w, h, seed); };
    const std::string sky = noise(64, 32, 1), hills = noise(48, 24, 2), sheetA = noise(16, 16, 3), sheetB = noise(8, 8, 4);
    for (int layer = 0; layer < 3; ++layer) {  // three full-screen parallax layers
        SpriteRenderer* p = Sprite(layer == 1 ? hills : sky, 0, 540, 400.0f + 150.0f * layer, 540, -10 + layer);
        p->parallax = true;
        p->speed = 0.25f * static_cast<float>(layer);
        p->alpha = 100 - 20 * layer;
        p->Start();
    }
    for (int i = 0; i < 40; ++i) {  // atlas cells in runs of one sheet, some mirrored, tinted, turned
        SpriteRenderer* s = Sprite(i % 10 < 6 ? sheetA : sheetB, 100.0f + 45.0f * i, 300.0f + 13.0f * (i % 7),
                                   32.0f + 3.0f * (i % 5), 40.0f, 1);
        s->textureAtlas = true;
        s->numSprites = 4;
        s->currX = static_cast<float>(i % 4);
        s->currY = static_cast<float>(i / 4 % 4);
        s->transform->rotation = 7.0f * (i % 3);
        if (i % 3 == 0) s->owner->AddComponent<Rigidbody>()->facing = 0;
        if (i % 4 == 1) {
            s->tintStrength = 0.5f;
            s->color[0] = 1.0f;
        }
        s->alpha = 60 + i % 41;
    }
    for (int line = 0; line < 3; ++line) {  // text in two colours
        GameObject* o = SceneManager::GetInstance().CreateGameObject("Label", true);
        auto* t = o->AddComponent<Transform>();
        t->x = 80.0f + 500.0f * line;
        t->y = 700;
        t->scaleX = t->scaleY = 0.3f + 0.1f * line;
        auto* text = o->AddComponent<UIText>(true);
        text->Awake();
        text->Start();
        text->layer = 5;
        text->stringValue = "Harrowvale 1289 ooo";
        text->color[1] = line == 1 ? 0.5f : 1.0f;
    }
    std::vector<uint32_t> saved;
    for (SpriteRenderer* font : engine.damageFonts) {
        saved.push_back(font->texture);
        font->texture = engine.LoadTexture(noise(4, 4, 10 + static_cast<uint32_t>(saved.size()))).id;
    }
    for (int32_t style = 0; style < 4; ++style) {  // damage numbers in every style
        GameObject* o = SceneManager::GetInstance().CreateGameObject("Hit", true);
        auto* t = o->AddComponent<Transform>();
        auto* number = o->AddComponent<DamageText>(true);
        number->Awake();
        number->Start();
        t->x = 300.0f + 350.0f * style;
        t->y = 900;
        number->alpha = 70;
        number->SetValue(1234 + style * 1111, style);
    }
    const uint32_t spark = engine.LoadTexture(noise(4, 4, 20)).id, smoke = engine.LoadTexture(noise(4, 4, 21)).id;
    std::vector<Particle> particles(30);
    for (int i = 0; i < 30; ++i) {
        Particle& p = particles[i];
        p.texture = i < 20 ? spark : smoke;
        p.positionX = 1000.0f + 23.0f * i;
        p.positionY = 500.0f + 5.0f * (i % 9);
        p.width = p.height = 20.0f + i;
        p.rotation = 11.0f * i;
        p.alpha = 0.3f + 0.02f * i;
    }
    SpriteRenderer* fade = Sprite(Png(1, 1, {W}), 960, 540, 960, 540, 50);  // a fade over everything
    fade->alpha = 35;

    GlRenderer& gl = *engine.Renderer();
    auto draw = [&](GlRenderer::Submission submission) {
        gl.SetSubmission(submission);
        for (Particle& p : particles) engine.SubmitParticle(&p);
        engine.DrawFrame();
        return std::make_pair(Frame(), gl.DrawCalls());
    };
    draw(GlRenderer::Submission::Batched);  // parallax strips settle in the first frame
    const auto batched = draw(GlRenderer::Submission::Batched);
    const auto single = draw(GlRenderer::Submission::OneDrawPerItem);
    gl.SetSubmission(GlRenderer::Submission::Batched);
    for (std::size_t i = 0; i < saved.size(); ++i) engine.damageFonts[i]->texture = saved[i];

    EXPECT_TRUE(batched.first == single.first) << "pixels differ";
    EXPECT_LT(batched.second * 2, single.second) << batched.second << " calls batched, " << single.second << " single";
    const std::size_t lit = std::count_if(single.first.begin(), single.first.end(), [](unsigned char c) { return c != 0; });
    EXPECT_GT(lit, single.first.size() / 2);  // the layers do cover the screen
}

}  // namespace

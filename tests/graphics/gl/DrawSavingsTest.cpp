// Drawing only the pixels that show: frames drawn with the draw savings and without,
// read back whole, must be equal byte for byte.
#include "GlTestFixture.h"

namespace {

using namespace gltest;

// Records of the frame's sprites as the passes make them.
struct SpriteRecorder : DrawTarget {
    void DrawSpriteQuad(const SpriteDraw& d) override { sprites.push_back(d); }
    void DrawGlyphQuad(const GlyphDraw&) override {}
    void DrawParticleQuad(const ParticleDraw&) override {}
    std::vector<SpriteDraw> sprites;
};

// The frame drawn with the savings on and off (and, on, one draw per item), read back.
struct BothWays {
    std::vector<unsigned char> off, on, onSingle;
    uint32_t callsOff = 0, callsOn = 0;  // one draw per item
};

BothWays DrawBothWays(GraphicsEngine& engine, std::vector<Particle>& particles) {
    GlRenderer& gl = *engine.Renderer();
    BothWays result;
    auto draw = [&](bool savings, GlRenderer::Submission submission, uint32_t* calls) {
        gl.SetDrawSavings(savings);
        gl.SetSubmission(submission);
        for (Particle& p : particles) engine.SubmitParticle(&p);
        engine.DrawFrame();
        if (calls) *calls = gl.DrawCalls();
        return Frame();
    };
    using S = GlRenderer::Submission;
    draw(false, S::Batched, nullptr);  // parallax strips settle in the first frame
    result.off = draw(false, S::Batched, nullptr);
    result.on = draw(true, S::Batched, nullptr);
    result.onSingle = draw(true, S::OneDrawPerItem, &result.callsOn);
    draw(false, S::OneDrawPerItem, &result.callsOff);
    gl.SetDrawSavings(true);
    gl.SetSubmission(S::Batched);
    return result;
}

TEST_F(GlRenderTest, TexelForTexelDrawsSampledNearestMatchLinearByteForByte) {
    const std::string plain = Noise(64, 48, 31), sheet = Noise(64, 64, 32), strip = Noise(40, 30, 33, 0xff);
    Sprite(plain, 132, 124, 32, 24);
    Sprite(plain, 332, 124, -32, 24);  // mirrored left to right
    Sprite(plain, 532, 124, 32, -24);  // upside down
    Sprite(plain, 1919, 1079, 32, 24);  // mostly off the screen's corner
    for (int i = 0; i < 8; ++i) {  // 16-px cells, facing right and left
        SpriteRenderer* s = Sprite(sheet, 108.0f + 40.0f * i, 408.0f, 8.0f, 8.0f, 1);
        s->textureAtlas = true;
        s->numSprites = 4;
        s->currX = static_cast<float>(i % 4);
        s->currY = static_cast<float>(i / 2);
        if (i % 2) s->owner->AddComponent<Rigidbody>()->facing = 0;
    }
    SpriteRenderer* tiles = Sprite(strip, 0, 715, 20, 15, -1);  // a still tiled strip
    tiles->parallax = true;
    tiles->speed = 0;
    tiles->Start();
    std::vector<Particle> none;
    const BothWays frames = DrawBothWays(engine, none);

    // Every one of these records is texel for texel, so the savings sample it nearest.
    SpriteRecorder records;
    engine.DrawListTo(records);
    ASSERT_EQ(records.sprites.size(), 13u);
    for (const SpriteDraw& d : records.sprites) {
        SpritePlan plan;
        ASSERT_TRUE(PlanSprite(d, engine.Renderer()->Facts(d.texture), engine.Renderer()->Screen(), plan));
        EXPECT_NE(plan.sampling, Sampling::Linear) << d.model.At(3, 0) << "," << d.model.At(3, 1);
    }
    EXPECT_TRUE(frames.on == frames.off) << "nearest and linear pixels differ";
    EXPECT_TRUE(frames.onSingle == frames.off) << "nearest pixels differ drawn one by one";
}

TEST_F(GlRenderTest, DrawSavingsLeaveEveryPixelAsItWas) {
    const std::string sky = Noise(96, 54, 41, 0xff), sheet = Noise(32, 32, 42), blank = Noise(8, 8, 43, 0, [](unsigned, unsigned) { return false; });
    // Wide transparent borders around two bands of detail (as the dialogue overlay has).
    const std::string framed = Noise(480, 270, 44, 0x30, [](unsigned x, unsigned y) {
        return (y < 40 && x >= 20) || (x >= 300 && x < 430 && y >= 180 && y < 250);
    });
    const std::string hills = Noise(64, 36, 46, 0x30, [](unsigned, unsigned y) { return y >= 24; });
    Sprite(sky, 960, 540, 960, 540, -10);             // opaque, scaled up: blending off, linear
    Sprite(hills, 960.25f, 600.5f, 980.5f, 700.0f, -8);  // clear top two thirds: cut by a scissor box
    Sprite(sky, 1500, 200, 48, 27, -9);               // opaque, texel for texel: blending off, nearest
    Sprite(framed, 240, 135, 240, 135, 25);           // texel for texel: only its visible box
    Sprite(framed, 1200, 700, 300.5f, 170, 25);       // scaled: drawn whole, linear
    Sprite(framed, 960, 540, -240, 135, 26)->alpha = 60;  // mirrored, see-through
    Sprite(blank, 600, 600, 100, 100, 3);             // no visible pixel
    Sprite(sky, 960, 540, 960, 540, 30)->alpha = 0;   // a fader at rest
    Sprite(sky, 500, 500, 0, 50, 3);                  // no width
    Sprite(sky, -300, 500, 100, 50, 3);               // off every edge
    Sprite(sky, 2100, 500, 100, 50, 3);
    Sprite(sky, 500, -60, 100, 50, 3);
    Sprite(sky, 500, 1140, 100, 50, 3);
    for (int i = 0; i < 12; ++i) {  // cells scaled, turned, mirrored, tinted, at fractions of a pixel
        SpriteRenderer* s = Sprite(sheet, 150.3f + 130.0f * i, 820.0f + (i % 3) * 0.5f, 16.0f + 3.0f * (i % 4), 16.0f, 4);
        s->textureAtlas = true;
        s->numSprites = 4;
        s->currX = static_cast<float>(i % 4);
        s->currY = static_cast<float>(i % 3);
        s->transform->rotation = 9.0f * (i % 2);
        if (i % 3 == 0) s->owner->AddComponent<Rigidbody>()->facing = 0;
        if (i % 4 == 1) s->tintStrength = 0.5f, s->color[2] = 0.0f;
    }
    for (int32_t alpha : {0, 80}) {  // damage numbers faded out and shown, in turn
        GameObject* o = SceneManager::GetInstance().CreateGameObject("Hit", true);
        auto* t = o->AddComponent<Transform>();
        auto* number = o->AddComponent<DamageText>(true);
        number->Awake();
        number->Start();
        t->x = 700.0f + 3.0f * static_cast<float>(alpha);
        t->y = 960;
        number->alpha = alpha;
        number->SetValue(9876, alpha ? 3 : 1);
    }
    GameObject* label = SceneManager::GetInstance().CreateGameObject("Label", true);
    auto* t = label->AddComponent<Transform>();
    t->x = 1700, t->y = 1000, t->scaleX = t->scaleY = 0.5f;  // runs off the right edge
    auto* text = label->AddComponent<UIText>(true);
    text->Awake();
    text->Start();
    text->layer = 5;
    text->stringValue = "Harrowvale harrowvale";
    std::vector<Particle> particles(6);
    const uint32_t spark = engine.LoadTexture(Noise(4, 4, 45)).id;
    for (int i = 0; i < 6; ++i) {
        Particle& p = particles[i];
        p.texture = spark;
        p.positionX = i == 4 ? -400.0f : 1000.0f + 40.0f * i;
        p.positionY = 400;
        p.width = p.height = 30;
        p.rotation = 20.0f * i;
        p.alpha = i == 3 ? 0.0f : 0.6f;
    }
    const BothWays frames = DrawBothWays(engine, particles);
    EXPECT_TRUE(frames.on == frames.off) << "pixels differ with the savings";
    EXPECT_TRUE(frames.onSingle == frames.off) << "pixels differ with the savings, one draw per item";
    // Left out: the blank picture, the fader, the flat one, four beyond the edges, the
    // faded-out number's four digits, the glyphs past the edge, two particles.
    EXPECT_GE(frames.callsOff - frames.callsOn, 15u) << frames.callsOff << " calls without, " << frames.callsOn << " with";
}

}  // namespace

// The render list and the passes' draw records (no GL): order, skip rules, atlas,
// mirroring, parallax, placement, camera offset and the per-draw uniform values.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "AllocationCounter.h"
#include "EngineHarness.h"
#include "GraphicsTestSupport.h"
#include "gameobjectengine/Transform.h"
#include "graphics/Camera.h"
#include "graphics/DamageText.h"
#include "graphics/Particle.h"
#include "graphics/SpriteRenderer.h"
#include "graphics/UIText.h"
#include "physics/PhysicsManager.h"
#include "physics/Rigidbody.h"

namespace {

class RenderListTest : public ::testing::Test {
protected:
    GraphicsEngine& engine = GraphicsEngine::GetInstance();
    EngineHarness harness;
    ScopedGraphics graphics;

    // An object with a Transform and a sprite whose texture is `texture` (no file).
    SpriteRenderer* MakeSprite(const char* name, int32_t layer, uint32_t texture = 7) {
        GameObject* object = SceneManager::GetInstance().CreateGameObject(name, true);
        object->AddComponent<Transform>();
        auto* sprite = object->AddComponent<SpriteRenderer>(true);
        sprite->layer = layer;
        sprite->texture = texture;
        sprite->Awake();
        sprite->Start();
        return sprite;
    }

    DrawRecorder Frame() {
        DrawRecorder recorder;
        engine.UpdateCameraOffset();
        engine.DrawListTo(recorder);
        return recorder;
    }
};

TEST_F(RenderListTest, SortedByLayerAndEqualLayersPutTheNewestFirst) {
    SpriteRenderer* a = MakeSprite("A", 5, 1);
    SpriteRenderer* b = MakeSprite("B", 2, 2);
    SpriteRenderer* c = MakeSprite("C", 5, 3);
    ASSERT_EQ(engine.renderList.size(), 3u);
    EXPECT_EQ(engine.renderList[0], b);
    EXPECT_EQ(engine.renderList[1], c);  // same layer as A, added later, drawn first (below A)
    EXPECT_EQ(engine.renderList[2], a);
    DrawRecorder frame = Frame();
    ASSERT_EQ(frame.sprites.size(), 3u);
    EXPECT_EQ(frame.sprites[0].texture, 2u);
    EXPECT_EQ(frame.sprites[1].texture, 3u);
    EXPECT_EQ(frame.sprites[2].texture, 1u);
    engine.RemoveRender(c);
    engine.RemoveRender(c);  // absent: nothing
    EXPECT_EQ(engine.renderList.size(), 2u);
}

TEST_F(RenderListTest, SkipsDisabledInactiveUntexturedAndTransformlessEntriesButKeepsTheirPlace) {
    SpriteRenderer* disabled = MakeSprite("Disabled", 0, 1);
    SpriteRenderer* hidden = MakeSprite("Hidden", 0, 2);
    SpriteRenderer* untextured = MakeSprite("Untextured", 0, 0);
    SpriteRenderer* loose = MakeSprite("Loose", 0, 4);
    MakeSprite("Shown", 0, 5);
    disabled->enabled = false;
    hidden->owner->active = false;
    loose->transform = nullptr;
    // A plain Render of type 0 is not a sprite: it never takes the sprite pass.
    Render plain(0, 0);
    plain.transform = hidden->transform;
    plain.owner = nullptr;
    engine.AddRender(&plain);
    DrawRecorder frame = Frame();
    ASSERT_EQ(frame.sprites.size(), 1u);
    EXPECT_EQ(frame.sprites[0].texture, 5u);
    EXPECT_EQ(engine.renderList.size(), 6u);
    engine.RemoveRender(&plain);
    (void)untextured;
}

TEST_F(RenderListTest, ParticlePassIsListedOnceHoweverOftenBuiltinsRegister) {
    Render pass(0, 10);
    pass.owner = nullptr;
    pass.type = Render::kParticles;
    Render* saved = engine.particlePass;
    engine.particlePass = &pass;
    engine.RegisterBuiltins();
    engine.RegisterBuiltins();
    engine.ReleaseUnusedTextures();
    EXPECT_EQ(std::count(engine.renderList.begin(), engine.renderList.end(), &pass), 1);

    Particle p;
    p.texture = 9;
    p.positionX = 100;
    p.positionY = 50;
    p.width = 20;
    p.height = 10;
    p.alpha = 0.5f;
    Particle blank = p;
    blank.texture = 0;
    engine.SubmitParticle(&p);
    engine.SubmitParticle(&blank);
    DrawRecorder frame = Frame();
    ASSERT_EQ(frame.particles.size(), 1u);  // texture 0 is skipped
    EXPECT_TRUE(engine.particleQueue.empty());
    EXPECT_FLOAT_EQ(frame.particles[0].model.At(3, 0), 100.0f);
    EXPECT_FLOAT_EQ(frame.particles[0].model.At(0, 0), 20.0f);
    EXPECT_FLOAT_EQ(frame.particles[0].alpha, 0.5f);
    engine.RemoveRender(&pass);
    engine.particlePass = saved;
}

TEST_F(RenderListTest, AtlasCellMirrorsOnlyForALeftFacingBody) {
    SpriteRenderer* s = MakeSprite("Hero", 0);
    s->textureAtlas = true;
    s->numSprites = 4;
    s->currX = 2;
    s->currY = 1;
    DrawRecorder frame = Frame();
    ASSERT_EQ(frame.sprites.size(), 1u);
    EXPECT_FLOAT_EQ(frame.sprites[0].uvCoords[0], 2.0f);
    EXPECT_FLOAT_EQ(frame.sprites[0].uvCoords[1], 1.0f);
    EXPECT_FLOAT_EQ(frame.sprites[0].scale[0], 0.25f);
    EXPECT_FLOAT_EQ(frame.sprites[0].scale[1], 0.25f);

    auto* body = s->owner->AddComponent<Rigidbody>();
    body->facing = 0;
    frame = Frame();
    EXPECT_FLOAT_EQ(frame.sprites[0].uvCoords[0], -3.0f);
    EXPECT_FLOAT_EQ(frame.sprites[0].scale[0], -0.25f);
    body->facing = 1;
    frame = Frame();
    EXPECT_FLOAT_EQ(frame.sprites[0].scale[0], 0.25f);
}

TEST_F(RenderListTest, AtlasWithZeroCellsCountsAsOneCell) {
    SpriteRenderer* s = MakeSprite("Sheet", 0);
    s->textureAtlas = true;
    s->numSprites = 0;
    DrawRecorder frame = Frame();
    ASSERT_EQ(frame.sprites.size(), 1u);
    EXPECT_FLOAT_EQ(frame.sprites[0].scale[0], 1.0f);
    EXPECT_FLOAT_EQ(frame.sprites[0].scale[1], 1.0f);
}

TEST_F(RenderListTest, PlainSpriteMirrorsByTheSignOfItsScaleAtTheSameSize) {
    SpriteRenderer* s = MakeSprite("Plain", 0);
    s->transform->x = 300;
    s->transform->y = 200;
    s->transform->scaleX = -50;
    s->transform->scaleY = 25;
    DrawRecorder frame = Frame();
    const SpriteDraw& d = frame.sprites.at(0);
    EXPECT_FLOAT_EQ(d.uvCoords[0], 1.0f);
    EXPECT_FLOAT_EQ(d.scale[0], -1.0f);
    EXPECT_FLOAT_EQ(d.scale[1], 1.0f);
    EXPECT_FLOAT_EQ(d.model.At(0, 0), 50.0f);  // |scale|: a 100 x 50 quad
    EXPECT_FLOAT_EQ(d.model.At(1, 1), 25.0f);
    EXPECT_FLOAT_EQ(d.model.At(3, 0), 300.0f);
    EXPECT_FLOAT_EQ(d.model.At(3, 1), 200.0f);
}

TEST_F(RenderListTest, ScreenSpaceSpriteUsesPercentAndIgnoresTheCameraWithSpeedZero) {
    SpriteRenderer* s = MakeSprite("Hud", 0);
    s->relativePos = true;
    s->relativeScale = true;
    s->speed = 0.0f;
    s->transform->x = 50;
    s->transform->y = 50;
    s->transform->scaleX = 10;
    s->transform->scaleY = 10;
    GameObject* cameraObject = SceneManager::GetInstance().CreateGameObject("Camera", true);
    auto* camTransform = cameraObject->AddComponent<Transform>();
    camTransform->x = 400;
    camTransform->y = 100;
    PhysicsManager::GetInstance().SetMainCamera(cameraObject->AddComponent<Camera>(true));
    DrawRecorder frame = Frame();
    const SpriteDraw& d = frame.sprites.at(0);
    EXPECT_FLOAT_EQ(d.model.At(3, 0), 960.0f);
    EXPECT_FLOAT_EQ(d.model.At(3, 1), 540.0f);
    EXPECT_FLOAT_EQ(d.model.At(0, 0), 192.0f);
    EXPECT_FLOAT_EQ(d.model.At(1, 1), 108.0f);
}

TEST_F(RenderListTest, CameraOffsetIsMinusTheMainCameraPositionAndZeroWithoutOne) {
    SpriteRenderer* s = MakeSprite("World", 0);
    s->transform->x = 1000;
    s->transform->y = 500;
    DrawRecorder frame = Frame();
    EXPECT_FLOAT_EQ(frame.sprites.at(0).model.At(3, 0), 1000.0f);  // no camera: 0, 0

    GameObject* cameraObject = SceneManager::GetInstance().CreateGameObject("Camera", true);
    auto* camera = cameraObject->AddComponent<Camera>(true);
    PhysicsManager::GetInstance().SetMainCamera(camera);
    frame = Frame();  // a camera without a Transform: 0, 0
    EXPECT_FLOAT_EQ(frame.sprites.at(0).model.At(3, 0), 1000.0f);

    auto* t = cameraObject->AddComponent<Transform>();
    t->x = 300;
    t->y = 40;
    s->speed = 0.5f;  // parallax: half the horizontal shift, the whole vertical one
    frame = Frame();
    EXPECT_FLOAT_EQ(engine.cameraOffset[0], -300.0f);
    EXPECT_FLOAT_EQ(frame.sprites.at(0).model.At(3, 0), 850.0f);
    EXPECT_FLOAT_EQ(frame.sprites.at(0).model.At(3, 1), 460.0f);

    SceneManager::GetInstance().DestroyGameObjectNow(cameraObject->id);
    frame = Frame();  // a destroyed camera is gone from the physics world
    EXPECT_FLOAT_EQ(engine.cameraOffset[0], 0.0f);
    EXPECT_FLOAT_EQ(frame.sprites.at(0).model.At(3, 0), 1000.0f);
}

TEST_F(RenderListTest, ParallaxTilesTheScreenAndSetsItsOwnUvCoords) {
    SpriteRenderer* s = MakeSprite("Sky", 0);
    s->parallax = true;
    s->transform->scaleX = 960;
    s->Start();
    EXPECT_EQ(s->numSprites, 5u);
    EXPECT_FLOAT_EQ(s->transform->scaleX, 4800.0f);
    EXPECT_FLOAT_EQ(s->transform->x, 4800.0f);
    EXPECT_TRUE(s->parallaxActive);
    DrawRecorder frame = Frame();
    const SpriteDraw& d = frame.sprites.at(0);
    EXPECT_FLOAT_EQ(d.scale[0], 5.0f);
    EXPECT_FLOAT_EQ(d.uvCoords[0], 0.0f);
    EXPECT_FLOAT_EQ(d.uvCoords[1], 0.0f);

    SpriteRenderer* flat = MakeSprite("Flat", 0);
    flat->parallax = true;
    flat->transform->scaleX = 0;
    flat->Start();  // a zero scale would divide by zero: no parallax
    EXPECT_FALSE(flat->parallaxActive);
    EXPECT_EQ(flat->numSprites, 1u);

    // Re-centring: the strip moves by one tile (2 x 960 pixels) toward the camera's
    // distance in tiles, using this frame's values and showing from the next frame.
    EXPECT_FLOAT_EQ(s->transform->x, 2880.0f);  // the frame above: no camera, count 1 -> 0
    EXPECT_EQ(s->parallaxCount, 0);
    Frame();
    EXPECT_FLOAT_EQ(s->transform->x, 2880.0f);
    DrawRecorder moved;
    engine.cameraOffset[0] = -1000.0f;
    engine.DrawListTo(moved);
    EXPECT_FLOAT_EQ(moved.sprites.at(1).model.At(3, 0), 2880.0f - 1000.0f);  // after "Flat" (newer, same layer)
    EXPECT_FLOAT_EQ(s->transform->x, 4800.0f);
    EXPECT_EQ(s->parallaxCount, 1);
    engine.DrawListTo(moved);
    EXPECT_FLOAT_EQ(s->transform->x, 2880.0f);  // 1000 pixels is less than one tile
    EXPECT_EQ(s->parallaxCount, 0);
    engine.cameraOffset[0] = 0.0f;

    // Scales whose tile count is infinite, undefined or past any integer: no parallax,
    // and the transform is left as it was.
    for (float odd : {std::numeric_limits<float>::infinity(), std::numeric_limits<float>::max(), 1e-7f,
                      std::numeric_limits<float>::quiet_NaN()}) {
        SpriteRenderer* strip = MakeSprite("Odd", 0);
        strip->parallax = true;
        strip->transform->scaleX = odd;
        strip->transform->x = 5.0f;
        strip->Start();
        EXPECT_FALSE(strip->parallaxActive) << odd;
        EXPECT_EQ(strip->numSprites, 1u) << odd;
        EXPECT_FLOAT_EQ(strip->transform->x, 5.0f) << odd;
    }
}

TEST_F(RenderListTest, DigitPassSetsItsOwnAlphaAndNoTintAndPicksCellsAndSheet) {
    SpriteRenderer* tinted = MakeSprite("Flash", 0);
    tinted->tintStrength = 0.5f;
    tinted->color[0] = 1.0f;
    tinted->color[1] = 0.0f;
    tinted->alpha = 30;
    for (int i = 0; i < GraphicsEngine::kDamageFonts; ++i) {
        ASSERT_EQ(engine.damageFonts[i], nullptr);
    }
    SpriteRenderer fonts[4] = {SpriteRenderer(-1), SpriteRenderer(-1), SpriteRenderer(-1), SpriteRenderer(-1)};
    for (int i = 0; i < 4; ++i) {
        fonts[i].texture = 100 + i;
        engine.damageFonts[i] = &fonts[i];
    }
    GameObject* object = SceneManager::GetInstance().CreateGameObject("Hit", true);
    object->AddComponent<Transform>();
    auto* number = object->AddComponent<DamageText>(true);
    number->Awake();
    number->Start();
    number->layer = 20;
    number->SetValue(123, DamageText::kCritical);
    number->alpha = 80;
    DrawRecorder frame = Frame();
    ASSERT_EQ(frame.sprites.size(), 4u);  // the tinted sprite, then three digits
    EXPECT_FLOAT_EQ(frame.sprites[0].tint[3], 0.5f);
    for (int i = 1; i <= 3; ++i) {
        const SpriteDraw& d = frame.sprites[i];
        EXPECT_EQ(d.texture, 100u);  // critical: the first sheet
        EXPECT_FLOAT_EQ(d.alpha, 0.8f);
        EXPECT_FLOAT_EQ(d.tint[3], 0.0f);
        EXPECT_FLOAT_EQ(d.model.At(0, 0), 50.0f);
        EXPECT_FLOAT_EQ(d.model.At(3, 0), 48.0f * static_cast<float>(i - 1));
        EXPECT_FLOAT_EQ(d.scale[0], 0.25f);
    }
    EXPECT_FLOAT_EQ(frame.sprites[1].uvCoords[0], 1.0f);  // '1' (1, 3)
    EXPECT_FLOAT_EQ(frame.sprites[1].uvCoords[1], 3.0f);
    EXPECT_FLOAT_EQ(frame.sprites[3].uvCoords[0], 3.0f);  // '3' (3, 3)

    number->SetValue(7, DamageText::kHeal);
    frame = Frame();
    EXPECT_EQ(frame.sprites.at(1).texture, 103u);
    EXPECT_FLOAT_EQ(frame.sprites.at(1).model.At(0, 0), 40.0f);
    for (auto& font : engine.damageFonts) font = nullptr;
}

// Counts draws without keeping them (a recorder's vectors would allocate).
struct CountingTarget : DrawTarget {
    void DrawSpriteQuad(const SpriteDraw&) override { ++sprites; }
    void DrawGlyphQuad(const GlyphDraw&) override { ++glyphs; }
    void DrawParticleQuad(const ParticleDraw&) override { ++particles; }
    int sprites = 0, glyphs = 0, particles = 0;
};

TEST_F(RenderListTest, AWarmFrameOfEveryPassAllocatesNothing) {
    MakeSprite("Plain", 0);
    SpriteRenderer* walker = MakeSprite("Walker", 3);
    walker->textureAtlas = true;
    walker->numSprites = 4;
    walker->owner->AddComponent<Rigidbody>()->facing = 0;
    SpriteRenderer* sky = MakeSprite("Sky", -5);
    sky->parallax = true;
    sky->transform->scaleX = 960;
    sky->Start();

    const GlyphTable savedGlyphs = engine.glyphs;
    for (char c : std::string("FPS 0123456789")) {
        GEFont& g = engine.glyphs[static_cast<unsigned char>(c)];
        g.present = true;
        g.texture = 40;
        g.size[0] = g.size[1] = 10;
        g.advance = 12 * 64;
    }
    GameObject* fps = SceneManager::GetInstance().CreateGameObject("fps", true);
    fps->AddComponent<Transform>();
    auto* counter = fps->AddComponent<UIText>(true);
    counter->Awake();
    counter->Start();

    SpriteRenderer font(-1);
    font.texture = 41;
    for (auto& sheet : engine.damageFonts) sheet = &font;
    GameObject* hit = SceneManager::GetInstance().CreateGameObject("Hit", true);
    hit->AddComponent<Transform>();
    auto* number = hit->AddComponent<DamageText>(true);
    number->Awake();
    number->Start();
    number->SetValue(4321, DamageText::kCritical);

    Render pass(0, 10);
    pass.owner = nullptr;
    pass.type = Render::kParticles;
    engine.AddRender(&pass);
    std::vector<Particle> particles(300);
    for (Particle& p : particles) p.texture = 9;

    auto frame = [&]() {
        CountingTarget target;
        for (Particle& p : particles) engine.SubmitParticle(&p);
        engine.UpdateCameraOffset();
        engine.DrawListTo(target);
        return target;
    };
    frame();  // the first frame may size the particle queue
    for (int i = 0; i < 3; ++i) {
        ScopedAllocationCount allocations;
        const CountingTarget target = frame();
        EXPECT_EQ(allocations.Count(), 0u) << "frame " << i;
        EXPECT_EQ(target.particles, 300);
        EXPECT_EQ(target.sprites, 3 + 4);  // three sprites, four digits
        EXPECT_GT(target.glyphs, 4);       // "FPS " and the count
    }
    EXPECT_TRUE(engine.particleQueue.empty());

    engine.RemoveRender(&pass);
    for (auto& sheet : engine.damageFonts) sheet = nullptr;
    engine.glyphs = savedGlyphs;
}

TEST(DigitCells, FollowTheSheetLayout) {
    const char digits[] = "0123456789x";
    const int expected[][2] = {{0, 3}, {1, 3}, {2, 3}, {3, 3}, {0, 2}, {1, 2}, {2, 2}, {3, 2}, {0, 1}, {1, 1}, {0, 0}};
    for (int i = 0; i < 11; ++i) {
        int column = -1, row = -1;
        DigitCell(digits[i], column, row);
        EXPECT_EQ(column, expected[i][0]) << digits[i];
        EXPECT_EQ(row, expected[i][1]) << digits[i];
    }
}

TEST_F(RenderListTest, AnEntryAddedDuringAFrameIsDrawnFromTheNextFrame) {
    MakeSprite("First", 0, 1);
    struct AddingTarget : DrawRecorder {
        std::function<void()> onFirst;
        void DrawSpriteQuad(const SpriteDraw& d) override {
            DrawRecorder::DrawSpriteQuad(d);
            if (onFirst) std::exchange(onFirst, nullptr)();
        }
    } target;
    target.onFirst = [&] { MakeSprite("Late", 9, 2); };
    engine.DrawListTo(target);
    EXPECT_EQ(target.sprites.size(), 1u);
    EXPECT_EQ(Frame().sprites.size(), 2u);
}

}  // namespace

// The font and text layout (no GL): glyphs of the game's font, line feeds, advances,
// measuring, and UIText's defaults.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "EngineHarness.h"
#include "GraphicsTestSupport.h"
#include "gameobjectengine/Transform.h"
#include "graphics/Font.h"
#include "graphics/UIText.h"

namespace {

class FontTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(LoadFontGlyphs("Assets/Fonts/Fowviel.ttf", 144, nullptr, glyphs));
    }
    static GlyphTable glyphs;
};
GlyphTable FontTest::glyphs;

TEST_F(FontTest, ControlAndUnmappedCodesGetNoGlyph) {
    EXPECT_NE(FindGlyph(glyphs, 'H'), nullptr);
    EXPECT_NE(FindGlyph(glyphs, ' '), nullptr);
    EXPECT_EQ(FindGlyph(glyphs, '\r'), nullptr);
    EXPECT_EQ(FindGlyph(glyphs, '\t'), nullptr);
    EXPECT_EQ(FindGlyph(glyphs, '\n'), nullptr);
    EXPECT_EQ(FindGlyph(glyphs, static_cast<char>(200)), nullptr);
    EXPECT_GT(FindGlyph(glyphs, 'H')->bearing[1], 80);  // a 144-pixel capital
}

TEST_F(FontTest, AMissingBrokenOrNonRegularFontFailsAtOnce) {
    char dir[] = "/tmp/harrowvale-font-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string pipe = std::string(dir) + "/pipe.ttf", junk = std::string(dir) + "/junk.ttf";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);  // no writer: opening it by name would wait forever
    std::ofstream(junk) << "not a font";
    for (const std::string& path : {std::string("Assets/Fonts/NoSuchFont.ttf"), pipe, junk, std::string(dir)}) {
        GlyphTable none;
        EXPECT_FALSE(LoadFontGlyphs(path, 144, nullptr, none)) << path;
    }
    std::remove(pipe.c_str());
    std::remove(junk.c_str());
    rmdir(dir);
}

TEST_F(FontTest, LayoutAdvancesAndLineFeedReturnsToThePenX) {
    const GEFont& a = *FindGlyph(glyphs, 'A');
    const GEFont& h = *FindGlyph(glyphs, 'H');
    std::vector<std::array<float, 24>> quads;
    LayoutText(glyphs, "AA\r\nA", 100.0f, 50.0f, 0.5f, 0.5f, [&](const GEFont&, const float* v) {
        std::array<float, 24> q;
        std::copy(v, v + 24, q.begin());
        quads.push_back(q);
    });
    ASSERT_EQ(quads.size(), 3u);  // '\r' draws nothing and does not advance
    const float advance = static_cast<float>(a.advance / 64) * 0.5f;
    const float left = 100.0f + static_cast<float>(a.bearing[0]) * 0.5f;
    EXPECT_FLOAT_EQ(quads[0][8], left);  // vertex 2 = top-left (x)
    EXPECT_FLOAT_EQ(quads[1][8], left + advance);
    EXPECT_FLOAT_EQ(quads[2][8], left);  // back to the pen's x
    const float top = 50.0f + static_cast<float>(h.bearing[1] - a.bearing[1]) * 0.5f;
    EXPECT_FLOAT_EQ(quads[0][9], top);
    EXPECT_FLOAT_EQ(quads[2][9], top + (static_cast<float>(h.bearing[1]) + 20.0f) * 0.5f);
    EXPECT_FLOAT_EQ(quads[0][3], 1.0f);  // v = 1 at the glyph's bottom, 0 at its top
    EXPECT_FLOAT_EQ(quads[0][11], 0.0f);
}

TEST_F(FontTest, MeasureTakesTheWidestLineAndOneHeightPerLine) {
    const float line = (static_cast<float>(FindGlyph(glyphs, 'H')->bearing[1]) + 20.0f) * 2.0f;
    float w = -1, h = -1;
    MeasureText(glyphs, "", 1.0f, 2.0f, w, h);
    EXPECT_FLOAT_EQ(w, 0.0f);
    EXPECT_FLOAT_EQ(h, line);
    MeasureText(glyphs, "ab\nc", 1.0f, 2.0f, w, h);
    const float ab = AdvanceOf(FindGlyph(glyphs, 'a')) + AdvanceOf(FindGlyph(glyphs, 'b'));
    EXPECT_FLOAT_EQ(w, std::max(ab, AdvanceOf(FindGlyph(glyphs, 'c'))));
    EXPECT_FLOAT_EQ(h, 2.0f * line);
}

TEST(UITextTest, SceneTextWithoutColourIsBlackAndCodeTextIsWhite) {
    EngineHarness harness;
    ScopedGraphics graphics;
    harness.LoadSceneText(R"({"GameObjects": [["Label", 1], ["Red", 1]], "Components": [
        {"class": "Transform", "gameObjectID": 0},
        {"class": "UIText", "gameObjectID": 0, "stringValue": "Hello", "layer": 3},
        {"class": "UIText", "gameObjectID": 1, "color": {"r": 1}}], "Dialogue": []})");
    auto* label = harness.Get<UIText>("Label");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->stringValue, "Hello");
    EXPECT_EQ(label->type, Render::kText);
    EXPECT_EQ(label->color[0], 0.0f);
    EXPECT_EQ(label->color[2], 0.0f);
    auto* red = harness.Get<UIText>("Red");
    EXPECT_EQ(red->color[0], 1.0f);
    EXPECT_EQ(red->color[1], 1.0f);  // a member missing inside "color" is 1
    EXPECT_NE(std::find(GraphicsEngine::GetInstance().renderList.begin(),
                        GraphicsEngine::GetInstance().renderList.end(), label),
              GraphicsEngine::GetInstance().renderList.end());
    UIText code(-1);
    EXPECT_EQ(code.color[0], 1.0f);
    EXPECT_EQ(code.textKind, 0);
    std::unique_ptr<Component> copy(label->Clone());
    EXPECT_EQ(static_cast<UIText*>(copy.get())->stringValue, "Hello");
    EXPECT_EQ(static_cast<UIText*>(copy.get())->layer, 3);
}

TEST(UITextTest, TextPassPlacesGlyphsFromTheTransformWithOffsetAndCamera) {
    EngineHarness harness;
    ScopedGraphics graphics;
    GraphicsEngine& engine = GraphicsEngine::GetInstance();
    GlyphTable saved = engine.glyphs;
    GEFont glyph;
    glyph.present = true;
    glyph.texture = 5;
    glyph.size[0] = 10;
    glyph.size[1] = 20;
    glyph.bearing[1] = 20;
    glyph.advance = 12 * 64;
    engine.glyphs = GlyphTable{};
    engine.glyphs['H'] = glyph;
    engine.glyphs['i'] = glyph;
    GameObject* object = SceneManager::GetInstance().CreateGameObject("Label", true);
    auto* t = object->AddComponent<Transform>();
    t->x = 10;
    t->y = 30;
    t->scaleX = t->scaleY = 1;
    auto* text = object->AddComponent<UIText>(true);
    text->Awake();
    text->Start();
    text->stringValue = "Hi\n\tH";
    text->offset[0] = 5;
    text->color[1] = 0.5f;
    DrawRecorder frame;
    engine.DrawListTo(frame);
    ASSERT_EQ(frame.glyphs.size(), 3u);
    EXPECT_FLOAT_EQ(frame.glyphs[0].vertices[8], 15.0f);
    EXPECT_FLOAT_EQ(frame.glyphs[1].vertices[8], 27.0f);
    EXPECT_FLOAT_EQ(frame.glyphs[2].vertices[8], 15.0f);  // the tab has no glyph
    EXPECT_FLOAT_EQ(frame.glyphs[2].vertices[9], 70.0f);  // 30 + (20 + 20)
    EXPECT_FLOAT_EQ(frame.glyphs[0].color[1], 0.5f);
    text->transform = nullptr;  // no transform: skipped
    DrawRecorder none;
    engine.DrawListTo(none);
    EXPECT_TRUE(none.glyphs.empty());
    engine.glyphs = saved;
}

}  // namespace

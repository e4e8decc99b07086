// The speech bubble: word wrap, typing, its size, and what it lists for drawing.
#include <algorithm>

#include "DialogueFixture.h"
#include "graphics/Font.h"
#include "graphics/GraphicsEngine.h"

TEST(DialogueWrap, BreaksAtTheFirstSpaceAfterTwentyCharacters) {
    const struct {
        const char* text;
        const char* wrapped;
    } cases[] = {
        {"abcdefghijklmnopqrstu and more words", "abcdefghijklmnopqrstu\nand more words"},  // space at 21
        {"abcdefghijklmnopqrst and more", "abcdefghijklmnopqrst and\nmore"},                // space at 20 stays
        {"aaaaaaaaaaaaaaaaaaaa bbbbbbbbbbbbbbbbbbbb c", "aaaaaaaaaaaaaaaaaaaa bbbbbbbbbbbbbbbbbbbb\nc"},
        {"a 12345678901234567890123456789012345678901234567890123456789", "a 12345678901234567890123456789012345678901234567890123456789"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(WrapDialogueText(c.text), c.wrapped) << c.text;
}

TEST_F(DialogueTest, TypingShowsAtMostOneCharacterAFrameAndStopsWhileFrozen) {
    const struct {
        float frameSeconds;
        uint32_t flags;
        int frames;
        const char* shown;
    } cases[] = {
        {1.0f / 60.0f, 0, 6, "abc"},
        {1.0f / 30.0f, 0, 6, "abcdef"},
        {0.5f, 0, 3, "abc"},  // a slow frame still types one character
        {1.0f / 30.0f, GameFlags::Paused, 6, ""},
        {1.0f / 30.0f, GameFlags::GameOver, 6, ""},
    };
    for (const auto& c : cases) {
        Load(R"([["Thief", 0, 0, "abcdefghij", 0]])");
        engine.SetFrameTime(c.frameSeconds);
        engine.Step();
        Manager().NextDialogue(false);
        GameFlags::word = c.flags;
        engine.Step(c.frames);
        EXPECT_EQ(Shown(), c.shown) << c.frameSeconds << " " << c.flags;
        GameFlags::word = 0;
    }
}

TEST_F(DialogueTest, BubbleIsSizedToItsWrappedText) {
    GlyphTable& glyphs = GraphicsEngine::GetInstance().glyphs;
    const GlyphTable saved = glyphs;
    ASSERT_TRUE(LoadFontGlyphs("Assets/Fonts/Fowviel.ttf", 144, nullptr, glyphs));
    Load(R"([["Thief", 0, 0, "Twenty-one characters and a second line", 0]])");
    Manager().NextDialogue(false);
    // The pieces sit at the speaker from the line's first frame, before any Update.
    EXPECT_FLOAT_EQ(Box().pointer->offset[0], 100.0f);
    EXPECT_FLOAT_EQ(Box().pieces[4]->offset[1], 600.0f);
    float w = 0.0f, h = 0.0f;
    MeasureText(glyphs, "Twenty-one characters\nand a second line", 0.2f, 0.2f, w, h);
    EXPECT_EQ(Box().width, static_cast<int>(w + 20.0f));
    EXPECT_EQ(Box().height, static_cast<int>(h + 10.0f));
    EXPECT_FLOAT_EQ(Box().textTransform->x, static_cast<float>(-(Box().width / 2)));
    EXPECT_FLOAT_EQ(Box().pointerTransform->y, Box().height * 0.5f);
    EXPECT_FLOAT_EQ(Box().pointerTransform->scaleX, Box().height * 0.25f);
    engine.Step(2);
    EXPECT_FLOAT_EQ(Box().pointer->offset[0], 100.0f);  // children follow the box
    EXPECT_FLOAT_EQ(Box().pieces[4]->offset[1], 600.0f);
    glyphs = saved;
}

TEST_F(DialogueTest, OnlyTheBubblesChildrenAreListedAndAreBuiltOnce) {
    Load("[]");
    const std::vector<Render*>& list = GraphicsEngine::GetInstance().renderList;
    DialogueBox& box = Box();
    EXPECT_EQ(std::count(list.begin(), list.end(), &box), 0);
    EXPECT_EQ(std::count(list.begin(), list.end(), box.pointer), 1);
    EXPECT_EQ(std::count(list.begin(), list.end(), box.textChild), 1);
    SpriteRenderer* firstPiece = box.pieces[0];
    const std::size_t listed = list.size();
    box.Awake();  // a second wake rebuilds and lists nothing
    EXPECT_EQ(box.pieces[0], firstPiece);
    EXPECT_EQ(list.size(), listed);
    EXPECT_EQ(std::count(list.begin(), list.end(), firstPiece), 1);
}

TEST_F(DialogueTest, BoxFromASceneFileWithoutTransformStillRuns) {
    Load("[]", R"(, {"class": "DialogueBox", "gameObjectID": 3, "layer": 3})");
    auto* box = engine.Get<DialogueBox>("Plain");
    ASSERT_NE(box, nullptr);
    box->SetText("hello");
    box->SetEnabled(true);
    engine.Step(20);
    EXPECT_EQ(box->textChild->stringValue, "hello");
    EXPECT_FLOAT_EQ(box->pointer->offset[0], 0.0f);
}

// The atlas test scene (also shown by the end-to-end test) animates its sprites when
// loaded from the file, headless.
#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "EngineHarness.h"
#include "animationmanager/Animator.h"
#include "graphics/SpriteRenderer.h"

namespace {

TEST(AtlasScene, SpritesFromTheSceneFileStepThroughTheirCells) {
    EngineHarness engine(0.25f);
    engine.LoadSceneFile("tests/animationmanager/scenes/atlas.scene");
    auto* colours = engine.Get<SpriteRenderer>("ColourAtlas");
    auto* thief = engine.Get<SpriteRenderer>("Thief");
    ASSERT_NE(colours, nullptr);
    ASSERT_NE(thief, nullptr);
    ASSERT_NE(engine.Get<Animator>("Thief"), nullptr);
    EXPECT_TRUE(colours->textureAtlas);
    EXPECT_EQ(colours->numSprites, 2u);

    std::vector<std::pair<float, float>> seen;
    std::set<float> thiefColumns;
    for (int frame = 0; frame < 33; ++frame) {
        engine.Step();
        seen.emplace_back(colours->currX, colours->currY);
        thiefColumns.insert(thief->currX);
        EXPECT_EQ(thief->currY, 1.0f);  // "Moving" is set in the file: the run row
    }
    // 2 s per cell at 0.25 s frames: eight frames per cell (the first shown for seven), all
    // four cells, then again.
    std::vector<std::pair<float, float>> expect(7, {0.0f, 0.0f});
    for (const auto& cell : {std::pair{1.0f, 0.0f}, std::pair{0.0f, 1.0f}, std::pair{1.0f, 1.0f}})
        expect.insert(expect.end(), 8, cell);
    expect.insert(expect.end(), 2, {0.0f, 0.0f});
    EXPECT_EQ(seen, expect);
    EXPECT_EQ(thiefColumns.size(), 8u);
}

}  // namespace

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
    EngineHarness engine(0.5f);
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
    for (int frame = 0; frame < 17; ++frame) {
        engine.Step();
        seen.emplace_back(colours->currX, colours->currY);
        thiefColumns.insert(thief->currX);
        EXPECT_EQ(thief->currY, 1.0f);  // "Moving" is set in the file: the run row
    }
    // 2 s per cell at 0.5 s frames: four frames per cell, all four cells, then again.
    const std::vector<std::pair<float, float>> expect = {{0, 0}, {0, 0}, {0, 0}, {1, 0}, {1, 0}, {1, 0}, {1, 0},
                                                         {0, 1}, {0, 1}, {0, 1}, {0, 1}, {1, 1}, {1, 1}, {1, 1},
                                                         {1, 1}, {0, 0}, {0, 0}};
    EXPECT_EQ(seen, expect);
    EXPECT_EQ(thiefColumns.size(), 8u);
}

}  // namespace

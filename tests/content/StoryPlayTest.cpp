// Every level and story scene plays 600 frames of scripted input (run, jump, attack,
// skills, swap) headless, with whatever components the game builds: nothing crashes
// (the sanitizers watch), nothing is reported, and the scene is still the one loaded or
// has moved on by its own exit.
#include <gtest/gtest.h>

#include "EngineHarness.h"
#include "gameobjectengine/EngineState.h"
#include "gameobjectengine/Transform.h"
#include "platform/MessageBox.h"
#include "scenemanager/SceneTable.h"

namespace {

// Frame -> what the player does: a run to the right with jumps, attacks and swaps.
void ScriptedInput(EngineHarness& engine, int frame) {
    static constexpr InputAction kSkills[] = {InputAction::Weapon1, InputAction::Weapon2, InputAction::Weapon3};
    if (frame == 0) engine.Press(InputAction::Right);                  // hold Right
    if (frame % 45 == 10) engine.Tap(InputAction::Jump);               // Space: jump or next line
    if (frame % 30 == 5) engine.Tap(InputAction::Weapon0);             // F: weapon 0
    if (frame % 120 == 60) engine.Tap(kSkills[(frame / 120) % 3]);     // Q, W, E
    if (frame == 300) engine.Tap(InputAction::Swap);                   // Tab: swap
}

}  // namespace

TEST(StoryPlay, EveryLevelAndStorySceneTakes600FramesOfPlay) {
    for (int index : {6, 10, 11, 1, 4, 12, 14, 13, 15, 16, 17, 7}) {
        EngineHarness engine;
        engine.LoadSceneFile(scenes::PathOf(index));
        SceneManager& scenes = SceneManager::GetInstance();
        // Loaded by path, as the first scene of a run: it still knows its table index.
        const auto loaded = scenes.currentSceneIndex;
        ASSERT_EQ(loaded, static_cast<uint32_t>(index));
        Transform* thief = engine.Get<Transform>("Thief");
        const float startX = thief ? thief->x : 0.0f;
        for (int frame = 0; frame < 600; ++frame) {
            ScriptedInput(engine, frame);
            engine.Step();
        }
        EXPECT_TRUE(platform::ShownMessages().empty())
            << scenes::PathOf(index) << ": " << platform::ShownMessages().front().caption << " "
            << platform::ShownMessages().front().text;
        EXPECT_EQ(EngineState::GetInstance().state, EngineState::Run) << scenes::PathOf(index);
        // The held Right key carries the led hero forward.
        if (scenes.currentSceneIndex == loaded && index != 7) {
            thief = engine.Get<Transform>("Thief");
            ASSERT_TRUE(thief) << scenes::PathOf(index);
            EXPECT_GT(thief->x, startX + 100.0f) << scenes::PathOf(index) << ": the Thief did not run";
        }
    }
}

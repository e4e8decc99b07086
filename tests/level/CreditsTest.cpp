// The credits: four chained pictures, Space to skip, Space on the last one to leave.
#include "ui/UiFixture.h"
#include "graphics/Fader.h"
#include "level/CreditsFlowController.h"
#include "physics/SceneBuilder.h"

namespace {

// Pictures "Fader1".."FaderN" (a missing index has an object without a Fader), each
// fading in over fadeTime.
std::string Credits(int withFader, float fadeTime, int missing = 0) {
    SceneBuilder s;
    const int controller = s.Object("Controller");
    for (int k = 1; k <= withFader; ++k) {
        const int id = s.Object("Fader" + std::to_string(k));
        s.At(id, 0, 0).Add(id, "SpriteRenderer", "\"alpha\": 0");
        if (k == missing) continue;
        s.Add(id, "Fader", "\"startingAlpha\": 0, \"endingAlpha\": 100, \"fadeTime\": " + SceneBuilder::Num(fadeTime) +
                               ", \"fadeOnStart\": " + (k == 1 ? "1" : "0"));
    }
    s.Add(controller, "CreditsFlowController");
    return s.Json();
}

}  // namespace

using CreditsTest = UiTest;

TEST_F(CreditsTest, ThePicturesFollowEachOtherByThemselves) {
    for (float fadeTime : {0.5f, 0.0f}) {  // a fade over within one frame still moves on
        SCOPED_TRACE(fadeTime);
        engine.LoadSceneText(Credits(4, fadeTime));
        auto* credits = engine.Get<CreditsFlowController>("Controller");
        engine.Step(150);
        EXPECT_EQ(credits->Current(), 3);
        EXPECT_EQ(engine.Get<SpriteRenderer>("Fader4")->alpha, 100);
    }
}

TEST_F(CreditsTest, SpaceSkipsAheadAndLeavesOnTheLastPicture) {
    engine.LoadSceneText(Credits(4, 1.0f));
    auto* credits = engine.Get<CreditsFlowController>("Controller");
    engine.Step(5);
    Key(InputAction::Jump);
    EXPECT_FALSE(engine.Get<SpriteRenderer>("Fader1")->enabled);
    EXPECT_TRUE(engine.Get<Fader>("Fader2")->started);
    EXPECT_LT(engine.Get<SpriteRenderer>("Fader2")->alpha, 100);
    for (int k = 0; k < 2; ++k) Key(InputAction::Jump);
    engine.Step();
    EXPECT_EQ(credits->Current(), 3);
    SceneManager::GetInstance().currentSceneIndex = 18;
    Key(InputAction::Jump);
    EXPECT_EQ(SceneManager::GetInstance().currentSceneIndex, 0u);
}

TEST_F(CreditsTest, AMissingFaderEndsTheChain) {
    engine.LoadSceneText(Credits(4, 0.2f, 3));
    auto* credits = engine.Get<CreditsFlowController>("Controller");
    engine.Step(60);
    EXPECT_EQ(credits->Current(), 1);
    EXPECT_FALSE(engine.Get<Fader>("Fader4")->started);
    SceneManager::GetInstance().currentSceneIndex = 18;
    Key(InputAction::Jump);
    EXPECT_EQ(SceneManager::GetInstance().currentSceneIndex, 0u);
}

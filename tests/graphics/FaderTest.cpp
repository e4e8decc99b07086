// Fader timelines, alpha bounds, chains, scene changes and delayed starts.
#include <gtest/gtest.h>

#include "EngineHarness.h"
#include "GraphicsTestSupport.h"
#include "gameobjectengine/EngineState.h"
#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/Transform.h"
#include "graphics/Fader.h"
#include "graphics/SpriteRenderer.h"

namespace {

class FaderTest : public ::testing::Test {
protected:
    EngineHarness harness{0.25f};
    ScopedGraphics graphics;

    // A scene of one picture with a fader of the given JSON keys.
    Fader* Load(const std::string& faderKeys, const std::string& extra = "") {
        harness.LoadSceneText(R"({"GameObjects": [["Pic", 1], ["Other", 1]], "Components": [
            {"class": "Transform", "gameObjectID": 0},
            {"class": "SpriteRenderer", "gameObjectID": 0, "alpha": 50},
            {"class": "Fader", "gameObjectID": 0)" + faderKeys + "}" + extra + R"(], "Dialogue": []})");
        return harness.Get<Fader>("Pic");
    }
    int Alpha() { return harness.Get<SpriteRenderer>("Pic")->alpha; }
};

TEST_F(FaderTest, DefaultsFadeToZeroInTheFirstUpdate) {
    Fader* fader = Load(R"(, "fadeOnStart": 1)");
    ASSERT_NE(fader, nullptr);
    EXPECT_TRUE(fader->started);
    harness.Step();
    EXPECT_EQ(Alpha(), 0);
    EXPECT_FALSE(fader->fading);
}

TEST_F(FaderTest, FadeInIsTruncatedAndReachesTheEnd) {
    Fader* fader = Load(R"(, "fadeOnStart": 1, "startingAlpha": 0, "endingAlpha": 100, "fadeTime": 2)");
    harness.Step(2);
    EXPECT_EQ(Alpha(), 25);
    harness.Step(6);
    EXPECT_EQ(Alpha(), 100);
    EXPECT_FALSE(fader->fading);
}

TEST_F(FaderTest, FadeBackWaitsThenReturnsAndOnlyThenEnds) {
    Fader* fader = Load(R"(, "fadeOnStart": 1, "startingAlpha": 100, "endingAlpha": 0, "fadeTime": 1,
                           "fadeBackAfterDelay": 1, "fadeBackDelay": 3, "sceneTransit": 1)",
                        R"(, {"class": "SceneTransition", "gameObjectID": 0, "sceneIndex": 3})");
    harness.Step(4);  // 1 s
    EXPECT_EQ(Alpha(), 0);
    EXPECT_TRUE(fader->fadingBack);
    harness.Step(1);  // the fade back starts the frame after: one step a frame
    EXPECT_EQ(Alpha(), 0);
    harness.Step(11);  // 4 s: still at the end value
    EXPECT_EQ(Alpha(), 0);
    EXPECT_EQ(EngineState::GetInstance().state, EngineState::Run);
    harness.Step(2);  // 4.5 s
    EXPECT_EQ(Alpha(), 50);
    harness.Step(2);  // 5 s: back, end action
    EXPECT_EQ(Alpha(), 100);
    EXPECT_EQ(EngineState::GetInstance().state, EngineState::SceneChange);
}

TEST_F(FaderTest, OnlyAlphasFromMinusOneToOneHundredAndOneAreWritten) {
    Fader* fader = Load("");
    harness.Step();
    EXPECT_EQ(Alpha(), 50);  // not started: nothing
    auto run = [&](float from, float to) {
        fader->started = false;
        fader->startingAlpha = from;
        fader->endingAlpha = to;
        fader->fadeTime = 0;
        harness.Get<SpriteRenderer>("Pic")->alpha = 50;
        fader->StartFade();
        harness.Step();
        return Alpha();
    };
    EXPECT_EQ(run(0, 100.4f), 100);
    EXPECT_EQ(run(0, -0.5f), 0);
    EXPECT_EQ(run(0, -1.2f), 50);
    EXPECT_EQ(run(0, 101.5f), 50);
    EXPECT_EQ(run(0, 3e9f), 50);   // far out of range: never converted
    EXPECT_EQ(run(0, -3e9f), 50);
}

TEST_F(FaderTest, PauseStopsTheTimerAndChainsStartTheNextFaderOnce) {
    Fader* fader = Load(R"(, "fadeTime": 1)", R"(, {"class": "Transform", "gameObjectID": 1},
        {"class": "SpriteRenderer", "gameObjectID": 1}, {"class": "Fader", "gameObjectID": 1, "fadeTime": 1})");
    Fader* next = harness.Get<Fader>("Other");
    fader->nextFader = next;
    fader->StartFade();
    GameFlags::word = GameFlags::Paused;
    harness.Step(8);
    EXPECT_FLOAT_EQ(fader->timer, 0.0f);
    GameFlags::word = 0;
    harness.Step(4);
    EXPECT_TRUE(next->started);
    EXPECT_TRUE(next->fading);
    next->timer = 0.5f;
    fader->started = false;
    fader->StartFade();
    harness.Step(4);  // the next fader is started already: no restart
    EXPECT_FALSE(next->fading);
}

TEST_F(FaderTest, ADelayedStartNeverRunsForADestroyedFader) {
    Fader* fader = Load(R"(, "fadeOnStart": 1, "startFadeDelay": 1)");
    EXPECT_FALSE(fader->started);
    harness.Step(5);
    EXPECT_TRUE(fader->started);

    Fader* doomed = Load(R"(, "fadeOnStart": 1, "startFadeDelay": 1)");
    ASSERT_FALSE(doomed->started);
    SceneManager::GetInstance().DestroyGameObjectNow(harness.Find("Pic")->id);
    harness.Step(6);  // ASan reports the freed fader if the job ran
    EXPECT_EQ(harness.Find("Pic"), nullptr);
}

TEST_F(FaderTest, ADestroyedNextFaderIsNotStarted) {
    Fader* fader = Load(R"(, "fadeTime": 0)", R"(, {"class": "Fader", "gameObjectID": 1})");
    fader->nextFader = harness.Get<Fader>("Other");
    SceneManager::GetInstance().DestroyGameObjectNow(harness.Find("Other")->id);
    fader->StartFade();
    harness.Step();
    EXPECT_FALSE(fader->fading);
}

}  // namespace

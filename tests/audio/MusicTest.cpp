// Layered level music: DynamicBGM and TransitionalBGM.
#include <cmath>
#include <memory>

#include "AudioTestUtil.h"
#include "audio/DynamicBGM.h"
#include "audio/TransitionalBGM.h"

using namespace audiotest;

namespace {

class DynamicBGMTest : public AudioScene {
protected:
    DynamicBGM* LoadMusic(const std::string& keys) {
        engine.LoadSceneText(R"({"GameObjects": [["Music", 1]], "Components": [
            {"class": "DyanmicBGM", "gameObjectID": 0)" + keys + R"(}], "Dialogue": []})");
        return engine.Get<DynamicBGM>("Music");
    }
    std::string Layers(int ms = 4000) {
        return ", \"base\": \"" + Tone("base.ogg", ms) + "\", \"lead1\": \"" + Tone("lead1.ogg", ms, 2) +
               "\", \"lead2\": \"" + Tone("lead2.ogg", ms) + "\"";
    }
    // Runs frames until the running fade is over (at most ten seconds).
    void FinishFade(const DynamicBGM* music) {
        for (int i = 0; i < 600 && music->fading; ++i) engine.Step();
    }
};

TEST_F(DynamicBGMTest, OnlyTheMisspelledClassNameBuildsIt) {
    engine.LoadSceneText(R"({"GameObjects": [["Music", 1]], "Components": [
        {"class": "DynamicBGM", "gameObjectID": 0}], "Dialogue": []})");
    EXPECT_EQ(engine.Get<DynamicBGM>("Music"), nullptr);
}

TEST_F(DynamicBGMTest, ThreeLayersStartTogetherAndStayInStep) {
    DynamicBGM* music = LoadMusic(Layers() + R"(, "playOnAwake": 1, "volume": 0.8, "loopStartPoint": 500,
                                  "loopEndPoint": 1500)");
    ASSERT_NE(music, nullptr);
    EXPECT_TRUE(Playing(music->baseChannel));
    EXPECT_TRUE(Playing(music->lead1Channel));
    EXPECT_TRUE(Playing(music->lead2Channel));
    EXPECT_TRUE(music->transitionChannel.IsNull());
    EXPECT_FLOAT_EQ(Volume(music->baseChannel), 0.8f);
    EXPECT_EQ(Volume(music->lead1Channel), 0.0f);
    EXPECT_EQ(Volume(music->lead2Channel), 0.0f);
    engine.Step();  // the loop points land after the render
    Render(3700);   // 0..1500, then 500..1500 laps
    for (const audio::Channel* c : {&music->baseChannel, &music->lead1Channel, &music->lead2Channel})
        EXPECT_EQ(PositionMs(*c), 700u);
    uint64_t base = 0, lead = 0;
    music->baseChannel.GetPositionFrames(&base);
    music->lead2Channel.GetPositionFrames(&lead);
    EXPECT_EQ(base, lead);
}

TEST_F(DynamicBGMTest, BeatFromBpm) {
    EXPECT_FLOAT_EQ(LoadMusic(R"(, "bpm": 120)")->beat, 0.5f);
    EXPECT_FLOAT_EQ(LoadMusic(R"(, "bpm": 90)")->beat, 60.0f / 90.0f);
    EXPECT_FLOAT_EQ(LoadMusic(R"(, "bpm": 0)")->beat, 0.6f);  // no tempo counts as 100
    EXPECT_FLOAT_EQ(LoadMusic(R"(, "bpm": -40)")->beat, 0.6f);
    EXPECT_FLOAT_EQ(LoadMusic("")->beat, 0.6f);
}

TEST_F(DynamicBGMTest, StartLayersFadesToTheNextBeatAfterNext) {
    DynamicBGM* music = LoadMusic(Layers(5000) + R"(, "playOnAwake": 1, "bpm": 120)");
    Render(3200);
    music->StartLayers();
    EXPECT_NEAR(music->fadeDuration, 0.7f, 1e-4f);
    EXPECT_EQ(music->state, 1u);
    EXPECT_EQ(music->fadeTargets[0], 1.0f);
    EXPECT_EQ(music->fadeTargets[1], 1.0f);
    EXPECT_EQ(music->fadeTargets[2], 0.25f);
    EXPECT_EQ(music->fadeStart[0], 1.0f);
    EXPECT_EQ(music->fadeStart[3], 0.0f);  // no transition channel
    music->fadeTargets[2] = 0.25f;
    music->StartLayers();  // state 1: nothing changes
    EXPECT_NEAR(music->fadeDuration, 0.7f, 1e-4f);
}

TEST_F(DynamicBGMTest, TheLeadFollowsTheActiveHero) {
    DynamicBGM* music = LoadMusic(Layers() + R"(, "playOnAwake": 1, "volume": 0.8)");
    music->StartLayers();
    engine.Step(6);
    const float midLead1 = Volume(music->lead1Channel);
    EXPECT_GT(midLead1, 0.0f);
    EXPECT_LT(midLead1, 0.8f);
    FinishFade(music);
    EXPECT_FLOAT_EQ(Volume(music->baseChannel), 0.8f);
    EXPECT_FLOAT_EQ(Volume(music->lead1Channel), 0.8f);
    EXPECT_FLOAT_EQ(Volume(music->lead2Channel), 0.2f);
    music->SwapLeads();
    EXPECT_EQ(music->state, 2u);
    FinishFade(music);
    EXPECT_FLOAT_EQ(Volume(music->lead1Channel), 0.2f);
    EXPECT_FLOAT_EQ(Volume(music->lead2Channel), 0.8f);
    music->SwapLeads();
    EXPECT_EQ(music->state, 1u);
    FinishFade(music);
    EXPECT_FLOAT_EQ(Volume(music->lead1Channel), 0.8f);
    EXPECT_FLOAT_EQ(Volume(music->lead2Channel), 0.2f);
}

TEST_F(DynamicBGMTest, ANewFadeStartsFromTheVolumesReached) {
    DynamicBGM* music = LoadMusic(Layers() + R"(, "playOnAwake": 1)");
    music->FadeTo(1.0f, 0.0f);
    engine.Step(30);
    const float reached = Volume(music->baseChannel);
    EXPECT_NEAR(reached, 0.5f, 0.02f);
    music->FadeTo(1.0f, 1.0f);
    EXPECT_EQ(music->fadeStart[0], reached);
    FinishFade(music);
    EXPECT_EQ(Volume(music->baseChannel), 1.0f);
    EXPECT_EQ(Volume(music->lead2Channel), 1.0f);
}

TEST_F(DynamicBGMTest, FadesWithNoDurationLandAtOnceAndVolumesStayFinite) {
    DynamicBGM* music = LoadMusic(Layers() + R"(, "playOnAwake": 1)");
    music->FadeTo(0.0f, 0.3f);
    EXPECT_FLOAT_EQ(Volume(music->baseChannel), 0.3f);
    engine.Step();
    EXPECT_FALSE(music->fading);
    EXPECT_FLOAT_EQ(Volume(music->lead1Channel), 0.3f);
    music->FadeTo(NAN, 0.6f);
    EXPECT_FLOAT_EQ(Volume(music->lead2Channel), 0.6f);
    music->FadeTo(-2.0f, 0.1f);
    engine.Step();
    EXPECT_FLOAT_EQ(Volume(music->baseChannel), 0.1f);
    music->FadeTo(1.0f, INFINITY);
    engine.Step(3);
    EXPECT_TRUE(std::isfinite(Volume(music->baseChannel)));
    EXPECT_TRUE(std::isfinite(music->fadeTargets[0]));
}

TEST_F(DynamicBGMTest, WithoutPlayOnAwakeOnlyTheNumbersChange) {
    DynamicBGM* music = LoadMusic(Layers());
    EXPECT_TRUE(music->baseChannel.IsNull());
    EXPECT_TRUE(music->lead1Channel.IsNull());
    EXPECT_EQ(Audio().system->GetPlayingChannels(), 0);
    music->StartLayers();
    EXPECT_EQ(music->state, 1u);
    EXPECT_NEAR(music->fadeDuration, 0.6f, 1e-6f);
    FinishFade(music);
    music->SwapLeads();
    EXPECT_EQ(music->state, 2u);
    EXPECT_EQ(Audio().system->GetPlayingChannels(), 0);
}

TEST_F(DynamicBGMTest, DestroyStopsTheLayersAndCloneDropsTheChannels) {
    DynamicBGM* music = LoadMusic(Layers() + R"(, "playOnAwake": 1, "bpm": 140)");
    std::unique_ptr<DynamicBGM> copy(static_cast<DynamicBGM*>(music->Clone()));
    EXPECT_TRUE(copy->baseChannel.IsNull());
    EXPECT_EQ(copy->bpm, 140);
    audio::Channel base = music->baseChannel, lead = music->lead1Channel;
    music->OnDestroy();
    EXPECT_FALSE(Playing(base));
    EXPECT_FALSE(Playing(lead));
}

class TransitionalBGMTest : public AudioScene {
protected:
    TransitionalBGM* LoadMusic(const std::string& keys) {
        engine.LoadSceneText(R"({"GameObjects": [["Music", 1]], "Components": [
            {"class": "TransitionalBGM", "gameObjectID": 0)" + keys + R"(}], "Dialogue": []})");
        return engine.Get<TransitionalBGM>("Music");
    }
};

TEST_F(TransitionalBGMTest, BaseThenTransitionThenNext) {
    TransitionalBGM* music = LoadMusic(", \"base\": \"" + Tone("base.ogg", 1000) + "\", \"transition\": \"" +
                                       Tone("transition.ogg", 300) + "\", \"next\": \"" + Tone("next.ogg", 1000) +
                                       "\", \"playOnAwake\": 1, \"volume\": 0.7, \"bpm\": 77");
    ASSERT_TRUE(Playing(music->baseChannel));
    EXPECT_EQ(music->bpm, 77);
    Render(2500);
    EXPECT_TRUE(Playing(music->baseChannel));  // loops forever
    music->StartTransition();
    EXPECT_FALSE(Playing(music->baseChannel));
    ASSERT_TRUE(Playing(music->transitionChannel));
    EXPECT_FLOAT_EQ(Volume(music->transitionChannel), 0.7f);
    engine.Step();
    EXPECT_FALSE(music->nextStarted);
    Render(300);
    EXPECT_FALSE(Playing(music->transitionChannel));
    engine.Step();
    ASSERT_TRUE(music->nextStarted);
    EXPECT_TRUE(Playing(music->nextChannel));
    audio::Channel next = music->nextChannel;
    Render(2500);
    engine.Step();
    EXPECT_EQ(music->nextChannel, next);  // started once, looping
    EXPECT_TRUE(Playing(next));
    music->FadeTo(0.5f, 0.0f);
    for (int i = 0; i < 40; ++i) engine.Step();
    EXPECT_EQ(Volume(next), 0.0f);
    EXPECT_TRUE(Playing(next));  // silent, not stopped
}

TEST_F(TransitionalBGMTest, AnEmptyNextStillCountsAsStarted) {
    TransitionalBGM* music = LoadMusic(", \"transition\": \"" + Tone("t.ogg", 100) + "\"");
    music->StartTransition();
    Render(100);
    engine.Step();
    EXPECT_TRUE(music->nextStarted);
    EXPECT_TRUE(music->nextChannel.IsNull());
}

TEST_F(TransitionalBGMTest, DestroyStopsEveryChannel) {
    TransitionalBGM* music =
        LoadMusic(", \"base\": \"" + Tone("b.ogg", 500) + "\", \"transition\": \"" + Tone("t.ogg", 500) +
                  "\", \"playOnAwake\": 1");
    audio::Channel base = music->baseChannel;
    music->OnDestroy();
    EXPECT_FALSE(Playing(base));
    std::unique_ptr<TransitionalBGM> copy(static_cast<TransitionalBGM*>(music->Clone()));
    EXPECT_TRUE(copy->baseChannel.IsNull());
}

}  // namespace

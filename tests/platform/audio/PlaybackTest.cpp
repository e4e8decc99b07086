// Playback through the layer's own mixer: lengths, loops, loop points, positions, streams.
#include "platform/audio/AudioLayerTestUtil.h"

using namespace audiotest;

namespace {

class Playback : public ManualSystem, public ::testing::WithParamInterface<bool> {
protected:
    bool Stream() const { return GetParam(); }
};

TEST_P(Playback, OneShotPlaysExactlyItsLengthThenItsHandleDies) {
    audio::Sound sound = Load(Tone("one.ogg", 10000), Stream());
    uint64_t length = 0;
    sound.GetLengthFrames(&length);
    ASSERT_EQ(length, 10000u);
    audio::Channel channel = Play(sound);
    Rendered first = Render(9999);
    EXPECT_TRUE(Playing(channel));
    EXPECT_EQ(Frames(channel), 9999u);
    EXPECT_GT(first.Peak(0, 9000), 0.3f);  // a 0.5 sine is heard to the end
    Rendered tail = Render(200);
    EXPECT_GT(tail.Peak(0, 0, 1), 0.0f + 0.0f);  // (the last frame may be near a zero crossing)
    EXPECT_EQ(tail.Peak(0, 1), 0.0f);
    EXPECT_EQ(tail.Peak(1, 1), 0.0f);
    EXPECT_FALSE(Playing(channel));
    float volume = 1.0f;
    EXPECT_EQ(channel.GetVolume(&volume), audio::Result::ErrInvalidHandle);
    EXPECT_EQ(volume, 0.0f);
}

TEST_P(Playback, EndsRightAfterItsLastFrame) {
    audio::Channel channel = Play(Load(Tone("edge.ogg", 4800), Stream()));
    Render(4800);
    EXPECT_FALSE(Playing(channel));
    EXPECT_EQ(system->GetPlayingChannels(), 0);
}

TEST_P(Playback, LoopCountTwoPlaysTheLoopRegionTwiceMore) {
    audio::Sound sound = Load(Tone("loop.ogg", 24000), Stream());  // 500 ms
    ASSERT_EQ(sound.SetLoopPoints(100, 300), audio::Result::Ok);   // frames 4800..14400
    audio::Channel channel;
    ASSERT_EQ(system->PlaySound(sound, {}, true, &channel), audio::Result::Ok);
    channel.SetMode(audio::ModeLoopNormal);
    channel.SetLoopCount(2);
    channel.SetPaused(false);
    const int total = 14400 + 2 * 9600 + (24000 - 14400);
    Render(14400);
    EXPECT_EQ(Frames(channel), 4800u);  // wrapped to the loop start
    Render(total - 14400 - 1);
    EXPECT_TRUE(Playing(channel));
    EXPECT_EQ(Frames(channel), 23999u);
    Render(1);
    EXPECT_FALSE(Playing(channel));
}

TEST_P(Playback, LoopPointsSetAfterTheStartApplyAtTheNextWrap) {
    audio::Sound sound = Load(Tone("late.ogg", 24000), Stream());
    audio::Channel channel = Play(sound);
    channel.SetMode(audio::ModeLoopNormal);  // forever, whole sound for now
    Render(1000);
    ASSERT_EQ(sound.SetLoopPoints(100, 200), audio::Result::Ok);  // 4800..9600
    Render(8599);
    uint32_t ms = 0;
    channel.GetPosition(&ms);
    EXPECT_EQ(Frames(channel), 9599u);
    EXPECT_EQ(ms, 199u);
    Render(1);
    channel.GetPosition(&ms);
    EXPECT_EQ(ms, 100u);  // position wraps to the loop start
    Render(4800 * 7);     // seven more laps of 100 ms
    channel.GetPosition(&ms);
    EXPECT_EQ(ms, 100u);
    EXPECT_TRUE(Playing(channel));
}

TEST_P(Playback, LoopPointsMovedBehindThePositionWrapAtTheEndOfTheSound) {
    audio::Sound sound = Load(Tone("behind.ogg", 24000), Stream());
    audio::Channel channel = Play(sound);
    channel.SetMode(audio::ModeLoopNormal);
    Render(12000);
    ASSERT_EQ(sound.SetLoopPoints(50, 100), audio::Result::Ok);  // behind the voice
    Render(12000);
    EXPECT_EQ(Frames(channel), 2400u);
    Render(2400);
    EXPECT_EQ(Frames(channel), 2400u);
}

TEST_P(Playback, PausedVoiceHoldsItsPositionAndReadsNotPlaying) {
    audio::Channel channel = Play(Load(Tone("pause.ogg", 24000), Stream()));
    Render(1000);
    channel.SetPaused(true);
    bool paused = false;
    channel.GetPaused(&paused);
    EXPECT_TRUE(paused);
    EXPECT_FALSE(Playing(channel));
    EXPECT_EQ(Render(1000).Peak(0), 0.0f);
    EXPECT_EQ(Frames(channel), 1000u);
    channel.SetPaused(false);
    Render(500);
    EXPECT_EQ(Frames(channel), 1500u);
}

TEST_P(Playback, StereoFilesKeepBothChannels) {
    audio::Channel channel = Play(Load(Tone("stereo.ogg", 9600, kRate, 2), Stream()));
    Rendered r = Render(4800);
    EXPECT_GT(r.Peak(0), 0.4f);
    EXPECT_GT(r.Peak(1), 0.4f);
    EXPECT_TRUE(Playing(channel));
}

INSTANTIATE_TEST_SUITE_P(SampleAndStream, Playback, ::testing::Values(false, true),
                         [](const auto& paramInfo) { return paramInfo.param ? "Stream" : "Sample"; });

using Layer = ManualSystem;

TEST_F(Layer, AStreamPlayedTwiceStopsItsFirstVoice) {
    audio::Sound stream = Load(Tone("twice.ogg", 24000), true);
    audio::Channel first = Play(stream);
    Render(3000);
    audio::Channel second = Play(stream);
    EXPECT_FALSE(Playing(first));
    EXPECT_TRUE(Playing(second));
    Render(100);
    EXPECT_EQ(Frames(second), 100u);  // the new voice starts from the top
}

TEST_F(Layer, ASampleMayPlayOnManyVoices) {
    audio::Sound sound = Load(Tone("many.ogg", 24000));
    audio::Channel a = Play(sound), b = Play(sound);
    Render(100);
    EXPECT_TRUE(Playing(a));
    EXPECT_TRUE(Playing(b));
}

TEST_F(Layer, ReleaseStopsTheSoundsVoicesAndKillsItsHandles) {
    audio::Sound sound = Load(Tone("release.ogg", 24000));
    audio::Channel channel = Play(sound);
    Render(100);
    ASSERT_EQ(sound.Release(), audio::Result::Ok);
    EXPECT_FALSE(Playing(channel));
    uint32_t length = 7;
    EXPECT_EQ(sound.GetLength(&length), audio::Result::ErrInvalidHandle);
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(sound.Release(), audio::Result::ErrInvalidHandle);
    audio::Channel again;
    EXPECT_EQ(system->PlaySound(sound, {}, false, &again), audio::Result::ErrInvalidHandle);
    EXPECT_TRUE(again.IsNull());
    EXPECT_EQ(Render(100).Peak(0), 0.0f);
}

TEST_F(Layer, AReusedVoiceSlotLeavesTheOldHandleDead) {
    audio::Sound sound = Load(Tone("reuse.ogg", 24000));
    audio::Channel old = Play(sound);
    old.Stop();
    audio::Channel fresh = Play(sound);
    EXPECT_EQ(fresh.Id().slot, old.Id().slot);
    EXPECT_EQ(old.SetVolume(0.0f), audio::Result::ErrInvalidHandle);
    float volume = 0.0f;
    fresh.GetVolume(&volume);
    EXPECT_EQ(volume, 1.0f);  // the dead handle did not reach the new voice
}

TEST_F(Layer, DeadAndNullHandlesWriteDefaults) {
    audio::Channel none;
    bool flag = true;
    float volume = 1.0f;
    uint32_t position = 5;
    audio::Sound current = Load(Tone("x.ogg", 4800));
    EXPECT_EQ(none.IsPlaying(&flag), audio::Result::ErrInvalidHandle);
    EXPECT_FALSE(flag);
    flag = true;
    EXPECT_EQ(none.GetPaused(&flag), audio::Result::ErrInvalidHandle);
    EXPECT_FALSE(flag);
    EXPECT_EQ(none.GetVolume(&volume), audio::Result::ErrInvalidHandle);
    EXPECT_EQ(volume, 0.0f);
    EXPECT_EQ(none.GetPosition(&position), audio::Result::ErrInvalidHandle);
    EXPECT_EQ(position, 0u);
    EXPECT_EQ(none.GetCurrentSound(&current), audio::Result::ErrInvalidHandle);
    EXPECT_TRUE(current.IsNull());
    EXPECT_EQ(none.Stop(), audio::Result::ErrInvalidHandle);
    EXPECT_EQ(audio::Sound{}.SetLoopPoints(0, 10), audio::Result::ErrInvalidHandle);
    EXPECT_EQ(audio::ChannelGroup{}.SetVolume(1.0f), audio::Result::ErrInvalidHandle);
}

TEST_F(Layer, HandlesOutlivingTheirSystemAreHarmless) {
    audio::Sound sound = Load(Tone("gone.ogg", 4800));
    audio::Channel channel = Play(sound);
    system->Release();
    system = nullptr;
    bool playing = true;
    EXPECT_EQ(channel.IsPlaying(&playing), audio::Result::ErrInvalidHandle);
    EXPECT_FALSE(playing);
    EXPECT_EQ(sound.Release(), audio::Result::ErrInvalidHandle);
}

TEST_F(Layer, BadFilesAndBadArgumentsFailWithoutASound) {
    audio::Sound sound;
    EXPECT_EQ(system->CreateSound(dir.File("missing.ogg"), audio::ModeDefault, &sound),
              audio::Result::ErrFileNotFound);
    EXPECT_TRUE(sound.IsNull());
    const std::string text = dir.File("text.ogg");
    FILE* f = std::fopen(text.c_str(), "w");
    std::fputs("not an ogg file", f);
    std::fclose(f);
    EXPECT_EQ(system->CreateStream(text, audio::ModeDefault, &sound), audio::Result::ErrBadFormat);
    EXPECT_TRUE(sound.IsNull());
    audio::Sound good = Load(Tone("args.ogg", 4800));
    EXPECT_EQ(good.SetLoopPoints(50, 50), audio::Result::ErrInvalidParam);
    audio::Channel channel = Play(good);
    EXPECT_EQ(channel.SetVolume(NAN), audio::Result::ErrInvalidParam);
    float volume = 0.0f;
    channel.GetVolume(&volume);
    EXPECT_EQ(volume, 1.0f);
}

TEST_F(Layer, OtherFileRatesAreResampledToTheMixRate) {
    audio::Channel channel = Play(Load(Tone("cd.ogg", 44100, 44100)));  // one second
    Rendered r = Render(kRate - 4);
    EXPECT_TRUE(Playing(channel));
    EXPECT_GT(r.Peak(0), 0.4f);
    Render(8);
    EXPECT_FALSE(Playing(channel));
}

class SmallSystem : public ManualSystem {
protected:
    int MaxChannels() const override { return 2; }
};

TEST_F(SmallSystem, NoFreeVoicePlaysNothingAndHandsBackANullChannel) {
    audio::Sound sound = Load(Tone("full.ogg", 4800));
    Play(sound);
    Play(sound);
    audio::Channel third;
    EXPECT_EQ(system->PlaySound(sound, {}, false, &third), audio::Result::ErrNoFreeChannel);
    EXPECT_TRUE(third.IsNull());
}

}  // namespace

// What the mixer makes of volumes: channel groups, mute and 3D attenuation and pan.
#include "platform/audio/AudioLayerTestUtil.h"

using namespace audiotest;

namespace {

class Mix : public ManualSystem {
protected:
    void SetUp() override {
        ManualSystem::SetUp();
        tone = Load(Tone("tone.ogg", kRate * 2));
        ASSERT_EQ(system->CreateChannelGroup(&group), audio::Result::Ok);
    }
    // Peak of the next 4800 frames, left channel.
    float NextPeak(int channel = 0) { return Render(4800).Peak(channel); }

    audio::Sound tone;
    audio::ChannelGroup group;
};

TEST_F(Mix, GroupVolumeScalesVoicesAlreadyPlaying) {
    audio::Channel voice = Play(tone, group);
    const float full = NextPeak();
    ASSERT_GT(full, 0.4f);
    group.SetVolume(0.5f);
    EXPECT_NEAR(NextPeak() / full, 0.5f, 0.03f);
    voice.SetVolume(0.5f);  // channel and group multiply
    EXPECT_NEAR(NextPeak() / full, 0.25f, 0.02f);
    float volume = 0.0f;
    group.GetVolume(&volume);
    EXPECT_EQ(volume, 0.5f);
}

TEST_F(Mix, GroupMuteSilencesAndUnmuteRestores) {
    Play(tone, group);
    const float full = NextPeak();
    group.SetMute(true);
    EXPECT_EQ(NextPeak(), 0.0f);
    bool muted = false;
    group.GetMute(&muted);
    EXPECT_TRUE(muted);
    group.SetMute(false);
    EXPECT_NEAR(NextPeak() / full, 1.0f, 0.03f);
}

TEST_F(Mix, GroupSettingsTouchOnlyTheirOwnVoices) {
    audio::ChannelGroup other;
    system->CreateChannelGroup(&other);
    audio::Channel inOther = Play(tone, other);
    group.SetMute(true);
    EXPECT_GT(NextPeak(), 0.4f);
    float gain = 0.0f;
    inOther.GetAudibility(&gain);
    EXPECT_EQ(gain, 1.0f);
}

TEST_F(Mix, GroupStopEndsItsVoicesAndReleaseLeavesThemUngrouped) {
    audio::Channel a = Play(tone, group);
    group.Stop();
    EXPECT_FALSE(Playing(a));
    audio::Channel b = Play(tone, group);
    group.SetVolume(0.0f);
    group.Release();
    float gain = 0.0f;
    b.GetAudibility(&gain);
    EXPECT_EQ(gain, 1.0f);
    EXPECT_EQ(group.SetVolume(1.0f), audio::Result::ErrInvalidHandle);
}

TEST_F(Mix, ChannelMuteSilencesOneVoice) {
    audio::Channel voice = Play(tone);
    voice.SetMute(true);
    EXPECT_EQ(NextPeak(), 0.0f);
    EXPECT_TRUE(Playing(voice));
}

class Spatial : public Mix {
protected:
    void SetUp() override {
        Mix::SetUp();
        tone.SetMode(audio::Mode3D);
        tone.Set3DMinMaxDistance(100.0f, 1000.0f);
    }
    float GainAt(float x, float y = 0.0f) {
        audio::Channel voice = Play(tone);
        const audio::Vec3 position{x, y, 0.0f};
        voice.Set3DAttributes(&position, nullptr);
        float gain = -1.0f;
        voice.GetAudibility(&gain);
        voice.Stop();
        return gain;
    }
    void Listeners(std::initializer_list<audio::Vec3> at) {
        system->Set3DNumListeners(static_cast<int>(at.size()));
        int i = 0;
        for (const audio::Vec3& p : at) system->Set3DListenerAttributes(i++, &p, nullptr, nullptr, nullptr);
    }
};

TEST_F(Spatial, InverseRollOffBetweenMinAndMaxDistance) {
    Listeners({{0, 0, 0}});
    EXPECT_FLOAT_EQ(GainAt(50.0f), 1.0f);    // inside minDist
    EXPECT_FLOAT_EQ(GainAt(100.0f), 1.0f);
    EXPECT_FLOAT_EQ(GainAt(200.0f), 0.5f);
    EXPECT_FLOAT_EQ(GainAt(0.0f, 400.0f), 0.25f);
    EXPECT_FLOAT_EQ(GainAt(1000.0f), 0.1f);
    EXPECT_FLOAT_EQ(GainAt(5000.0f), 0.1f);  // held at maxDist
}

TEST_F(Spatial, RollOffScaleSteepensTheCurve) {
    Listeners({{0, 0, 0}});
    system->Set3DSettings(1.0f, 1.0f, 2.0f);
    EXPECT_FLOAT_EQ(GainAt(200.0f), 100.0f / 300.0f);
}

TEST_F(Spatial, TheNearestListenerCounts) {
    Listeners({{0, 0, 0}, {1000, 0, 0}});
    EXPECT_FLOAT_EQ(GainAt(900.0f), 1.0f);
    EXPECT_FLOAT_EQ(GainAt(-200.0f), 0.5f);
}

TEST_F(Spatial, WithoutListenersA3DVoicePlaysAs2D) {
    Listeners({});
    EXPECT_FLOAT_EQ(GainAt(5000.0f), 1.0f);
}

TEST_F(Spatial, RenderedLevelFollowsDistanceAndPan) {
    Listeners({{0, 0, 0}});
    audio::Channel voice = Play(tone);
    const audio::Vec3 near{0, 50, 0}, right{400, 0, 0};
    voice.Set3DAttributes(&near, nullptr);
    const float full = NextPeak(1);
    voice.Set3DAttributes(&right, nullptr);  // moves while playing
    Rendered r = Render(4800);
    EXPECT_NEAR(r.Peak(1) / full, 0.25f, 0.02f);
    EXPECT_NEAR(r.Peak(0) / full, 0.125f, 0.01f);  // leans to the right ear
}

TEST_F(Spatial, A2DChannelModeIgnoresListeners) {
    Listeners({{0, 0, 0}});
    audio::Channel voice = Play(tone);
    const audio::Vec3 far{5000, 0, 0};
    voice.Set3DAttributes(&far, nullptr);
    voice.SetMode(audio::Mode2D);
    float gain = 0.0f;
    voice.GetAudibility(&gain);
    EXPECT_EQ(gain, 1.0f);
}

TEST_F(Spatial, ListenerCountAndPositionsAreChecked) {
    EXPECT_EQ(system->Set3DNumListeners(audio::MaxListeners + 1), audio::Result::ErrInvalidParam);
    const audio::Vec3 p{3, 4, 0};
    EXPECT_EQ(system->Set3DListenerAttributes(2, &p, nullptr, nullptr, nullptr), audio::Result::Ok);
    audio::Vec3 back;
    system->Get3DListenerAttributes(2, &back);
    EXPECT_EQ(back.x, 3.0f);
    const audio::Vec3 bad{NAN, 0, 0};
    EXPECT_EQ(system->Set3DListenerAttributes(0, &bad, nullptr, nullptr, nullptr), audio::Result::ErrInvalidParam);
}

}  // namespace

// The outputs that run against the clock: the OpenAL device (the null driver
// in tests), the loopback device and the silent fallback.
#include <chrono>
#include <thread>

#include "platform/audio/AudioLayerTestUtil.h"

namespace {

using namespace std::chrono_literals;

class Output : public ::testing::TestWithParam<audio::OutputMode> {
protected:
    void SetUp() override {
        path = dir.File("clock.ogg");
        ASSERT_TRUE(fixture::WriteOggTone(path, 24000));  // 0.5 s
        audio::System::Create(&system);
        audio::OutputDesc desc;
        desc.mode = GetParam();
        desc.sampleRate = 48000;
        ASSERT_EQ(system->Init(64, audio::InitNormal, &desc), audio::Result::Ok);
    }
    void TearDown() override { system->Release(); }

    fixture::TempDir dir;
    std::string path;
    audio::System* system = nullptr;
};

TEST_P(Output, SoundsStartProgressAndEnd) {
    // The null driver opens as a device; any device failure falls back to the loopback.
    if (GetParam() == audio::OutputMode::Device) {
        EXPECT_NE(system->GetOutputMode(), audio::OutputMode::Silent);
    } else {
        EXPECT_EQ(system->GetOutputMode(), GetParam());
    }
    audio::Sound sound;
    ASSERT_EQ(system->CreateStream(path, audio::ModeDefault, &sound), audio::Result::Ok);
    audio::Channel channel;
    ASSERT_EQ(system->PlaySound(sound, {}, false, &channel), audio::Result::Ok);
    EXPECT_EQ(system->RenderFrames(100, nullptr), audio::Result::ErrWrongMode);
    uint32_t ms = 0;
    for (int i = 0; i < 100 && ms == 0; ++i) {
        std::this_thread::sleep_for(10ms);
        channel.GetPosition(&ms);
    }
    EXPECT_GT(ms, 0u);
    bool playing = true;
    for (int i = 0; i < 300 && playing; ++i) {
        std::this_thread::sleep_for(10ms);
        channel.IsPlaying(&playing);
    }
    EXPECT_FALSE(playing);  // ended within three seconds
    EXPECT_GT(system->GetOutputStats().framesRendered, 0u);
    EXPECT_GT(system->GetOutputStats().peak, 0.1f);
}

TEST_P(Output, VoicesStartedUnderOneLockShareTheirFirstSample) {
    audio::Sound a, b;
    system->CreateStream(path, audio::ModeDefault, &a);
    system->CreateSound(path, audio::ModeDefault, &b);
    audio::Channel first, second;
    {
        audio::MixerLock together(system);
        system->PlaySound(a, {}, false, &first);
        std::this_thread::sleep_for(60ms);  // a slow frame between the two starts
        system->PlaySound(b, {}, false, &second);
    }
    std::this_thread::sleep_for(50ms);
    audio::MixerLock reading(system);
    uint64_t pa = 0, pb = 0;
    first.GetPositionFrames(&pa);
    second.GetPositionFrames(&pb);
    EXPECT_GT(pa, 0u);
    EXPECT_EQ(pa, pb);
}

INSTANTIATE_TEST_SUITE_P(Clocked, Output,
                         ::testing::Values(audio::OutputMode::Device, audio::OutputMode::Loopback,
                                           audio::OutputMode::Silent),
                         [](const auto& paramInfo) {
                             switch (paramInfo.param) {
                                 case audio::OutputMode::Device: return "Device";
                                 case audio::OutputMode::Loopback: return "Loopback";
                                 default: return "Silent";
                             }
                         });

TEST(OutputFallback, LoopbackIsChosenWhenAsked) {
    audio::System* system = nullptr;
    audio::System::Create(&system);
    audio::OutputDesc desc;
    desc.mode = audio::OutputMode::Loopback;
    system->Init(16, audio::InitNormal, &desc);
    EXPECT_EQ(system->GetOutputMode(), audio::OutputMode::Loopback);
    system->Release();
}

TEST(OutputFallback, CallsBeforeInitFailCleanly) {
    audio::System* system = nullptr;
    audio::System::Create(&system);
    audio::Sound sound;
    EXPECT_EQ(system->CreateSound("x.ogg", audio::ModeDefault, &sound), audio::Result::ErrNotInitialized);
    EXPECT_EQ(system->Update(), audio::Result::ErrNotInitialized);
    int listeners = 5;
    system->Get3DNumListeners(&listeners);
    EXPECT_EQ(listeners, 0);
    system->Release();
}

}  // namespace

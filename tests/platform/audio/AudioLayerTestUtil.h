#pragma once
// A manual-mode audio system at 48 kHz with fixture files, for the layer's tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/audio/AudioSystem.h"
#include "platform/audio/OggFixture.h"

namespace audiotest {

constexpr int kRate = 48000;

struct Rendered {
    std::vector<float> samples;  // interleaved stereo
    float Peak(int channel, size_t fromFrame = 0, size_t toFrame = SIZE_MAX) const {
        float peak = 0.0f;
        toFrame = std::min(toFrame, samples.size() / 2);
        for (size_t i = fromFrame; i < toFrame; ++i) peak = std::max(peak, std::fabs(samples[i * 2 + channel]));
        return peak;
    }
};

class ManualSystem : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(audio::System::Create(&system), audio::Result::Ok);
        audio::OutputDesc desc;
        desc.mode = audio::OutputMode::Manual;
        desc.sampleRate = kRate;
        desc.blockFrames = 256;
        ASSERT_EQ(system->Init(MaxChannels(), audio::InitNormal, &desc), audio::Result::Ok);
    }
    void TearDown() override {
        if (system) system->Release();
    }
    virtual int MaxChannels() const { return 64; }

    // A fixture file of `frames` frames (created once per test).
    std::string Tone(const std::string& name, uint64_t frames, int rate = kRate, int channels = 1) {
        const std::string path = dir.File(name);
        EXPECT_TRUE(fixture::WriteOggTone(path, frames, rate, channels));
        return path;
    }
    audio::Sound Load(const std::string& path, bool stream = false, audio::Mode mode = audio::ModeDefault) {
        audio::Sound sound;
        const audio::Result r =
            stream ? system->CreateStream(path, mode, &sound) : system->CreateSound(path, mode, &sound);
        EXPECT_EQ(r, audio::Result::Ok);
        return sound;
    }
    audio::Channel Play(audio::Sound sound, audio::ChannelGroup group = {}) {
        audio::Channel channel;
        EXPECT_EQ(system->PlaySound(sound, group, false, &channel), audio::Result::Ok);
        return channel;
    }
    Rendered Render(int frames) {
        Rendered r;
        r.samples.assign(static_cast<size_t>(frames) * 2, 0.0f);
        EXPECT_EQ(system->RenderFrames(frames, r.samples.data()), audio::Result::Ok);
        return r;
    }
    static bool Playing(const audio::Channel& c) {
        bool playing = true;
        c.IsPlaying(&playing);
        return playing;
    }
    static uint64_t Frames(const audio::Channel& c) {
        uint64_t frames = 0;
        c.GetPositionFrames(&frames);
        return frames;
    }

    fixture::TempDir dir;
    audio::System* system = nullptr;
};

}  // namespace audiotest

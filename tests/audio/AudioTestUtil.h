#pragma once
// Audio component tests: a headless engine with the AudioManager restarted in
// manual mode (48 kHz) and tone fixtures written for the test.
#include <gtest/gtest.h>

#include <string>

#include "EngineHarness.h"
#include "audio/AudioManager.h"
#include "platform/audio/OggFixture.h"

namespace audiotest {

constexpr int kRate = 48000;

class AudioScene : public ::testing::Test {
protected:
    void SetUp() override {
        audio::OutputDesc desc;
        desc.mode = audio::OutputMode::Manual;
        desc.sampleRate = kRate;
        desc.blockFrames = 256;
        Audio().Restart(desc);
    }
    void TearDown() override {
        EngineHarness::ResetEngine();
        Audio().ReleaseAllSounds();
        Audio().ResetListeners();
    }

    static AudioManager& Audio() { return AudioManager::GetInstance(); }
    // A tone file of `ms` milliseconds in the fixture directory.
    std::string Tone(const std::string& name, int ms, int channels = 1) {
        const std::string path = dir.File(name);
        EXPECT_TRUE(fixture::WriteOggTone(path, static_cast<uint64_t>(ms) * kRate / 1000, kRate, channels));
        return path;
    }
    // Mixes the next `ms` milliseconds (what a device would have played meanwhile).
    static void Render(int ms) { Audio().system->RenderFrames(ms * kRate / 1000, nullptr); }

    static bool Playing(const audio::Channel& c) {
        bool playing = false;
        c.IsPlaying(&playing);
        return playing;
    }
    static float Volume(const audio::Channel& c) {
        float volume = -1.0f;
        c.GetVolume(&volume);
        return volume;
    }
    static uint32_t PositionMs(const audio::Channel& c) {
        uint32_t ms = 0;
        c.GetPosition(&ms);
        return ms;
    }

    fixture::TempDir dir;
    EngineHarness engine;
};

}  // namespace audiotest

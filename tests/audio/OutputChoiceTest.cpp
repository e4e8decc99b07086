// Which output the AudioManager starts on: the game's real output unless told otherwise,
// the manual mixer in test processes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "audio/AudioManager.h"

namespace {

// Sets or clears one environment variable for a scope and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value) setenv(name, value, 1);
        else unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_) setenv(name_, old_->c_str(), 1);
        else unsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

audio::OutputMode Chosen(const char* forced, const char* test) {
    ScopedEnv a("HARROWVALE_AUDIO", forced);
    ScopedEnv t("HARROWVALE_TEST", test);
    return AudioManager::StartupOutput().mode;
}

TEST(AudioOutputChoice, TheGameTakesItsRealOutputAndTestsTheManualMixer) {
    EXPECT_EQ(Chosen(nullptr, nullptr), audio::OutputMode::Auto);
    EXPECT_EQ(Chosen("", nullptr), audio::OutputMode::Auto);
    EXPECT_EQ(Chosen(nullptr, "1"), audio::OutputMode::Manual);
    EXPECT_EQ(Chosen("device", "1"), audio::OutputMode::Device);
    EXPECT_EQ(Chosen("loopback", nullptr), audio::OutputMode::Loopback);
    EXPECT_EQ(Chosen("silent", "1"), audio::OutputMode::Silent);
    EXPECT_EQ(Chosen("manual", nullptr), audio::OutputMode::Manual);
}

TEST(AudioOutputChoice, AnUnknownForcedOutputNeverStartsAMixingThreadInTests) {
    EXPECT_EQ(Chosen("pulse", "1"), audio::OutputMode::Manual);
    EXPECT_EQ(Chosen("Device", nullptr), audio::OutputMode::Auto);
}

TEST(AudioOutputChoice, WithoutTheVariablesAManagerOpensARealOutput) {
    ScopedEnv a("HARROWVALE_AUDIO", nullptr);
    ScopedEnv t("HARROWVALE_TEST", nullptr);
    AudioManager manager;
    ASSERT_NE(manager.system, nullptr);
    // A device where OpenAL has one (the null driver in ctest), else its loopback.
    const audio::OutputMode mode = manager.system->GetOutputMode();
    EXPECT_TRUE(mode == audio::OutputMode::Device || mode == audio::OutputMode::Loopback)
        << static_cast<int>(mode);
    EXPECT_FALSE(manager.groups[0].IsNull());
}

}  // namespace

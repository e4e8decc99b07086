#pragma once
// The game's one audio service: owns the audio system, a table of 255 channel
// slots, the cache of sounds played by path, and the three channel groups
// (0 music, 1 effects/interface/dialogue voices, 2 the units' weapon voice lines).
#include <array>
#include <cstdint>
#include <map>
#include <string>

#include "platform/audio/AudioHandles.h"
#include "platform/audio/AudioSystem.h"

class AudioManager {
public:
    static constexpr int kChannelSlots = 255;
    static constexpr int kGroups = 3;
    static constexpr int kSystemChannels = 1024;

    // The one global, built before main with the other two globals.
    static AudioManager& GetInstance();

    // Creates and starts the system (device, else loopback, else silent; tests:
    // manual) and the three groups. Never fails and never blocks start-up.
    AudioManager();
    // The output the game starts with: HARROWVALE_AUDIO=device|loopback|silent|manual forces
    // one (other values are ignored); else test processes (HARROWVALE_TEST set) take manual,
    // and the game takes Auto: a real device, else OpenAL's loopback, else silence.
    static audio::OutputDesc StartupOutput();
    ~AudioManager();
    AudioManager(const AudioManager&) = delete;
    AudioManager& operator=(const AudioManager&) = delete;

    // --- engine tick ---
    // The system's update, once per running frame; its result goes to lastResult.
    void UpdateSystem();
    // Releases every cached sound (stopping its voices) and empties the cache.
    void ReleaseAllSounds();
    // The system's number of 3D listeners and our listenerCount back to 0.
    void ResetListeners();

    // --- sounds ---
    // The cached sound for path; null when absent or cached with no sound.
    audio::Sound FindSound(const std::string& path) const;
    // createMode 0 whole sample, 1 stream, anything else nothing. The cache is untouched:
    // the caller owns what it gets.
    audio::Sound CreateSound(const std::string& path, int32_t createMode);
    // The first slot whose channel is null or no longer playing; null when all 255 play.
    audio::Channel* GetFreeChannel();

    // Plays a file by path through the cache on group 0, 1 or 2 (any other group: 1).
    // With no free slot nothing plays and outChannel receives a null channel.
    void PlaySound(const std::string& path, int32_t group, bool loop = false, int32_t loopCount = -1,
                   float volume = 1.0f, int32_t createMode = 0, audio::Channel* outChannel = nullptr);
    // The same for a sound the caller holds (not cached), placed in 3D before it starts.
    void PlaySound3D(audio::Sound sound, int32_t group, bool loop, int32_t loopCount, float volume,
                     audio::Channel* outChannel, const audio::Vec3& position, const audio::Vec3& velocity);

    // Loop region in milliseconds; -1 start = 0, -1 end = the sound's length.
    void SetLoopPoints(const std::string& path, int32_t startMs, int32_t endMs);
    void SetLoopPoints(audio::Sound sound, int32_t startMs, int32_t endMs);
    // The same for a cached path, run after the next render (job kind 7).
    void SetLoopPointsDeferred(const std::string& path, int32_t startMs, int32_t endMs);

    // Group 0, 1 or 2 (any other index: group 1).
    audio::ChannelGroup Group(int32_t index) const;

    // Tears the system down and builds it again on another output (tests use Manual).
    void Restart(const audio::OutputDesc& output);

    audio::System* system = nullptr;
    std::array<audio::Channel, kChannelSlots> channels{};
    std::map<std::string, audio::Sound> sounds;
    std::array<audio::ChannelGroup, kGroups> groups{};
    uint32_t listenerCount = 0;
    // The result of the latest call whose result anyone keeps (the tick's update, group settings...).
    audio::Result lastResult = audio::Result::Ok;

private:
    void Open(const audio::OutputDesc& output);
    void Close();
    // Common tail of both plays: start on a free slot, loop, volume, optional 3D, unpause.
    void StartVoice(audio::Sound sound, int32_t group, bool loop, int32_t loopCount, float volume,
                    audio::Channel* outChannel, const audio::Vec3* position);
};

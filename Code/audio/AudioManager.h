#pragma once
// The game's sound front: sound cache, channel slots, channel groups.
// (Filled in by the audio work; the tick needs these calls.)
#include <cstdint>
#include <string>

class AudioManager {
public:
    // The one global, built before main with the other two globals.
    static AudioManager& Instance();

    AudioManager();
    ~AudioManager();

    // The audio system's update, once per running frame; its result is kept in lastResult.
    void UpdateSystem();
    // Releases every cached sound (scene change, quit).
    void ReleaseAllSounds();
    // Sets the system's 3D listener count and our listener count to 0.
    void ResetListeners();

    // Plays a sound file on channel group 0 (music), 1 (effects, voices) or 2 (weapon voices).
    void PlaySound(const std::string& path, int32_t group, bool loop = false, int32_t loopCount = -1,
                   float volume = 1.0f);

    int lastResult = 0;
    int listenerCount = 0;
};

#pragma once
// The voice mixer: the tables of sounds, voices (channels) and channel
// groups, the 3D listeners, and the code that mixes every audible voice into
// one interleaved stereo float block. Not thread-safe: System serialises all
// access with its lock.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio/AudioDecoder.h"
#include "platform/audio/AudioTypes.h"

namespace audio {

struct SoundData {
    std::string path;
    bool stream = false;
    int channels = 2;
    int rate = 44100;
    uint64_t length = 0;          // frames
    std::vector<float> pcm;       // whole samples only
    VorbisDecoder decoder;        // streams only
    Mode mode = ModeDefault;
    float minDist = 1.0f;
    float maxDist = 10000.0f;
    uint64_t loopStart = 0;       // frames, [start, end)
    uint64_t loopEnd = 0;
    int streamVoice = -1;         // the one voice a stream may feed
};

struct Voice {
    uint32_t generation = 1;
    bool used = false;
    bool paused = false;
    bool mute = false;
    uint32_t sound = 0;           // sound slot
    int group = -1;               // group slot, -1 = none
    uint32_t groupGeneration = 0;
    float volume = 1.0f;
    bool loop = false;
    int loopCount = -1;           // -1 forever, else wraps left
    bool ownLoop = false;         // loop points set on the channel itself
    uint64_t loopStart = 0;
    uint64_t loopEnd = 0;
    uint64_t position = 0;        // next source frame to read
    bool is3D = false;
    Vec3 position3D{};
    // Linear resampling state, used only when the file rate differs from the mix rate.
    double step = 1.0;
    double frac = 0.0;
    float a[2] = {0, 0};
    float b[2] = {0, 0};
    bool primed = false;
    bool drained = false;
};

struct Group {
    uint32_t generation = 1;
    bool used = false;
    float volume = 1.0f;
    bool mute = false;
};

struct Listeners {
    int count = 0;
    std::array<Vec3, MaxListeners> position{};
    float doppler = 1.0f;
    float distanceFactor = 1.0f;
    float rolloff = 1.0f;
};

class Mixer {
public:
    void Init(int sampleRate, int maxVoices, int blockFrames);
    void Clear();

    int SampleRate() const { return rate_; }

    // Sounds
    void AddSound(std::unique_ptr<SoundData> data, uint32_t& slot, uint32_t& generation);
    SoundData* FindSound(uint32_t slot, uint32_t generation);
    void ReleaseSound(uint32_t slot);
    // Sounds created and not yet released (a leak check for scene loads).
    int LiveSounds() const;
    uint32_t SoundGeneration(uint32_t slot) const { return slot < soundGenerations_.size() ? soundGenerations_[slot] : 0; }

    // Voices
    Voice* FindVoice(uint32_t slot, uint32_t generation);
    Result Play(uint32_t soundSlot, int group, uint32_t groupGeneration, bool paused,
                uint32_t& slot, uint32_t& generation);
    void StopVoice(uint32_t slot);
    int PlayingVoices() const;
    // Voices in use, paused or not.
    int UsedVoices() const;
    uint64_t LoopStartOf(const Voice& v) const;
    uint64_t LoopEndOf(const Voice& v) const;

    // Groups
    Result AddGroup(uint32_t& slot, uint32_t& generation);
    Group* FindGroup(uint32_t slot, uint32_t generation);
    void ReleaseGroup(uint32_t slot);
    void StopGroup(uint32_t slot, uint32_t generation);

    Listeners& listeners() { return listeners_; }

    // The gains a voice is heard with right now (left, right), group and 3D included.
    void VoiceGains(const Voice& v, float& left, float& right) const;
    float Attenuation(const Voice& v) const;
    // Volume x group x 3D attenuation, before pan: how loud the voice is heard.
    float Audibility(const Voice& v) const;

    // Mixes `frames` frames (any count) into `out` (stereo, overwritten).
    void Mix(float* out, int frames);

    OutputStats stats;

private:
    float BaseGain(const Voice& v) const;
    void MixBlock(float* out, int frames);
    void MixVoice(uint32_t slot, float* out, int frames);
    size_t Fetch(Voice& v, SoundData& s, float* dst, size_t frames);
    void SettleAtBoundary(Voice& v, const SoundData& s);
    bool AtEnd(const Voice& v, const SoundData& s) const;
    size_t CopyFrames(Voice& v, SoundData& s, float* dst, size_t frames);

    int rate_ = 44100;
    int block_ = 1024;
    std::vector<std::unique_ptr<SoundData>> sounds_;
    std::vector<uint32_t> soundGenerations_;
    std::vector<Voice> voices_;
    std::vector<Group> groups_;
    Listeners listeners_;
    std::vector<float> scratch_;
};

}  // namespace audio

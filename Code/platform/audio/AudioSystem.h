#pragma once
// The audio system: owns the mixer, the tables behind every handle and the
// output. Create with System::Create, then Init; Release deletes it and
// leaves every handle of it dead.
//
// Thread model: the game calls from one thread; the output's feeder thread
// mixes. One recursive lock serialises both, and LockMixer/UnlockMixer let a
// caller make several calls land between the same two mixed blocks (voices
// unpaused under one lock start on the same sample).
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "platform/audio/AudioHandles.h"
#include "platform/audio/AudioMixer.h"
#include "platform/audio/AudioOutput.h"
#include "platform/audio/AudioTypes.h"

namespace audio {

class System final : private MixTarget {
public:
    static Result Create(System** out);

    // Never fails for lack of a device: falls back to loopback, then silence.
    Result Init(int maxChannels, uint32_t initFlags, const OutputDesc* desc = nullptr);
    Result Release();
    Result Update();

    Result CreateSound(const std::string& path, Mode mode, Sound* out);   // decodes the whole file
    Result CreateStream(const std::string& path, Mode mode, Sound* out);  // decodes while playing
    // Starts a voice on `group` (a null group: ungrouped). A stream that is
    // already playing is stopped first: it has one decoder.
    Result PlaySound(Sound sound, ChannelGroup group, bool paused, Channel* out);
    Result CreateChannelGroup(ChannelGroup* out);

    Result Set3DSettings(float dopplerScale, float distanceFactor, float rolloffScale);
    Result Get3DSettings(float* dopplerScale, float* distanceFactor, float* rolloffScale);
    Result Set3DNumListeners(int count);  // 0..MaxListeners; 0 = 3D voices play as 2D
    Result Get3DNumListeners(int* count);
    Result Set3DListenerAttributes(int listener, const Vec3* position, const Vec3* velocity,
                                   const Vec3* forward, const Vec3* up);
    Result Get3DListenerAttributes(int listener, Vec3* position);

    // Manual mode only: mixes exactly `frames` frames into `out` (interleaved
    // stereo, may be null to discard).
    Result RenderFrames(int frames, float* out);

    void LockMixer() { mutex_.lock(); }
    void UnlockMixer() { mutex_.unlock(); }

    OutputMode GetOutputMode() const { return output_.Mode(); }
    int GetSampleRate() const { return desc_.sampleRate; }
    bool IsInitialized() const { return initialized_; }
    // Loopback: what OpenAL rendered; otherwise what the mixer produced.
    OutputStats GetOutputStats();
    void ResetOutputStats();
    int GetPlayingChannels();
    // Leak counts: sounds not yet released, voices in use (paused ones included).
    int GetLiveSounds();
    int GetUsedChannels();
    uint32_t Id() const { return id_; }

private:
    friend struct SystemAccess;
    System();
    ~System();
    void MixForOutput(float* out, int frames) override;
    Result Create(const std::string& path, Mode mode, bool stream, Sound* out);

    uint32_t id_ = 0;
    bool initialized_ = false;
    OutputDesc desc_;
    std::recursive_mutex mutex_;
    Mixer mixer_;
    Output output_;
    std::unique_ptr<float[]> discard_;
};

// Holds the mixer lock for a scope; a null system does nothing.
class MixerLock {
public:
    explicit MixerLock(System* system) : system_(system) {
        if (system_) system_->LockMixer();
    }
    ~MixerLock() {
        if (system_) system_->UnlockMixer();
    }
    MixerLock(const MixerLock&) = delete;
    MixerLock& operator=(const MixerLock&) = delete;

private:
    System* system_;
};

}  // namespace audio

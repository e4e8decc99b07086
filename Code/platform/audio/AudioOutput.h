#pragma once
// Where the mixed stereo signal goes: an OpenAL device fed from a queue of
// buffers, OpenAL Soft's loopback device rendered against the steady clock,
// or nothing at all (silent, still paced by the clock). A feeder thread does
// the mixing in all three, so a slow game frame never starves a voice.
// Manual mode has no thread and no output: its owner renders by hand.
#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "platform/audio/AudioTypes.h"

namespace audio {

class MixTarget {
public:
    virtual void MixForOutput(float* out, int frames) = 0;

protected:
    ~MixTarget() = default;
};

class Output {
public:
    Output() = default;
    ~Output() { Close(); }
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    // Opens the requested mode; Auto (and any mode that fails to open) falls
    // back Device -> Loopback -> Silent. Never fails and never blocks long.
    OutputMode Open(const OutputDesc& desc, MixTarget* target);
    void Close();
    OutputMode Mode() const { return mode_; }

    // What the loopback device has rendered (Loopback mode only).
    OutputStats RenderedStats() const;
    void ResetRenderedStats();

private:
    bool OpenDevice();
    bool OpenLoopback();
    // A context of attrs on device (an ALCdevice), made current, then the source queue;
    // on failure everything made is closed again, the device included.
    bool StartOn(void* device, const int* attrs);
    bool CreateSourceQueue();
    void DestroyAl();
    void FeedQueue();
    void MixIntoBuffer(unsigned buffer);
    void DeviceLoop();
    void ClockLoop();

    OutputDesc desc_;
    MixTarget* target_ = nullptr;
    OutputMode mode_ = OutputMode::Silent;
    void* device_ = nullptr;   // ALCdevice
    void* context_ = nullptr;  // ALCcontext
    unsigned source_ = 0;
    std::vector<unsigned> buffers_;
    std::vector<float> mix_;
    std::vector<int16_t> pcm16_;
    std::vector<float> rendered_;
    void (*renderSamples_)(void*, void*, int) = nullptr;
    std::thread thread_;
    std::atomic<bool> running_{false};
    std::atomic<uint64_t> renderedFrames_{0};
    std::atomic<float> renderedPeak_{0.0f};
};

}  // namespace audio

#include "platform/audio/AudioOutput.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace audio {

namespace {

ALCdevice* Dev(void* p) { return static_cast<ALCdevice*>(p); }
ALCcontext* Ctx(void* p) { return static_cast<ALCcontext*>(p); }

constexpr auto FeederNap = std::chrono::milliseconds(4);

}  // namespace

OutputMode Output::Open(const OutputDesc& desc, MixTarget* target) {
    Close();
    desc_ = desc;
    desc_.blockFrames = std::max(desc_.blockFrames, 64);
    desc_.queuedBlocks = std::clamp(desc_.queuedBlocks, 2, 16);
    target_ = target;
    mix_.assign(static_cast<size_t>(desc_.blockFrames) * 2, 0.0f);
    pcm16_.assign(mix_.size(), 0);
    rendered_.assign(mix_.size(), 0.0f);
    ResetRenderedStats();

    const OutputMode want = desc.mode;
    if (want == OutputMode::Manual) {
        mode_ = OutputMode::Manual;
        return mode_;
    }
    if ((want == OutputMode::Auto || want == OutputMode::Device) && OpenDevice()) {
        mode_ = OutputMode::Device;
    } else if (want != OutputMode::Silent && OpenLoopback()) {
        mode_ = OutputMode::Loopback;
    } else {
        mode_ = OutputMode::Silent;
    }
    running_ = true;
    if (mode_ == OutputMode::Device)
        thread_ = std::thread([this] { DeviceLoop(); });
    else
        thread_ = std::thread([this] { ClockLoop(); });
    return mode_;
}

void Output::Close() {
    running_ = false;
    if (thread_.joinable()) thread_.join();
    DestroyAl();
    mode_ = OutputMode::Silent;
}

OutputStats Output::RenderedStats() const {
    return OutputStats{renderedFrames_.load(), renderedPeak_.load()};
}

void Output::ResetRenderedStats() {
    renderedFrames_ = 0;
    renderedPeak_ = 0.0f;
}

bool Output::OpenDevice() {
    ALCdevice* dev = alcOpenDevice(nullptr);
    if (!dev) return false;
    const ALCint attrs[] = {ALC_FREQUENCY, desc_.sampleRate, 0};
    return StartOn(dev, attrs);
}

bool Output::OpenLoopback() {
    if (!alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback")) return false;
    auto openLoopback = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(
        alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
    auto formatSupported = reinterpret_cast<LPALCISRENDERFORMATSUPPORTEDSOFT>(
        alcGetProcAddress(nullptr, "alcIsRenderFormatSupportedSOFT"));
    auto render = reinterpret_cast<LPALCRENDERSAMPLESSOFT>(alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
    if (!openLoopback || !formatSupported || !render) return false;
    ALCdevice* dev = openLoopback(nullptr);
    if (!dev) return false;
    if (!formatSupported(dev, desc_.sampleRate, ALC_STEREO_SOFT, ALC_FLOAT_SOFT)) {
        alcCloseDevice(dev);
        return false;
    }
    const ALCint attrs[] = {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT, ALC_FLOAT_SOFT,
                            ALC_FREQUENCY, desc_.sampleRate, 0};
    if (!StartOn(dev, attrs)) return false;
    // The clock thread that renders through it starts only after this returns.
    renderSamples_ = reinterpret_cast<void (*)(void*, void*, int)>(render);
    return true;
}

bool Output::StartOn(void* device, const int* attrs) {
    ALCdevice* dev = Dev(device);
    ALCcontext* ctx = alcCreateContext(dev, attrs);
    if (!ctx || !alcMakeContextCurrent(ctx)) {
        if (ctx) alcDestroyContext(ctx);
        alcCloseDevice(dev);
        return false;
    }
    device_ = dev;
    context_ = ctx;
    if (!CreateSourceQueue()) {
        DestroyAl();
        return false;
    }
    return true;
}

// One plain stereo source that plays our own mix; OpenAL does no 3D on it.
bool Output::CreateSourceQueue() {
    alGetError();
    alGenSources(1, &source_);
    if (alGetError() != AL_NO_ERROR) {
        source_ = 0;
        return false;
    }
    alSourcei(source_, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(source_, AL_POSITION, 0.0f, 0.0f, 0.0f);
    buffers_.assign(static_cast<size_t>(desc_.queuedBlocks), 0);
    alGenBuffers(static_cast<ALsizei>(buffers_.size()), buffers_.data());
    if (alGetError() != AL_NO_ERROR) {
        buffers_.clear();
        return false;
    }
    for (unsigned b : buffers_) {
        MixIntoBuffer(b);
        alSourceQueueBuffers(source_, 1, &b);
    }
    alSourcePlay(source_);
    return alGetError() == AL_NO_ERROR;
}

void Output::DestroyAl() {
    if (context_) {
        if (source_) {
            alSourceStop(source_);
            alSourcei(source_, AL_BUFFER, 0);
            alDeleteSources(1, &source_);
        }
        if (!buffers_.empty()) alDeleteBuffers(static_cast<ALsizei>(buffers_.size()), buffers_.data());
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(Ctx(context_));
    }
    if (device_) alcCloseDevice(Dev(device_));
    source_ = 0;
    buffers_.clear();
    context_ = device_ = nullptr;
    renderSamples_ = nullptr;
}

void Output::MixIntoBuffer(unsigned buffer) {
    target_->MixForOutput(mix_.data(), desc_.blockFrames);
    for (size_t i = 0; i < mix_.size(); ++i) {
        const float s = std::clamp(mix_[i], -1.0f, 1.0f);
        pcm16_[i] = static_cast<int16_t>(std::lrint(s * 32767.0f));
    }
    alBufferData(buffer, AL_FORMAT_STEREO16, pcm16_.data(), static_cast<ALsizei>(pcm16_.size() * sizeof(int16_t)),
                 desc_.sampleRate);
}

// Refills every buffer the source has finished and restarts it after an underrun.
void Output::FeedQueue() {
    ALint processed = 0;
    alGetSourcei(source_, AL_BUFFERS_PROCESSED, &processed);
    while (processed-- > 0) {
        ALuint b = 0;
        alSourceUnqueueBuffers(source_, 1, &b);
        MixIntoBuffer(b);
        alSourceQueueBuffers(source_, 1, &b);
    }
    ALint state = AL_PLAYING;
    alGetSourcei(source_, AL_SOURCE_STATE, &state);
    if (state != AL_PLAYING) alSourcePlay(source_);
}

void Output::DeviceLoop() {
    while (running_) {
        FeedQueue();
        std::this_thread::sleep_for(FeederNap);
    }
}

// Loopback and silent output: render as many blocks as the clock says are
// due. After a long stall the backlog is dropped rather than rushed through.
void Output::ClockLoop() {
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const uint64_t block = static_cast<uint64_t>(desc_.blockFrames);
    uint64_t rendered = 0;
    while (running_) {
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        const auto due = static_cast<uint64_t>(seconds * desc_.sampleRate);
        if (due > rendered + static_cast<uint64_t>(desc_.sampleRate) / 2) rendered = due - block;
        while (rendered + block <= due && running_) {
            if (mode_ == OutputMode::Loopback) {
                FeedQueue();
                renderSamples_(device_, rendered_.data(), desc_.blockFrames);
                float peak = renderedPeak_.load();
                for (float s : rendered_) peak = std::max(peak, std::fabs(s));
                renderedPeak_ = peak;
                renderedFrames_ += block;
            } else {
                target_->MixForOutput(mix_.data(), desc_.blockFrames);
            }
            rendered += block;
        }
        std::this_thread::sleep_for(FeederNap);
    }
}

}  // namespace audio

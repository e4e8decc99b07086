#include "platform/audio/AudioSystem.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/audio/AudioSystemAccess.h"

namespace audio {

namespace {

struct Registry {
    std::mutex mutex;
    std::vector<System*> live;
    uint32_t nextId = 1;
};

Registry& GetRegistry() {
    static Registry registry;
    return registry;
}

bool Finite(const Vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

}  // namespace

const char* ResultString(Result r) {
    switch (r) {
        case Result::Ok: return "ok";
        case Result::ErrInvalidHandle: return "invalid handle";
        case Result::ErrInvalidParam: return "invalid parameter";
        case Result::ErrFileNotFound: return "file not found";
        case Result::ErrBadFormat: return "bad format";
        case Result::ErrNoFreeChannel: return "no free channel";
        case Result::ErrNotInitialized: return "not initialized";
        case Result::ErrWrongMode: return "wrong output mode";
    }
    return "unknown";
}

System* FindSystem(uint32_t id) {
    if (id == 0) return nullptr;
    Registry& reg = GetRegistry();
    std::lock_guard<std::mutex> lock(reg.mutex);
    for (System* s : reg.live)
        if (s->Id() == id) return s;
    return nullptr;
}

Result System::Create(System** out) {
    if (!out) return Result::ErrInvalidParam;
    *out = new System();
    return Result::Ok;
}

System::System() {
    Registry& reg = GetRegistry();
    std::lock_guard<std::mutex> lock(reg.mutex);
    id_ = reg.nextId++;
    reg.live.push_back(this);
}

System::~System() {
    Registry& reg = GetRegistry();
    std::lock_guard<std::mutex> lock(reg.mutex);
    reg.live.erase(std::remove(reg.live.begin(), reg.live.end(), this), reg.live.end());
}

Result System::Init(int maxChannels, uint32_t, const OutputDesc* desc) {
    if (initialized_) return Result::ErrWrongMode;
    if (maxChannels <= 0) return Result::ErrInvalidParam;
    desc_ = desc ? *desc : OutputDesc{};
    desc_.sampleRate = std::clamp(desc_.sampleRate, 8000, 192000);
    desc_.blockFrames = std::clamp(desc_.blockFrames, 64, 16384);
    {
        std::lock_guard<std::recursive_mutex> lock(mutex_);
        mixer_.Init(desc_.sampleRate, maxChannels, desc_.blockFrames);
        discard_ = std::make_unique<float[]>(static_cast<size_t>(desc_.blockFrames) * 2);
        initialized_ = true;
    }
    output_.Open(desc_, this);  // takes the lock from the feeder thread, so not held here
    return Result::Ok;
}

Result System::Release() {
    output_.Close();
    {
        std::lock_guard<std::recursive_mutex> lock(mutex_);
        mixer_.Clear();
        initialized_ = false;
    }
    delete this;
    return Result::Ok;
}

Result System::Update() { return initialized_ ? Result::Ok : Result::ErrNotInitialized; }

void System::MixForOutput(float* out, int frames) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    mixer_.Mix(out, frames);
}

Result System::Create(const std::string& path, Mode mode, bool stream, Sound* out) {
    if (out) *out = Sound{};
    if (!initialized_) return Result::ErrNotInitialized;
    auto data = std::make_unique<SoundData>();
    data->path = path;
    data->stream = stream;
    data->mode = mode;
    if (stream) {
        if (Result r = data->decoder.Open(path); r != Result::Ok) return r;
        data->channels = 2;  // the decoder hands out stereo
        data->rate = data->decoder.Rate();
        data->length = data->decoder.LengthFrames();
    } else {
        DecodedSample sample;
        if (Result r = DecodeWholeFile(path, sample); r != Result::Ok) return r;
        data->channels = sample.channels;
        data->rate = sample.rate;
        data->length = sample.Frames();
        data->pcm = std::move(sample.pcm);
    }
    data->loopEnd = data->length;
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    HandleId id{id_, 0, 0};
    mixer_.AddSound(std::move(data), id.slot, id.generation);
    if (out) *out = Sound(id);
    return Result::Ok;
}

Result System::CreateSound(const std::string& path, Mode mode, Sound* out) { return Create(path, mode, false, out); }

Result System::CreateStream(const std::string& path, Mode mode, Sound* out) { return Create(path, mode, true, out); }

Result System::PlaySound(Sound sound, ChannelGroup group, bool paused, Channel* out) {
    if (out) *out = Channel{};
    if (!initialized_) return Result::ErrNotInitialized;
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    const HandleId sid = sound.Id();
    if (sid.system != id_ || !mixer_.FindSound(sid.slot, sid.generation)) return Result::ErrInvalidHandle;
    int groupSlot = -1;
    uint32_t groupGeneration = 0;
    if (!group.IsNull()) {
        const HandleId gid = group.Id();
        if (gid.system != id_ || !mixer_.FindGroup(gid.slot, gid.generation)) return Result::ErrInvalidHandle;
        groupSlot = static_cast<int>(gid.slot);
        groupGeneration = gid.generation;
    }
    HandleId cid{id_, 0, 0};
    if (Result r = mixer_.Play(sid.slot, groupSlot, groupGeneration, paused, cid.slot, cid.generation);
        r != Result::Ok)
        return r;
    if (out) *out = Channel(cid);
    return Result::Ok;
}

Result System::CreateChannelGroup(ChannelGroup* out) {
    if (out) *out = ChannelGroup{};
    if (!initialized_) return Result::ErrNotInitialized;
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    HandleId gid{id_, 0, 0};
    mixer_.AddGroup(gid.slot, gid.generation);
    if (out) *out = ChannelGroup(gid);
    return Result::Ok;
}

Result System::Set3DSettings(float dopplerScale, float distanceFactor, float rolloffScale) {
    if (!initialized_) return Result::ErrNotInitialized;
    if (!std::isfinite(dopplerScale) || !std::isfinite(distanceFactor) || !std::isfinite(rolloffScale) ||
        dopplerScale < 0.0f || distanceFactor <= 0.0f || rolloffScale < 0.0f)
        return Result::ErrInvalidParam;
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    Listeners& l = mixer_.listeners();
    l.doppler = dopplerScale;
    l.distanceFactor = distanceFactor;
    l.rolloff = rolloffScale;
    return Result::Ok;
}

Result System::Get3DSettings(float* dopplerScale, float* distanceFactor, float* rolloffScale) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    const Listeners& l = mixer_.listeners();
    if (dopplerScale) *dopplerScale = l.doppler;
    if (distanceFactor) *distanceFactor = l.distanceFactor;
    if (rolloffScale) *rolloffScale = l.rolloff;
    return initialized_ ? Result::Ok : Result::ErrNotInitialized;
}

Result System::Set3DNumListeners(int count) {
    if (!initialized_) return Result::ErrNotInitialized;
    if (count < 0 || count > MaxListeners) return Result::ErrInvalidParam;
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    mixer_.listeners().count = count;
    return Result::Ok;
}

Result System::Get3DNumListeners(int* count) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (count) *count = initialized_ ? mixer_.listeners().count : 0;
    return initialized_ ? Result::Ok : Result::ErrNotInitialized;
}

Result System::Set3DListenerAttributes(int listener, const Vec3* position, const Vec3*, const Vec3*, const Vec3*) {
    if (!initialized_) return Result::ErrNotInitialized;
    if (listener < 0 || listener >= MaxListeners) return Result::ErrInvalidParam;
    if (position && !Finite(*position)) return Result::ErrInvalidParam;
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (position) mixer_.listeners().position[static_cast<size_t>(listener)] = *position;
    return Result::Ok;
}

Result System::Get3DListenerAttributes(int listener, Vec3* position) {
    if (position) *position = Vec3{};
    if (!initialized_) return Result::ErrNotInitialized;
    if (listener < 0 || listener >= MaxListeners) return Result::ErrInvalidParam;
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (position) *position = mixer_.listeners().position[static_cast<size_t>(listener)];
    return Result::Ok;
}

Result System::RenderFrames(int frames, float* out) {
    if (!initialized_) return Result::ErrNotInitialized;
    if (output_.Mode() != OutputMode::Manual) return Result::ErrWrongMode;
    if (frames < 0) return Result::ErrInvalidParam;
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (out) {
        mixer_.Mix(out, frames);
        return Result::Ok;
    }
    while (frames > 0) {
        const int n = std::min(frames, desc_.blockFrames);
        mixer_.Mix(discard_.get(), n);
        frames -= n;
    }
    return Result::Ok;
}

OutputStats System::GetOutputStats() {
    if (output_.Mode() == OutputMode::Loopback) return output_.RenderedStats();
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return mixer_.stats;
}

void System::ResetOutputStats() {
    output_.ResetRenderedStats();
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    mixer_.stats = OutputStats{};
}

int System::GetPlayingChannels() {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return initialized_ ? mixer_.PlayingVoices() : 0;
}

int System::GetLiveSounds() {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return mixer_.LiveSounds();
}

int System::GetUsedChannels() {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return initialized_ ? mixer_.UsedVoices() : 0;
}

}  // namespace audio

#include "platform/audio/AudioHandles.h"

#include <cmath>

#include "platform/audio/AudioSystemAccess.h"

namespace audio {

namespace {

uint64_t MsToFrames(uint32_t ms, int rate) { return static_cast<uint64_t>(ms) * static_cast<uint64_t>(rate) / 1000; }
uint32_t FramesToMs(uint64_t frames, int rate) { return static_cast<uint32_t>(frames * 1000 / static_cast<uint64_t>(rate)); }

// Loop points in milliseconds to frames: an end at or past the length means
// the true last frame (milliseconds round down), and the region must not be empty.
Result LoopFrames(const SoundData& s, uint32_t startMs, uint32_t endMs, uint64_t& start, uint64_t& end) {
    start = MsToFrames(startMs, s.rate);
    end = endMs >= FramesToMs(s.length, s.rate) ? s.length : MsToFrames(endMs, s.rate);
    return start < end ? Result::Ok : Result::ErrInvalidParam;
}

// Runs f(sound data) for a live sound handle.
template <class F>
Result WithSound(const HandleId& id, F&& f) {
    return SystemAccess::WithMixer(id.system, [&](Mixer& m) {
        SoundData* s = m.FindSound(id.slot, id.generation);
        return s ? f(m, *s) : Result::ErrInvalidHandle;
    });
}

template <class F>
Result WithVoice(const HandleId& id, F&& f) {
    return SystemAccess::WithMixer(id.system, [&](Mixer& m) {
        Voice* v = m.FindVoice(id.slot, id.generation);
        return v ? f(m, *v) : Result::ErrInvalidHandle;
    });
}

template <class F>
Result WithGroup(const HandleId& id, F&& f) {
    return SystemAccess::WithMixer(id.system, [&](Mixer& m) {
        Group* g = m.FindGroup(id.slot, id.generation);
        return g ? f(m, *g) : Result::ErrInvalidHandle;
    });
}

}  // namespace

// ---- Sound ----------------------------------------------------------------

Result Sound::Release() {
    const HandleId id = id_;
    return WithSound(id, [&](Mixer& m, SoundData&) {
        m.ReleaseSound(id.slot);
        return Result::Ok;
    });
}

Result Sound::GetLength(uint32_t* ms) const {
    if (ms) *ms = 0;
    return WithSound(id_, [&](Mixer&, SoundData& s) {
        if (ms) *ms = FramesToMs(s.length, s.rate);
        return Result::Ok;
    });
}

Result Sound::GetLengthFrames(uint64_t* frames) const {
    if (frames) *frames = 0;
    return WithSound(id_, [&](Mixer&, SoundData& s) {
        if (frames) *frames = s.length;
        return Result::Ok;
    });
}

Result Sound::SetLoopPoints(uint32_t startMs, uint32_t endMs) {
    return WithSound(id_, [&](Mixer&, SoundData& s) {
        uint64_t start = 0, end = 0;
        if (Result r = LoopFrames(s, startMs, endMs, start, end); r != Result::Ok) return r;
        s.loopStart = start;
        s.loopEnd = end;
        return Result::Ok;
    });
}

Result Sound::GetLoopPoints(uint32_t* startMs, uint32_t* endMs) const {
    if (startMs) *startMs = 0;
    if (endMs) *endMs = 0;
    return WithSound(id_, [&](Mixer&, SoundData& s) {
        if (startMs) *startMs = FramesToMs(s.loopStart, s.rate);
        if (endMs) *endMs = FramesToMs(s.loopEnd, s.rate);
        return Result::Ok;
    });
}

Result Sound::SetMode(Mode mode) {
    return WithSound(id_, [&](Mixer&, SoundData& s) {
        if (mode & ModeLoopNormal) s.mode = (s.mode & ~ModeLoopOff) | ModeLoopNormal;
        if (mode & ModeLoopOff) s.mode = (s.mode & ~ModeLoopNormal) | ModeLoopOff;
        if (mode & Mode3D) s.mode = (s.mode & ~Mode2D) | Mode3D;
        if (mode & Mode2D) s.mode = (s.mode & ~Mode3D) | Mode2D;
        return Result::Ok;
    });
}

Result Sound::GetMode(Mode* mode) const {
    if (mode) *mode = ModeDefault;
    return WithSound(id_, [&](Mixer&, SoundData& s) {
        if (mode) *mode = s.mode;
        return Result::Ok;
    });
}

Result Sound::Set3DMinMaxDistance(float minDist, float maxDist) {
    if (!std::isfinite(minDist) || !std::isfinite(maxDist) || minDist <= 0.0f || maxDist < minDist)
        return id_.generation ? Result::ErrInvalidParam : Result::ErrInvalidHandle;
    return WithSound(id_, [&](Mixer&, SoundData& s) {
        s.minDist = minDist;
        s.maxDist = maxDist;
        return Result::Ok;
    });
}

Result Sound::Get3DMinMaxDistance(float* minDist, float* maxDist) const {
    if (minDist) *minDist = 0.0f;
    if (maxDist) *maxDist = 0.0f;
    return WithSound(id_, [&](Mixer&, SoundData& s) {
        if (minDist) *minDist = s.minDist;
        if (maxDist) *maxDist = s.maxDist;
        return Result::Ok;
    });
}

// ---- ChannelGroup ---------------------------------------------------------

Result ChannelGroup::SetVolume(float volume) {
    if (!std::isfinite(volume)) return id_.generation ? Result::ErrInvalidParam : Result::ErrInvalidHandle;
    return WithGroup(id_, [&](Mixer&, Group& g) {
        g.volume = volume;
        return Result::Ok;
    });
}

Result ChannelGroup::GetVolume(float* volume) const {
    if (volume) *volume = 0.0f;
    return WithGroup(id_, [&](Mixer&, Group& g) {
        if (volume) *volume = g.volume;
        return Result::Ok;
    });
}

Result ChannelGroup::SetMute(bool mute) {
    return WithGroup(id_, [&](Mixer&, Group& g) {
        g.mute = mute;
        return Result::Ok;
    });
}

Result ChannelGroup::GetMute(bool* mute) const {
    if (mute) *mute = false;
    return WithGroup(id_, [&](Mixer&, Group& g) {
        if (mute) *mute = g.mute;
        return Result::Ok;
    });
}

Result ChannelGroup::Stop() {
    const HandleId id = id_;
    return WithGroup(id, [&](Mixer& m, Group& g) {
        m.StopGroup(id.slot, g.generation);
        return Result::Ok;
    });
}

Result ChannelGroup::Release() {
    const HandleId id = id_;
    return WithGroup(id, [&](Mixer& m, Group&) {
        m.ReleaseGroup(id.slot);
        return Result::Ok;
    });
}

// ---- Channel --------------------------------------------------------------

Result Channel::SetVolume(float volume) {
    if (!std::isfinite(volume)) return id_.generation ? Result::ErrInvalidParam : Result::ErrInvalidHandle;
    return WithVoice(id_, [&](Mixer&, Voice& v) {
        v.volume = volume;
        return Result::Ok;
    });
}

Result Channel::GetVolume(float* volume) const {
    if (volume) *volume = 0.0f;
    return WithVoice(id_, [&](Mixer&, Voice& v) {
        if (volume) *volume = v.volume;
        return Result::Ok;
    });
}

Result Channel::SetMute(bool mute) {
    return WithVoice(id_, [&](Mixer&, Voice& v) {
        v.mute = mute;
        return Result::Ok;
    });
}

Result Channel::GetMute(bool* mute) const {
    if (mute) *mute = false;
    return WithVoice(id_, [&](Mixer&, Voice& v) {
        if (mute) *mute = v.mute;
        return Result::Ok;
    });
}

Result Channel::SetPaused(bool paused) {
    return WithVoice(id_, [&](Mixer&, Voice& v) {
        v.paused = paused;
        return Result::Ok;
    });
}

Result Channel::GetPaused(bool* paused) const {
    if (paused) *paused = false;
    return WithVoice(id_, [&](Mixer&, Voice& v) {
        if (paused) *paused = v.paused;
        return Result::Ok;
    });
}

Result Channel::IsPlaying(bool* playing) const {
    if (playing) *playing = false;
    return WithVoice(id_, [&](Mixer&, Voice& v) {
        if (playing) *playing = !v.paused;
        return Result::Ok;
    });
}

Result Channel::Stop() {
    const HandleId id = id_;
    return WithVoice(id, [&](Mixer& m, Voice&) {
        m.StopVoice(id.slot);
        return Result::Ok;
    });
}

Result Channel::SetMode(Mode mode) {
    return WithVoice(id_, [&](Mixer&, Voice& v) {
        if (mode & ModeLoopNormal) v.loop = true;
        if (mode & ModeLoopOff) v.loop = false;
        if (mode & Mode3D) v.is3D = true;
        if (mode & Mode2D) v.is3D = false;
        return Result::Ok;
    });
}

Result Channel::SetLoopCount(int count) {
    if (count < -1) return id_.generation ? Result::ErrInvalidParam : Result::ErrInvalidHandle;
    return WithVoice(id_, [&](Mixer&, Voice& v) {
        v.loopCount = count;
        return Result::Ok;
    });
}

Result Channel::GetLoopCount(int* count) const {
    if (count) *count = 0;
    return WithVoice(id_, [&](Mixer&, Voice& v) {
        if (count) *count = v.loopCount;
        return Result::Ok;
    });
}

Result Channel::SetLoopPoints(uint32_t startMs, uint32_t endMs) {
    return WithVoice(id_, [&](Mixer& m, Voice& v) {
        const SoundData& s = *m.FindSound(v.sound, m.SoundGeneration(v.sound));
        uint64_t start = 0, end = 0;
        if (Result r = LoopFrames(s, startMs, endMs, start, end); r != Result::Ok) return r;
        v.ownLoop = true;
        v.loopStart = start;
        v.loopEnd = end;
        return Result::Ok;
    });
}

Result Channel::GetPosition(uint32_t* ms) const {
    if (ms) *ms = 0;
    return WithVoice(id_, [&](Mixer& m, Voice& v) {
        if (ms) *ms = FramesToMs(v.position, m.FindSound(v.sound, m.SoundGeneration(v.sound))->rate);
        return Result::Ok;
    });
}

Result Channel::GetPositionFrames(uint64_t* frames) const {
    if (frames) *frames = 0;
    return WithVoice(id_, [&](Mixer&, Voice& v) {
        if (frames) *frames = v.position;
        return Result::Ok;
    });
}

Result Channel::GetCurrentSound(Sound* sound) const {
    if (sound) *sound = Sound{};
    const HandleId id = id_;
    return WithVoice(id, [&](Mixer& m, Voice& v) {
        if (sound) *sound = Sound(HandleId{id.system, v.sound, m.SoundGeneration(v.sound)});
        return Result::Ok;
    });
}

Result Channel::Set3DAttributes(const Vec3* position, const Vec3*) {
    if (position && !(std::isfinite(position->x) && std::isfinite(position->y) && std::isfinite(position->z)))
        return id_.generation ? Result::ErrInvalidParam : Result::ErrInvalidHandle;
    return WithVoice(id_, [&](Mixer&, Voice& v) {
        if (position) v.position3D = *position;
        return Result::Ok;
    });
}

Result Channel::Get3DAttributes(Vec3* position) const {
    if (position) *position = Vec3{};
    return WithVoice(id_, [&](Mixer&, Voice& v) {
        if (position) *position = v.position3D;
        return Result::Ok;
    });
}

Result Channel::GetAudibility(float* gain) const {
    if (gain) *gain = 0.0f;
    return WithVoice(id_, [&](Mixer& m, Voice& v) {
        if (gain) *gain = m.Audibility(v);
        return Result::Ok;
    });
}

}  // namespace audio

#include "platform/audio/AudioMixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace audio {

namespace {

uint32_t NextGeneration(uint32_t g) { return g + 1 == 0 ? 1 : g + 1; }

// How far a 3D voice's pan may lean towards one ear (0 none, 1 hard).
constexpr float PanDepth = 0.5f;

}  // namespace

void Mixer::Init(int sampleRate, int maxVoices, int blockFrames) {
    rate_ = sampleRate;
    block_ = blockFrames;
    voices_.assign(static_cast<size_t>(maxVoices), Voice{});
    groups_.clear();
    sounds_.clear();
    soundGenerations_.clear();
    scratch_.assign(static_cast<size_t>(block_) * 2, 0.0f);
    listeners_ = Listeners{};
    stats = OutputStats{};
}

void Mixer::Clear() {
    for (uint32_t i = 0; i < voices_.size(); ++i)
        if (voices_[i].used) StopVoice(i);
    for (uint32_t i = 0; i < sounds_.size(); ++i)
        if (sounds_[i]) ReleaseSound(i);
    for (uint32_t i = 0; i < groups_.size(); ++i)
        if (groups_[i].used) ReleaseGroup(i);
}

// ---- sounds ---------------------------------------------------------------

void Mixer::AddSound(std::unique_ptr<SoundData> data, uint32_t& slot, uint32_t& generation) {
    auto freeSlot = std::find(sounds_.begin(), sounds_.end(), nullptr);
    if (freeSlot == sounds_.end()) {
        sounds_.push_back(nullptr);
        soundGenerations_.push_back(1);
        freeSlot = sounds_.end() - 1;
    }
    slot = static_cast<uint32_t>(freeSlot - sounds_.begin());
    *freeSlot = std::move(data);
    generation = soundGenerations_[slot];
}

SoundData* Mixer::FindSound(uint32_t slot, uint32_t generation) {
    if (generation == 0 || slot >= sounds_.size() || !sounds_[slot]) return nullptr;
    return soundGenerations_[slot] == generation ? sounds_[slot].get() : nullptr;
}

void Mixer::ReleaseSound(uint32_t slot) {
    for (uint32_t i = 0; i < voices_.size(); ++i)
        if (voices_[i].used && voices_[i].sound == slot) StopVoice(i);
    sounds_[slot].reset();
    soundGenerations_[slot] = NextGeneration(soundGenerations_[slot]);
}

// ---- voices ---------------------------------------------------------------

Voice* Mixer::FindVoice(uint32_t slot, uint32_t generation) {
    if (generation == 0 || slot >= voices_.size()) return nullptr;
    Voice& v = voices_[slot];
    return v.used && v.generation == generation ? &v : nullptr;
}

Result Mixer::Play(uint32_t soundSlot, int group, uint32_t groupGeneration, bool paused,
                   uint32_t& slot, uint32_t& generation) {
    SoundData& s = *sounds_[soundSlot];
    // A stream has one decoder, so it feeds one voice: a new play takes it over.
    if (s.stream && s.streamVoice >= 0) StopVoice(static_cast<uint32_t>(s.streamVoice));
    auto it = std::find_if(voices_.begin(), voices_.end(), [](const Voice& v) { return !v.used; });
    if (it == voices_.end()) return Result::ErrNoFreeChannel;
    const uint32_t keep = it->generation;
    *it = Voice{};
    it->generation = keep;
    it->used = true;
    it->paused = paused;
    it->sound = soundSlot;
    it->group = group;
    it->groupGeneration = groupGeneration;
    it->loop = (s.mode & ModeLoopNormal) != 0;
    it->is3D = (s.mode & Mode3D) != 0;
    it->step = static_cast<double>(s.rate) / static_cast<double>(rate_);
    slot = static_cast<uint32_t>(it - voices_.begin());
    generation = it->generation;
    if (s.stream) s.streamVoice = static_cast<int>(slot);
    return Result::Ok;
}

void Mixer::StopVoice(uint32_t slot) {
    Voice& v = voices_[slot];
    if (!v.used) return;
    if (v.sound < sounds_.size() && sounds_[v.sound] && sounds_[v.sound]->streamVoice == static_cast<int>(slot))
        sounds_[v.sound]->streamVoice = -1;
    v.used = false;
    v.generation = NextGeneration(v.generation);  // every old handle dies here
}

int Mixer::PlayingVoices() const {
    return static_cast<int>(std::count_if(voices_.begin(), voices_.end(),
                                          [](const Voice& v) { return v.used && !v.paused; }));
}

int Mixer::UsedVoices() const {
    return static_cast<int>(std::count_if(voices_.begin(), voices_.end(), [](const Voice& v) { return v.used; }));
}

int Mixer::LiveSounds() const {
    return static_cast<int>(std::count_if(sounds_.begin(), sounds_.end(), [](const auto& s) { return s != nullptr; }));
}

uint64_t Mixer::LoopStartOf(const Voice& v) const {
    return v.ownLoop ? v.loopStart : sounds_[v.sound]->loopStart;
}

uint64_t Mixer::LoopEndOf(const Voice& v) const {
    const SoundData& s = *sounds_[v.sound];
    return std::min(v.ownLoop ? v.loopEnd : s.loopEnd, s.length);
}

// ---- groups ---------------------------------------------------------------

Result Mixer::AddGroup(uint32_t& slot, uint32_t& generation) {
    auto it = std::find_if(groups_.begin(), groups_.end(), [](const Group& g) { return !g.used; });
    if (it == groups_.end()) {
        groups_.push_back(Group{});
        it = groups_.end() - 1;
    }
    const uint32_t keep = it->generation;
    *it = Group{};
    it->generation = keep;
    it->used = true;
    slot = static_cast<uint32_t>(it - groups_.begin());
    generation = keep;
    return Result::Ok;
}

Group* Mixer::FindGroup(uint32_t slot, uint32_t generation) {
    if (generation == 0 || slot >= groups_.size()) return nullptr;
    Group& g = groups_[slot];
    return g.used && g.generation == generation ? &g : nullptr;
}

void Mixer::ReleaseGroup(uint32_t slot) {
    // Voices of a released group go on playing ungrouped (the generation no longer matches).
    groups_[slot].used = false;
    groups_[slot].generation = NextGeneration(groups_[slot].generation);
}

void Mixer::StopGroup(uint32_t slot, uint32_t generation) {
    for (uint32_t i = 0; i < voices_.size(); ++i) {
        const Voice& v = voices_[i];
        if (v.used && v.group == static_cast<int>(slot) && v.groupGeneration == generation) StopVoice(i);
    }
}

// ---- gains ----------------------------------------------------------------

float Mixer::Attenuation(const Voice& v) const {
    if (!v.is3D || listeners_.count <= 0) return 1.0f;
    float best = -1.0f;
    for (int i = 0; i < listeners_.count; ++i) {
        const Vec3& l = listeners_.position[static_cast<size_t>(i)];
        const float dx = v.position3D.x - l.x, dy = v.position3D.y - l.y, dz = v.position3D.z - l.z;
        const float d2 = dx * dx + dy * dy + dz * dz;
        if (best < 0.0f || d2 < best) best = d2;
    }
    const SoundData& s = *sounds_[v.sound];
    const float minD = std::max(s.minDist, 1e-3f);
    const float maxD = std::max(s.maxDist, minD);
    const float d = std::clamp(std::sqrt(best), minD, maxD);
    // Inverse roll-off: full volume inside minDist, min/d beyond, held at maxDist.
    return minD / (minD + listeners_.rolloff * (d - minD));
}

float Mixer::BaseGain(const Voice& v) const {
    float g = v.mute ? 0.0f : v.volume;
    if (v.group >= 0 && static_cast<size_t>(v.group) < groups_.size()) {
        const Group& gr = groups_[static_cast<size_t>(v.group)];
        if (gr.used && gr.generation == v.groupGeneration) g *= gr.mute ? 0.0f : gr.volume;
    }
    return g;
}

float Mixer::Audibility(const Voice& v) const { return BaseGain(v) * Attenuation(v); }

void Mixer::VoiceGains(const Voice& v, float& left, float& right) const {
    const float g = BaseGain(v);
    left = right = g;
    if (!v.is3D || listeners_.count <= 0) return;
    // Pan against the nearest listener.
    const Vec3* nearest = &listeners_.position[0];
    float best = -1.0f;
    for (int i = 0; i < listeners_.count; ++i) {
        const Vec3& l = listeners_.position[static_cast<size_t>(i)];
        const float dx = v.position3D.x - l.x, dy = v.position3D.y - l.y, dz = v.position3D.z - l.z;
        const float d2 = dx * dx + dy * dy + dz * dz;
        if (best < 0.0f || d2 < best) {
            best = d2;
            nearest = &l;
        }
    }
    const float att = Attenuation(v);
    const float minD = std::max(sounds_[v.sound]->minDist, 1e-3f);
    const float pan = std::clamp((v.position3D.x - nearest->x) / std::max(std::sqrt(best), minD), -1.0f, 1.0f);
    left = g * att * (1.0f - PanDepth * std::max(0.0f, pan));
    right = g * att * (1.0f - PanDepth * std::max(0.0f, -pan));
}

// ---- mixing ---------------------------------------------------------------

void Mixer::Mix(float* out, int frames) {
    while (frames > 0) {
        const int n = std::min(frames, block_);
        MixBlock(out, n);
        out += static_cast<ptrdiff_t>(n) * 2;
        frames -= n;
    }
}

void Mixer::MixBlock(float* out, int frames) {
    std::memset(out, 0, sizeof(float) * static_cast<size_t>(frames) * 2);
    for (uint32_t i = 0; i < voices_.size(); ++i)
        if (voices_[i].used && !voices_[i].paused) MixVoice(i, out, frames);
    float peak = stats.peak;
    for (int i = 0; i < frames * 2; ++i) peak = std::max(peak, std::fabs(out[i]));
    stats.peak = peak;
    stats.framesRendered += static_cast<uint64_t>(frames);
}

void Mixer::MixVoice(uint32_t slot, float* out, int frames) {
    Voice& v = voices_[slot];
    SoundData& s = *sounds_[v.sound];
    float gl = 0.0f, gr = 0.0f;
    VoiceGains(v, gl, gr);
    if (v.step == 1.0) {
        const size_t got = Fetch(v, s, scratch_.data(), static_cast<size_t>(frames));
        for (size_t i = 0; i < got; ++i) {
            out[i * 2] += scratch_[i * 2] * gl;
            out[i * 2 + 1] += scratch_[i * 2 + 1] * gr;
        }
        // Ends with its last frame, so it reads as not playing right after it.
        if (got < static_cast<size_t>(frames) || AtEnd(v, s)) StopVoice(slot);
        return;
    }
    // Different file rate: linear interpolation between source frames a and b.
    for (int i = 0; i < frames; ++i) {
        if (!v.primed) {
            if (Fetch(v, s, v.a, 1) == 0) return StopVoice(slot);
            if (Fetch(v, s, v.b, 1) == 0) {
                v.b[0] = v.b[1] = 0.0f;
                v.drained = true;
            }
            v.primed = true;
        }
        const float t = static_cast<float>(v.frac);
        out[i * 2] += (v.a[0] + (v.b[0] - v.a[0]) * t) * gl;
        out[i * 2 + 1] += (v.a[1] + (v.b[1] - v.a[1]) * t) * gr;
        v.frac += v.step;
        while (v.frac >= 1.0) {
            v.frac -= 1.0;
            if (v.drained) return StopVoice(slot);
            v.a[0] = v.b[0];
            v.a[1] = v.b[1];
            if (Fetch(v, s, v.b, 1) == 0) {
                v.b[0] = v.b[1] = 0.0f;
                v.drained = true;
            }
        }
    }
}

// Reads source frames as stereo, wrapping at the loop end (read afresh on
// every wrap, so loop points moved during play apply at the next wrap).
size_t Mixer::Fetch(Voice& v, SoundData& s, float* dst, size_t frames) {
    size_t got = 0;
    int wrapsWithoutData = 0;
    while (got < frames) {
        const bool wrapping = v.loop && v.loopCount != 0;
        const uint64_t loopStart = LoopStartOf(v);
        const uint64_t loopEnd = LoopEndOf(v);
        const uint64_t end = (wrapping && v.position <= loopEnd) ? loopEnd : s.length;
        if (v.position >= end) {
            if (!wrapping || loopStart >= s.length || ++wrapsWithoutData > 2) break;
            v.position = loopStart;
            if (v.loopCount > 0) --v.loopCount;
            continue;
        }
        const size_t want = static_cast<size_t>(std::min<uint64_t>(frames - got, end - v.position));
        const size_t k = CopyFrames(v, s, dst + got * 2, want);
        if (k == 0) {
            s.length = v.position;  // the data ended early: believe the file
            continue;
        }
        got += k;
        wrapsWithoutData = 0;
    }
    SettleAtBoundary(v, s);
    return got;
}

// A voice that has just read its loop end's last frame wraps at once, so its
// position reads the loop start rather than the end.
void Mixer::SettleAtBoundary(Voice& v, const SoundData& s) {
    if (!v.loop || v.loopCount == 0) return;
    const uint64_t loopStart = LoopStartOf(v);
    const uint64_t loopEnd = LoopEndOf(v);
    const uint64_t end = v.position <= loopEnd ? loopEnd : s.length;
    if (v.position < end || loopStart >= s.length) return;
    v.position = loopStart;
    if (v.loopCount > 0) --v.loopCount;
}

bool Mixer::AtEnd(const Voice& v, const SoundData& s) const {
    return v.position >= s.length && !(v.loop && v.loopCount != 0);
}

size_t Mixer::CopyFrames(Voice& v, SoundData& s, float* dst, size_t frames) {
    if (s.stream) {
        if (!s.decoder.Seek(v.position)) return 0;
        const size_t k = s.decoder.ReadStereo(dst, frames);
        v.position += k;
        return k;
    }
    const size_t first = static_cast<size_t>(v.position);
    if (s.channels == 1) {
        for (size_t i = 0; i < frames; ++i) dst[i * 2] = dst[i * 2 + 1] = s.pcm[first + i];
    } else {
        std::memcpy(dst, s.pcm.data() + first * 2, sizeof(float) * frames * 2);
    }
    v.position += frames;
    return frames;
}

}  // namespace audio

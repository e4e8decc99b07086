#pragma once
// Handles of the audio layer: a sound, a channel (one playing voice) and a
// channel group. Each is a small value (system id, slot, generation); a
// released sound, or a stopped, finished or reused channel, leaves old
// handles dead: every call on a dead or null handle does nothing and returns
// ErrInvalidHandle, and getters then write their documented default.
#include <cstdint>

#include "platform/audio/AudioTypes.h"

namespace audio {

class System;

struct HandleId {
    uint32_t system = 0;
    uint32_t slot = 0;
    uint32_t generation = 0;  // 0 = null
    bool operator==(const HandleId&) const = default;
};

class Sound {
public:
    Sound() = default;
    explicit Sound(HandleId id) : id_(id) {}
    bool IsNull() const { return id_.generation == 0; }
    explicit operator bool() const { return !IsNull(); }
    bool operator==(const Sound&) const = default;
    HandleId Id() const { return id_; }

    Result Release();                                        // stops its voices too
    Result GetLength(uint32_t* ms) const;                    // 0 on failure
    Result GetLengthFrames(uint64_t* frames) const;          // 0 on failure
    Result SetLoopPoints(uint32_t startMs, uint32_t endMs);  // applies at the next wrap
    Result GetLoopPoints(uint32_t* startMs, uint32_t* endMs) const;
    Result SetMode(Mode mode);                               // LoopNormal/LoopOff, 3D/2D for new plays
    Result GetMode(Mode* mode) const;
    Result Set3DMinMaxDistance(float minDist, float maxDist);
    Result Get3DMinMaxDistance(float* minDist, float* maxDist) const;

private:
    HandleId id_;
};

class ChannelGroup {
public:
    ChannelGroup() = default;
    explicit ChannelGroup(HandleId id) : id_(id) {}
    bool IsNull() const { return id_.generation == 0; }
    explicit operator bool() const { return !IsNull(); }
    bool operator==(const ChannelGroup&) const = default;
    HandleId Id() const { return id_; }

    Result SetVolume(float volume);       // applies at once to playing voices
    Result GetVolume(float* volume) const;
    Result SetMute(bool mute);
    Result GetMute(bool* mute) const;
    Result Stop();                        // stops every voice of the group
    Result Release();                     // its voices go on ungrouped

private:
    HandleId id_;
};

class Channel {
public:
    Channel() = default;
    explicit Channel(HandleId id) : id_(id) {}
    bool IsNull() const { return id_.generation == 0; }
    explicit operator bool() const { return !IsNull(); }
    bool operator==(const Channel&) const = default;
    HandleId Id() const { return id_; }

    Result SetVolume(float volume);       // finite values only
    Result GetVolume(float* volume) const;          // 0 on failure
    Result SetMute(bool mute);
    Result GetMute(bool* mute) const;              // false on failure
    Result SetPaused(bool paused);
    Result GetPaused(bool* paused) const;          // false on failure
    Result IsPlaying(bool* playing) const;         // false when paused or dead
    Result Stop();
    Result SetMode(Mode mode);                     // loop on/off, 3D/2D
    Result SetLoopCount(int count);                // -1 forever, n = n more passes
    Result GetLoopCount(int* count) const;         // 0 on failure
    Result SetLoopPoints(uint32_t startMs, uint32_t endMs);
    Result GetPosition(uint32_t* ms) const;        // 0 on failure; exact across loops
    Result GetPositionFrames(uint64_t* frames) const;
    Result GetCurrentSound(Sound* sound) const;    // null sound on failure
    Result Set3DAttributes(const Vec3* position, const Vec3* velocity);
    Result Get3DAttributes(Vec3* position) const;  // origin on failure
    Result GetAudibility(float* gain) const;       // volume x group x 3D; 0 on failure

private:
    HandleId id_;
};

}  // namespace audio

#pragma once
// Shared value types of the platform audio layer: result codes, mode bits,
// vectors and the output configuration.
#include <cstdint>

namespace audio {

// Every call of the layer reports one of these. Callers that ignore results
// still get defined outputs: getters write a documented value on failure.
enum class Result : uint8_t {
    Ok = 0,
    ErrInvalidHandle,   // null, released, stopped, finished or reused handle
    ErrInvalidParam,    // bad argument (non-finite volume, empty loop region...)
    ErrFileNotFound,
    ErrBadFormat,       // not an Ogg Vorbis file we can decode
    ErrNoFreeChannel,   // every voice is busy
    ErrNotInitialized,
    ErrWrongMode,       // e.g. manual rendering on a system driven by a device
};

const char* ResultString(Result r);

// Mode bits, shared by sounds and channels.
using Mode = uint32_t;
inline constexpr Mode ModeDefault = 0;
inline constexpr Mode ModeLoopOff = 1;
inline constexpr Mode ModeLoopNormal = 2;
inline constexpr Mode Mode2D = 8;
inline constexpr Mode Mode3D = 16;

inline constexpr uint32_t InitNormal = 0;

struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

// Where the mixed signal goes.
enum class OutputMode : uint8_t {
    Auto,      // Device, else Loopback, else Silent
    Device,    // an OpenAL device fed from a buffer queue by the feeder thread
    Loopback,  // OpenAL loopback device rendered against the steady clock
    Silent,    // no OpenAL: voices still mix against the clock, output dropped
    Manual,    // no thread: the owner renders exact frame counts (tests)
};

struct OutputDesc {
    OutputMode mode = OutputMode::Auto;
    int sampleRate = 44100;
    int blockFrames = 1024;   // frames mixed per step of the feeder
    int queuedBlocks = 4;     // blocks queued ahead on an OpenAL source
};

// What the layer has produced so far (mixed, or rendered by the loopback).
struct OutputStats {
    uint64_t framesRendered = 0;
    float peak = 0.0f;  // largest absolute sample since the last reset
};

inline constexpr int MaxListeners = 8;

}  // namespace audio

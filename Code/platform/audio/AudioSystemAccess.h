#pragma once
// Internal to the audio layer: how handles reach the system that made them.
#include <mutex>

#include "platform/audio/AudioSystem.h"

namespace audio {

// Live systems by id, so a handle that outlives its system finds nothing.
System* FindSystem(uint32_t id);

struct SystemAccess {
    // Runs f(mixer) under the system's lock; ErrInvalidHandle without a live system.
    template <class F>
    static Result WithMixer(uint32_t systemId, F&& f) {
        System* s = FindSystem(systemId);
        if (!s || !s->initialized_) return Result::ErrInvalidHandle;
        std::lock_guard<std::recursive_mutex> lock(s->mutex_);
        return f(s->mixer_);
    }
};

}  // namespace audio

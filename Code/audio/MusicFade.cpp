#include "audio/MusicFade.h"

#include <cmath>

namespace music {

namespace {

float Finite(float v) { return std::isfinite(v) ? v : 0.0f; }

void LandOnTargets(audio::Channel* const* channels, const float* targets, int count) {
    for (int i = 0; i < count; ++i)
        if (!channels[i]->IsNull()) channels[i]->SetVolume(Finite(targets[i]));
}

}  // namespace

void BeginFade(audio::Channel* const* channels, float* start, float* targets, int count, bool& fading,
               float& elapsed, float& duration, float newDuration, float target) {
    target = Finite(target);
    duration = (std::isfinite(newDuration) && newDuration > 0.0f) ? newDuration : 0.0f;
    fading = true;
    elapsed = 0.0f;
    for (int i = 0; i < count; ++i) {
        channels[i]->GetVolume(&start[i]);  // writes 0 for a missing channel
        targets[i] = target;
    }
    if (duration == 0.0f) LandOnTargets(channels, targets, count);
}

void StepFade(audio::Channel* const* channels, const float* start, const float* targets, int count, bool& fading,
              float& elapsed, float duration, float dt) {
    if (!fading) return;
    elapsed += dt;
    if (!(duration > 0.0f) || elapsed >= duration) {
        LandOnTargets(channels, targets, count);
        fading = false;
        return;
    }
    const float t = elapsed / duration;
    for (int i = 0; i < count; ++i)
        if (!channels[i]->IsNull()) channels[i]->SetVolume(Finite(start[i] - (start[i] - Finite(targets[i])) * t));
}

}  // namespace music

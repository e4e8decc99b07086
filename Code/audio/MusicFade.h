#pragma once
// The linear volume fade shared by the layered music components: every
// existing channel moves from its start volume to its target; at the end each
// lands exactly on its target.
#include "platform/audio/AudioHandles.h"

namespace music {

// Starts a fade from the channels' current volumes (0 for a missing channel) to
// target. A duration that is not a positive finite number lands on the targets at once
// (and again at the next step, so targets changed right after still apply).
void BeginFade(audio::Channel* const* channels, float* start, float* targets, int count, bool& fading,
               float& elapsed, float& duration, float newDuration, float target);

// One frame of a running fade.
void StepFade(audio::Channel* const* channels, const float* start, const float* targets, int count, bool& fading,
              float& elapsed, float duration, float dt);

}  // namespace music

#pragma once
// Layered level music: a base loop and two lead layers streamed in step on the
// music group. State 0 plays the base alone; StartLayers brings the leads in
// (lead1 leading, lead2 at a quarter) and each hero swap exchanges the leads
// with a fade timed on the beat.
#include <array>
#include <cstdint>
#include <string>

#include "gameobjectengine/Component.h"
#include "platform/audio/AudioHandles.h"

class DynamicBGM : public Component {
public:
    explicit DynamicBGM(int32_t objectID);
    // "base", "lead1", "lead2", "transition", "bpm", "volume", "playOnAwake",
    // "loopStartPoint", "loopEndPoint".
    explicit DynamicBGM(const JsonValue& json);

    void Awake() override;
    void Update() override;
    void OnDestroy() override;
    Component* Clone() const override;

    // Fades all four channels from their current volumes to target over duration
    // seconds, replacing a running fade. A duration <= 0 (or not finite) lands at once.
    void FadeTo(float duration, float target);
    // State 0 only: fades the leads in over the beat-timed duration; state 1.
    void StartLayers();
    // The hero swap: beat-timed fade that hands the lead to the other layer
    // (state 1 -> 2 -> 1); in state 0 the fade only.
    void SwapLeads();
    // Between one and two beats: the time since the base's last beat plus one beat
    // (0 without a base channel, so one beat).
    float BeatAlignedDuration() const;

    std::string base, lead1, lead2, transition;
    int32_t bpm = 100;
    float volume = 1.0f;
    bool playOnAwake = false;
    int32_t loopStartPoint = -1;
    int32_t loopEndPoint = -1;

    audio::Channel baseChannel, lead1Channel, lead2Channel, transitionChannel;
    uint32_t state = 0;
    bool fading = false;
    float fadeDuration = 0.0f;
    float fadeElapsed = 0.0f;
    // base, lead1, lead2, transition
    std::array<float, 4> fadeStart{};
    std::array<float, 4> fadeTargets{};
    float beat = 0.6f;

private:
    std::array<audio::Channel*, 4> Channels();
};

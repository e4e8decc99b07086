#pragma once
// Level music in three acts on the music group: a base loop, a transition
// piece played once when a conversation ends, then a next loop that starts
// in the first update after the transition has finished.
#include <array>
#include <cstdint>
#include <string>

#include "gameobjectengine/Component.h"
#include "platform/audio/AudioHandles.h"

class TransitionalBGM : public Component {
public:
    explicit TransitionalBGM(int32_t objectID);
    // "base", "transition", "next", "bpm", "volume", "playOnAwake", "loopStartPoint", "loopEndPoint".
    explicit TransitionalBGM(const JsonValue& json);

    void Awake() override;
    void Update() override;
    void OnDestroy() override;
    Component* Clone() const override;

    // As DynamicBGM::FadeTo over the three channels.
    void FadeTo(float duration, float target);
    // The end of a conversation: the base stops and the transition plays once.
    void StartTransition();

    std::string base, transition, next;
    int32_t bpm = 100;
    float volume = 1.0f;
    bool playOnAwake = false;
    int32_t loopStartPoint = -1;
    int32_t loopEndPoint = -1;

    audio::Channel baseChannel, transitionChannel, nextChannel;
    bool nextStarted = false;
    bool fading = false;
    float fadeDuration = 0.0f;
    float fadeElapsed = 0.0f;
    // base, transition, next
    std::array<float, 3> fadeStart{};
    std::array<float, 3> fadeTargets{};

private:
    std::array<audio::Channel*, 3> Channels();
};

#include "audio/TransitionalBGM.h"

#include <cmath>

#include "audio/AudioManager.h"
#include "audio/MusicFade.h"
#include "gameobjectengine/Time.h"

TransitionalBGM::TransitionalBGM(int32_t gameObjectID) : Component(gameObjectID) {}

TransitionalBGM::TransitionalBGM(const JsonValue& json) : Component(json) {
    base = json::ReadString(json, "base", base);
    transition = json::ReadString(json, "transition", transition);
    next = json::ReadString(json, "next", next);
    bpm = json::ReadInt(json, "bpm", bpm);
    volume = json::ReadFloat(json, "volume", volume);
    playOnAwake = json::ReadFlag(json, "playOnAwake", playOnAwake);
    loopStartPoint = json::ReadInt(json, "loopStartPoint", loopStartPoint);
    loopEndPoint = json::ReadInt(json, "loopEndPoint", loopEndPoint);
}

std::array<audio::Channel*, 3> TransitionalBGM::Channels() { return {&baseChannel, &transitionChannel, &nextChannel}; }

void TransitionalBGM::Awake() {
    if (!std::isfinite(volume)) volume = 1.0f;
    if (!playOnAwake) return;
    AudioManager& manager = AudioManager::GetInstance();
    manager.PlaySound(base, 0, true, -1, volume, 1, &baseChannel);
    manager.SetLoopPointsDeferred(base, loopStartPoint, loopEndPoint);
}

void TransitionalBGM::Update() {
    if (!nextStarted && !transitionChannel.IsNull()) {
        bool playing = false;
        transitionChannel.IsPlaying(&playing);
        if (!playing) {
            AudioManager::GetInstance().PlaySound(next, 0, true, -1, volume, 1, &nextChannel);
            nextStarted = true;
        }
    }
    auto channels = Channels();
    music::StepFade(channels.data(), fadeStart.data(), fadeTargets.data(), 3, fading, fadeElapsed, fadeDuration,
                    Time::GetInstance().deltaTime);
}

void TransitionalBGM::OnDestroy() {
    for (audio::Channel* channel : Channels())
        if (!channel->IsNull()) channel->Stop();
}

Component* TransitionalBGM::Clone() const {
    auto* copy = new TransitionalBGM(*this);
    for (audio::Channel* channel : copy->Channels()) *channel = audio::Channel{};
    return copy;
}

void TransitionalBGM::FadeTo(float duration, float target) {
    auto channels = Channels();
    music::BeginFade(channels.data(), fadeStart.data(), fadeTargets.data(), 3, fading, fadeElapsed, fadeDuration,
                     duration, target);
}

void TransitionalBGM::StartTransition() {
    baseChannel.Stop();
    AudioManager::GetInstance().PlaySound(transition, 0, false, -1, volume, 1, &transitionChannel);
}

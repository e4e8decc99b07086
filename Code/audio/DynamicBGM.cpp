#include "audio/DynamicBGM.h"

#include <cmath>

#include "audio/AudioManager.h"
#include "audio/MusicFade.h"
#include "gameobjectengine/Time.h"

DynamicBGM::DynamicBGM(int32_t gameObjectID) : Component(gameObjectID) {}

DynamicBGM::DynamicBGM(const JsonValue& json) : Component(json) {
    base = json::ReadString(json, "base", base);
    lead1 = json::ReadString(json, "lead1", lead1);
    lead2 = json::ReadString(json, "lead2", lead2);
    transition = json::ReadString(json, "transition", transition);
    bpm = json::ReadInt(json, "bpm", bpm);
    volume = json::ReadFloat(json, "volume", volume);
    playOnAwake = json::ReadFlag(json, "playOnAwake", playOnAwake);
    loopStartPoint = json::ReadInt(json, "loopStartPoint", loopStartPoint);
    loopEndPoint = json::ReadInt(json, "loopEndPoint", loopEndPoint);
}

std::array<audio::Channel*, 4> DynamicBGM::Channels() {
    return {&baseChannel, &lead1Channel, &lead2Channel, &transitionChannel};
}

void DynamicBGM::Awake() {
    if (!std::isfinite(volume)) volume = 1.0f;
    if (playOnAwake) {
        AudioManager& manager = AudioManager::GetInstance();
        {
            // One lock over the three starts: no block is mixed between them, so they share a first sample.
            audio::MixerLock together(manager.system);
            manager.PlaySound(base, 0, true, -1, volume, 1, &baseChannel);
            manager.PlaySound(lead1, 0, true, -1, 0.0f, 1, &lead1Channel);
            manager.PlaySound(lead2, 0, true, -1, 0.0f, 1, &lead2Channel);
        }
        manager.SetLoopPointsDeferred(base, loopStartPoint, loopEndPoint);
        manager.SetLoopPointsDeferred(lead1, loopStartPoint, loopEndPoint);
        manager.SetLoopPointsDeferred(lead2, loopStartPoint, loopEndPoint);
    }
    beat = 60.0f / static_cast<float>(bpm > 0 ? bpm : 100);
}

void DynamicBGM::Update() {
    auto channels = Channels();
    music::StepFade(channels.data(), fadeStart.data(), fadeTargets.data(), 4, fading, fadeElapsed, fadeDuration,
                    Time::GetInstance().deltaTime);
}

void DynamicBGM::OnDestroy() {
    for (audio::Channel* channel : Channels())
        if (!channel->IsNull()) channel->Stop();
}

Component* DynamicBGM::Clone() const {
    auto* copy = new DynamicBGM(*this);
    for (audio::Channel* channel : copy->Channels()) *channel = audio::Channel{};
    return copy;
}

void DynamicBGM::FadeTo(float duration, float target) {
    auto channels = Channels();
    music::BeginFade(channels.data(), fadeStart.data(), fadeTargets.data(), 4, fading, fadeElapsed, fadeDuration,
                     duration, target);
}

float DynamicBGM::BeatAlignedDuration() const {
    uint32_t ms = 0;
    baseChannel.GetPosition(&ms);  // 0 without a base channel
    const float position = static_cast<float>(ms) / 1000.0f;
    return std::fmod(position, beat) + beat;
}

void DynamicBGM::StartLayers() {
    if (state != 0) return;
    FadeTo(BeatAlignedDuration(), 0.0f);
    fadeTargets = {volume, volume, volume * 0.25f, volume};
    state = 1;
}

void DynamicBGM::SwapLeads() {
    FadeTo(BeatAlignedDuration(), 0.0f);
    if (state == 1) {
        fadeTargets = {volume, volume * 0.25f, volume, volume};
        state = 2;
    } else if (state == 2) {
        fadeTargets = {volume, volume, volume * 0.25f, volume};
        state = 1;
    }
}

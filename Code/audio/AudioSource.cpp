#include "audio/AudioSource.h"

#include <algorithm>
#include <cmath>

#include "audio/AudioManager.h"
#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/JobManager.h"
#include "gameobjectengine/Time.h"
#include "gameobjectengine/Transform.h"

AudioSource::AudioSource(int32_t gameObjectID) : Component(gameObjectID) {}

AudioSource::AudioSource(const JsonValue& json) : Component(json) {
    filePath = json::ReadString(json, "filePath", filePath);
    volume = json::ReadFloat(json, "volume", volume);
    channelGroup = json::ReadInt(json, "channelGroup", channelGroup);
    loop = json::ReadFlag(json, "loop", loop);
    loopCount = json::ReadInt(json, "loopCount", loopCount);
    audioType = json::ReadInt(json, "audioType", audioType);
    playOnAwake = json::ReadFlag(json, "playOnAwake", playOnAwake);
    loopStartPoint = json::ReadInt(json, "loopStartPoint", loopStartPoint);
    loopEndPoint = json::ReadInt(json, "loopEndPoint", loopEndPoint);
    minDist = json::ReadFloat(json, "minDist", minDist);
    maxDist = json::ReadFloat(json, "maxDist", maxDist);
    // Only an array is read; any other value leaves the pool empty. Non-string entries are skipped.
    if (const JsonValue* pool = json::FindArray(json, "soundPoolFiles")) {
        for (const JsonValue& entry : pool->GetArray()) {
            std::string path;
            if (json::AsString(entry, path)) soundPoolFiles.push_back(path);
        }
    }
}

audio::Sound AudioSource::LoadOwnSound(const std::string& path) {
    auto it = sourceSounds.find(path);
    if (it != sourceSounds.end()) return it->second;  // a listed-twice file loads once
    audio::Sound sound = AudioManager::GetInstance().CreateSound(path, audioType);
    // A file that fails to load leaves no entry, so a later load of it is owned and released.
    if (!sound.IsNull()) sourceSounds.emplace(path, sound);
    return sound;
}

void AudioSource::MakeSpatial(audio::Sound sound) const {
    sound.SetMode(audio::Mode3D);
    sound.Set3DMinMaxDistance(minDist, maxDist);
}

bool AudioSource::ObjectPosition(audio::Vec3& out) const {
    const Transform* transform = owner ? owner->GetComponent<Transform>() : nullptr;
    if (!transform) return false;
    out = audio::Vec3{transform->x, transform->y, 0.0f};
    return true;
}

void AudioSource::Awake() {
    LoadOwnSound(filePath);
    for (const std::string& path : soundPoolFiles) LoadOwnSound(path);
    if (channelGroup == 0) return;
    for (auto& entry : sourceSounds) {
        if (channelGroup == 1) MakeSpatial(entry.second);
        oneShotChannels.emplace_back();
    }
}

void AudioSource::Start() {
    if (playOnAwake) Play();
}

void AudioSource::Update() {
    RunFade();
    audio::Vec3 position;
    if (!ObjectPosition(position)) return;
    const audio::Vec3 still{};
    for (audio::Channel& channel : oneShotChannels)
        if (!channel.IsNull()) channel.Set3DAttributes(&position, &still);
}

void AudioSource::RunFade() {
    if (!fading) return;
    fadeElapsed += Time::GetInstance().deltaTime;
    const bool done = !(fadeDuration > 0.0f) || !std::isfinite(fadeDuration) || fadeElapsed >= fadeDuration;
    if (done) {
        volume = fadeTarget;
        mainChannel.SetVolume(fadeTarget);
        fading = false;
        return;
    }
    mainChannel.SetVolume(volume - (volume - fadeTarget) * fadeElapsed / fadeDuration);
}

void AudioSource::OnDestroy() {
    StopAll();
    for (auto& entry : sourceSounds) entry.second.Release();
    sourceSounds.clear();
}

Component* AudioSource::Clone() const {
    auto* copy = new AudioSource(*this);
    copy->sourceSounds.clear();
    copy->oneShotChannels.clear();
    copy->mainChannel = audio::Channel{};
    return copy;
}

audio::Sound AudioSource::FindSound(const std::string& path) const {
    auto it = sourceSounds.find(path);
    return it == sourceSounds.end() ? audio::Sound{} : it->second;
}

void AudioSource::Play() {
    AudioManager& manager = AudioManager::GetInstance();
    const audio::Sound sound = FindSound(filePath);
    if (sound.IsNull()) return;  // no main sound: nothing to play or to loop
    const audio::Vec3 origin{}, still{};
    bool playing = false, paused = false;
    mainChannel.IsPlaying(&playing);
    mainChannel.GetPaused(&paused);
    if (mainChannel.IsNull()) {
        audio::Channel* slot = manager.GetFreeChannel();
        if (!slot || !manager.system) return;  // every slot busy: nothing plays
        manager.system->PlaySound(sound, manager.Group(channelGroup), true, slot);
        if (loop) {
            slot->SetMode(audio::ModeLoopNormal);
            slot->SetLoopCount(loopCount);
        }
        slot->SetVolume(volume);
        mainChannel = *slot;
        mainChannel.Set3DAttributes(&origin, &still);
        mainChannel.SetPaused(false);
    } else if (playing) {
        StopAll();
        Play();
    } else if (paused) {
        mainChannel.SetPaused(false);
    } else {
        manager.PlaySound3D(sound, channelGroup, loop, loopCount, volume, &mainChannel, origin, still);
    }
    mainChannel.SetVolume(volume);
    const int32_t start = loopStartPoint, end = loopEndPoint;
    JobManager::GetInstance().AddJobFor(
        this, [sound, start, end]() { AudioManager::GetInstance().SetLoopPoints(sound, start, end); },
        JobKind::AfterRender, 0.0f);
}

void AudioSource::PlayOneShot(const std::string& path, int32_t group, float oneShotVolume) {
    if (path.empty()) return;
    AudioManager& manager = AudioManager::GetInstance();
    audio::Sound sound = FindSound(path);
    if (sound.IsNull()) {
        sound = LoadOwnSound(path);
        if (sound.IsNull()) return;  // a missing file adds no entry
        if (channelGroup == 1) MakeSpatial(sound);
        oneShotChannels.emplace_back();
    }
    // The same sound never plays twice at once on one source.
    for (audio::Channel& channel : oneShotChannels) {
        audio::Sound current;
        channel.GetCurrentSound(&current);
        if (!channel.IsNull() && current == sound) {
            channel.Stop();
            break;
        }
    }
    audio::Channel* entry = nullptr;
    for (audio::Channel& channel : oneShotChannels) {
        bool playing = false;
        channel.IsPlaying(&playing);
        if (channel.IsNull() || !playing) {
            entry = &channel;
            break;
        }
    }
    audio::Channel* slot = manager.GetFreeChannel();
    if (!slot || !manager.system) return;
    manager.system->PlaySound(sound, manager.Group(group), true, slot);
    slot->SetVolume(oneShotVolume);
    if (entry) *entry = *slot;
    audio::Vec3 position;
    const audio::Vec3 still{};
    if (ObjectPosition(position)) slot->Set3DAttributes(&position, &still);
    slot->SetPaused(false);
}

void AudioSource::StopAll() {
    mainChannel.Stop();
    for (audio::Channel& channel : oneShotChannels)
        if (!channel.IsNull()) channel.Stop();
}

void AudioSource::FadeVolume(float duration, float target) {
    fadeDuration = duration;
    fadeTarget = std::isfinite(target) ? std::clamp(target, 0.0f, 1.0f) : 0.0f;
    fading = true;
    fadeElapsed = 0.0f;
}

#include "audio/AudioManager.h"

#include <cstdlib>
#include <string_view>

#include "gameobjectengine/JobManager.h"

audio::OutputDesc AudioManager::StartupOutput() {
    audio::OutputDesc desc;
    const char* forced = std::getenv("HARROWVALE_AUDIO");
    const std::string_view name = forced ? forced : "";
    if (name == "device") desc.mode = audio::OutputMode::Device;
    else if (name == "loopback") desc.mode = audio::OutputMode::Loopback;
    else if (name == "silent") desc.mode = audio::OutputMode::Silent;
    else if (name == "manual" || std::getenv("HARROWVALE_TEST")) desc.mode = audio::OutputMode::Manual;
    return desc;
}

AudioManager::AudioManager() { Open(StartupOutput()); }

AudioManager::~AudioManager() { Close(); }

void AudioManager::Open(const audio::OutputDesc& output) {
    audio::System::Create(&system);
    lastResult = system->Init(kSystemChannels, audio::InitNormal, &output);
    for (audio::ChannelGroup& group : groups) system->CreateChannelGroup(&group);
}

void AudioManager::Close() {
    ReleaseAllSounds();
    for (audio::Channel& channel : channels) {
        channel.Stop();
        channel = audio::Channel{};
    }
    for (audio::ChannelGroup& group : groups) {
        group.Release();
        group = audio::ChannelGroup{};
    }
    if (system) system->Release();
    system = nullptr;
    listenerCount = 0;
}

void AudioManager::Restart(const audio::OutputDesc& output) {
    Close();
    Open(output);
}

void AudioManager::UpdateSystem() { lastResult = system ? system->Update() : audio::Result::ErrNotInitialized; }

void AudioManager::ReleaseAllSounds() {
    for (auto& entry : sounds) entry.second.Release();
    sounds.clear();
}

void AudioManager::ResetListeners() {
    if (system) system->Set3DNumListeners(0);
    listenerCount = 0;
}

audio::Sound AudioManager::FindSound(const std::string& path) const {
    auto it = sounds.find(path);
    return it == sounds.end() ? audio::Sound{} : it->second;
}

audio::Sound AudioManager::CreateSound(const std::string& path, int32_t createMode) {
    audio::Sound sound;
    if (!system) return sound;
    if (createMode == 0) lastResult = system->CreateSound(path, audio::ModeDefault, &sound);
    else if (createMode == 1) lastResult = system->CreateStream(path, audio::ModeDefault, &sound);
    return sound;
}

audio::Channel* AudioManager::GetFreeChannel() {
    for (audio::Channel& slot : channels) {
        bool playing = false;
        slot.IsPlaying(&playing);  // false for a null, stopped, finished or paused channel
        if (!playing) return &slot;
    }
    return nullptr;
}

audio::ChannelGroup AudioManager::Group(int32_t index) const {
    return groups[(index >= 0 && index < kGroups) ? static_cast<size_t>(index) : 1];
}

void AudioManager::PlaySound(const std::string& path, int32_t group, bool loop, int32_t loopCount, float volume,
                             int32_t createMode, audio::Channel* outChannel) {
    audio::Sound sound = FindSound(path);
    if (sound.IsNull()) sound = CreateSound(path, createMode);
    auto [it, inserted] = sounds.emplace(path, sound);
    // A path cached after a failed load takes the first sound that loads, so it is released with the rest.
    if (!inserted && it->second.IsNull()) it->second = sound;
    StartVoice(sound, group, loop, loopCount, volume, outChannel, nullptr);
}

void AudioManager::PlaySound3D(audio::Sound sound, int32_t group, bool loop, int32_t loopCount, float volume,
                               audio::Channel* outChannel, const audio::Vec3& position, const audio::Vec3&) {
    StartVoice(sound, group, loop, loopCount, volume, outChannel, &position);
}

void AudioManager::StartVoice(audio::Sound sound, int32_t group, bool loop, int32_t loopCount, float volume,
                              audio::Channel* outChannel, const audio::Vec3* position) {
    if (sound.IsNull()) {  // nothing to play: keep the load's result, hand back no channel
        if (outChannel) *outChannel = audio::Channel{};
        return;
    }
    audio::Channel* slot = GetFreeChannel();
    audio::Channel channel;
    if (slot && system) {
        lastResult = system->PlaySound(sound, Group(group), true, &channel);
        *slot = channel;
    } else {
        lastResult = audio::Result::ErrNoFreeChannel;
    }
    if (loop) {
        channel.SetMode(audio::ModeLoopNormal);
        channel.SetLoopCount(loopCount);
    }
    channel.SetVolume(volume);
    if (outChannel) *outChannel = channel;
    if (position) {
        const audio::Vec3 still{};
        channel.Set3DAttributes(position, &still);
    }
    channel.SetPaused(false);
}

void AudioManager::SetLoopPoints(const std::string& path, int32_t startMs, int32_t endMs) {
    SetLoopPoints(FindSound(path), startMs, endMs);
}

void AudioManager::SetLoopPoints(audio::Sound sound, int32_t startMs, int32_t endMs) {
    if (sound.IsNull()) return;
    uint32_t end = static_cast<uint32_t>(endMs);
    if (endMs == -1) sound.GetLength(&end);
    const uint32_t start = startMs == -1 ? 0u : static_cast<uint32_t>(startMs);
    lastResult = sound.SetLoopPoints(start, end);
}

void AudioManager::SetLoopPointsDeferred(const std::string& path, int32_t startMs, int32_t endMs) {
    JobManager::GetInstance().AddJob([this, path, startMs, endMs]() { SetLoopPoints(path, startMs, endMs); },
                                  JobKind::AfterRender, 0.0f);
}

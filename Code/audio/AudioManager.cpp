#include "audio/AudioManager.h"

AudioManager::AudioManager() = default;
AudioManager::~AudioManager() = default;

void AudioManager::UpdateSystem() { lastResult = 0; }

void AudioManager::ReleaseAllSounds() {}

void AudioManager::ResetListeners() { listenerCount = 0; }

void AudioManager::PlaySound(const std::string&, int32_t, bool, int32_t, float) {}

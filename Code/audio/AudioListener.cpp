#include "audio/AudioListener.h"

#include "audio/AudioManager.h"
#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/Transform.h"

AudioListener::AudioListener(int32_t gameObjectID) : Component(gameObjectID) {}

AudioListener::AudioListener(const JsonValue& json) : Component(json) {
    dopplerscale = json::ReadFloat(json, "dopplerscale", dopplerscale);
    distance = json::ReadFloat(json, "distance", distance);
    rolloffscale = json::ReadFloat(json, "rolloffscale", rolloffscale);
}

void AudioListener::Awake() {
    AudioManager& manager = AudioManager::GetInstance();
    if (manager.system) {
        manager.system->Set3DSettings(dopplerscale, distance, rolloffscale);
        manager.system->Set3DNumListeners(static_cast<int>(manager.listenerCount + 1));
    }
    manager.listenerCount += 1;
    listenerIndex = manager.listenerCount - 1;
}

void AudioListener::Start() {
    if (!transform && owner) transform = owner->GetComponent<Transform>();
}

void AudioListener::Update() {
    const Transform* t = transform.Get();
    AudioManager& manager = AudioManager::GetInstance();
    if (!t || !manager.system) return;
    const audio::Vec3 position{t->x, t->y, 0.0f};
    const audio::Vec3 still{};
    manager.system->Set3DListenerAttributes(static_cast<int>(listenerIndex), &position, &still, nullptr, nullptr);
}

#include "gameobjectengine/DontDestroyOnLoad.h"

#include "gameobjectengine/GameObject.h"
#include "scenemanager/SceneManager.h"

DontDestroyOnLoad::DontDestroyOnLoad(int32_t gameObjectID) : Component(gameObjectID) {}

DontDestroyOnLoad::DontDestroyOnLoad(const JsonValue& json) : Component(json) {}

void DontDestroyOnLoad::Awake() { SceneManager::GetInstance().AddPersistent(owner); }

void DontDestroyOnLoad::Start() {
    // Texture pinning goes here once the texture cache offers a kept-textures set.
}

#include "gameobjectengine/DeleteIfExist.h"

#include "gameobjectengine/GameObject.h"
#include "scenemanager/SceneManager.h"

DeleteIfExist::DeleteIfExist(int32_t gameObjectID) : Component(gameObjectID) {}

DeleteIfExist::DeleteIfExist(const JsonValue& json) : Component(json) {}

void DeleteIfExist::Awake() {
    if (!owner) return;
    SceneManager& scene = SceneManager::GetInstance();
    if (scene.CountGameObjectsByName(owner->name) >= 2) scene.DestroyGameObject(owner->id);
}

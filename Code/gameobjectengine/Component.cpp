#include "gameobjectengine/Component.h"

#include "scenemanager/SceneManager.h"

GameObject* ResolveGameObject(int32_t id) { return SceneManager::GetInstance().GetGameObject(id); }

Component::Component(int32_t id) : owner(ResolveGameObject(id)), gameObjectID(id) {}

Component::Component(const JsonValue& json)
    : gameObjectID(json::ReadInt(json, "gameObjectID", 0)), enabled(json::ReadFlag(json, "enabled", true)) {
    owner = ResolveGameObject(gameObjectID);
}

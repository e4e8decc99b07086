#include "gameobjectengine/Component.h"

#include "gameobjectengine/ObjectTable.h"

GameObject* ResolveGameObject(int32_t id) {
    const ObjectTable* table = ObjectTable::Installed();
    return table ? table->GetGameObject(id) : nullptr;
}

Component::Component(int32_t id) : owner(ResolveGameObject(id)), gameObjectID(id) {}

Component::Component(const JsonValue& json)
    : gameObjectID(json::ReadInt(json, "gameObjectID", 0)), enabled(json::ReadFlag(json, "enabled", true)) {
    owner = ResolveGameObject(gameObjectID);
}

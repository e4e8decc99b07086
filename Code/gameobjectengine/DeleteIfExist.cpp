#include "gameobjectengine/DeleteIfExist.h"

#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/ObjectTable.h"

DeleteIfExist::DeleteIfExist(int32_t gameObjectID) : Component(gameObjectID) {}

DeleteIfExist::DeleteIfExist(const JsonValue& json) : Component(json) {}

void DeleteIfExist::Awake() {
    if (!owner) return;
    ObjectTable* table = ObjectTable::Installed();
    if (table && table->CountGameObjectsByName(owner->name) >= 2) table->DestroyGameObject(owner->id);
}

#include "gameobjectengine/Follow.h"

#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/JobManager.h"
#include "gameobjectengine/Transform.h"

Follow::Follow(int32_t gameObjectID) : Component(gameObjectID) {}

Follow::Follow(const JsonValue& json)
    : Component(json), xOffset(json::ReadFloat(json, "xOffset", 0.0f)), yOffset(json::ReadFloat(json, "yOffset", 0.0f)) {
    if (!json::Has(json, "follow")) return;
    GameObject* followed = ResolveGameObject(json::ReadInt(json, "follow", -1));
    if (!followed) return;
    Handle<GameObject> found(followed);
    JobManager::GetInstance().AddJobFor(
        this,
        [this, found]() {
            if (GameObject* object = found.Get()) target = object->GetComponent<Transform>();
        },
        JobKind::Lookup, 0.0f);
}

void Follow::Awake() { transform = owner ? owner->GetComponent<Transform>() : nullptr; }

void Follow::Update() {
    if (GameFlags::Any(GameFlags::Paused)) return;
    Transform* followed = target.Get();
    if (!followed || !transform) return;
    transform->x = followed->x + xOffset;
    transform->y = followed->y + yOffset;
}

#include "graphics/Render.h"

#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/JobManager.h"
#include "gameobjectengine/Transform.h"

Render::Render(int32_t gameObjectID, int32_t layerValue) : Component(gameObjectID), layer(layerValue) {}

Render::Render(const JsonValue& json) : Component(json) {
    layer = json::ReadInt(json, "layer", 0);
    alpha = json::ReadInt(json, "alpha", 100);
    speed = json::ReadFloat(json, "speed", 1.0f);
    relativePos = json::ReadFlag(json, "relativePos", false);
    relativeScale = json::ReadFlag(json, "relativeScale", false);
    if (const JsonValue* c = json::FindObject(json, "color")) {
        color[0] = json::ReadFloat(*c, "r", 1.0f);
        color[1] = json::ReadFloat(*c, "g", 1.0f);
        color[2] = json::ReadFloat(*c, "b", 1.0f);
    }
    // The constructor's own look-up would be a kind-0 copy, which never runs; the one
    // queued by Awake (or made by Start) is the one that takes effect.
}

void Render::Awake() { QueueTransformLookup(); }

void Render::Start() {
    if (owner) transform = owner->GetComponent<Transform>();
}

void Render::QueueTransformLookup() {
    if (!owner) return;
    Handle<GameObject> ownerHandle(owner);
    // Bars and speech-bubble pieces point `transform` at a child of their own before
    // the job runs; only a still-empty transform is filled.
    JobManager::GetInstance().AddJobFor(
        this,
        [this, ownerHandle]() {
            if (transform) return;
            if (GameObject* object = ownerHandle.Get()) transform = object->GetComponent<Transform>();
        },
        JobKind::Frame, 0.0f);
}

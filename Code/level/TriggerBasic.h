#pragma once
// Base of the trigger areas: a body and collider on the same object; every frame each
// contact with an object tagged "Player" fires the trigger's OnTrigger. A trigger with
// disableAfterTrigger fires in the first frame a "Player" touches it and then switches
// itself off (every "Player" contact of that frame still fires).
#include "gameobjectengine/Component.h"
#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/Handle.h"
#include "gameobjectengine/JobManager.h"

class Collider;
class Rigidbody;

class TriggerBasic : public Component {
public:
    // "disableAfterTrigger" (absent: true); queues the look-up of the own body and collider.
    explicit TriggerBasic(const JsonValue& json);

    // Walks the body's contacts (a trigger without a body does nothing).
    void Update() override;
    virtual void OnTrigger() = 0;

    bool disableAfterTrigger = true;
    Rigidbody* rigidbody = nullptr;
    Collider* collider = nullptr;
};

// Queues the kind-1 look-up of the T of the object with this id into target; a missing
// object or component leaves it null.
template <typename T>
void QueueTargetLookup(Component* asker, int32_t targetID, Handle<T>& target) {
    GameObject* object = ResolveGameObject(targetID);
    if (!object) return;
    Handle<GameObject> found(object);
    JobManager::GetInstance().AddJobFor(
        asker,
        [found, &target]() {
            if (GameObject* o = found.Get()) target = o->GetComponent<T>();
        },
        JobKind::Lookup, 0.0f);
}

#include "level/TriggerBasic.h"

#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/HeroNames.h"
#include "gameobjectengine/JobManager.h"
#include "physics/Collider.h"
#include "physics/Rigidbody.h"

TriggerBasic::TriggerBasic(const JsonValue& json)
    : Component(json), disableAfterTrigger(json::ReadFlag(json, "disableAfterTrigger", true)) {
    JobManager::GetInstance().AddJobFor(
        this,
        [this]() {
            if (!owner) return;
            rigidbody = owner->GetComponent<Rigidbody>();
            collider = owner->GetComponent<Collider>();
        },
        JobKind::Lookup, 0.0f);
}

void TriggerBasic::Update() {
    if (!rigidbody) return;
    for (const Collider* contact : rigidbody->contacts) {
        if (!contact || !contact->owner || contact->owner->tag != Heroes::kTag) continue;
        OnTrigger();
        if (disableAfterTrigger) enabled = false;
    }
}

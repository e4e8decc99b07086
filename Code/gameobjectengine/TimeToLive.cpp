#include "gameobjectengine/TimeToLive.h"

#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/Time.h"
#include "gameobjectengine/ObjectTable.h"

TimeToLive::TimeToLive(int32_t gameObjectID) : Component(gameObjectID) {}

TimeToLive::TimeToLive(const JsonValue& json) : Component(json), liveType(json::ReadUint(json, "liveType", 0)) {
    if (liveType == kFrames) framesLeft = json::ReadInt(json, "lifetime", 0);
    else if (liveType == kSeconds) secondsLeft = json::ReadFloat(json, "lifetime", 0.0f);
}

Component* TimeToLive::Clone() const { return new TimeToLive(*this); }

void TimeToLive::SetFrames(int32_t frames) {
    liveType = kFrames;
    framesLeft = frames;
}

void TimeToLive::SetSeconds(float seconds) {
    liveType = kSeconds;
    secondsLeft = seconds;
}

void TimeToLive::Update() {
    if (GameFlags::Any(GameFlags::Paused)) return;
    bool expired = false;
    if (liveType == kFrames) {
        if (framesLeft > INT32_MIN) --framesLeft;
        expired = framesLeft <= 0;
    } else if (liveType == kSeconds) {
        secondsLeft -= Time::GetInstance().deltaTime;
        expired = secondsLeft <= 0.0f;
    }
    // By the owner's id now: a persistent object changes id at every load while its
    // components keep the id of the scene that built them.
    if (!expired || !owner) return;
    if (ObjectTable* table = ObjectTable::Installed()) table->DestroyGameObject(owner->id);
}

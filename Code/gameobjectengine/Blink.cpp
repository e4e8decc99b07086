#include "gameobjectengine/Blink.h"

#include "gameobjectengine/Time.h"

Blink::Blink(int32_t objectID) : Component(objectID) {}

void Blink::Start() {
    elapsed = 0.0f;
    if (Component* shown = target.Get()) shown->enabled = startEnabled;
}

void Blink::Update() {
    const float dt = Time::GetInstance().deltaTime;
    if (delay > 0.0f) {
        delay -= dt;
        return;
    }
    Component* shown = target.Get();
    if (shown && intervalTimer >= interval) {
        intervalTimer = 0.0f;
        shown->enabled = !shown->enabled;
    }
    elapsed += dt;
    intervalTimer += dt;
    if (elapsed > duration) enabled = false;  // the target keeps whatever state it has now
}

#include "graphics/DamageText.h"

#include <string>

#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/GameRandom.h"
#include "gameobjectengine/Time.h"
#include "gameobjectengine/Transform.h"
#include "graphics/GraphicsEngine.h"

DamageText::DamageText(int32_t objectID) : UIText(objectID) {}

void DamageText::Awake() {
    color[0] = color[1] = color[2] = 1.0f;
    layer = 11;
    UIText::Awake();
}

void DamageText::Start() {
    Render::Start();
    if (transform) {
        // Without a source (or once it is gone) the number keeps its own position.
        if (const Transform* from = source.Get()) {
            transform->x = from->x;
            transform->y = from->y;
        }
        transform->scaleX = 1.0f;
        transform->scaleY = 1.0f;
    }
    jitterTimer = 0.0f;
    textKind = 1;
}

void DamageText::Update() {
    if (GameFlags::Any(GameFlags::Paused) || !transform || !source) return;
    const float dt = Time::GetInstance().deltaTime;
    transform->y -= dt * riseSpeed;
    if (style == kCritical) {
        jitterTimer += dt;
        if (jitterTimer > 0.01f) {
            transform->x = baseX + static_cast<float>(GameRandom::Next() % 10) - 15.0f;
            jitterTimer = 0.0f;
        }
    }
}

void DamageText::SetValue(uint32_t shown, int32_t shownStyle) {
    value = shown;
    stringValue = std::to_string(shown);
    style = (shown >= 501) ? kCritical : shownStyle;
}

#include "combat/Shield.h"

#include "combat/CombatObjects.h"
#include "gameobjectengine/Blink.h"
#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/Transform.h"
#include "graphics/DamageText.h"
#include "graphics/SpriteRenderer.h"
#include "scenemanager/SceneManager.h"

namespace Combat {

ShieldBasic::ShieldBasic(int32_t amountIn, float duration, GameObject* fxObject)
    : amount(amountIn), maxAmount(amountIn), remainingTime(duration), fx(fxObject) {
    if (!fxObject) return;
    SpriteRenderer* sprite = fxObject->GetComponent<SpriteRenderer>();
    fxSprite = sprite;
    // Steady for the first 60 % of the time, then the sprite toggles until the end.
    auto* blink = fxObject->AddComponent<Blink>();
    if (!blink) return;
    const float blinking = (1.0f - blinkDelayShare) * duration;
    blink->target = static_cast<Component*>(sprite);
    blink->delay = blinkDelayShare * duration;
    blink->duration = blinking;
    blink->interval = blinking * blinkIntervalShare * 0.5f;
    blink->intervalTimer = blink->interval;
    blink->startEnabled = true;
}

bool ShieldBasic::Absorb(int32_t& damage) {
    if (damage < amount) {
        amount -= damage;
        ShowAbsorbText(damage);
        damage = 0;
        return false;
    }
    damage -= amount;
    ShowAbsorbText(amount);
    DestroyFx();
    return true;
}

bool ShieldBasic::Update(float dt) {
    remainingTime -= dt;
    if (remainingTime > 0.0f) return false;
    DestroyFx();
    return true;
}

void ShieldBasic::UpdateVisual() {
    SpriteRenderer* sprite = fxSprite.Get();
    // A shield made without an amount has no share to show: its alpha stays.
    if (!sprite || maxAmount <= 0) return;
    const int64_t percent = static_cast<int64_t>(amount) * 100 / maxAmount;
    if (percent <= 100) sprite->alpha = static_cast<int32_t>(percent);
}

void ShieldBasic::DestroyFx() {
    GameObject* object = fx.Get();
    fx.Reset();
    if (object) SceneManager::GetInstance().DestroyGameObject(object->id);
}

void ShieldBasic::ShowAbsorbText(int32_t absorbed) {
    GameObject* object = fx.Get();
    Transform* at = object ? object->GetComponent<Transform>() : nullptr;
    SpawnNumber("DamageText", at, static_cast<uint32_t>(absorbed < 0 ? 0 : absorbed), DamageText::kShield);
}

}  // namespace Combat

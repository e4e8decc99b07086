#pragma once
// A timed damage absorber held by a unit while a shield effect lasts. It owns the
// visible "Shield FX" bubble and ends it when it breaks or expires. A basic shield
// absorbs up to its amount, shows every absorbed amount, fades as it is used up and
// blinks through the last 40 % of its time; the boss shield absorbs nothing.
#include <cstdint>

#include "gameobjectengine/Handle.h"

class GameObject;
class SpriteRenderer;

namespace Combat {

class ShieldBasic {
public:
    // Adds a Blink to the bubble (when there is one).
    ShieldBasic(int32_t amount, float duration, GameObject* fx);
    virtual ~ShieldBasic() = default;
    ShieldBasic(const ShieldBasic&) = delete;
    ShieldBasic& operator=(const ShieldBasic&) = delete;

    virtual int32_t GetAmount() const { return amount; }
    // Lowers damage by what the shield takes; true when the shield broke.
    virtual bool Absorb(int32_t& damage);
    // Counts down; true (and the bubble ended) once the time is up.
    virtual bool Update(float dt);
    // The bubble's alpha follows the share left.
    virtual void UpdateVisual();
    // Queues the bubble's destruction, once.
    virtual void DestroyFx();
    virtual void ShowAbsorbText(int32_t absorbed);

    int32_t amount = 0;
    int32_t maxAmount = 0;
    float remainingTime = 0.0f;
    Handle<GameObject> fx;
    Handle<SpriteRenderer> fxSprite;
    float blinkDelayShare = 0.6f;
    float blinkIntervalShare = 0.05f;
};

class ShieldBoss : public ShieldBasic {
public:
    ShieldBoss(float duration, GameObject* fx) : ShieldBasic(0, duration, fx) {}
    int32_t GetAmount() const override { return 0; }
    bool Absorb(int32_t&) override { return false; }
    void UpdateVisual() override {}
    void ShowAbsorbText(int32_t) override {}
};

}  // namespace Combat

#pragma once
// A circle collider, tested as a square of half-size radius. Moving units use it:
// a circle mover stands on floors, is stopped by walls and climbs slopes.
#include "physics/Collider.h"

class CircleCollider : public Collider {
public:
    explicit CircleCollider(int32_t objectID);
    // Collider keys plus "radius".
    explicit CircleCollider(const JsonValue& json);
    CircleCollider(const CircleCollider&) = default;

    Component* Clone() const override;

    bool Collide(Collider* other, TVector2<float> move) override;
    // No snap: a circle only reports that the mover is on it.
    bool TouchesTopAt(const Place& self, Collider* mover, const Place& m, TVector2<float> move) override;
    // Side tests only while unrotated; no vertical condition.
    bool TouchesLeftSideAt(const Place& self, Collider* mover, const Place& m, TVector2<float> move) override;
    bool TouchesRightSideAt(const Place& self, Collider* mover, const Place& m, TVector2<float> move) override;
    bool ReachesEveryHeight() const override { return isStatic; }
    float GetExtentX() const override { return radius; }
    float GetExtentY() const override { return radius; }
    void SetSize(float r, float) override { radius = r; }

    float radius = 0.0f;
};

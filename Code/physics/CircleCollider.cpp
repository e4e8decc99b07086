#include "physics/CircleCollider.h"

#include <cmath>

CircleCollider::CircleCollider(int32_t objectID) : Collider(objectID) {}

CircleCollider::CircleCollider(const JsonValue& json) : Collider(json), radius(json::ReadFloat(json, "radius", 0.0f)) {}

Component* CircleCollider::Clone() const { return new CircleCollider(*this); }

bool CircleCollider::Collide(Collider* other, TVector2<float> move) {
    const bool overlapping = Overlaps(this, other, TVector2<float>(0.0f, 0.0f));
    const bool kinematic = isKinematic || other->isKinematic;
    if (kinematic) return overlapping;
    // Another moving collider is a contact only while we actually touch it.
    if (!other->isStatic) return overlapping;
    if (other->TouchesRightSide(this, move)) {
        blockedLeft = true;
        return true;
    }
    if (other->TouchesLeftSide(this, move)) {
        blockedRight = true;
        return true;
    }
    if (other->TouchesTop(this, move)) {
        grounded = true;
        return true;
    }
    if (other->TouchesBottom(this, move)) {
        hitBottom = true;
        return true;
    }
    return false;
}

bool CircleCollider::TouchesTop(Collider* mover, TVector2<float> move) {
    const float tx = CentreX(), ty = CentreY();
    const float mx = mover->CentreX(), my = mover->CentreY();
    const float mex = mover->GetExtentX(), mey = mover->GetExtentY();
    return tx - radius <= mx + mex + move.x && mx - mex <= tx + radius && my < ty && my + mey + move.y > ty - radius;
}

bool CircleCollider::TouchesLeftSide(Collider* mover, TVector2<float> move) {
    if (Rotation() != 0.0f) return false;
    const float d = (mover->CentreX() + mover->GetExtentX() + move.x) - (CentreX() - radius);
    return d > 0.0f && d < std::fabs(move.x) + 15.0f;
}

bool CircleCollider::TouchesRightSide(Collider* mover, TVector2<float> move) {
    if (Rotation() != 0.0f) return false;
    const float d = (CentreX() + radius) - (mover->CentreX() - mover->GetExtentX() + move.x);
    return d > 0.0f && d < std::fabs(move.x) + 15.0f;
}

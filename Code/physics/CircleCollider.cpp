#include "physics/CircleCollider.h"

#include <cmath>

CircleCollider::CircleCollider(int32_t objectID) : Collider(objectID) {}

CircleCollider::CircleCollider(const JsonValue& json) : Collider(json), radius(json::ReadFloat(json, "radius", 0.0f)) {}

Component* CircleCollider::Clone() const { return new CircleCollider(*this); }

bool CircleCollider::Collide(Collider* other, TVector2<float> move) {
    Pair pair(this, other);
    const bool overlapping = Overlaps(pair.m, pair.o, TVector2<float>(0.0f, 0.0f));
    const bool kinematic = isKinematic || other->isKinematic;
    if (kinematic) return overlapping;
    // Another moving collider is a contact only while we actually touch it.
    if (!other->isStatic) return overlapping;
    if (other->TouchesRightSideAt(pair.o, this, pair.m, move)) {
        blockedLeft = true;
        return true;
    }
    pair.Refresh();
    if (other->TouchesLeftSideAt(pair.o, this, pair.m, move)) {
        blockedRight = true;
        return true;
    }
    return CollideVertically(pair, move);
}

bool CircleCollider::TouchesTopAt(const Place& t, Collider*, const Place& m, TVector2<float> move) {
    return t.x - radius <= m.x + m.ex + move.x && m.x - m.ex <= t.x + radius && m.y < t.y &&
           m.y + m.ey + move.y > t.y - radius;
}

bool CircleCollider::TouchesLeftSideAt(const Place& t, Collider*, const Place& m, TVector2<float> move) {
    if (Rotation() != 0.0f) return false;
    const float d = (m.x + m.ex + move.x) - (t.x - radius);
    return d > 0.0f && d < std::fabs(move.x) + 15.0f;
}

bool CircleCollider::TouchesRightSideAt(const Place& t, Collider*, const Place& m, TVector2<float> move) {
    if (Rotation() != 0.0f) return false;
    const float d = (t.x + radius) - (m.x - m.ex + move.x);
    return d > 0.0f && d < std::fabs(move.x) + 15.0f;
}

#include "physics/BoxCollider.h"

#include <algorithm>
#include <cmath>

#include "gameobjectengine/Transform.h"

namespace {

// Rotations are folded by exact comparison, so reduce them once into [0, 360).
float ReduceDegrees(float degrees) {
    if (!std::isfinite(degrees)) return 0.0f;
    float r = std::fmod(degrees, 360.0f);
    if (r < 0.0f) r += 360.0f;
    if (r >= 360.0f) r = 0.0f;
    return r;
}

}  // namespace

std::unique_ptr<BoxSlope> BoxSlope::Build(float centreX, float centreY, float width, float height, float r) {
    const bool steep = (r > 0.0f && r < 90.0f) || (r > 180.0f && r < 270.0f);
    const float a = steep ? height : width;
    const float c = steep ? width : height;
    const float cosR = std::cos(r * 0.017453292f);
    const float sinR = std::sin(r * 0.017453292f);
    const TVector2<float> e0(cosR * a, -std::fabs(sinR * a));
    const TVector2<float> e1(std::fabs(sinR * c), std::fabs(cosR * c));

    auto slope = std::make_unique<BoxSlope>();
    slope->point0 = TVector2<float>(centreX + e0.x - e1.x, centreY + e0.y - e1.y);
    if (e0.x <= e1.x) {
        slope->direction = e1;
        slope->firstEdge = false;
        slope->point1 = TVector2<float>(centreX + e0.x + e1.x, centreY + e0.y + e1.y);
    } else {
        slope->direction = e0;
        slope->firstEdge = true;
        slope->point1 = TVector2<float>(centreX - e0.x + e1.x, centreY - e0.y + e1.y);
    }
    // A zero-length edge has no direction to walk along; normalising it would give NaNs.
    if (slope->direction.SqrMagnitude() <= 0.0f) return nullptr;
    slope->direction.Normalize();
    slope->normal = TVector2<float>(slope->direction.y, -slope->direction.x);
    return slope;
}

BoxCollider::BoxCollider(int32_t objectID) : Collider(objectID) {}

BoxCollider::BoxCollider(const JsonValue& json)
    : Collider(json), width(json::ReadFloat(json, "width", 0.0f)), height(json::ReadFloat(json, "height", 0.0f)) {}

BoxCollider::BoxCollider(const BoxCollider& other) : Collider(other), width(other.width), height(other.height) {
    if (other.slope) slope = std::make_unique<BoxSlope>(*other.slope);
}

void BoxCollider::Awake() {
    Collider::Awake();
    slope.reset();
}

void BoxCollider::Start() {
    Collider::Start();
    if (!transform) return;
    const float r = ReduceDegrees(transform->rotation);
    if (r == 0.0f) {
        transform->rotation = 0.0f;
    } else if (r == 90.0f || r == 270.0f) {
        std::swap(width, height);
        transform->rotation = 0.0f;
    } else if (r == 180.0f) {
        transform->rotation = 0.0f;
    } else {
        transform->rotation = r;
        slope = BoxSlope::Build(CentreX(), CentreY(), width, height, r);
    }
}

Component* BoxCollider::Clone() const { return new BoxCollider(*this); }

float BoxCollider::GetExtentX() const { return Rotation() != 0.0f ? std::max(width, height) : width; }

float BoxCollider::GetExtentY() const { return Rotation() != 0.0f ? std::max(width, height) : height; }

void BoxCollider::SetSize(float w, float h) {
    width = w;
    height = h;
}

bool BoxCollider::Collide(Collider* other, TVector2<float> move) {
    Pair pair(this, other);
    if (Overlaps(pair.m, pair.o, move)) return true;  // a contact, but a box mover is never stopped
    if (isKinematic || other->isKinematic) return false;
    if (other->TouchesRightSideAt(pair.o, this, pair.m, move) && other->isStatic) {
        pair.Refresh();
        blockedLeft = true;
        if (transform) transform->x = pair.o.x + pair.o.ex + width - xOffset;
        return true;
    }
    pair.Refresh();
    if (other->TouchesLeftSideAt(pair.o, this, pair.m, move) && other->isStatic) {
        pair.Refresh();
        blockedRight = true;
        if (transform) transform->x = pair.o.x - pair.o.ex - width - xOffset;
        return true;
    }
    return CollideVertically(pair, move);
}

bool BoxCollider::TouchesTopAt(const Place& t, Collider* mover, const Place& m, TVector2<float> move) {
    // The box narrowed to 99 % so a mover brushing a wall's top corner does not stand on it.
    if (!(t.x - 0.99f * width <= m.x + m.ex && m.x - m.ex <= t.x + 0.99f * width)) return false;
    if (slope) return TouchesSlopeTop(mover, m, move);

    const float d = (m.y + m.ey) - (t.y - height);  // how far the mover's bottom is below our top
    if (d <= height && move.y + d > 0.0f && move.y > 0.0f) {
        if (isStatic && mover->transform) mover->transform->y = t.y - t.ey - m.ey - mover->yOffset;
        return true;
    }
    return false;
}

bool BoxCollider::TouchesSlopeTop(Collider* mover, const Place& m, TVector2<float> move) {
    const BoxSlope& s = *slope;
    const float px = m.x + move.x;
    const bool inRange = s.firstEdge ? (px >= s.point1.x - 5.0f && px <= s.point0.x + 5.0f)
                                     : (px >= s.point0.x && px <= s.point1.x);
    if (!inRange) return false;
    const float side = (px - s.point0.x) * s.normal.x + (m.y + m.ey + move.y - s.point0.y) * s.normal.y;
    if (side < 0.0f) {
        mover->slopeFactorX = s.direction.x;
        mover->slopeFactorY = -s.direction.y;
        // Puts the mover's bottom centre back onto the surface line.
        const float depth = (m.y + m.ey - s.point0.y) * s.normal.y + (m.x - s.point0.x) * s.normal.x;
        if (mover->transform) mover->transform->y -= depth * s.normal.y;
        return true;
    }
    mover->slopeFactorX = 1.0f;
    mover->slopeFactorY = 0.0f;
    return false;
}

void BoxCollider::SlopeTestAt(Collider* mover, float newX, TVector2<float> move, float k) {
    Transform* t = mover->transform;
    if (!t) return;
    const float oldX = t->x;
    t->x = newX;
    TouchesTop(mover, TVector2<float>(move.x - k, move.y - k));
    t->x = oldX;
}

bool BoxCollider::TouchesLeftSideAt(const Place& t, Collider* mover, const Place& m, TVector2<float> move) {
    if (!(t.y - height <= m.y + m.ey + move.y && m.y - m.ey + move.y <= t.y + height)) return false;
    const float d = (m.x + m.ex) - (t.x - width);  // mover's right edge past our left edge
    if (!(d <= 0.2f && move.x + d > 0.0f)) return false;
    const float newX = t.x - width - m.ex - mover->xOffset;
    if (!slope) {
        if (mover->slopeFactorX == 1.0f && isStatic) {
            if (mover->transform) mover->transform->x = newX;
            return true;
        }
        return false;
    }
    const BoxSlope& s = *slope;
    if ((newX - s.point0.x) * s.normal.x + (m.y + m.ey + move.y - s.point0.y) * s.normal.y < 0.0f && mover->transform)
        SlopeTestAt(mover, newX, move, newX - mover->transform->x);
    return false;
}

bool BoxCollider::TouchesRightSideAt(const Place& t, Collider* mover, const Place& m, TVector2<float> move) {
    if (!(t.y - height <= m.y + m.ey && m.y - m.ey <= t.y + height)) return false;
    const float d = (m.x - m.ex) - (t.x + width);  // mover's left edge relative to our right edge
    if (!(d > -0.2f && move.x + d < 0.0f)) return false;
    const float newX = t.x + width + m.ex - mover->xOffset;
    if (!slope) {
        if (mover->slopeFactorY == 0.0f) {
            if (isStatic && mover->transform) mover->transform->x = newX;
            return true;
        }
        return false;
    }
    const BoxSlope& s = *slope;
    if ((m.x - s.point0.x) * s.normal.x + (m.y + m.ey - s.point0.y) * s.normal.y > 0.0f && mover->transform)
        SlopeTestAt(mover, newX, move, mover->transform->x - newX);
    return false;
}

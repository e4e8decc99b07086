#pragma once
// The physics step as first written: every body against every collider, with the narrow
// tests written out again here from the colliders' fields. The real step (broad phase,
// shared shape values) must give exactly its results; the differential test and the
// physics benchmark run the two side by side.
#include <algorithm>
#include <cmath>
#include <vector>

#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/Transform.h"
#include "physics/BoxCollider.h"
#include "physics/CircleCollider.h"
#include "physics/PhysicsManager.h"
#include "physics/Rigidbody.h"

namespace reference {

using V = TVector2<float>;

// A collider with its shape told once (box, or null for a circle), as a virtual call would.
struct Shape {
    Collider* c = nullptr;
    const BoxCollider* box = nullptr;
    Collider* operator->() const { return c; }
};
inline Shape ShapeOf(Collider* c) { return {c, dynamic_cast<const BoxCollider*>(c)}; }

inline float Rot(Shape c) { return c->transform ? c->transform->rotation : 0.0f; }
inline float Cx(Shape c) { return (c->transform ? c->transform->x : 0.0f) + (c->transform ? c->xOffset : 0.0f); }
inline float Cy(Shape c) { return (c->transform ? c->transform->y : 0.0f) + (c->transform ? c->yOffset : 0.0f); }
inline float Radius(Shape c) { return static_cast<const CircleCollider*>(c.c)->radius; }
inline float Ex(Shape c) {
    if (const BoxCollider* b = c.box) return Rot(c) != 0.0f ? std::max(b->width, b->height) : b->width;
    return Radius(c);
}
inline float Ey(Shape c) {
    if (const BoxCollider* b = c.box) return Rot(c) != 0.0f ? std::max(b->width, b->height) : b->height;
    return Radius(c);
}

inline bool Overlaps(Shape a, Shape b, V move) {
    const float ax = Cx(a) + move.x, ay = Cy(a) + move.y, bx = Cx(b), by = Cy(b);
    const float aex = Ex(a), aey = Ey(a), bex = Ex(b), bey = Ey(b);
    return bx - bex <= ax + aex && by - bey <= ay + aey && ax - aex <= bx + bex && ay - aey <= by + bey;
}

inline bool BoxSlopeTop(const BoxCollider* t, Shape m, V move) {
    const BoxSlope& s = *t->slope;
    const float mx = Cx(m), my = Cy(m), mey = Ey(m);
    const float px = mx + move.x;
    const bool inRange = s.firstEdge ? (px >= s.point1.x - 5.0f && px <= s.point0.x + 5.0f)
                                     : (px >= s.point0.x && px <= s.point1.x);
    if (!inRange) return false;
    const float side = (px - s.point0.x) * s.normal.x + (my + mey + move.y - s.point0.y) * s.normal.y;
    if (side < 0.0f) {
        m->slopeFactorX = s.direction.x;
        m->slopeFactorY = -s.direction.y;
        const float depth = (my + mey - s.point0.y) * s.normal.y + (mx - s.point0.x) * s.normal.x;
        if (m->transform) m->transform->y -= depth * s.normal.y;
        return true;
    }
    m->slopeFactorX = 1.0f;
    m->slopeFactorY = 0.0f;
    return false;
}

inline bool TouchesTop(Shape tc, Shape m, V move) {
    const float tx = Cx(tc), ty = Cy(tc), mx = Cx(m), my = Cy(m), mex = Ex(m), mey = Ey(m);
    if (const BoxCollider* t = tc.box) {
        if (!(tx - 0.99f * t->width <= mx + mex && mx - mex <= tx + 0.99f * t->width)) return false;
        if (t->slope) return BoxSlopeTop(t, m, move);
        const float d = (my + mey) - (ty - t->height);
        if (d <= t->height && move.y + d > 0.0f && move.y > 0.0f) {
            if (t->isStatic && m->transform) m->transform->y = ty - Ey(tc) - mey - m->yOffset;
            return true;
        }
        return false;
    }
    const float r = Radius(tc);
    return tx - r <= mx + mex + move.x && mx - mex <= tx + r && my < ty && my + mey + move.y > ty - r;
}

inline void SlopeTestAt(Shape t, Shape m, float newX, V move, float k) {
    Transform* mt = m->transform;
    if (!mt) return;
    const float oldX = mt->x;
    mt->x = newX;
    TouchesTop(t, m, V(move.x - k, move.y - k));
    mt->x = oldX;
}

inline bool TouchesLeftSide(Shape tc, Shape m, V move) {
    const float tx = Cx(tc), ty = Cy(tc), mx = Cx(m), my = Cy(m), mex = Ex(m), mey = Ey(m);
    if (const BoxCollider* t = tc.box) {
        if (!(ty - t->height <= my + mey + move.y && my - mey + move.y <= ty + t->height)) return false;
        const float d = (mx + mex) - (tx - t->width);
        if (!(d <= 0.2f && move.x + d > 0.0f)) return false;
        const float newX = tx - t->width - mex - m->xOffset;
        if (!t->slope) {
            if (m->slopeFactorX == 1.0f && t->isStatic) {
                if (m->transform) m->transform->x = newX;
                return true;
            }
            return false;
        }
        const BoxSlope& s = *t->slope;
        if ((newX - s.point0.x) * s.normal.x + (my + mey + move.y - s.point0.y) * s.normal.y < 0.0f && m->transform)
            SlopeTestAt(tc, m, newX, move, newX - m->transform->x);
        return false;
    }
    if (Rot(tc) != 0.0f) return false;
    const float r = Radius(tc);
    const float d = (mx + mex + move.x) - (tx - r);
    return d > 0.0f && d < std::fabs(move.x) + 15.0f;
}

inline bool TouchesRightSide(Shape tc, Shape m, V move) {
    const float tx = Cx(tc), ty = Cy(tc), mx = Cx(m), my = Cy(m), mex = Ex(m), mey = Ey(m);
    if (const BoxCollider* t = tc.box) {
        if (!(ty - t->height <= my + mey && my - mey <= ty + t->height)) return false;
        const float d = (mx - mex) - (tx + t->width);
        if (!(d > -0.2f && move.x + d < 0.0f)) return false;
        const float newX = tx + t->width + mex - m->xOffset;
        if (!t->slope) {
            if (m->slopeFactorY == 0.0f) {
                if (t->isStatic && m->transform) m->transform->x = newX;
                return true;
            }
            return false;
        }
        const BoxSlope& s = *t->slope;
        if ((mx - s.point0.x) * s.normal.x + (my + mey - s.point0.y) * s.normal.y > 0.0f && m->transform)
            SlopeTestAt(tc, m, newX, move, m->transform->x - newX);
        return false;
    }
    if (Rot(tc) != 0.0f) return false;
    const float r = Radius(tc);
    const float d = (tx + r) - (mx - mex + move.x);
    return d > 0.0f && d < std::fabs(move.x) + 15.0f;
}

// Collider::Collide of the mover m against o.
inline bool Collide(Shape m, Shape o, V move) {
    if (const BoxCollider* box = m.box) {
        if (Overlaps(m, o, move)) return true;
        if (m->isKinematic || o->isKinematic) return false;
        if (TouchesRightSide(o, m, move) && o->isStatic) {
            m->blockedLeft = true;
            if (m->transform) m->transform->x = Cx(o) + Ex(o) + box->width - m->xOffset;
            return true;
        }
        if (TouchesLeftSide(o, m, move) && o->isStatic) {
            m->blockedRight = true;
            if (m->transform) m->transform->x = Cx(o) - Ex(o) - box->width - m->xOffset;
            return true;
        }
        if (TouchesTop(o, m, move)) return m->grounded = true;
        return false;  // nothing has a bottom
    }
    const bool overlapping = Overlaps(m, o, V(0.0f, 0.0f));
    if (m->isKinematic || o->isKinematic || !o->isStatic) return overlapping;
    if (TouchesRightSide(o, m, move)) return m->blockedLeft = true;
    if (TouchesLeftSide(o, m, move)) return m->blockedRight = true;
    if (TouchesTop(o, m, move)) return m->grounded = true;
    return false;
}

inline void MoveBody(Rigidbody& body, float dt) {
    Collider* c = body.collider;
    if (c) {
        body.slopeFactorX = c->slopeFactorX;
        body.slopeFactorY = c->slopeFactorY;
    }
    if (body.xVelocity < 0.0f) body.facing = 0;
    else if (body.xVelocity > 0.0f) body.facing = 1;
    if (c) {
        if (c->blockedRight && body.xVelocity > 0.0f) body.xVelocity = 0.0f;
        if (c->blockedLeft && body.xVelocity < 0.0f) body.xVelocity = 0.0f;
        if (c->grounded && body.yVelocity > 0.0f) body.yVelocity = 0.0f;
        if (Transform* t = c->transform) {
            const float lift = body.xVelocity > 0.0f ? -body.xVelocity * body.slopeFactorY : 0.0f;
            t->x += (body.verticalFactorX * body.yVelocity + body.slopeFactorX * body.xVelocity) * dt;
            t->y += (body.verticalFactorY * body.yVelocity + lift) * dt;
        }
    }
    body.xVelocity = 0.0f;
}

// One frame over bodies and colliders given in registration order (nulls are empty slots).
inline void Step(const std::vector<Rigidbody*>& bodies, const std::vector<Collider*>& colliders, float dt) {
    static std::vector<Shape> shapes;
    shapes.clear();
    for (Collider* c : colliders) shapes.push_back(c ? ShapeOf(c) : Shape{});
    for (Rigidbody* body : bodies) {
        if (!body || !body->enabled || !body->owner || !body->owner->active || !body->transform) continue;
        body->ClearContacts();
        Collider* self = body->collider;
        if (self) self->ResetContacts();
        if (body->useGravity) body->yAcceleration = PhysicsManager::kGravity;
        body->xVelocity += dt * body->xAcceleration;
        body->yVelocity += dt * body->yAcceleration;
        body->ApplyForces(dt);
        const uint32_t mask = PhysicsManager::MaskForLayer(body->owner->layer);
        if (self && self->transform) {
            const V move(dt * body->xVelocity, dt * body->yVelocity);
            const Shape mover = ShapeOf(self);
            for (const Shape& other : shapes) {
                if (!other.c || other.c == self || !other->enabled) continue;
                GameObject* owner = other->owner;
                if (!owner || owner == body->owner || !owner->active) continue;
                if (!other->transform || (owner->layer & mask) == 0) continue;
                if (Collide(mover, other, move)) body->AddContact(other.c);
            }
        }
        if (!body->isKinematic) MoveBody(*body, dt);
    }
}

}  // namespace reference

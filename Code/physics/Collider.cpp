#include "physics/Collider.h"

#include <cstdio>

#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/Transform.h"
#include "physics/PhysicsManager.h"

Collider::Collider(int32_t objectID) : Component(objectID) {}

Collider::Collider(const JsonValue& json)
    : Component(json),
      xOffset(json::ReadFloat(json, "xOffset", 0.0f)),
      yOffset(json::ReadFloat(json, "yOffset", 0.0f)),
      isStatic(json::ReadFlag(json, "isStatic", false)) {
    QueueFetchComponent(this, owner, &transform);
}

void Collider::Awake() {
    ResetContacts();
    PhysicsManager::GetInstance().AddCollider(this);
    isKinematic = false;
}

void Collider::Start() {
    if (!transform && owner) transform = owner->GetComponent<Transform>();
}

void Collider::OnDestroy() { PhysicsManager::GetInstance().RemoveCollider(this); }

bool Collider::TouchesBottom(Collider*, TVector2<float>) { return false; }

void Collider::WriteJson(std::string& out) const {
    char line[96];
    std::snprintf(line, sizeof line, "\t\t\t\"xOffset\": %f,\n", static_cast<double>(xOffset));
    out += line;
    std::snprintf(line, sizeof line, "\t\t\t\"yOffset\": %f,\n", static_cast<double>(yOffset));
    out += line;
    std::snprintf(line, sizeof line, "\t\t\t\"isStatic\": %d\n", isStatic ? 1 : 0);
    out += line;
}

void Collider::ResetContacts() {
    hitBottom = grounded = blockedLeft = blockedRight = false;
    slopeFactorX = 1.0f;
    slopeFactorY = 0.0f;
}

bool Collider::IsColliding() const { return hitBottom || grounded || blockedLeft || blockedRight; }

float Collider::CentreX() const { return (transform ? transform->x : 0.0f) + (transform ? xOffset : 0.0f); }

float Collider::CentreY() const { return (transform ? transform->y : 0.0f) + (transform ? yOffset : 0.0f); }

float Collider::Rotation() const { return transform ? transform->rotation : 0.0f; }

bool Collider::Overlaps(const Collider* a, const Collider* b, TVector2<float> move) {
    return Overlaps(a->PlaceNow(), b->PlaceNow(), move);
}

bool Collider::Overlaps(const Place& a, const Place& b, TVector2<float> move) {
    const float ax = a.x + move.x, ay = a.y + move.y;
    return b.x - b.ex <= ax + a.ex && b.y - b.ey <= ay + a.ey && ax - a.ex <= b.x + b.ex && ay - a.ey <= b.y + b.ey;
}

Collider::Pair::Pair(Collider* mover_, Collider* other_) : mover(mover_), other(other_) {
    m = mover->PlaceNow();
    o = other->PlaceNow();
    if (mover->transform) x = mover->transform->x, y = mover->transform->y;
}

void Collider::Pair::Refresh() {
    const Transform* t = mover->transform;
    if (!t || (t->x == x && t->y == y)) return;
    *this = Pair(mover, other);
}

bool Collider::CollideVertically(Pair& pair, TVector2<float> move) {
    pair.Refresh();
    if (pair.other->TouchesTopAt(pair.o, this, pair.m, move)) {
        grounded = true;
        return true;
    }
    if (pair.other->TouchesBottom(this, move)) {
        hitBottom = true;
        return true;
    }
    return false;
}

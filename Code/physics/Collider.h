#pragma once
// The shape of a physics object: base of BoxCollider and CircleCollider.
//
// All tests are axis-aligned. The collider of a moving body (the mover) asks every
// other collider whether the mover touches its top or one of its sides; the answers
// set the mover's contact flags and slope factors, and may snap the mover's Transform
// against a static collider. Only the mover's Transform is ever moved.
//
// Centre: Transform position plus (xOffset, yOffset), or (0, 0) without a Transform.
// Extents: distances from the centre to the edges (y grows downward).
#include <cstdint>
#include <string>

#include "gameobjectengine/Component.h"
#include "gameobjectengine/Vector.h"

class Transform;

class Collider : public Component {
public:
    explicit Collider(int32_t objectID);
    // "xOffset", "yOffset", "isStatic"; queues the look-up of its object's Transform.
    explicit Collider(const JsonValue& json);
    Collider(const Collider&) = default;
    Collider& operator=(const Collider&) = delete;

    void Awake() override;      // clears the flags, registers (needs an owner), not kinematic
    void Start() override;      // finds the Transform
    void OnDestroy() override;  // unregisters

    // Centre and extents, read once for the tests of a pair.
    struct Place {
        float x = 0.0f, y = 0.0f, ex = 0.0f, ey = 0.0f;
    };
    Place PlaceNow() const { return {CentreX(), CentreY(), GetExtentX(), GetExtentY()}; }

    // Called on the mover's collider; move is the body's displacement this frame.
    // True records a contact.
    virtual bool Collide(Collider* other, TVector2<float> move) = 0;
    // Called on the other collider, with the mover: "left" and "right" are this
    // collider's sides.
    bool TouchesTop(Collider* mover, TVector2<float> move) { return TouchesTopAt(PlaceNow(), mover, mover->PlaceNow(), move); }
    bool TouchesLeftSide(Collider* mover, TVector2<float> move) {
        return TouchesLeftSideAt(PlaceNow(), mover, mover->PlaceNow(), move);
    }
    bool TouchesRightSide(Collider* mover, TVector2<float> move) {
        return TouchesRightSideAt(PlaceNow(), mover, mover->PlaceNow(), move);
    }
    // The same with both places already read (self: this collider's, m: the mover's).
    virtual bool TouchesTopAt(const Place& self, Collider* mover, const Place& m, TVector2<float> move) = 0;
    virtual bool TouchesLeftSideAt(const Place& self, Collider* mover, const Place& m, TVector2<float> move) = 0;
    virtual bool TouchesRightSideAt(const Place& self, Collider* mover, const Place& m, TVector2<float> move) = 0;
    // Nothing has a bottom: always false, so hitBottom never gets set.
    virtual bool TouchesBottom(Collider* mover, TVector2<float> move);
    // True when a test against this collider has no vertical limit (a slope lifts a
    // mover from any depth; a static circle's side tests ignore height).
    virtual bool ReachesEveryHeight() const { return true; }
    virtual float GetExtentX() const = 0;
    virtual float GetExtentY() const = 0;
    virtual void SetSize(float a, float b) = 0;
    // Appends the common keys as three lines of a component object.
    virtual void WriteJson(std::string& out) const;

    void ResetContacts();
    bool IsColliding() const;

    float CentreX() const;
    float CentreY() const;
    // Transform rotation in degrees, 0 without a Transform.
    float Rotation() const;

    // a displaced by move overlaps b (closed intervals on both axes).
    static bool Overlaps(const Collider* a, const Collider* b, TVector2<float> move);
    static bool Overlaps(const Place& a, const Place& b, TVector2<float> move);

protected:
    // The places of a pair under test, read again whenever a test has moved the mover
    // (a slope lifts it between the side and top tests).
    struct Pair {
        Collider* mover;
        Collider* other;
        Place m, o;
        float x = 0.0f, y = 0.0f;  // the mover's Transform position when read
        Pair(Collider* mover_, Collider* other_);
        void Refresh();
    };

    // The last tests of every Collide, after the sides (the pair is read again first):
    // standing on the other's top sets grounded, else touching its bottom sets hitBottom.
    bool CollideVertically(Pair& pair, TVector2<float> move);

public:

    Transform* transform = nullptr;
    bool hitBottom = false;
    bool grounded = false;
    bool blockedLeft = false;
    bool blockedRight = false;
    bool isKinematic = false;  // copied from the object's Rigidbody in its Start
    float xOffset = 0.0f;
    float yOffset = 0.0f;
    float slopeFactorX = 1.0f;
    float slopeFactorY = 0.0f;
    bool isStatic = false;
};

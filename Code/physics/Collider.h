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

    // Called on the mover's collider; move is the body's displacement this frame.
    // True records a contact.
    virtual bool Collide(Collider* other, TVector2<float> move) = 0;
    // Called on the other collider, with the mover: "left" and "right" are this
    // collider's sides.
    virtual bool TouchesTop(Collider* mover, TVector2<float> move) = 0;
    virtual bool TouchesLeftSide(Collider* mover, TVector2<float> move) = 0;
    virtual bool TouchesRightSide(Collider* mover, TVector2<float> move) = 0;
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

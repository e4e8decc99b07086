#pragma once
// An axis-aligned box collider, 2*width by 2*height around its centre. A box turned
// by 90/180/270 degrees is folded into an unrotated box at Start; any other angle
// makes it a slope that movers stand on and walk up.
#include <memory>

#include "physics/Collider.h"

// The walkable surface of a rotated box, built once from the box's place at Start.
struct BoxSlope {
    TVector2<float> direction;  // unit vector along the surface
    TVector2<float> normal;     // (direction.y, -direction.x)
    TVector2<float> point0;     // ends of the walkable range
    TVector2<float> point1;
    bool firstEdge = false;     // which edge the surface runs along (selects the range test)

    // Null when the surface has no length (a flat, zero-sized edge): the box stays flat.
    static std::unique_ptr<BoxSlope> Build(float centreX, float centreY, float width, float height,
                                           float degrees);
};

class BoxCollider : public Collider {
public:
    explicit BoxCollider(int32_t objectID);
    // Collider keys plus "width" and "height" (half sizes).
    explicit BoxCollider(const JsonValue& json);
    BoxCollider(const BoxCollider& other);

    void Awake() override;
    // Finds the Transform, then folds the rotation (reduced into [0, 360) first).
    void Start() override;
    Component* Clone() const override;

    bool Collide(Collider* other, TVector2<float> move) override;
    bool TouchesTopAt(const Place& self, Collider* mover, const Place& m, TVector2<float> move) override;
    bool TouchesLeftSideAt(const Place& self, Collider* mover, const Place& m, TVector2<float> move) override;
    bool TouchesRightSideAt(const Place& self, Collider* mover, const Place& m, TVector2<float> move) override;
    // width and height, or both the larger of the two while the box is rotated.
    bool ReachesEveryHeight() const override { return slope != nullptr; }
    float GetExtentX() const override;
    float GetExtentY() const override;
    void SetSize(float w, float h) override;

    float width = 0.0f;
    float height = 0.0f;
    std::unique_ptr<BoxSlope> slope;

private:
    bool TouchesSlopeTop(Collider* mover, const Place& m, TVector2<float> move);
    // Runs the slope's top test with the mover put at newX for the duration of the test.
    void SlopeTestAt(Collider* mover, float newX, TVector2<float> move, float k);
};

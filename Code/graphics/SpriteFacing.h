#pragma once
// A component that tells which way its object faces. The sprite pass mirrors the
// picture of an object whose first such component faces left.
class SpriteFacing {
public:
    virtual bool FacesLeft() const = 0;

protected:
    SpriteFacing() = default;
    SpriteFacing(const SpriteFacing&) = default;
    SpriteFacing& operator=(const SpriteFacing&) = default;
    ~SpriteFacing() = default;
};

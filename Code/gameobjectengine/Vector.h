#pragma once
// Small polymorphic vector values. TVector3 derives TVector2; Normalize goes through
// the virtual magnitude and division, so on a TVector3 it normalises all three parts.
#include <cmath>

template <typename T>
class TVector2 {
public:
    TVector2() = default;
    TVector2(T x_, T y_) : x(x_), y(y_) {}
    TVector2(const TVector2&) = default;
    TVector2& operator=(const TVector2&) = default;
    virtual ~TVector2() = default;

    virtual T Magnitude() const { return std::sqrt(x * x + y * y); }
    virtual T SqrMagnitude() const { return x * x + y * y; }
    // A zero vector stays as it is (no division by zero).
    virtual void Normalize() {
        const T length = Magnitude();
        if (length == T(0)) return;
        *this /= length;
    }
    virtual void operator*=(T s) { x *= s; y *= s; }
    virtual void operator/=(T s) { x /= s; y /= s; }

    T x{};
    T y{};
};

template <typename T>
class TVector3 : public TVector2<T> {
public:
    TVector3() = default;
    TVector3(T x_, T y_, T z_) : TVector2<T>(x_, y_), z(z_) {}

    T Magnitude() const override { return std::sqrt(SqrMagnitude()); }
    T SqrMagnitude() const override { return (this->x * this->x + this->y * this->y) + z * z; }
    void operator*=(T s) override { this->x *= s; this->y *= s; z *= s; }
    void operator/=(T s) override { this->x /= s; this->y /= s; z /= s; }

    T z{};
};

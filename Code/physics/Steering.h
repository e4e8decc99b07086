#pragma once
// What navigation steers: a unit that walks and jumps with its object's body. The
// agent reads whether it may steer or turn the unit now and writes its walking
// direction and its jump requests.
#include <cstdint>

class Rigidbody;

class Steering {
public:
    // Busy with an action of its own (casting, recovering): not steered at all.
    virtual bool SteeringHeld() const = 0;
    // Locked or frozen: it may be told to walk but keeps facing the same way.
    virtual bool FacingLocked() const = 0;
    // A jump is requested already, or the unit has not landed since its last one.
    virtual bool JumpUnderway() const = 0;
    virtual void RequestJump() = 0;
    // -1 left, 0 still, +1 right.
    virtual void SetMoveDirection(int32_t direction) = 0;
    // The body it moves with, or null.
    virtual Rigidbody* SteeredBody() const = 0;

protected:
    Steering() = default;
    Steering(const Steering&) = default;
    Steering& operator=(const Steering&) = default;
    ~Steering() = default;
};

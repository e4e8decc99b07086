#pragma once
// An edge of an animator's state machine: from the node that lists it to `next`,
// guarded by one comparison of a parameter with a constant.
#include <cstdint>
#include <string>

#include "animationmanager/AnimatorParameter.h"
#include "gameobjectengine/JsonRead.h"

class Animator;
class AnimationNode;

class AnimationTransition {
public:
    // Animator states in which a transition can be tested (`checkFrequency`).
    static constexpr uint32_t WhilePlaying = 0;
    static constexpr uint32_t WhenFinished = 1;

    AnimationTransition() = default;
    // Reads one element of the animator's "transitions" array. The guard parameter is
    // looked up in `owner` at once (its "params" are complete by now); the target node
    // is linked by name after the whole object is read (Animator::LinkTransition).
    AnimationTransition(const JsonValue& element, Animator* owner);

    // Whether the guard holds right now (an unguarded transition always holds).
    // Does not look at `next` or `checkFrequency`.
    bool GuardHolds() const;

    std::string name = "DefaultName";
    AnimationNode* next = nullptr;
    uint32_t checkFrequency = WhenFinished;
    int32_t comparison = 2;
    AnimatorParameter* paramPtr = nullptr;  // the guard; null = none
    ParamCell condition;                    // in the guard's type
    Animator* animator = nullptr;
};

#pragma once
// One animation of an animator: the cells from (startX, startY) to (endPosX, endPosY)
// of the sprite's n x n sheet, shown row by row, each row from startX to endPosX.
#include <cstdint>
#include <string>
#include <vector>

#include "animationmanager/AnimatorParameter.h"
#include "gameobjectengine/JsonRead.h"

class Animator;
class AnimationTransition;

class AnimationNode {
public:
    AnimationNode() = default;
    // Reads one element of the animator's "nodes" array; the toggle parameters and the
    // listed transitions are looked up in `owner` at once.
    AnimationNode(const JsonValue& element, Animator* owner);
    // A looping node built by code; no transitions, no toggles. Note the order: both
    // starts, then both ends.
    AnimationNode(Animator* owner, std::string name, float startX, float startY, float endPosX, float endPosY,
                  float framesPerSec);

    // The transition test for the animator's current state: drops null entries from
    // `transitions` (order kept), then returns the target of the first transition that
    // is tested in `state`, whose guard holds and that has a target. Before returning it
    // writes this node's end toggle. Null when nothing fires.
    AnimationNode* CheckTransitions(uint32_t state);

    // The parameter writes on entering and leaving; nothing when the toggle is off or
    // its parameter does not exist.
    void WriteStartToggle() const;
    void WriteEndToggle() const;

    std::string name = "DefaultName";
    float startX = 0.0f;
    float endPosX = 0.0f;
    float startY = 0.0f;
    float endPosY = 0.0f;
    float framesPerSec = 0.0f;  // seconds each cell is shown (0: one cell per frame)
    bool repeats = false;
    Animator* animator = nullptr;
    std::vector<AnimationTransition*> transitions;  // outgoing edges in test order
    bool startToggle = false;
    bool endToggle = false;
    AnimatorParameter* startParam = nullptr;
    ParamCell startData;
    AnimatorParameter* endParam = nullptr;
    ParamCell endData;
};

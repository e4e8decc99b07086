#pragma once
// Sprite-sheet animation of one object: shows one cell of the current node on the
// object's SpriteRenderer every frame, advances the cell when the node's display time
// has passed, and switches nodes when a transition of the current node fires.
//
// Gameplay steers it only through parameters: GetParameter("Attack") then SetBool(true);
// a dying unit waits until GetParameter("Dying")->IsSet() turns false. A name the data do
// not declare yields null, and the caller then does nothing.
//
// The three lists own their records, which point into one another; they are deques,
// so appending never moves a record and the pointers stay valid however long a file is.
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

#include "animationmanager/AnimationNode.h"
#include "animationmanager/AnimationTransition.h"
#include "animationmanager/AnimatorParameter.h"
#include "gameobjectengine/Component.h"
#include "gameobjectengine/Handle.h"

class SpriteRenderer;

class Animator : public Component {
public:
    // Animator states (`animationState`).
    static constexpr uint32_t Playing = 0;
    static constexpr uint32_t Finished = 1;  // a non-repeating node holds its last cell

    // Code default: empty lists, no node, no renderer. The adding code appends its
    // nodes and calls SetCurrentNode before Start runs.
    explicit Animator(int32_t objectID);
    // "currentTime", "animationState", "params", "transitions", "nodes", "initialNode"
    // (absent or unknown: the first node).
    explicit Animator(const JsonValue& json);
    Animator& operator=(const Animator&) = delete;
    ~Animator() override = default;

    // Joins the animator registry.
    void Awake() override;
    // Finds the object's SpriteRenderer and shows the current node's first cell.
    void Start() override;
    // One frame of playback (nothing while paused, without a node or without a renderer).
    void Update() override;
    // Leaves the animator registry.
    void OnDestroy() override;
    // A heap copy of the lists (pointers remapped into the copy's own lists), the
    // initial node name, state and time; no renderer and no current node.
    Component* Clone() const override;

    // First record of that exact name, else null.
    AnimatorParameter* GetParameter(std::string_view name);
    AnimationNode* GetNode(std::string_view name);
    AnimationTransition* GetTransition(std::string_view name);

    // Sets the target of the first transition named `transitionName` to the first node
    // named `nodeName` (null when there is none). Queued by the transition reader.
    void LinkTransition(const std::string& transitionName, const std::string& nodeName);

    // Makes `node` current: state Playing, the renderer's cell at the node's first cell,
    // its start toggle written. The accumulated time is kept.
    void SetCurrentNode(AnimationNode* node);

    std::deque<AnimatorParameter> params;
    std::deque<AnimationNode> nodes;
    std::deque<AnimationTransition> transitions;
    std::string initialNode;
    Handle<SpriteRenderer> spriteRenderer;  // the object's sprite (Start finds it); reads null once gone
    uint32_t animationState = Playing;
    AnimationNode* currentNode = nullptr;
    float currentTime = 0.0f;

private:
    Animator(const Animator& other);  // Clone only
    // Moves the renderer one cell along the current node, wrapping rows.
    void AdvanceCell(SpriteRenderer& sprite);
};

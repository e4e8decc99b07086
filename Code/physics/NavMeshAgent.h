#pragma once
// Walks a computer-controlled unit toward a target point over its own copy of the
// navigation grid: a best-first search for a path of cells (every 60th MoveTo call),
// then one frame of steering per call: move direction, facing, a jump request when
// the next cell lies well above, and dropping each cell once it counts as reached.
//
// Positions: a unit's feet (and a target's) are 100 px below its Transform.
#include <cstdint>
#include <vector>

#include "gameobjectengine/Component.h"
#include "physics/NavGrid.h"
#include "physics/Steering.h"

class Transform;

class NavMeshAgent : public Component {
public:
    static constexpr int32_t kRepathCalls = 60;
    static constexpr float kFeetOffset = 100.0f;
    static constexpr float kReachDistance = 50.0f;

    explicit NavMeshAgent(int32_t objectID);
    // No keys of its own; queues the look-ups of its Transform and steered unit.
    explicit NavMeshAgent(const JsonValue& json);
    NavMeshAgent(const NavMeshAgent& other);
    NavMeshAgent& operator=(const NavMeshAgent&) = delete;

    // Fills the look-ups that are still missing, then prepares the grid.
    void Start() override;
    // Everything copied (grid and lists rebased onto the copy), transform and unit cleared.
    Component* Clone() const override;

    // Copies the grid and seeds the search state from the agent's position.
    void SetGrid(const NavGrid& source);
    // One frame of steering toward the pixel point (x, y); nothing while the unit is
    // casting or recovering, or without a unit or Transform.
    void MoveTo(int32_t x, int32_t y);
    // The search from the unit's feet to the target's feet; rebuilds `path`.
    void FindPath(int32_t x, int32_t y);

    // The search's list operations. Membership is kept as per-node marks.
    NavNode* LowestCostNode() const;
    void RemoveFromOpen(NavNode* node);
    bool InOpen(const NavNode* node) const { return openMark_[Index(node)] == openStamp_; }
    bool InClosed(const NavNode* node) const { return closedMark_[Index(node)] == closedStamp_; }
    bool InPath(const NavNode* node) const { return pathMark_[Index(node)] == pathStamp_; }

    Transform* transform = nullptr;
    Steering* unit = nullptr;  // the object's steered unit (its CombatUnit)
    std::vector<NavNode*> openList;
    std::vector<NavNode*> closedList;
    std::vector<NavNode*> path;  // from the first cell after the start to the goal
    int32_t repathCounter = kRepathCalls;
    NavNode* start = nullptr;
    NavNode* goal = nullptr;
    NavGrid grid;

private:
    std::size_t Index(const NavNode* node) const { return static_cast<std::size_t>(grid.IndexOf(node)); }
    void ResetMarks();
    void ClearOpen();
    void ClearClosed();
    void ClearPath();
    void PushOpen(NavNode* node, bool front);
    void ComputeCosts();
    void RebuildPath(NavNode* last);
    void Steer();
    bool CanRequestJump() const;
    NavNode* Rebased(const NavNode* node, const NavMeshAgent& from);

    // Stamps: a node is in a list while its mark equals the list's stamp.
    std::vector<uint32_t> openMark_, closedMark_, pathMark_;
    uint32_t openStamp_ = 1, closedStamp_ = 1, pathStamp_ = 1;
};

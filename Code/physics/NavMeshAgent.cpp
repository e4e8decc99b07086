#include "physics/NavMeshAgent.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/Transform.h"
#include "physics/Collider.h"
#include "physics/Rigidbody.h"

NavMeshAgent::NavMeshAgent(int32_t objectID) : Component(objectID) { ResetMarks(); }

NavMeshAgent::NavMeshAgent(const JsonValue& json) : Component(json) {
    ResetMarks();
    QueueFetchComponent(this, owner, &transform);
    QueueFetchComponent(this, owner, &unit);
}

NavMeshAgent::NavMeshAgent(const NavMeshAgent& other)
    : Component(other),
      repathCounter(other.repathCounter),
      grid(other.grid),
      openMark_(other.openMark_),
      closedMark_(other.closedMark_),
      pathMark_(other.pathMark_),
      openStamp_(other.openStamp_),
      closedStamp_(other.closedStamp_),
      pathStamp_(other.pathStamp_) {
    auto rebase = [&](const std::vector<NavNode*>& from, std::vector<NavNode*>& to) {
        to.reserve(grid.nodes.size());
        for (NavNode* node : from) to.push_back(Rebased(node, other));
    };
    rebase(other.openList, openList);
    rebase(other.closedList, closedList);
    rebase(other.path, path);
    start = Rebased(other.start, other);
    goal = Rebased(other.goal, other);
}

NavNode* NavMeshAgent::Rebased(const NavNode* node, const NavMeshAgent& from) {
    return grid.Rebase(node, from.grid);
}

Component* NavMeshAgent::Clone() const { return new NavMeshAgent(*this); }

void NavMeshAgent::ResetMarks() {
    const std::size_t n = grid.nodes.size();
    openMark_.assign(n, 0);
    closedMark_.assign(n, 0);
    pathMark_.assign(n, 0);
    // Reserved once, so searches never allocate.
    openList.reserve(n);
    closedList.reserve(n);
    path.reserve(n);
}

void NavMeshAgent::ClearOpen() {
    openList.clear();
    ++openStamp_;
}

void NavMeshAgent::ClearClosed() {
    closedList.clear();
    ++closedStamp_;
}

void NavMeshAgent::ClearPath() {
    path.clear();
    ++pathStamp_;
}

void NavMeshAgent::PushOpen(NavNode* node, bool front) {
    if (front) openList.insert(openList.begin(), node);
    else openList.push_back(node);
    openMark_[Index(node)] = openStamp_;
}

void NavMeshAgent::Start() {
    if (owner) {
        if (!transform) transform = owner->GetComponent<Transform>();
        if (!unit) unit = owner->GetComponent<Steering>();
    }
    SetGrid(grid);
}

void NavMeshAgent::SetGrid(const NavGrid& source) {
    const bool reshaped = source.nodes.size() != grid.nodes.size();
    grid = source;  // safe for our own grid
    if (reshaped) {
        // The old node array is gone: nothing may keep pointing into it.
        openList.clear();
        closedList.clear();
        path.clear();
        start = goal = nullptr;
        ResetMarks();
    }
    if (!transform) return;
    start = grid.GetNodeAt(transform->x, transform->y);
    goal = grid.At(0, 0);
    if (!start || !goal) return;
    PushOpen(start, true);
    ComputeCosts();
}

void NavMeshAgent::ComputeCosts() {
    for (NavNode& node : grid.nodes) {
        const float toGoal = static_cast<float>(std::abs(node.row - goal->row) + std::abs(node.column - goal->column));
        const float fromStart =
            static_cast<float>(std::abs(node.row - start->row) + std::abs(node.column - start->column));
        node.h = toGoal * node.weight;
        // Fixed costs: the travelled distance is never updated, so cells are ordered by
        // distance from the start plus twice the distance to the goal.
        node.f = fromStart * node.weight + toGoal * node.weight + node.h;
    }
}

NavNode* NavMeshAgent::LowestCostNode() const {
    if (openList.empty()) return nullptr;
    NavNode* best = openList.front();
    for (std::size_t i = 1; i < openList.size(); ++i) {
        NavNode* node = openList[i];
        if (node->f < best->f && !InClosed(node) && node->passable) best = node;
    }
    return best;
}

void NavMeshAgent::RemoveFromOpen(NavNode* node) {
    auto it = std::find(openList.begin(), openList.end(), node);
    if (it == openList.end()) return;
    openList.erase(it);
    openMark_[Index(node)] = 0;
}

void NavMeshAgent::FindPath(int32_t x, int32_t y) {
    if (!unit || !transform) return;
    ClearOpen();
    ClearClosed();
    start = grid.GetNodeAt(transform->x, transform->y + kFeetOffset);
    goal = grid.GetNodeAt(static_cast<float>(x), static_cast<float>(y) + kFeetOffset);
    if (!start || !goal) return;
    ComputeCosts();
    PushOpen(start, true);

    NavNode* cur = nullptr;
    while (!openList.empty()) {
        cur = LowestCostNode();
        if (cur->passable) {
            closedList.push_back(cur);
            closedMark_[Index(cur)] = closedStamp_;
        }
        RemoveFromOpen(cur);
        if (InClosed(goal)) break;
        NavNode* neighbours[4] = {grid.At(cur->column + 1, cur->row), grid.At(cur->column - 1, cur->row),
                                  grid.At(cur->column, cur->row + 1), grid.At(cur->column, cur->row - 1)};
        for (NavNode* next : neighbours) {
            if (!next || !next->passable || InOpen(next) || InClosed(next)) continue;
            next->parent = cur;
            PushOpen(next, false);
        }
    }
    RebuildPath(cur);
}

void NavMeshAgent::RebuildPath(NavNode* last) {
    ClearPath();
    // Each step of the chain is a distinct cell, so the walk is bounded by the grid size.
    for (NavNode* node = last; node && node != start && path.size() < grid.nodes.size(); node = node->parent) {
        if (InPath(node)) continue;
        path.push_back(node);
        pathMark_[Index(node)] = pathStamp_;
    }
    std::reverse(path.begin(), path.end());
}

void NavMeshAgent::MoveTo(int32_t x, int32_t y) {
    if (!unit || !transform) return;
    if (unit->SteeringHeld()) return;
    if (repathCounter >= kRepathCalls) {
        repathCounter = 0;
        FindPath(x, y);
    }
    Steer();
    ++repathCounter;
}

bool NavMeshAgent::CanRequestJump() const {
    const Rigidbody* body = unit->SteeredBody();
    if (!body || !body->collider) return false;
    return body->collider->grounded && !unit->JumpUnderway();
}

void NavMeshAgent::Steer() {
    if (path.empty()) return;
    NavNode* next = path.front();
    const float dx = next->worldX - transform->x;
    const float dy = next->worldY - (transform->y + kFeetOffset);
    // |dx + dy|, not |dx| + |dy|: a cell diagonally away can count as reached.
    const float d = std::fabs(dx + dy);
    if (d <= kReachDistance) {
        unit->SetMoveDirection(0);
        pathMark_[Index(next)] = 0;
        path.erase(path.begin());
        return;
    }
    if (dy < -kReachDistance && CanRequestJump()) unit->RequestJump();
    const bool mayTurn = !unit->FacingLocked();
    Rigidbody* body = unit->SteeredBody();
    if (dx > kReachDistance) {
        unit->SetMoveDirection(1);
        if (mayTurn && body) body->facing = 1;
    } else if (dx < -kReachDistance) {
        unit->SetMoveDirection(-1);
        if (mayTurn && body) body->facing = 0;
    }
}

// The navigation grid and agent: clamping, searches, steering, jump requests, the
// repath rhythm and the states that freeze it.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "combat/CombatUnit.h"
#include "gameobjectengine/Transform.h"
#include "physics/CircleCollider.h"
#include "physics/NavMeshAgent.h"
#include "physics/Rigidbody.h"
#include "support/EngineHarness.h"

using Combat::CombatUnit;

namespace {

TEST(NavGridTest, ClampsIntoTheGrid) {
    NavGrid grid;
    NavNode* far = grid.GetNode(8040, 1520);
    EXPECT_EQ(far->column, 159);
    EXPECT_EQ(far->row, 29);
    NavNode* before = grid.GetNode(-30, 20);
    EXPECT_EQ(before->column, 0);
    EXPECT_EQ(before->row, 0);
    NavNode* cell = grid.GetNode(120, 510);
    EXPECT_EQ(cell->column, 2);
    EXPECT_EQ(cell->row, 10);
    EXPECT_EQ(cell->worldX, 100.0f);
    EXPECT_EQ(cell->worldY, 500.0f);
    // Float points far outside (or not numbers) are clamped before any conversion.
    EXPECT_EQ(grid.GetNodeAt(1e30f, -1e30f), grid.At(159, 0));
    EXPECT_EQ(grid.GetNodeAt(std::numeric_limits<float>::quiet_NaN(), 1e9f), grid.At(0, 29));
}

TEST(NavGridTest, CopiesRebaseParentsOntoTheirOwnNodes) {
    NavGrid a;
    a.At(3, 3)->parent = a.At(2, 3);
    NavGrid b(a);
    EXPECT_EQ(b.At(3, 3)->parent, b.At(2, 3));
    NavGrid& same = b;
    b = same;  // self-assignment keeps everything
    EXPECT_EQ(b.At(3, 3)->parent, b.At(2, 3));
    EXPECT_EQ(b.nodes.size(), 4800u);
}

struct Agent : ::testing::Test {
    EngineHarness engine;
    Transform* transform = nullptr;
    CombatUnit* unit = nullptr;
    Rigidbody* body = nullptr;
    NavMeshAgent* agent = nullptr;

    void SetUp() override {
        engine.LoadSceneText(R"({"GameObjects": [], "Components": [], "Dialogue": []})");
        GameObject* o = SceneManager::GetInstance().CreateGameObject("Enemy");
        transform = o->AddComponent<Transform>();
        transform->x = 100;
        transform->y = 400;  // feet at (100, 500): cell (2, 10)
        o->AddComponent<CircleCollider>()->radius = 10;
        body = o->AddComponent<Rigidbody>();
        body->useGravity = false;
        unit = o->AddComponent<CombatUnit>();
        unit->rigidbody = body;
        agent = o->AddComponent<NavMeshAgent>();
        engine.Step();  // Starts
        body->collider->grounded = true;
    }
    std::vector<std::pair<int, int>> Cells() const {
        std::vector<std::pair<int, int>> cells;
        for (NavNode* n : agent->path) cells.emplace_back(n->column, n->row);
        return cells;
    }
};

TEST_F(Agent, StartSeedsTheSearchState) {
    EXPECT_EQ(agent->transform, transform);
    EXPECT_EQ(agent->unit, unit);
    ASSERT_NE(agent->start, nullptr);
    EXPECT_EQ(agent->start->column, 2);
    EXPECT_EQ(agent->start->row, 8);  // SetGrid uses the Transform position itself
    EXPECT_EQ(agent->goal, agent->grid.At(0, 0));
    EXPECT_EQ(agent->openList.size(), 1u);
}

TEST_F(Agent, SameCellTargetLeavesDirectionAlone) {
    unit->moveDirection = -1;
    agent->MoveTo(110, 410);
    EXPECT_TRUE(agent->path.empty());
    EXPECT_EQ(unit->moveDirection, -1);
}

TEST_F(Agent, PathAlongARowSteersRightUntilEachCellIsReached) {
    body->facing = 0;
    unit->moveDirection = -1;
    agent->MoveTo(300, 400);
    // The path runs along the row; the first cell's corner is only 50 px away, so that
    // call already counts it as reached, drops it and stops the unit.
    const std::vector<std::pair<int, int>> expected = {{4, 10}, {5, 10}, {6, 10}};
    EXPECT_EQ(Cells(), expected);
    EXPECT_EQ(unit->moveDirection, 0);
    agent->MoveTo(300, 400);
    EXPECT_EQ(unit->moveDirection, 1);
    EXPECT_EQ(body->facing, 1u);
    EXPECT_EQ(agent->path.size(), 3u);
    transform->x = 160;  // 40 px from the next corner
    agent->MoveTo(300, 400);
    EXPECT_EQ(unit->moveDirection, 0);
    EXPECT_EQ(agent->path.size(), 2u);
    agent->MoveTo(300, 400);
    EXPECT_EQ(unit->moveDirection, 1);
}

TEST_F(Agent, DiagonalCellCanCountAsReached) {
    agent->FindPath(300, 400);
    ASSERT_FALSE(agent->path.empty());
    NavNode* first = agent->path.front();
    // dx = 100, dy = -100: |dx + dy| = 0.
    transform->x = first->worldX - 100;
    transform->y = first->worldY + 100 - 100;
    agent->repathCounter = 1;
    agent->MoveTo(300, 400);
    EXPECT_EQ(unit->moveDirection, 0);
    EXPECT_NE(agent->path.empty() ? nullptr : agent->path.front(), first);
}

TEST_F(Agent, JumpIsRequestedOnceForAHigherCell) {
    agent->MoveTo(100, 200);  // four cells straight up
    EXPECT_EQ(unit->actionRequests & CombatUnit::kJumpRequest, 0u);  // the first cell counts as reached
    agent->MoveTo(100, 200);
    EXPECT_NE(unit->actionRequests & CombatUnit::kJumpRequest, 0u);
    // Not again while airborne, while a jump is counted, or without a body or collider.
    unit->actionRequests = 0;
    body->collider->grounded = false;
    agent->MoveTo(100, 200);
    EXPECT_EQ(unit->actionRequests, 0u);
    body->collider->grounded = true;
    unit->jumpCount = 1;
    agent->MoveTo(100, 200);
    EXPECT_EQ(unit->actionRequests, 0u);
    unit->jumpCount = 0;
    Collider* collider = body->collider;
    body->collider = nullptr;
    agent->MoveTo(100, 200);
    EXPECT_EQ(unit->actionRequests, 0u);
    body->collider = collider;
    unit->rigidbody = nullptr;
    agent->MoveTo(100, 200);
    EXPECT_EQ(unit->actionRequests, 0u);
}

TEST_F(Agent, SearchesAgainEverySixtiethCall) {
    agent->MoveTo(1000, 400);
    NavNode* firstGoal = agent->goal;
    EXPECT_EQ(agent->repathCounter, 1);
    for (int i = 0; i < 59; ++i) agent->MoveTo(2000, 400);
    EXPECT_EQ(agent->goal, firstGoal);
    agent->MoveTo(2000, 400);
    EXPECT_NE(agent->goal, firstGoal);
    EXPECT_EQ(agent->goal->column, 40);
    EXPECT_EQ(agent->path.back()->column, 40);
}

TEST_F(Agent, CastingOrRecoveringFreezesEverything) {
    for (auto state : {CombatUnit::CASTING, CombatUnit::RECOVERING}) {
        unit->states[state] = 1;
        unit->moveDirection = 0;
        const int counter = agent->repathCounter;
        agent->MoveTo(1000, 400);
        EXPECT_EQ(agent->repathCounter, counter);
        EXPECT_EQ(unit->moveDirection, 0);
        unit->states[state] = 0;
    }
}

TEST_F(Agent, LockedOrFrozenUnitsMoveWithoutTurning) {
    for (auto state : {CombatUnit::MOVEMENT_LOCKED, CombatUnit::FROZEN}) {
        unit->states[state] = 2;  // raised by two overlapping effects
        body->facing = 0;
        agent->repathCounter = NavMeshAgent::kRepathCalls;
        agent->MoveTo(1000, 400);  // drops the adjacent cell
        agent->MoveTo(1000, 400);
        EXPECT_EQ(unit->moveDirection, 1);
        EXPECT_EQ(body->facing, 0u);
        unit->states[state] = 0;
    }
}

TEST_F(Agent, NothingWithoutUnitOrTransform) {
    agent->unit = nullptr;
    agent->MoveTo(1000, 400);
    agent->FindPath(1000, 400);
    EXPECT_TRUE(agent->path.empty());
    agent->unit = unit;
    agent->transform = nullptr;
    agent->MoveTo(1000, 400);
    EXPECT_TRUE(agent->path.empty());
    EXPECT_EQ(unit->moveDirection, 0);
}

TEST_F(Agent, TargetsOutsideTheGridGoToTheBorder) {
    agent->FindPath(100000, -100000);
    ASSERT_FALSE(agent->path.empty());
    EXPECT_EQ(agent->path.back()->column, 159);
    EXPECT_EQ(agent->path.back()->row, 0);
    transform->x = -1e20f;
    agent->FindPath(0, 400);
    EXPECT_EQ(agent->start, agent->grid.At(0, 10));
}

TEST_F(Agent, CloneRebasesEverythingOntoItsOwnGrid) {
    agent->FindPath(300, 400);
    std::unique_ptr<NavMeshAgent> copy(static_cast<NavMeshAgent*>(agent->Clone()));
    EXPECT_EQ(copy->transform, nullptr);
    EXPECT_EQ(copy->unit, nullptr);
    ASSERT_EQ(copy->path.size(), agent->path.size());
    for (NavNode* n : copy->path) {
        EXPECT_GE(n, copy->grid.nodes.data());
        EXPECT_LT(n, copy->grid.nodes.data() + copy->grid.nodes.size());
    }
    EXPECT_EQ(copy->goal, copy->grid.At(6, 10));
}

TEST_F(Agent, AGridOfAnotherSizeDropsWhatPointedIntoTheOldOne) {
    agent->FindPath(1000, 400);
    ASSERT_FALSE(agent->path.empty());
    NavGrid small;
    small.rows = 2;
    small.columns = 3;
    small.nodes.resize(6);
    agent->SetGrid(small);
    EXPECT_TRUE(agent->path.empty());
    EXPECT_TRUE(agent->closedList.empty());
    ASSERT_EQ(agent->openList.size(), 1u);
    EXPECT_EQ(agent->openList.front(), agent->start);
    EXPECT_GE(agent->start, agent->grid.nodes.data());
    EXPECT_LT(agent->start, agent->grid.nodes.data() + 6);
    agent->MoveTo(1000, 400);  // searches the new grid only
    for (NavNode* n : agent->path) EXPECT_LT(n, agent->grid.nodes.data() + 6);
}

TEST_F(Agent, LongSearchesStayOrdered) {
    transform->x = 10;
    transform->y = 1300;
    agent->FindPath(7990, -100);
    ASSERT_FALSE(agent->path.empty());
    EXPECT_EQ(agent->path.back(), agent->grid.At(159, 0));
    // Every step is to a 4-neighbour of the previous cell.
    NavNode* previous = agent->start;
    for (NavNode* n : agent->path) {
        EXPECT_EQ(std::abs(n->column - previous->column) + std::abs(n->row - previous->row), 1);
        previous = n;
    }
}

}  // namespace

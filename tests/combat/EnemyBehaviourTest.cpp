// Enemy behaviour: patrol legs, noticing a hero by its real distance, the chase (and
// the enemy's AI attacking once in range), giving up when the hero is gone.
#include <gtest/gtest.h>

#include "ControllerScene.h"

using namespace controllertest;
using Combat::CombatUnit;

namespace {

struct Enemies : ::testing::Test {
    EngineHarness engine;
    Fighters f{engine};

    // Thief led at (500, 850), Mage following at (300, 850) unless `mage` is false; the
    // enemy "Brute" at (1500, 850) with the given behaviour keys.
    void Load(const std::string& behaviour, bool mage = true) {
        SceneText s;
        s.Floor(0, 4000, 950);
        s.Hero("Thief", 500, 850);
        if (mage) s.Hero("Mage", 300, 850);
        s.Enemy("Brute", 1500, 850, behaviour);
        engine.LoadSceneText(s.Json());
    }
    EnemyBehaviour* Brute() const { return f.Behaviour("Brute"); }
};

TEST_F(Enemies, PatrolWalksBetweenTheWaypoints) {
    Load(R"("waypoint1X": 2500, "waypoint1Y": 850, "waypoint2X": 1000, "waypoint2Y": 850, "waypoint2Z": 7)");
    EXPECT_EQ(Brute()->patrolLeg, 1);
    const float start = f.Place("Brute")->x;
    engine.Step(120);
    EXPECT_GT(f.Place("Brute")->x, start + 200);  // toward waypoint 1
    // One leg is resetTime (3.0) counted in 0.016 steps: the 188th update flips it.
    Brute()->patrolTimer = 0;
    for (int i = 0; i < 187; ++i) Brute()->Update();
    EXPECT_EQ(Brute()->patrolLeg, 1);
    Brute()->Update();
    EXPECT_EQ(Brute()->patrolLeg, 0);
    const float turn = f.Place("Brute")->x;
    engine.Step(240);  // the agent searches anew within 60 updates
    EXPECT_LT(f.Place("Brute")->x, turn - 200);  // back toward waypoint 2
    EXPECT_EQ(Brute()->state, EnemyBehaviour::kPatrol);
}

// The aggro test measures dx^2 + dy^2: a hero far off on a diagonal goes unnoticed.
TEST_F(Enemies, NoticesTheNearerHeroWithinRange) {
    struct Row {
        float leaderDx, leaderDy, partnerDx, partnerDy, range;
        bool mage;
        int state;
        bool targetIsLeader;
    };
    const Row rows[] = {
        {200, -200, 1000, 0, 50, true, 0, true},   // on the diagonal, far away
        {30, 30, 1000, 0, 50, true, 1, true},      // 1800 < 2500
        {35, 0, 1000, 0, 35, true, 0, true},       // exactly the range: no
        {100, 0, -100, 0, 300, true, 1, false},    // a tie goes to the follower
        {100, 0, 50, 0, 300, true, 1, false},
        {50, 0, 100, 0, 300, true, 1, true},
        {100, 0, 0, 0, 300, false, 1, true},       // no follower: only the leader counts
        {1000, 0, 0, 0, 0, true, 0, true},         // no range: never
    };
    for (const Row& row : rows) {
        Load("\"aggroRange\": " + Num(row.range), row.mage);
        f.Move("Thief", 1500 + row.leaderDx, 850 + row.leaderDy);
        if (row.mage) f.Move("Mage", 1500 + row.partnerDx, 850 + row.partnerDy);
        Brute()->Update();
        SCOPED_TRACE(std::to_string(row.leaderDx) + "," + std::to_string(row.leaderDy));
        EXPECT_EQ(Brute()->state, row.state);
        EXPECT_EQ(Brute()->targetIsLeader, row.targetIsLeader);
        EXPECT_EQ(f.Unit("Brute")->HasState(CombatUnit::CHASING), row.state == 1);
    }
}

TEST_F(Enemies, ChasesAttacksAndGivesUpWhenTheHeroIsGone) {
    Load(R"("aggroRange": 700, "waypoint1X": 0, "waypoint1Y": 850)", false);
    CombatUnit* brute = f.Unit("Brute");
    bool attacked = false;
    for (int frame = 0; frame < 300 && !attacked; ++frame) {
        engine.Step();
        attacked = brute->HasState(CombatUnit::CASTING);
    }
    EXPECT_EQ(Brute()->state, EnemyBehaviour::kChase);
    EXPECT_TRUE(attacked);
    EXPECT_LT(f.Place("Brute")->x - f.Place("Thief")->x, 200.0f);
    engine.Step(20);  // cast over
    brute->moveDirection = -1;
    SceneManager::GetInstance().DestroyGameObjectNow(engine.Find("Thief")->id);
    engine.Step(5);
    EXPECT_EQ(brute->moveDirection, 0);
    EXPECT_FALSE(brute->HasState(CombatUnit::CASTING));
}

// With nobody to see, nobody is noticed: the enemy patrols on.
TEST_F(Enemies, MissingHeroesAndPartsAreSkipped) {
    Load(R"("aggroRange": 5000)", false);
    SceneManager::GetInstance().DestroyGameObjectNow(engine.Find("Thief")->id);
    engine.Step(3);
    EXPECT_EQ(Brute()->state, EnemyBehaviour::kPatrol);
    EXPECT_GT(Brute()->patrolTimer, 0.0f);
    // A follower without a unit counts as no follower (not as one standing on the enemy).
    Load(R"("aggroRange": 500)");
    f.AI("Mage")->unit = nullptr;
    Brute()->Update();
    EXPECT_EQ(Brute()->state, EnemyBehaviour::kPatrol);
    // A behaviour without a unit still notices (no CHASING to write); without a body it waits.
    Load(R"("aggroRange": 5000)");
    Brute()->unit = nullptr;
    Brute()->Update();
    EXPECT_EQ(Brute()->state, EnemyBehaviour::kChase);
    Brute()->state = EnemyBehaviour::kPatrol;
    Brute()->rigidbody = nullptr;
    Brute()->Update();
    EXPECT_EQ(Brute()->state, EnemyBehaviour::kPatrol);
}

}  // namespace

// The AI controller's four roles: the following hero (walking to the leader over the
// grid, fighting enemies near it), enemies, the final boss's phases and the laser boss;
// the enemy list's lifetime and the game-state bits that stop each controller.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "CombatFixture.h"
#include "ControllerScene.h"
#include "animationmanager/Animator.h"
#include "animationmanager/AnimatorParameter.h"
#include "combat/EffectBasic.h"
#include "combat/EffectList.h"
#include "combat/Party.h"
#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/InputManager.h"
#include "particles/BossParticleEmitter.h"

using namespace controllertest;
using Combat::CombatUnit;

namespace {

// A few bool parameters for the bosses' attack animations.
const char* const kBossAnimator =
    R"("params": [{"info": 0, "name": "Weapon0", "bool": 0}, {"info": 0, "name": "Weapon1", "bool": 0},
                  {"info": 0, "name": "Weapon2", "bool": 0}, {"info": 0, "name": "Weapon3", "bool": 0}],
       "nodes": [{"name": "Idle", "startX": 0, "startY": 0, "endPosX": 0, "endPosY": 0}])";

struct AIControl : ::testing::Test {
    EngineHarness engine;
    Fighters f{engine};

    // Thief led at (500, 850), Mage following; `fighter` adds one more unit at (1000, 850).
    void Load(const std::function<void(SceneText&)>& fighter = nullptr, bool heroes = true) {
        SceneText s;
        s.Floor(0, 4000, 950);
        if (heroes) {
            s.Hero("Thief", 500, 850);
            s.Hero("Mage", 300, 850);
        }
        if (fighter) fighter(s);
        engine.LoadSceneText(s.Json());  // loaded and started; the tests run the updates they need
    }
    // Whether the unit started weapon `index` in this update.
    static bool Cast(const CombatUnit* unit, int index) {
        return unit->HasState(CombatUnit::CASTING) && unit->currentWeaponIndex == index;
    }
    bool Param(const std::string& unit, const char* name) {
        return engine.Get<Animator>(unit)->GetParameter(name)->IsSet();
    }
    void Block(const std::string& unit, std::initializer_list<int> weapons) {
        for (int w : weapons) f.Unit(unit)->weapons[static_cast<std::size_t>(w)]->cooldown = 1e9f;
    }
};

TEST_F(AIControl, FollowerWalksToTheLeaderAndJumpsToHigherCells) {
    SceneText s;
    s.Floor(0, 4000, 950);
    s.Hero("Thief", 1800, 850);
    s.Hero("Mage", 300, 850);
    engine.LoadSceneText(s.Json());
    auto distanceSq = [&] {
        const float dx = f.Place("Thief")->x - f.Place("Mage")->x, dy = f.Place("Thief")->y - f.Place("Mage")->y;
        return dx * dx + dy * dy;
    };
    engine.Step(480);  // 1200 px at 250 px/s
    EXPECT_LE(distanceSq(), 300.0f * 300.0f);
    EXPECT_GT(distanceSq(), 200.0f * 200.0f);    // it stops once near
    EXPECT_EQ(f.Unit("Mage")->moveDirection, 0);
    // The leader up in the air, 450 px above: the path leads up and the follower jumps.
    Rigidbody* leader = f.Body("Thief");
    leader->useGravity = false;
    leader->isKinematic = true;
    const float ground = f.Place("Mage")->y;
    f.Move("Mage", 1000, ground);  // on a cell's edge, so the cell straight above counts as reached
    f.Move("Thief", 1000, ground - 450);
    engine.Get<NavMeshAgent>("Mage")->repathCounter = NavMeshAgent::kRepathCalls;  // search now
    float highest = ground;
    for (int frame = 0; frame < 120; ++frame) {
        engine.Step();
        highest = std::min(highest, f.Place("Mage")->y);
    }
    EXPECT_LT(highest, ground - 100);
}

TEST_F(AIControl, FollowerKeepsItsPlaceWithin300Pixels) {
    Load();
    NavMeshAgent* agent = engine.Get<NavMeshAgent>("Mage");
    for (float dx : {300.0f, 301.0f}) {
        f.Move("Mage", 500 - dx, 850);
        const int32_t calls = agent->repathCounter;
        f.AI("Mage")->Update();
        EXPECT_EQ(agent->repathCounter != calls, dx > 300) << dx;  // the agent was asked
    }
}

TEST_F(AIControl, FollowerFightsTheEnemiesNearIt) {
    struct Row { const char* partner; float enemyDx; bool alive; bool attacks; bool approaches; uint32_t facing; };
    const Row rows[] = {
        {"Mage", 150, true, true, false, 1},    {"Mage", -150, true, true, false, 0},
        {"Mage", 450, true, true, false, 1},    {"Mage", 500, true, false, false, 1},
        {"Mage", 100, false, false, false, 1},  {"Thief", 199, true, true, false, 1},
        {"Thief", 200, true, false, true, 1},   {"Thief", -300, true, false, true, 1},
    };
    for (const Row& row : rows) {
        Load([](SceneText& s) { s.Enemy("Brute", 1000, 850, "\"aggroRange\": 0"); });
        if (std::string(row.partner) == "Thief") Combat::Party::GetInstance().SwapCharacter();
        const float x = 2000;
        f.Move(row.partner, x, 850);
        f.Move(row.partner == std::string("Mage") ? "Thief" : "Mage", x + 100, 850);  // the leader, near
        f.Move("Brute", x + row.enemyDx, 850);
        f.Unit("Brute")->states[CombatUnit::ALIVE] = row.alive ? 1 : 0;
        f.Body(row.partner)->facing = 1;
        NavMeshAgent* agent = engine.Get<NavMeshAgent>(row.partner);
        const int32_t calls = agent->repathCounter;
        f.AI(row.partner)->Update();
        SCOPED_TRACE(std::string(row.partner) + " " + std::to_string(row.enemyDx));
        EXPECT_EQ(Cast(f.Unit(row.partner), 0), row.attacks);
        EXPECT_EQ(agent->repathCounter != calls, row.approaches);
        if (row.attacks) {
            EXPECT_EQ(f.Body(row.partner)->facing, row.facing);
        }
        EXPECT_EQ(f.Unit(row.partner)->moveDirection, 0);
    }
}

// Enemies attack when either hero is in range and either hero is in front, only from inside the
// view (edges included; the camera at viewX, viewY), and a blow started in view is still released.
TEST_F(AIControl, EnemyAttacksAHeroInRangeAndInFront) {
    struct Row { float leaderDx, partnerDx; uint32_t facing; bool attacks; float viewX = 0, viewY = 0;
                 const char* tag = "Enemy"; };
    const Row rows[] = {
        {100, 1000, 1, true},    {-100, 1000, 0, true},  {-10, 600, 1, true},  // range and front from either hero
        {200, 200, 1, false},    {-100, -600, 1, false}, {100, 1000, 0, false},
        {100, 1000, 1, true, -920}, {100, 1000, 1, false, -921}, {-100, 100, 0, false, 1001},  // right, left edge
        {100, 1000, 1, true, 0, -230}, {100, 1000, 1, false, 0, 851},  // on the bottom edge; above the top
        {100, 100, 1, false, -921, 0, "MagitekBoss"}, {600, 600, 1, false, -921, 0, "Laser Boss"},  // no skill, no beam
        {600, 600, 1, true, -920, 0, "Laser Boss"},
    };
    for (const Row& row : rows) {
        Load([&](SceneText& s) {
            s.Enemy("Brute", 1000, 850, "", 200, row.tag);
            const int view = s.Object("View");
            s.At(view, row.viewX, row.viewY).Add(view, "Camera");
        });
        f.Move("Thief", 1000 + row.leaderDx, 850);
        f.Move("Mage", 1000 + row.partnerDx, 850);
        f.Body("Brute")->facing = row.facing;
        f.AI("Brute")->Update();
        EXPECT_EQ(f.Unit("Brute")->HasState(CombatUnit::CASTING), row.attacks)
            << row.leaderDx << " " << row.partnerDx << " " << row.tag << " " << row.viewX << ", " << row.viewY;
        if (!row.attacks) continue;
        f.Move("View", 5000, 0);  // gone during the cast: released all the same, and nothing new follows
        engine.Step(12);
        EXPECT_EQ(f.Unit("Brute")->currentWeapon, nullptr) << row.tag;
    }
}

TEST_F(AIControl, FinalBossPhases) {
    struct Row {
        int health, maxHealth;
        uint32_t facing;
        float heroDx;
        float range;
        std::initializer_list<int> blocked;
        int weapon;  // -1: nothing cast
        const char* parameter;
    };
    const Row rows[] = {
        {100, 100, 1, 100, 200, {}, 3, "Weapon3"},            // phase 1, hero in front
        {100, 100, 0, 100, 200, {}, 1, "Weapon1"},            // nobody in front
        {49, 100, 1, 100, 200, {}, 4, "Weapon3"},             // phase 2, in front
        {49, 100, 0, 100, 200, {}, 5, "Weapon1"},             // phase 2, weapon 4 not tried
        {50, 100, 1, 100, 200, {}, 3, "Weapon3"},             // half health is still phase 1
        {50, 101, 1, 100, 200, {}, 3, "Weapon3"},
        {100, 100, 1, 100, 200, {1, 3}, 0, "Weapon0"},        // in range
        {100, 100, 1, 600, 200, {1, 3}, 2, "Weapon2"},        // out of range
        {100, 100, 1, 25, 20, {1, 3}, -1, nullptr},           // both within 28 px: nothing more
    };
    for (const Row& row : rows) {
        Load([&](SceneText& s) {
            const int id = s.Enemy("Boss", 1000, 850, "", row.range, "MagitekBoss",
                                   "\"team\": 1, \"currentHealth\": " + std::to_string(row.health) +
                                       ", \"maxHealth\": " + std::to_string(row.maxHealth));
            s.Add(id, "Animator", kBossAnimator);
        });
        EXPECT_NE(engine.Get<BossParticleEmitter>("Boss"), nullptr);
        Block("Boss", row.blocked);
        f.Move("Thief", 1000 + row.heroDx, 850);
        f.Move("Mage", 1000 + row.heroDx, 850);
        f.Body("Boss")->facing = row.facing;
        engine.Get<Animator>("Boss")->GetParameter("Weapon3")->SetBool(true);
        f.AI("Boss")->Update();
        SCOPED_TRACE(std::to_string(row.health) + "/" + std::to_string(row.maxHealth) + " dx " +
                     std::to_string(row.heroDx));
        if (row.weapon < 0) {
            EXPECT_FALSE(f.Unit("Boss")->HasState(CombatUnit::CASTING));
            continue;
        }
        EXPECT_TRUE(Cast(f.Unit("Boss"), row.weapon));
        EXPECT_TRUE(Param("Boss", row.parameter));
        // A weapon 3 refused while idle clears its parameter.
        if (row.weapon != 3 && row.weapon != 4 && row.facing == 1) {
            EXPECT_FALSE(Param("Boss", "Weapon3"));
        }
    }
}

TEST_F(AIControl, LaserBoss) {
    struct Row { float heroDx; uint32_t facing; int weapon; };
    for (const Row& row : {Row{100, 1, 0}, Row{600, 1, 1}, Row{100, 0, -1}}) {
        Load([](SceneText& s) { s.Add(s.Enemy("Laser", 1000, 850, "", 200, "Laser Boss"), "Animator", kBossAnimator); });
        f.Move("Thief", 1000 + row.heroDx, 850);
        f.Move("Mage", 1000 + row.heroDx, 850);
        f.Body("Laser")->facing = row.facing;
        f.AI("Laser")->Update();
        if (row.weapon < 0) EXPECT_FALSE(f.Unit("Laser")->HasState(CombatUnit::CASTING));
        else EXPECT_TRUE(Cast(f.Unit("Laser"), row.weapon)) << row.heroDx;
    }
}

// Without heroes nobody stands at distance 0: enemies and bosses keep still.
TEST_F(AIControl, NoHeroNoAttack) {
    for (const char* tag : {"Enemy", "MagitekBoss", "Laser Boss"}) {
        Load([&](SceneText& s) { s.Enemy("Foe", 1000, 850, "\"aggroRange\": 500", 200, tag); }, false);
        f.AI("Foe")->Update();
        EXPECT_FALSE(f.Unit("Foe")->HasState(CombatUnit::CASTING)) << tag;
    }
}

TEST_F(AIControl, EnemyListBorrowsItsEntries) {
    Load([](SceneText& s) { s.Enemy("Brute", 1000, 850, "\"aggroRange\": 0"); });
    Combat::Party::GetInstance().SwapCharacter();  // the Thief follows
    AIUnitController* thief = f.AI("Thief");
    ASSERT_EQ(thief->EnemyCount(), 1u);
    auto clone = std::unique_ptr<AIUnitController>(static_cast<AIUnitController*>(thief->Clone()));
    thief->AddEnemy(f.Behaviour("Brute"));
    EXPECT_EQ(clone->EnemyCount(), 1u);  // its own list
    f.Move("Thief", 900, 850);
    f.Move("Mage", 950, 850);
    // The enemy's object goes: the entry reads empty and is skipped.
    SceneManager::GetInstance().DestroyGameObjectNow(engine.Find("Brute")->id);
    thief->Update();
    EXPECT_FALSE(f.Unit("Thief")->HasState(CombatUnit::CASTING));
    clone.reset();  // and the copy frees nothing of anyone's
}

TEST_F(AIControl, SummonedEnemiesJoinBothHeroesLists) {
    const std::string prefab = engine.WriteTempFile(R"({"GameObject": [["Minion", 1, "Enemy", 4]], "Components": [
        {"class": "Transform"}, {"class": "CombatUnit", "team": 1}, {"class": "EnemyBehaviour"}]})", ".prefab");
    Load([](SceneText& s) {
        s.Enemy("Boss", 1000, 850, "", 200, "MagitekBoss");
        s.At(s.Object("Spot", "SummonPoint"), 1200, 850);
    });
    ASSERT_EQ(f.AI("Thief")->EnemyCount(), 0u);
    auto summon = combat_test::MakeEffect(R"({"name": "Summon", "effectType": 12, "resolveType": 3, "duration": 10,
        "tickTime": 0, "positionMarkerTag": "SummonPoint", "prefabFilepath": ")" + prefab + "\"}");
    f.Unit("Boss")->effectList->AddEffect(*summon);
    engine.Step(2);
    EXPECT_EQ(f.AI("Thief")->EnemyCount(), 1u);
    EXPECT_EQ(f.AI("Mage")->EnemyCount(), 1u);
    EXPECT_EQ(f.AI("Mage")->enemies[0].Get(), f.Behaviour("Minion"));
}

TEST_F(AIControl, MissingPartsAreSkipped) {
    Load([](SceneText& s) { s.Enemy("Brute", 1000, 850, "\"aggroRange\": 500"); });
    // Switching without a unit only switches.
    for (UnitController* c : std::initializer_list<UnitController*>{f.Player("Thief"), f.AI("Mage")}) {
        CombatUnit* unit = c->unit;
        c->unit = nullptr;
        c->Disable();
        EXPECT_FALSE(c->enabled);
        c->Enable();
        EXPECT_TRUE(c->enabled);
        c->Update();
        c->unit = unit;
    }
    // No agent: the follower does not move; no body: no update at all.
    f.Move("Mage", 2500, 850);
    f.AI("Mage")->navAgent = nullptr;
    f.AI("Mage")->Update();
    f.Unit("Brute")->rigidbody = nullptr;
    f.AI("Brute")->Update();
    EXPECT_FALSE(f.Unit("Brute")->HasState(CombatUnit::CASTING));
}

// Targets far outside the level land on its border cells, however far they are.
TEST_F(AIControl, SteeringTargetsAreClampedToTheGrid) {
    Load();
    NavMeshAgent* agent = engine.Get<NavMeshAgent>("Mage");
    struct Row { float x, y; int column, row; };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (Row r : {Row{1e30f, 1e30f, 159, 29}, Row{-1e30f, -1e30f, 0, 0}, Row{nan, 3e9f, 0, 29}, Row{4025, 1e12f, 80, 29}}) {
        agent->repathCounter = NavMeshAgent::kRepathCalls;
        UnitController::SteerTo(agent, r.x, r.y);
        ASSERT_NE(agent->goal, nullptr);
        EXPECT_EQ(agent->goal->column, r.column) << r.x;
        EXPECT_EQ(agent->goal->row, r.row) << r.y;
    }
}

// Paused, cutscene and game over stop exactly the controllers that list them.
TEST_F(AIControl, GameFlagsStopTheirControllers) {
    Load([](SceneText& s) { s.Enemy("Brute", 3000, 850, "\"resetTime\": 100"); });
    InputManager& input = InputManager::GetInstance();
    struct Row { uint32_t bit; bool player, ai, enemy; };  // whether each still runs
    for (Row row : {Row{GameFlags::Paused, false, false, false}, Row{GameFlags::Cutscene, false, false, false},
                    Row{GameFlags::GameOver, false, true, true}, Row{0, true, true, true}}) {
        GameFlags::word = row.bit;
        f.Unit("Thief")->moveDirection = 0;
        input.current[static_cast<int>(InputAction::Right)] = 1;
        f.Player("Thief")->Update();
        EXPECT_EQ(f.Unit("Thief")->moveDirection == 1, row.player) << row.bit;
        // A dead unit's AI switches itself off in its update.
        AIUnitController* ai = f.AI("Brute");
        ai->enabled = true;
        f.Unit("Brute")->states[CombatUnit::ALIVE] = 0;
        ai->Update();
        EXPECT_EQ(!ai->enabled, row.ai) << row.bit;
        f.Unit("Brute")->states[CombatUnit::ALIVE] = 1;
        const float timer = f.Behaviour("Brute")->patrolTimer;
        f.Behaviour("Brute")->Update();
        EXPECT_EQ(f.Behaviour("Brute")->patrolTimer > timer, row.enemy) << row.bit;
    }
    GameFlags::word = 0;
}

}  // namespace

// The template animators in docs/animation-templates/ follow the authoring rules of
// docs/animation.md and play every cycle of their sheet's row layout.
#include <set>
#include <string>
#include <vector>

#include "AnimatorFixture.h"

namespace {

struct Action {
    const char* param;  // what gameplay sets
    const char* node;
    float row;
    int cells;
};

struct Template {
    const char* file;
    std::vector<Action> actions;  // one-shot rows: played once, then back to Idle
    float knockbackRow;
    float dyingRow;
    bool jumps;
    bool dashes;
};

const Template kTemplates[] = {
    {"docs/animation-templates/Hero.json", {{"Attack", "Attack", 3, 6}}, 7, 8, true, true},
    {"docs/animation-templates/Enemy.json", {{"Attack", "Attack", 3, 6}}, 5, 6, true, false},
    {"docs/animation-templates/Boss.json",
     {{"Weapon0", "Attack", 3, 6}, {"Weapon1", "Skill1", 4, 6}, {"Weapon2", "Skill2", 5, 6}, {"Weapon3", "Skill3", 6, 6}},
     9, 10, false, false},
};

// Parameters that gameplay sets and never clears: the data must clear them.
const std::set<std::string> kOneShots = {"Attack", "Weapon0", "Weapon1", "Weapon2", "Weapon3", "Weapon4", "Weapon5"};

class AnimationTemplates : public AnimatorFixture, public ::testing::WithParamInterface<Template> {
protected:
    Animator* Load() {
        std::string text;
        EXPECT_TRUE(json::ReadFile(GetParam().file, text)) << GetParam().file;
        return Attach(text);
    }

    // Frames until the animator shows node `name` (at most `limit`).
    bool ReachNode(Animator* a, const std::string& name, int limit = 30) {
        for (int i = 0; i < limit && a->currentNode->name != name; ++i) engine.Step();
        return a->currentNode->name == name;
    }

    void Set(Animator* a, const char* name, bool on) {
        AnimatorParameter* p = a->GetParameter(name);
        ASSERT_NE(p, nullptr) << name;
        p->SetBool(on);
    }

    // The cells of one pass over a row: (0,row) .. (cells-1,row).
    static std::vector<Cell> Row(float row, int cells, int first = 0) {
        std::vector<Cell> out;
        for (int c = first; c < cells; ++c) out.emplace_back(static_cast<float>(c), row);
        return out;
    }
};

TEST_P(AnimationTemplates, FollowTheAuthoringRules) {
    Animator* a = Load();
    ASSERT_FALSE(a->nodes.empty());
    for (const AnimationTransition& t : a->transitions) {
        EXPECT_NE(t.next, nullptr) << t.name << " names no node";
        EXPECT_LE(t.checkFrequency, 1u) << t.name;
    }
    for (const AnimationNode& n : a->nodes) {
        EXPECT_NE(n.framesPerSec, 0.0f) << n.name;
        bool leavesWhenDone = false;
        for (const AnimationTransition* t : n.transitions) {
            ASSERT_NE(t, nullptr) << n.name << " lists an unknown transition";
            if (n.repeats) {
                EXPECT_EQ(t->checkFrequency, 0u) << n.name << " -> " << t->name << " would never fire";
            }
            if (!n.repeats && t->checkFrequency == 1 && !t->paramPtr) leavesWhenDone = true;
            // A one-shot guard must be cleared where it leads, or the node would be re-entered forever.
            if (t->paramPtr && kOneShots.count(t->paramPtr->name) && t->condition.AsBool()) {
                const AnimationNode* target = t->next;
                const bool cleared = (target->startToggle && target->startParam == t->paramPtr && !target->startData.AsBool()) ||
                                     (target->endToggle && target->endParam == t->paramPtr && !target->endData.AsBool());
                EXPECT_TRUE(cleared) << t->paramPtr->name << " is never cleared by " << target->name;
            }
        }
        if (!n.repeats) {
            EXPECT_TRUE(leavesWhenDone) << n.name << " would hold its last cell forever";
        }
    }
    for (const char* name : {"Moving", "Knockback", "Dying"}) {
        ASSERT_NE(a->GetParameter(name), nullptr) << name;
        EXPECT_EQ(a->GetParameter(name)->type, ::ParamType::Bool);
    }
    EXPECT_EQ(a->currentNode, a->GetNode("Idle"));
}

TEST_P(AnimationTemplates, IdleAndRunLoopTheirRows) {
    Animator* a = Load();
    EXPECT_EQ(Now(), Cell(0, 0));
    std::vector<Cell> idle = Row(0, 4, 1);
    idle.push_back({0, 0});
    EXPECT_EQ(Play(4), idle);

    Set(a, "Moving", true);
    engine.Step();
    EXPECT_EQ(a->currentNode->name, "Run");
    EXPECT_EQ(Now(), Cell(0, 1));
    std::vector<Cell> run = Row(1, 8, 1);
    run.push_back({0, 1});
    EXPECT_EQ(Play(8), run);

    Set(a, "Moving", false);
    engine.Step();
    EXPECT_EQ(a->currentNode->name, "Idle");
}

TEST_P(AnimationTemplates, OneShotActionsPlayOnceClearTheirParameterAndReturn) {
    Animator* a = Load();
    for (const Action& action : GetParam().actions) {
        Set(a, "Moving", true);
        engine.Step();  // actions start from a running unit as well
        Set(a, action.param, true);
        engine.Step();
        EXPECT_EQ(a->currentNode->name, action.node);
        EXPECT_EQ(Now(), Cell(0, action.row));
        EXPECT_FALSE(a->GetParameter(action.param)->IsSet()) << action.param;
        std::vector<Cell> cells = Row(action.row, action.cells, 1);
        cells.push_back(cells.back());  // holds the last cell for a frame once finished
        EXPECT_EQ(Play(action.cells), cells) << action.node;
        Set(a, "Moving", false);
        engine.Step();
        EXPECT_EQ(a->currentNode->name, "Idle") << action.node;
    }
}

TEST_P(AnimationTemplates, KnockbackLoopsUntilCleared) {
    Animator* a = Load();
    Set(a, "Knockback", true);
    engine.Step();
    EXPECT_EQ(Now(), Cell(0, GetParam().knockbackRow));
    const float row = GetParam().knockbackRow;
    const std::vector<Cell> expect = {{1, row}, {2, row}, {0, row}};
    EXPECT_EQ(Play(3), expect);
    Set(a, "Knockback", false);
    engine.Step();
    EXPECT_EQ(a->currentNode->name, "Idle");
}

TEST_P(AnimationTemplates, JumpAndDashWhereTheUnitHasThem) {
    Animator* a = Load();
    if (GetParam().jumps) {
        Set(a, "Jump", true);
        engine.Step();
        EXPECT_EQ(Now(), Cell(0, 2));
        EXPECT_TRUE(ReachNode(a, "Fall"));
        engine.Step(5);
        EXPECT_EQ(Now(), Cell(3, 2));  // the falling cell is held until landing
        Set(a, "Jump", false);
        engine.Step();
        EXPECT_EQ(a->currentNode->name, "Idle");
    } else {
        EXPECT_EQ(a->GetNode("Jump"), nullptr);
    }
    if (GetParam().dashes) {
        Set(a, "Attack", true);  // the dash skill is a weapon use too
        engine.Step();
        Set(a, "Dashing", true);
        engine.Step();
        EXPECT_EQ(a->currentNode->name, "Dash");
        EXPECT_EQ(Now(), Cell(0, 4));
        EXPECT_FALSE(a->GetParameter("Attack")->IsSet());
        engine.Step(8);
        EXPECT_EQ(a->currentNode->name, "Dash");
        Set(a, "Dashing", false);
        engine.Step();
        EXPECT_EQ(a->currentNode->name, "Idle");
        engine.Step(3);
        EXPECT_EQ(a->currentNode->name, "Idle");  // no attack left over
    }
}

TEST_P(AnimationTemplates, DyingPlaysOnceThenClearsDyingAndHolds) {
    Animator* a = Load();
    Set(a, "Moving", true);
    Set(a, GetParam().actions.front().param, true);
    engine.Step(2);  // in the middle of an action
    Set(a, "Dying", true);
    engine.Step();
    const float row = GetParam().dyingRow;
    EXPECT_EQ(a->currentNode->name, "Dying");
    EXPECT_EQ(Now(), Cell(0, row));
    std::vector<Cell> cells = Row(row, 6, 1);
    cells.push_back({5, row});  // finished
    EXPECT_EQ(Play(6), cells);
    EXPECT_TRUE(a->GetParameter("Dying")->IsSet());  // still dying while the last cell shows
    engine.Step();
    EXPECT_EQ(a->currentNode->name, "Dead");
    EXPECT_FALSE(a->GetParameter("Dying")->IsSet());
    engine.Step(10);
    EXPECT_EQ(Now(), Cell(5, row));
}

INSTANTIATE_TEST_SUITE_P(HeroEnemyBoss, AnimationTemplates, ::testing::ValuesIn(kTemplates),
                         [](const ::testing::TestParamInfo<Template>& paramInfo) {
                             const std::string file = paramInfo.param.file;
                             return file.substr(file.rfind('/') + 1, file.size() - file.rfind('/') - 6);
                         });

}  // namespace

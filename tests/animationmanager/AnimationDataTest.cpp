// Reading parameters, transitions and nodes, and the transition test.
#include <cmath>
#include <limits>
#include <string>

#include "AnimatorFixture.h"

namespace {

constexpr uint32_t kTypes[] = {ParamType::Bool, ParamType::Float, ParamType::Int};

ParamCell Make(uint32_t type, int v) {
    if (type == ParamType::Bool) return ParamCell::FromBool(v != 0);
    if (type == ParamType::Float) return ParamCell::FromFloat(static_cast<float>(v));
    return ParamCell::FromInt(v);
}

class AnimationData : public AnimatorFixture {};

// ---- comparisons ----

TEST(ParamCompare, EveryCodeInEveryType) {
    // value, condition pairs: below, equal, above; expected result per code 0..5.
    struct Case { int value, condition; bool expect[6]; };
    const Case cases[] = {
        {0, 1, {true, true, false, false, false, true}},
        {1, 1, {false, true, true, false, true, false}},
        {1, 0, {false, false, false, true, true, true}},
    };
    for (uint32_t type : kTypes) {
        for (const Case& c : cases) {
            for (int code = 0; code < 6; ++code) {
                EXPECT_EQ(CompareParamCells(type, Make(type, c.value), code, Make(type, c.condition)), c.expect[code])
                    << "type " << type << " " << c.value << " vs " << c.condition << " code " << code;
            }
            EXPECT_FALSE(CompareParamCells(type, Make(type, c.value), 6, Make(type, c.condition)));
            EXPECT_FALSE(CompareParamCells(type, Make(type, c.value), -1, Make(type, c.condition)));
        }
    }
    // Signed ints and floats keep their sign; an unknown type never fires.
    EXPECT_TRUE(CompareParamCells(ParamType::Int, ParamCell::FromInt(-5), 0, ParamCell::FromInt(2)));
    EXPECT_FALSE(CompareParamCells(ParamType::Int, ParamCell::FromInt(-1), 5, ParamCell::FromInt(-1)));
    EXPECT_TRUE(CompareParamCells(ParamType::Float, ParamCell::FromFloat(-0.5f), 0, ParamCell::FromFloat(0.25f)));
    EXPECT_FALSE(CompareParamCells(ParamType::Float, ParamCell::FromFloat(0.1f), 2, ParamCell::FromFloat(0.1000001f)));
    for (int code = 0; code < 6; ++code) EXPECT_FALSE(CompareParamCells(3, ParamCell(), code, ParamCell()));
    const ParamCell nan = ParamCell::FromFloat(std::numeric_limits<float>::quiet_NaN());
    for (int code = 0; code < 6; ++code)
        EXPECT_EQ(CompareParamCells(ParamType::Float, nan, code, ParamCell::FromFloat(1.0f)), code == 5);
}

// Parameter cells of float and int type count as set when non-zero, and gameplay's
// on/off writes land in the parameter's own type.
TEST(ParamCell, TypedSetAndTest) {
    AnimatorParameter f("Dying", ParamType::Float, ParamCell::FromFloat(0.5f));
    AnimatorParameter i("Dying", ParamType::Int, ParamCell::FromInt(-3));
    AnimatorParameter b("Dying", ParamType::Bool, ParamCell::FromBool(true));
    EXPECT_TRUE(f.IsSet());
    EXPECT_TRUE(i.IsSet());
    EXPECT_TRUE(b.IsSet());
    f.SetBool(false);
    i.SetBool(false);
    b.SetBool(false);
    EXPECT_FALSE(f.IsSet());
    EXPECT_FALSE(i.IsSet());
    EXPECT_FALSE(b.IsSet());
    f.SetBool(true);
    EXPECT_FLOAT_EQ(f.value.AsFloat(), 1.0f);
    EXPECT_TRUE(CompareParamCells(f.type, f.value, 2, ParamCell::FromFloat(1.0f)));
    f.value = ParamCell::FromFloat(-0.0f);
    EXPECT_FALSE(f.IsSet());
    i.SetBool(true);
    EXPECT_EQ(i.value.AsInt(), 1);
}

// ---- reading ----

TEST_F(AnimationData, MalformedParamsAreSkippedAndOtherKeysKeepDefaults) {
    Animator* a = Attach(R"({"params": [
        {"info": 0, "name": "B", "bool": 7},
        {"info": 1, "name": "F", "float": 3},
        {"info": 2, "name": "I", "int": -4},
        {"info": 0, "bool": 1},
        {"info": 0, "name": 12, "bool": 1},
        {"info": 0, "name": "WrongValue", "bool": "yes"},
        {"info": 1, "name": "NoValue"},
        {"info": 2, "name": "WrongKey", "float": 1.5},
        {"info": 3, "name": "BadType", "int": 1},
        {"name": "NoInfo", "bool": 1},
        {"info": "0", "name": "StringInfo", "bool": 1},
        5, null, [1], "x"],
      "transitions": [{"name": 5, "paramPtr": 3, "comparison": "x", "next": 4, "checkFrequency": [1]}, 7],
      "nodes": [{"name": ["n"], "startX": "a", "endPosX": null, "framesPerSec": {}, "repeats": "yes",
                 "startToggle": "on", "transitions": "T"}, "junk"],
      "initialNode": 3})");
    ASSERT_EQ(a->params.size(), 3u);
    EXPECT_EQ(a->params[0].name, "B");
    EXPECT_TRUE(a->params[0].value.AsBool());
    EXPECT_EQ(a->params[0].value.Bits(), 1u);  // a bool cell is exactly 0 or 1
    EXPECT_FLOAT_EQ(a->params[1].value.AsFloat(), 3.0f);
    EXPECT_EQ(a->params[2].value.AsInt(), -4);

    ASSERT_EQ(a->transitions.size(), 2u);
    const AnimationTransition& t = a->transitions[0];
    EXPECT_EQ(t.name, "DefaultName");
    EXPECT_EQ(t.paramPtr, nullptr);
    EXPECT_EQ(t.comparison, 2);
    EXPECT_EQ(t.checkFrequency, 1u);
    EXPECT_EQ(t.next, nullptr);

    ASSERT_EQ(a->nodes.size(), 2u);
    const AnimationNode& n = a->nodes[0];
    EXPECT_EQ(n.name, "DefaultName");
    EXPECT_EQ(n.startX, 0.0f);
    EXPECT_EQ(n.framesPerSec, 0.0f);
    EXPECT_FALSE(n.repeats);
    EXPECT_FALSE(n.startToggle);
    EXPECT_TRUE(n.transitions.empty());
    EXPECT_EQ(a->currentNode, &a->nodes[0]);
    engine.Step(3);  // plays without crashing
}

TEST_F(AnimationData, WholeObjectOfWrongKindsBuildsAnEmptyAnimator) {
    Animator* a = Attach(R"({"params": 5, "transitions": {"a": 1}, "nodes": "n", "currentTime": "x", "animationState": []})");
    EXPECT_TRUE(a->params.empty());
    EXPECT_TRUE(a->transitions.empty());
    EXPECT_TRUE(a->nodes.empty());
    EXPECT_EQ(a->currentNode, nullptr);
    EXPECT_EQ(a->currentTime, 0.0f);
    engine.Step(2);
    EXPECT_EQ(Now(), Cell(0, 0));
}

TEST_F(AnimationData, ConditionAndDataAreReadInTheParameterType) {
    Animator* a = Attach(R"({"params": [{"info": 0, "name": "B", "bool": 0}, {"info": 1, "name": "F", "float": 0.5},
                                        {"info": 2, "name": "I", "int": 0}],
        "transitions": [{"name": "TB", "paramPtr": "B", "condition": 9},
                        {"name": "TF", "paramPtr": "F", "condition": 0.75},
                        {"name": "TI", "paramPtr": "I", "condition": -2},
                        {"name": "TNone", "condition": 4},
                        {"name": "TUnknown", "paramPtr": "Nope", "condition": 4}],
        "nodes": [{"name": "N", "startToggle": 1, "startParam": "F", "startData": 2,
                   "endToggle": 1, "endParam": "I", "endData": 1.9}]})");
    EXPECT_EQ(a->transitions[0].condition.Bits(), 1u);
    EXPECT_FLOAT_EQ(a->transitions[1].condition.AsFloat(), 0.75f);
    EXPECT_EQ(a->transitions[2].condition.AsInt(), -2);
    EXPECT_EQ(a->transitions[3].condition.Bits(), 0u);  // no guard: the condition is not read
    EXPECT_EQ(a->transitions[4].paramPtr, nullptr);
    EXPECT_EQ(a->transitions[4].condition.Bits(), 0u);
    EXPECT_EQ(a->nodes[0].startParam, &a->params[1]);
    EXPECT_FLOAT_EQ(a->nodes[0].startData.AsFloat(), 2.0f);
    EXPECT_EQ(a->nodes[0].endParam, &a->params[2]);
    EXPECT_EQ(a->nodes[0].endData.AsInt(), 1);
}

// ---- the transition test ----

TEST_F(AnimationData, DefaultCheckFrequencyWaitsForTheEndOfANonRepeatingNode) {
    Animator* a = Attach(R"({"transitions": [{"name": "Go", "next": "B"}],
        "nodes": [{"name": "Loop", "repeats": 1, "endPosX": 1, "transitions": ["Go"]},
                  {"name": "B", "startX": 5, "startY": 5, "endPosX": 5, "endPosY": 5, "repeats": 1}]})");
    EXPECT_EQ(a->transitions[0].checkFrequency, 1u);
    EXPECT_EQ(a->nodes[0].CheckTransitions(Animator::Playing), nullptr);
    EXPECT_EQ(a->nodes[0].CheckTransitions(Animator::Finished), &a->nodes[1]);
    Play(6);
    EXPECT_EQ(a->currentNode, &a->nodes[0]);  // a repeating node never finishes
    EXPECT_EQ(a->nodes[0].CheckTransitions(2), nullptr);
}

TEST_F(AnimationData, UnknownNamesLeaveNullEntriesThatTheFirstTestDropsInOrder) {
    Animator* a = Attach(R"({"params": [{"info": 2, "name": "P", "int": 0}],
        "transitions": [{"name": "A", "paramPtr": "P", "comparison": 2, "condition": 1, "next": "X", "checkFrequency": 0},
                        {"name": "B", "next": "Y", "checkFrequency": 0}],
        "nodes": [{"name": "N", "transitions": ["A", "nope", 5, "B"]}, {"name": "X"}, {"name": "Y"}]})");
    AnimationNode& n = a->nodes[0];
    ASSERT_EQ(n.transitions.size(), 4u);
    EXPECT_EQ(n.transitions[1], nullptr);
    EXPECT_EQ(n.CheckTransitions(Animator::Playing), &a->nodes[2]);  // A holds not, B fires
    ASSERT_EQ(n.transitions.size(), 2u);
    EXPECT_EQ(n.transitions[0], &a->transitions[0]);
    EXPECT_EQ(n.transitions[1], &a->transitions[1]);
    a->params[0].value = ParamCell::FromInt(1);
    EXPECT_EQ(n.CheckTransitions(Animator::Playing), &a->nodes[1]);  // first in list order wins
}

TEST_F(AnimationData, TransitionsWithoutATargetAreSkippedAndLaterOnesStillTested) {
    Animator* a = Attach(R"({"transitions": [{"name": "NoNext", "checkFrequency": 0},
                        {"name": "Dangling", "next": "Missing", "checkFrequency": 0},
                        {"name": "Good", "next": "T", "checkFrequency": 0}],
        "nodes": [{"name": "N", "endToggle": 1, "endParam": "E", "transitions": ["NoNext", "Dangling", "Good"]},
                  {"name": "T"}]})");
    EXPECT_EQ(a->transitions[0].next, nullptr);
    EXPECT_EQ(a->transitions[1].next, nullptr);
    EXPECT_EQ(a->nodes[0].CheckTransitions(Animator::Playing), &a->nodes[1]);
}

TEST_F(AnimationData, EndToggleIsWrittenOnlyOnFiringAndBeforeTheNextStartToggle) {
    Animator* a = Attach(R"({"params": [{"info": 2, "name": "X", "int": 0}, {"info": 0, "name": "Go", "bool": 0}],
        "transitions": [{"name": "T", "paramPtr": "Go", "condition": 1, "next": "B", "checkFrequency": 0}],
        "nodes": [{"name": "A", "repeats": 1, "endToggle": 1, "endParam": "X", "endData": 7, "transitions": ["T"]},
                  {"name": "B", "repeats": 1, "startToggle": 1, "startParam": "X", "startData": 9}]})");
    AnimatorParameter* x = a->GetParameter("X");
    EXPECT_EQ(a->nodes[0].CheckTransitions(Animator::Playing), nullptr);
    EXPECT_EQ(x->value.AsInt(), 0);
    EXPECT_EQ(a->nodes[0].CheckTransitions(Animator::Finished), nullptr);
    a->GetParameter("Go")->SetBool(true);
    EXPECT_EQ(a->nodes[0].CheckTransitions(Animator::Playing), &a->nodes[1]);
    EXPECT_EQ(x->value.AsInt(), 7);
    x->value = ParamCell::FromInt(0);
    engine.Step();
    EXPECT_EQ(a->currentNode, &a->nodes[1]);
    EXPECT_EQ(x->value.AsInt(), 9);  // the start write of B comes after A's end write
}

TEST_F(AnimationData, TogglesWithoutAnExistingParameterWriteNothing) {
    Animator* a = Attach(R"({"params": [{"info": 2, "name": "Keep", "int": 5}],
        "transitions": [{"name": "T", "next": "B", "checkFrequency": 0}],
        "nodes": [{"name": "A", "startToggle": 1, "startData": 1, "endToggle": 1, "endParam": "Nope", "endData": 1,
                   "transitions": ["T"]},
                  {"name": "B", "startToggle": 1, "startParam": 3, "startData": 1}]})");
    EXPECT_EQ(a->nodes[0].startParam, nullptr);
    EXPECT_EQ(a->nodes[0].endParam, nullptr);
    EXPECT_EQ(a->nodes[1].startParam, nullptr);
    Play(3);
    EXPECT_EQ(a->currentNode, &a->nodes[1]);
    ASSERT_EQ(a->params.size(), 1u);
    EXPECT_EQ(a->params[0].value.AsInt(), 5);
}

TEST_F(AnimationData, LinksByNameAndTheFirstOfDuplicatesWins) {
    Animator* a = Attach(R"({"params": [{"info": 0, "name": "P", "bool": 1}, {"info": 0, "name": "P", "bool": 0}],
        "transitions": [{"name": "T", "next": "A"}, {"name": "T", "next": "B"}, {"name": "U", "next": "A", "paramPtr": "P"}],
        "nodes": [{"name": "A", "startX": 1}, {"name": "A", "startX": 2}, {"name": "B"}]})");
    EXPECT_EQ(a->GetParameter("P"), &a->params[0]);
    EXPECT_EQ(a->transitions[2].paramPtr, &a->params[0]);
    EXPECT_EQ(a->GetNode("A"), &a->nodes[0]);
    EXPECT_EQ(a->GetTransition("T"), &a->transitions[0]);
    // Both links of "T" land on the first transition of that name; the second is never linked.
    EXPECT_EQ(a->transitions[0].next, &a->nodes[2]);
    EXPECT_EQ(a->transitions[1].next, nullptr);
    EXPECT_EQ(a->transitions[2].next, &a->nodes[0]);
    EXPECT_EQ(a->GetParameter("p"), nullptr);  // exact, case-sensitive
    a->LinkTransition("Unknown", "A");         // no such transition: nothing happens
    a->LinkTransition("U", "Nowhere");
    EXPECT_EQ(a->transitions[2].next, nullptr);
}

// Records keep their addresses however many a file holds, so the links between them
// stay valid (a fixed reservation would move them on the first entry beyond it).
TEST_F(AnimationData, ListsLongerThanAnyReservationKeepTheirLinks) {
    constexpr int kCount = 700;
    std::string params, transitions, nodes;
    for (int i = 0; i < kCount; ++i) {
        const std::string n = std::to_string(i);
        const std::string sep = i ? "," : "";
        params += sep + R"({"info": 2, "name": "P)" + n + R"(", "int": )" + n + "}";
        transitions += sep + R"({"name": "T)" + n + R"(", "paramPtr": "P)" + n + R"(", "condition": )" + n +
                       R"(, "checkFrequency": 0, "next": "N)" + std::to_string((i + 1) % kCount) + R"("})";
        nodes += sep + R"({"name": "N)" + n + R"(", "startX": )" + n + R"(, "endPosX": )" + n +
                 R"(, "repeats": 1, "startToggle": 1, "startParam": "P)" + n + R"(", "startData": )" + n +
                 R"(, "transitions": ["T)" + n + R"("]})";
    }
    Animator* a = Attach(R"({"params": [)" + params + R"(], "transitions": [)" + transitions + R"(], "nodes": [)" +
                         nodes + R"(], "initialNode": "N600"})");
    ASSERT_EQ(a->nodes.size(), static_cast<std::size_t>(kCount));
    EXPECT_EQ(a->transitions[650].paramPtr, &a->params[650]);
    EXPECT_EQ(a->nodes[650].transitions[0], &a->transitions[650]);
    EXPECT_EQ(a->transitions[699].next, &a->nodes[0]);
    // Each node's guard matches its own parameter's value: the walk goes node to node.
    EXPECT_EQ(Now(), Cell(600, 0));
    Play(5);
    EXPECT_EQ(a->currentNode, &a->nodes[605]);
    EXPECT_EQ(Now(), Cell(605, 0));

    // Records appended by code later leave every existing link where it was.
    for (int i = 0; i < 2000; ++i) {
        a->params.emplace_back("Extra", ParamType::Int, ParamCell());
        a->transitions.emplace_back();
        a->nodes.emplace_back(a, "Extra", 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    }
    EXPECT_EQ(a->currentNode, &a->nodes[605]);
    EXPECT_EQ(a->transitions[605].paramPtr, &a->params[605]);
    EXPECT_EQ(a->nodes[605].transitions[0], &a->transitions[605]);
    Play(2);
    EXPECT_EQ(a->currentNode, &a->nodes[607]);
}

// ---- clone ----

TEST_F(AnimationData, CloneLinksIntoItsOwnLists) {
    Animator* a = Attach(R"({"params": [{"info": 0, "name": "Go", "bool": 1}],
        "transitions": [{"name": "T", "paramPtr": "Go", "condition": 1, "next": "B", "checkFrequency": 0}],
        "nodes": [{"name": "A", "endToggle": 1, "endParam": "Go", "endData": 0, "transitions": ["T", "missing"]},
                  {"name": "B", "startX": 4}], "currentTime": 0.125, "initialNode": "A"})");
    auto* copy = static_cast<Animator*>(a->Clone());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->currentNode, nullptr);
    EXPECT_FALSE(copy->spriteRenderer);
    EXPECT_EQ(copy->initialNode, "A");
    EXPECT_FLOAT_EQ(copy->currentTime, 0.125f);
    EXPECT_EQ(copy->transitions[0].paramPtr, &copy->params[0]);
    EXPECT_EQ(copy->transitions[0].next, &copy->nodes[1]);
    EXPECT_EQ(copy->transitions[0].animator, copy);
    EXPECT_EQ(copy->nodes[0].endParam, &copy->params[0]);
    EXPECT_EQ(copy->nodes[0].transitions[0], &copy->transitions[0]);
    EXPECT_EQ(copy->nodes[1].animator, copy);
    EXPECT_EQ(AnimationManager::GetInstance().Count(), 1u);  // a copy is not registered until it wakes

    // The copy works on its own after the original is gone.
    engine.Step();
    hero->components.RemoveItem(a);
    EXPECT_EQ(copy->nodes[0].CheckTransitions(Animator::Playing), &copy->nodes[1]);
    EXPECT_FALSE(copy->params[0].IsSet());
    delete copy;
}

TEST_F(AnimationData, CodeBuiltNodeLoopsItsRow) {
    Animator* a = hero->AddComponent<Animator>();
    a->nodes.emplace_back(a, "Default", 0.0f, 3.0f, 3.0f, 3.0f, 0.5f);
    a->spriteRenderer = sprite;
    a->SetCurrentNode(&a->nodes.back());
    EXPECT_TRUE(a->nodes[0].repeats);
    EXPECT_EQ(Now(), Cell(0, 3));
    const std::vector<Cell> cells = Play(10);
    const std::vector<Cell> expect = {{0, 3}, {1, 3}, {1, 3}, {2, 3}, {2, 3}, {3, 3}, {3, 3}, {0, 3}, {0, 3}, {1, 3}};
    EXPECT_EQ(cells, expect);
}

}  // namespace

namespace {

// Every key of a real animator file replaced in turn by values of every wrong kind:
// the reader keeps defaults or skips, and playback never crashes.
TEST_F(AnimationData, NoWrongTypedValueCrashesTheReaderOrPlayback) {
    std::string text;
    ASSERT_TRUE(json::ReadFile("docs/animation-templates/Hero.json", text));
    JsonDocument original;
    ASSERT_TRUE(json::Parse(text, original));
    const char* kWrong[] = {R"("x")", "[]", "{}", "null", "-1", "1e300", "true", "-2147483649", "[1, \"a\"]"};
    int built = 0;
    for (const char* list : {"params", "transitions", "nodes"}) {
        const JsonValue& elements = original[list];
        for (rapidjson::SizeType i = 0; i < elements.Size(); ++i) {
            for (auto member = elements[i].MemberBegin(); member != elements[i].MemberEnd(); ++member) {
                for (const char* wrong : kWrong) {
                    JsonDocument document;
                    document.CopyFrom(original, document.GetAllocator());
                    JsonDocument replacement;
                    ASSERT_TRUE(json::Parse(wrong, replacement));
                    document[list][i][member->name.GetString()].CopyFrom(replacement, document.GetAllocator());
                    document["gameObjectID"].SetInt(hero->id);
                    Animator animator(document);
                    JobManager::GetInstance().RunJobs(JobKind::Lookup);
                    animator.Start();
                    for (int frame = 0; frame < 4; ++frame) {
                        for (AnimatorParameter& p : animator.params) p.SetBool(frame % 2 == 0);
                        animator.Update();
                    }
                    ++built;
                }
            }
        }
    }
    EXPECT_GT(built, 1000);
}

}  // namespace

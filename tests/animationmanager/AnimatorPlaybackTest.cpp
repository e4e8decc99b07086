// Cell playback, node switching and the pause bit, frame by frame.
#include <string>
#include <vector>

#include "AnimatorFixture.h"

namespace {

class AnimatorPlayback : public AnimatorFixture {
protected:
    // One node (0,0)-(2,1) shown for `seconds` per cell.
    Animator* Block(bool repeats, float seconds) {
        return Attach(R"({"nodes": [{"name": "Block", "startX": 0, "startY": 0, "endPosX": 2, "endPosY": 1,
                          "framesPerSec": )" + std::to_string(seconds) + R"(, "repeats": )" + (repeats ? "1" : "0") + "}]}");
    }
};

const std::vector<Cell> kBlockCycle = {{1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}, {0, 0}, {1, 0}};

TEST_F(AnimatorPlayback, RepeatingNodeWrapsRowsAndStartsOver) {
    Animator* a = Block(true, 0.0f);
    EXPECT_EQ(Now(), Cell(0, 0));
    EXPECT_EQ(Play(7), kBlockCycle);
    EXPECT_EQ(a->animationState, Animator::Playing);
}

TEST_F(AnimatorPlayback, NonRepeatingNodeHoldsItsLastCellFinished) {
    Animator* a = Block(false, 0.0f);
    const std::vector<Cell> cells = Play(8);
    const std::vector<Cell> expect = {{1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}, {2, 1}, {2, 1}, {2, 1}};
    EXPECT_EQ(cells, expect);
    EXPECT_EQ(a->animationState, Animator::Finished);
}

TEST_F(AnimatorPlayback, DisplayTimeIsADurationPerCell) {
    Block(true, 0.5f);  // two 0.25 s frames per cell
    const std::vector<Cell> cells = Play(4);
    const std::vector<Cell> expect = {{0, 0}, {1, 0}, {1, 0}, {2, 0}};
    EXPECT_EQ(cells, expect);
}

TEST_F(AnimatorPlayback, ALongFrameAdvancesExactlyOneCell) {
    Animator* a = Block(true, 0.1f);
    engine.SetFrameTime(2.0f);
    EXPECT_EQ(Play(3), std::vector<Cell>(kBlockCycle.begin(), kBlockCycle.begin() + 3));
    EXPECT_EQ(a->currentTime, 0.0f);  // the remainder is dropped
}

TEST_F(AnimatorPlayback, DataCurrentTimeShortensTheFirstCell) {
    Attach(R"({"currentTime": 0.25, "nodes": [{"endPosX": 3, "framesPerSec": 0.5, "repeats": 1}]})");
    const std::vector<Cell> expect = {{1, 0}, {1, 0}, {2, 0}};
    EXPECT_EQ(Play(3), expect);
}

TEST_F(AnimatorPlayback, InitialNodeByNameOrTheFirstNode) {
    const std::string nodes = R"("nodes": [{"name": "A", "startX": 1, "startY": 2}, {"name": "B", "startX": 3, "startY": 4}])";
    Animator* named = Attach("{" + nodes + R"(, "initialNode": "B", "animationState": 1})");
    EXPECT_EQ(named->currentNode, &named->nodes[1]);
    EXPECT_EQ(named->animationState, Animator::Playing);  // Start plays from the first cell
    EXPECT_EQ(Now(), Cell(3, 4));
    Animator* unknown = Attach("{" + nodes + R"(, "initialNode": "Nope"})");
    EXPECT_EQ(unknown->initialNode, "Nope");
    EXPECT_EQ(unknown->currentNode, &unknown->nodes[0]);
    EXPECT_EQ(Now(), Cell(1, 2));
}

TEST_F(AnimatorPlayback, SwitchFrameShowsTheNewFirstCellAndSpendsNoTime) {
    Animator* a = Attach(R"({"params": [{"info": 0, "name": "Go", "bool": 0}],
        "transitions": [{"name": "T", "paramPtr": "Go", "condition": 1, "next": "B", "checkFrequency": 0}],
        "nodes": [{"name": "A", "endPosX": 5, "framesPerSec": 1.0, "repeats": 1, "transitions": ["T"]},
                  {"name": "B", "startX": 0, "startY": 3, "endPosX": 5, "endPosY": 3, "framesPerSec": 1.0, "repeats": 1}]})");
    Play(2);
    EXPECT_FLOAT_EQ(a->currentTime, 0.5f);
    a->GetParameter("Go")->SetBool(true);
    engine.Step();
    EXPECT_EQ(a->currentNode, &a->nodes[1]);
    EXPECT_EQ(Now(), Cell(0, 3));
    EXPECT_FLOAT_EQ(a->currentTime, 0.5f);  // left over from A, counts towards B's first cell
    const std::vector<Cell> expect = {{0, 3}, {1, 3}};
    EXPECT_EQ(Play(2), expect);
}

TEST_F(AnimatorPlayback, FinishedTransitionFiresTheFrameAfterTheLastCell) {
    Animator* a = Attach(R"({"transitions": [{"name": "Done", "next": "Idle"}],
        "nodes": [{"name": "Once", "endPosX": 1, "transitions": ["Done"]},
                  {"name": "Idle", "startY": 5, "repeats": 1}]})");
    engine.Step();
    EXPECT_EQ(Now(), Cell(1, 0));
    engine.Step();
    EXPECT_EQ(a->animationState, Animator::Finished);
    EXPECT_EQ(Now(), Cell(1, 0));
    engine.Step();
    EXPECT_EQ(a->currentNode, &a->nodes[1]);
    EXPECT_EQ(a->animationState, Animator::Playing);
    EXPECT_EQ(Now(), Cell(0, 5));
}

TEST_F(AnimatorPlayback, PauseFreezesButCutsceneAndGameOverDoNot) {
    Animator* a = Attach(R"({"transitions": [{"name": "T", "next": "B", "checkFrequency": 0}],
        "nodes": [{"name": "A", "endPosX": 3, "framesPerSec": 0.5, "repeats": 1},
                  {"name": "B", "startY": 2, "endPosX": 3, "endPosY": 2, "framesPerSec": 0.5, "repeats": 1, "transitions": ["T"]}]})");
    engine.Step(3);  // (1,0) with 0.25 s accumulated
    const Cell before = Now();
    a->nodes[0].transitions.push_back(&a->transitions[0]);  // would fire at once if not paused
    GameFlags::word = GameFlags::Paused;
    engine.Step(5);
    EXPECT_EQ(Now(), before);
    EXPECT_FLOAT_EQ(a->currentTime, 0.25f);
    EXPECT_EQ(a->currentNode, &a->nodes[0]);  // no transition fires either
    a->nodes[0].transitions.clear();

    for (uint32_t flags : {GameFlags::Cutscene, GameFlags::GameOver, GameFlags::Cutscene | GameFlags::GameOver}) {
        GameFlags::word = flags;
        const Cell start = Now();
        engine.Step(2);
        EXPECT_NE(Now(), start) << "flags " << flags;
    }
    GameFlags::word = 0;
}

TEST_F(AnimatorPlayback, WithoutSpriteOrNodesNothingHappensAndTheAnimatorStaysRegistered) {
    AnimationManager& registry = AnimationManager::GetInstance();
    Animator* empty = Attach(R"({"params": [{"info": 0, "name": "Dying", "bool": 1}]})");
    engine.Step(3);
    EXPECT_EQ(Now(), Cell(0, 0));
    EXPECT_TRUE(empty->GetParameter("Dying")->IsSet());

    GameObject* bare = SceneManager::GetInstance().CreateGameObject("Bare", true);
    auto* blind = new Animator(bare->id);
    blind->nodes.emplace_back(blind, "Loop", 0.0f, 0.0f, 3.0f, 0.0f, 0.0f);
    blind->currentNode = &blind->nodes[0];
    blind->Awake();
    bare->components.Add(blind);
    blind->Start();
    engine.Step(3);
    EXPECT_FALSE(blind->spriteRenderer);
    EXPECT_EQ(blind->currentNode, &blind->nodes[0]);
    EXPECT_EQ(registry.Count(), 2u);
    EXPECT_EQ(Now(), Cell(0, 0));

    // A renderer that goes away first is noticed: the animator just stops.
    Animator* a = Attach(R"({"nodes": [{"endPosX": 3, "repeats": 1}]})");
    engine.Step();
    sprite->OnDestroy();
    hero->components.RemoveItem(sprite);
    engine.Step(2);
    EXPECT_FALSE(a->spriteRenderer);
}

TEST_F(AnimatorPlayback, GameplayParametersAreLookedUpByExactName) {
    Animator* a = Attach(R"({"params": [{"info": 0, "name": "Moving", "bool": 0}], "nodes": [{}]})");
    EXPECT_EQ(a->GetParameter("Attack"), nullptr);  // undeclared: the caller does nothing
    ASSERT_NE(a->GetParameter("Moving"), nullptr);
    a->GetParameter("Moving")->SetBool(true);
    EXPECT_TRUE(a->params[0].IsSet());
    EXPECT_EQ(a->params.size(), 1u);
}

}  // namespace

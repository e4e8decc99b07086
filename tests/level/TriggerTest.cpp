// Triggers: a "Player" walking into the area fires the trigger's kind.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "EngineHarness.h"
#include "combat/EnemyBehaviour.h"
#include "combat/UnitController.h"
#include "dialogue/DialogueManager.h"
#include "gameobjectengine/InputManager.h"
#include "level/Triggers.h"
#include "physics/Rigidbody.h"

namespace {

// Object 0 "Area": the trigger (with or without its kinematic body); 1 "Walker" standing in
// it with the given tag; 2 "Enemy" with a body facing right, an AI controller and an enemy
// behaviour; 3 "Far" away from the area.
std::string TriggerScene(const std::string& trigger, const std::string& walkerTag, bool areaHasBody = true) {
    return R"({"GameObjects": [["Area", 1], ["Walker", 1, ")" + walkerTag + R"("], ["Enemy", 1], ["Far", 1, "Player"]],
      "Components": [
        {"class": "Transform", "gameObjectID": 0, "position": {"x": 500, "y": 500, "z": 0}},
        {"class": "BoxCollider", "gameObjectID": 0, "width": 100, "height": 100})" +
           (areaHasBody ? R"(,
        {"class": "RigidBody", "gameObjectID": 0, "isKinematic": 1, "useGravity": 0})"
                        : "") +
           R"(,
        {"gameObjectID": 0, )" + trigger + R"(},
        {"class": "Transform", "gameObjectID": 1, "position": {"x": 510, "y": 500, "z": 0}},
        {"class": "BoxCollider", "gameObjectID": 1, "width": 40, "height": 40},
        {"class": "Transform", "gameObjectID": 2, "position": {"x": 2000, "y": 500, "z": 0}},
        {"class": "RigidBody", "gameObjectID": 2, "useGravity": 0},
        {"class": "AIUnitController", "gameObjectID": 2}, {"class": "EnemyBehaviour", "gameObjectID": 2},
        {"class": "Transform", "gameObjectID": 3, "position": {"x": 3000, "y": 500, "z": 0}},
        {"class": "BoxCollider", "gameObjectID": 3, "width": 40, "height": 40}],
      "Dialogue": [["Walker", 0, -100, "one", 0], ["Walker", 0, -100, "two", 0]]})";
}

struct TriggerCase {
    const char* name;
    std::string trigger;
    const char* walkerTag;
    int frames;
    std::function<bool()> fired;
    bool expectFired;
    bool expectEnabledAfter;
};

template <typename T>
T* EnemyPart() {
    return SceneManager::GetInstance().GetGameObjectByName("Enemy")->GetComponent<T>();
}

bool Facing(uint32_t facing) { return EnemyPart<Rigidbody>()->facing == facing; }

}  // namespace

TEST(Triggers, EachKindFiresOnPlayerContact) {
    const auto linesShown = [] { return Dialogue::DialogueManager::GetInstance().currentLine; };
    const TriggerCase cases[] = {
        {"dialogue once", R"("class": "TriggerDialogueNext")", "Player", 5, [&] { return linesShown() == 1; }, true,
         false},
        {"dialogue every frame", R"("class": "TriggerDialogueNext", "disableAfterTrigger": 0)", "Player", 3,
         [&] { return linesShown() == 2; }, true, true},
        {"lower-case player", R"("class": "TriggerDialogueNext")", "player", 5, [&] { return linesShown() == 0; },
         true, true},
        {"enemy", R"("class": "TriggerDialogueNext")", "Enemy", 5, [&] { return linesShown() == 0; }, true, true},
        {"turn left", R"("class": "TriggerRigidbodyDirection", "target": 2)", "Player", 3, [] { return Facing(0); },
         true, false},
        {"turn right", R"("class": "TriggerRigidbodyDirection", "target": 2, "left": 0)", "Player", 3,
         [] { return Facing(1); }, true, false},
        {"no target", R"("class": "TriggerRigidbodyDirection", "target": 40)", "Player", 3, [] { return Facing(1); },
         true, false},
        {"input off", R"("class": "TriggerEnableInput", "enable": 0)", "Player", 3,
         [] { return !InputManager::GetInstance().enabled; }, true, false},
        {"ai off", R"("class": "TriggerEnableAIController", "target": 2, "enable": 0)", "Player", 3,
         [] { return !EnemyPart<AIUnitController>()->enabled; }, true, false},
        {"behaviour off", R"("class": "TriggerEnableEnemyBehaviour", "target": 2, "enable": 0)", "Player", 3,
         [] { return !EnemyPart<EnemyBehaviour>()->enabled; }, true, false},
    };
    for (const TriggerCase& c : cases) {
        EngineHarness engine;
        engine.LoadSceneText(TriggerScene(c.trigger, c.walkerTag));
        Dialogue::DialogueManager::GetInstance().NextDialogue(false);
        Dialogue::DialogueManager::GetInstance().EndDialogue();
        Dialogue::DialogueManager::GetInstance().currentLine = 0;
        engine.Step(c.frames);
        EXPECT_EQ(c.fired(), c.expectFired) << c.name;
        auto* trigger = engine.Get<TriggerBasic>("Area");
        ASSERT_NE(trigger, nullptr) << c.name;
        EXPECT_EQ(trigger->enabled, c.expectEnabledAfter) << c.name;
    }
}

TEST(Triggers, DisablingInputLetsGoOfHeldKeys) {
    EngineHarness engine;
    engine.LoadSceneText(TriggerScene(R"("class": "TriggerEnableInput", "enable": 0, "enabled": 0)", "Player"));
    engine.Press(InputAction::Right);
    engine.Step();
    engine.Get<TriggerBasic>("Area")->enabled = true;
    engine.Step(2);
    InputManager& input = InputManager::GetInstance();
    EXPECT_FALSE(input.enabled);
    EXPECT_EQ(input.held[0], 0);
    EXPECT_EQ(input.current[0], 0);
    input.enabled = true;  // as a later trigger with "enable" 1 does
    engine.Step();
    EXPECT_EQ(input.current[0], 0);  // the key must be pressed again
    engine.Release(InputAction::Right);
}

TEST(Triggers, TriggerWithoutBodyDoesNothing) {
    EngineHarness engine;
    engine.LoadSceneText(TriggerScene(R"("class": "TriggerDialogueNext")", "Player", false));
    engine.Step(3);
    EXPECT_TRUE(engine.Get<TriggerBasic>("Area")->enabled);
    EXPECT_EQ(Dialogue::DialogueManager::GetInstance().currentLine, 0u);
}

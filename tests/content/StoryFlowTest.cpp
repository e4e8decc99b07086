// The whole story, headless: each level plays its opening conversation, loses its enemies
// and is walked through to its exit; the final boss's death, the conversations, the
// victory screen and the credits lead on. Each step checks the next scene's index and,
// where a save manager keeps the record, the continue point in the save file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "EngineHarness.h"
#include "combat/CombatUnit.h"
#include "dialogue/DialogueManager.h"
#include "gameobjectengine/GameFlags.h"
#include "level/GameManager.h"
#include "scenemanager/SceneTable.h"

namespace {

enum class Leave { Portal, Boss, Conversation, Key };

struct StoryStep {
    int scene;
    int next;
    Leave how;
};

SceneManager& Scenes() { return SceneManager::GetInstance(); }

// Steps until the scene index changes and the new scene runs, at most `frames` frames;
// `each` runs before every frame.
template <typename F>
bool StepUntilSceneChanges(EngineHarness& engine, int frames, F each) {
    const auto from = Scenes().currentSceneIndex;
    for (int i = 0; i < frames; ++i) {
        each(i);
        engine.Step();
        if (Scenes().currentSceneIndex != from) {
            engine.FinishSceneChange();
            return true;
        }
    }
    return false;
}

// The game manager shows the first line a second after the load; Space reveals each
// modal line and then moves on, until the conversation is over.
void PlayConversation(EngineHarness& engine) {
    engine.Step(70);
    const Dialogue::DialogueManager& talk = Dialogue::DialogueManager::GetInstance();
    for (int i = 0; i < 40 && talk.active && GameFlags::Any(GameFlags::Cutscene); ++i) {
        engine.Tap(InputAction::Jump);
        engine.Step(3);
    }
}

void KillTeam2() {
    Scenes().Objects().ForEach([](GameObject* o) {
        auto* unit = o->GetComponent<Combat::CombatUnit>();
        if (unit && unit->team == 2 && unit->IsAlive()) unit->TakeDamage(100000, 100000);
    });
}

uint32_t SavedSceneIndex() {
    const char* home = std::getenv("APPDATA");
    std::ifstream file(std::string(home ? home : "") + "/Harrowvale/GlobalSav.dat", std::ios::binary);
    uint32_t index = 0xffffffffu;
    file.read(reinterpret_cast<char*>(&index), sizeof index);
    return index;
}

void Play(const StoryStep& step) {
    SCOPED_TRACE(scenes::PathOf(step.scene));
    EngineHarness engine;
    engine.LoadSceneFile(scenes::PathOf(step.scene));
    Scenes().currentSceneIndex = static_cast<uint32_t>(step.scene);
    bool left = false;
    switch (step.how) {
        case Leave::Portal:
            PlayConversation(engine);
            EXPECT_FALSE(GameFlags::Any(GameFlags::Cutscene)) << "the opening conversation did not end";
            KillTeam2();
            // Run right, jumping now and then, until the exit fade has changed the scene.
            left = StepUntilSceneChanges(engine, 2400, [&](int i) {
                if (i == 0) engine.Press(InputAction::Right);
                if (i % 40 == 20) engine.Tap(InputAction::Jump);
            });
            break;
        case Leave::Boss:
            PlayConversation(engine);
            KillTeam2();
            left = StepUntilSceneChanges(engine, 600, [](int) {});
            break;
        case Leave::Conversation:
            PlayConversation(engine);
            left = StepUntilSceneChanges(engine, 300, [](int) {});
            break;
        case Leave::Key:
            left = StepUntilSceneChanges(engine, 900, [&](int i) {
                if (i % 60 == 30) engine.Tap(InputAction::Jump);
            });
            break;
    }
    ASSERT_TRUE(left) << "no scene change";
    EXPECT_EQ(Scenes().currentSceneIndex, static_cast<uint32_t>(step.next));
    // The level just loaded is the continue point (the victory and the menus are not).
    if (Scenes().FindComponentOfType<GameManager>()) {
        EXPECT_EQ(SavedSceneIndex(), static_cast<uint32_t>(step.next)) << "the save file's scene index";
    }
}

}  // namespace

TEST(StoryFlow, EachLevelIsPlayedThroughItsPortal) {
    for (StoryStep step : {StoryStep{6, 10, Leave::Portal}, StoryStep{10, 11, Leave::Portal},
                           StoryStep{11, 1, Leave::Portal}, StoryStep{1, 4, Leave::Portal},
                           StoryStep{4, 12, Leave::Portal}, StoryStep{12, 14, Leave::Portal},
                           StoryStep{14, 13, Leave::Portal}, StoryStep{16, 17, Leave::Portal}})
        Play(step);
}

TEST(StoryFlow, TheBossDeathTheConversationsAndTheVictoryLeadOn) {
    for (StoryStep step : {StoryStep{13, 15, Leave::Boss}, StoryStep{15, 16, Leave::Conversation},
                           StoryStep{17, 7, Leave::Conversation}, StoryStep{7, 5, Leave::Key}})
        Play(step);
}

TEST(StoryFlow, TheCreditsEndInTheMainMenu) {
    Play({5, 0, Leave::Key});
}

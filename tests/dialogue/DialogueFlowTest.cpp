// The conversation's flow: line flags, Space on modal lines, the skip, a scene exit,
// and what a scene load resets.
#include "DialogueFixture.h"
#include "audio/AudioManager.h"
#include "audio/DynamicBGM.h"
#include "audio/TransitionalBGM.h"
#include "platform/audio/OggFixture.h"
#include "gameobjectengine/EngineState.h"
#include "graphics/Fader.h"
#include "scenemanager/SceneManager.h"

using Dialogue::DialogueManager;

namespace {
bool Playing(const audio::Channel& channel) {
    bool playing = false;
    channel.IsPlaying(&playing);
    return playing;
}
}  // namespace

TEST_F(DialogueTest, BreakLineEndsTheConversationAndTheNextStartGoesOn) {
    Load(R"([["Thief", 0, -100, "A", 1], ["Mage", 0, -100, "B", 0], ["Mage", 0, -100, "C", 0]])");
    struct Call {
        DialogueManager::NextResult returns;
        bool active;
        std::size_t next;
        const char* line;
    };
    const Call calls[] = {{DialogueManager::NextResult::Shown, true, 1, "A"},
                          {DialogueManager::NextResult::EndedAtBreak, false, 1, nullptr},
                          {DialogueManager::NextResult::Shown, true, 2, "B"},
                          {DialogueManager::NextResult::Shown, true, 3, "C"},
                          {DialogueManager::NextResult::NoLineLeft, false, 3, nullptr},
                          {DialogueManager::NextResult::NoLineLeft, false, 3, nullptr}};
    for (const Call& call : calls) {
        EXPECT_EQ(Manager().NextDialogue(false), call.returns);
        EXPECT_EQ(Manager().active, call.active);
        EXPECT_EQ(Box().enabled, call.active);
        EXPECT_EQ(Manager().currentLine, call.next);
        if (call.line) {
            EXPECT_EQ(Box().pendingText, call.line);
        }
    }
}

TEST_F(DialogueTest, ModalLineWaitsForSpaceThenAPlainLineAdvancesByItself) {
    Load(R"([["Thief", 10, -150, "Hold on.", 2], ["Mage", 0, -100, "Fine.", 0]])");
    ASSERT_EQ(Manager().NextDialogue(true), DialogueManager::NextResult::Shown);
    EXPECT_TRUE(Frozen());
    EXPECT_TRUE(OverlayShown());
    EXPECT_FALSE(Box().autoAdvance);
    engine.Step(2);
    EXPECT_EQ(Shown(), "H");  // 50 characters a second: one every other frame at 60 frames a second
    engine.Tap(InputAction::Jump);  // the first Space shows the rest of the line
    EXPECT_EQ(Shown(), "Hold on.");
    EXPECT_EQ(Manager().currentLine, 1u);
    engine.Step(400);  // a modal line never moves on by itself
    EXPECT_EQ(Manager().currentLine, 1u);
    engine.Tap(InputAction::Jump);  // the second Space moves on
    EXPECT_EQ(Manager().currentLine, 2u);
    EXPECT_FALSE(Frozen());
    EXPECT_FALSE(OverlayShown());  // no Space prompt over a line Space does not move on
    EXPECT_TRUE(Box().autoAdvance);
    const Transform* bubble = engine.Get<Transform>("Dialogue");
    EXPECT_FLOAT_EQ(bubble->x, 400.0f);
    EXPECT_FLOAT_EQ(bubble->y, 500.0f);
    engine.Step(2 * 5 + 60 * 5 + 5);  // typed out, then five seconds
    EXPECT_FALSE(Manager().active);
    EXPECT_FALSE(OverlayShown());
    EXPECT_FALSE(Box().enabled);
}

TEST_F(DialogueTest, HoldingEscapeSkipsSilentlyToTheNextBreak) {
    Load(R"([["Thief", 0, 0, "one", 2], ["Thief", 0, 0, "two", 2], ["Thief", 0, 0, "three", 3],
             ["Thief", 0, 0, "after", 2]])");
    Manager().NextDialogue(false);
    engine.Press(InputAction::Back);
    engine.Step();  // the first held frame only arms the skip
    EXPECT_EQ(Manager().currentLine, 1u);
    EXPECT_TRUE(Manager().skipToggle);
    engine.Step();
    EXPECT_FALSE(Manager().active);
    EXPECT_EQ(Manager().currentLine, 3u);  // "after" waits for a later start
    EXPECT_FALSE(Frozen());
    engine.Release(InputAction::Back);
}

TEST_F(DialogueTest, SceneExitFadesOutWithPlayFrozenThenChangesScene) {
    Load(R"([["Thief", 0, 0, "Let's go.", 6]])");
    Manager().NextDialogue(false);
    GameFlags::word |= GameFlags::Paused;
    Manager().RevealRestOfLine();
    Manager().NextDialogue(false);
    EXPECT_FALSE(Manager().active);
    EXPECT_EQ(GameFlags::word, GameFlags::Cutscene);  // unpaused, and frozen through the fade
    EXPECT_TRUE(engine.Get<Fader>("LoadingOutScreen")->fading);
    int frames = 0;
    while (EngineState::GetInstance().state == EngineState::Run && frames < 120) {
        EXPECT_TRUE(Frozen());
        engine.Step();
        ++frames;
    }
    EXPECT_EQ(EngineState::GetInstance().state, EngineState::SceneChange);
    EXPECT_GE(frames, 59);  // the one-second fade
    EXPECT_EQ(SceneManager::GetInstance().currentSceneIndex, 2u);
}

TEST_F(DialogueTest, EmptyConversationEndsAtOnceAndBringsTheMusicLayersIn) {
    Load("[]", R"(, {"class": "DyanmicBGM", "gameObjectID": 0})");
    GameFlags::word = GameFlags::Cutscene;
    EXPECT_EQ(Manager().NextDialogue(true), DialogueManager::NextResult::NoLineLeft);
    EXPECT_FALSE(Frozen());
    EXPECT_EQ(engine.Get<DynamicBGM>("Thief")->state, 1u);
}

TEST_F(DialogueTest, SceneLoadForgetsAConversationCutOffMidway) {
    Load(R"([["Thief", 0, 0, "one", 2], ["Thief", 0, 0, "two", 2]])");
    Manager().NextDialogue(false);
    Manager().skipToggle = true;
    Load(R"([["Mage", 0, 0, "new", 0]])");
    EXPECT_FALSE(Manager().active);
    EXPECT_EQ(Manager().currentFlags, 0);
    EXPECT_FALSE(Manager().skipToggle);
    EXPECT_FALSE(Manager().ModalLineActive());
    ASSERT_EQ(Manager().lines.size(), 1u);
    EXPECT_EQ(Manager().currentLine, 0u);
}

TEST_F(DialogueTest, MalformedLinesAreLeftOutAndAMissingSpeakerLeavesTheBubble) {
    Load(R"([["Thief", 0, 0, "ok", 0, "Assets/Audio/SFX/UI_Move.ogg"],
             ["Thief", 0, 0, "short"],
             ["Thief", "0", 0, "wrong offset", 0],
             [7, 0, 0, "wrong speaker", 0],
             ["Thief", 0, 0, ["wrong text"], 0],
             ["Thief", 0, 0, "wrong flags", "2"],
             "not a line",
             ["Nobody", 5.5, 0, "no sound", 0, 42],
             ["Thief", 0, 0, "\u00e9\u00e8 caf\u00e9", 0]])");
    ASSERT_EQ(Manager().lines.size(), 3u);
    EXPECT_EQ(Manager().lines[0].sound, "Assets/Audio/SFX/UI_Move.ogg");
    EXPECT_EQ(Manager().lines[1].speaker, "Nobody");
    EXPECT_EQ(Manager().lines[1].sound, "");
    Manager().NextDialogue(true);
    engine.Step(3);
    Manager().NextDialogue(true);  // a speaker that names no object: the bubble stays put
    engine.Step(3);
    const Transform* bubble = engine.Get<Transform>("Dialogue");
    EXPECT_FLOAT_EQ(bubble->x, 100.0f);
    EXPECT_FLOAT_EQ(bubble->y, 600.0f);
    Manager().NextDialogue(true);  // bytes outside the font are typed and drawn as nothing
    engine.Step(30);
    EXPECT_EQ(Shown(), "\u00e9\u00e8 caf\u00e9");
}

TEST_F(DialogueTest, TransitionalMusicStartsOnceHoweverOftenTheEndIsReached) {
    const std::string tone = engine.WriteTempFile("", ".ogg");
    ASSERT_TRUE(fixture::WriteOggTone(tone, 4800, 48000));  // 0.1 s at 48 kHz
    Load(R"([["Thief", 0, 0, "last", 0]])", R"(, {"class": "TransitionalBGM", "gameObjectID": 1, "base": ")" + tone +
                                                R"(", "transition": ")" + tone + R"(", "next": ")" + tone +
                                                R"(", "playOnAwake": 1})");
    auto* music = engine.Get<TransitionalBGM>("Mage");
    Manager().NextDialogue(false);
    Manager().NextDialogue(false);  // the end, with no line left: the transition plays
    ASSERT_TRUE(Playing(music->transitionChannel));
    AudioManager::GetInstance().system->RenderFrames(48000 / 2, nullptr);
    engine.Step();
    ASSERT_TRUE(music->nextStarted);
    Manager().NextDialogue(false);  // a later end (a trigger, a timer) plays nothing again
    EXPECT_FALSE(Playing(music->transitionChannel));
    EXPECT_TRUE(Playing(music->nextChannel));
}

#pragma once
// A small level for the conversation tests: two speakers, the loading-out screen that a
// scene exit fades in, and the scene's "Dialogue" array given by each test.
#include <gtest/gtest.h>

#include <string>

#include "EngineHarness.h"
#include "dialogue/DialogueBox.h"
#include "dialogue/DialogueManager.h"
#include "gameobjectengine/Follow.h"
#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/Transform.h"
#include "graphics/SpriteRenderer.h"

class DialogueTest : public ::testing::Test {
protected:
    // Objects: 0 "Thief" at (100, 600), 1 "Mage" at (400, 600), 2 "LoadingOutScreen"
    // (a fader that changes to scene 2 once opaque), 3 "Plain" (nothing).
    void Load(const std::string& dialogue, const std::string& extraComponents = "") {
        engine.LoadSceneText(R"({"GameObjects": [["Thief", 1, "Player"], ["Mage", 1, "Player"], ["LoadingOutScreen", 1], ["Plain", 1]],
            "Components": [
              {"class": "Transform", "gameObjectID": 0, "position": {"x": 100, "y": 600, "z": 0}},
              {"class": "Transform", "gameObjectID": 1, "position": {"x": 400, "y": 600, "z": 0}},
              {"class": "Transform", "gameObjectID": 2},
              {"class": "SpriteRenderer", "gameObjectID": 2, "alpha": 0},
              {"class": "Fader", "gameObjectID": 2, "startingAlpha": 0, "endingAlpha": 100, "sceneTransit": 1},
              {"class": "SceneTransition", "gameObjectID": 2, "sceneIndex": 2})" +
                             extraComponents + R"(],
            "Dialogue": )" + dialogue + "}");
    }

    static Dialogue::DialogueManager& Manager() { return Dialogue::DialogueManager::GetInstance(); }
    static DialogueBox& Box() { return *Manager().box.Get(); }
    static std::string Shown() { return Box().textChild->stringValue; }
    static bool OverlayShown() { return Manager().overlay.Get()->enabled; }
    static bool Frozen() { return GameFlags::Any(GameFlags::Cutscene); }

    EngineHarness engine;
};

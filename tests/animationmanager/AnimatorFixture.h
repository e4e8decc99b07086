#pragma once
// A scene with one object "Hero" that carries a code-built SpriteRenderer (no GL, no
// texture) and helpers that attach animators read from JSON the way a scene load does.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "EngineHarness.h"
#include "animationmanager/AnimationManager.h"
#include "animationmanager/Animator.h"
#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/JobManager.h"
#include "graphics/SpriteRenderer.h"

using Cell = std::pair<float, float>;

class AnimatorFixture : public ::testing::Test {
protected:
    // 0.25 s frames: every timing below is exact in binary floating point.
    static constexpr float kFrame = 0.25f;

    AnimatorFixture() : engine(kFrame) {
        engine.LoadSceneText(R"({"GameObjects": [["Hero", 1]], "Components": [], "Dialogue": []})");
        hero = engine.Find("Hero");
        sprite = hero->AddComponent<SpriteRenderer>(false, std::string());
    }

    // Constructs an animator for Hero from a component object, wakes and attaches it, runs
    // the look-up jobs (transition links, renderer fetch) and, unless told not to, starts it.
    Animator* Attach(const std::string& text, bool start = true) {
        JsonDocument document;
        EXPECT_TRUE(json::Parse(text, document)) << text;
        if (!document.IsObject()) document.SetObject();
        document.RemoveMember("gameObjectID");
        document.AddMember("gameObjectID", hero->id, document.GetAllocator());
        auto* animator = new Animator(document);
        animator->Awake();
        EXPECT_TRUE(hero->components.Add(animator));
        JobManager::GetInstance().RunJobs(JobKind::Lookup);
        if (start) animator->Start();
        return animator;
    }

    Cell Now() const { return {sprite->currX, sprite->currY}; }

    // The cell after each of n frames.
    std::vector<Cell> Play(int frames) {
        std::vector<Cell> cells;
        for (int i = 0; i < frames; ++i) {
            engine.Step();
            cells.push_back(Now());
        }
        return cells;
    }

    EngineHarness engine;
    GameObject* hero = nullptr;
    SpriteRenderer* sprite = nullptr;
};

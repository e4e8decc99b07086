#pragma once
// Shared set-up of the menu tests: a headless engine whose save folder is the test's own,
// audio groups and window mode back at their start-up values, and small readers.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "EngineHarness.h"
#include "audio/AudioManager.h"
#include "gameobjectengine/EngineState.h"
#include "gameobjectengine/Transform.h"
#include "graphics/GraphicsEngine.h"
#include "graphics/SpriteRenderer.h"
#include "save/SaveRecord.h"
#include "ui/Base.h"
#include "ui/Canvas.h"

class UiTest : public ::testing::Test {
protected:
    UiTest() {
        AudioManager& audio = AudioManager::GetInstance();
        for (int g = 0; g < 2; ++g) {
            audio.Group(g).SetMute(false);
            audio.Group(g).SetVolume(1.0f);
        }
        GraphicsEngine::GetInstance().shutDown = false;
        GraphicsEngine::GetInstance().SetFullscreen(false);
    }

    static std::string SaveFolder() { return std::string(std::getenv("APPDATA")) + "/Harrowvale"; }
    static std::string SavePath() { return SaveFolder() + "/GlobalSav.dat"; }

    static void WriteSave(const std::vector<uint8_t>& bytes) {
        std::filesystem::create_directories(SaveFolder());
        std::ofstream(SavePath(), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                          static_cast<std::streamsize>(bytes.size()));
    }
    static void WriteSave(const SaveData& record) {
        const SaveImage image = EncodeSave(record);
        WriteSave(std::vector<uint8_t>(image.begin(), image.end()));
    }
    static std::vector<uint8_t> ReadSave() {
        std::ifstream in(SavePath(), std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
    }

    static bool GroupMuted(int group) {
        bool muted = false;
        AudioManager::GetInstance().Group(group).GetMute(&muted);
        return muted;
    }
    static float GroupVolume(int group) {
        float volume = -1.0f;
        AudioManager::GetInstance().Group(group).GetVolume(&volume);
        return volume;
    }

    // The name of the object of the scene's first canvas's selection ("" for none).
    static std::string Selected() {
        auto* canvas = SceneManager::GetInstance().FindComponentOfType<UI::Canvas>();
        UI::Base* selected = canvas ? canvas->selected.Get() : nullptr;
        return selected && selected->owner ? selected->owner->name : "";
    }
    bool Shown(const std::string& name) const {
        auto* sprite = engine.Get<SpriteRenderer>(name);
        return sprite && sprite->enabled;
    }
    // A press of one frame and a frame without it, so that the next press is fresh again.
    void Key(InputAction action) {
        engine.Tap(action);
        engine.Step();
    }
    EngineState::State State() const { return EngineState::GetInstance().state; }

    EngineHarness engine;
};

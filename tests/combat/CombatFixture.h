#pragma once
// Small combat scenes built in code: units standing on a floor, effects and weapons made
// from JSON text, and a harness to step them.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "combat/CombatUnit.h"
#include "combat/EffectBasic.h"
#include "combat/Weapon.h"
#include "gameobjectengine/GameObject.h"
#include "graphics/DamageText.h"
#include "graphics/SpriteRenderer.h"
#include "physics/SceneBuilder.h"
#include "scenemanager/SceneManager.h"
#include "support/EngineHarness.h"

namespace combat_test {

using Combat::CombatUnit;

inline JsonDocument ParseJson(const std::string& text) {
    JsonDocument document;
    EXPECT_TRUE(json::Parse(text, document)) << text;
    return document;
}

inline std::unique_ptr<Combat::EffectBasic> MakeEffect(const std::string& text) {
    return Combat::BuildEffect(ParseJson(text));
}

inline int CountNamed(const std::string& name) { return SceneManager::GetInstance().CountGameObjectsByName(name); }

// The value shown by the first number object of that name (0 when there is none).
inline uint32_t ShownValue(const std::string& name) {
    GameObject* object = SceneManager::GetInstance().GetGameObjectByName(name);
    DamageText* text = object ? object->GetComponent<DamageText>() : nullptr;
    return text ? text->value : 0;
}

class CombatScene {
public:
    explicit CombatScene(float frameSeconds = 1.0f / 60.0f) : engine(frameSeconds) {
        scene.Floor("Floor", 1000.0f, 1000.0f, 1000.0f, 50.0f);
    }

    // A unit on the floor: Transform, SpriteRenderer, circle, body and a CombatUnit with
    // `members` (JSON members of the unit, "" for none).
    int Unit(const std::string& name, const std::string& tag, float x, const std::string& members = "") {
        const int id = scene.Object(name);
        tags_.push_back({name, tag});
        scene.At(id, x, 900.0f).Add(id, "SpriteRenderer").Circle(id, 50.0f).Body(id).Add(id, "CombatUnit", members);
        return id;
    }

    void Load() {
        std::string text = scene.Json();
        // The builder writes empty tags; put the units' tags in their entries.
        for (const auto& [name, tag] : tags_) {
            const std::string entry = "[\"" + name + "\", 1, \"\"";
            const std::size_t at = text.find(entry);
            if (at != std::string::npos) text.replace(at, entry.size(), "[\"" + name + "\", 1, \"" + tag + "\"");
        }
        engine.LoadSceneText(text);
    }

    CombatUnit* Get(int id) const {
        GameObject* object = SceneManager::GetInstance().GetGameObject(id);
        return object ? object->GetComponent<CombatUnit>() : nullptr;
    }
    CombatUnit* Get(const std::string& name) const { return engine.Get<CombatUnit>(name); }

    EngineHarness engine;
    SceneBuilder scene;

private:
    std::vector<std::pair<std::string, std::string>> tags_;
};

}  // namespace combat_test

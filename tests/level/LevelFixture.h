#pragma once
// A small level for the HUD, game-over and portal tests: objects are given as JSON entries,
// components appended to a common set.
#include <gtest/gtest.h>

#include <string>

#include "EngineHarness.h"
#include "combat/CombatUnit.h"
#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/Transform.h"

// A hero or enemy unit: "{"class": "CombatUnit", ...}" for object id with the given extra keys.
inline std::string Unit(int id, const std::string& keys) {
    return R"({"class": "CombatUnit", "gameObjectID": )" + std::to_string(id) + ", " + keys + "}";
}

inline std::string At(int id, float x, float y) {
    return R"({"class": "Transform", "gameObjectID": )" + std::to_string(id) + R"(, "position": {"x": )" +
           std::to_string(x) + R"(, "y": )" + std::to_string(y) + R"(, "z": 0}})";
}

inline std::string Scene(const std::string& objects, const std::string& components,
                         const std::string& dialogue = "[]") {
    return R"({"GameObjects": [)" + objects + R"(], "Components": [)" + components + R"(], "Dialogue": )" + dialogue +
           "}";
}

inline Combat::CombatUnit* UnitOf(EngineHarness& engine, const char* name) {
    return engine.Get<Combat::CombatUnit>(name);
}

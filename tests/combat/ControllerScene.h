#pragma once
// Small fighting scenes for the controller tests: heroes, enemies, bosses and floors
// written as a scene file in code, loaded through the real load (look-ups, Start,
// party set-up).
//
// Positions are Transforms; a fighter is a circle of radius 100 (moving bodies pass through
// one another), so it stands 100 px above the floor's top, where navigation puts its feet.
#include <string>
#include <vector>

#include "combat/CombatUnit.h"
#include "combat/EnemyBehaviour.h"
#include "combat/UnitController.h"
#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/Transform.h"
#include "physics/Collider.h"
#include "physics/NavMeshAgent.h"
#include "physics/Rigidbody.h"
#include "physics/SceneBuilder.h"
#include "support/EngineHarness.h"

namespace controllertest {

inline std::string Num(float v) { return std::to_string(v); }

// A self weapon (no effects): castTime, cooldown and cost are all the tests need.
inline std::string Weapon(const std::string& name, float castTime = 0.1f, int manaCost = 0, float cooldown = 0.0f) {
    return "{\"weaponType\": 3, \"name\": \"" + name + "\", \"castTime\": " + Num(castTime) +
           ", \"cooldown\": " + Num(cooldown) + ", \"manaCost\": " + std::to_string(manaCost) + "}";
}

// n plain weapons named w0, w1, ...
inline std::string Weapons(int n, float castTime = 0.1f) {
    std::string list;
    for (int i = 0; i < n; ++i) {
        if (i) list += ", ";
        list += Weapon(std::string("w").append(std::to_string(i)), castTime);
    }
    return list;
}

class SceneText : public SceneBuilder {
public:
    int Object(const std::string& name, const std::string& tag = "", unsigned layer = 1, bool active = true) {
        return SceneBuilder::Object(name, layer, active, tag);
    }
    // A static floor whose top is at y `top`, spanning x from `left` to `right`.
    int Floor(float left, float right, float top) {
        const int id = Object("Floor");
        At(id, (left + right) / 2, top + 50)
            .Add(id, "BoxCollider", "\"width\": " + Num((right - left) / 2) + ", \"height\": 50, \"isStatic\": 1");
        return id;
    }
    // A fighter: Transform, circle, body, unit (with extra unit keys and weapons) and an agent.
    int Fighter(const std::string& name, const std::string& tag, float x, float y, const std::string& weapons,
                const std::string& unitKeys = "", unsigned layer = 2) {
        const int id = Object(name, tag, layer);
        At(id, x, y)
            .Add(id, "CircleCollider", "\"radius\": 100")
            .Add(id, "RigidBody", "\"useGravity\": 1")
            .Add(id, "CombatUnit",
                 std::string(unitKeys.empty() ? "" : unitKeys + ", ") + "\"weapons\": [" + weapons + "]")
            .Add(id, "NavMeshAgent");
        return id;
    }
    // A hero: a fighter tagged "Player" with both controllers and a listener.
    int Hero(const std::string& name, float x, float y, int unitClass = 0, const std::string& weapons = Weapons(5),
             const std::string& unitKeys = "\"jumpHeight\": 900") {
        const int id = Fighter(name, "Player", x, y, weapons, unitKeys);
        Add(id, "PlayerUnitController", "\"unitClass\": " + std::to_string(unitClass))
            .Add(id, "AIUnitController")
            .Add(id, "AudioListener");
        return id;
    }
    // An enemy: fighter, AI controller (attack range) and, unless behaviour is empty, its behaviour.
    int Enemy(const std::string& name, float x, float y, const std::string& behaviour, float attackRange = 200,
              const std::string& tag = "Enemy", const std::string& unitKeys = "\"team\": 1") {
        const int id = Fighter(name, tag, x, y, Weapons(6), unitKeys, 4);
        Add(id, "AIUnitController", "\"enemyAttackRange\": " + Num(attackRange));
        if (!behaviour.empty()) Add(id, "EnemyBehaviour", behaviour);
        return id;
    }
};

// Accessors over a loaded scene.
struct Fighters {
    EngineHarness& engine;
    Combat::CombatUnit* Unit(const std::string& name) const { return engine.Get<Combat::CombatUnit>(name); }
    PlayerUnitController* Player(const std::string& name) const { return engine.Get<PlayerUnitController>(name); }
    AIUnitController* AI(const std::string& name) const { return engine.Get<AIUnitController>(name); }
    EnemyBehaviour* Behaviour(const std::string& name) const { return engine.Get<EnemyBehaviour>(name); }
    Transform* Place(const std::string& name) const { return engine.Get<Transform>(name); }
    Rigidbody* Body(const std::string& name) const { return engine.Get<Rigidbody>(name); }
    // Puts a fighter somewhere at once.
    void Move(const std::string& name, float x, float y) const {
        Transform* t = Place(name);
        t->x = x;
        t->y = y;
    }
};

}  // namespace controllertest

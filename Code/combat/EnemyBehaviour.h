#pragma once
// Walks an enemy between two waypoints until a hero comes near, then chases that hero
// for good, steering through the object's NavMeshAgent. Attacking is the enemy's
// AIUnitController's business; the heroes' AI controllers keep a list of these to
// find targets.
#include <cstdint>

#include "gameobjectengine/Component.h"

class NavMeshAgent;
class Rigidbody;
namespace Combat { class CombatUnit; }

class EnemyBehaviour : public Component {
public:
    static constexpr int32_t kPatrol = 0;
    static constexpr int32_t kChase = 1;
    // The patrol timer advances by a fixed step per update, whatever the frame time.
    static constexpr float kPatrolStep = 0.016f;

    explicit EnemyBehaviour(int32_t gameObjectID) : Component(gameObjectID) {}
    // "defaultState", "aggroRange", "movementSpeed", "jumpHeight", "resetTime",
    // "targetActivePlayer", "waypoint1X/Y/Z", "waypoint2X/Y/Z"; queues the look-ups
    // of the object's Rigidbody and NavMeshAgent.
    explicit EnemyBehaviour(const JsonValue& json);

    // Patrol toward waypoint1 first; fills look-ups that are still missing.
    void Start() override;
    // Aggro test, then one step of patrol or chase. Nothing while paused or in a cutscene.
    void Update() override;
    // Every field but the body and agent, which the copy looks up for itself.
    Component* Clone() const override;

    int32_t state = kPatrol;        // 0 patrol, 1 chase, other: idle until a hero comes near
    float aggroRange = 0.0f;        // pixels; 0 never notices anyone
    float movementSpeed = 150.0f;   // stored only: the unit walks at its own speed
    float jumpHeight = 650.0f;      // stored only
    float resetTime = 3.0f;         // length of one patrol leg, in kPatrolStep units
    bool targetIsLeader = true;     // chase the led hero (true) or the following one
    float waypoint1[3] = {};
    float waypoint2[3] = {};
    Rigidbody* rigidbody = nullptr;           // its Transform is the enemy's position
    NavMeshAgent* navAgent = nullptr;
    Combat::CombatUnit* unit = nullptr;
    uint8_t patrolLeg = 1;          // 1: toward waypoint1, 0: toward waypoint2
    float patrolTimer = 0.0f;

private:
    struct Target {
        bool present = false;
        float x = 0.0f, y = 0.0f;
        float distanceSq = 0.0f;
    };
    void TestAggro(const Target& leader, const Target& partner);
    void Patrol();
    void Chase(const Target& leader, const Target& partner);
};

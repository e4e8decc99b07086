#include "combat/EnemyBehaviour.h"

#include "combat/CombatUnit.h"
#include "combat/Party.h"
#include "combat/UnitController.h"
#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/Transform.h"
#include "physics/NavMeshAgent.h"
#include "physics/Rigidbody.h"

using Combat::CombatUnit;

EnemyBehaviour::EnemyBehaviour(const JsonValue& json) : Component(json) {
    state = json::ReadInt(json, "defaultState", state);
    aggroRange = json::ReadFloat(json, "aggroRange", aggroRange);
    movementSpeed = json::ReadFloat(json, "movementSpeed", movementSpeed);
    jumpHeight = json::ReadFloat(json, "jumpHeight", jumpHeight);
    resetTime = json::ReadFloat(json, "resetTime", resetTime);
    targetIsLeader = json::ReadInt(json, "targetActivePlayer", 1) != 0;
    static const char* const kKeys1[3] = {"waypoint1X", "waypoint1Y", "waypoint1Z"};
    static const char* const kKeys2[3] = {"waypoint2X", "waypoint2Y", "waypoint2Z"};
    for (int i = 0; i < 3; ++i) {
        waypoint1[i] = json::ReadFloat(json, kKeys1[i], 0.0f);
        waypoint2[i] = json::ReadFloat(json, kKeys2[i], 0.0f);
    }
    QueueFetchComponent(this, owner, &rigidbody);
    QueueFetchComponent(this, owner, &navAgent);
}

void EnemyBehaviour::Start() {
    patrolLeg = 1;
    if (!owner) return;
    if (!rigidbody) rigidbody = owner->GetComponent<Rigidbody>();
    if (!navAgent) navAgent = owner->GetComponent<NavMeshAgent>();
    if (!unit) unit = owner->GetComponent<CombatUnit>();
}

Component* EnemyBehaviour::Clone() const {
    auto* copy = new EnemyBehaviour(*this);
    copy->rigidbody = nullptr;
    copy->navAgent = nullptr;
    return copy;
}

namespace {

struct HeroPlace {
    bool present = false;
    float x = 0.0f, y = 0.0f;
};

// Where a hero's body stands; absent without the controller, its unit or its body.
HeroPlace PlaceOf(const UnitController* hero) {
    if (!hero || !hero->unit || !hero->unit->rigidbody || !hero->unit->rigidbody->transform) return {};
    const Transform* at = hero->unit->rigidbody->transform;
    return {true, at->x, at->y};
}

}  // namespace

void EnemyBehaviour::Update() {
    if (GameFlags::Any(GameFlags::Paused | GameFlags::Cutscene)) return;
    const Transform* self = rigidbody ? rigidbody->transform : nullptr;
    if (!self) return;
    const Combat::Party& party = Combat::Party::GetInstance();
    auto measure = [self](const HeroPlace& place) {
        Target target{place.present, place.x, place.y, 0.0f};
        const float dx = place.x - self->x;
        const float dy = place.y - self->y;
        target.distanceSq = dx * dx + dy * dy;
        return target;
    };
    const Target leader = measure(PlaceOf(party.CurrentPlayerController()));
    const Target partner = measure(PlaceOf(party.CurrentAIController()));
    TestAggro(leader, partner);
    if (state == kPatrol) {
        Patrol();
    } else if (state == kChase) {
        Chase(leader, partner);
    }
}

void EnemyBehaviour::TestAggro(const Target& leader, const Target& partner) {
    const float rangeSq = aggroRange * aggroRange;
    bool noticed = false;
    // The nearer hero is tested, the following one on a tie.
    if (partner.present && (!leader.present || partner.distanceSq <= leader.distanceSq)) {
        if (rangeSq > partner.distanceSq) {
            targetIsLeader = false;
            noticed = true;
        }
    } else if (leader.present && rangeSq > leader.distanceSq) {
        targetIsLeader = true;
        noticed = true;
    }
    if (!noticed) return;
    state = kChase;
    if (unit) unit->states[CombatUnit::CHASING] = 1;
}

void EnemyBehaviour::Patrol() {
    patrolTimer += kPatrolStep;
    if (patrolTimer > resetTime) {
        patrolTimer = 0.0f;
        patrolLeg = patrolLeg == 1 ? 0 : 1;
    }
    const float* waypoint = patrolLeg == 1 ? waypoint1 : waypoint2;
    UnitController::SteerTo(navAgent, waypoint[0], waypoint[1]);
}

void EnemyBehaviour::Chase(const Target& leader, const Target& partner) {
    const Target& target = targetIsLeader ? leader : partner;
    if (!navAgent) return;
    if (!target.present) {
        // The hero is gone: give up rather than walk on in the agent's last direction.
        if (unit) unit->moveDirection = 0;
        return;
    }
    UnitController::SteerTo(navAgent, target.x, target.y);
}

// The computer's hand on a unit. The object's tag picks the role every frame: the
// hero that follows the led one ("Player"), an ordinary enemy ("Enemy"), the final
// boss ("MagitekBoss") or the laser boss ("Laser Boss").
#include <string>

#include "combat/CombatUnit.h"
#include "combat/EmitterCalls.h"
#include "combat/EnemyBehaviour.h"
#include "combat/ObjectEffects.h"
#include "combat/Party.h"
#include "combat/UnitController.h"
#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/HeroNames.h"
#include "gameobjectengine/Transform.h"
#include "graphics/Camera.h"
#include "graphics/GraphicsEngine.h"
#include "physics/NavMeshAgent.h"
#include "physics/Rigidbody.h"
#include "scenemanager/SceneManager.h"

using Combat::CombatUnit;

namespace {

constexpr float kFollowDistanceSq = 300.0f * 300.0f;
constexpr float kEnemyNoticeSq = 500.0f * 500.0f;
constexpr float kThiefReachSq = 200.0f * 200.0f;
constexpr float kMageReachSq = 700.0f * 700.0f;
constexpr float kBossCloseSq = 800.0f;

// Where a unit stands: the Transform its body moves. Null when it has none.
const Transform* BodyTransform(const CombatUnit* unit) {
    return (unit && unit->rigidbody) ? unit->rigidbody->transform : nullptr;
}

// A hero as the AI sees it: its object's Transform, but only a hero with a unit counts.
AIUnitController::HeroSight Sight(const UnitController* hero, const Transform& self) {
    AIUnitController::HeroSight sight;
    if (!hero || !hero->unit || !hero->owner) return sight;
    const Transform* at = hero->owner->GetComponent<Transform>();
    if (!at) return sight;
    sight = {true, at->x - self.x, at->y - self.y, at->x, at->y};
    return sight;
}

bool IsInFront(const AIUnitController::HeroSight& hero, uint32_t facing) {
    if (!hero.present) return false;
    return (facing == 0 && hero.dx <= 0.0f) || (facing == 1 && hero.dx >= 0.0f);
}

// A summoned enemy joins the enemy lists of both heroes' computer control.
void RegisterSummonedEnemy(GameObject& summoned) {
    EnemyBehaviour* enemy = summoned.GetComponent<EnemyBehaviour>();
    if (!enemy) return;
    SceneManager& scene = SceneManager::GetInstance();
    for (const char* hero : {Heroes::kThief, Heroes::kMage}) {
        GameObject* object = scene.GetGameObjectByName(hero);
        if (AIUnitController* ai = object ? object->GetComponent<AIUnitController>() : nullptr) ai->AddEnemy(enemy);
    }
}

}  // namespace

AIUnitController::AIUnitController(int32_t objectID) : UnitController(objectID) { enemies.reserve(kMaxEnemies); }

AIUnitController::AIUnitController(const JsonValue& json)
    : UnitController(json), enemyAttackRange(json::ReadFloat(json, "enemyAttackRange", 200.0f)) {
    enemies.reserve(kMaxEnemies);
    QueueFetchComponent(this, owner, &navAgent);
}

void AIUnitController::Start() {
    UnitController::Start();
    ListSceneEnemies();
    Combat::EffectSummon::SetSummonedHook(&RegisterSummonedEnemy);  // enemies summoned later join the lists
    if (!navAgent && owner) navAgent = owner->GetComponent<NavMeshAgent>();
    // The final boss's trails, smoke and summoning circles: woken now, started with the next jobs.
    if (owner && owner->tag == "MagitekBoss") Combat::Emitters::AddBossEmitter(*owner);
}

void AIUnitController::ListSceneEnemies() {
    enemies.clear();
    // Inactive objects too: an enemy waiting to be switched on is still an enemy.
    SceneManager::GetInstance().Objects().ForEach([this](GameObject* object) {
        if (EnemyBehaviour* enemy = object->GetComponent<EnemyBehaviour>()) AddEnemy(enemy);
    });
}

bool AIUnitController::AddEnemy(EnemyBehaviour* enemy) {
    if (!enemy || enemies.size() >= kMaxEnemies) return false;
    enemies.emplace_back(enemy);
    return true;
}

void AIUnitController::OnDestroy() { enemies.clear(); }

void AIUnitController::OnSceneLoaded() {
    if (!owner || owner->tag != "MagitekBoss") return;
    GraphicsEngine& graphics = GraphicsEngine::GetInstance();
    // Held until the first summon and the first shield: the boss's level holds the most
    // pictures of all, and a fight ended early needs neither.
    graphics.HoldTexture("Assets/Art/Characters/MagitekAndroidRedAtlas.png");
    graphics.HoldTexture("Assets/Art/Effects/ShieldBoss.png");
}

void AIUnitController::Enable() {
    if (unit) unit->states[CombatUnit::AI_CONTROLLED] = 1;
    UnitController::Enable();
}

void AIUnitController::Disable() {
    if (unit) unit->states[CombatUnit::AI_CONTROLLED] = 0;
    UnitController::Disable();
}

void AIUnitController::Update() {
    if (GameFlags::Any(GameFlags::Paused | GameFlags::Cutscene)) return;
    if (!unit || unit->HasState(CombatUnit::CASTING) || unit->HasState(CombatUnit::RECOVERING)) return;
    if (!unit->HasState(CombatUnit::ALIVE)) enabled = false;  // this update still runs
    const Transform* self = BodyTransform(unit);
    if (!self || !owner) return;
    const Sights heroes = LookAtHeroes(*self);
    const std::string& tag = owner->tag;
    if (tag == Heroes::kTag) {
        FollowLeader(*self, heroes);
        return;
    }
    // A foe starts nothing the player cannot see: no blow, shot, skill or beam comes
    // from outside the view. One started in view plays out (this update waits while the
    // unit casts and recovers): the player saw it coming, and what it throws shows.
    if (!Camera::MainView().Contains(self->x, self->y)) return;
    if (tag == "Enemy") {
        ActAsEnemy(heroes);
    } else if (tag == "MagitekBoss") {
        ActAsMagitekBoss(heroes);
    } else if (tag == "Laser Boss") {
        ActAsLaserBoss(heroes);
    }
}

AIUnitController::Sights AIUnitController::LookAtHeroes(const Transform& self) const {
    const Combat::Party& party = Combat::Party::GetInstance();
    Sights heroes;
    heroes.leader = Sight(party.CurrentPlayerController(), self);
    // No partner (or one without a unit): both measures are the leader's.
    heroes.partner = Sight(party.CurrentAIController(), self);
    if (!heroes.partner.present) heroes.partner = heroes.leader;
    return heroes;
}

bool AIUnitController::InRange(const Sights& heroes) const {
    const float rangeSq = enemyAttackRange * enemyAttackRange;
    auto near = [rangeSq](const HeroSight& hero) { return hero.present && hero.SqrDistance() < rangeSq; };
    return near(heroes.leader) || near(heroes.partner);
}

bool AIUnitController::InFront(const Sights& heroes) const {
    const uint32_t facing = unit->rigidbody->facing;
    return IsInFront(heroes.leader, facing) || IsInFront(heroes.partner, facing);
}

void AIUnitController::FollowLeader(const Transform& self, const Sights& heroes) {
    if (heroes.leader.present && heroes.leader.SqrDistance() > kFollowDistanceSq) {
        SteerTo(navAgent, heroes.leader.x, heroes.leader.y);
        return;
    }
    FightNearbyEnemies(self);
    // Near the leader the partner stands: it turns, may jump and attacks, but never walks.
    unit->moveDirection = 0;
}

void AIUnitController::FightNearbyEnemies(const Transform& self) {
    const std::string& name = owner->name;
    const float reachSq = name == Heroes::kThief ? kThiefReachSq : name == Heroes::kMage ? kMageReachSq : -1.0f;
    if (reachSq < 0.0f) return;
    Rigidbody* body = unit->rigidbody;
    for (const Handle<EnemyBehaviour>& entry : enemies) {
        const EnemyBehaviour* enemy = entry.Get();
        if (!enemy || !enemy->unit || !enemy->unit->HasState(CombatUnit::ALIVE)) continue;
        const Transform* at = enemy->rigidbody ? enemy->rigidbody->transform : nullptr;
        if (!at) continue;
        const float ex = at->x - self.x;
        const float ey = at->y - self.y;
        const float distanceSq = ex * ex + ey * ey;
        if (distanceSq >= kEnemyNoticeSq) continue;
        if (distanceSq >= reachSq) {
            SteerTo(navAgent, at->x, at->y);
            continue;
        }
        const bool mayTurn = !unit->HasState(CombatUnit::MOVEMENT_LOCKED) && !unit->HasState(CombatUnit::FROZEN);
        if (mayTurn && ex > 0.0f) body->facing = 1;
        if (mayTurn && ex < 0.0f) body->facing = 0;
        UseWeapon(0);
    }
}

void AIUnitController::ActAsEnemy(const Sights& heroes) {
    if (InRange(heroes) && InFront(heroes)) UseWeapon(0);
}

bool AIUnitController::TryWeapon(int32_t index, const char* parameter) {
    if (UseWeapon(index)) {
        unit->SetParameter(parameter, true);
        return true;
    }
    if (!unit->HasState(CombatUnit::RECOVERING) && !unit->HasState(CombatUnit::CASTING)) unit->SetParameter(parameter, false);
    return false;
}

void AIUnitController::ActAsMagitekBoss(const Sights& heroes) {
    if (!heroes.any()) return;  // nobody to fight: no attacks at the air
    const bool front = InFront(heroes);
    const bool secondPhase = unit->currentHealth < unit->maxHealth / 2;
    if (secondPhase) {
        if (front && TryWeapon(4, "Weapon3")) return;
        if (TryWeapon(5, "Weapon1")) return;
    } else if (front && TryWeapon(3, "Weapon3")) {
        return;
    }
    if (TryWeapon(1, "Weapon1")) return;
    if (InRange(heroes)) {
        if (front && UseWeapon(0)) unit->SetParameter("Weapon0", true);
        return;
    }
    auto close = [](const HeroSight& hero) { return !hero.present || hero.SqrDistance() <= kBossCloseSq; };
    if (close(heroes.leader) && close(heroes.partner)) return;
    if (front) TryWeapon(2, "Weapon2");
}

void AIUnitController::ActAsLaserBoss(const Sights& heroes) {
    const bool front = InFront(heroes);
    if (InRange(heroes) && front) UseWeapon(0);
    if (front) TryWeapon(1, "Weapon1");
}

#pragma once
// Unit controllers: the components that drive a CombatUnit by writing its move
// direction and action requests and starting its weapons.
//
//   PlayerUnitController  the player's keys: run, jump (double jump for unitClass 1),
//                         five weapons (held keys retry every frame), the hero swap.
//   AIUnitController      the computer's hand, by the object's tag: "Player" (the hero
//                         that follows the led one), "Enemy", "MagitekBoss", "Laser Boss".
//
// Each hero carries one of each; the party set-up and Combat::Party::SwapCharacter
// enable one and disable the other. A controller without a unit does nothing but
// switch itself on and off.
#include <cstdint>
#include <vector>

#include "gameobjectengine/Component.h"
#include "gameobjectengine/Handle.h"

class EnemyBehaviour;
class NavMeshAgent;
class Transform;
namespace Combat { class CombatUnit; }

class UnitController : public Component {
public:
    explicit UnitController(int32_t objectID) : Component(objectID) {}
    // The Component keys; queues the look-up of the object's CombatUnit.
    explicit UnitController(const JsonValue& json);

    // Fills a unit that the look-up missed.
    void Start() override;

    // ResetActions, then switch on / off.
    virtual void Enable();
    virtual void Disable();
    // The unit stands still with no pending jump.
    virtual void ResetActions();

    // Starts weapon `index` of the unit: false while the unit casts or is frozen, for an
    // index it has no weapon at, or when the weapon may not be cast now.
    bool UseWeapon(int32_t index);

    // Hands a target point to an agent, clamped to the navigation grid before it becomes
    // an integer (a unit falling out of the level stays a valid target). No agent: nothing.
    static void SteerTo(NavMeshAgent* agent, float x, float y);

    Combat::CombatUnit* unit = nullptr;  // of the same object
};

class PlayerUnitController : public UnitController {
public:
    static constexpr float kSwapInterval = 0.5f;
    static constexpr float kNoManaInterval = 0.15f;

    explicit PlayerUnitController(int32_t objectID) : UnitController(objectID) {}
    // "unitClass" (1: a second jump in the air).
    explicit PlayerUnitController(const JsonValue& json);

    void Start() override;
    // Nothing while paused, in a cutscene or after game over.
    void Update() override;
    Component* Clone() const override { return new PlayerUnitController(*this); }

    // Also marks the unit PLAYER_CONTROLLED (or not).
    void Enable() override;
    void Disable() override;

    // The refusal sound, at most once per kNoManaInterval.
    void PlayNoManaSound();

    float swapTimer = 0.0f;  // seconds since the last hero swap
    int32_t unitClass = 0;
    float noManaCooldown = 0.0f;

private:
    void ReadMovement();
    void ReadJump();
    void ReadSwap();
    void ReadWeapons();
    bool MayJump() const;
};

class AIUnitController : public UnitController {
public:
    static constexpr std::size_t kMaxEnemies = 1024;

    explicit AIUnitController(int32_t objectID);
    // "enemyAttackRange" (pixels); queues the look-up of the object's NavMeshAgent.
    explicit AIUnitController(const JsonValue& json);
    // A copy keeps its own enemy list.
    AIUnitController(const AIUnitController&) = default;

    // Fills missed look-ups, lists the scene's enemies, gives the final boss its emitter.
    void Start() override;
    // Nothing while paused or in a cutscene.
    void Update() override;
    void OnDestroy() override;
    // Preloads the final boss's pictures.
    void OnSceneLoaded() override;
    Component* Clone() const override { return new AIUnitController(*this); }

    // Also marks the unit AI_CONTROLLED (or not).
    void Enable() override;
    void Disable() override;

    // Adds an enemy for the following hero to consider (a summoned one); false when
    // the list is full or the enemy is null.
    bool AddEnemy(EnemyBehaviour* enemy);
    std::size_t EnemyCount() const { return enemies.size(); }

    NavMeshAgent* navAgent = nullptr;  // of the same object
    // Borrowed: enemies belong to their objects; one destroyed reads null here.
    std::vector<Handle<EnemyBehaviour>> enemies;
    float enemyAttackRange = 200.0f;

    // Where a hero stands relative to this unit; absent when there is no such hero.
    struct HeroSight {
        bool present = false;
        float dx = 0.0f, dy = 0.0f;  // offset from this unit
        float x = 0.0f, y = 0.0f;    // the hero's own position
        float SqrDistance() const { return dx * dx + dy * dy; }
    };

private:
    struct Sights {
        HeroSight leader, partner;
        bool any() const { return leader.present || partner.present; }
    };
    Sights LookAtHeroes(const Transform& self) const;
    bool InRange(const Sights& heroes) const;
    bool InFront(const Sights& heroes) const;

    void FollowLeader(const Transform& self, const Sights& heroes);
    void FightNearbyEnemies(const Transform& self);
    void ActAsEnemy(const Sights& heroes);
    void ActAsMagitekBoss(const Sights& heroes);
    void ActAsLaserBoss(const Sights& heroes);
    // Weapon k; on success parameter N is set, on a refusal while idle it is cleared.
    bool TryWeapon(int32_t index, const char* parameter);
    void ListSceneEnemies();
};

#pragma once
// A level's exit. Shut (its collider blocks the way) while any enemy of team 2 that was
// in the level at its start is alive; then it opens (collider off, the "GoImage" picture
// shown), and once the hero the player steers passes it to the right the level fades
// out and the scene nextSceneIndex loads.
#include <cstdint>
#include <vector>

#include "gameobjectengine/Component.h"
#include "gameobjectengine/Handle.h"

class Collider;
class SpriteRenderer;
class Transform;
namespace Combat { class CombatUnit; }

class Portal : public Component {
public:
    static constexpr int32_t kEnemyTeam = 2;

    explicit Portal(int32_t objectID) : Component(objectID) {}
    // "nextSceneIndex" (absent: 0); queues the look-up of the own collider.
    explicit Portal(const JsonValue& json);

    // Gathers the level's units and hides the go picture.
    void Start() override;
    // Opens once the enemies are dead; leaves when the steered hero has passed.
    void Update() override;

    int32_t nextSceneIndex = 0;
    uint32_t livingEnemies = 0;
    // Every unit of the level at start, held without owning them (one that is gone counts as dead).
    std::vector<Handle<Combat::CombatUnit>> units;
    Collider* collider = nullptr;
    Handle<Transform> heroTransform;
    bool open = false;
    Handle<SpriteRenderer> goPicture;

private:
    uint32_t CountEnemies(bool livingOnly) const;
    void Open();
    void Leave();
};

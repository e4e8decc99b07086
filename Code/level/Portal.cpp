#include "level/Portal.h"

#include <memory>

#include "audio/DynamicBGM.h"
#include "combat/CombatUnit.h"
#include "combat/Party.h"
#include "combat/UnitController.h"
#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/JobManager.h"
#include "gameobjectengine/Transform.h"
#include "graphics/Fader.h"
#include "graphics/SpriteRenderer.h"
#include "physics/Collider.h"
#include "scenemanager/SceneManager.h"
#include "scenemanager/SceneTransition.h"

namespace {

Fader* FaderOf(GameObject* object) { return object ? object->GetComponent<Fader>() : nullptr; }

}  // namespace

Portal::Portal(const JsonValue& json) : Component(json), nextSceneIndex(json::ReadInt(json, "nextSceneIndex", 0)) {
    JobManager::GetInstance().AddJobFor(
        this, [this] { if (owner) collider = owner->GetComponent<Collider>(); }, JobKind::Lookup, 0.0f);
}

void Portal::Start() {
    SceneManager& scene = SceneManager::GetInstance();
    if (!collider && owner) collider = owner->GetComponent<Collider>();
    const std::unique_ptr<SlotPool<Combat::CombatUnit, PoolOwnership::Borrowing>> found(scene.FindAllComponentsOfType<Combat::CombatUnit>());
    units.clear();
    found->ForEach([this](Combat::CombatUnit* unit) { units.emplace_back(unit); });
    livingEnemies = CountEnemies(false);
    GameObject* go = scene.GetGameObjectByName("GoImage");
    goPicture = go ? go->GetComponent<SpriteRenderer>() : nullptr;
    if (SpriteRenderer* picture = goPicture.Get()) picture->enabled = false;
}

uint32_t Portal::CountEnemies(bool livingOnly) const {
    uint32_t count = 0;
    for (const Handle<Combat::CombatUnit>& handle : units) {
        const Combat::CombatUnit* unit = handle.Get();
        if (unit && unit->team == kEnemyTeam && (!livingOnly || unit->currentHealth >= 1)) ++count;
    }
    return count;
}

void Portal::Update() {
    if (livingEnemies != 0) livingEnemies = CountEnemies(true);
    if (!open && livingEnemies == 0) Open();
    if (!open) return;
    const PlayerUnitController* hero = Combat::Party::GetInstance().CurrentPlayerController();
    heroTransform = hero && hero->owner ? hero->owner->GetComponent<Transform>() : nullptr;
    const Transform* heroAt = heroTransform.Get();
    const Transform* portalAt = collider ? collider->transform : nullptr;
    // Without a hero to steer or a place of its own, nobody can pass the portal.
    if (!heroAt || !portalAt) return;
    if (heroAt->x > portalAt->x) Leave();
}

void Portal::Open() {
    open = true;
    if (collider) collider->enabled = false;
    if (SpriteRenderer* picture = goPicture.Get()) picture->enabled = true;
}

void Portal::Leave() {
    SceneManager& scene = SceneManager::GetInstance();
    GameObject* out = scene.GetGameObjectByName("LoadingOutScreen");
    SceneTransition* transition = out ? out->GetComponent<SceneTransition>() : nullptr;
    Fader* outFader = FaderOf(out);
    if (transition) {
        transition->sceneIndex = nextSceneIndex;
        if (outFader && !outFader->fading) outFader->StartFade();
    }
    if (Fader* anim = FaderOf(scene.GetGameObjectByName("LoadingOutAnim"))) {
        anim->fadeTime = 0.95f;
        anim->StartFade();
    }
    GameFlags::word = (GameFlags::word & ~GameFlags::Paused) | GameFlags::Cutscene;
    enabled = false;
    if (auto* music = scene.FindComponentOfType<DynamicBGM>()) music->FadeTo(1.0f, 0.0f);
    // A level without a fade to carry the change still leads on, rather than freezing.
    if (!transition || !outFader) SceneTransition::LoadSceneByIndex(nextSceneIndex);
}

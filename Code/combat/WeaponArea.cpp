#include "combat/WeaponArea.h"

#include "combat/CombatObjects.h"
#include "combat/CombatUnit.h"
#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/Time.h"
#include "gameobjectengine/TimeToLive.h"
#include "gameobjectengine/Transform.h"
#include "graphics/SpriteRenderer.h"
#include "physics/Collider.h"
#include "physics/Rigidbody.h"
#include "scenemanager/SceneManager.h"

namespace Combat {

void WeaponArea::Setup(int32_t targetGroupIn, int32_t teamIn, float tickIntervalIn, int32_t collisions,
                       const std::string& image, float imageTime, Rigidbody* body, const EffectVector* list,
                       Component* keeper) {
    targetGroup = targetGroupIn;
    team = teamIn;
    tickInterval = tickIntervalIn;
    tickTimer = tickIntervalIn;
    collisionsBeforeDestroy = collisions;
    imgOnDestroy = image;
    imgOnDestroyTime = imageTime;
    rigidbody = body;
    effects = list;
    keeper_ = keeper;
    hasKeeper_ = keeper != nullptr;
}

void WeaponArea::Detach() {
    effects = nullptr;
    enabled = false;
}

bool WeaponArea::Targets(int32_t otherTeam) const {
    return ((targetGroup & kOtherTeams) && otherTeam != team) || ((targetGroup & kOwnTeam) && otherTeam == team);
}

void WeaponArea::Update() {
    if (!effects) return;
    if (hasKeeper_ && !keeper_) return;  // the list went with its owner
    for (const auto& effect : *effects) {
        if (!effect->targetCasterInstead) continue;
        if (CombatUnit* caster = effect->caster.Get()) caster->effectList->AddEffect(*effect);
    }
    const float dt = Time::GetInstance().deltaTime;
    if (!(tickTimer > tickInterval)) {
        tickTimer += dt;
        return;
    }
    HitContacts();
    tickTimer = tickTimer - tickInterval + dt;
}

void WeaponArea::HitContacts() {
    Rigidbody* body = rigidbody.Get();
    if (!body) return;
    for (uint32_t i = 0; i < Rigidbody::kMaxContacts; ++i) {
        Collider* contact = body->contacts[i];
        if (!contact || !contact->owner) continue;
        CombatUnit* unit = contact->owner->GetComponent<CombatUnit>();
        if (!unit || !Targets(unit->team)) continue;
        // Re-read every step: an effect's start could end this area (it never does today).
        for (std::size_t e = 0; effects && e < effects->size(); ++e) unit->effectList->AddEffect(*(*effects)[e]);
        if (!imgOnDestroy.empty()) ShowImpact();
        // Its own object by what the object is now: the id the area was made with may name
        // another object once this one has lived through a scene load.
        if (collisionsBeforeDestroy > 0 && --collisionsBeforeDestroy == 0 && owner)
            SceneManager::GetInstance().DestroyGameObject(owner->id);
    }
}

void WeaponArea::ShowImpact() const {
    const std::string name = (owner ? owner->name : std::string()) + "_impactFX";
    GameObject* impact = SceneManager::GetInstance().CreateGameObject(name);
    if (!impact) return;  // the object table is full
    Transform* at = owner ? owner->GetComponent<Transform>() : nullptr;
    if (Transform* transform = impact->AddComponent<Transform>(); transform && at) {
        transform->x = at->x;
        transform->y = at->y;
        transform->z = at->z;
    }
    AddUnitSprite(*impact, imgOnDestroy);
    if (auto* ttl = impact->AddComponent<TimeToLive>()) ttl->SetSeconds(imgOnDestroyTime);
}

}  // namespace Combat

#include "combat/Weapon.h"

#include <algorithm>

#include "combat/CombatObjects.h"
#include "combat/CombatUnit.h"
#include "combat/DataLimits.h"
#include "combat/EmitterCalls.h"
#include "combat/WeaponArea.h"
#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/GameRandom.h"
#include "gameobjectengine/JobManager.h"
#include "gameobjectengine/TimeToLive.h"
#include "gameobjectengine/Transform.h"
#include "physics/Translate.h"
#include "graphics/SpriteRenderer.h"
#include "physics/BoxCollider.h"
#include "physics/CircleCollider.h"
#include "physics/Rigidbody.h"
#include "scenemanager/SceneManager.h"

namespace Combat {

namespace {

Collider* AddCollider(GameObject& trigger, Transform& transform, int32_t type, float a, float b) {
    if (type == 1) {
        auto* circle = trigger.AddComponent<CircleCollider>();
        if (circle) circle->SetSize(a, a);
        transform.scaleX = a;
        transform.scaleY = a;
        return circle;
    }
    if (type == 2) {
        auto* box = trigger.AddComponent<BoxCollider>();
        if (box) box->SetSize(a, b);
        transform.scaleX = a;
        transform.scaleY = b;
        return box;
    }
    return nullptr;
}

}  // namespace

WeaponField::WeaponField(const JsonValue& json)
    : WeaponBasic(json),
      colliderType(json::ReadInt(json, "colliderType", 0)),
      colDim1(json::ReadFloat(json, "colDim1", 1.0f)),
      colDim2(json::ReadFloat(json, "colDim2", 1.0f)),
      lifetime(json::ReadFloat(json, "lifetime", 1.0f)),
      tickInterval(Limits::AtLeast(json::ReadFloat(json, "tickInterval", 1.0f), Limits::kMinHitInterval)),
      collisionsBeforeDestroy(json::ReadInt(json, "collisionsBeforeDestroy", -1)),
      imgOnDestroy(json::ReadString(json, "imgOnDestroy", "")),
      imgOnDestroyTime(json::ReadFloat(json, "imgOnDestroyTime", 0.0f)) {}

float WeaponField::FacingSign(const CombatUnit& caster) {
    return (caster.rigidbody && caster.rigidbody->facing != 1) ? -1.0f : 1.0f;
}

void WeaponField::PlaceBeside(GameObject& trigger, const CombatUnit& caster, float offsetX, float offsetY) {
    Transform* transform = trigger.GetComponent<Transform>();
    const Transform* at = caster.owner ? caster.owner->GetComponent<Transform>() : nullptr;
    if (!transform || !at) return;
    transform->x = at->x + FacingSign(caster) * offsetX;
    transform->y = at->y + offsetY;
}

GameObject* WeaponField::Fire(CombatUnit* caster) {
    PlayFireVoice();
    if (!caster) return nullptr;
    GameObject* trigger = SceneManager::GetInstance().CreateGameObject(name + " trigger");
    if (!trigger) return nullptr;  // the object table is full
    Transform* transform = trigger->AddComponent<Transform>();
    if (!transform) return trigger;
    Collider* collider = AddCollider(*trigger, *transform, colliderType, colDim1, colDim2);
    auto* body = trigger->AddComponent<Rigidbody>();
    if (body) {
        body->collider = collider;
        body->isKinematic = true;
        body->useGravity = false;
        if (caster->rigidbody) body->facing = caster->rigidbody->facing;
    }
    if (auto* area = trigger->AddComponent<WeaponArea>())
        area->Setup(targetGroup, caster->team, tickInterval, collisionsBeforeDestroy, imgOnDestroy, imgOnDestroyTime, body,
                    &effects, caster);
    if (auto* ttl = trigger->AddComponent<TimeToLive>()) ttl->SetSeconds(lifetime);
    return trigger;
}

WeaponFieldMelee::WeaponFieldMelee(const JsonValue& json)
    : WeaponField(json), offsetX(json::ReadFloat(json, "offsetX", 0.0f)), offsetY(json::ReadFloat(json, "offsetY", 0.0f)) {
    weaponType = WeaponCode::Melee;
}

GameObject* WeaponFieldMelee::Fire(CombatUnit* caster) {
    GameObject* trigger = WeaponField::Fire(caster);
    if (trigger) PlaceBeside(*trigger, *caster, offsetX, offsetY);
    return trigger;
}

WeaponFieldProjectile::WeaponFieldProjectile(const JsonValue& json)
    : WeaponField(json),
      offsetX(json::ReadFloat(json, "offsetX", 0.0f)),
      offsetY(json::ReadFloat(json, "offsetY", 0.0f)),
      velocityX(json::ReadFloat(json, "velocityX", 0.0f)),
      velocityY(json::ReadFloat(json, "velocityY", 0.0f)),
      minAccelerationX(json::ReadFloat(json, "minAccelerationX", 0.0f)),
      minAccelerationY(json::ReadFloat(json, "minAccelerationY", 0.0f)),
      maxAccelerationX(json::ReadFloat(json, "maxAccelerationX", 0.0f)),
      maxAccelerationY(json::ReadFloat(json, "maxAccelerationY", 0.0f)),
      imgProjectile(json::ReadString(json, "imgProjectile", "")),
      numProjectiles(std::min(json::ReadInt(json, "numProjectiles", 1), Limits::kMaxProjectilesPerVolley)),
      launchInterval(Limits::AtLeast(json::ReadFloat(json, "launchInterval", 0.5f), Limits::kMinLaunchInterval)),
      remainingProjectiles(numProjectiles) {
    weaponType = WeaponCode::Projectile;
}

GameObject* WeaponFieldProjectile::Fire(CombatUnit* caster) {
    if (!caster || !caster->IsAlive()) return nullptr;
    GameObject* trigger = WeaponField::Fire(caster);
    if (trigger) {
        const float s = FacingSign(*caster);
        PlaceBeside(*trigger, *caster, offsetX, offsetY);
        Transform* transform = trigger->GetComponent<Transform>();
        if (transform && s < 0.0f) transform->scaleX = -transform->scaleX;
        if (auto* translate = trigger->AddComponent<Translate>()) {
            translate->velocityX = s * velocityX;
            translate->velocityY = velocityY;
            translate->accelerationX = s * RandomBetween(minAccelerationX, maxAccelerationX);
            translate->accelerationY = RandomBetween(minAccelerationY, maxAccelerationY);
        }
        AddSprite(*trigger);
        if (transform) Emitters::AddProjectileTrail(*caster, *transform);
    }
    QueueNext(caster);
    return trigger;
}

void WeaponFieldProjectile::AddSprite(GameObject& trigger) const { AddUnitSprite(trigger, imgProjectile); }

void WeaponFieldProjectile::QueueNext(CombatUnit* caster) {
    if (remainingProjectiles <= 1) {
        remainingProjectiles = numProjectiles;
        return;
    }
    --remainingProjectiles;
    // Bound to the caster, which owns this weapon: skipped once the unit is gone.
    JobManager::GetInstance().AddJobFor(caster, [this, caster]() { Fire(caster); }, JobKind::Frame, launchInterval);
}

}  // namespace Combat

#include "combat/EmitterCalls.h"

#include "combat/CombatUnit.h"
#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/GameRandom.h"
#include "gameobjectengine/Transform.h"
#include "particles/BossParticleEmitter.h"
#include "particles/LaserParticleEmitter.h"
#include "particles/MageParticleEmitter.h"
#include "particles/ManaParticleEmitter.h"
#include "particles/ThiefParticleEmitter.h"
#include "physics/Rigidbody.h"

namespace Combat::Emitters {

namespace {

template <typename T>
T* EmitterOf(const CombatUnit& unit) {
    return unit.owner ? unit.owner->GetComponent<T>() : nullptr;
}

// Attached, woken and its Start queued (AddComponent), then started at once as well, so
// it draws from the unit's first frame.
template <typename T>
T* AddStarted(GameObject& object) {
    T* emitter = object.AddComponent<T>();
    if (emitter) emitter->Start();
    return emitter;
}

// Where a unit stands: the Transform its rigidbody moves, else its own object's.
const Transform* PlaceOf(const CombatUnit& unit) {
    const GameObject* object = unit.rigidbody && unit.rigidbody->owner ? unit.rigidbody->owner : unit.owner;
    return object ? object->GetComponent<Transform>() : nullptr;
}

}  // namespace

void MakeUnitEmitters(CombatUnit& unit) {
    unit.manaEmitter = nullptr;
    GameObject* object = unit.owner;
    if (!object) return;
    if (object->tag == "Player" && unit.enabled) {
        unit.manaEmitter = AddStarted<ManaParticleEmitter>(*object);
        if (object->name == "Thief") AddStarted<ThiefParticleEmitter>(*object);
        else if (object->name == "Mage") AddStarted<MageParticleEmitter>(*object);
    } else if (object->tag == "Laser Boss") {
        AddStarted<LaserParticleEmitter>(*object);
    }
}

void BurstManaAt(CombatUnit& drainer, const CombatUnit& target) {
    ManaParticleEmitter* emitter = EmitterOf<ManaParticleEmitter>(drainer);
    const Transform* place = PlaceOf(target);
    if (emitter && place) emitter->Burst(place->x, place->y);
}

void AddFreezeParticle(CombatUnit& caster, const CombatUnit& target) {
    MageParticleEmitter* emitter = EmitterOf<MageParticleEmitter>(caster);
    const Transform* place = PlaceOf(target);
    if (!emitter || !place) return;
    const int32_t size = 250 + GameRandom::Next() % 100;
    const bool firstPicture = (GameRandom::Next() & 1) != 0;
    emitter->SpawnFreezeParticle(place->x, place->y, size, firstPicture);
}

void SpawnSummonEffect(CombatUnit& summoner, float x, float y) {
    if (BossParticleEmitter* emitter = EmitterOf<BossParticleEmitter>(summoner)) emitter->SpawnSummonEffect(x, y);
}

void AddProjectileTrail(CombatUnit& caster, Transform& projectile) {
    if (!caster.owner) return;
    if (caster.owner->name == "Mage") {
        if (auto* emitter = EmitterOf<MageParticleEmitter>(caster)) emitter->StartTrail(&projectile);
    } else if (caster.owner->tag == "MagitekBoss") {
        if (auto* emitter = EmitterOf<BossParticleEmitter>(caster)) emitter->StartTrail(&projectile);
    }
}

void AddThiefSlash(CombatUnit& thief) {
    ThiefParticleEmitter* emitter = EmitterOf<ThiefParticleEmitter>(thief);
    const Transform* at = emitter ? emitter->GetTransform() : nullptr;
    if (!at) return;
    const bool facingRight = thief.rigidbody && thief.rigidbody->facing == 1;
    emitter->AddSlash(ThiefParticleEmitter::kHorizontal, facingRight, 50.0f, at->x, at->y, at->scaleX, at->scaleY);
}

void StartLaser(CombatUnit& caster) {
    if (LaserParticleEmitter* emitter = EmitterOf<LaserParticleEmitter>(caster)) emitter->StartLaser();
}

}  // namespace Combat::Emitters

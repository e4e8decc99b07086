#include "particles/CombatEmitters.h"

#include "combat/CombatUnit.h"
#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/GameRandom.h"
#include "gameobjectengine/HeroNames.h"
#include "gameobjectengine/Transform.h"
#include "particles/BossParticleEmitter.h"
#include "particles/LaserParticleEmitter.h"
#include "particles/MageParticleEmitter.h"
#include "particles/ManaParticleEmitter.h"
#include "particles/ThiefParticleEmitter.h"
#include "physics/Rigidbody.h"

using Combat::CombatUnit;

namespace {

template <typename T>
T* EmitterOf(const CombatUnit& unit) {
    return unit.owner ? unit.owner->GetComponent<T>() : nullptr;
}

// Attached and woken, its Start queued and also run at once, so it shows from this frame.
template <typename T>
T* AddStarted(GameObject& object) {
    T* emitter = object.AddComponent<T>();
    if (emitter) emitter->Start();
    return emitter;
}

// Where a unit is: the Transform its body moves, else its object's.
const Transform* PlaceOf(const CombatUnit& unit) {
    if (unit.rigidbody && unit.rigidbody->transform) return unit.rigidbody->transform;
    return unit.owner ? unit.owner->GetComponent<Transform>() : nullptr;
}

}  // namespace

CombatEmitters& CombatEmitters::GetInstance() {
    static CombatEmitters instance;
    return instance;
}

ManaParticleEmitter* CombatEmitters::MakeUnitEmitters(CombatUnit& unit) {
    GameObject* object = unit.owner;
    if (!object) return nullptr;
    if (object->tag == Heroes::kTag && unit.enabled) {
        ManaParticleEmitter* mana = AddStarted<ManaParticleEmitter>(*object);
        if (object->name == Heroes::kThief) AddStarted<ThiefParticleEmitter>(*object);
        else if (object->name == Heroes::kMage) AddStarted<MageParticleEmitter>(*object);
        return mana;
    }
    if (object->tag == "Laser Boss") AddStarted<LaserParticleEmitter>(*object);
    return nullptr;
}

void CombatEmitters::AddBossEmitter(GameObject& boss) { boss.AddComponent<BossParticleEmitter>(); }

void CombatEmitters::BurstManaAt(CombatUnit& drainer, const CombatUnit& target) {
    auto* emitter = EmitterOf<ManaParticleEmitter>(drainer);
    const Transform* at = PlaceOf(target);
    if (emitter && at) emitter->Burst(at->x, at->y);
}

void CombatEmitters::AddFreezeParticle(CombatUnit& caster, const CombatUnit& target) {
    auto* emitter = EmitterOf<MageParticleEmitter>(caster);
    const Transform* at = PlaceOf(target);
    if (!emitter || !at) return;
    const int32_t size = 250 + GameRandom::Next() % 100;
    const bool firstPicture = (GameRandom::Next() & 1) == 1;
    emitter->SpawnFreezeParticle(at->x, at->y, size, firstPicture);
}

void CombatEmitters::SpawnSummonEffect(CombatUnit& summoner, float x, float y) {
    if (auto* emitter = EmitterOf<BossParticleEmitter>(summoner)) emitter->SpawnSummonEffect(x, y);
}

void CombatEmitters::AddProjectileTrail(CombatUnit& caster, Transform& projectile) {
    if (!caster.owner) return;
    if (caster.owner->name == Heroes::kMage) {
        if (auto* emitter = EmitterOf<MageParticleEmitter>(caster)) emitter->StartTrail(&projectile);
    } else if (caster.owner->tag == "MagitekBoss") {
        if (auto* emitter = EmitterOf<BossParticleEmitter>(caster)) emitter->StartTrail(&projectile);
    }
}

void CombatEmitters::AddThiefSlash(CombatUnit& thief) {
    auto* emitter = EmitterOf<ThiefParticleEmitter>(thief);
    const Transform* at = emitter ? emitter->GetTransform() : nullptr;
    if (!at) return;
    const bool facingRight = thief.rigidbody && thief.rigidbody->facing == 1;
    emitter->AddSlash(ThiefParticleEmitter::SlashKind::Horizontal, facingRight, 50.0f, at->x, at->y, at->scaleX, at->scaleY);
}

void CombatEmitters::StartLaser(CombatUnit& caster) {
    if (auto* emitter = EmitterOf<LaserParticleEmitter>(caster)) emitter->StartLaser();
}

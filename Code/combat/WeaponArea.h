#pragma once
// Makes a spawned trigger object hurt or help the units that touch it: every
// tickInterval seconds each touching unit of the targeted group gets every effect of
// the list, an impact picture can show at the hit, and the object is destroyed after a
// number of hits. Created by field weapons and damage zones, never from a scene file.
#include <cstdint>
#include <string>

#include "combat/EffectBasic.h"
#include "gameobjectengine/Component.h"
#include "gameobjectengine/Handle.h"

class Rigidbody;

namespace Combat {

class WeaponArea : public Component {
public:
    static constexpr int32_t kOtherTeams = 1;
    static constexpr int32_t kOwnTeam = 2;

    explicit WeaponArea(int32_t gameObjectID) : Component(gameObjectID) {}

    // Stores the settings; the first application comes on the second update.
    // `effects` belongs to `keeper` (the caster or the zone's target): once the keeper is
    // gone the area does nothing.
    void Setup(int32_t targetGroup, int32_t team, float tickInterval, int32_t collisionsBeforeDestroy,
               const std::string& imgOnDestroy, float imgOnDestroyTime, Rigidbody* rigidbody,
               const EffectVector* effects, Component* keeper);
    // Stops the area for good (the list it reads is about to go).
    void Detach();

    void Update() override;

    int32_t targetGroup = 0;
    int32_t team = 0;
    float tickInterval = 0.0f;
    float tickTimer = 0.0f;
    int32_t collisionsBeforeDestroy = 0;
    std::string imgOnDestroy;
    float imgOnDestroyTime = 0.0f;
    Handle<Rigidbody> rigidbody;
    const EffectVector* effects = nullptr;  // not owned

private:
    bool Targets(int32_t otherTeam) const;
    void HitContacts();
    void ShowImpact() const;

    Handle<Component> keeper_;
    bool hasKeeper_ = false;
};

}  // namespace Combat

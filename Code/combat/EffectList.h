#pragma once
// A unit's active effects, in the order they were added. The only way an effect
// reaches a unit is AddEffect, which copies the template. Effects neither stack nor
// refresh: one active effect per name.
#include <string_view>

#include "combat/EffectBasic.h"

namespace Combat {

class EffectList {
public:
    explicit EffectList(CombatUnit& owner) : owner_(owner) {}
    // Deletes the effects without their removal actions; each effect frees what it owns.
    ~EffectList() = default;
    EffectList(const EffectList&) = delete;
    EffectList& operator=(const EffectList&) = delete;

    // Adds a copy of the template unless it is meant for its caster only and the owner is
    // not that caster, the owner is dead, or an effect of the same name is active.
    // Returns the copy (null when refused).
    EffectBasic* AddEffect(const EffectBasic& effect);
    // One frame of every effect's timing rule. Effects added during the pass (a damage
    // adding a knock-back) are handled in the same pass.
    void Update(float dt);
    // Ends every effect with its removal action (death).
    void RemoveAll();
    EffectBasic* FindByName(std::string_view name) const;

    std::size_t Size() const { return effects_.size(); }
    EffectBasic* At(std::size_t index) const { return effects_[index].get(); }

private:
    // OnRemove, then out of the list and deleted.
    void RemoveAt(std::size_t index);

    CombatUnit& owner_;
    EffectVector effects_;
};

}  // namespace Combat

#include "combat/EffectList.h"

#include "combat/CombatUnit.h"

namespace Combat {

EffectBasic* EffectList::AddEffect(const EffectBasic& effect) {
    if (effect.targetCasterInstead && !effect.caster.Refers(&owner_)) return nullptr;
    if (effect.targetCasterInstead && !effect.caster) return nullptr;
    if (!owner_.IsAlive()) return nullptr;
    if (FindByName(effect.name)) return nullptr;
    std::unique_ptr<EffectBasic> copy = effect.Clone();
    EffectBasic* added = copy.get();
    added->elapsed = 0.0f;
    // In the list before its start, so a start that adds effects sees it.
    effects_.push_back(std::move(copy));
    added->OnApply(owner_);
    return added;
}

void EffectList::Update(float dt) {
    // By index, re-reading the size: resolving may add effects (a hit's knock-back), and
    // those are handled in this same pass. No reference into the vector is held across a call.
    for (std::size_t i = 0; i < effects_.size();) {
        EffectBasic* effect = effects_[i].get();
        bool remove = false;
        switch (effect->resolveType) {
            case ResolveType::Instant:
                effect->Resolve(owner_);
                remove = true;
                break;
            case ResolveType::Delayed:
                effect->duration -= dt;
                if (effect->duration <= 0.0f) {
                    effect->Resolve(owner_);
                    remove = true;
                }
                break;
            case ResolveType::Ticking:
                effect->elapsed += dt;
                if (effect->elapsed > effect->duration) {
                    remove = true;
                } else {
                    effect->tickTimer += dt;
                    if (effect->tickTimer >= effect->tickTime) {
                        effect->Resolve(owner_);
                        effect->tickTimer -= effect->tickTime;
                    }
                }
                break;
            default:
                break;  // never resolved, never removed
        }
        if (!remove) {
            ++i;
            continue;
        }
        // The effect may have moved if resolving added effects; find it again.
        for (std::size_t j = 0; j < effects_.size(); ++j)
            if (effects_[j].get() == effect) {
                RemoveAt(j);
                if (j < i) --i;  // cannot happen today; keeps the walk right if it does
                break;
            }
    }
}

void EffectList::RemoveAll() {
    while (!effects_.empty()) RemoveAt(effects_.size() - 1);
}

EffectBasic* EffectList::FindByName(std::string_view name) const {
    for (const auto& effect : effects_)
        if (effect->name == name) return effect.get();
    return nullptr;
}

void EffectList::RemoveAt(std::size_t index) {
    EffectBasic* effect = effects_[index].get();
    effect->OnRemove(owner_);
    // OnRemove may have changed the list; erase the effect where it is now.
    for (std::size_t j = 0; j < effects_.size(); ++j)
        if (effects_[j].get() == effect) {
            effects_.erase(effects_.begin() + static_cast<std::ptrdiff_t>(j));
            return;
        }
}

}  // namespace Combat

#include "gameobjectengine/Handle.h"

#include <vector>

namespace {

// The generation of every slot, and the slots free for the next life. Both only grow to
// the most lives ever held at once, so steady play allocates nothing here.
struct LifeTable {
    std::vector<uint32_t> generations;
    std::vector<uint32_t> freeSlots;
};

// Built on first use and never destroyed: objects that end during static destruction
// (the globals built before main) still find it.
LifeTable& Table() {
    static LifeTable* table = new LifeTable;
    return *table;
}

}  // namespace

bool LifeRef::Alive() const {
    const std::vector<uint32_t>& generations = Table().generations;
    return slot_ < generations.size() && generations[slot_] == generation_;
}

Lifetime::Lifetime() { Begin(); }

Lifetime::~Lifetime() { End(); }

void Lifetime::Renew() {
    End();
    Begin();
}

void Lifetime::Begin() {
    LifeTable& table = Table();
    if (table.freeSlots.empty()) {
        slot_ = static_cast<uint32_t>(table.generations.size());
        table.generations.push_back(0);
    } else {
        slot_ = table.freeSlots.back();
        table.freeSlots.pop_back();
    }
    generation_ = table.generations[slot_];
}

void Lifetime::End() {
    LifeTable& table = Table();
    uint32_t& generation = table.generations[slot_];
    ++generation;
    // A slot whose generation would wrap round is retired: a reference kept since its
    // first life must never read alive again.
    if (generation != UINT32_MAX) table.freeSlots.push_back(slot_);
}

// The one reference to things held across frames: alive while its target lives, null once
// the target is gone or its life renewed, and still null after a newcomer took the freed
// slot at the very same address.
#include <gtest/gtest.h>

#include <optional>

#include "gameobjectengine/Handle.h"

namespace {

struct Thing {
    const Lifetime& GetLifetime() const { return life; }
    Lifetime life;
};

TEST(Handle, ReadsNullOnceItsTargetIsGone) {
    enum class Then { Lives, Destroyed, SlotReused, Renewed };
    for (Then then : {Then::Lives, Then::Destroyed, Then::SlotReused, Then::Renewed}) {
        std::optional<Thing> storage(std::in_place);
        Thing* first = &*storage;
        const Handle<Thing> handle(first);
        if (then == Then::Destroyed || then == Then::SlotReused) storage.reset();
        if (then == Then::SlotReused) storage.emplace();
        if (then == Then::Renewed) storage->life.Renew();

        const bool alive = then == Then::Lives;
        EXPECT_EQ(handle.Get(), alive ? first : nullptr) << static_cast<int>(then);
        if (storage) {
            EXPECT_EQ(handle.Refers(&*storage), alive) << static_cast<int>(then);
        }
    }
}

}  // namespace

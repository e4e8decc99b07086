// The one reference to things held across frames: alive while its target lives, null once
// the target is gone or its life renewed, and null still after a newcomer took the freed
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
    struct Case {
        const char* name;
        Then then;
        bool alive;
    };
    const Case cases[] = {
        {"alive", Then::Lives, true},
        {"destroyed", Then::Destroyed, false},
        {"slot reused at the same address", Then::SlotReused, false},
        {"life renewed", Then::Renewed, false},
    };
    for (const Case& c : cases) {
        std::optional<Thing> storage;
        storage.emplace();
        Thing* first = &*storage;
        const Handle<Thing> handle(first);
        const LifeRef ref = first->life.Ref();
        if (c.then == Then::Destroyed || c.then == Then::SlotReused) storage.reset();
        if (c.then == Then::SlotReused) storage.emplace();
        if (c.then == Then::Renewed) storage->life.Renew();

        EXPECT_EQ(handle.Get(), c.alive ? first : nullptr) << c.name;
        EXPECT_EQ(ref.Alive(), c.alive) << c.name;
        EXPECT_FALSE(ref.Empty()) << c.name;
        if (storage) {
            EXPECT_EQ(handle.Refers(&*storage), c.alive) << c.name;
            EXPECT_TRUE(storage->life.Ref().Alive()) << c.name;
        }
    }
}

TEST(Handle, ACopyLivesALifeOfItsOwn) {
    std::optional<Thing> original;
    original.emplace();
    Thing copy = *original;
    const Handle<Thing> toCopy(&copy);
    original.reset();
    EXPECT_EQ(toCopy.Get(), &copy);
}

}  // namespace

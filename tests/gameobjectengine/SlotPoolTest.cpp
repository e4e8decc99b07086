#include <gtest/gtest.h>

#include "gameobjectengine/SlotPool.h"

namespace {

struct Counted {
    explicit Counted(int* deletions) : deletions_(deletions) {}
    ~Counted() { ++*deletions_; }
    int* deletions_;
};

TEST(SlotPool, AddFillsLowestFreeSlotAndKeepsMark) {
    SlotPool<int, PoolOwnership::Borrowing> pool(4);
    int a = 0, b = 1, c = 2;
    ASSERT_TRUE(pool.Add(&a));
    ASSERT_TRUE(pool.Add(&b));
    ASSERT_TRUE(pool.Add(&c));
    pool.Remove(1);
    EXPECT_EQ(pool.Mark(), 3u);
    int d = 3;
    ASSERT_TRUE(pool.Add(&d));
    EXPECT_EQ(pool.Get(1), &d);
    EXPECT_EQ(pool.Mark(), 3u);
    EXPECT_EQ(pool.Count(), 3u);
}

TEST(SlotPool, RemovingHighestLowersMarkPastEmptySlots) {
    SlotPool<int, PoolOwnership::Borrowing> pool(4);
    int items[3];
    for (int& item : items) pool.Add(&item);
    pool.Remove(0);
    pool.Remove(1);
    pool.Remove(2);
    EXPECT_EQ(pool.Mark(), 0u);
    EXPECT_EQ(pool.Count(), 0u);
    // Removing an unused slot changes nothing.
    pool.Remove(2);
    EXPECT_EQ(pool.Count(), 0u);
}

TEST(SlotPool, ReservedSlotHoldsNoItemButCounts) {
    SlotPool<int, PoolOwnership::Borrowing> pool(3);
    ASSERT_TRUE(pool.Reserve());
    int a = 7;
    pool.Add(&a);
    EXPECT_EQ(pool.Get(0), nullptr);
    EXPECT_EQ(pool.Get(1), &a);
    EXPECT_EQ(pool.Count(), 2u);
    int visited = 0;
    pool.ForEach([&](int*) { ++visited; });
    EXPECT_EQ(visited, 1);
    pool.Remove(0);
    EXPECT_EQ(pool.Count(), 1u);
    EXPECT_EQ(pool.Mark(), 2u);
}

TEST(SlotPool, FullPoolRefusesAdd) {
    SlotPool<int, PoolOwnership::Borrowing> pool(2);
    int a, b, c;
    EXPECT_TRUE(pool.Add(&a));
    EXPECT_TRUE(pool.Add(&b));
    EXPECT_FALSE(pool.Add(&c));
    EXPECT_FALSE(pool.Reserve());
    EXPECT_EQ(pool.Count(), 2u);
}

TEST(SlotPool, OwningPoolDeletesOnRemoveAndClear) {
    int deletions = 0;
    {
        SlotPool<Counted> pool(4);
        pool.Add(new Counted(&deletions));
        pool.Add(new Counted(&deletions));
        pool.Remove(0);
        EXPECT_EQ(deletions, 1);
    }
    EXPECT_EQ(deletions, 2);  // the rest go with the pool
}

TEST(SlotPool, BorrowingPoolNeverDeletes) {
    int deletions = 0;
    Counted shared(&deletions);
    {
        SlotPool<Counted, PoolOwnership::Borrowing> registry(4);
        registry.Add(&shared);
        registry.Add(&shared);
        EXPECT_TRUE(registry.RemoveItem(&shared));
        EXPECT_EQ(registry.Count(), 1u);
        Counted other(&deletions);
        EXPECT_FALSE(registry.RemoveItem(&other));  // unknown pointer: nothing
        registry.Clear();
        EXPECT_EQ(deletions, 0);
    }
    EXPECT_EQ(deletions, 1);  // only `other`, going out of scope
}

TEST(SlotPool, DetachHandsItemBackWithoutDeleting) {
    int deletions = 0;
    SlotPool<Counted> pool(2);
    auto* item = new Counted(&deletions);
    pool.Add(item);
    EXPECT_EQ(pool.Detach(0), item);
    EXPECT_EQ(pool.Count(), 0u);
    EXPECT_EQ(deletions, 0);
    delete item;
}

}  // namespace

// The pool behind the trees' nodes: a slot is never handed out twice while it
// lives, and once everything is free the next load is laid out in order again.
#include "edit/NodePool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <vector>

namespace tessaro {
namespace {

constexpr std::size_t kObject = 72;
// More than one 2 MB chunk holds.
constexpr int kMany = 3 * (2 << 20) / 80;

TEST(NodePoolTest, LiveSlotsAreNeverSharedAndAllFreeStartsAfresh)
{
    NodePool pool(kObject);
    std::vector<char*> first;
    for (int i = 0; i < kMany; ++i)
        first.push_back(static_cast<char*>(pool.Allocate()));
    std::vector<char*> sorted = first;
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t i = 1; i < sorted.size(); ++i)
        ASSERT_GE(sorted[i] - sorted[i - 1], std::ptrdiff_t(kObject)) << "slots overlap";

    // Some freed while others live: only the freed come back.
    const std::set<char*> kept(first.begin() + 1000, first.begin() + 2000);
    for (char* slot : first) {
        if (!kept.count(slot))
            pool.Free(slot);
    }
    std::vector<char*> again;
    for (int i = 0; i < kMany - 1000; ++i) {
        char* slot = static_cast<char*>(pool.Allocate());
        EXPECT_EQ(kept.count(slot), 0u) << "a live slot was handed out again";
        again.push_back(slot);
    }
    EXPECT_EQ(std::set<char*>(again.begin(), again.end()).size(), again.size());

    // Everything free, in any order: the next allocations follow the first
    // load's order exactly, with no new memory.
    for (char* slot : kept)
        pool.Free(slot);
    std::reverse(again.begin(), again.end());
    for (char* slot : again)
        pool.Free(slot);
    std::vector<char*> afresh;
    for (int i = 0; i < kMany; ++i)
        afresh.push_back(static_cast<char*>(pool.Allocate()));
    EXPECT_EQ(afresh, first);
    for (char* slot : afresh)
        pool.Free(slot);
}

TEST(NodePoolTest, ReleasesAllAtOnceOnlyWhenItHoldsExactlyTheCountGiven)
{
    NodePool nodes(kObject);
    NodePool other(296);
    std::vector<void*> held;
    for (int i = 0; i < 10; ++i)
        held.push_back(nodes.Allocate());
    void* kept = other.Allocate();
    EXPECT_FALSE(NodePool::ReleaseAllIfExactly(nodes, 9));
    EXPECT_FALSE(NodePool::ReleaseAllIfExactly(nodes, 11));
    EXPECT_FALSE(NodePool::ReleaseAllIfExactly(other, 0));
    EXPECT_GE(nodes.BytesInUse(), 10 * kObject);

    EXPECT_TRUE(NodePool::ReleaseAllIfExactly(nodes, 10));
    EXPECT_EQ(nodes.BytesInUse(), 0u);
    EXPECT_GE(other.BytesInUse(), 296u) << "another pool keeps its slots";
    // Carved again from the start, as after freeing one by one.
    EXPECT_EQ(nodes.Allocate(), held[0]);
    EXPECT_NE(other.Allocate(), kept);
}

TEST(NodePoolTest, SlotsTakenBackManyAtOnceComeBackBeforeNewOnesAndNeverTwice)
{
    NodePool pool(kObject);
    std::vector<void*> slots;
    for (int i = 0; i < 100; ++i)
        slots.push_back(pool.Allocate());
    const std::size_t all = pool.BytesInUse();

    std::vector<void*> batch(slots.rbegin() + 40, slots.rend() - 10); // slots 59 down to 10
    pool.FreeMany(batch);
    EXPECT_TRUE(batch.empty());
    EXPECT_EQ(pool.BytesInUse(), all / 2);
    // A second batch while the first waits: both come back, each once.
    std::vector<void*> second(slots.begin() + 60, slots.begin() + 70);
    pool.FreeMany(second);
    std::set<void*> again;
    for (int i = 0; i < 60; ++i)
        again.insert(pool.Allocate());
    std::set<void*> expected(slots.begin() + 10, slots.begin() + 70);
    EXPECT_EQ(again, expected);
    EXPECT_EQ(pool.BytesInUse(), all);
    void* fresh = pool.Allocate();
    EXPECT_EQ(std::count(slots.begin(), slots.end(), fresh), 0);

    // The first batch comes back in rising order.
    std::vector<void*> rising(slots.rbegin() + 40, slots.rend() - 10);
    pool.FreeMany(rising);
    for (int i = 10; i < 60; ++i)
        EXPECT_EQ(pool.Allocate(), slots[std::size_t(i)]);

    // Everything back at once: carved afresh from the first slot.
    std::vector<void*> everything(slots.begin(), slots.end());
    everything.push_back(fresh);
    pool.FreeMany(everything);
    EXPECT_EQ(pool.BytesInUse(), 0u);
    EXPECT_EQ(pool.Allocate(), slots[0]);
}

TEST(NodePoolTest, EachSlotGoesBackToItsOwnPoolAndARetiredPoolLastsUntilItsLastSlot)
{
    const std::size_t before = NodePool::AllBytesInUse();
    auto* mine = new NodePool(kObject);
    NodePool other(kObject);
    std::vector<void*> slots;
    for (int i = 0; i < kMany; ++i) // over several chunks
        slots.push_back(mine->Allocate());
    void* foreign = other.Allocate();
    for (void* slot : slots)
        ASSERT_EQ(&NodePool::OwnerOf(slot), mine);
    EXPECT_EQ(&NodePool::OwnerOf(foreign), &other);
    EXPECT_EQ(NodePool::AllBytesInUse(), before + mine->BytesInUse() + other.BytesInUse());

    // Retired while slots live: they still go back to it, and the last one ends it.
    NodePool::Retire(mine);
    std::vector<void*> half(slots.begin(), slots.begin() + kMany / 2);
    NodePool::OwnerOf(half.front()).FreeMany(half);
    for (std::size_t i = std::size_t(kMany / 2); i < slots.size(); ++i)
        NodePool::OwnerOf(slots[i]).Free(slots[i]);
    EXPECT_EQ(NodePool::AllBytesInUse(), before + other.BytesInUse());
    EXPECT_EQ(other.Allocate(), static_cast<char*>(foreign) + 80); // the other pool went on as it was
}

TEST(NodePoolTest, SlotsAreAsAlignedAsAskedAndNoMore)
{
    NodePool records(296, 8);
    NodePool odd(21, 8);
    NodePool plain(296);
    char* first = static_cast<char*>(records.Allocate());
    EXPECT_EQ(static_cast<char*>(records.Allocate()) - first, 296);
    char* a = static_cast<char*>(odd.Allocate());
    EXPECT_EQ(static_cast<char*>(odd.Allocate()) - a, 24);
    char* b = static_cast<char*>(plain.Allocate());
    EXPECT_EQ(static_cast<char*>(plain.Allocate()) - b,
              std::ptrdiff_t((296 + alignof(std::max_align_t) - 1) / alignof(std::max_align_t) *
                             alignof(std::max_align_t)));
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(a) % 8, 0u);
}

} // namespace
} // namespace tessaro

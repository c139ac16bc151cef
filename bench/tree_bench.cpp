// The category tree at archive scale: loading 100,000 entries (one category or
// 500, in sorted or random order), single changes in a large category, and
// copying a 10,000-entry category to the other pane.
#include "common/Prompts.h"
#include "edit/CategoryTree.h"
#include "edit/EditOperations.h"
#include "edit/PaneState.h"
#include "support/FakePrompts.h"
#include "support/TreeTestSupport.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace tessaro {
namespace {

constexpr int kLoadSize = 100000;

struct Key
{
    int category;
    int style;
    int tempo;
};

std::string CategoryName(int number)
{
    char name[16];
    std::snprintf(name, sizeof name, "Cat%03d", number);
    return name;
}

// Distinct group keys per category, in ascending order within each category
// and category after category; `random` shuffles the arrival.
std::vector<Key> Keys(int count, int categories, bool random)
{
    std::vector<Key> keys;
    keys.reserve(static_cast<std::size_t>(count));
    const int perCategory = (count + categories - 1) / categories;
    for (int i = 0; i < count; ++i) {
        const int inCategory = i % perCategory;
        keys.push_back({i / perCategory, inCategory / 2000, 32 + inCategory % 2000});
    }
    if (random)
        std::shuffle(keys.begin(), keys.end(), std::mt19937(42));
    return keys;
}

std::vector<std::unique_ptr<EntryNode>> Entries(const std::vector<Key>& keys)
{
    std::vector<std::unique_ptr<EntryNode>> entries;
    entries.reserve(keys.size());
    int n = 0;
    for (const Key& key : keys) {
        auto entry = std::make_unique<EntryNode>();
        entry->SetCategory(CategoryName(key.category));
        entry->SetTitle("Entry " + std::to_string(n++));
        entry->record.setStyleNumber(static_cast<uint8_t>(key.style));
        entry->record.setTempo(static_cast<uint16_t>(key.tempo));
        entries.push_back(std::move(entry));
    }
    return entries;
}

// Stands in for a view's adapter: takes every call, so the rows are computed.
class BusyObserver : public TreeObserver
{
public:
    long calls = 0;
    void BeginInsert(const TreeNode*, int row) override { calls += row >= 0; }
    void EndInsert(const TreeNode*, int row) override { calls += row >= 0; }
    void BeginRemove(const TreeNode*, int row) override { calls += row >= 0; }
    void EndRemove(const TreeNode*, int row) override { calls += row >= 0; }
};

void Load(benchmark::State& state, int categories, bool random, bool observed)
{
    const int count = static_cast<int>(state.range(0));
    const std::vector<Key> keys = Keys(count, categories, random);
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::unique_ptr<EntryNode>> entries = Entries(keys);
        auto tree = std::make_unique<CategoryTree>(NumberedStyles());
        BusyObserver observer;
        if (observed)
            tree->SetObserver(&observer);
        state.ResumeTiming();

        for (std::unique_ptr<EntryNode>& entry : entries)
            benchmark::DoNotOptimize(tree->InsertSorted(std::move(entry)));

        state.PauseTiming();
        if (tree->EntryNodeCount() != static_cast<std::size_t>(count))
            state.SkipWithError("entries lost");
        tree.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}

void BM_LoadOneCategorySorted(benchmark::State& state)
{
    Load(state, 1, false, false);
}
void BM_LoadOneCategoryRandom(benchmark::State& state)
{
    Load(state, 1, true, false);
}
void BM_Load500CategoriesSorted(benchmark::State& state)
{
    Load(state, 500, false, false);
}
void BM_Load500CategoriesRandom(benchmark::State& state)
{
    Load(state, 500, true, false);
}
void BM_LoadOneCategoryRandomObserved(benchmark::State& state)
{
    Load(state, 1, true, true);
}
// The argument is the number of entries; the smaller ones show how the cost grows.
BENCHMARK(BM_LoadOneCategorySorted)->Arg(kLoadSize)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadOneCategoryRandom)
    ->Arg(kLoadSize / 4)
    ->Arg(kLoadSize)
    ->Arg(4 * kLoadSize)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load500CategoriesSorted)->Arg(kLoadSize)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load500CategoriesRandom)->Arg(kLoadSize)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadOneCategoryRandomObserved)->Arg(kLoadSize)->Unit(benchmark::kMillisecond);

// One entry in and out of the middle of a category of state.range(0) entries.
void BM_InsertAndTakeOneEntry(benchmark::State& state)
{
    const int size = static_cast<int>(state.range(0));
    CategoryTree tree{NumberedStyles()};
    for (std::unique_ptr<EntryNode>& entry : Entries(Keys(size, 1, true)))
        tree.InsertSorted(std::move(entry));
    const std::vector<Key> middle = {{0, size / 4000, 32 + 1000}};
    std::unique_ptr<EntryNode> entry = std::move(Entries(middle).front());
    for (auto _ : state) {
        TreeNode* node = tree.InsertSorted(std::move(entry));
        benchmark::DoNotOptimize(node->Row());
        entry = tree.TakeEntryNode(node);
    }
}
BENCHMARK(BM_InsertAndTakeOneEntry)->Arg(1000)->Arg(10000)->Arg(100000);

constexpr int kCopySize = 10000;

// Copy (or move) a 10,000-entry category into a target of 100 categories;
// state.range(0) says whether the target already has a category of that name.
void CopyCategory(benchmark::State& state, bool move)
{
    const bool merge = state.range(0) != 0;
    FakePrompts prompts;
    for (auto _ : state) {
        state.PauseTiming();
        auto source = std::make_unique<PaneState>(NumberedStyles());
        auto target = std::make_unique<PaneState>(NumberedStyles());
        for (std::unique_ptr<EntryNode>& entry : Entries(Keys(kCopySize, 1, true)))
            source->tree.InsertSorted(std::move(entry));
        for (std::unique_ptr<EntryNode>& entry : Entries(Keys(kCopySize, 100, true))) {
            if (!merge)
                entry->SetCategory("Other" + entry->GetCategory());
            target->tree.InsertSorted(std::move(entry));
        }
        source->tree.Select(source->tree.FirstCategory());
        target->tree.Select(target->tree.CategoryAt(50));
        state.ResumeTiming();

        CopyOrMove(*source, *target, move, prompts);

        state.PauseTiming();
        if (target->EntryCount() != 2 * kCopySize)
            state.SkipWithError("entries lost");
        source.reset();
        target.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kCopySize);
}

void BM_CopyCategoryToOtherPane(benchmark::State& state)
{
    CopyCategory(state, false);
}
void BM_MoveCategoryToOtherPane(benchmark::State& state)
{
    CopyCategory(state, true);
}
BENCHMARK(BM_CopyCategoryToOtherPane)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MoveCategoryToOtherPane)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tessaro

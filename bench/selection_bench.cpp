// Many nodes selected at once: taking the selection, deleting it as one step
// and putting entries into another category of their pane.
#include "edit/EditOperations.h"
#include "edit/History.h"
#include "support/FakePrompts.h"
#include "support/TreeTestSupport.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace tessaro {
namespace {

// A pane with `size` entries in "Big" and an empty "Target"; every other entry
// of "Big" is chosen, the current node last (the selection's worst case).
struct Selected
{
    Panes panes{PaneState(NumberedStyles()), PaneState(NumberedStyles())};
    PaneState& pane = panes[0];
    PaneState& other = panes[1];
    History history{panes};
    std::vector<TreeNode*> chosen;
    TreeNode* target = nullptr;

    explicit Selected(int size)
    {
        for (int i = 0; i < size; ++i)
            pane.tree.InsertSorted(MakeEntry("Big", i % 50, 100 + i % 7, "Entry" + std::to_string(i)));
        target = pane.tree.InsertCategoryNode(MakePlaceholder("Target"), Place::Last());
        TreeNode* big = pane.tree.FindCategory("Big");
        for (TreeNode* entry = big->FirstChild(); entry; entry = entry->NextSibling()) {
            if (entry->Row() % 2 == 0)
                chosen.push_back(entry);
        }
    }
};

void BM_SelectAndListInTreeOrder(benchmark::State& state)
{
    Selected session(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        session.pane.tree.SetSelection(session.chosen, session.chosen.back());
        benchmark::DoNotOptimize(session.pane.tree.SelectedNodes());
        session.pane.tree.Select(nullptr);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(session.chosen.size()));
}
BENCHMARK(BM_SelectAndListInTreeOrder)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_DeleteSelectionAndUndo(benchmark::State& state)
{
    Selected session(static_cast<int>(state.range(0)));
    FakePrompts prompts;
    for (auto _ : state) {
        session.pane.tree.SetSelection(session.chosen, session.chosen.back());
        prompts.Answer(MsgAnswer::Yes);
        session.history.Begin("Delete", PaneId::Mdb);
        DeleteSelected(session.pane, prompts);
        session.history.Commit();
        session.history.Undo();
    }
    if (session.pane.EntryCount() != state.range(0))
        state.SkipWithError("undo did not restore the entries");
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(session.chosen.size()));
}
BENCHMARK(BM_DeleteSelectionAndUndo)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_MoveSelectionToCategoryAndUndo(benchmark::State& state)
{
    Selected session(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        session.history.Begin("Move", PaneId::Mdb);
        MoveToCategory(session.pane, session.chosen, session.target);
        session.history.Commit();
        session.history.Undo();
    }
    if (session.pane.tree.FindCategory("Big")->ChildCount() != state.range(0))
        state.SkipWithError("undo did not bring the entries back");
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(session.chosen.size()));
}
BENCHMARK(BM_MoveSelectionToCategoryAndUndo)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tessaro

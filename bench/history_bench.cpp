// The editing history: undo of large commands, and what a long history costs.
#include "edit/EditOperations.h"
#include "edit/History.h"
#include "support/FakePrompts.h"
#include "support/TreeTestSupport.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <memory>
#include <string>

namespace tessaro {
namespace {

// Two panes and their history, the archive holding `big` entries in "Big" and
// one more entry in each of `others` small categories.
struct Session
{
    Panes panes{PaneState(NumberedStyles()), PaneState(NumberedStyles())};
    PaneState& mdb = panes[0];
    PaneState& archive = panes[1];
    History history{panes};

    Session(int big, int others)
    {
        for (int i = 0; i < big; ++i)
            archive.tree.InsertSorted(MakeEntry("Big", i % 50, 100 + i % 7, "Entry" + std::to_string(i)));
        for (int i = 0; i < others; ++i)
            archive.tree.InsertSorted(MakeEntry("Cat" + std::to_string(i), 1, 100, "Other"));
        mdb.tree.InsertSorted(MakeEntry("Target", 1, 100, "Here"));
    }
};

void BM_DeleteAndUndoCategory(benchmark::State& state)
{
    const int size = static_cast<int>(state.range(0));
    Session session(size, 10);
    FakePrompts prompts;
    TreeNode* big = session.archive.tree.FindCategory("Big");
    for (auto _ : state) {
        prompts.Answer(MsgAnswer::Yes);
        session.history.Begin("Delete", PaneId::Archive);
        Delete(session.archive, {big}, prompts);
        session.history.Commit();
        session.history.Undo();
    }
    if (session.archive.EntryCount() != size + 10)
        state.SkipWithError("undo did not restore the category");
    state.SetItemsProcessed(state.iterations() * size);
}
BENCHMARK(BM_DeleteAndUndoCategory)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_CopyCategoryAndUndo(benchmark::State& state)
{
    const int size = static_cast<int>(state.range(0));
    Session session(size, 10);
    FakePrompts prompts;
    TreeNode* big = session.archive.tree.FindCategory("Big");
    TreeNode* target = session.mdb.tree.FirstCategory();
    for (auto _ : state) {
        session.history.Begin("Copy", PaneId::Archive);
        Transfer(session.archive, {big}, session.mdb, target, false, prompts);
        session.history.Commit();
        session.history.Undo();
    }
    if (session.mdb.EntryCount() != 1)
        state.SkipWithError("undo did not take the copies back");
    state.SetItemsProcessed(state.iterations() * size);
}
BENCHMARK(BM_CopyCategoryAndUndo)->Arg(10000)->Unit(benchmark::kMillisecond);

// Heap bytes a history of single edits holds beyond the tree itself.
void BM_HistoryOfSingleEditsMemory(benchmark::State& state)
{
    const int edits = static_cast<int>(state.range(0));
    double bytesPerEdit = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto session = std::make_unique<Session>(100000, 0);
        TreeNode* big = session->archive.tree.FindCategory("Big");
        const std::size_t before = mallinfo2().uordblks;
        state.ResumeTiming();
        TreeNode* entry = big->FirstChild();
        for (int i = 0; i < edits; ++i, entry = entry->NextSibling()) {
            MdbEntry edited = entry->Payload()->record;
            edited.setVariation(static_cast<uint8_t>(i % 4));
            session->history.Begin("Edit", PaneId::Archive);
            session->archive.tree.ReplaceEntry(entry, edited);
            session->history.Commit();
        }
        state.PauseTiming();
        bytesPerEdit = double(mallinfo2().uordblks - before) / edits;
        session.reset();
        state.ResumeTiming();
    }
    state.counters["bytes_per_edit"] = bytesPerEdit;
    state.counters["history_MB"] = bytesPerEdit * edits / 1e6;
}
BENCHMARK(BM_HistoryOfSingleEditsMemory)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace tessaro

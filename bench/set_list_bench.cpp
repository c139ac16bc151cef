// The set list of a 1,000,000-entry archive: what runs before Print, Print
// preview or Export PDF can ask whether to go on (the rows taken from the
// tree, then the pages counted), and so how long the user waits for that
// question. Painting the pages is the window's, with progress and Cancel.

#include "app/SetListPages.h"
#include "data/ArchiveFile.h"
#include "edit/PaneLoad.h"
#include "edit/PaneState.h"
#include "edit/SetList.h"
#include "realistic_records.h"
#include "support/TreeTestSupport.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace tessaro {
namespace {

constexpr int kEntries = 1000000;
// A4 at 12 points, as the window measures it (in points): about 40 rows a page.
constexpr SetListMetrics kA4{740, 46, 18, 18};

PaneState& Pane()
{
    static std::unique_ptr<PaneState> pane = [] {
        const std::string file = bench::BenchFile("set-list.mdx");
        WriteArchiveFile(file, SourceOf(bench::RealisticRecords(kEntries)));
        auto loaded = std::make_unique<PaneState>(NumberedStyles());
        InsertArchiveFile(*loaded, file);
        return loaded;
    }();
    return *pane;
}

void BM_SetListRows(benchmark::State& state)
{
    const PaneState& pane = Pane();
    for (auto _ : state) {
        const SetList list = MakeSetList(pane.tree, "set-list.mdx");
        benchmark::DoNotOptimize(list.rows.data());
    }
    state.counters["entries"] = double(pane.EntryCount());
}
BENCHMARK(BM_SetListRows)->Unit(benchmark::kMillisecond);

void BM_SetListPageCount(benchmark::State& state)
{
    const SetList list = MakeSetList(Pane().tree, "set-list.mdx");
    std::size_t pages = 0;
    for (auto _ : state) {
        pages = PaginateSetList(list, kA4).size();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = double(pages);
}
BENCHMARK(BM_SetListPageCount)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tessaro

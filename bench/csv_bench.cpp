// The spreadsheet export and import of a large archive: 100,000 entries.
#include "edit/EntryCsv.h"
#include "edit/PaneLoad.h"
#include "edit/PaneState.h"
#include "support/DataTestSupport.h"
#include "support/TreeTestSupport.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace tessaro {
namespace {

std::unique_ptr<PaneState> LargePane(int entries)
{
    std::mt19937 rng(13);
    auto pane = std::make_unique<PaneState>(NumberedStyles());
    for (int i = 0; i < entries; ++i) {
        MdbEntry record = testing::RandomRecord(rng);
        record.SetCategory("Cat " + std::to_string(i % 50));
        record.SetTitle("Entry " + std::to_string(i));
        InsertLoadedRecord(*pane, record);
    }
    return pane;
}

void BM_ExportCsv(benchmark::State& state)
{
    const auto pane = LargePane(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(EntryCsvText(pane->tree));
    state.SetItemsProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(BM_ExportCsv)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ImportCsv(benchmark::State& state)
{
    const std::string text = EntryCsvText(LargePane(int(state.range(0)))->tree);
    for (auto _ : state) {
        const CsvImportResult result = ReadEntryCsv(text);
        if (!result.errors.empty())
            state.SkipWithError("the export does not read back");
        benchmark::DoNotOptimize(result.records.data());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * state.range(0));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_ImportCsv)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tessaro

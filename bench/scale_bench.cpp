// Archives at scale: 10,000, 100,000 and 1,000,000 entries, half in one
// category and half spread over 700 more, one in ten a sub entry. Each figure
// stands beside BM_ScaleReadBytes, the time to read the same file's bytes.
#include "data/ArchiveFile.h"
#include "data/InputFile.h"
#include "edit/EditOperations.h"
#include "edit/History.h"
#include "edit/PaneLoad.h"
#include "edit/Reports.h"
#include "edit/Search.h"
#include "support/FakePrompts.h"
#include "support/TreeTestSupport.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace tessaro {
namespace {

std::filesystem::path Folder()
{
    static const std::filesystem::path folder = [] {
        std::filesystem::path path = std::filesystem::temp_directory_path() / "tessaro-scale-bench";
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

MdbEntry ScaleRecord(std::mt19937& random, int i)
{
    MdbEntry record;
    record.bytes()[kInUseOffset] = 1;
    char category[16];
    if (i % 2 == 0)
        std::snprintf(category, sizeof category, "Everything");
    else
        std::snprintf(category, sizeof category, "Cat%03d", int(random() % 700));
    record.SetCategory(category);
    record.SetTitle((i % 10 == 9 ? "  sub " : "Entry ") + std::to_string(i));
    record.setStyleNumber(uint8_t(random() % 245));
    record.setTempo(uint16_t(40 + random() % 240));
    return record;
}

// Written once per size and kept for the run (the 1,000,000 file is 288 MB).
const std::string& ScaleArchive(int entries)
{
    static std::map<int, std::string> paths;
    std::string& path = paths[entries];
    if (path.empty()) {
        path = (Folder() / ("scale-" + std::to_string(entries) + ".mdx")).string();
        std::mt19937 random(11);
        int next = 0;
        MdbEntry record;
        WriteArchiveFile(path, [&]() -> const MdbEntry* {
            if (next == entries)
                return nullptr;
            record = ScaleRecord(random, next++);
            return &record;
        });
    }
    return path;
}

std::unique_ptr<PaneState> LoadedPane(int entries)
{
    auto pane = std::make_unique<PaneState>(NumberedStyles());
    if (InsertArchiveFile(*pane, ScaleArchive(entries)) || pane->EntryCount() != entries)
        return nullptr;
    return pane;
}

void PerEntry(benchmark::State& state, int entries)
{
    state.SetItemsProcessed(state.iterations() * entries);
}

void BM_ScaleReadBytes(benchmark::State& state)
{
    const int entries = int(state.range(0));
    const std::string& path = ScaleArchive(entries);
    std::vector<uint8_t> bytes;
    for (auto _ : state) {
        FileInput input;
        input.Open(path);
        bytes.resize(std::size_t(input.Length()));
        benchmark::DoNotOptimize(input.Read(bytes.data(), bytes.size()));
    }
    PerEntry(state, entries);
}
BENCHMARK(BM_ScaleReadBytes)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_ScaleLoad(benchmark::State& state)
{
    const int entries = int(state.range(0));
    ScaleArchive(entries);
    for (auto _ : state) {
        auto pane = LoadedPane(entries);
        if (!pane) {
            state.SkipWithError("load failed");
            return;
        }
        state.PauseTiming(); // measured apart: BM_ScaleClose
        pane.reset();
        state.ResumeTiming();
    }
    PerEntry(state, entries);
}
BENCHMARK(BM_ScaleLoad)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Closing the pane: freeing the whole tree.
void BM_ScaleClose(benchmark::State& state)
{
    const int entries = int(state.range(0));
    ScaleArchive(entries);
    for (auto _ : state) {
        state.PauseTiming();
        auto pane = LoadedPane(entries);
        state.ResumeTiming();
        ClearPane(*pane);
    }
    PerEntry(state, entries);
}
BENCHMARK(BM_ScaleClose)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// A search that finds nothing walks the whole tree once.
void BM_ScaleSearchNothing(benchmark::State& state)
{
    const int entries = int(state.range(0));
    auto pane = LoadedPane(entries);
    for (auto _ : state) {
        if (SearchNext(*pane, "no such title")) {
            state.SkipWithError("found something");
            return;
        }
    }
    PerEntry(state, entries);
}
BENCHMARK(BM_ScaleSearchNothing)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Copying the 100,000-entry category of a 200,000-entry archive to the other
// pane, as one step of the history, and undoing it.
void BM_ScaleCopyCategory(benchmark::State& state)
{
    Panes panes{PaneState(NumberedStyles()), PaneState(NumberedStyles())};
    PaneState* source = &panes[0];
    PaneState& target = panes[1];
    if (InsertArchiveFile(*source, ScaleArchive(200000)) || source->EntryCount() != 200000)
        return;
    AddEntry(target, "Target", 1, 100, "Here");
    History history(panes);
    FakePrompts prompts;
    TreeNode* big = source->tree.FindCategory("Everything");
    for (auto _ : state) {
        history.Begin("Copy", PaneId::Mdb);
        Transfer(*source, {big}, target, target.tree.FirstCategory(), false, prompts);
        history.Commit();
        state.PauseTiming();
        history.Undo();
        state.ResumeTiming();
    }
    PerEntry(state, big->ChildCount());
}
BENCHMARK(BM_ScaleCopyCategory)->Unit(benchmark::kMillisecond);

void BM_ScaleSave(benchmark::State& state)
{
    const int entries = int(state.range(0));
    auto pane = LoadedPane(entries);
    const std::string out = (Folder() / "saved.mdx").string();
    for (auto _ : state) {
        if (WriteArchiveFile(out, RecordsOf(pane->tree))) {
            state.SkipWithError("save failed");
            return;
        }
    }
    PerEntry(state, entries);
}
BENCHMARK(BM_ScaleSave)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_ScaleReport(benchmark::State& state, ReportKind kind)
{
    const int entries = int(state.range(0));
    auto pane = LoadedPane(entries);
    const std::string out = (Folder() / "report.txt").string();
    for (auto _ : state) {
        if (!WriteReportFile(kind, pane->tree, out)) {
            state.SkipWithError("report failed");
            return;
        }
    }
    PerEntry(state, entries);
}
BENCHMARK_CAPTURE(BM_ScaleReport, Formatted, ReportKind::Formatted)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ScaleReport, Tabs, ReportKind::Tabs)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tessaro

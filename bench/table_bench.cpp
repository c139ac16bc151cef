// The commands on a 1,000,000-entry archive of realistic records arriving
// shuffled, each beside its floor (floor_programs.h) measured in the same
// iteration. Time is the command's CPU time; floor_ms is the floor's and
// x_floor the ratio. MB is the heap at the command's peak, counting what it
// works on (the loaded trees); floor_MB the same for the floor. Load's MB is
// what the editor holds with the archive loaded.

#include "cli/LoadedFile.h"
#include "data/ArchiveFile.h"
#include "edit/Duplicates.h"
#include "edit/EntryCsv.h"
#include "edit/PaneLoad.h"
#include "edit/PaneState.h"
#include "edit/Reports.h"
#include "edit/Search.h"
#include "edit/TreeDiff.h"
#include "edit/TreeNode.h"
#include "floor_programs.h"
#include "realistic_records.h"
#include "support/TreeTestSupport.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <malloc.h>
#include <memory>
#include <new>

namespace {

// What operator new has handed out and not taken back, and its high mark.
std::atomic<int64_t> gHeap{0};
std::atomic<int64_t> gPeak{0};

void Count(int64_t bytes)
{
    const int64_t now = gHeap.fetch_add(bytes, std::memory_order_relaxed) + bytes;
    if (now > gPeak.load(std::memory_order_relaxed))
        gPeak.store(now, std::memory_order_relaxed);
}

} // namespace

void* operator new(std::size_t size)
{
    void* block = std::malloc(size ? size : 1);
    if (!block)
        throw std::bad_alloc();
    Count(int64_t(malloc_usable_size(block)));
    return block;
}

void operator delete(void* block) noexcept
{
    if (block) {
        Count(-int64_t(malloc_usable_size(block)));
        std::free(block);
    }
}

void operator delete(void* block, std::size_t) noexcept
{
    operator delete(block);
}

namespace tessaro::bench {
namespace {

constexpr int kEntries = 1000000;

double CpuSeconds()
{
    timespec now;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// What operator new handed out and the node pools' slots in use.
double HeapMB()
{
    return double(std::size_t(gHeap.load()) + NodePool::AllBytesInUse()) / 1e6;
}

// The most the heap grew above where it stood when this was made.
class PeakWatch
{
public:
    PeakWatch() : start_(gHeap.load()) { gPeak.store(start_); }
    double GrowthMB() const { return double(gPeak.load() - start_) / 1e6; }

private:
    int64_t start_;
};

double RecordsMB(const std::vector<MdbEntry>& records)
{
    return double(records.size() * sizeof(MdbEntry)) / 1e6;
}

struct Inputs
{
    std::string fileA = BenchFile("a.mdx");
    std::string fileB = BenchFile("b.mdx"); // one entry in a hundred differs
    std::unique_ptr<PaneState> paneA;
    std::unique_ptr<PaneState> paneB;
    double paneMB = 0; // what one loaded pane holds
    // The records in the trees' order: what the floors work on.
    std::vector<MdbEntry> treeA;
    std::vector<MdbEntry> treeB;
};

std::unique_ptr<PaneState> Load(const std::string& path)
{
    auto pane = std::make_unique<PaneState>(NumberedStyles());
    if (InsertArchiveFile(*pane, path) || pane->EntryCount() != kEntries)
        return nullptr;
    return pane;
}

std::vector<MdbEntry> InTreeOrder(const CategoryTree& tree)
{
    std::vector<MdbEntry> records;
    records.reserve(tree.EntryNodeCount());
    const RecordSource source = RecordsOf(tree);
    while (const MdbEntry* record = source())
        records.push_back(*record);
    return records;
}

Inputs& Shared()
{
    static Inputs* inputs = [] {
        auto* made = new Inputs;
        {
            const std::vector<MdbEntry> records = RealisticRecords(kEntries);
            WriteArchiveFile(made->fileA, SourceOf(records));
            WriteArchiveFile(made->fileB, SourceOf(WithOnePercentChanged(records)));
        }
        const double before = HeapMB();
        made->paneA = Load(made->fileA);
        made->paneMB = HeapMB() - before;
        made->paneB = Load(made->fileB);
        if (made->paneA && made->paneB) {
            made->treeA = InTreeOrder(made->paneA->tree);
            made->treeB = InTreeOrder(made->paneB->tree);
        }
        return made;
    }();
    return *inputs;
}

bool Ready(benchmark::State& state)
{
    if (Shared().paneA && Shared().paneB)
        return true;
    state.SkipWithError("the archives did not load");
    return false;
}

void Beside(benchmark::State& state, double seconds, double floorSeconds)
{
    state.counters["floor_ms"] = floorSeconds * 1e3 / double(state.iterations());
    state.counters["x_floor"] = floorSeconds > 0 ? seconds / floorSeconds : 0;
}

// Runs the floor, then the command, each iteration; `same` checks that both
// came to the same answer.
template <class Command, class Floor>
void Row(benchmark::State& state, double inputMB, double floorInputMB, Command command, Floor floor)
{
    double seconds = 0, floorSeconds = 0, peakMB = 0, floorPeakMB = 0;
    for (auto _ : state) {
        const PeakWatch floorPeak;
        const double start = CpuSeconds();
        const auto floorResult = floor();
        const double floorDone = CpuSeconds();
        floorPeakMB = std::max(floorPeakMB, floorPeak.GrowthMB());
        const PeakWatch peak;
        const auto result = command();
        const double done = CpuSeconds();
        peakMB = std::max(peakMB, peak.GrowthMB());
        if (!(result == floorResult)) {
            state.SkipWithError("the command and its floor disagree");
            return;
        }
        seconds += done - floorDone;
        floorSeconds += floorDone - start;
        state.SetIterationTime(done - floorDone);
    }
    Beside(state, seconds, floorSeconds);
    state.counters["MB"] = inputMB + peakMB;
    state.counters["floor_MB"] = floorInputMB + floorPeakMB;
}

#define TABLE_ROW(name) BENCHMARK(name)->UseManualTime()->Unit(benchmark::kMillisecond)

// The editor's load, and the memory it holds afterwards; the floor reads the
// records and puts them into tree order.
void Table_Load(benchmark::State& state)
{
    if (!Ready(state))
        return;
    double seconds = 0, floorSeconds = 0, heldMB = 0;
    for (auto _ : state) {
        const double start = CpuSeconds();
        const std::vector<MdbEntry> records = TreeOrder(ReadRecords(Shared().fileA));
        const double floorDone = CpuSeconds();
        const double before = HeapMB();
        std::unique_ptr<PaneState> pane = Load(Shared().fileA);
        const double done = CpuSeconds();
        heldMB = HeapMB() - before;
        if (!pane || records.size() != std::size_t(kEntries)) {
            state.SkipWithError("load failed");
            return;
        }
        seconds += done - floorDone;
        floorSeconds += floorDone - start;
        state.SetIterationTime(done - floorDone);
        state.PauseTiming(); // closing is measured apart
        pane.reset();
        state.ResumeTiming();
    }
    Beside(state, seconds, floorSeconds);
    state.counters["MB"] = heldMB;
    state.counters["floor_MB"] = RecordsMB(Shared().treeA);
}
TABLE_ROW(Table_Load);

// Closing a pane frees its whole tree; the floor frees the records.
void Table_Close(benchmark::State& state)
{
    if (!Ready(state))
        return;
    double seconds = 0, floorSeconds = 0;
    for (auto _ : state) {
        std::unique_ptr<PaneState> pane = Load(Shared().fileA);
        auto records = std::make_unique<std::vector<MdbEntry>>(Shared().treeA);
        if (!pane) {
            state.SkipWithError("load failed");
            return;
        }
        const double start = CpuSeconds();
        records.reset();
        const double floorDone = CpuSeconds();
        ClearPane(*pane);
        const double done = CpuSeconds();
        seconds += done - floorDone;
        floorSeconds += floorDone - start;
        state.SetIterationTime(done - floorDone);
    }
    Beside(state, seconds, floorSeconds);
}
TABLE_ROW(Table_Close);

// A search that finds nothing visits every node once.
void Table_SearchNothing(benchmark::State& state)
{
    if (!Ready(state))
        return;
    Inputs& in = Shared();
    Row(
        state, in.paneMB, RecordsMB(in.treeA), [&] { return SearchNext(*in.paneA, "no such title"); },
        [&] { return SearchFloor(in.treeA, "NO SUCH TITLE"); });
}
TABLE_ROW(Table_SearchNothing);

void Table_Diff(benchmark::State& state)
{
    if (!Ready(state))
        return;
    Inputs& in = Shared();
    Row(
        state, 2 * in.paneMB, RecordsMB(in.treeA) + RecordsMB(in.treeB),
        [&] {
            // As tessaro-cli diff does: each difference is taken as it is found.
            DiffCounts counts;
            ForEachDifference(in.paneA->tree, in.paneB->tree, [&counts](const EntryDifference& d) {
                counts.removed += d.kind == EntryDifference::Kind::Removed;
                counts.added += d.kind == EntryDifference::Kind::Added;
                counts.changed += d.kind == EntryDifference::Kind::Changed;
                counts.moved += d.kind == EntryDifference::Kind::Moved;
            });
            return std::vector<std::size_t>{counts.removed, counts.added, counts.changed, counts.moved};
        },
        [&] {
            const DiffCounts counts = DiffFloor(in.treeA, in.treeB);
            return std::vector<std::size_t>{counts.removed, counts.added, counts.changed, counts.moved};
        });
    const DiffCounts counts = DiffFloor(in.treeA, in.treeB);
    state.counters["changed"] = double(counts.changed);
    state.counters["moved"] = double(counts.moved);
    state.counters["added"] = double(counts.added);
}
TABLE_ROW(Table_Diff);

void Table_Duplicates(benchmark::State& state)
{
    if (!Ready(state))
        return;
    Inputs& in = Shared();
    Row(
        state, in.paneMB, RecordsMB(in.treeA),
        [&] {
            const DuplicateGroups groups = FindDuplicates(in.paneA->tree);
            return std::pair(groups.sameRegistration.size(), groups.sameTitle.size());
        },
        [&] {
            const DuplicateCounts counts = DuplicatesFloor(in.treeA);
            return std::pair(counts.sameRegistration, counts.sameTitle);
        });
}
TABLE_ROW(Table_Duplicates);

// tessaro-cli info: the file's counts.
void Table_Info(benchmark::State& state)
{
    if (!Ready(state))
        return;
    Inputs& in = Shared();
    Row(
        state, 0, 0,
        [&] {
            auto file = std::make_unique<cli::LoadedFile>();
            LoadCounts counts;
            cli::LoadFile(in.fileA, *file, &counts);
            return std::pair(counts.entries, counts.categories);
        },
        [&] {
            const FileCounts counts = CountFloor(in.fileA);
            return std::pair(counts.entries, counts.categories);
        });
}
TABLE_ROW(Table_Info);

void Table_Export(benchmark::State& state)
{
    if (!Ready(state))
        return;
    Inputs& in = Shared();
    const std::string out = BenchFile("export.csv");
    const std::string floorOut = BenchFile("export-floor.csv");
    Row(
        state, in.paneMB, RecordsMB(in.treeA), [&] { return WriteEntryCsvFile(in.paneA->tree, out); },
        [&] { return ExportFloor(in.treeA, in.paneA->tree.Styles(), floorOut) > 0; });
}
TABLE_ROW(Table_Export);

void Table_Report(benchmark::State& state, ReportKind kind)
{
    if (!Ready(state))
        return;
    Inputs& in = Shared();
    const std::string out = BenchFile("report.txt");
    const std::string floorOut = BenchFile("report-floor.txt");
    const StyleCatalogue& styles = in.paneA->tree.Styles();
    // The floor writes the same lines without the header.
    Row(
        state, in.paneMB, RecordsMB(in.treeA),
        [&] {
            return WriteReportFile(kind, in.paneA->tree, out)
                       ? std::size_t(std::filesystem::file_size(out)) - ReportHeader(kind).size()
                       : 0;
        },
        [&] {
            return kind == ReportKind::Formatted ? FormattedReportFloor(in.treeA, styles, floorOut)
                                                 : TabReportFloor(in.treeA, styles, floorOut);
        });
}
BENCHMARK_CAPTURE(Table_Report, Formatted, ReportKind::Formatted)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Table_Report, Tabs, ReportKind::Tabs)->UseManualTime()->Unit(benchmark::kMillisecond);

// tessaro-cli convert from archive to archive; its floor is the editor's load alone.
void Table_Convert(benchmark::State& state)
{
    if (!Ready(state))
        return;
    Inputs& in = Shared();
    const std::string out = BenchFile("converted.mdx");
    double seconds = 0, floorSeconds = 0;
    for (auto _ : state) {
        const double start = CpuSeconds();
        std::unique_ptr<PaneState> loaded = Load(in.fileA);
        const double floorDone = CpuSeconds();
        state.PauseTiming();
        loaded.reset();
        state.ResumeTiming();
        const double commandStart = CpuSeconds();
        {
            auto file = std::make_unique<cli::LoadedFile>();
            if (cli::LoadFile(in.fileA, *file) ||
                WriteArchiveFile(out, RecordsOf(file->pane.tree), WriteMode::Safe, nullptr,
                                 file->pane.tree.EntryNodeCount())) {
                state.SkipWithError("convert failed");
                return;
            }
        }
        const double done = CpuSeconds();
        seconds += done - commandStart;
        floorSeconds += floorDone - start;
        state.SetIterationTime(done - commandStart);
    }
    Beside(state, seconds, floorSeconds);
}
TABLE_ROW(Table_Convert);

} // namespace
} // namespace tessaro::bench

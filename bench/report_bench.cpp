// A 100,000-entry archive: loaded into a tree (one category, or spread over
// 500), saved again, and written as both protocol reports.

#include "catalogue/VoiceCatalogue.h"
#include "data/ArchiveFile.h"
#include "edit/PaneLoad.h"
#include "edit/PaneState.h"
#include "edit/Reports.h"
#include "support/TreeTestSupport.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace tessaro {
namespace {

constexpr int kEntries = 100000;

// A folder for the bench's files, removed at exit.
class BenchFolder
{
public:
    BenchFolder()
        : path_(std::filesystem::temp_directory_path() / ("tessaro-bench-" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(path_);
    }
    ~BenchFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

BenchFolder& Folder()
{
    static BenchFolder folder;
    return folder;
}

// Entries in random group order, with sub entries, voices and parts set.
std::vector<MdbEntry> Records(int categories)
{
    std::mt19937 rng(20240601);
    std::vector<MdbEntry> records;
    records.reserve(kEntries);
    for (int i = 0; i < kEntries; ++i) {
        MdbEntry record;
        record.bytes()[kInUseOffset] = 1;
        record.SetCategory("Category " + std::to_string(i % categories));
        record.SetTitle((i % 4 == 3 ? "  Part " : "Song ") + std::to_string(i));
        record.setStyleNumber(uint8_t(rng() % 250));
        record.setTempo(uint16_t(60 + rng() % 160));
        record.setVariation(uint8_t(8 + rng() % 4));
        for (int hand = 0; hand < kHandVoiceCount; ++hand) {
            record.setVoiceOn(HandVoice(hand), rng() % 2);
            // Voices of the catalogue's XG rows, as a real collection holds known voices.
            record.setVoice(HandVoice(hand),
                            VoiceRef::FromPacked(VoiceCatalogue::GetVoicePacked(400 + rng() % 480)));
            record.setVoiceVolume(HandVoice(hand), uint8_t(rng() % 128));
        }
        for (int part = 0; part < kPartCount; ++part) {
            record.setPartOn(Part(part), rng() % 2);
            record.setPartVoice(Part(part), {127, 0, uint8_t(rng() % 128)});
            record.setPartVolume(Part(part), uint8_t(rng() % 128));
        }
        records.push_back(record);
    }
    return records;
}

// The archive file with the entries spread over that many categories.
const std::string& ArchivePath(int categories)
{
    static std::string paths[2];
    std::string& path = paths[categories == 1 ? 0 : 1];
    if (path.empty()) {
        path = Folder() / ("in-" + std::to_string(categories) + ".mdx");
        const std::vector<MdbEntry> records = Records(categories);
        WriteArchiveFile(path, SourceOf(records));
    }
    return path;
}

std::unique_ptr<PaneState> LoadedPane(int categories)
{
    auto pane = std::make_unique<PaneState>(NumberedStyles());
    if (InsertArchiveFile(*pane, ArchivePath(categories)) || pane->EntryCount() != kEntries)
        return nullptr;
    return pane;
}

void BM_LoadArchive(benchmark::State& state)
{
    const int categories = int(state.range(0));
    ArchivePath(categories);
    for (auto _ : state) {
        auto pane = LoadedPane(categories);
        if (!pane) {
            state.SkipWithError("load failed");
            return;
        }
        benchmark::DoNotOptimize(pane.get());
        state.PauseTiming(); // freeing the tree is not loading
        pane.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_LoadArchive)->Arg(1)->Arg(500)->Unit(benchmark::kMillisecond);

void BM_SaveArchive(benchmark::State& state)
{
    auto pane = LoadedPane(int(state.range(0)));
    if (!pane) {
        state.SkipWithError("load failed");
        return;
    }
    const std::string out = Folder() / "out.mdx";
    for (auto _ : state) {
        if (WriteArchiveFile(out, RecordsOf(pane->tree))) {
            state.SkipWithError("save failed");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_SaveArchive)->Arg(1)->Arg(500)->Unit(benchmark::kMillisecond);

void BM_Report(benchmark::State& state, ReportKind kind)
{
    auto pane = LoadedPane(int(state.range(0)));
    if (!pane) {
        state.SkipWithError("load failed");
        return;
    }
    const std::string out = Folder() / "report.txt";
    for (auto _ : state) {
        if (!WriteReportFile(kind, pane->tree, out)) {
            state.SkipWithError("report failed");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
    state.SetBytesProcessed(state.iterations() * int64_t(std::filesystem::file_size(out)));
}
BENCHMARK_CAPTURE(BM_Report, Formatted, ReportKind::Formatted)
    ->Arg(1)
    ->Arg(500)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Report, Tabs, ReportKind::Tabs)->Arg(1)->Arg(500)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tessaro

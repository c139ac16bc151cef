// The editor's main window with a large archive: the time from choosing the
// file to the window drawn with it (offscreen), beside the time to read the
// same file's bytes.
#include "app/SettingsKeys.h"
#include "app/qt/CMainDlg.h"
#include "data/ArchiveFile.h"
#include "support/FakePrompts.h"
#include "support/MapSettingsStore.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace tessaro {
namespace {

// Half in one category, half over 700 more, one in ten a sub entry.
std::string Archive(int entries)
{
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("tessaro-window-bench-" + std::to_string(entries) + ".mdx");
    if (!std::filesystem::exists(path)) {
        std::mt19937 random(11);
        int next = 0;
        MdbEntry record;
        WriteArchiveFile(path.string(), [&]() -> const MdbEntry* {
            if (next == entries)
                return nullptr;
            record = MdbEntry();
            record.bytes()[kInUseOffset] = 1;
            char category[16];
            std::snprintf(category, sizeof category, "Cat%03d", int(random() % 700));
            record.SetCategory(next % 2 == 0 ? "Everything" : category);
            record.SetTitle((next % 10 == 9 ? "  sub " : "Entry ") + std::to_string(next));
            record.setStyleNumber(uint8_t(random() % 245));
            ++next;
            return &record;
        });
    }
    return path.string();
}

void BM_WindowReadBytes(benchmark::State& state)
{
    const std::string path = Archive(int(state.range(0)));
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary);
        std::string bytes(std::filesystem::file_size(path), '\0');
        in.read(bytes.data(), std::streamsize(bytes.size()));
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_WindowReadBytes)->Arg(100000)->Unit(benchmark::kMillisecond);

// Open (the file chosen), then the window refreshed and drawn.
void BM_WindowShowsArchive(benchmark::State& state)
{
    const std::string path = Archive(int(state.range(0)));
    FakePrompts prompts;
    MapSettingsStore settings;
    settings.WriteString(settings::kSection, settings::kLanguage, "E");
    StyleCatalogue styles;
    CMainDlg window(prompts, settings, styles);
    window.Initialise();
    window.show();
    QApplication::processEvents();
    for (auto _ : state) {
        window.State().OpenFiles({path});
        window.Refresh();
        benchmark::DoNotOptimize(window.grab());
        state.PauseTiming();
        if (window.State().archivePane.EntryCount() != state.range(0))
            state.SkipWithError("the archive did not load");
        window.State().Close(PaneId::Archive);
        window.Refresh();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WindowShowsArchive)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace tessaro

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

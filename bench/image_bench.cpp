// Floppy images as the editor uses them: open the MDB inside a 1.44 MB image
// and save it back (read, check and write the whole image each time).
#include "data/MdbFile.h"
#include "image/ImageFiles.h"
#include "image/ImagePath.h"
#include "support/DataTestSupport.h"

#include <benchmark/benchmark.h>

namespace tessaro {
namespace {

using namespace tessaro::testing;

// A 1.44 MB disk with a full MDB (616 entries) in a set, beside other sets.
struct DiskWithMdb
{
    DiskWithMdb()
    {
        UseImagePaths();
        image = folder / "disk1.img";
        WriteNewFloppyImage(image, FloppySize::Kb1440);
        std::mt19937 rng(5);
        for (int i = 0; i < kSlotCount; ++i)
            records.push_back(RandomRecord(rng));
        for (const char* set : {"/LIVE.B01", "/LIVE.B02", "/PARTY.BUF"})
            WriteMdbFile(JoinImagePath(image, std::string(set) + "/MDB.BUP"), SourceOf(records), KeyboardModel::Psr9000);
        mdb = JoinImagePath(image, "/PARTY.BUF/MDB.BUP");
    }
    TempFolder folder;
    std::string image;
    std::string mdb;
    std::vector<MdbEntry> records;
};

void BM_OpenMdbInImage(benchmark::State& state)
{
    DiskWithMdb disk;
    for (auto _ : state) {
        const MdbReadResult read = ReadMdbFile(disk.mdb);
        if (!read.ok())
            state.SkipWithError("the MDB inside the image did not load");
        benchmark::DoNotOptimize(read.image.data());
    }
}
BENCHMARK(BM_OpenMdbInImage)->Unit(benchmark::kMillisecond);

void BM_SaveMdbIntoImage(benchmark::State& state)
{
    DiskWithMdb disk;
    for (auto _ : state) {
        if (WriteMdbFile(disk.mdb, SourceOf(disk.records), KeyboardModel::Psr9000))
            state.SkipWithError("the MDB could not be saved into the image");
    }
}
BENCHMARK(BM_SaveMdbIntoImage)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tessaro

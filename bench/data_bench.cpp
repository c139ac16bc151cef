// The data core's hot paths: checksum, reading an MDB file, large archives.
#include "data/ArchiveFile.h"
#include "data/MdbFile.h"
#include "support/DataTestSupport.h"

#include <benchmark/benchmark.h>

namespace tessaro {
namespace {

using namespace tessaro::testing;

MdbImage RandomImage()
{
    std::mt19937 rng(11);
    const Bytes bytes = RandomBytes(rng, kImageSize);
    MdbImage image;
    std::copy(bytes.begin(), bytes.end(), image.data());
    InitHeader(image, KeyboardModel::Psr9000Pro);
    image.StoreChecksum(ComputeChecksum(image));
    return image;
}

void BM_ComputeChecksum(benchmark::State& state)
{
    const MdbImage image = RandomImage();
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeChecksum(image));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kImageSize));
}
BENCHMARK(BM_ComputeChecksum);

void BM_ReadMdbFile(benchmark::State& state)
{
    TempFolder folder;
    const MdbImage image = RandomImage();
    WriteBytes(folder / "MDB_Pro.bup", Bytes(image.data(), image.data() + image.size()));
    for (auto _ : state) {
        const MdbReadResult read = ReadMdbFile(folder / "MDB_Pro.bup");
        if (!read.ok() || !read.checksumOk)
            state.SkipWithError("the image did not load");
        benchmark::DoNotOptimize(OccupiedRecords(read.image));
    }
}
BENCHMARK(BM_ReadMdbFile)->Unit(benchmark::kMicrosecond);

std::vector<MdbEntry> ManyRecords(std::size_t count)
{
    std::mt19937 rng(3);
    std::vector<MdbEntry> records;
    records.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        records.push_back(RandomRecord(rng));
    return records;
}

void BM_WriteArchive100k(benchmark::State& state)
{
    TempFolder folder;
    const std::vector<MdbEntry> records = ManyRecords(100000);
    for (auto _ : state) {
        if (WriteArchiveFile(folder / "big.mdx", SourceOf(records)))
            state.SkipWithError("the archive was not written");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(16 + records.size() * kRecordSize));
}
BENCHMARK(BM_WriteArchive100k)->Unit(benchmark::kMillisecond);

void BM_ReadArchive100k(benchmark::State& state)
{
    TempFolder folder;
    const std::vector<MdbEntry> records = ManyRecords(100000);
    WriteArchiveFile(folder / "big.mdx", SourceOf(records));
    for (auto _ : state) {
        std::size_t tempoSum = 0;
        const ArchiveReadResult result = ReadArchiveFile(folder / "big.mdx", [&](const MdbEntry& e) {
            tempoSum += e.tempo();
            return true;
        });
        if (result.count != records.size())
            state.SkipWithError("the archive did not load whole");
        benchmark::DoNotOptimize(tempoSum);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(16 + records.size() * kRecordSize));
}
BENCHMARK(BM_ReadArchive100k)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tessaro

#include "data/ArchiveFile.h"
#include "data/SafeFile.h"
#include "support/DataTestSupport.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using namespace tessaro::testing;

const std::string kMagic = "%%%MDB-Archiv%%%";

// Numbered records of random bytes; inUse is left as the random byte gave it (often not 1).
std::vector<MdbEntry> Records(std::size_t count)
{
    std::mt19937 rng{unsigned(count)};
    std::vector<MdbEntry> records;
    for (std::size_t i = 0; i < count; ++i) {
        records.push_back(RandomRecord(rng));
        records.back().setTempo(uint16_t(i));
    }
    records.front().bytes()[kInUseOffset] = 0; // loaded all the same
    return records;
}

// A file-like input that records the size of every read.
class RecordingInput final : public ByteInput
{
public:
    explicit RecordingInput(const Bytes& bytes, uint64_t claimedLength)
        : inner_(bytes.data(), bytes.size()), length_(claimedLength)
    {
    }
    uint64_t Length() const override { return length_; }
    std::size_t Read(uint8_t* buffer, std::size_t count) override
    {
        reads.push_back(count);
        return inner_.Read(buffer, count);
    }
    std::vector<std::size_t> reads;

private:
    MemoryInput inner_;
    uint64_t length_;
};

TEST(ArchiveFileTest, WritesAndReadsInBlocksOfOneHundred)
{
    TempFolder folder;
    const std::vector<MdbEntry> records = Records(250);
    ASSERT_EQ(WriteArchiveFile(folder / "a.mdx", SourceOf(records)), std::nullopt);

    Bytes want(kMagic.begin(), kMagic.end());
    for (const MdbEntry& r : records)
        want.insert(want.end(), r.bytes().begin(), r.bytes().end());
    const Bytes written = ReadBytes(folder / "a.mdx");
    ASSERT_EQ(written, want);

    RecordingInput input(written, written.size());
    std::vector<MdbEntry> read;
    const ArchiveReadResult result = ReadArchive(input, [&](const MdbEntry& e) {
        read.push_back(e);
        return true;
    });
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(result.count, 250u);
    EXPECT_EQ(read, records);
    EXPECT_EQ(input.reads, (std::vector<std::size_t>{16, 28800, 28800, 14400}));
}

// Written in pieces of about a megabyte: two whole pieces and a short last one
// must come out as the magic and every record in order, nothing twice.
TEST(ArchiveFileTest, AnArchiveOfSeveralWritePiecesIsWrittenWhole)
{
    TempFolder folder;
    const std::vector<MdbEntry> records = Records(2 * 3600 + 17);
    ASSERT_EQ(WriteArchiveFile(folder / "big.mdx", SourceOf(records)), std::nullopt);
    Bytes want(kMagic.begin(), kMagic.end());
    for (const MdbEntry& r : records)
        want.insert(want.end(), r.bytes().begin(), r.bytes().end());
    EXPECT_EQ(ReadBytes(folder / "big.mdx"), want);
}

TEST(ArchiveFileTest, ALastBlockOfOneRecordIsRead)
{
    // Block edges: the last block full, holding one record, or the only block one record.
    const std::pair<std::size_t, std::vector<std::size_t>> cases[] = {
        {1, {16, 288}},
        {100, {16, 28800}},
        {101, {16, 28800, 288}},
        {201, {16, 28800, 28800, 288}},
    };
    for (const auto& [count, reads] : cases) {
        const std::vector<MdbEntry> records = Records(count);
        Bytes bytes(kMagic.begin(), kMagic.end());
        for (const MdbEntry& r : records)
            bytes.insert(bytes.end(), r.bytes().begin(), r.bytes().end());
        RecordingInput input(bytes, bytes.size());
        std::vector<MdbEntry> read;
        const ArchiveReadResult result = ReadArchive(input, [&](const MdbEntry& e) {
            read.push_back(e);
            return true;
        });
        EXPECT_TRUE(result.ok()) << count;
        EXPECT_EQ(result.count, count);
        EXPECT_EQ(read, records) << count;
        EXPECT_EQ(input.reads, reads) << count;
        EXPECT_EQ(result.ignoredBytes, 0u) << count;
    }
}

TEST(ArchiveFileTest, MagicAloneIsAnEmptyArchiveAndATrailingPieceIsIgnored)
{
    TempFolder folder;
    ASSERT_EQ(WriteArchiveFile(folder / "empty.mdx", SourceOf({})), std::nullopt);
    EXPECT_EQ(ReadText(folder / "empty.mdx"), kMagic);
    std::size_t calls = 0;
    const auto count = [&](const MdbEntry&) { return ++calls, true; };
    EXPECT_TRUE(ReadArchiveFile(folder / "empty.mdx", count).ok());
    EXPECT_EQ(calls, 0u);

    const std::vector<MdbEntry> three = Records(3);
    ASSERT_EQ(WriteArchiveFile(folder / "three.mdx", SourceOf(three)), std::nullopt);
    Bytes bytes = ReadBytes(folder / "three.mdx");
    bytes.resize(bytes.size() + 100, 0xAB);
    WriteBytes(folder / "three.mdx", bytes);
    const ArchiveReadResult result = ReadArchiveFile(folder / "three.mdx", count);
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(result.count, 3u);
    EXPECT_EQ(result.ignoredBytes, 100u); // said, so that a cut-off file does not pass unnoticed
}

TEST(ArchiveFileTest, RefusesWithTheArchiveMessages)
{
    TempFolder folder;
    WriteText(folder / "15", kMagic.substr(0, 15));
    WriteText(folder / "case", "%%%MDB-ARCHIV%%%");
    std::filesystem::create_directory(folder / "dir.mdx");
    const auto accept = [](const MdbEntry&) { return true; };
    const std::pair<std::string, Msg> cases[] = {
        {"missing", Msg::ErrorOpeningArchive},
        {"dir.mdx", Msg::ErrorOpeningArchive},
        {"15", Msg::InvalidFileSize},
        {"case", Msg::NotAValidArchive},
    };
    for (const auto& [name, msg] : cases)
        EXPECT_EQ(ReadArchiveFile(folder / name, accept).error, std::optional<Msg>(msg)) << name;

    // A file that shrinks while it is read: the block arrives short.
    Bytes bytes(kMagic.begin(), kMagic.end());
    bytes.resize(16 + 288 * 5);
    RecordingInput shrunk(bytes, 16 + 288 * 6);
    EXPECT_EQ(ReadArchive(shrunk, accept).error, std::optional<Msg>(Msg::ErrorReadingArchive));

    // The tree refusing the third record stops the load after two.
    RecordingInput input(bytes, bytes.size());
    std::size_t calls = 0;
    const ArchiveReadResult stopped = ReadArchive(input, [&](const MdbEntry&) { return ++calls < 3; });
    EXPECT_EQ(stopped.error, std::optional<Msg>(Msg::ErrorLoadingDisplayBuffer));
    EXPECT_EQ(stopped.count, 2u);
    EXPECT_EQ(calls, 3u);
}

TEST(ArchiveFileTest, FailedSaveLeavesTheOldArchiveWhole)
{
    TempFolder folder;
    ASSERT_EQ(WriteArchiveFile(folder / "a.mdx", SourceOf(Records(700))), std::nullopt); // no 616 limit
    const Bytes old = ReadBytes(folder / "a.mdx");
    EXPECT_EQ(old.size(), 16u + 700 * 288);
    InjectSafeWriteFault(SafeWriteFault::Write);
    EXPECT_EQ(WriteArchiveFile(folder / "a.mdx", SourceOf(Records(250))),
              std::optional<Msg>(Msg::ErrorSavingArchive));
    EXPECT_EQ(ReadBytes(folder / "a.mdx"), old);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"a.mdx"});

    // No room for the copy: its own message; written in place, the file is cut to its new length.
    InjectSafeWriteFault(SafeWriteFault::NoSpace);
    EXPECT_EQ(WriteArchiveFile(folder / "a.mdx", SourceOf(Records(250))),
              std::optional<Msg>(Msg::NoSpaceForSafeSave));
    EXPECT_EQ(ReadBytes(folder / "a.mdx"), old);
    ASSERT_EQ(WriteArchiveFile(folder / "a.mdx", SourceOf(Records(250)), WriteMode::InPlace), std::nullopt);
    EXPECT_EQ(ReadBytes(folder / "a.mdx").size(), 16u + 250 * 288);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"a.mdx"});
}

} // namespace
} // namespace tessaro

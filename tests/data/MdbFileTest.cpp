#include "data/MdbFile.h"
#include "data/SafeFile.h"
#include "support/DataTestSupport.h"

#include <cstring>
#include <gtest/gtest.h>

namespace tessaro {
namespace {

using namespace tessaro::testing;

class MdbFileTest : public ::testing::Test
{
protected:
    // A PSR-9000pro image with records in the given slots and a correct checksum.
    static MdbImage ProImage(const std::vector<std::pair<int, MdbEntry>>& slots)
    {
        MdbImage image;
        InitHeader(image, KeyboardModel::Psr9000Pro);
        for (const auto& [slot, record] : slots)
            image.SetSlot(slot, record);
        image.StoreChecksum(ComputeChecksum(image));
        return image;
    }
    static Bytes BytesOf(const MdbImage& image) { return Bytes(image.data(), image.data() + image.size()); }

    TempFolder folder;
};

// Random bytes in every header word, reserved byte and empty slot: reading keeps the
// occupied records whole; writing rewrites the header from the template, packs the
// records from slot 0, zeroes the rest and recomputes the checksum.
TEST_F(MdbFileTest, RandomImageComesBackWithExactlyTheDefinedBytes)
{
    std::mt19937 rng(2024);
    Bytes original = RandomBytes(rng, kImageSize);
    std::memcpy(original.data() + 16, "MDB9P10", 7); // byte 23 stays random
    std::vector<MdbEntry> expected;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        uint8_t& inUse = original[kHeaderSize + kRecordSize * slot + kInUseOffset];
        inUse = (slot % 3 == 1) ? 0 : (inUse | 1); // every third slot empty, random junk inside
        if (inUse != 0)
            expected.emplace_back(original.data() + kHeaderSize + kRecordSize * slot);
    }
    WriteBytes(folder / "MDB_Pro.bup", original);

    const MdbReadResult read = ReadMdbFile(folder / "MDB_Pro.bup");
    ASSERT_TRUE(read.ok());
    EXPECT_FALSE(read.checksumOk); // the stored checksum is random
    EXPECT_EQ(read.model, KeyboardModel::Psr9000Pro);
    const std::vector<MdbEntry> records = OccupiedRecords(read.image);
    ASSERT_EQ(records, expected);

    ASSERT_EQ(WriteMdbFile(folder / "saved.bup", SourceOf(records), read.model), std::nullopt);
    Bytes want(kImageSize, 0);
    const uint8_t header[24] = {0x00, 0x4A, 0x3E, 0xA0, 0x00, 0x02, 0xB5, 0x0C, 0,   0,   0,   0,
                                0,    0,    0,    0,    'M',  'D',  'B',  '9',  'P', '1', '0', '0'};
    std::memcpy(want.data(), header, sizeof header);
    uint32_t sum = 0;
    for (std::size_t i = 0; i < records.size(); ++i)
        std::memcpy(want.data() + kHeaderSize + kRecordSize * i, records[i].bytes().data(), kRecordSize);
    for (std::size_t offset = kHeaderSize; offset < kChecksumOffset; offset += 4)
        sum += (uint32_t(want[offset]) << 24) | (want[offset + 1] << 16) | (want[offset + 2] << 8) |
               want[offset + 3];
    for (int i = 0; i < 4; ++i)
        want[kChecksumOffset + i] = uint8_t(sum >> (24 - 8 * i));
    EXPECT_EQ(ReadBytes(folder / "saved.bup"), want);

    const MdbReadResult again = ReadMdbFile(folder / "saved.bup");
    EXPECT_TRUE(again.ok() && again.checksumOk);
    EXPECT_EQ(OccupiedRecords(again.image), records);
}

TEST_F(MdbFileTest, RefusesWhatIsNotAnMdbFileWithItsMessage)
{
    const Bytes valid = BytesOf(ProImage({}));
    WriteBytes(folder / "empty", {});
    WriteBytes(folder / "short", Bytes(valid.begin(), valid.end() - 1));
    Bytes longer = valid;
    longer.push_back(0);
    WriteBytes(folder / "long", longer);
    Bytes foreign = valid;
    std::memcpy(foreign.data() + 16, "MDB8_10", 7);
    WriteBytes(folder / "foreign", foreign);
    std::filesystem::create_directory(folder / "dir.bup");

    const std::pair<std::string, Msg> cases[] = {
        {"missing", Msg::ErrorOpeningFile}, {"dir.bup", Msg::ErrorOpeningFile},
        {"empty/x", Msg::ErrorOpeningFile}, {"empty", Msg::InvalidFileSize},
        {"short", Msg::InvalidFileSize},    {"long", Msg::InvalidFileSize},
        {"foreign", Msg::NotAValidMdb},
    };
    for (const auto& [name, msg] : cases)
        EXPECT_EQ(ReadMdbFile(folder / name).error, std::optional<Msg>(msg)) << name;
    EXPECT_TRUE(ReadMdbFile(folder / "foreign").checksumOk); // still checked first, for the warning

    if (::geteuid() != 0) { // root reads any file
        WriteBytes(folder / "locked", valid);
        std::filesystem::permissions(folder / "locked", std::filesystem::perms::none);
        EXPECT_EQ(ReadMdbFile(folder / "locked").error, std::optional<Msg>(Msg::ErrorOpeningFile));
    }
}

TEST_F(MdbFileTest, EmptySlotsAndBlankSignatureLoad)
{
    MdbEntry a, b;
    a.bytes()[kInUseOffset] = 0xFF;
    a.SetTitle("first");
    b.bytes()[kInUseOffset] = 1;
    b.SetTitle("last");
    MdbImage image = ProImage({{615, b}, {7, a}});
    std::memset(image.data() + 16, 0, 8);
    image.StoreChecksum(ComputeChecksum(image) + 1);

    const Bytes bytes = BytesOf(image);
    const MdbReadResult read = ParseMdb(bytes.data(), bytes.size());
    ASSERT_TRUE(read.ok());
    EXPECT_FALSE(read.checksumOk);
    EXPECT_EQ(read.model, KeyboardModel::Psr9000);
    EXPECT_TRUE(read.blankSignature);
    const std::vector<MdbEntry> records = OccupiedRecords(read.image);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].GetTitle(), "first");
    EXPECT_EQ(records[1].GetTitle(), "last");

    // Saved blank when asked; the blank file leaves no mark on other saves.
    ASSERT_EQ(WriteMdbFile(folder / "MDB.bup", SourceOf(records), KeyboardModel::Psr9000, true),
              std::nullopt);
    Bytes saved = ReadBytes(folder / "MDB.bup");
    EXPECT_EQ(Bytes(saved.begin() + 16, saved.begin() + 24), Bytes(8, 0));
    EXPECT_TRUE(ParseMdb(saved.data(), saved.size()).blankSignature);
    ASSERT_EQ(WriteMdbFile(folder / "MDB.bup", SourceOf(records), KeyboardModel::Psr9000Pro), std::nullopt);
    saved = ReadBytes(folder / "MDB.bup");
    EXPECT_EQ(ParseMdb(saved.data(), saved.size()).model, KeyboardModel::Psr9000Pro);
    EXPECT_FALSE(ParseMdb(saved.data(), saved.size()).blankSignature);

    const Bytes none = BytesOf(ProImage({}));
    EXPECT_TRUE(OccupiedRecords(ParseMdb(none.data(), none.size()).image).empty());
}

TEST_F(MdbFileTest, WritesAtMostSixHundredSixteenRecords)
{
    std::vector<MdbEntry> records(616);
    for (std::size_t i = 0; i < records.size(); ++i) {
        records[i].bytes()[kInUseOffset] = 1;
        records[i].setTempo(uint16_t(i));
    }
    ASSERT_EQ(WriteMdbFile(folder / "MDB.bup", SourceOf(records), KeyboardModel::Psr9000), std::nullopt);
    const Bytes full = ReadBytes(folder / "MDB.bup");
    EXPECT_EQ(OccupiedRecords(ParseMdb(full.data(), full.size()).image), records);

    records.emplace_back();
    EXPECT_EQ(WriteMdbFile(folder / "MDB.bup", SourceOf(records), KeyboardModel::Psr9000),
              std::optional<Msg>(Msg::TooManyEntries));
    EXPECT_EQ(ReadBytes(folder / "MDB.bup"), full);
    EXPECT_EQ(WriteMdbFile(folder / "new.bup", SourceOf(records), KeyboardModel::Psr9000),
              std::optional<Msg>(Msg::TooManyEntries));
    EXPECT_FALSE(std::filesystem::exists(folder / "new.bup"));
}

TEST_F(MdbFileTest, FailedSaveLeavesTheOldFileWhole)
{
    const Bytes old = BytesOf(ProImage({}));
    WriteBytes(folder / "MDB.bup", old);
    const std::vector<MdbEntry> records(3);
    for (SafeWriteFault fault :
         {SafeWriteFault::Create, SafeWriteFault::Write, SafeWriteFault::Sync, SafeWriteFault::Rename}) {
        InjectSafeWriteFault(fault);
        EXPECT_EQ(WriteMdbFile(folder / "MDB.bup", SourceOf(records), KeyboardModel::Psr9000),
                  std::optional<Msg>(Msg::ErrorSavingMdb));
        EXPECT_EQ(ReadBytes(folder / "MDB.bup"), old);
        EXPECT_EQ(folder.Names(), std::vector<std::string>{"MDB.bup"}); // no temporary file left
    }
    // No room for the copy: its own message, and only then may the caller write in place.
    InjectSafeWriteFault(SafeWriteFault::NoSpace);
    EXPECT_EQ(WriteMdbFile(folder / "MDB.bup", SourceOf(records), KeyboardModel::Psr9000),
              std::optional<Msg>(Msg::NoSpaceForSafeSave));
    EXPECT_EQ(ReadBytes(folder / "MDB.bup"), old);
    ASSERT_EQ(WriteMdbFile(folder / "MDB.bup", SourceOf(records), KeyboardModel::Psr9000, false,
                           WriteMode::InPlace),
              std::nullopt);
    const Bytes inPlace = ReadBytes(folder / "MDB.bup");
    EXPECT_EQ(OccupiedRecords(ParseMdb(inPlace.data(), inPlace.size()).image).size(), 3u);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"MDB.bup"});

    EXPECT_EQ(WriteMdbFile(folder / "no/such/folder/MDB.bup", SourceOf(records), KeyboardModel::Psr9000),
              std::optional<Msg>(Msg::ErrorSavingMdb));
    std::filesystem::create_directory(folder / "taken");
    EXPECT_EQ(WriteMdbFile(folder / "taken", SourceOf(records), KeyboardModel::Psr9000),
              std::optional<Msg>(Msg::ErrorSavingMdb));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "taken"));
}

} // namespace
} // namespace tessaro

namespace tessaro {
namespace {

using namespace tessaro::testing;

// Archives load records whatever their in-use byte holds; such a record copied into
// the MDB must still be an entry after saving and loading again.
TEST(MdbFileInUseTest, RecordsWithoutInUseByteSurviveTheMdb)
{
    TempFolder folder;
    std::vector<MdbEntry> records(3);
    records[0].bytes()[kInUseOffset] = 0x7F;
    records[1].SetTitle("Foreign");
    records[1].bytes()[kInUseOffset] = 0;
    records[2].bytes()[kInUseOffset] = 1;
    ASSERT_EQ(WriteMdbFile(folder / "MDB.bup", SourceOf(records), KeyboardModel::Psr9000), std::nullopt);

    const Bytes bytes = ReadBytes(folder / "MDB.bup");
    const std::vector<MdbEntry> loaded = OccupiedRecords(ParseMdb(bytes.data(), bytes.size()).image);
    ASSERT_EQ(loaded.size(), 3u);
    EXPECT_EQ(loaded[0].inUse(), 0x7F); // a set byte is carried as it is
    EXPECT_EQ(loaded[1].GetTitle(), "Foreign");
    EXPECT_NE(loaded[1].inUse(), 0);
    EXPECT_EQ(loaded[2].inUse(), 1);
}

} // namespace
} // namespace tessaro

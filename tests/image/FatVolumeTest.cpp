#include "image/BootSector.h"
#include "image/FatVolume.h"
#include "image/ShortName.h"
#include "support/ImageTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tessaro {
namespace {

using testing::Bytes;
using testing::LoadVolume;
using testing::PatternBytes;

Bytes Floppy(FloppySize size = FloppySize::Kb1440)
{
    return NewFloppyImage(size, 0x12345678);
}

std::optional<Msg> LoadError(const Bytes& bytes)
{
    FatVolume volume;
    const std::optional<ImageError> error = FatVolume::Load(bytes, volume);
    return error ? std::optional<Msg>(error->id) : std::nullopt;
}

Bytes ReadBack(const FatVolume& volume, const std::string& path)
{
    Bytes contents;
    const std::optional<ImageError> error = volume.ReadFile(path, contents);
    EXPECT_FALSE(error) << path << ": " << (error ? error->Text() : "");
    return contents;
}

void Write(FatVolume& volume, const std::string& path, const Bytes& contents)
{
    const std::optional<ImageError> error = volume.WriteFile(path, contents.data(), contents.size());
    ASSERT_FALSE(error) << path << ": " << error->Text();
}

// FAT12 entry of the first FAT copy, as a test sees the disk.
uint32_t Fat12Entry(const Bytes& image, const FatGeometry& g, uint32_t cluster)
{
    const uint8_t* p = image.data() + g.fatOffset + cluster + cluster / 2;
    const uint32_t pair = uint32_t(p[0]) | uint32_t(p[1]) << 8;
    return (cluster & 1) ? pair >> 4 : pair & 0xFFF;
}

void SetFat12Entry(Bytes& image, const FatGeometry& g, uint32_t cluster, uint32_t value)
{
    for (uint32_t copy = 0; copy < g.fatCount; ++copy) {
        uint8_t* p = image.data() + g.fatOffset + copy * g.FatBytes() + cluster + cluster / 2;
        const uint32_t pair = uint32_t(p[0]) | uint32_t(p[1]) << 8;
        const uint32_t changed =
            (cluster & 1) ? (pair & 0x000F) | (value << 4) : (pair & 0xF000) | (value & 0xFFF);
        p[0] = uint8_t(changed);
        p[1] = uint8_t(changed >> 8);
    }
}

// The root-folder entry with this 8.3 name.
uint8_t* RootEntry(Bytes& image, const FatGeometry& g, const char* name11)
{
    for (uint32_t i = 0; i < g.rootEntries; ++i) {
        uint8_t* e = image.data() + g.rootOffset + i * 32;
        if (std::memcmp(e, name11, 11) == 0)
            return e;
    }
    ADD_FAILURE() << "no root entry " << name11;
    return image.data() + g.rootOffset;
}

void ExpectFatCopiesEqual(const FatVolume& volume)
{
    const FatGeometry& g = volume.Geometry();
    const uint8_t* first = volume.Bytes().data() + g.fatOffset;
    for (uint32_t copy = 1; copy < g.fatCount; ++copy)
        EXPECT_EQ(std::memcmp(first, first + copy * g.FatBytes(), std::size_t(g.FatBytes())), 0)
            << "FAT copy " << copy << " differs";
}

TEST(FatVolume, NewFloppiesHaveThePcGeometriesAndAnEmptyRoot)
{
    struct Case
    {
        FloppySize size;
        uint32_t bytes, clusterBytes, rootEntries, clusters;
    };
    for (const Case c : {Case{FloppySize::Kb1440, 1474560, 512, 224, 2847}, Case{FloppySize::Kb720, 737280, 1024, 112, 713}}) {
        const Bytes image = Floppy(c.size);
        ASSERT_EQ(image.size(), c.bytes);
        const FatVolume volume = LoadVolume(image);
        const FatGeometry& g = volume.Geometry();
        EXPECT_EQ(g.kind, FatKind::Fat12);
        EXPECT_EQ(g.clusterBytes, c.clusterBytes);
        EXPECT_EQ(g.rootEntries, c.rootEntries);
        EXPECT_EQ(g.clusterCount, c.clusters);
        EXPECT_EQ(volume.FreeBytes(), uint64_t(c.clusters) * c.clusterBytes);
        std::vector<ImageEntry> entries{ImageEntry{}};
        EXPECT_FALSE(volume.List("/", entries));
        EXPECT_TRUE(entries.empty());
        EXPECT_EQ(image[510], 0x55);
        EXPECT_EQ(image[511], 0xAA);
    }
}

TEST(FatVolume, BootSectorsThatDoNotAddUpAreRefusedWithTheirReason)
{
    const Bytes good = Floppy();
    auto with = [&](std::size_t offset, std::initializer_list<uint8_t> values) {
        Bytes bytes = good;
        std::copy(values.begin(), values.end(), bytes.begin() + std::ptrdiff_t(offset));
        return bytes;
    };
    EXPECT_EQ(LoadError(Bytes(good.begin(), good.begin() + 100)), Msg::ImageTooShort);
    EXPECT_EQ(LoadError(Bytes()), Msg::ImageTooShort);
    EXPECT_EQ(LoadError(with(11, {0x00, 0x03})), Msg::ImageBadSectorSize); // 768
    EXPECT_EQ(LoadError(with(11, {0x00, 0x00})), Msg::ImageBadSectorSize);
    EXPECT_EQ(LoadError(with(13, {3})), Msg::ImageBadClusterSize);
    EXPECT_EQ(LoadError(with(13, {0})), Msg::ImageBadClusterSize);
    EXPECT_EQ(LoadError(with(14, {0, 0})), Msg::ImageFieldZero);   // reserved sectors
    EXPECT_EQ(LoadError(with(16, {0})), Msg::ImageFieldZero);      // FATs
    EXPECT_EQ(LoadError(with(17, {0, 0})), Msg::ImageFieldZero);   // root entries
    EXPECT_EQ(LoadError(with(22, {0, 0})), Msg::ImageFieldZero);   // sectors per FAT
    EXPECT_EQ(LoadError(with(19, {0, 0})), Msg::ImageFieldZero);   // no total in either field
    EXPECT_EQ(LoadError(with(22, {0xFF, 0x0F})), Msg::ImageLayoutTooBig);
    EXPECT_EQ(LoadError(with(22, {1, 0})), Msg::ImageFatTooSmall); // 2847 clusters need 9 sectors
    // A BPB claiming more sectors than FAT16 can count is FAT32, which this layer does not read.
    Bytes fat32 = with(19, {0, 0});
    fat32[34] = 0x20; // 2,097,152 sectors in the 32-bit total
    EXPECT_EQ(LoadError(fat32), Msg::ImageFat32);

    Bytes cut(good.begin(), good.end() - 512);
    EXPECT_EQ(LoadError(cut), Msg::ImageSizeMismatch);
    Bytes oversized = good;
    oversized.resize(good.size() + 1);
    EXPECT_EQ(LoadError(oversized), Msg::ImageSizeMismatch);

    FatVolume volume;
    const std::optional<ImageError> error = FatVolume::Load(with(13, {3}), volume);
    ASSERT_TRUE(error);
    EXPECT_NE(error->Text().find("3 sectors per cluster"), std::string::npos) << error->Text();
}

TEST(FatVolume, FilesOfEverySizeReadBackAndReplacingFreesWhatWasUsed)
{
    FatVolume volume = LoadVolume(Floppy());
    const uint64_t emptyFree = volume.FreeBytes();
    ASSERT_FALSE(volume.CreateFolders("/PARTY.BUF"));
    const uint64_t withFolder = volume.FreeBytes();
    EXPECT_EQ(withFolder, emptyFree - 512);

    for (std::size_t size : {std::size_t(0), std::size_t(1), std::size_t(511), std::size_t(512), std::size_t(513),
                             std::size_t(177436)}) {
        const Bytes contents = PatternBytes(size, unsigned(size));
        Write(volume, "/PARTY.BUF/MDB.BUP", contents);
        EXPECT_EQ(ReadBack(volume, "/party.buf/mdb.bup"), contents) << size;
        EXPECT_EQ(volume.FreeBytes(), withFolder - (size + 511) / 512 * 512) << size;
        ExpectFatCopiesEqual(volume);
    }
    std::vector<ImageEntry> entries;
    ASSERT_FALSE(volume.List("/PARTY.BUF", entries));
    ASSERT_EQ(entries.size(), 1u) << "replacing must not add a second entry";
    EXPECT_EQ(entries[0].name, "MDB.BUP");
    EXPECT_EQ(entries[0].size, 177436u);

    // Shrinking gives the clusters back, and the reloaded bytes see the same disk.
    Write(volume, "/PARTY.BUF/MDB.BUP", PatternBytes(10, 1));
    EXPECT_EQ(volume.FreeBytes(), withFolder - 512);
    const FatVolume reloaded = LoadVolume(volume.Bytes());
    EXPECT_EQ(ReadBack(reloaded, "/PARTY.BUF/MDB.BUP"), PatternBytes(10, 1));
}

TEST(FatVolume, NamesAreWrittenUpperCaseMatchedWithoutCaseAndRefusedWhenTheyDoNotFit)
{
    FatVolume volume = LoadVolume(Floppy());
    ASSERT_FALSE(volume.CreateFolders("/Live.b01/Sub"));
    Write(volume, "/Live.b01/MDB_Pro.bup", Bytes{1, 2, 3});
    std::vector<ImageEntry> entries;
    ASSERT_FALSE(volume.List("/", entries));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, "LIVE.B01");
    EXPECT_TRUE(entries[0].folder);
    EXPECT_EQ(volume.KindOf("/LIVE.B01/mdb_pro.BUP"), FatVolume::Kind::File);
    EXPECT_EQ(volume.KindOf("/live.B01/SUB"), FatVolume::Kind::Folder);
    EXPECT_EQ(volume.KindOf("/live.B01/nothing"), FatVolume::Kind::Missing);

    const Bytes before = volume.Bytes();
    for (const char* bad : {"PARTYTIME.buf", "Party.bufx", "My Set.buf", "a.b.c", ".buf", "SET.", "*.BUF",
                            "Pa\xc3\xa4rty.buf"}) {
        const std::string name = std::string(bad);
        const std::optional<ImageError> asFile = volume.WriteFile("/" + name, before.data(), 3);
        ASSERT_TRUE(asFile) << name;
        EXPECT_EQ(asFile->id, Msg::ImageNameRule) << name;
        EXPECT_EQ(asFile->first, name);
        const std::optional<ImageError> asFolder = volume.CreateFolders("/NEW/" + name);
        ASSERT_TRUE(asFolder) << name;
        EXPECT_EQ(asFolder->id, Msg::ImageNameRule) << name;
    }
    EXPECT_EQ(volume.Bytes(), before) << "a refused name must leave the disk as it was";
    const std::string rule = ImageError{Msg::ImageNameRule, "PARTYTIME.buf"}.Text();
    EXPECT_NE(rule.find("1 to 8 characters"), std::string::npos) << rule;

    EXPECT_EQ(ToShortName("mdb.bup").value(), (ShortName{'M', 'D', 'B', ' ', ' ', ' ', ' ', ' ', 'B', 'U', 'P'}));
    EXPECT_TRUE(ToShortName("12345678.123"));
    EXPECT_TRUE(ToShortName("A~1!{}"));
}

TEST(FatVolume, PathsThatAreNotThereOrOfTheWrongKindAreNamed)
{
    FatVolume volume = LoadVolume(Floppy());
    Write(volume, "/FILE.TXT", Bytes{1});
    Bytes contents;
    std::optional<ImageError> error = volume.ReadFile("/MISSING/MDB.BUP", contents);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->id, Msg::ImageNotFound);
    EXPECT_EQ(error->first, "/MISSING");
    error = volume.ReadFile("/FILE.TXT/MDB.BUP", contents);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->id, Msg::ImageNotAFolder);
    ASSERT_FALSE(volume.CreateFolders("/SET.BUF"));
    error = volume.ReadFile("/SET.BUF", contents);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->id, Msg::ImageIsAFolder);
    error = volume.WriteFile("/SET.BUF", contents.data(), 0);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->id, Msg::ImageIsAFolder);
    error = volume.CreateFolders("/FILE.TXT/SUB");
    ASSERT_TRUE(error);
    EXPECT_EQ(error->id, Msg::ImageNotAFolder);
    error = volume.WriteFile("/NOFOLDER/MDB.BUP", contents.data(), 0);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->id, Msg::ImageNotFound);
}

TEST(FatVolume, AFullDiskOrRootFolderRefusesTheWriteAndStaysAsItWas)
{
    FatVolume volume = LoadVolume(Floppy(FloppySize::Kb720));
    const uint64_t free = volume.FreeBytes();
    Write(volume, "/BIG.BIN", PatternBytes(std::size_t(free) - 1024, 3));
    const Bytes before = volume.Bytes();
    const Bytes tooLarge = PatternBytes(2049, 4);
    std::optional<ImageError> error = volume.WriteFile("/MORE.BIN", tooLarge.data(), tooLarge.size());
    ASSERT_TRUE(error);
    EXPECT_EQ(error->id, Msg::ImageFull);
    EXPECT_EQ(error->second, "2048"); // three 1024-byte clusters wanted, one free
    EXPECT_EQ(volume.Bytes(), before);
    // Replacing may use the file's own clusters: the whole disk fits again.
    Write(volume, "/BIG.BIN", PatternBytes(std::size_t(free), 5));
    EXPECT_EQ(volume.FreeBytes(), 0u);
    error = volume.CreateFolders("/SET.BUF");
    ASSERT_TRUE(error);
    EXPECT_EQ(error->id, Msg::ImageFull);

    FatVolume roots = LoadVolume(Floppy(FloppySize::Kb720));
    for (int i = 0; i < 112; ++i)
        Write(roots, "/F" + std::to_string(i), Bytes{});
    const Bytes full = roots.Bytes();
    error = roots.WriteFile("/ONEMORE", full.data(), 1);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->id, Msg::ImageRootFull);
    EXPECT_EQ(roots.Bytes(), full);
}

TEST(FatVolume, AFolderGrowsByAClusterWhenItsEntriesRunOut)
{
    FatVolume volume = LoadVolume(Floppy());
    ASSERT_FALSE(volume.CreateFolders("/MANY"));
    // 16 entries per 512-byte cluster, two of them "." and "..".
    for (int i = 0; i < 40; ++i)
        Write(volume, "/MANY/FILE" + std::to_string(i), PatternBytes(std::size_t(i), unsigned(i)));
    const FatVolume reloaded = LoadVolume(volume.Bytes());
    std::vector<ImageEntry> entries;
    ASSERT_FALSE(reloaded.List("/MANY", entries));
    ASSERT_EQ(entries.size(), 40u);
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(ReadBack(reloaded, "/MANY/FILE" + std::to_string(i)), PatternBytes(std::size_t(i), unsigned(i)));
}

TEST(FatVolume, DamagedDisksAreRefusedAtLoad)
{
    FatVolume volume = LoadVolume(Floppy());
    Write(volume, "/A.BIN", PatternBytes(1500, 1)); // clusters 2, 3, 4
    Write(volume, "/B.BIN", PatternBytes(600, 2));  // clusters 5, 6
    const Bytes good = volume.Bytes();
    const FatGeometry g = volume.Geometry();
    ASSERT_EQ(Fat12Entry(good, g, 2), 3u);
    ASSERT_EQ(Fat12Entry(good, g, 5), 6u);

    Bytes loop = good;
    SetFat12Entry(loop, g, 4, 2);
    EXPECT_EQ(LoadError(loop), Msg::ImageChainLoops);

    Bytes crossed = good;
    SetFat12Entry(crossed, g, 6, 3); // B runs into A's chain
    EXPECT_EQ(LoadError(crossed), Msg::ImageChainCrosses);

    Bytes outside = good;
    SetFat12Entry(outside, g, 3, 4000); // past the 2847 clusters
    EXPECT_EQ(LoadError(outside), Msg::ImageChainOutside);
    Bytes freeInChain = good;
    SetFat12Entry(freeInChain, g, 3, 0);
    EXPECT_EQ(LoadError(freeInChain), Msg::ImageChainOutside);

    Bytes entryOutside = good;
    uint8_t* b = RootEntry(entryOutside, g, "B       BIN");
    b[26] = 0xFF;
    b[27] = 0x0F;
    EXPECT_EQ(LoadError(entryOutside), Msg::ImageChainOutside);

    Bytes blankName = good;
    std::memset(RootEntry(blankName, g, "B       BIN"), ' ', 11); // no path can reach it
    EXPECT_EQ(LoadError(blankName), Msg::ImageBadEntryName);
    Bytes slashName = good;
    RootEntry(slashName, g, "B       BIN")[1] = '/';
    EXPECT_EQ(LoadError(slashName), Msg::ImageBadEntryName);
    Bytes twice = good;
    std::memcpy(RootEntry(twice, g, "B       BIN"), "a       BIN", 11); // matches A.BIN without case
    EXPECT_EQ(LoadError(twice), Msg::ImageDuplicateName);

    Bytes tooLong = good;
    RootEntry(tooLong, g, "B       BIN")[29] = 0x04; // 600 + 1024 bytes in two clusters
    EXPECT_EQ(LoadError(tooLong), Msg::ImageFileLongerThanChain);

    ASSERT_FALSE(volume.CreateFolders("/SUB"));
    Bytes folderLoop = volume.Bytes();
    uint8_t* sub = RootEntry(folderLoop, g, "SUB        ");
    const uint32_t subCluster = uint32_t(sub[26]) | uint32_t(sub[27]) << 8;
    // A folder entry inside SUB that points back at SUB itself.
    uint8_t* inside = folderLoop.data() + g.dataOffset + (subCluster - 2) * g.clusterBytes + 64;
    std::memcpy(inside, sub, 32);
    inside[0] = 'X';
    EXPECT_EQ(LoadError(folderLoop), Msg::ImageChainCrosses);
}

} // namespace
} // namespace tessaro

// Images as files, judged by the independent FAT tools: what mtools puts in is
// read, what Tessaro writes passes fsck.fat and reads back through mtools.
#include "data/ArchiveFile.h"
#include "data/BackupIni.h"
#include "data/FlashStyleFile.h"
#include "data/FolderPath.h"
#include "data/InputFile.h"
#include "data/MdbFile.h"
#include "data/NestedFiles.h"
#include "image/ImageFiles.h"
#include "image/ImagePath.h"
#include "support/ImageTestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace tessaro {
namespace {

using testing::Bytes;
using testing::ExpectFsckClean;
using testing::McopyOut;
using testing::PatternBytes;
using testing::ReadBytes;
using testing::ReadText;
using testing::Shell;
using testing::ShellQuoted;
using testing::ShellRun;
using testing::TempFolder;
using testing::WriteBytes;

class ImageFilesTest : public ::testing::Test
{
protected:
    void SetUp() override { UseImagePaths(); }

    std::string NewImage(const std::string& name, FloppySize size = FloppySize::Kb1440)
    {
        const std::string path = folder / name;
        EXPECT_TRUE(WriteNewFloppyImage(path, size));
        return path;
    }
    std::string In(const std::string& image, const std::string& inner) { return JoinImagePath(image, inner); }

    Bytes ReadInside(const std::string& path)
    {
        FileInput input;
        EXPECT_TRUE(input.Open(path)) << input.ErrorText();
        Bytes bytes(std::size_t(input.Length()));
        EXPECT_EQ(input.Read(bytes.data(), bytes.size()), bytes.size());
        return bytes;
    }

    MdbImage SampleMdb(int entries)
    {
        std::vector<MdbEntry> records;
        for (int i = 0; i < entries; ++i) {
            MdbEntry record;
            record.bytes()[kInUseOffset] = 1;
            record.SetCategory("Party");
            record.SetTitle("Song " + std::to_string(i));
            records.push_back(record);
        }
        MdbImage image;
        EXPECT_TRUE(BuildMdbImage(SourceOf(records), KeyboardModel::Psr9000, image));
        return image;
    }

    TempFolder folder;
};

TEST(ImagePath, TheImagePartMustBeAnExistingRegularFile)
{
    TempFolder folder;
    const std::string image = folder / "disk1.img";
    EXPECT_FALSE(SplitImagePath(image + "::/PARTY.BUF/MDB.BUP")) << "no such file yet";
    WriteBytes(image, Bytes(10));
    const std::optional<ImagePath> split = SplitImagePath(image + "::/PARTY.BUF/MDB.BUP");
    ASSERT_TRUE(split);
    EXPECT_EQ(split->image, image);
    EXPECT_EQ(split->inner, "/PARTY.BUF/MDB.BUP");
    EXPECT_EQ(SplitImagePath(image + "::")->inner, "/");
    EXPECT_EQ(SplitImagePath(image + "::SET.BUF")->inner, "/SET.BUF");
    EXPECT_FALSE(SplitImagePath(folder.path().string() + "::/X")) << "a folder is no image";
    EXPECT_FALSE(SplitImagePath(image));
    EXPECT_FALSE(SplitImagePath("::/X"));
    EXPECT_EQ(JoinImagePath("disk1.img", "/A/B"), "disk1.img::/A/B");
    EXPECT_EQ(JoinImagePath("disk1.img", "A"), "disk1.img::/A");
    EXPECT_TRUE(HasImageExtension("Disk1.IMG"));
    EXPECT_TRUE(HasImageExtension("disk1.ima"));
    EXPECT_FALSE(HasImageExtension("disk1.bup"));
    EXPECT_FALSE(HasImageExtension("img"));
}

TEST_F(ImageFilesTest, WhatMtoolsPutsOnADiskIsRead)
{
    SKIP_WITHOUT_FAT_TOOLS();
    for (const char* format : {"1440", "720"}) {
        const std::string image = folder / (std::string("mtools") + format + ".img");
        const std::string q = ShellQuoted(image);
        ASSERT_EQ(Shell(std::string("mformat -C -f ") + format + " -i " + q + " ::").status, 0);
        const Bytes mdb = PatternBytes(177436, 9);
        const Bytes ini = PatternBytes(300, 2);
        WriteBytes(folder / "MDB.BUP", mdb);
        WriteBytes(folder / "Long file name.txt", ini);
        const ShellRun run =
            Shell("mmd -i " + q + " ::/PARTY.BUF ::/PARTY.BUF/DEEP && mcopy -i " + q + " " +
                  ShellQuoted(folder / "MDB.BUP") + " ::/PARTY.BUF/MDB.BUP && mcopy -i " + q + " " +
                  ShellQuoted(folder / "Long file name.txt") + " ::/PARTY.BUF/DEEP/");
        ASSERT_EQ(run.status, 0) << run.out;

        EXPECT_EQ(ReadInside(In(image, "/party.buf/mdb.bup")), mdb) << format;
        EXPECT_EQ(ReadInside(In(image, "/PARTY.BUF/DEEP/long FILE name.TXT")), ini) << format;
        FatVolume volume;
        ASSERT_FALSE(LoadImageFile(image, volume));
        std::vector<ImageEntry> entries;
        ASSERT_FALSE(volume.List("/PARTY.BUF/DEEP", entries));
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_EQ(entries[0].longName, "Long file name.txt");
        EXPECT_EQ(entries[0].name.substr(0, 7), "LONGFI~");
        EXPECT_EQ(MdbFilesOnDisk(volume), std::vector<std::string>{"/PARTY.BUF/MDB.BUP"});
    }
}

TEST_F(ImageFilesTest, ABackupSetWrittenIntoAnImagePassesFsckAndReadsBackThroughMtools)
{
    SKIP_WITHOUT_FAT_TOOLS();
    const std::string image = NewImage("disk1.img");
    ExpectFsckClean(image);
    const std::string set = In(image, "/Party.buf");
    ASSERT_TRUE(CreateFolderPath(set));
    const MdbImage mdb = SampleMdb(3);
    std::vector<MdbEntry> records = OccupiedRecords(mdb);
    ASSERT_FALSE(WriteMdbFile(set + "/MDB.bup", SourceOf(records), KeyboardModel::Psr9000));
    ASSERT_FALSE(UpdateBackupIni(set + "/MDB.bup", KeyboardModel::Psr9000));

    ExpectFsckClean(image);
    const Bytes mdbBytes(mdb.data(), mdb.data() + mdb.size());
    EXPECT_EQ(McopyOut(image, "/PARTY.BUF/MDB.BUP", folder / "out.bup"), mdbBytes);
    const std::string ini = NewBackupIni(KeyboardModel::Psr9000);
    EXPECT_EQ(McopyOut(image, "/PARTY.BUF/BACKUP.INI", folder / "out.ini"), Bytes(ini.begin(), ini.end()));
    const ShellRun dir = Shell("mdir -i " + ShellQuoted(image) + " ::/PARTY.BUF");
    EXPECT_EQ(dir.status, 0) << dir.out;
    EXPECT_NE(dir.out.find("MDB      BUP    177436"), std::string::npos) << dir.out;
    EXPECT_NE(dir.out.find("BACKUP   INI"), std::string::npos) << dir.out;

    // The editor's own reader opens it where it lies, matching names without case.
    const MdbReadResult read = ReadMdbFile(set + "/mdb.BUP");
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(OccupiedRecords(read.image).size(), 3u);
    EXPECT_TRUE(FileOrFolderExists(set + "/BACKUP.ini"));
    EXPECT_FALSE(FileOrFolderExists(set + "/MDB_Pro.bup"));

    // Saving again leaves BACKUP.INI as it is and replaces the MDB in its place.
    const MdbImage bigger = SampleMdb(600);
    records = OccupiedRecords(bigger);
    ASSERT_FALSE(WriteMdbFile(set + "/MDB.bup", SourceOf(records), KeyboardModel::Psr9000));
    ASSERT_FALSE(UpdateBackupIni(set + "/MDB.bup", KeyboardModel::Psr9000));
    ExpectFsckClean(image);
    EXPECT_EQ(McopyOut(image, "/PARTY.BUF/MDB.BUP", folder / "out2.bup"),
              Bytes(bigger.data(), bigger.data() + bigger.size()));
    EXPECT_EQ(McopyOut(image, "/PARTY.BUF/BACKUP.INI", folder / "out2.ini"), Bytes(ini.begin(), ini.end()));
}

TEST_F(ImageFilesTest, SeveralSetsOnOneDiskAndFilesOfEverySizeKeepItClean)
{
    SKIP_WITHOUT_FAT_TOOLS();
    for (FloppySize size : {FloppySize::Kb720, FloppySize::Kb1440}) {
        const std::string image = NewImage(size == FloppySize::Kb720 ? "d720.img" : "d1440.img", size);
        const std::vector<std::string> sets = {"/LIVE.B01", "/LIVE.B02", "/party.buf", "/DEEP/NEST/SET.BUF"};
        unsigned seed = 0;
        for (const std::string& set : sets) {
            ASSERT_TRUE(CreateFolderPath(In(image, set))) << LastImageFailure();
            for (std::size_t bytes : {std::size_t(0), std::size_t(1), std::size_t(1024), std::size_t(40000)}) {
                const Bytes contents = PatternBytes(bytes, ++seed);
                const std::string inner = set + "/F" + std::to_string(bytes) + ".BIN";
                ASSERT_EQ(WriteWholeFile(In(image, inner), contents.data(), contents.size()), SaveFailure::None)
                    << LastImageFailure();
            }
        }
        // Grow one file and shrink another between the others' clusters.
        const Bytes grown = PatternBytes(90000, 77);
        ASSERT_EQ(WriteWholeFile(In(image, "/LIVE.B01/F1.BIN"), grown.data(), grown.size()), SaveFailure::None);
        const Bytes shrunk = PatternBytes(5, 78);
        ASSERT_EQ(WriteWholeFile(In(image, "/LIVE.B02/F40000.BIN"), shrunk.data(), shrunk.size()), SaveFailure::None);

        ExpectFsckClean(image);
        EXPECT_EQ(McopyOut(image, "/LIVE.B01/F1.BIN", folder / "a"), grown);
        EXPECT_EQ(McopyOut(image, "/LIVE.B02/F40000.BIN", folder / "b"), shrunk);
        EXPECT_EQ(McopyOut(image, "/DEEP/NEST/SET.BUF/F40000.BIN", folder / "c"), PatternBytes(40000, 16));
        const ShellRun dir = Shell("mdir -/ -b -i " + ShellQuoted(image) + " ::");
        EXPECT_EQ(dir.status, 0) << dir.out;
        EXPECT_NE(dir.out.find("::/PARTY.BUF/F1024.BIN"), std::string::npos) << dir.out;
        EXPECT_NE(dir.out.find("::/DEEP/NEST/SET.BUF/F0.BIN"), std::string::npos) << dir.out;
    }
}

TEST_F(ImageFilesTest, AFullImageIsRefusedAndLeftUnchanged)
{
    SKIP_WITHOUT_FAT_TOOLS();
    const std::string image = NewImage("full.img", FloppySize::Kb720);
    FatVolume volume;
    ASSERT_FALSE(LoadImageFile(image, volume));
    const Bytes filler = PatternBytes(std::size_t(volume.FreeBytes()) - 100 * 1024, 1);
    ASSERT_EQ(WriteWholeFile(In(image, "/FILLER.BIN"), filler.data(), filler.size()), SaveFailure::None);
    ASSERT_TRUE(CreateFolderPath(In(image, "/SET.BUF")));
    const Bytes before = ReadBytes(image);
    ::chmod(image.c_str(), 0640);

    std::vector<MdbEntry> records = OccupiedRecords(SampleMdb(1));
    EXPECT_EQ(WriteMdbFile(In(image, "/SET.BUF/MDB.BUP"), SourceOf(records), KeyboardModel::Psr9000),
              Msg::ErrorSavingMdb);
    EXPECT_NE(LastImageFailure().find("no room for /SET.BUF/MDB.BUP"), std::string::npos) << LastImageFailure();
    EXPECT_EQ(ReadBytes(image), before);
    EXPECT_EQ(folder.Names().size(), 1u) << "no temporary file may stay beside the image";
    ExpectFsckClean(image);

    // What fits is written; the image keeps its permissions.
    const Bytes small = PatternBytes(1000, 2);
    ASSERT_EQ(WriteWholeFile(In(image, "/SET.BUF/SMALL.BIN"), small.data(), small.size()), SaveFailure::None);
    struct stat info = {};
    ASSERT_EQ(::stat(image.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    ExpectFsckClean(image);
}

TEST_F(ImageFilesTest, AGrownFolderAndADiskFilledToItsLastClusterPassFsck)
{
    SKIP_WITHOUT_FAT_TOOLS();
    for (FloppySize size : {FloppySize::Kb720, FloppySize::Kb1440}) {
        const std::string image = NewImage("grown.img", size);
        FatVolume volume;
        ASSERT_FALSE(LoadImageFile(image, volume));
        ASSERT_FALSE(volume.CreateFolders("/MANY/DEEPER"));
        for (int i = 0; i < 70; ++i) { // several clusters of entries in each size
            const Bytes contents = PatternBytes(std::size_t(i) * 37, unsigned(i));
            ASSERT_FALSE(volume.WriteFile("/MANY/F" + std::to_string(i) + ".BIN", contents.data(), contents.size()));
        }
        const Bytes rest = PatternBytes(std::size_t(volume.FreeBytes()), 99);
        ASSERT_FALSE(volume.WriteFile("/MANY/DEEPER/REST.BIN", rest.data(), rest.size()));
        EXPECT_EQ(volume.FreeBytes(), 0u);
        ASSERT_EQ(SaveImageFile(image, volume), SaveFailure::None);
        ExpectFsckClean(image);
        EXPECT_EQ(McopyOut(image, "/MANY/F69.BIN", folder / "f69"), PatternBytes(69 * 37, 69));
        EXPECT_EQ(McopyOut(image, "/MANY/DEEPER/REST.BIN", folder / "rest"), rest);
        std::filesystem::remove(image);
    }
}

TEST_F(ImageFilesTest, NoRoomForTheTemporaryCopyIsToldApartAndInPlaceThenWrites)
{
    const std::string image = NewImage("disk.img");
    const Bytes before = ReadBytes(image);
    const Bytes contents = PatternBytes(5000, 3);
    InjectSafeWriteFault(SafeWriteFault::NoSpace);
    EXPECT_EQ(WriteWholeFile(In(image, "/A.BIN"), contents.data(), contents.size()), SaveFailure::NoSpace);
    EXPECT_EQ(ReadBytes(image), before);
    InjectSafeWriteFault(SafeWriteFault::Rename);
    EXPECT_EQ(WriteWholeFile(In(image, "/A.BIN"), contents.data(), contents.size()), SaveFailure::Other);
    EXPECT_EQ(ReadBytes(image), before);
    EXPECT_EQ(WriteWholeFile(In(image, "/A.BIN"), contents.data(), contents.size(), WriteMode::InPlace),
              SaveFailure::None);
    EXPECT_EQ(ReadInside(In(image, "/A.BIN")), contents);
    EXPECT_EQ(folder.Names().size(), 1u);
}

TEST_F(ImageFilesTest, ReadingFromADamagedOrMissingImageSaysWhy)
{
    const std::string image = NewImage("disk.img");
    Bytes bytes = ReadBytes(image);
    bytes.resize(bytes.size() - 512);
    WriteBytes(image, bytes);
    FileInput input;
    EXPECT_FALSE(input.Open(In(image, "/MDB.BUP")));
    EXPECT_NE(input.ErrorText().find("but its boot sector describes a disk of 1474560 bytes"), std::string::npos)
        << input.ErrorText();
    const std::string good = NewImage("good.img");
    EXPECT_FALSE(input.Open(In(good, "/SET.BUF/MDB.BUP")));
    EXPECT_EQ(input.ErrorText(), "/SET.BUF is not on the disk image.");
    EXPECT_FALSE(CreateFolderPath(In(good, "/Too long name.buf")));
    EXPECT_NE(LastImageFailure().find("does not fit on a floppy disk"), std::string::npos);
}

TEST_F(ImageFilesTest, ArchivesAndFlashStyleFilesAreReadFromInsideAnImage)
{
    const std::string image = NewImage("disk.img");
    std::vector<MdbEntry> records = OccupiedRecords(SampleMdb(250));
    ASSERT_FALSE(WriteArchiveFile(In(image, "/ALL.MDX"), SourceOf(records)));
    std::size_t count = 0;
    const ArchiveReadResult archive = ReadArchiveFile(In(image, "/all.mdx"), [&](const MdbEntry& record) {
        EXPECT_EQ(record.GetTitle(), records[count].GetTitle());
        ++count;
        return true;
    });
    ASSERT_TRUE(archive.ok());
    EXPECT_EQ(count, 250u);

    Bytes styles(kFlashStyleFileBytes, 0);
    styles[1] = 0x60; // the signature of a file that holds the names
    styles[5] = 0x20;
    std::copy_n("Disco Fox", 9, styles.begin() + 32);
    ASSERT_EQ(WriteWholeFile(In(image, "/PARTY.BUF/STYLES.B00"), styles.data(), styles.size()), SaveFailure::None);
    const FlashStyleReadResult flash = ReadFlashStyleFile(In(image, "/PARTY.BUF/STYLES.B00"));
    ASSERT_TRUE(flash.ok()) << Tr(*flash.error);
    EXPECT_EQ(flash.names[0], "Disco Fox");
}

TEST_F(ImageFilesTest, AnImageHandedInOpensItsOneMdbOrArchiveElseTheBrowser)
{
    EXPECT_FALSE(OpeningOfImage(folder / "missing.img"));
    WriteBytes(folder / "MDB.bup", Bytes(10));
    EXPECT_FALSE(OpeningOfImage(folder / "MDB.bup")) << "no image: opened as it is";

    const std::string image = NewImage("disk1.IMA");
    std::optional<ImageOpening> opening = OpeningOfImage(image);
    ASSERT_TRUE(opening);
    EXPECT_TRUE(opening->browse) << "nothing on it to open";
    EXPECT_EQ(opening->path, image + "::/");

    const Bytes one(10, 1);
    ASSERT_EQ(WriteWholeFile(In(image, "/ARCHIVE/ALL.MDX"), one.data(), one.size()), SaveFailure::None);
    opening = OpeningOfImage(image);
    EXPECT_FALSE(opening->browse);
    EXPECT_EQ(opening->path, image + "::/ARCHIVE/ALL.MDX");
    ASSERT_EQ(WriteWholeFile(In(image, "/SET.B01/MDB_PRO.BUP"), one.data(), one.size()), SaveFailure::None);
    opening = OpeningOfImage(image);
    EXPECT_FALSE(opening->browse) << "an MDB comes before an archive";
    EXPECT_EQ(opening->path, image + "::/SET.B01/MDB_PRO.BUP");
    ASSERT_EQ(WriteWholeFile(In(image, "/SET.B02/MDB_PRO.BUP"), one.data(), one.size()), SaveFailure::None);
    opening = OpeningOfImage(image);
    EXPECT_TRUE(opening->browse);
    EXPECT_EQ(opening->path, image + "::/");

    Bytes cut = ReadBytes(image);
    cut.resize(4096);
    WriteBytes(image, cut);
    opening = OpeningOfImage(image);
    ASSERT_TRUE(opening);
    EXPECT_TRUE(opening->browse);
}

TEST_F(ImageFilesTest, AFat16DiskIsReadAndWrittenCleanly)
{
    SKIP_WITHOUT_FAT_TOOLS();
    const std::string image = folder / "fat16.img";
    const ShellRun made = Shell("mkfs.fat -F 16 -C " + ShellQuoted(image) + " 20480");
    ASSERT_EQ(made.status, 0) << made.out;
    const Bytes mdb = PatternBytes(177436, 5);
    WriteBytes(folder / "MDB.BUP", mdb);
    ASSERT_EQ(Shell("mmd -i " + ShellQuoted(image) + " ::/SET.BUF && mcopy -i " + ShellQuoted(image) + " " +
                    ShellQuoted(folder / "MDB.BUP") + " ::/SET.BUF/")
                  .status,
              0);
    FatVolume volume;
    ASSERT_FALSE(LoadImageFile(image, volume));
    EXPECT_EQ(volume.Geometry().kind, FatKind::Fat16);
    EXPECT_EQ(ReadInside(In(image, "/SET.BUF/MDB.BUP")), mdb);
    const Bytes replaced = PatternBytes(300000, 6);
    ASSERT_EQ(WriteWholeFile(In(image, "/SET.BUF/MDB.BUP"), replaced.data(), replaced.size()), SaveFailure::None);
    ASSERT_TRUE(CreateFolderPath(In(image, "/NEW.B01")));
    ExpectFsckClean(image);
    EXPECT_EQ(McopyOut(image, "/SET.BUF/MDB.BUP", folder / "out"), replaced);
}

TEST_F(ImageFilesTest, ReplacingAFileWithALongNameKeepsTheLongName)
{
    SKIP_WITHOUT_FAT_TOOLS();
    const std::string image = NewImage("long.img");
    WriteBytes(folder / "Party Songs.txt", Bytes{1, 2, 3});
    ASSERT_EQ(Shell("mcopy -i " + ShellQuoted(image) + " " + ShellQuoted(folder / "Party Songs.txt") + " ::/").status, 0);
    const Bytes contents = PatternBytes(3000, 8);
    ASSERT_EQ(WriteWholeFile(In(image, "/party songs.TXT"), contents.data(), contents.size()), SaveFailure::None);
    ExpectFsckClean(image);
    const ShellRun dir = Shell("mdir -i " + ShellQuoted(image) + " ::/");
    EXPECT_NE(dir.out.find("Party Songs.txt"), std::string::npos) << dir.out;
    EXPECT_EQ(McopyOut(image, "/Party Songs.txt", folder / "out"), contents);
}

} // namespace
} // namespace tessaro

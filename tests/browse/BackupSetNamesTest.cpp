#include "browse/BackupSetNames.h"

#include <fstream>

#include <gtest/gtest.h>

#include "support/DataTestSupport.h"

namespace tessaro {
namespace {

using testing::TempFolder;

void Touch(const std::string& path)
{
    std::ofstream(path) << "x";
}

std::string DisplayOf(std::string name)
{
    ToSetDisplayName(name);
    return name;
}

TEST(BackupSetNames, SetNameNeedsFourCharacterExtension)
{
    EXPECT_TRUE(IsBackupSetName("Party.buf"));
    EXPECT_TRUE(IsBackupSetName("Party.BuF"));
    EXPECT_TRUE(IsBackupSetName("Party.B01"));
    EXPECT_TRUE(IsBackupSetName("Party.b99"));
    EXPECT_TRUE(IsBackupSetName("/media/stick/Live.x/Party.b07"));
    EXPECT_TRUE(IsBackupSetName(".b01"));

    EXPECT_FALSE(IsBackupSetName("abc.b1x"));
    EXPECT_FALSE(IsBackupSetName("abc.bu"));
    EXPECT_FALSE(IsBackupSetName("abc.b001"));
    EXPECT_FALSE(IsBackupSetName("abc.c01"));
    EXPECT_FALSE(IsBackupSetName("Party"));
    EXPECT_FALSE(IsBackupSetName(""));
    // Only the last component counts.
    EXPECT_FALSE(IsBackupSetName("/backups/Party.b01/MDB.bup"));
    EXPECT_FALSE(IsBackupSetName("/backups/Party.b01/"));
}

TEST(BackupSetNames, DiskNumbersAndSuffix)
{
    EXPECT_EQ(DiskNumberOf("07"), 7);
    EXPECT_EQ(DiskNumberOf("99"), 99);
    EXPECT_EQ(DiskNumberOf("5"), 5);
    EXPECT_EQ(DiskNumberOf(""), 0);
    EXPECT_EQ(DiskNumberOf("123"), 0);
    EXPECT_EQ(DiskNumberOf("uf"), 0);
    EXPECT_EQ(DiskNumberOf("1x"), 0);

    EXPECT_EQ(DiskSuffix(1), " [Disk-01]");
    EXPECT_EQ(DiskSuffix(42), " [Disk-42]");
    EXPECT_EQ(DiskSuffix(0), "");
}

TEST(BackupSetNames, DisplayNameDropsExtensionAndTagsDisks)
{
    EXPECT_EQ(DisplayOf("Party.buf"), "Party");
    EXPECT_EQ(DisplayOf("Party.B01"), "Party [Disk-01]");
    EXPECT_EQ(DisplayOf("Party.b00"), "Party");
    EXPECT_EQ(DisplayOf("/backups/Live.b12"), "/backups/Live [Disk-12]");
    EXPECT_EQ(DisplayOf("abc.b1x"), "abc.b1x");
    EXPECT_EQ(DisplayOf("Party"), "Party");
}

TEST(BackupSetNames, TypedOrShownNameBackToFolderName)
{
    EXPECT_EQ(SetFolderNameOf("Party [Disk-02]"), "Party.b02");
    EXPECT_EQ(SetFolderNameOf("New"), "New.buf");
    EXPECT_EQ(SetFolderNameOf("Party.B03"), "Party.B03");
    EXPECT_EQ(SetFolderNameOf("Party.buf"), "Party.buf");
    // The two characters after the tag are taken as they are.
    EXPECT_EQ(SetFolderNameOf("Live [Disk-3]"), "Live.b3]");
    EXPECT_EQ(SetFolderNameOf("Cut [Disk-"), "Cut.b");
    // Display name and folder name turn into each other.
    EXPECT_EQ(SetFolderNameOf(DisplayOf("Gig.b17")), "Gig.b17");
}

TEST(BackupSetNames, ChosenSetPathJoinsOnce)
{
    EXPECT_EQ(ChosenSetPath("/home/u/Backups", "Party [Disk-02]"), "/home/u/Backups/Party.b02");
    EXPECT_EQ(ChosenSetPath("/home/u/Backups", "Party"), "/home/u/Backups/Party.buf");
    EXPECT_EQ(ChosenSetPath("/home/u/Backups/", "New"), "/home/u/Backups/New.buf");
    EXPECT_EQ(ChosenSetPath("/", "New"), "/New.buf");
    EXPECT_EQ(ChosenSetPath("", "New"), "New.buf");
}

TEST(BackupSetNames, SplitKeepsTheRootAsAFolder)
{
    SetPathParts inFolder = SplitSetPath("/home/u/Party.b01");
    EXPECT_EQ(inFolder.folder, "/home/u");
    EXPECT_EQ(inFolder.name, "Party.b01");
    SetPathParts inRoot = SplitSetPath("/Party.b01");
    EXPECT_EQ(inRoot.folder, "/");
    EXPECT_EQ(inRoot.name, "Party.b01");
    SetPathParts bare = SplitSetPath("Party.b01");
    EXPECT_EQ(bare.folder, "");
    EXPECT_EQ(bare.name, "Party.b01");
    // Split and join give the set folder back, also in the root.
    EXPECT_EQ(ChosenSetPath(inRoot.folder, inRoot.name), "/Party.b01");
}

class BackupSetFolders : public ::testing::Test
{
protected:
    std::string MakeFolder(const std::string& name)
    {
        std::string path = temp / name;
        std::filesystem::create_directories(path);
        return path;
    }

    TempFolder temp;
};

TEST_F(BackupSetFolders, SetFolderNeedsBackupIniInAnyCase)
{
    std::string withIni = MakeFolder("Party.b01");
    Touch(withIni + "/BACKUP.INI");
    std::string lowerIni = MakeFolder("Floppy.buf");
    Touch(lowerIni + "/backup.ini");
    std::string withoutIni = MakeFolder("Plain.buf");
    Touch(withoutIni + "/MDB.bup");
    std::string wrongName = MakeFolder("abc.b1x");
    Touch(wrongName + "/BACKUP.INI");

    EXPECT_TRUE(IsBackupSetFolder(withIni));
    EXPECT_TRUE(IsBackupSetFolder(lowerIni));
    EXPECT_FALSE(IsBackupSetFolder(withoutIni));
    EXPECT_FALSE(IsBackupSetFolder(wrongName));
    EXPECT_FALSE(IsBackupSetFolder(""));
    EXPECT_FALSE(IsBackupSetFolder(temp / "Gone.buf"));
}

TEST_F(BackupSetFolders, WantedFileMatchesMaskWithoutRegardToCase)
{
    std::string floppy = MakeFolder("Party.B01");
    Touch(floppy + "/BACKUP.INI");
    Touch(floppy + "/MDB.BUP");
    std::string styles = MakeFolder("Styles.buf");
    Touch(styles + "/Backup.ini");
    Touch(styles + "/sty0001.b00");
    std::string iniOnly = MakeFolder("Empty.buf");
    Touch(iniOnly + "/BACKUP.INI");
    std::string noIni = MakeFolder("Loose.buf");
    Touch(noIni + "/MDB.bup");

    EXPECT_TRUE(SetHoldsWantedFile(floppy, "MDB*.bup"));
    EXPECT_TRUE(SetHoldsWantedFile(styles, "STY*.b*"));
    EXPECT_FALSE(SetHoldsWantedFile(styles, "MDB*.bup"));
    EXPECT_FALSE(SetHoldsWantedFile(iniOnly, "MDB*.bup"));
    EXPECT_FALSE(SetHoldsWantedFile(noIni, "MDB*.bup"));
}

TEST_F(BackupSetFolders, FirstMatchIsAFileInNameOrder)
{
    std::string set = MakeFolder("Both.buf");
    Touch(set + "/MDB_Pro.bup");
    Touch(set + "/MDB.bup");
    std::filesystem::create_directory(set + "/MDB.dir.bup");
    EXPECT_EQ(FindFirstMatch(set, "MDB*.bup"), "MDB.bup");

    std::string folderOnly = MakeFolder("Odd.buf");
    std::filesystem::create_directory(folderOnly + "/MDB.bup");
    EXPECT_EQ(FindFirstMatch(folderOnly, "MDB*.bup"), "");
    EXPECT_EQ(FindFirstMatch(temp / "missing", "MDB*.bup"), "");
}

TEST_F(BackupSetFolders, OpenModeResultEndsInTheFoundFile)
{
    std::string set = MakeFolder("Party.b01");
    Touch(set + "/BACKUP.INI");
    Touch(set + "/MDB.bup");
    std::string folder = temp.path().string();

    EXPECT_EQ(ChosenPath(folder, "Party [Disk-01]", BrowseMode::Open, "MDB*.bup"),
              folder + "/Party.b01/MDB.bup");
    // Save mode never looks for the file.
    EXPECT_EQ(ChosenPath(folder, "Party [Disk-01]", BrowseMode::Save, "MDB*.bup"), folder + "/Party.b01");
    // Open mode in a set without a matching file returns the set folder.
    EXPECT_EQ(ChosenPath(folder, "Other", BrowseMode::Open, "MDB*.bup"), folder + "/Other.buf");
}

TEST_F(BackupSetFolders, SetFolderInAnotherCaseIsTakenAsSpelledOnDisk)
{
    std::string floppy = MakeFolder("Party.B01");
    Touch(floppy + "/BACKUP.INI");
    Touch(floppy + "/mdb.BUP");
    std::string folder = temp.path().string();

    // The tag comes back as ".b01"; the folder on disk keeps its "B".
    EXPECT_EQ(ChosenSetPath(folder, "Party [Disk-01]"), folder + "/Party.B01");
    EXPECT_EQ(ChosenPath(folder, "Party [Disk-01]", BrowseMode::Open, "MDB*.bup"),
              folder + "/Party.B01/mdb.BUP");
    EXPECT_EQ(ChosenSetPath(folder + "/", "party.b01"), folder + "/Party.B01");
    // A name that is nowhere on disk stays as built; a typed sub-path is left alone.
    EXPECT_EQ(ChosenSetPath(folder, "Party [Disk-02]"), folder + "/Party.b02");
    EXPECT_EQ(ChosenSetPath(folder, "sub/Party.B01"), folder + "/sub/Party.B01");
}

} // namespace
} // namespace tessaro

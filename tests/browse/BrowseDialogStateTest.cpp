#include "browse/BrowseDialogState.h"

#include <fstream>

#include <gtest/gtest.h>

#include "support/DataTestSupport.h"

namespace tessaro {
namespace {

using testing::TempFolder;

constexpr int kWantedKey = 10000;
constexpr int kOtherKey = 10001;

class BrowseDialogStateTest : public ::testing::Test
{
protected:
    BrowseDialogStateTest()
    {
        folder = temp.path().string();
        partySet = MakeSet("Party.B01", {"BACKUP.INI", "MDB.bup"});
        emptySet = MakeSet("Empty.buf", {"BACKUP.INI"});
        plainFolder = MakeSet("Plain.buf", {"MDB.bup"});
    }

    std::string MakeSet(const std::string& name, std::initializer_list<const char*> files)
    {
        std::string path = temp / name;
        std::filesystem::create_directories(path);
        for (const char* file : files) {
            std::ofstream(path + "/" + file) << "x";
        }
        return path;
    }

    BrowseDialogState Open() const
    {
        BrowseDialogState state(BrowseMode::Open, "MDB*.bup");
        state.SetIconKeys(kWantedKey, kOtherKey);
        return state;
    }

    TempFolder temp;
    std::string folder;
    std::string partySet;
    std::string emptySet;
    std::string plainFolder;
};

TEST_F(BrowseDialogStateTest, SetFoldersShowTheirSetNameAndIcon)
{
    BrowseDialogState state = Open();
    std::string name = "Party.B01";
    int normal = -1;
    int selected = -1;
    ASSERT_TRUE(state.DisplayItem(name, partySet, normal, selected));
    EXPECT_EQ(name, "Party [Disk-01]");
    EXPECT_EQ(normal, kWantedKey);
    EXPECT_EQ(selected, kWantedKey);

    name = "Empty.buf";
    ASSERT_TRUE(state.DisplayItem(name, emptySet, normal, selected));
    EXPECT_EQ(name, "Empty");
    EXPECT_EQ(normal, kOtherKey);

    // Without BACKUP.INI, without a path, or with a short name: an ordinary folder.
    name = "Plain.buf";
    EXPECT_FALSE(state.DisplayItem(name, plainFolder, normal, selected));
    EXPECT_EQ(name, "Plain.buf");
    name = "Party.B01";
    EXPECT_FALSE(state.DisplayItem(name, "", normal, selected));
    name = ".b01";
    EXPECT_FALSE(state.DisplayItem(name, partySet, normal, selected));
}

TEST_F(BrowseDialogStateTest, OpenModeSelectingAWantedSetReturnsItsFile)
{
    BrowseDialogState state = Open();
    state.SelectionChanged(true, partySet);
    EXPECT_EQ(state.Name(), "Party [Disk-01]");
    EXPECT_EQ(state.GetChosenFolder(), folder);
    EXPECT_TRUE(state.CanAccept());
    // The set folder as it is spelled on disk, the file as the search finds it.
    EXPECT_EQ(state.GetChosenPath(), folder + "/Party.B01/MDB.bup");
}

TEST_F(BrowseDialogStateTest, OtherFoldersOnlyMoveTheChosenFolder)
{
    BrowseDialogState state = Open();
    state.SelectionChanged(true, emptySet);
    EXPECT_EQ(state.GetChosenFolder(), emptySet);
    EXPECT_EQ(state.Name(), "");
    EXPECT_FALSE(state.CanAccept()); // open mode: nothing chosen yet

    state.SelectionChanged(true, partySet);
    state.SelectionChanged(true, plainFolder);
    EXPECT_EQ(state.Name(), "Party [Disk-01]");
    EXPECT_EQ(state.GetChosenFolder(), plainFolder);
    EXPECT_EQ(state.GetChosenPath(), plainFolder + "/Party.b01");
}

TEST_F(BrowseDialogStateTest, ItemOutsideTheFileSystemEmptiesTheFolder)
{
    BrowseDialogState state(BrowseMode::Save, "MDB*.bup");
    state.SelectionChanged(true, folder);
    state.SetName("New");
    EXPECT_EQ(state.GetChosenPath(), folder + "/New.buf");

    state.SelectionChanged(true, "");
    EXPECT_EQ(state.GetChosenFolder(), "");
    EXPECT_EQ(state.Name(), "New");
    EXPECT_EQ(state.GetChosenPath(), "New.buf");
    EXPECT_FALSE(state.CanAccept()); // a path relative to nowhere in particular is no choice

    state.SelectionChanged(false, "");
    EXPECT_EQ(state.GetChosenFolder(), "");
}

TEST_F(BrowseDialogStateTest, SaveModeTypedNames)
{
    BrowseDialogState state(BrowseMode::Save, "MDB*.bup");
    state.SelectionChanged(true, folder);
    state.SetName("Live [Disk-3]");
    EXPECT_EQ(state.GetChosenPath(), folder + "/Live.b3]");
    state.SetName("");
    EXPECT_FALSE(state.CanAccept());

    state.SelectionChanged(true, "/");
    state.SetName("New");
    EXPECT_TRUE(state.CanAccept());
    EXPECT_EQ(state.GetChosenPath(), "/New.buf");
}

TEST_F(BrowseDialogStateTest, ATypedAbsolutePathIsTakenAsAbsolute)
{
    BrowseDialogState state(BrowseMode::Save, "MDB*.bup");
    state.SelectionChanged(true, folder);
    state.SetName(folder + "/data/Set");
    EXPECT_EQ(state.GetChosenPath(), folder + "/data/Set.buf");
    EXPECT_EQ(state.GetChosenFolder(), folder + "/data");
    state.SetName("/Live [Disk-02]");
    EXPECT_EQ(state.GetChosenPath(), "/Live.b02");
    EXPECT_EQ(state.GetChosenFolder(), "/");
    // An existing set of another letter case is the one meant.
    state.SetName(folder + "/party [Disk-01]");
    EXPECT_EQ(state.GetChosenPath(), partySet);

    // Nothing selected: an absolute path is still a place; a relative one is not.
    state.SelectionChanged(true, "");
    EXPECT_TRUE(state.CanAccept());
    EXPECT_EQ(state.GetChosenPath(), partySet);
    state.SetName("data/Set");
    EXPECT_FALSE(state.CanAccept());
    // With a folder selected, a typed relative path stays inside it.
    state.SelectionChanged(true, folder);
    EXPECT_EQ(state.GetChosenPath(), folder + "/data/Set.buf");
    EXPECT_EQ(state.GetChosenFolder(), folder);
}

TEST_F(BrowseDialogStateTest, DoubleClickAcceptsOnlyWantedSets)
{
    BrowseDialogState state = Open();
    EXPECT_FALSE(state.DoubleClicked(true, plainFolder));
    EXPECT_FALSE(state.DoubleClicked(true, emptySet));
    EXPECT_FALSE(state.DoubleClicked(false, partySet));
    EXPECT_EQ(state.Name(), "");
    EXPECT_TRUE(state.DoubleClicked(true, partySet));
    EXPECT_EQ(state.Name(), "Party [Disk-01]");
}

} // namespace
} // namespace tessaro

// Floppy images in the browse dialog: an .img file opens like a folder, and the
// backup sets inside it are shown and chosen exactly as on disk.
#include "browse/BackupSetNames.h"
#include "browse/BrowseDialogState.h"
#include "browse/FolderTree.h"
#include "browse/LinuxNamespace.h"
#include "data/SafeFile.h"
#include "image/ImageFiles.h"
#include "image/ImagePath.h"
#include "support/DataTestSupport.h"
#include "support/FolderNodeTexts.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using testing::ChildNamed;
using testing::ChildTexts;
using testing::TempFolder;

constexpr int kWantedKey = 10000;
constexpr int kOtherKey = 10001;

class ImageFolderTest : public ::testing::Test
{
protected:
    ImageFolderTest()
    {
        UseImagePaths();
        home = temp / "home";
        floppies = home + "/Floppies";
        std::filesystem::create_directories(floppies + "/dir.img"); // a folder, whatever its name
        image = floppies + "/disk1.img";
        EXPECT_TRUE(WriteNewFloppyImage(image, FloppySize::Kb1440));
        for (const char* file : {"/PARTY.BUF/BACKUP.INI", "/PARTY.BUF/MDB.BUP", "/LIVE.B01/BACKUP.INI",
                                 "/PLAIN/MDB.BUP", "/PLAIN/DEEP/X.TXT"})
            EXPECT_EQ(WriteWholeFile(JoinImagePath(image, file), "x", 1), SaveFailure::None) << file;
        testing::WriteText(floppies + "/notes.ima", "not a disk"); // shown, but opens empty
        places.home = home;
    }

    BrowseDialogState State(BrowseMode mode) const
    {
        BrowseDialogState state(mode, "MDB*.bup");
        state.SetIconKeys(kWantedKey, kOtherKey);
        return state;
    }

    TempFolder temp;
    std::string home;
    std::string floppies;
    std::string image;
    LinuxPlaces places;
};

TEST_F(ImageFolderTest, AnImageFileIsANodeWhoseFoldersAreItsChildren)
{
    LinuxNamespace shell(places);
    FolderTree tree(shell);
    tree.FillTree(false, JoinImagePath(image, "/PLAIN/DEEP"));
    ASSERT_NE(tree.Selected(), nullptr);
    EXPECT_EQ(tree.Selected()->text, "DEEP");
    std::string path;
    ASSERT_TRUE(tree.GetSelectedPath(path));
    EXPECT_EQ(path, image + "::/PLAIN/DEEP");

    const FolderNode* homeNode = ChildNamed(tree.Root(), "Home");
    ASSERT_NE(homeNode, nullptr);
    const FolderNode* folder = ChildNamed(*homeNode, "Floppies");
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(ChildTexts(*folder), (std::vector<std::string>{"dir.img", "disk1.img", "notes.ima"}));
    const FolderNode* disk = ChildNamed(*folder, "disk1.img");
    EXPECT_EQ(tree.IconOf(disk->image), "media-floppy");
    EXPECT_EQ(ChildTexts(*disk), (std::vector<std::string>{"LIVE.B01", "PARTY.BUF", "PLAIN"}));
    EXPECT_EQ(tree.IconOf(ChildNamed(*folder, "dir.img")->image), "folder");

    // The image's root is "disk1.img::/", as the settings keep a set's folder.
    ASSERT_TRUE(tree.SelectPath(image + "::/"));
    EXPECT_EQ(tree.Selected(), disk);
    ASSERT_TRUE(tree.SelectPath(floppies + "/notes.ima::/"));
    tree.Expand(tree.Selected());
    EXPECT_TRUE(tree.Selected()->children.empty()) << "a file that is no disk holds nothing";
}

TEST_F(ImageFolderTest, SetsInsideAnImageAreShownAndChosenAsOnDisk)
{
    const std::string party = image + "::/PARTY.BUF";
    BrowseDialogState open = State(BrowseMode::Open);
    std::string name = "PARTY.BUF";
    int normal = -1;
    int selected = -1;
    ASSERT_TRUE(open.DisplayItem(name, party, normal, selected));
    EXPECT_EQ(name, "PARTY");
    EXPECT_EQ(normal, kWantedKey);
    name = "LIVE.B01";
    ASSERT_TRUE(open.DisplayItem(name, image + "::/LIVE.B01", normal, selected));
    EXPECT_EQ(name, "LIVE [Disk-01]");
    EXPECT_EQ(normal, kOtherKey);
    name = "PLAIN";
    EXPECT_FALSE(open.DisplayItem(name, image + "::/PLAIN", normal, selected));

    open.SelectionChanged(true, party);
    EXPECT_EQ(open.Name(), "PARTY");
    EXPECT_EQ(open.GetChosenFolder(), image + "::/");
    ASSERT_TRUE(open.CanAccept());
    const std::string chosen = open.GetChosenPath();
    EXPECT_EQ(chosen, image + "::/PARTY.buf/MDB.BUP");
    EXPECT_TRUE(SetHoldsWantedFile(image + "::/party.buf", "MDB*.bup"));

    BrowseDialogState save = State(BrowseMode::Save);
    save.SelectionChanged(true, image + "::/");
    save.SetName("New");
    EXPECT_EQ(save.GetChosenPath(), image + "::/New.buf");
    save.SetName("Live [Disk-01]");
    EXPECT_EQ(save.GetChosenPath(), image + "::/Live.b01");
    EXPECT_EQ(SplitSetPath(image + "::/LIVE.B01").folder, image + "::/");
}

} // namespace
} // namespace tessaro

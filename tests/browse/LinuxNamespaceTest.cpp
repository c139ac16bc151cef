#include "browse/LinuxNamespace.h"
#include "support/FolderNodeTexts.h"

#include <fstream>
#include <unistd.h>

#include <gtest/gtest.h>

#include "browse/FolderTree.h"
#include "common/Texts.h"
#include "support/DataTestSupport.h"

namespace tessaro {
namespace {

using testing::TempFolder;

using testing::ChildNamed;
using testing::ChildTexts;

class FakeActions : public DesktopActions
{
public:
    bool OpenInFileManager(const std::string& path) override
    {
        opened.push_back(path);
        return true;
    }
    bool CopyToClipboard(const std::string& text) override
    {
        copied.push_back(text);
        return !failCopy;
    }
    std::vector<std::string> opened;
    std::vector<std::string> copied;
    bool failCopy = false;
};

class ScriptedMenuUi : public ContextMenuUi
{
public:
    int TrackMenu(const std::vector<MenuEntry>& menu) override
    {
        shown = menu;
        return choice;
    }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    int choice = 0;
    std::vector<MenuEntry> shown;
    std::vector<std::string> messages;
};

// A home with folders, a hidden one and a file, a desktop, a stick and a folder
// standing in for the mount point of a network share.
class LinuxNamespaceTest : public ::testing::Test
{
protected:
    LinuxNamespaceTest()
    {
        SetUiLanguage(UiLanguage::English);
        home = temp / "home";
        for (const char* folder : {"Backups/Party.b01", "Backups/.git", "Disk10", "disk2", "Music",
                                   "remote/x", "Desktop", ".config"}) {
            std::filesystem::create_directories(home + "/" + folder);
        }
        std::ofstream(home + "/notes.txt") << "x";
        stick = temp / "media/STICK";
        std::filesystem::create_directories(stick + "/Sets");

        places.home = home;
        places.desktop = home + "/Desktop";
        places.volumes.push_back({"STICK", stick, "drive-removable-media"});
        places.shares.push_back({"music (nas)", "//nas/music", home + "/remote"});
    }
    ~LinuxNamespaceTest() override { SetUiLanguage(UiLanguage::English); }

    TempFolder temp;
    std::string home;
    std::string stick;
    LinuxPlaces places;
};

TEST_F(LinuxNamespaceTest, RootHoldsThePlacesInAFixedOrder)
{
    LinuxNamespace shell(places);
    FolderTree tree(shell);
    tree.FillTree(false, "");
    EXPECT_EQ(ChildTexts(tree.Root()),
              (std::vector<std::string>{"Home", "Desktop", "File System", "STICK", "Network"}));

    tree.FillTree(true, "");
    EXPECT_EQ(ChildTexts(tree.Root()), (std::vector<std::string>{"Home", "Desktop", "File System", "STICK"}));

    SetUiLanguage(UiLanguage::German);
    tree.FillTree(true, "");
    EXPECT_EQ(ChildTexts(tree.Root()),
              (std::vector<std::string>{"Persönlicher Ordner", "Schreibtisch", "Dateisystem", "STICK"}));
}

TEST_F(LinuxNamespaceTest, DesktopOnlyWhenItIsAFolderOfItsOwn)
{
    places.desktop = home;
    LinuxNamespace same(places);
    FolderTree tree(same);
    tree.FillTree(false, "");
    EXPECT_EQ(ChildNamed(tree.Root(), "Desktop"), nullptr);

    places.desktop = home + "/NoSuchDesktop";
    LinuxNamespace missing(places);
    FolderTree tree2(missing);
    tree2.FillTree(false, "");
    EXPECT_EQ(ChildNamed(tree2.Root(), "Desktop"), nullptr);
    EXPECT_NE(ChildNamed(tree2.Root(), "Home"), nullptr);
}

TEST_F(LinuxNamespaceTest, FoldersAreSortedNaturallyWithoutHiddenOnesOrFiles)
{
    LinuxNamespace shell(places);
    FolderTree tree(shell);
    tree.FillTree(false, "");
    const FolderNode* homeNode = ChildNamed(tree.Root(), "Home");
    ASSERT_NE(homeNode, nullptr);
    tree.Expand(homeNode);
    EXPECT_EQ(ChildTexts(*homeNode),
              (std::vector<std::string>{"Backups", "Desktop", "disk2", "Disk10", "Music", "remote"}));
    EXPECT_TRUE(ChildNamed(*homeNode, "Backups")->ShowsExpandButton());
    EXPECT_FALSE(ChildNamed(*homeNode, "Music")->ShowsExpandButton());
    // Only a hidden sub-folder: no expand button.
    tree.Expand(ChildNamed(*homeNode, "Backups"));
    EXPECT_FALSE(ChildNamed(*ChildNamed(*homeNode, "Backups"), "Party.b01")->ShowsExpandButton());
}

TEST_F(LinuxNamespaceTest, NetworkMountPointsAreNetworkWhereverTheyShow)
{
    LinuxNamespace shell(places);
    FolderTree tree(shell);
    tree.FillTree(true, "");
    EXPECT_FALSE(tree.SelectPath(home + "/remote"));
    const FolderNode* homeNode = ChildNamed(tree.Root(), "Home");
    tree.Expand(homeNode);
    EXPECT_EQ(ChildNamed(*homeNode, "remote"), nullptr);

    tree.FillTree(false, home + "/remote/x");
    ASSERT_NE(tree.Selected(), nullptr);
    EXPECT_EQ(tree.Selected()->text, "x");
    const FolderNode* network = ChildNamed(tree.Root(), "Network");
    ASSERT_NE(network, nullptr);
    tree.Expand(network);
    EXPECT_EQ(ChildTexts(*network), std::vector<std::string>{"music (nas)"});
    tree.Select(network);
    std::string path = "stale";
    EXPECT_TRUE(tree.GetSelectedPath(path));
    EXPECT_EQ(path, ""); // outside the file system
    tree.Select(network->children[0].get());
    EXPECT_TRUE(tree.GetSelectedPath(path));
    EXPECT_EQ(path, home + "/remote");
}

TEST_F(LinuxNamespaceTest, PathsIconsAndSelection)
{
    LinuxNamespace shell(places);
    FolderTree tree(shell);
    tree.FillTree(false, home + "/Backups/Party.b01");
    ASSERT_NE(tree.Selected(), nullptr);
    EXPECT_EQ(tree.Selected()->text, "Party.b01");
    std::string path;
    ASSERT_TRUE(tree.GetSelectedPath(path));
    EXPECT_EQ(path, home + "/Backups/Party.b01");

    EXPECT_EQ(tree.IconOf(ChildNamed(tree.Root(), "Home")->image), "user-home");
    EXPECT_EQ(tree.IconOf(ChildNamed(tree.Root(), "STICK")->image), "drive-removable-media");
    EXPECT_EQ(tree.IconOf(ChildNamed(tree.Root(), "Network")->image), "network-workgroup");
    EXPECT_EQ(tree.IconOf(tree.Selected()->image), "folder");
    EXPECT_EQ(tree.IconOf(tree.Selected()->selectedImage), "folder-open");

    ShellIcon icon = shell.GetIcon({"home"}, false);
    EXPECT_EQ(LinuxNamespace::IconNames()[static_cast<std::size_t>(icon.index)], icon.name);
    EXPECT_EQ(shell.GetFileSystemPath({"filesystem", "usr", "lib"}), "/usr/lib");
    EXPECT_EQ(shell.GetFileSystemPath({"volume:" + stick, "Sets"}), stick + "/Sets");
    EXPECT_EQ(shell.GetFileSystemPath({"network"}), std::nullopt);
}

TEST_F(LinuxNamespaceTest, VanishedAndLockedFoldersReadAsEmpty)
{
    LinuxNamespace shell(places);
    FolderTree tree(shell);
    tree.FillTree(false, home + "/Music");
    const FolderNode* music = tree.Selected();
    ASSERT_NE(music, nullptr);
    const FolderNode* disk2 = ChildNamed(*music->parent, "disk2");
    std::filesystem::remove_all(home + "/disk2");
    tree.Expand(disk2);
    EXPECT_TRUE(disk2->children.empty());

    ScriptedMenuUi ui;
    tree.OnRightClick(disk2, true, ui);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"GetUIObjectOf failed! hr=2"});

    if (geteuid() != 0) { // root reads every folder
        std::filesystem::permissions(home + "/Backups", std::filesystem::perms::none);
        tree.Expand(ChildNamed(*music->parent, "Backups"));
        EXPECT_TRUE(ChildNamed(*music->parent, "Backups")->children.empty());
        std::filesystem::permissions(home + "/Backups", std::filesystem::perms::owner_all);
    }
}

TEST_F(LinuxNamespaceTest, ContextMenuMakesNewFoldersAndShowsThem)
{
    FakeActions actions;
    LinuxNamespace shell(places, &actions);
    FolderTree tree(shell);
    tree.FillTree(false, home + "/Music");
    const FolderNode* music = tree.Selected();
    ASSERT_NE(music, nullptr);

    ScriptedMenuUi ui;
    ui.choice = 3;
    tree.OnRightClick(music, true, ui);
    ASSERT_EQ(ui.shown.size(), 3u);
    EXPECT_EQ(ui.shown[0].text, "Open in file manager");
    EXPECT_EQ(ui.shown[1].text, "Copy path");
    EXPECT_EQ(ui.shown[2].text, "New folder");
    tree.OnRightClick(music, true, ui);
    EXPECT_EQ(ChildTexts(*music), (std::vector<std::string>{"New folder", "New folder (2)"}));
    EXPECT_TRUE(std::filesystem::is_directory(home + "/Music/New folder (2)"));

    ui.choice = 2;
    tree.OnRightClick(music, true, ui);
    EXPECT_EQ(actions.copied, std::vector<std::string>{home + "/Music"});
    actions.failCopy = true;
    tree.OnRightClick(music, true, ui);
    EXPECT_EQ(ui.messages.back(), "InvokeCommand failed. hr=5");

    LinuxNamespace bare(places);
    FolderTree bareTree(bare);
    bareTree.FillTree(false, home);
    ui.choice = 0;
    bareTree.OnRightClick(bareTree.Selected(), true, ui);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "New folder");
}

TEST(LinuxPlaces, DesktopFolderFromUserDirs)
{
    const std::string home = "/home/anna";
    EXPECT_EQ(DesktopDirOf("", home), "/home/anna/Desktop");
    EXPECT_EQ(DesktopDirOf("# comment\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n", home),
              "/home/anna/Schreibtisch");
    EXPECT_EQ(DesktopDirOf("XDG_DESKTOP_DIR=\"/data/desk/\"\n", home), "/data/desk");
    // Turned off: the desktop is the home folder itself, which the root then leaves out.
    EXPECT_EQ(DesktopDirOf("XDG_DESKTOP_DIR=\"$HOME/\"\n", home), "/home/anna");
    EXPECT_EQ(DesktopDirOf("XDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\n", home), "/home/anna/Desktop");
}

TEST(LinuxPlaces, ReadingThisMachineNeverFails)
{
    LinuxNamespace shell; // reads this machine's places and mounts
    FolderTree tree(shell);
    tree.FillTree(false, "/");
    ASSERT_NE(tree.Selected(), nullptr);
    std::string path;
    EXPECT_TRUE(tree.GetSelectedPath(path));
    EXPECT_EQ(path, "/");
}

} // namespace
} // namespace tessaro

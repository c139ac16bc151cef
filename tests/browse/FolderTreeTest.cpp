#include "browse/FolderTree.h"
#include "support/FolderNodeTexts.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/MemoryNamespace.h"

namespace tessaro {
namespace {

using Folder = MemoryNamespace::Folder;

Folder Fs(std::string name, std::string path, std::vector<Folder> children = {})
{
    Folder f;
    f.name = std::move(name);
    f.path = std::move(path);
    f.children = std::move(children);
    return f;
}

Folder Virtual(std::string name, std::string parsingName, std::vector<Folder> children = {})
{
    Folder f;
    f.name = std::move(name);
    f.parsingName = std::move(parsingName);
    f.fileSystemAncestor = true;
    f.children = std::move(children);
    return f;
}

// A desktop as the tree meets it: the user's folders, a computer node holding
// the file system, the network both by name and by a "//" parsing name, and
// items the tree must leave out.
Folder SampleDesktop()
{
    Folder hidden = Fs(".cache", "/home/u/.cache");
    hidden.hidden = true;
    Folder notAFolder = Fs("Control Panel", "");
    notAFolder.folder = false;
    Folder lonely = Virtual("Lonely", "::lonely");
    lonely.fileSystemAncestor = false; // no sub-folders, no file system: not shown
    Folder empty = Fs("Empty", "/empty", {hidden});
    empty.hasSubFolders = true; // says so, but every sub-folder is hidden
    Folder locked = Fs("Locked", "/locked", {Fs("inner", "/locked/inner")});
    locked.bindFails = true;
    Folder share = Fs("music on nas", "//nas/music", {Fs("Sets", "//nas/music/Sets")});

    return Virtual(
        "Desktop", "::desktop",
        {Fs("Home", "/home/u",
            {Fs("Backups", "/home/u/Backups",
                {Fs("Party.b01", "/home/u/Backups/Party.b01"), Fs("Old", "/home/u/Backups/Old")}),
             Fs("Back", "/home/u/Back", {Fs("x", "/home/u/Back/x")}), Fs("Music", "/home/u/Music"), hidden}),
         Virtual("Computer", "::computer", {Fs("Root", "/", {Fs("mnt", "/mnt")})}),
         Virtual("Netzwerkumgebung", "::network", {share}), share, notAFolder, lonely, empty, locked});
}

class RecordingObserver : public FolderTreeObserver
{
public:
    void BeginInsert(const FolderNode* parent, int first, int last) override
    {
        log.push_back("insert " + NameOf(parent) + " " + std::to_string(first) + "-" + std::to_string(last));
    }
    void BeginRemove(const FolderNode* parent, int first, int last) override
    {
        log.push_back("remove " + NameOf(parent) + " " + std::to_string(first) + "-" + std::to_string(last));
    }
    void ExpandedChanged(const FolderNode* node, bool expanded) override
    {
        log.push_back((expanded ? "expand " : "collapse ") + NameOf(node));
    }
    void SelectionChanged(const FolderNode* node) override { log.push_back("select " + NameOf(node)); }
    void ScrollTo(const FolderNode* node) override { log.push_back("scroll " + NameOf(node)); }
    void SuspendDrawing(bool suspended) override { log.push_back(suspended ? "suspend" : "resume"); }

    static std::string NameOf(const FolderNode* node)
    {
        return !node ? "none" : (node->parent ? node->text : "root");
    }

    std::vector<std::string> log;
};

class ScriptedMenuUi : public ContextMenuUi
{
public:
    int TrackMenu(const std::vector<MenuEntry>& menu) override
    {
        shownMenu = menu;
        ++menusShown;
        return choice;
    }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }

    int choice = 0;
    int menusShown = 0;
    std::vector<MenuEntry> shownMenu;
    std::vector<std::string> messages;
};

using testing::ChildNamed;
using testing::ChildTexts;

class FolderTreeTest : public ::testing::Test
{
protected:
    FolderTreeTest() : shell(SampleDesktop()), tree(shell) { tree.SetObserver(&observer); }

    const FolderNode& Top(const std::string& text)
    {
        const FolderNode* node = ChildNamed(tree.Root(), text);
        EXPECT_NE(node, nullptr) << text;
        return *node;
    }

    MemoryNamespace shell;
    FolderTree tree;
    RecordingObserver observer;
    ScriptedMenuUi ui;
};

TEST_F(FolderTreeTest, TopLevelIsSortedAndLeavesOutWhatIsNoFolder)
{
    tree.FillTree(false, "");
    EXPECT_EQ(ChildTexts(tree.Root()), (std::vector<std::string>{"Computer", "Empty", "Home", "Locked",
                                                                 "music on nas", "Netzwerkumgebung"}));
    for (int row = 0; row < static_cast<int>(tree.Root().children.size()); ++row) {
        EXPECT_EQ(tree.Root().children[static_cast<std::size_t>(row)]->row, row);
    }
    ASSERT_NE(tree.Selected(), nullptr);
    EXPECT_EQ(tree.Selected()->text, "Computer");
    EXPECT_EQ(observer.log.front(), "insert root 0-5");
}

TEST_F(FolderTreeTest, NoNetworkLeavesOutNetworkByNameAndByParsingName)
{
    tree.FillTree(true, "");
    EXPECT_EQ(ChildTexts(tree.Root()), (std::vector<std::string>{"Computer", "Empty", "Home", "Locked"}));
    EXPECT_FALSE(tree.SelectPath("//nas/music/Sets"));
    EXPECT_FALSE(tree.SelectPath("//nas/music"));

    tree.FillTree(false, "");
    EXPECT_TRUE(tree.SelectPath("//nas/music/Sets"));
    EXPECT_EQ(tree.Selected()->text, "Sets");
    // The network node is there and can be opened.
    tree.Expand(&Top("Netzwerkumgebung"));
    EXPECT_EQ(ChildTexts(Top("Netzwerkumgebung")), std::vector<std::string>{"music on nas"});
}

TEST_F(FolderTreeTest, LevelsAreReadOnceOnFirstExpansion)
{
    tree.FillTree(false, "");
    const FolderNode& home = Top("Home");
    EXPECT_EQ(shell.ReadCount("Home"), 0);
    EXPECT_TRUE(home.ShowsExpandButton());
    EXPECT_TRUE(home.children.empty());

    tree.Expand(&home);
    EXPECT_EQ(shell.ReadCount("Home"), 1);
    EXPECT_EQ(ChildTexts(home), (std::vector<std::string>{"Back", "Backups", "Music"}));

    shell.AddFolder("Home", Fs("Added", "/home/u/Added"));
    tree.Collapse(&home);
    tree.Expand(&home);
    EXPECT_EQ(shell.ReadCount("Home"), 1);
    EXPECT_EQ(home.children.size(), 3u); // new folders show after the next fill

    tree.FillTree(false, "");
    tree.Expand(&Top("Home"));
    EXPECT_EQ(ChildTexts(Top("Home")), (std::vector<std::string>{"Added", "Back", "Backups", "Music"}));
}

TEST_F(FolderTreeTest, ExpandButtonBeforeReadingEvenWhenNothingComes)
{
    tree.FillTree(false, "");
    const FolderNode& empty = Top("Empty");
    EXPECT_TRUE(empty.ShowsExpandButton());
    tree.Expand(&empty);
    EXPECT_TRUE(empty.children.empty());
    EXPECT_FALSE(empty.ShowsExpandButton());

    const FolderNode& locked = Top("Locked");
    tree.Expand(&locked); // cannot be bound: no children
    EXPECT_TRUE(locked.children.empty());
    EXPECT_EQ(shell.ReadCount("Locked"), 0);
}

TEST_F(FolderTreeTest, SelectPathOfTheRoot)
{
    tree.FillTree(false, "/");
    ASSERT_NE(tree.Selected(), nullptr);
    EXPECT_EQ(tree.Selected()->text, "Root");
    EXPECT_TRUE(tree.Selected()->expanded);
    EXPECT_TRUE(Top("Computer").expanded);
    // The search ends with the first find: later items are not read.
    EXPECT_EQ(shell.ReadCount("Home"), 0);
    EXPECT_EQ(observer.log.back(), "resume");
}

TEST_F(FolderTreeTest, TopLevelPlaceCanItselfBeFound)
{
    tree.FillTree(false, "");
    ASSERT_TRUE(tree.SelectPath("/home/u"));
    EXPECT_EQ(tree.Selected(), &Top("Home"));
    EXPECT_TRUE(Top("Home").expanded);
    // Top-level folders of the file system that cannot hold the path are not opened.
    EXPECT_EQ(shell.ReadCount("Empty"), 0);
}

TEST_F(FolderTreeTest, SelectPathIgnoresLetterCase)
{
    tree.FillTree(false, "");
    ASSERT_TRUE(tree.SelectPath("/HOME/u/backups"));
    EXPECT_EQ(tree.Selected()->text, "Backups");
    std::string path;
    ASSERT_TRUE(tree.GetSelectedPath(path));
    EXPECT_EQ(path, "/home/u/Backups");
    EXPECT_TRUE(Top("Home").expanded);
    // "Back" is a prefix of "Backups" and was searched first: it is closed again.
    EXPECT_FALSE(ChildNamed(Top("Home"), "Back")->expanded);
}

TEST_F(FolderTreeTest, FailedSearchClosesWhatItOpenedAndKeepsTheSelection)
{
    tree.FillTree(false, "");
    const FolderNode* before = tree.Selected();
    observer.log.clear();

    // A trailing separator never matches: the lengths never agree.
    EXPECT_FALSE(tree.SelectPath("/home/u/Backups/"));
    EXPECT_EQ(tree.Selected(), before);
    EXPECT_EQ(observer.log.front(), "suspend");
    EXPECT_EQ(observer.log.back(), "resume");
    for (const auto& top : tree.Root().children) {
        EXPECT_FALSE(top->expanded) << top->text;
    }
    EXPECT_FALSE(ChildNamed(Top("Home"), "Backups")->expanded);
    EXPECT_EQ(ChildTexts(Top("Home")).size(), 3u); // what was read stays read
    // Opened, then closed: Home, Backups, Back on the way.
    int expands = 0;
    int collapses = 0;
    for (const std::string& entry : observer.log) {
        expands += entry.rfind("expand ", 0) == 0;
        collapses += entry.rfind("collapse ", 0) == 0;
    }
    EXPECT_GT(expands, 0);
    EXPECT_EQ(expands, collapses);
}

TEST_F(FolderTreeTest, SearchLeavesFoldersTheUserOpenedOpen)
{
    tree.FillTree(false, "");
    tree.Expand(&Top("Home"));
    EXPECT_FALSE(tree.SelectPath("/home/u/Nowhere"));
    EXPECT_TRUE(Top("Home").expanded);
}

TEST_F(FolderTreeTest, FoundItemBecomesVisibleUnderAReadButClosedParent)
{
    tree.FillTree(false, "");
    const FolderNode& home = Top("Home");
    tree.Expand(&home);
    tree.Collapse(&home);
    ASSERT_TRUE(tree.SelectPath("/home/u/Backups/Party.b01"));
    EXPECT_TRUE(home.expanded);
    EXPECT_TRUE(ChildNamed(home, "Backups")->expanded);
    EXPECT_EQ(observer.log[observer.log.size() - 2], "scroll Party.b01");
}

TEST_F(FolderTreeTest, SelectedPathOfFileSystemAndOtherItems)
{
    std::string path = "stale";
    EXPECT_FALSE(tree.GetSelectedPath(path)); // empty tree
    EXPECT_EQ(path, "");

    tree.FillTree(false, "");
    tree.Select(&Top("Computer"));
    EXPECT_TRUE(tree.GetSelectedPath(path));
    EXPECT_EQ(path, "");
    tree.Select(&Top("Locked"));
    EXPECT_FALSE(tree.GetSelectedPath(path));
    tree.Select(&Top("Home"));
    EXPECT_TRUE(tree.GetSelectedPath(path));
    EXPECT_EQ(path, "/home/u");
    tree.Select(nullptr);
    EXPECT_FALSE(tree.GetSelectedPath(path));
}

TEST_F(FolderTreeTest, DisplayCallbackRenamesAndChoosesCustomIcons)
{
    int setKey = tree.AddCustomIcon(":/icons/set.png");
    EXPECT_EQ(setKey, 9999);
    std::vector<std::string> seenPaths;
    tree.SetDisplayCallback([&](std::string& name, const std::string& path, int& normal, int& selected) {
        seenPaths.push_back(path);
        if (name != "Party.b01") {
            return false;
        }
        name = "Party [Disk-01]";
        normal = selected = setKey;
        return true;
    });
    tree.FillTree(false, "/home/u/Backups/Party.b01");
    ASSERT_NE(tree.Selected(), nullptr);
    EXPECT_EQ(tree.Selected()->text, "Party [Disk-01]");
    EXPECT_EQ(tree.Selected()->image, 0);
    EXPECT_EQ(tree.IconOf(0), ":/icons/set.png");
    // Other items keep their system icons, cached after the custom one.
    EXPECT_EQ(tree.IconOf(Top("Home").image), "icon-0");
    EXPECT_NE(std::find(seenPaths.begin(), seenPaths.end(), "/home/u/Backups/Old"), seenPaths.end());
    EXPECT_NE(std::find(seenPaths.begin(), seenPaths.end(), ""), seenPaths.end()); // Computer
}

TEST(FolderTreeIcons, CacheHoldsEachIconOnceAndAtMostHundred)
{
    Folder desktop = Virtual("Desktop", "::desktop");
    for (int i = 0; i < 120; ++i) {
        Folder f = Fs("f" + std::to_string(i), "/f" + std::to_string(i));
        f.icon = i < 110 ? 1000 + i : 5; // 110 distinct icons, then one shared
        f.openIcon = 5;
        desktop.children.push_back(f);
    }
    MemoryNamespace shell(desktop);
    FolderTree tree(shell);
    tree.FillTree(false, "");
    ASSERT_EQ(tree.Root().children.size(), 120u);
    EXPECT_EQ(tree.IconCount(), FolderTree::kMaxIcons);

    const FolderNode& first = *tree.Root().children[0];  // f0, natural order
    const FolderNode& last = *tree.Root().children[119]; // f119 shares icon 5
    EXPECT_EQ(first.image, 0);
    EXPECT_EQ(first.selectedImage, 1); // the shared open icon took the second slot
    EXPECT_EQ(last.image, 1);
    EXPECT_EQ(tree.Root().children[98]->image, 99); // f98: the last slot
    EXPECT_EQ(tree.Root().children[99]->image, -1); // f99: the list is full
    EXPECT_EQ(tree.Root().children[109]->image, -1);
    EXPECT_EQ(tree.AddCustomIcon("extra"), -1);
    EXPECT_EQ(tree.IconOf(-1), "");
}

TEST(FolderTreeIcons, CustomKeysCountFromTheirSlot)
{
    Folder desktop = Virtual("Desktop", "::desktop", {Fs("a", "/a")});
    MemoryNamespace shell(desktop);
    FolderTree tree(shell);
    EXPECT_EQ(tree.AddCustomIcon("one"), 9999);
    EXPECT_EQ(tree.AddCustomIcon(""), -1);
    EXPECT_EQ(tree.AddCustomIcon("two"), 10000);
    tree.SetDisplayCallback([](std::string&, const std::string&, int& normal, int& selected) {
        normal = 10000;
        selected = 0; // a key below 9999 is a slot
        return true;
    });
    tree.FillTree(false, "");
    EXPECT_EQ(tree.Root().children[0]->image, 1);
    EXPECT_EQ(tree.Root().children[0]->selectedImage, 0);
}

TEST(FolderTreeReading, FailedNameEndsTheLevelKeepingWhatWasRead)
{
    Folder bad = Fs("b", "/b");
    bad.nameFails = true;
    Folder unreadable = Fs("u", "/u", {Fs("inside", "/u/inside")});
    unreadable.enumFails = true;
    MemoryNamespace shell(Virtual("Desktop", "::desktop", {Fs("c", "/c"), bad, Fs("a", "/a"), unreadable}));
    FolderTree tree(shell);
    tree.FillTree(false, "");
    EXPECT_EQ(ChildTexts(tree.Root()), std::vector<std::string>{"c"});

    MemoryNamespace shell2(Virtual("Desktop", "::desktop", {unreadable}));
    FolderTree tree2(shell2);
    tree2.FillTree(false, "");
    tree2.Expand(tree2.Root().children[0].get());
    EXPECT_TRUE(tree2.Root().children[0]->children.empty());
    EXPECT_EQ(shell2.ReadCount("u"), 1);
}

class FolderTreeMenu : public FolderTreeTest
{
protected:
    FolderTreeMenu() : FolderTreeTest()
    {
        Folder withMenu = Fs("Kits", "/kits");
        withMenu.menu = {"Open", "New folder", "Copy path"};
        withMenu.commandChangesChildren = true;
        Folder noHandler = Fs("NoMenu", "/nomenu");
        noHandler.menuFailure = 0x80004005L;
        Folder failing = Fs("Failing", "/failing");
        failing.menu = {"Open"};
        failing.invokeFailure = 5;
        shell.AddFolder("", withMenu);
        shell.AddFolder("", noHandler);
        shell.AddFolder("", failing);
        tree.FillTree(false, "");
    }
};

TEST_F(FolderTreeMenu, ChosenCommandRunsByItsOffset)
{
    ui.choice = 2;
    tree.OnRightClick(&Top("Kits"), true, ui);
    EXPECT_EQ(tree.Selected(), &Top("Kits"));
    ASSERT_EQ(ui.shownMenu.size(), 3u);
    EXPECT_EQ(ui.shownMenu[0].id, FolderTree::kFirstMenuId);
    EXPECT_EQ(ui.shownMenu[2].id, 3);
    EXPECT_EQ(shell.InvokedCommands(), std::vector<std::string>{"Kits:New folder"});
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FolderTreeMenu, NothingChosenRunsNothing)
{
    ui.choice = 0;
    tree.OnRightClick(&Top("Kits"), true, ui);
    EXPECT_EQ(ui.menusShown, 1);
    EXPECT_TRUE(shell.InvokedCommands().empty());
}

TEST_F(FolderTreeMenu, FailuresShowTheirEnglishTexts)
{
    tree.OnRightClick(&Top("NoMenu"), true, ui);
    ui.choice = 1;
    tree.OnRightClick(&Top("Failing"), true, ui);
    EXPECT_EQ(ui.messages,
              (std::vector<std::string>{"GetUIObjectOf failed! hr=80004005", "InvokeCommand failed. hr=5"}));
    EXPECT_EQ(ui.menusShown, 1);
}

TEST_F(FolderTreeMenu, ClickBesideTheLabelOnlySelects)
{
    tree.OnRightClick(&Top("Kits"), false, ui);
    EXPECT_EQ(tree.Selected(), &Top("Kits"));
    EXPECT_EQ(ui.menusShown, 0);
    tree.OnRightClick(nullptr, false, ui);
    EXPECT_EQ(tree.Selected(), nullptr);
    EXPECT_EQ(observer.log.back(), "select none");
}

TEST_F(FolderTreeMenu, CommandThatChangesChildrenRereadsTheFolder)
{
    const FolderNode& kits = Top("Kits");
    tree.Expand(&kits);
    EXPECT_TRUE(kits.children.empty());
    shell.AddFolder("Kits", Fs("New folder", "/kits/New folder"));
    ui.choice = 2;
    tree.OnRightClick(&kits, true, ui);
    EXPECT_EQ(ChildTexts(kits), std::vector<std::string>{"New folder"});
    EXPECT_TRUE(kits.expanded);
    EXPECT_EQ(shell.ReadCount("Kits"), 2);
}

} // namespace
} // namespace tessaro

// Search again, files handed in from the desktop, and the window's size in
// the settings.
#include "app/FileKinds.h"
#include "app/SettingsKeys.h"
#include "support/AppTestSupport.h"
#include "support/TreeTestSupport.h"

#include <fstream>

namespace tessaro {
namespace {

class WindowCommandsTest : public AppTest
{
protected:
    const TreeNode* Selected(PaneState& pane) { return pane.tree.Selected(); }
    std::string SelectedTitle(PaneState& pane)
    {
        const TreeNode* node = pane.tree.Selected();
        return node && node->IsEntry() ? node->Payload()->GetTitle() : std::string();
    }
};

TEST_F(WindowCommandsTest, SearchAgainGoesOnFromTheSelectionWithTheLastText)
{
    WriteTestMdb(
        Path("MDB.bup"),
        Records({{"Pop", 1, 120, "Kiss me"}, {"Pop", 2, 120, "Kiss you"}, {"Rock", 3, 100, "Rocket"}}));
    OpenMdbFile(Path("MDB.bup"));

    // Nothing searched yet: F3 opens the Search dialog, as Ctrl+F does.
    state.SearchAgain();
    EXPECT_EQ(prompts.searchDialogRuns, 1);

    prompts.searchScript = [](SearchHost& host) { EXPECT_TRUE(host.SearchStep("kiss")); };
    state.Search();
    EXPECT_EQ(SelectedTitle(state.Pane(PaneId::Mdb)), "Kiss me");
    state.SearchAgain();
    EXPECT_EQ(SelectedTitle(state.Pane(PaneId::Mdb)), "Kiss you");
    state.SearchAgain(); // round the tree to the first again
    EXPECT_EQ(SelectedTitle(state.Pane(PaneId::Mdb)), "Kiss me");
    EXPECT_EQ(prompts.searchDialogRuns, 2);
    EXPECT_TRUE(prompts.messages.empty());

    // The last text is the last one pressed, found or not.
    prompts.searchScript = [](SearchHost& host) { EXPECT_FALSE(host.SearchStep("zzz")); };
    state.Search();
    state.SearchAgain();
    EXPECT_EQ(prompts.Texts(), std::vector<std::string>{"Text not found!"});
    EXPECT_EQ(SelectedTitle(state.Pane(PaneId::Mdb)), "Kiss me"); // the selection stays
}

TEST_F(WindowCommandsTest, SearchAgainNeedsALoadedActivePane)
{
    state.lastSearchText = "x";
    state.SearchAgain();
    EXPECT_EQ(prompts.searchDialogRuns, 0);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(WindowCommandsTest, FilesAreToldApartByContentNotName)
{
    WriteTestArchive(Path("named.bup"), Records({{"Jazz", 1, 100, "Take Five"}}));
    WriteTestMdb(Path("named.mdx"), Records({{"Pop", 1, 120, "Kiss me"}}));
    std::ofstream(Path("short")) << "%%%MDB"; // shorter than the magic
    std::ofstream(Path("empty"));
    EXPECT_EQ(PaneForFile(Path("named.bup")), PaneId::Archive);
    EXPECT_EQ(PaneForFile(Path("named.mdx")), PaneId::Mdb);
    EXPECT_EQ(PaneForFile(Path("short")), PaneId::Mdb);
    EXPECT_EQ(PaneForFile(Path("empty")), PaneId::Mdb);
    EXPECT_EQ(PaneForFile(Path("missing")), PaneId::Mdb);
    EXPECT_EQ(PaneForFile(folder.path().string()), PaneId::Mdb); // a folder

    state.OpenFiles({Path("named.bup"), Path("named.mdx")});
    EXPECT_TRUE(state.Pane(PaneId::Archive).loaded && state.Pane(PaneId::Mdb).loaded);
    EXPECT_EQ(Titles(state.Pane(PaneId::Archive)), std::vector<std::string>{"Take Five"});
    EXPECT_EQ(Titles(state.Pane(PaneId::Mdb)), std::vector<std::string>{"Kiss me"});
    EXPECT_TRUE(state.IsActive(PaneId::Mdb)); // the last file's pane
    EXPECT_EQ(state.Pane(PaneId::Mdb).recentFiles[0], Path("named.mdx"));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(WindowCommandsTest, AFileThatIsNoMdbIsRefusedByTheMdbReader)
{
    std::ofstream(Path("notes.txt")) << "hello";
    state.OpenFiles({Path("notes.txt"), Path("missing.bup")});
    EXPECT_FALSE(state.Pane(PaneId::Mdb).loaded);
    EXPECT_EQ(prompts.Texts(), (std::vector<std::string>{"These files were not found:\n" + Path("missing.bup"),
                                                          "Invalid file size!"}));
    EXPECT_EQ(state.Pane(PaneId::Mdb).recentFiles[0], ""); // neither is remembered
}

TEST_F(WindowCommandsTest, FilesHandedOverWhileBusyWaitOnceEachAndMissingOnesAreNamedTogether)
{
    // 300 requests for three files while a dialog is open: three wait.
    std::vector<std::string> pending;
    for (int i = 0; i < 100; ++i)
        MainWindowState::AddPendingFiles(pending, {Path("a.mdx"), Path("gone1.bup"), Path("gone2.mdx")});
    EXPECT_EQ(pending, (std::vector<std::string>{Path("a.mdx"), Path("gone1.bup"), Path("gone2.mdx")}));
    // Many different ones: the most recent stay, the list does not grow.
    for (int i = 0; i < 1000; ++i)
        MainWindowState::AddPendingFiles(pending, {Path("f" + std::to_string(i) + ".mdx")});
    ASSERT_EQ(pending.size(), MainWindowState::kMaxPendingFiles);
    EXPECT_EQ(pending.back(), Path("f999.mdx"));
    EXPECT_EQ(pending.front(), Path("f" + std::to_string(1000 - MainWindowState::kMaxPendingFiles) + ".mdx"));

    WriteTestArchive(Path("a.mdx"), Records({{"Jazz", 1, 100, "Take Five"}}));
    state.OpenFiles({Path("gone1.bup"), Path("a.mdx"), Path("gone2.mdx")});
    EXPECT_EQ(prompts.Texts(), (std::vector<std::string>{"These files were not found:\n" + Path("gone1.bup") +
                                                          "\n" + Path("gone2.mdx")}));
    EXPECT_EQ(Layout(state.Pane(PaneId::Archive).tree), "Jazz{Take Five}");
}

TEST_F(WindowCommandsTest, EachPaneAsksBeforeItsChangesAreReplaced)
{
    WriteTestArchive(Path("a.mdx"), Records({{"Jazz", 1, 100, "Take Five"}}));
    WriteTestArchive(Path("b.mdx"), Records({{"Soul", 2, 90, "Respect"}}));
    WriteTestMdb(Path("MDB.bup"), Records({{"Pop", 1, 120, "Kiss me"}}));
    NewArchiveWith({{"Mine", 1, 100, "My own"}});
    MarkModified(state.Pane(PaneId::Archive));

    // Cancel keeps this pane as it is and goes on with the next file.
    prompts.Answer(MsgAnswer::Cancel);
    state.OpenFiles({Path("a.mdx"), Path("MDB.bup")});
    EXPECT_EQ(prompts.TimesShown(Msg::ArchiveChangedSave), 1);
    EXPECT_EQ(Titles(state.Pane(PaneId::Archive)), std::vector<std::string>{"My own"});
    EXPECT_TRUE(state.Pane(PaneId::Mdb).loaded);

    // No discards the changes; the file that is open already is not read again.
    prompts.Answer(MsgAnswer::No);
    state.OpenFiles({Path("a.mdx")});
    EXPECT_EQ(Titles(state.Pane(PaneId::Archive)), std::vector<std::string>{"Take Five"});
    state.Pane(PaneId::Archive).tree.Select(state.Pane(PaneId::Archive).tree.FirstCategory());
    prompts.Answer(MsgAnswer::Yes); // "Delete complete category?"
    state.DeleteSelected();
    EXPECT_TRUE(state.Pane(PaneId::Archive).Modified());
    const std::size_t asked = prompts.messages.size();
    state.OpenFiles({Path("a.mdx")});
    EXPECT_EQ(prompts.messages.size(), asked);
    EXPECT_TRUE(state.Pane(PaneId::Archive).Modified());
    EXPECT_FALSE(state.IsActive(PaneId::Mdb));

    // Yes saves before the next file comes in.
    prompts.Answer(MsgAnswer::Yes);
    state.OpenFiles({Path("b.mdx")});
    EXPECT_EQ(Titles(state.Pane(PaneId::Archive)), std::vector<std::string>{"Respect"});
    state.Pane(PaneId::Archive).fileName = Path("a.mdx");
    ASSERT_TRUE(state.LoadFile(PaneId::Archive));
    EXPECT_TRUE(Titles(state.Pane(PaneId::Archive)).empty()); // saved without its category
    EXPECT_EQ(prompts.unscripted, 0);
}

TEST_F(WindowCommandsTest, WindowSizeIsStoredBesideThePosition)
{
    store.WriteString(settings::kSection, settings::kLanguage, "E");
    state.Initialise();
    EXPECT_FALSE(state.windowPosition.HasSize());
    EXPECT_FALSE(state.windowPosition.maximized);
    ASSERT_TRUE(state.ExitSequence({10, 20, 900, 700, true}));
    EXPECT_EQ(store.IntValue(settings::kSection, settings::kWidth), 900);
    EXPECT_EQ(store.IntValue(settings::kSection, settings::kHeight), 700);
    EXPECT_EQ(store.IntValue(settings::kSection, settings::kMaximized), 1);

    AppPrompts quiet;
    MainWindowState next(quiet, store, styles);
    next.LoadSettings();
    EXPECT_EQ(next.windowPosition.width, 900);
    EXPECT_EQ(next.windowPosition.height, 700);
    EXPECT_TRUE(next.windowPosition.maximized);
    EXPECT_EQ(next.windowPosition.left, 10);

    // Hand-edited nonsense reads as no size and not maximized.
    for (const auto& [width, height, maximized] : {std::tuple{0, 700, 2}, {900, -5, -1}, {-1, -1, 7}}) {
        store.WriteInt(settings::kSection, settings::kWidth, width);
        store.WriteInt(settings::kSection, settings::kHeight, height);
        store.WriteInt(settings::kSection, settings::kMaximized, maximized);
        next.LoadSettings();
        EXPECT_FALSE(next.windowPosition.HasSize()) << width << "x" << height;
        EXPECT_FALSE(next.windowPosition.maximized);
    }
}

} // namespace
} // namespace tessaro

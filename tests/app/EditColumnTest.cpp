// Which pane the edit column and the tree notifications work on, and Search again.
#include "support/AppTestSupport.h"

#include "support/TreeTestSupport.h"

#include <filesystem>

namespace tessaro {
namespace {

class EditColumnTest : public AppTest
{
protected:
    EditColumnTest()
    {
        prompts.keyboardModels.push_back(2);
        state.Files().New(PaneId::Mdb);
        AddEntry(state.Pane(PaneId::Mdb), "Pop", 3, 120, "m");
        NewArchiveWith({{"Jazz", 2, 80, "j"}, {"Jazz", 2, 80, "k"}});
    }
};

TEST_F(EditColumnTest, CommandsWorkOnThePaneWhoseTreeHadTheFocusLast)
{
    state.TreeGotFocus(PaneId::Archive);
    state.TreeSelectionChanged(PaneId::Archive, EntryTitled(state.Pane(PaneId::Archive).tree, "j"));
    state.EditColumn().DeleteSelected();
    EXPECT_EQ(Titles(state.Pane(PaneId::Archive)), std::vector<std::string>{"k"});
    EXPECT_EQ(Titles(state.Pane(PaneId::Mdb)), std::vector<std::string>{"m"});
    EXPECT_TRUE(state.Pane(PaneId::Archive).Modified());

    // Copy goes from the active pane to the other, into the category selected there.
    state.TreeSelectionChanged(PaneId::Mdb, CategoryNamed(state.Pane(PaneId::Mdb).tree, "Pop"));
    state.TreeSelectionChanged(PaneId::Archive, EntryTitled(state.Pane(PaneId::Archive).tree, "k"));
    state.EditColumn().Copy();
    EXPECT_EQ(Titles(state.Pane(PaneId::Mdb)), (std::vector<std::string>{"k", "m"}));
    state.TreeGotFocus(PaneId::Mdb);
    state.TreeSelectionChanged(PaneId::Mdb, EntryTitled(state.Pane(PaneId::Mdb).tree, "m"));
    state.EditColumn().Move();
    EXPECT_EQ(Titles(state.Pane(PaneId::Mdb)), std::vector<std::string>{"k"});
    EXPECT_EQ(Titles(state.Pane(PaneId::Archive)), (std::vector<std::string>{"k", "m"}));
    EXPECT_EQ(CountText(state, PaneId::Mdb), "1");
    EXPECT_TRUE(PanesAreSound(state.Pane(PaneId::Mdb), state.Pane(PaneId::Archive)));
}

TEST_F(EditColumnTest, DoubleClickEditsAnEntryButLeavesCategoriesToTheTree)
{
    state.TreeGotFocus(PaneId::Mdb);
    // The archive is not the active pane; its double click edits its own entry.
    state.TreeSelectionChanged(PaneId::Archive, EntryTitled(state.Pane(PaneId::Archive).tree, "j"));
    prompts.EditEntryWith([](MdbEntry& entry) { entry.SetTitle("edited"); });
    EXPECT_TRUE(state.TreeDoubleClicked(PaneId::Archive));
    EXPECT_EQ(prompts.entryDialogModels, std::vector<int>{2});
    EXPECT_NE(EntryTitled(state.Pane(PaneId::Archive).tree, "edited"), nullptr);
    EXPECT_TRUE(state.Pane(PaneId::Archive).Modified());
    EXPECT_FALSE(state.Pane(PaneId::Mdb).Modified());

    state.TreeSelectionChanged(PaneId::Archive, CategoryNamed(state.Pane(PaneId::Archive).tree, "Jazz"));
    EXPECT_FALSE(state.TreeDoubleClicked(PaneId::Archive));
    state.TreeSelectionChanged(PaneId::Archive, nullptr);
    EXPECT_FALSE(state.TreeDoubleClicked(PaneId::Archive));
    EXPECT_TRUE(prompts.categoryDialogInputs.empty());
    EXPECT_EQ(prompts.unscripted, 0);
}

TEST_F(EditColumnTest, NothingHappensWhileTheButtonIsDisabled)
{
    state.TreeSelectionChanged(PaneId::Mdb, EntryTitled(state.Pane(PaneId::Mdb).tree, "m"));
    state.ClearActivePane();
    state.EditColumn().DeleteSelected();
    state.EditColumn().NewCategory();
    state.EditColumn().Copy();
    state.EditColumn().Search();
    state.EditColumn().WriteTabProtocol();
    EXPECT_EQ(Titles(state.Pane(PaneId::Mdb)), std::vector<std::string>{"m"});
    EXPECT_EQ(prompts.searchDialogRuns, 0);
    EXPECT_TRUE(prompts.saveRequests.empty());
    EXPECT_EQ(prompts.unscripted, 0);
}

TEST_F(EditColumnTest, SearchAndProtocolsUseTheActivePane)
{
    state.TreeGotFocus(PaneId::Archive);
    bool leftPane = true;
    prompts.searchScript = [&](SearchHost& host) {
        leftPane = host.SearchesLeftPane();
        EXPECT_TRUE(host.SearchStep("K"));
        EXPECT_FALSE(host.SearchStep("zzz"));
    };
    state.EditColumn().Search();
    EXPECT_FALSE(leftPane);
    EXPECT_EQ(state.Pane(PaneId::Archive).tree.Selected(),
              EntryTitled(state.Pane(PaneId::Archive).tree, "k"));

    prompts.saveFileNames.push_back(Path("report.txt"));
    state.EditColumn().WriteTabProtocol();
    const std::string report = testing::ReadText(Path("report.txt"));
    EXPECT_NE(report.find("Jazz\tk"), std::string::npos);
    EXPECT_EQ(report.find("\tm\t"), std::string::npos);
}

TEST_F(EditColumnTest, HelpOpensThePageOfTheLanguageInTheStartUpFolder)
{
    state.SetStartupFolder("/opt/tessaro");
    state.OpenHelp();
    SetUiLanguage(UiLanguage::German);
    state.OpenHelp();
    EXPECT_EQ(prompts.helpPages,
              (std::vector<std::string>{"/opt/tessaro/Tessaro_e.htm", "/opt/tessaro/Tessaro.htm"}));
}

// Search again, on a pane loaded from a file.
class EditColumnSearchTest : public AppTest
{
protected:
    std::string SelectedTitle(PaneState& pane)
    {
        const TreeNode* node = pane.tree.Selected();
        return node && node->IsEntry() ? node->Payload()->GetTitle() : std::string();
    }
};

TEST_F(EditColumnSearchTest, SearchAgainGoesOnFromTheSelectionWithTheLastText)
{
    WriteTestMdb(
        Path("MDB.bup"),
        Records({{"Pop", 1, 120, "Kiss me"}, {"Pop", 2, 120, "Kiss you"}, {"Rock", 3, 100, "Rocket"}}));
    OpenMdbFile(Path("MDB.bup"));

    // Nothing searched yet: F3 opens the Search dialog, as Ctrl+F does.
    state.EditColumn().SearchAgain();
    EXPECT_EQ(prompts.searchDialogRuns, 1);

    prompts.searchScript = [](SearchHost& host) { EXPECT_TRUE(host.SearchStep("kiss")); };
    state.EditColumn().Search();
    EXPECT_EQ(SelectedTitle(state.Pane(PaneId::Mdb)), "Kiss me");
    state.EditColumn().SearchAgain();
    EXPECT_EQ(SelectedTitle(state.Pane(PaneId::Mdb)), "Kiss you");
    state.EditColumn().SearchAgain(); // round the tree to the first again
    EXPECT_EQ(SelectedTitle(state.Pane(PaneId::Mdb)), "Kiss me");
    EXPECT_EQ(prompts.searchDialogRuns, 2);
    EXPECT_TRUE(prompts.messages.empty());

    // The last text is the last one pressed, found or not.
    prompts.searchScript = [](SearchHost& host) { EXPECT_FALSE(host.SearchStep("zzz")); };
    state.EditColumn().Search();
    state.EditColumn().SearchAgain();
    EXPECT_EQ(prompts.Texts(), std::vector<std::string>{"Text not found!"});
    EXPECT_EQ(SelectedTitle(state.Pane(PaneId::Mdb)), "Kiss me"); // the selection stays
}

TEST_F(EditColumnSearchTest, SearchAgainNeedsALoadedActivePane)
{
    // Something was searched for, then no pane is active any more.
    NewArchiveWith({{"Jazz", 1, 100, "Take Five"}});
    prompts.searchScript = [](SearchHost& host) { host.SearchStep("x"); };
    state.EditColumn().Search();
    ASSERT_EQ(state.EditColumn().LastSearchText(), "x");
    state.ClearActivePane();
    prompts.searchDialogRuns = 0;
    state.EditColumn().SearchAgain();
    EXPECT_EQ(prompts.searchDialogRuns, 0);
    EXPECT_TRUE(prompts.messages.empty());
}

} // namespace
} // namespace tessaro

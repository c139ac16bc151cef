// What the modern window shows besides its commands: the files in the title,
// the pane headers' counts, and the status line after opening, saving, a
// change, its undo and its redo, in both languages.
#include "app/WindowFacts.h"
#include "support/AppTestSupport.h"
#include "support/TreeTestSupport.h"

namespace tessaro {
namespace {

class WindowFactsTest : public AppTest
{
protected:
    void TearDown() override
    {
        SetUiLanguage(UiLanguage::English);
        AppTest::TearDown();
    }
    // Runs a command as the window does and returns what the status bar would say.
    std::optional<std::string> Run(CommandId id)
    {
        const WindowFacts before = ReadWindowFacts(state);
        state.Run(id);
        return StatusAfter(id, before, ReadWindowFacts(state));
    }
    // A drop as the window hands it to the state: no command of its own.
    std::optional<std::string> Drop(PaneId from, const std::vector<TreeNode*>& nodes, PaneId to, TreeNode* onto,
                                    bool move)
    {
        const WindowFacts before = ReadWindowFacts(state);
        EXPECT_TRUE(state.DropNodes(from, nodes, to, onto, move));
        return StatusAfter(std::nullopt, before, ReadWindowFacts(state));
    }
    TreeNode* Entry(PaneId pane, const std::string& title) { return EntryTitled(state.Pane(pane).tree, title); }
    TreeNode* Category(PaneId pane, const std::string& name) { return CategoryNamed(state.Pane(pane).tree, name); }
};

TEST_F(WindowFactsTest, NamesAndLabels)
{
    EXPECT_EQ(ShortFileName("/home/u/Demo.buf/MDB.bup"), "Demo.buf/MDB.bup");
    EXPECT_EQ(ShortFileName("MDB.bup"), "MDB.bup");
    EXPECT_EQ(ShortFileName("/MDB.bup"), "/MDB.bup");
    EXPECT_EQ(ShortFileName("C:\\Set\\Demo.buf\\MDB.bup"), "Demo.buf\\MDB.bup");

    WindowFacts facts;
    EXPECT_EQ(WindowTitle(facts), "Tessaro[*]");
    EXPECT_EQ(PaneFileLabel(facts.panes[0]), "");
    EXPECT_EQ(CapacityText(PaneId::Mdb, facts.panes[0]), "");

    facts.panes[0] = {true, false, true, "/a/Demo.buf/MDB.bup", 617};
    facts.panes[1] = {true, true, false, "", 80};
    EXPECT_EQ(WindowTitle(facts), "Demo.buf/MDB.bup, untitled[*] - Tessaro");
    bool over = false;
    EXPECT_EQ(CapacityText(PaneId::Mdb, facts.panes[0], &over), "617 / 616");
    EXPECT_TRUE(over);
    EXPECT_EQ(CapacityText(PaneId::Archive, facts.panes[1], &over), "80");
    EXPECT_FALSE(over); // the archive has no limit
    facts.panes[0].entries = 616;
    CapacityText(PaneId::Mdb, facts.panes[0], &over);
    EXPECT_FALSE(over); // full is not too full
    EXPECT_TRUE(facts.AnyModified());
}

TEST_F(WindowFactsTest, StatusSaysWhatTheCommandDid)
{
    WriteTestMdb(Path("MDB.bup"), Records({{"Latin", 1, 100, "Samba"}, {"Latin", 2, 100, "Rumba"}}));
    WriteTestArchive(Path("A.mdx"), Records({{"Pop", 1, 100, "Sunny"}}));

    prompts.openFileNames.push_back(Path("MDB.bup"));
    const std::string mdbName = ShortFileName(Path("MDB.bup"));
    EXPECT_EQ(Run(CommandId::OpenMdb), "Opened " + mdbName + " with 2 entries");
    const WindowFacts opened = ReadWindowFacts(state);
    EXPECT_EQ(opened.Pane(PaneId::Mdb).entries, 2);
    EXPECT_FALSE(opened.AnyModified());
    EXPECT_EQ(WindowTitle(opened), mdbName + "[*] - Tessaro");

    prompts.openFileNames.push_back(Path("A.mdx"));
    EXPECT_EQ(Run(CommandId::OpenArchive), "Opened " + ShortFileName(Path("A.mdx")) + " with 1 entries");

    // A change: the step's name and how to take it back.
    state.TreeGotFocus(PaneId::Mdb);
    PaneState& mdb = state.Pane(PaneId::Mdb);
    mdb.tree.Select(mdb.tree.CategoryAt(0));
    const std::optional<std::string> moved = Run(CommandId::Move);
    ASSERT_TRUE(moved);
    // A whole category keeps its name in the other pane.
    EXPECT_EQ(*moved, "Moved 2 entries to Latin - Ctrl+Z undoes it");
    EXPECT_TRUE(ReadWindowFacts(state).AnyModified());
    const std::string step = state.Workspace().history.UndoName();

    EXPECT_EQ(Run(CommandId::Undo), "Undone: " + step);
    EXPECT_EQ(Run(CommandId::Redo), "Redone: " + step);

    SetUiLanguage(UiLanguage::German);
    state.SetActivePane(PaneId::Archive);
    EXPECT_EQ(Run(CommandId::SaveArchive), "3 Einträge in " + ShortFileName(Path("A.mdx")) + " gespeichert");
    EXPECT_FALSE(ReadWindowFacts(state).Pane(PaneId::Archive).modified);
    // Nothing happened: nothing to say.
    EXPECT_EQ(Run(CommandId::SaveArchive), std::nullopt);
}

TEST_F(WindowFactsTest, ACopyMoveOrDropSaysHowManyWentWhere)
{
    prompts.keyboardModels.push_back(2);
    state.Files().New(PaneId::Mdb);
    AddEntry(state.Pane(PaneId::Mdb), "Pop", 3, 120, "m");
    AddEntry(state.Pane(PaneId::Mdb), "Pop", 3, 120, "n");
    AddEntry(state.Pane(PaneId::Mdb), "Rock", 4, 90, "r");
    NewArchiveWith({{"Jazz", 2, 80, "j"}, {"Swing", 2, 80, "s"}});

    // Copy: the entries join the category of the other pane's current entry.
    state.TreeGotFocus(PaneId::Mdb);
    state.Pane(PaneId::Mdb).tree.SetSelection({Entry(PaneId::Mdb, "m"), Entry(PaneId::Mdb, "n")},
                                              Entry(PaneId::Mdb, "n"));
    state.Pane(PaneId::Archive).tree.Select(Entry(PaneId::Archive, "s"));
    EXPECT_EQ(Run(CommandId::Copy), "Copied 2 entries to Swing - Ctrl+Z undoes it");
    const std::string copyStep = state.Workspace().history.UndoName();
    // Undo tells of the undo, not of the copy again.
    EXPECT_EQ(Run(CommandId::Undo), "Undone: " + copyStep);

    // Move of one entry, in German.
    SetUiLanguage(UiLanguage::German);
    state.SetActivePane(PaneId::Mdb);
    state.Pane(PaneId::Mdb).tree.Select(Entry(PaneId::Mdb, "r"));
    state.Pane(PaneId::Archive).tree.Select(Category(PaneId::Archive, "Jazz"));
    EXPECT_EQ(Run(CommandId::Move), "1 Eintrag nach Jazz verschoben - Strg+Z macht es rückgängig");

    // A drop within a pane always moves, into the category dropped on.
    EXPECT_EQ(Drop(PaneId::Archive, {Entry(PaneId::Archive, "r")}, PaneId::Archive, Entry(PaneId::Archive, "s"),
                   false),
              "1 Eintrag nach Swing verschoben - Strg+Z macht es rückgängig");

    // A drop on the other pane copies unless Shift moves; a whole category keeps its name.
    SetUiLanguage(UiLanguage::English);
    EXPECT_EQ(Drop(PaneId::Archive, {Category(PaneId::Archive, "Swing")}, PaneId::Mdb, Entry(PaneId::Mdb, "m"),
                   false),
              "Copied 2 entries to Swing - Ctrl+Z undoes it");
    EXPECT_EQ(Drop(PaneId::Archive, {Category(PaneId::Archive, "Jazz")}, PaneId::Mdb, nullptr, true),
              "Moved 1 entry to Jazz - Ctrl+Z undoes it");
    // Several categories go under their own names: the status names the file they went to.
    EXPECT_EQ(Drop(PaneId::Mdb, {Category(PaneId::Mdb, "Pop"), Category(PaneId::Mdb, "Jazz")}, PaneId::Archive,
                   nullptr, false),
              "Copied 3 entries to untitled - Ctrl+Z undoes it");

    // Nothing moved (no destination chosen in the other pane): no news of a move.
    state.SetActivePane(PaneId::Mdb);
    state.Pane(PaneId::Mdb).tree.Select(Entry(PaneId::Mdb, "m"));
    state.Pane(PaneId::Archive).tree.Select(nullptr);
    const std::optional<std::string> nothing = Run(CommandId::Move);
    EXPECT_EQ(nothing.value_or("").find("Moved"), std::string::npos) << nothing.value_or("");
    EXPECT_EQ(ReadWindowFacts(state).transfers, 6u);
}

TEST_F(WindowFactsTest, AFailedOrCancelledOpenSaysNothing)
{
    prompts.openFileNames.push_back(std::nullopt); // cancelled
    EXPECT_EQ(Run(CommandId::OpenMdb), std::nullopt);
    WriteTestArchive(Path("A.mdx"), Records({{"Pop", 1, 100, "Sunny"}}));
    prompts.openFileNames.push_back(Path("A.mdx")); // no MDB
    EXPECT_EQ(Run(CommandId::OpenMdb), std::nullopt);
    EXPECT_FALSE(ReadWindowFacts(state).Pane(PaneId::Mdb).loaded);
}

} // namespace
} // namespace tessaro

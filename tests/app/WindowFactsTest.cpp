// What the modern window shows besides its commands: the files in the title,
// the pane headers' counts, and the status line after opening, saving, a
// change, its undo and its redo, in both languages.
#include "app/WindowFacts.h"
#include "support/AppTestSupport.h"

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
    EXPECT_EQ(*moved, state.Workspace().history.UndoName() + " - Ctrl+Z undoes it");
    EXPECT_NE(moved->find("Latin"), std::string::npos);
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

// A tool's list kept beside the panes while the user works on: its lines
// follow their entries through deletes, edits, undo and redo, closed and
// reloaded panes and a new run, and a line whose entry left does nothing.
#include "support/AppTestSupport.h"

#include "edit/EntryCsv.h"

#include <fstream>

namespace tessaro {
namespace {

using LineState = ToolResults::LineState;
using Outcome = ToolResults::Outcome;

// The window's panel as far as the list is concerned: it counts what it is told.
class CountingView : public ToolResultsView
{
public:
    int replaced = 0;
    int changed = 0;
    void ListReplaced() override { ++replaced; }
    void LinesChanged() override { ++changed; }
};

class ToolResultsTest : public AppTest
{
protected:
    ToolResultsTest() { Results().SetView(&view); }
    ~ToolResultsTest() override { Results().SetView(nullptr); }

    ToolResults& Results() { return state.Tools().Results(); }
    CategoryTree& Archive() { return state.Pane(PaneId::Archive).tree; }
    std::vector<LineState> States()
    {
        std::vector<LineState> states;
        for (std::size_t line = 0; line < Results().List().lines.size(); ++line)
            states.push_back(Results().State(line));
        return states;
    }

    // The archive's duplicates: line 0 the group {a, b}, 1 a, 2 b; line 3 the
    // group {x, X}, 4 x, 5 X. a, x and X are in Pop, b in Jazz.
    void ArchiveDuplicates()
    {
        NewArchiveWith(
            {{"Pop", 3, 120, "a"}, {"Jazz", 3, 120, "b"}, {"Pop", 2, 80, "x"}, {"Pop", 5, 90, "X"}});
        state.TreeGotFocus(PaneId::Archive);
        state.Tools().FindDuplicates();
        const ResultList& shown = Results().View() ? Results().List() : prompts.resultLists.back();
        ASSERT_EQ(shown.lines.size(), 6u);
    }

    CountingView view;
    static constexpr LineState T = LineState::There;
    static constexpr LineState G = LineState::Gone;
};

TEST_F(ToolResultsTest, ADeletedEntrysLinesAreGoneUntilUndoBringsTheVeryNodeBack)
{
    ArchiveDuplicates();
    EXPECT_TRUE(prompts.resultLists.empty()) << "with a view the list is not shown modally";
    EXPECT_TRUE(Results().IsOpen());
    EXPECT_EQ(view.replaced, 1);
    EXPECT_EQ(States(), (std::vector<LineState>{T, T, T, T, T, T}));
    const TreeNode* a = EntryTitled(Archive(), "a");
    const TreeNode* b = EntryTitled(Archive(), "b");

    EXPECT_EQ(Results().Choose(1), Outcome::Shown);
    ASSERT_EQ(Archive().Selected(), a);
    state.EditColumn().DeleteSelected();
    EXPECT_EQ(Archive().FindCategory("Pop")->ChildCount(), 2);
    EXPECT_GT(view.changed, 0);
    // The group's line still has b; a's own line is gone.
    EXPECT_EQ(States(), (std::vector<LineState>{T, G, T, T, T, T}));

    const TreeNode* selectedBefore = Archive().Selected();
    state.TreeGotFocus(PaneId::Mdb);
    EXPECT_EQ(Results().Choose(1), Outcome::Gone);
    EXPECT_EQ(Archive().Selected(), selectedBefore) << "a gone line selects nothing";
    EXPECT_TRUE(state.IsActive(PaneId::Mdb)) << "nor does it change the active pane";
    EXPECT_TRUE(Results().NodesNow(1).empty());

    // Down the list: the next lines work as before, the group with what is left of it.
    EXPECT_EQ(Results().Choose(0), Outcome::Shown);
    EXPECT_EQ(Archive().SelectedNodes(), (std::vector<TreeNode*>{const_cast<TreeNode*>(b)}));
    EXPECT_EQ(Results().Choose(2), Outcome::Shown);
    EXPECT_EQ(Archive().Selected(), b);

    state.EditColumn().Undo();
    EXPECT_EQ(States(), (std::vector<LineState>{T, T, T, T, T, T}));
    EXPECT_EQ(Results().Choose(1), Outcome::Shown);
    EXPECT_EQ(Archive().Selected(), a) << "the node undo put back";
    EXPECT_EQ(Results().Choose(0), Outcome::Shown);
    EXPECT_EQ(Archive().SelectionCount(), 2u);
    state.EditColumn().Redo();
    EXPECT_EQ(States(), (std::vector<LineState>{T, G, T, T, T, T}));
    state.EditColumn().Undo();
    EXPECT_EQ(Results().State(1), T);
}

TEST_F(ToolResultsTest, ACategoryDeletedTakesTheLinesOfAllItsEntries)
{
    ArchiveDuplicates();
    const int changedBefore = view.changed;
    DeleteInStep(state, PaneId::Archive, CategoryNamed(Archive(), "Jazz"));
    EXPECT_EQ(States(), (std::vector<LineState>{T, T, G, T, T, T}));
    DeleteInStep(state, PaneId::Archive, CategoryNamed(Archive(), "Pop"));
    EXPECT_EQ(States(), (std::vector<LineState>{G, G, G, G, G, G}));
    EXPECT_GT(view.changed, changedBefore);
    EXPECT_EQ(Results().Choose(3), Outcome::Gone);
    state.EditColumn().Undo();
    state.EditColumn().Undo();
    EXPECT_EQ(States(), (std::vector<LineState>{T, T, T, T, T, T}));
    EXPECT_EQ(Results().Choose(5), Outcome::Shown);
    EXPECT_EQ(Archive().Selected(), EntryTitled(Archive(), "X"));
}

TEST_F(ToolResultsTest, EditsThatKeepTheNodeKeepTheLine)
{
    ArchiveDuplicates();
    const int changedBefore = view.changed;

    // A new title: the entry stays where it is.
    ASSERT_EQ(Results().Choose(4), Outcome::Shown);
    prompts.EditEntryWith([](MdbEntry& entry) { entry.SetTitle("x2"); });
    state.EditColumn().EditSelected();
    ASSERT_EQ(Titles(state.Pane(PaneId::Archive)), (std::vector<std::string>{"x2", "a", "X", "b"}));
    // The category renamed, then moved above the other one.
    Archive().Select(CategoryNamed(Archive(), "Jazz"));
    prompts.NameCategory("Swing");
    state.EditColumn().EditSelected();
    EXPECT_EQ(view.changed, changedBefore) << "nothing to redraw";
    state.EditColumn().MoveUp();
    ASSERT_EQ(Layout(Archive()), "Swing{b} Pop{x2,a,X}");
    EXPECT_EQ(States(), (std::vector<LineState>{T, T, T, T, T, T}));
    EXPECT_EQ(Results().Choose(4), Outcome::Shown);
    EXPECT_EQ(Archive().Selected(), EntryTitled(Archive(), "x2"));
    EXPECT_EQ(Results().Choose(2), Outcome::Shown);
    EXPECT_EQ(Archive().Selected(), EntryTitled(Archive(), "b"));

    // A new tempo puts the entry in another group, as a new node: the line
    // goes with it; undo brings back the old node and the line with it, redo
    // the new one.
    ASSERT_EQ(Results().Choose(5), Outcome::Shown);
    const TreeNode* before = Archive().Selected();
    prompts.EditEntryWith([](MdbEntry& entry) { entry.setTempo(95); });
    state.EditColumn().EditSelected();
    const TreeNode* after = Archive().Selected();
    ASSERT_NE(after, before);
    ASSERT_EQ(after->Payload()->record.tempo(), 95);
    EXPECT_EQ(Results().State(5), T);
    EXPECT_EQ(Results().State(3), T);
    state.TreeGotFocus(PaneId::Mdb);
    EXPECT_EQ(Results().Choose(5), Outcome::Shown);
    EXPECT_EQ(Archive().Selected(), after);
    EXPECT_EQ(Results().NodesNow(3).size(), 2u) << "the group's line follows it too";
    state.EditColumn().Undo();
    EXPECT_EQ(Results().State(5), T);
    EXPECT_EQ(Results().NodesNow(5), (std::vector<const TreeNode*>{before}));
    EXPECT_EQ(Results().Choose(5), Outcome::Shown);
    EXPECT_EQ(Archive().Selected()->Payload()->record.tempo(), 90);
    state.EditColumn().Redo();
    EXPECT_EQ(Results().NodesNow(5), (std::vector<const TreeNode*>{after}));
    EXPECT_EQ(prompts.unscripted, 0);
}

// Up and Down make the entry anew in its new place, and an edit that takes
// a main entry into another category takes its sub entries along: every line
// follows its entry there and back through undo.
TEST_F(ToolResultsTest, EntriesMovedUpDownOrIntoAnotherCategoryKeepTheirLines)
{
    NewArchiveWith({{"Pop", 3, 120, "a"}, {"Pop", 3, 120, "a"}, {"Pop", 3, 120, "  sub"}, {"Pop", 3, 120, "c"}});
    state.TreeGotFocus(PaneId::Archive);
    state.Tools().FindDuplicates();
    const TreeNode* pop = Archive().FindCategory("Pop");
    const TreeNode* first = pop->ChildAt(0);
    const TreeNode* second = pop->ChildAt(1);
    // The first line that stands for that entry alone.
    const auto lineOf = [&](const TreeNode* node) {
        for (std::size_t line = 0; line < Results().List().lines.size(); ++line) {
            if (Results().NodesNow(line) == std::vector<const TreeNode*>{node})
                return line;
        }
        return Results().List().lines.size();
    };
    const std::size_t firstLine = lineOf(first);
    const std::size_t secondLine = lineOf(second);
    ASSERT_LT(firstLine, Results().List().lines.size());
    ASSERT_LT(secondLine, Results().List().lines.size());
    const std::vector<LineState> allThere(Results().List().lines.size(), T);
    ASSERT_EQ(Results().Choose(secondLine), Outcome::Shown);
    ASSERT_EQ(Archive().Selected(), second);

    state.EditColumn().MoveUp();
    const TreeNode* moved = Archive().Selected();
    ASSERT_NE(moved, second);
    EXPECT_EQ(pop->FirstChild(), moved);
    EXPECT_EQ(States(), allThere);
    EXPECT_EQ(Results().NodesNow(secondLine), (std::vector<const TreeNode*>{moved}));
    state.EditColumn().Undo();
    EXPECT_EQ(Results().NodesNow(secondLine), (std::vector<const TreeNode*>{second}));
    state.EditColumn().Redo();
    EXPECT_EQ(Results().NodesNow(secondLine), (std::vector<const TreeNode*>{moved}));

    // The first a heads "  sub" now; it goes to Jazz and takes it along.
    ASSERT_EQ(first->NextSibling()->Payload()->GetTitle(), "  sub");
    ASSERT_EQ(Results().Choose(firstLine), Outcome::Shown);
    ASSERT_EQ(Archive().Selected(), first);
    prompts.EditEntryWith([](MdbEntry& entry) { entry.SetCategory("Jazz"); });
    state.EditColumn().EditSelected();
    const TreeNode* inJazz = Archive().Selected();
    ASSERT_EQ(inJazz->Parent(), Archive().FindCategory("Jazz"));
    EXPECT_EQ(Layout(Archive()), "Jazz{a,  sub} Pop{a,c}"); // placed above the category it left
    EXPECT_EQ(Results().NodesNow(firstLine), (std::vector<const TreeNode*>{inJazz}));
    EXPECT_EQ(States(), allThere) << "the sub entry's lines went along";
    EXPECT_EQ(Results().Choose(firstLine), Outcome::Shown);
    EXPECT_EQ(Archive().Selected(), inJazz);
    state.EditColumn().Undo();
    EXPECT_EQ(Results().NodesNow(firstLine), (std::vector<const TreeNode*>{first}));
    EXPECT_EQ(States(), allThere);
    EXPECT_EQ(prompts.unscripted, 0);
}

TEST_F(ToolResultsTest, ClosingOrReloadingAPaneLosesItsLinesForGood)
{
    WriteTestMdb(Path("MDB.bup"), {Playable("Pop", 3, "gone"), Playable("Pop", 4, "tempo")});
    OpenMdbFile(Path("MDB.bup"));
    MdbEntry faster = Playable("Pop", 4, "tempo");
    faster.setTempo(126);
    WriteTestArchive(Path("a.mdx"), {faster, Playable("Jazz", 2, "new")});
    OpenArchiveFile(Path("a.mdx"));
    state.Tools().ComparePanes();
    ASSERT_EQ(Results().List().lines.size(), 3u); // only in the MDB, changed, only in the archive

    EXPECT_EQ(Results().CounterpartNow(1), EntryTitled(Archive(), "tempo"));
    // The changed entry's counterpart deleted: the line still shows the MDB's entry.
    DeleteInStep(state, PaneId::Archive, EntryTitled(Archive(), "tempo"));
    EXPECT_EQ(Results().CounterpartNow(1), nullptr);
    EXPECT_EQ(States(), (std::vector<LineState>{T, T, T}));
    EXPECT_EQ(Results().Choose(1), Outcome::Shown);
    EXPECT_EQ(state.Pane(PaneId::Mdb).tree.Selected(), EntryTitled(state.Pane(PaneId::Mdb).tree, "tempo"));

    state.Files().Close(PaneId::Mdb);
    EXPECT_EQ(States(), (std::vector<LineState>{G, G, T}));
    OpenMdbFile(Path("MDB.bup"));
    EXPECT_EQ(States(), (std::vector<LineState>{G, G, T})) << "the same entries, but other nodes";
    state.TreeGotFocus(PaneId::Archive);
    EXPECT_EQ(Results().Choose(0), Outcome::Gone);
    EXPECT_EQ(state.Pane(PaneId::Mdb).tree.Selected(), nullptr);
    EXPECT_TRUE(state.IsActive(PaneId::Archive));
    EXPECT_EQ(Results().Choose(2), Outcome::Shown);
    EXPECT_EQ(Archive().Selected(), EntryTitled(Archive(), "new"));

    // Undo of the counterpart's delete still works on the archive, which kept its steps.
    state.EditColumn().Undo();
    EXPECT_NE(EntryTitled(Archive(), "tempo"), nullptr);
    EXPECT_EQ(States(), (std::vector<LineState>{G, G, T}));
}

TEST_F(ToolResultsTest, ANewRunReplacesTheListAndARunThatFindsNothingTakesItAway)
{
    ArchiveDuplicates();
    DeleteInStep(state, PaneId::Archive, EntryTitled(Archive(), "b"));
    state.Tools().FindDuplicates(); // x and X are left
    EXPECT_EQ(view.replaced, 2);
    ASSERT_EQ(Results().List().lines.size(), 3u);
    EXPECT_EQ(States(), (std::vector<LineState>{T, T, T}));

    DeleteInStep(state, PaneId::Archive, EntryTitled(Archive(), "X"));
    EXPECT_EQ(Results().State(2), G);
    state.Tools().FindDuplicates();
    EXPECT_TRUE(prompts.Showed(Msg::NoDuplicates));
    EXPECT_FALSE(Results().IsOpen());
    EXPECT_TRUE(Results().List().lines.empty());
    EXPECT_EQ(view.replaced, 3);
    EXPECT_EQ(Results().Choose(0), Outcome::Nothing);

    // No longer following the trees: their changes are nobody's concern here.
    const int changed = view.changed;
    state.EditColumn().Undo();
    state.EditColumn().Undo();
    EXPECT_EQ(view.changed, changed);
}

TEST_F(ToolResultsTest, ManyRowsAtOnceInAStepAreFollowedToo)
{
    ArchiveDuplicates();
    // An import adds its rows in one go: the lines stay.
    const std::string csv = Path("more.csv");
    std::ofstream(csv, std::ios::binary) << EntryCsvText(Archive());
    prompts.openFileNames.push_back(csv);
    state.Tools().ImportCsv();
    ASSERT_EQ(Archive().EntryNodeCount(), 8u);
    EXPECT_EQ(States(), (std::vector<LineState>{T, T, T, T, T, T}));
    EXPECT_EQ(Results().Choose(1), Outcome::Shown);
    EXPECT_EQ(Archive().Selected(), EntryTitled(Archive(), "a"));

    // Removed in one go inside a step: the step keeps the node, undo brings it back.
    TreeNode* b = EntryTitled(Archive(), "b");
    state.Workspace().history.Begin("Delete", PaneId::Archive);
    {
        BulkTreeChange bulk(Archive());
        Archive().DeleteNode(b);
    }
    state.Workspace().history.Commit();
    EXPECT_EQ(Results().State(2), G);
    state.EditColumn().Undo();
    EXPECT_EQ(Results().State(2), T);
    EXPECT_EQ(Results().Choose(2), Outcome::Shown);
    EXPECT_EQ(Archive().Selected(), b);
}

TEST_F(ToolResultsTest, ANodeMadeWhereAFreedOneWasDoesNotBringItsLineBack)
{
    ArchiveDuplicates();
    const auto address = reinterpret_cast<std::uintptr_t>(EntryTitled(Archive(), "b"));
    DeleteInStep(state, PaneId::Archive, EntryTitled(Archive(), "b"));
    // The delete step is forgotten: b's node is freed and its slot handed out again.
    state.Workspace().history.SetMemoryLimit(1);
    AddEntry(state.Pane(PaneId::Archive), "Latin", 7, 100, "placeholder");
    state.Workspace().history.Begin("Add", PaneId::Archive);
    Archive().DeleteNode(EntryTitled(Archive(), "placeholder"));
    state.Workspace().history.Commit();
    ASSERT_EQ(state.Workspace().history.StepCount(), 1u);
    bool reused = false;
    for (int i = 0; i < 64 && !reused; ++i) {
        state.Workspace().history.Begin("Add", PaneId::Archive);
        // Into a category with entries, so that only entry nodes are made.
        const TreeNode* made = Archive().InsertSorted(MakeEntry("Pop", 4, 100 + i, "n" + std::to_string(i)));
        state.Workspace().history.Commit();
        reused = reinterpret_cast<std::uintptr_t>(made) == address;
    }
    ASSERT_TRUE(reused) << "the pools hand freed slots out again";
    EXPECT_EQ(Results().State(2), G);
    EXPECT_EQ(Results().Choose(2), Outcome::Gone);
    EXPECT_EQ(Results().State(0), T) << "a is still there";
}

TEST_F(ToolResultsTest, WithoutAViewTheListIsModalAndForgottenWhenClosed)
{
    Results().SetView(nullptr);
    bool openWhileShown = false;
    prompts.resultListScript = [&](const ResultList&, ResultListHost& host) {
        openWhileShown = Results().IsOpen();
        host.ShowResult(5);
    };
    ArchiveDuplicates();
    EXPECT_EQ(prompts.resultLists.size(), 1u);
    EXPECT_TRUE(openWhileShown);
    EXPECT_EQ(Archive().Selected(), EntryTitled(Archive(), "X"));
    EXPECT_FALSE(Results().IsOpen());
    EXPECT_EQ(Results().State(5), LineState::Plain);
    EXPECT_EQ(view.replaced, 0);
}

TEST_F(ToolResultsTest, FaultsOfACsvFileStandForNothing)
{
    ArchiveDuplicates();
    const std::string csv = Path("bad.csv");
    std::ofstream(csv, std::ios::binary) << EntryCsvText(Archive()) << "1,2\r\n";
    prompts.openFileNames.push_back(csv);
    state.Tools().ImportCsv();
    ASSERT_FALSE(Results().List().lines.empty());
    EXPECT_EQ(Results().State(0), LineState::Plain);
    EXPECT_EQ(Results().PaneOf(0), std::nullopt);
    const TreeNode* selected = Archive().Selected();
    EXPECT_EQ(Results().Choose(0), Outcome::Nothing);
    EXPECT_EQ(Archive().Selected(), selected);
}

} // namespace
} // namespace tessaro

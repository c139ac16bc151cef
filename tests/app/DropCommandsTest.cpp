// Several selected nodes in the edit column, and drops of nodes between and
// within the panes.
#include "support/AppTestSupport.h"

#include "app/FileKinds.h"
#include "support/TreeTestSupport.h"

#include <filesystem>

namespace tessaro {
namespace {

using testing::WriteBytes;
using testing::WriteText;

class DropCommandsTest : public AppTest
{
protected:
    DropCommandsTest()
    {
        prompts.keyboardModels.push_back(2);
        state.Files().New(PaneId::Mdb);
        AddEntry(state.Pane(PaneId::Mdb), "Pop", 3, 120, "m");
        AddEntry(state.Pane(PaneId::Mdb), "Pop", 3, 120, "n"); // a second main entry of m's group
        AddEntry(state.Pane(PaneId::Mdb), "Rock", 4, 90, "r");
        NewArchiveWith({{"Jazz", 2, 80, "j"}, {"Swing", 2, 80, "s"}});
    }

    TreeNode* Mdb(const std::string& title) { return EntryTitled(state.Pane(PaneId::Mdb).tree, title); }
    TreeNode* Archive(const std::string& title)
    {
        return EntryTitled(state.Pane(PaneId::Archive).tree, title);
    }
    TreeNode* ArchiveCategory(const std::string& name)
    {
        return CategoryNamed(state.Pane(PaneId::Archive).tree, name);
    }
};

TEST_F(DropCommandsTest, SeveralSelectedEnableOnlyTheCommandsForSeveral)
{
    state.TreeGotFocus(PaneId::Mdb);
    state.Pane(PaneId::Mdb).tree.SetSelection({Mdb("m"), Mdb("n")}, Mdb("n"));
    CommandStates states = state.UpdateCommandStates();
    EXPECT_TRUE(states[CommandId::Copy].enabled && states[CommandId::Move].enabled &&
                states[CommandId::Delete].enabled && states[CommandId::NewCategory].enabled);
    EXPECT_FALSE(states[CommandId::Edit].enabled || states[CommandId::MainEntry].enabled ||
                 states[CommandId::Up].enabled || states[CommandId::Down].enabled);

    // Edit does nothing while disabled, though a current node exists.
    state.EditColumn().EditSelected();
    EXPECT_TRUE(prompts.entryDialogModels.empty());
    EXPECT_FALSE(state.TreeDoubleClicked(PaneId::Mdb));

    state.Pane(PaneId::Mdb).tree.SetSelection({Mdb("n")}, Mdb("n"));
    states = state.UpdateCommandStates();
    EXPECT_TRUE(states[CommandId::Edit].enabled && states[CommandId::Up].enabled &&
                states[CommandId::MainEntry].enabled);
}

// A Ctrl-click that takes the highlight off the only selected row leaves
// nothing for Edit and Delete to act on.
TEST_F(DropCommandsTest, AClearedSelectionLeavesEditAndDeleteNothing)
{
    state.TreeGotFocus(PaneId::Mdb);
    state.TreeSelectionChanged(PaneId::Mdb, Mdb("m"));
    state.Pane(PaneId::Mdb).tree.SetSelection({}, Mdb("m"));
    const CommandStates states = state.UpdateCommandStates();
    EXPECT_FALSE(states[CommandId::Edit].enabled || states[CommandId::Delete].enabled ||
                 states[CommandId::Copy].enabled || states[CommandId::Up].enabled ||
                 states[CommandId::MainEntry].enabled);
    state.EditColumn().DeleteSelected();
    state.EditColumn().EditSelected();
    EXPECT_EQ(Titles(state.Pane(PaneId::Mdb)), (std::vector<std::string>{"m", "n", "r"}));
    EXPECT_TRUE(prompts.messages.empty() && prompts.entryDialogModels.empty());
    EXPECT_FALSE(state.Workspace().history.CanUndo());
}

TEST_F(DropCommandsTest, DeleteAndMoveOfSeveralAreOneStepEach)
{
    state.TreeGotFocus(PaneId::Mdb);
    state.Pane(PaneId::Mdb).tree.SetSelection({Mdb("m"), Mdb("r")}, Mdb("m"));
    prompts.Answer(MsgAnswer::Yes);
    state.EditColumn().DeleteSelected();
    EXPECT_EQ(prompts.Texts(), std::vector<std::string>{"Delete 2 entries?"});
    EXPECT_EQ(Titles(state.Pane(PaneId::Mdb)), std::vector<std::string>{"n"});
    EXPECT_EQ(state.Workspace().history.StepCount(), 1u);
    EXPECT_EQ(state.Workspace().history.UndoName(), "Delete (2 entries)");
    state.EditColumn().Undo();
    EXPECT_EQ(Titles(state.Pane(PaneId::Mdb)), (std::vector<std::string>{"m", "n", "r"}));
    EXPECT_EQ(CountText(state, PaneId::Mdb), "3");

    state.TreeSelectionChanged(PaneId::Archive, ArchiveCategory("Swing"));
    state.Pane(PaneId::Mdb)
        .tree.SetSelection({Mdb("n"), CategoryNamed(state.Pane(PaneId::Mdb).tree, "Rock")}, Mdb("n"));
    state.EditColumn().Move();
    EXPECT_EQ(Titles(state.Pane(PaneId::Mdb)), std::vector<std::string>{"m"});
    // The category above the target's current one, the entry into it.
    EXPECT_EQ(Titles(state.Pane(PaneId::Archive)), (std::vector<std::string>{"j", "r", "s", "n"}));
    EXPECT_EQ(state.Workspace().history.UndoName(), "Move (2 entries)");
    state.EditColumn().Undo();
    EXPECT_EQ(Titles(state.Pane(PaneId::Mdb)), (std::vector<std::string>{"m", "n", "r"}));
    EXPECT_EQ(Titles(state.Pane(PaneId::Archive)), (std::vector<std::string>{"j", "s"}));
    EXPECT_FALSE(state.Pane(PaneId::Mdb).Modified() || state.Pane(PaneId::Archive).Modified());
    EXPECT_TRUE(PanesAreSound(state.Pane(PaneId::Mdb), state.Pane(PaneId::Archive)));
}

TEST_F(DropCommandsTest, NodesDroppedOnTheOtherPaneAreCopiedOrMovedThere)
{
    state.TreeGotFocus(PaneId::Mdb);
    // Onto an entry: into its category.
    ASSERT_TRUE(state.CanDropNodes(PaneId::Mdb, {Mdb("m")}, PaneId::Archive, Archive("s")));
    EXPECT_TRUE(state.DropNodes(PaneId::Mdb, {Mdb("m")}, PaneId::Archive, Archive("s"), false));
    EXPECT_EQ(Titles(state.Pane(PaneId::Archive)), (std::vector<std::string>{"j", "s", "m"}));
    EXPECT_EQ(ArchiveCategory("Swing")->ChildCount(), 2);
    EXPECT_EQ(Titles(state.Pane(PaneId::Mdb)).size(), 3u);
    EXPECT_FALSE(state.IsActive(PaneId::Mdb)); // the pane dropped on
    EXPECT_EQ(state.Workspace().history.UndoName(), "Copy \"m\"");
    EXPECT_EQ(CountText(state, PaneId::Archive), "3");

    // Below the rows, moved: into the first category.
    EXPECT_TRUE(state.DropNodes(PaneId::Mdb, {Mdb("n"), Mdb("r")}, PaneId::Archive, nullptr, true));
    EXPECT_EQ(ArchiveCategory("Jazz")->ChildCount(), 3);
    EXPECT_EQ(Titles(state.Pane(PaneId::Mdb)), std::vector<std::string>{"m"});
    EXPECT_EQ(state.Workspace().history.StepCount(), 2u);
    state.EditColumn().Undo();
    EXPECT_EQ(Titles(state.Pane(PaneId::Mdb)), (std::vector<std::string>{"m", "n", "r"}));
    EXPECT_EQ(ArchiveCategory("Jazz")->ChildCount(), 1);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(PanesAreSound(state.Pane(PaneId::Mdb), state.Pane(PaneId::Archive)));
}

TEST_F(DropCommandsTest, WithinAPaneEntriesMoveToTheCategoryDroppedOn)
{
    TreeNode* rock = CategoryNamed(state.Pane(PaneId::Mdb).tree, "Rock");
    EXPECT_FALSE(state.CanDropNodes(PaneId::Mdb, {Mdb("r")}, PaneId::Mdb, rock));    // its own category
    EXPECT_FALSE(state.CanDropNodes(PaneId::Mdb, {Mdb("m")}, PaneId::Mdb, nullptr)); // no category
    EXPECT_FALSE(state.CanDropNodes(PaneId::Mdb, {CategoryNamed(state.Pane(PaneId::Mdb).tree, "Pop")},
                                    PaneId::Mdb, rock));
    EXPECT_FALSE(state.DropNodes(PaneId::Mdb, {Mdb("r")}, PaneId::Mdb, Mdb("r"), true));
    EXPECT_FALSE(state.Workspace().history.CanUndo());

    // Onto an entry of the other category; Copy or Move alike.
    EXPECT_TRUE(state.DropNodes(PaneId::Mdb, {Mdb("m"), Mdb("n")}, PaneId::Mdb, Mdb("r"), false));
    EXPECT_EQ(CategoryNamed(state.Pane(PaneId::Mdb).tree, "Pop"), nullptr);
    EXPECT_EQ(CategoryNamed(state.Pane(PaneId::Mdb).tree, "Rock")->ChildCount(), 3);
    EXPECT_EQ(Titles(state.Pane(PaneId::Mdb)).size(), 3u);
    EXPECT_TRUE(state.Pane(PaneId::Mdb).Modified());
    EXPECT_EQ(state.Workspace().history.UndoName(), "Move (2 entries)");
    EXPECT_TRUE(PaneIsSound(state.Pane(PaneId::Mdb)));
}

TEST_F(DropCommandsTest, DropsNeedBothPanesAndNodesOfTheSource)
{
    EXPECT_FALSE(state.CanDropNodes(PaneId::Mdb, {}, PaneId::Archive, nullptr));
    // A node of the archive named as if it came from the MDB pane.
    EXPECT_FALSE(state.CanDropNodes(PaneId::Mdb, {Archive("j")}, PaneId::Archive, nullptr));
    // Onto a node that is not of the target.
    EXPECT_FALSE(state.CanDropNodes(PaneId::Mdb, {Mdb("m")}, PaneId::Archive, Mdb("n")));
    state.Files().Close(PaneId::Archive);
    EXPECT_FALSE(state.CanDropNodes(PaneId::Mdb, {Mdb("m")}, PaneId::Archive, nullptr));
}

// Into an empty pane a dropped entry keeps its category.
TEST_F(DropCommandsTest, ADropIntoAnEmptyPaneKeepsTheCategory)
{
    state.Files().New(PaneId::Archive);
    EXPECT_TRUE(state.DropNodes(PaneId::Mdb, {Mdb("r")}, PaneId::Archive, nullptr, false));
    EXPECT_EQ(Layout(state.Pane(PaneId::Archive).tree).substr(0, 5), "Rock{");
}

} // namespace
} // namespace tessaro

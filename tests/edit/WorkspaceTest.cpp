#include "edit/Workspace.h"
#include "edit/EditOperations.h"
#include "edit/PaneLoad.h"
#include "support/FakePrompts.h"
#include "support/TreeTestSupport.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

class WorkspaceTest : public ::testing::Test
{
protected:
    Workspace work{NumberedStyles()};
    PaneState& mdb = work.Pane(PaneId::Mdb);
    PaneState& archive = work.Pane(PaneId::Archive);
    FakePrompts prompts;
};

TEST_F(WorkspaceTest, PanesAreIndexedByTheirIdAndHaveNoOtherName)
{
    EXPECT_EQ(&work.Pane(PaneId::Mdb), &work.panes[PaneIndex(PaneId::Mdb)]);
    EXPECT_EQ(&work.Pane(PaneId::Archive), &work.panes[PaneIndex(PaneId::Archive)]);
    EXPECT_NE(&mdb, &archive);
    EXPECT_EQ(OtherPane(PaneId::Mdb), PaneId::Archive);
    EXPECT_EQ(OtherPane(PaneId::Archive), PaneId::Mdb);
}

TEST_F(WorkspaceTest, ModifiedIsWhereThePaneStandsAgainstItsSavedPoint)
{
    AddEntry(archive, "Pop", 1, 100, "a"); // loaded, not edited
    work.history.ResetPane(PaneId::Archive);
    EXPECT_FALSE(archive.Modified());

    archive.tree.Select(archive.tree.FirstCategory());
    work.history.Begin("Delete", PaneId::Archive);
    prompts.Answer(MsgAnswer::Yes);
    DeleteSelected(archive, prompts);
    work.history.Commit();
    EXPECT_TRUE(archive.Modified());
    EXPECT_FALSE(mdb.Modified()) << "only the pane the step changed";

    work.history.MarkSaved(PaneId::Archive);
    EXPECT_FALSE(archive.Modified());
    work.history.Undo();
    EXPECT_TRUE(archive.Modified());
    work.history.Redo();
    EXPECT_FALSE(archive.Modified());

    // A step that changed nothing (a refused move) leaves it as it is.
    work.history.Begin("Up", PaneId::Archive);
    MoveUp(archive);
    work.history.Commit();
    EXPECT_FALSE(archive.Modified());
    EXPECT_EQ(work.UnrecordedChanges(), 0u);
}

TEST_F(WorkspaceTest, LoadsNeedNoStepButEditsDo)
{
    ASSERT_TRUE(InsertLoadedRecord(mdb, MakeEntry("Pop", 1, 100, "loaded")->record));
    AddEntry(mdb, "Pop", 1, 110, "loaded too");
    AddEmptyCategory(mdb, "Empty");
    EXPECT_EQ(work.UnrecordedChanges(), 0u);

    // A command that forgot its step: counted here, and a debug build stops at it.
    EXPECT_DEBUG_DEATH(mdb.tree.RenameCategory(mdb.tree.FirstCategory(), "Rock"), "outside a history step");
#ifdef NDEBUG
    EXPECT_GT(work.UnrecordedChanges(), 0u);
    EXPECT_FALSE(mdb.Modified()) << "which is why the step is required";
#endif
}

} // namespace
} // namespace tessaro

// Several nodes selected in one tree, and the operations that take them all:
// Delete with its one question, Copy and Move between the panes, and entries
// put into another category of their own pane.
#include "edit/EditOperations.h"
#include "edit/History.h"
#include "support/FakePrompts.h"
#include "support/TreeTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessaro {
namespace {

class MultipleSelectionTest : public ::testing::Test
{
protected:
    // Pop{a, m, s1, s2, z} Rock{r1, r2} Empty{} with m, s1, s2 one group.
    void SetUp() override
    {
        a = AddEntry(pane, "Pop", 1, 90, "a");
        m = AddEntry(pane, "Pop", 1, 100, "m");
        s1 = AddEntry(pane, "Pop", 1, 100, "  s1");
        s2 = AddEntry(pane, "Pop", 1, 100, "  s2");
        z = AddEntry(pane, "Pop", 1, 110, "z");
        r1 = AddEntry(pane, "Rock", 2, 90, "r1");
        r2 = AddEntry(pane, "Rock", 2, 95, "r2");
        empty = AddEmptyCategory(pane, "Empty");
        pop = CategoryNamed(pane.tree, "Pop");
        rock = CategoryNamed(pane.tree, "Rock");
        ASSERT_TRUE(PaneIsSound(pane));
    }

    SteppedPanes steps;
    PaneState& pane = steps.panes[0];
    PaneState& other = steps.panes[1];
    FakePrompts prompts;
    TreeNode *a = nullptr, *m = nullptr, *s1 = nullptr, *s2 = nullptr, *z = nullptr;
    TreeNode *r1 = nullptr, *r2 = nullptr, *empty = nullptr, *pop = nullptr, *rock = nullptr;
};

TEST_F(MultipleSelectionTest, TheSelectionKeepsItsCurrentNodeAndTreeOrder)
{
    pane.tree.SetSelection({r2, a, rock, nullptr, r2}, r2);
    EXPECT_EQ(pane.tree.Selected(), r2);
    EXPECT_EQ(pane.tree.SelectionCount(), 3u);
    EXPECT_EQ(pane.tree.SelectedNodes(), (std::vector<TreeNode*>{a, rock, r2}));
    EXPECT_TRUE(pane.tree.IsSelected(rock));
    EXPECT_FALSE(pane.tree.IsSelected(m));

    // A current node outside the selection gives way to the first in tree order.
    pane.tree.SetSelection({z, r1}, m);
    EXPECT_EQ(pane.tree.Selected(), z);
    // A node of another tree is not taken.
    TreeNode* foreign = AddEntry(other, "Pop", 1, 100, "f");
    pane.tree.SetSelection({foreign}, foreign);
    EXPECT_EQ(pane.tree.Selected(), nullptr);
    EXPECT_EQ(pane.tree.SelectionCount(), 0u);
    EXPECT_TRUE(pane.tree.SelectedNodes().empty());

    pane.tree.SetSelection({a, z}, a);
    pane.tree.Select(a); // the current node alone again
    EXPECT_EQ(pane.tree.SelectionCount(), 1u);
    EXPECT_FALSE(pane.tree.IsSelected(z));
}

// A node of the selection leaving the tree leaves one node selected, never a
// dangling one; the same holds when it leaves with its category.
TEST_F(MultipleSelectionTest, ALeavingNodeTakesTheSelectionBackToOne)
{
    pane.tree.SetSelection({a, r1, r2}, a);
    pane.tree.DeleteNode(r1);
    EXPECT_EQ(pane.tree.SelectionCount(), 1u);
    EXPECT_EQ(pane.tree.Selected(), a);

    pane.tree.SetSelection({a, r2}, a);
    pane.tree.DeleteNode(rock); // r2 goes with its category
    EXPECT_EQ(pane.tree.SelectionCount(), 1u);
    EXPECT_EQ(pane.tree.Selected(), a);

    pane.tree.SetSelection({a, z, s1}, a);
    pane.tree.DeleteNode(a); // the current one: its neighbour, as with one node
    EXPECT_EQ(pane.tree.SelectedNodes(), std::vector<TreeNode*>{m});

    // A category leaving that holds none of them changes nothing.
    pane.tree.SetSelection({m, z}, z);
    pane.tree.DeleteNode(empty);
    EXPECT_EQ(pane.tree.SelectionCount(), 2u);
    pane.tree.Clear();
    EXPECT_EQ(pane.tree.SelectionCount(), 0u);
}

TEST_F(MultipleSelectionTest, DeletingSeveralAsksOnceWithTheNumberOfEntries)
{
    pane.tree.SetSelection({a, rock, z}, a);
    prompts.Answer(MsgAnswer::No);
    steps.Step([&] { DeleteSelected(pane, prompts); });
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "Delete 4 entries?");
    EXPECT_EQ(prompts.messages[0].icon, MsgIcon::Question);
    EXPECT_EQ(prompts.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(Layout(pane.tree), "Pop{a,m,  s1,  s2,z} Rock{r1,r2} Empty{}");
    EXPECT_FALSE(pane.Modified());

    SetUiLanguage(UiLanguage::German);
    prompts.Answer(MsgAnswer::Yes);
    steps.Step([&] { DeleteSelected(pane, prompts); });
    SetUiLanguage(UiLanguage::English);
    EXPECT_EQ(prompts.messages.back().text, "4 Einträge löschen?");
    EXPECT_EQ(Layout(pane.tree), "Pop{m,  s1,  s2} Empty{}");
    EXPECT_EQ(pane.EntryCount(), 3);
    EXPECT_TRUE(pane.Modified());
    EXPECT_TRUE(PaneIsSound(pane));
}

TEST_F(MultipleSelectionTest, OneEntryAmongSeveralNodesIsAskedAboutInTheSingular)
{
    // An entry of a category that goes whole is counted once, with the category.
    steps.Step([&] { Delete(pane, {empty, r1, rock, r1}, prompts); });
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "Delete 2 entries?");

    TreeNode* alone = AddEmptyCategory(pane, "Alone");
    prompts.Answer(MsgAnswer::Yes);
    steps.Step([&] { Delete(pane, {empty, z}, prompts); });
    EXPECT_EQ(prompts.messages.back().text, "Delete 1 entry?");
    EXPECT_EQ(Layout(pane.tree), "Pop{a,m,  s1,  s2} Rock{r1,r2} Alone{}");

    // Empty categories alone go without a question, as one does.
    const std::size_t asked = prompts.messages.size();
    steps.Step([&] { Delete(pane, {alone, CategoryNamed(pane.tree, "Alone")}, prompts); });
    EXPECT_EQ(prompts.messages.size(), asked);
    EXPECT_EQ(Layout(pane.tree), "Pop{a,m,  s1,  s2} Rock{r1,r2}");
    EXPECT_EQ(prompts.unscripted, 1);
}

// A main entry and its first sub entry deleted together: the group's last
// sub entry becomes its main entry.
TEST_F(MultipleSelectionTest, DeletingAGroupHeadWithItsSubEntryKeepsTheGroupSound)
{
    prompts.Answer(MsgAnswer::Yes);
    steps.Step([&] { Delete(pane, {s1, m}, prompts); });
    EXPECT_EQ(Layout(pane.tree), "Pop{a,s2,z} Rock{r1,r2} Empty{}");
    EXPECT_TRUE(PaneIsSound(pane));
}

TEST_F(MultipleSelectionTest, CopyTakesEveryNodeAndWarnsOnceWithoutADestination)
{
    AddEntry(other, "Jazz", 3, 80, "j");
    // Nothing selected in the target: one warning for both entries; the category still goes.
    steps.Step([&] { Transfer(pane, {a, r1, empty}, other, nullptr, false, prompts); });
    EXPECT_EQ(prompts.TimesShown(Msg::SelectDestinationCategory), 1);
    EXPECT_EQ(Layout(other.tree), "Jazz{j} Empty{}");

    steps.Step([&] { Transfer(pane, {a, r1, m}, other, CategoryNamed(other.tree, "Jazz"), false, prompts); });
    EXPECT_EQ(Layout(other.tree), "Jazz{a,m,  s1,  s2,r1,j} Empty{}");
    EXPECT_EQ(other.EntryCount(), 6);
    EXPECT_EQ(prompts.TimesShown(Msg::SelectDestinationCategory), 1);
    EXPECT_TRUE(PanesAreSound(pane, other));
}

// Into an empty target the entries keep their categories, also when a category
// of the selection went first and made the target non-empty.
TEST_F(MultipleSelectionTest, MoveIntoAnEmptyPaneKeepsTheCategories)
{
    steps.Step([&] { Transfer(pane, {m, s2, z, rock}, other, nullptr, true, prompts); });
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(Layout(other.tree), "Rock{r1,r2} Pop{m,  s1,  s2,z}");
    EXPECT_EQ(Layout(pane.tree), "Pop{a} Empty{}");
    EXPECT_EQ(pane.EntryCount(), 1);
    EXPECT_TRUE(PanesAreSound(pane, other));
}

TEST_F(MultipleSelectionTest, EntriesGoToAnotherCategoryOfTheirPaneSorted)
{
    EXPECT_FALSE(CanMoveToCategory(pane, {a, z}, pop));     // already there
    EXPECT_FALSE(CanMoveToCategory(pane, {r1, pop}, rock)); // a category is not put into one
    EXPECT_FALSE(CanMoveToCategory(pane, {r1}, nullptr));
    EXPECT_TRUE(CanMoveToCategory(pane, {a, r1}, pop));
    EXPECT_TRUE(CanMoveToCategory(pane, {r1}, empty));

    // A main entry takes its sub entries along; a selected sub entry is not taken twice.
    ASSERT_TRUE(steps.Step([&] { return MoveToCategory(pane, {m, s2, r2}, empty); }));
    EXPECT_EQ(Layout(pane.tree), "Pop{a,z} Rock{r1} Empty{m,  s1,  s2,r2}");
    EXPECT_TRUE(pane.Modified());
    EXPECT_TRUE(PaneIsSound(pane));

    // The last entries of a category leave with it; sorted in among the others.
    ASSERT_TRUE(steps.Step([&] {
        return MoveToCategory(pane, {EntryTitled(pane.tree, "r1")}, CategoryNamed(pane.tree, "Pop"));
    }));
    EXPECT_EQ(CategoryNamed(pane.tree, "Rock"), nullptr);
    EXPECT_EQ(Layout(pane.tree), "Pop{a,z,r1} Empty{m,  s1,  s2,r2}");
    EXPECT_EQ(pane.tree.Selected(), EntryTitled(pane.tree, "r1"));
    EXPECT_EQ(pane.EntryCount(), 7);
    EXPECT_TRUE(PaneIsSound(pane));
}

// A sub entry moved without its main entry: the first of its new group there
// becomes a main entry, and the one left behind heads the old group.
TEST_F(MultipleSelectionTest, ASubEntryMovedAloneHeadsItsGroupThere)
{
    ASSERT_TRUE(steps.Step([&] { return MoveToCategory(pane, {s1}, rock); }));
    EXPECT_EQ(Layout(pane.tree), "Pop{a,m,  s2,z} Rock{s1,r1,r2} Empty{}");
    EXPECT_TRUE(PaneIsSound(pane));
}

TEST_F(MultipleSelectionTest, AMoveIntoACategoryIsOneUndoableStep)
{
    const std::string before = Layout(pane.tree);
    History& history = steps.history;
    pane.tree.SetSelection({a, m, r1}, m);
    history.Begin("Move", PaneId::Mdb);
    steps.Step([&] { MoveToCategory(pane, {a, m, r1}, empty); });
    pane.tree.Select(empty);
    history.Commit();
    EXPECT_EQ(history.StepCount(), 1u);
    history.Undo();
    EXPECT_EQ(Layout(pane.tree), before);
    EXPECT_FALSE(pane.Modified());
    // The whole selection comes back with the nodes, its current node too.
    EXPECT_EQ(pane.tree.SelectedNodes(), (std::vector<TreeNode*>{a, m, r1}));
    EXPECT_EQ(pane.tree.Selected(), m);
    history.Redo();
    EXPECT_EQ(Layout(pane.tree), "Pop{z} Rock{r2} Empty{a,m,  s1,  s2,r1}");
    EXPECT_EQ(pane.tree.SelectedNodes(), (std::vector<TreeNode*>{empty}));
    EXPECT_TRUE(PaneIsSound(pane));
}

} // namespace
} // namespace tessaro

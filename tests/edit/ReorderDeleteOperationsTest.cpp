// Up, Down and Delete.
#include "edit/EditOperations.h"
#include "support/FakePrompts.h"
#include "support/TreeTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace tessaro {
namespace {

class ReorderOperationsTest : public ::testing::Test
{
protected:
    // Pop{other, m,  s1,  s2, last} with m, s1, s2 one group.
    void SetUp() override
    {
        other = AddEntry(pane, "Pop", 1, 90, "other");
        main = AddEntry(pane, "Pop", 1, 100, "m");
        sub1 = AddEntry(pane, "Pop", 1, 100, "  s1");
        sub2 = AddEntry(pane, "Pop", 1, 100, "  s2");
        last = AddEntry(pane, "Pop", 1, 110, "last");
    }

    SteppedPanes steps;
    PaneState& pane = steps.panes[0];
    FakePrompts prompts;
    TreeNode* other = nullptr;
    TreeNode* main = nullptr;
    TreeNode* sub1 = nullptr;
    TreeNode* sub2 = nullptr;
    TreeNode* last = nullptr;
};

TEST_F(ReorderOperationsTest, UpToTheTopOfTheGroupMakesTheEntryMain)
{
    pane.tree.Select(sub1);
    ASSERT_TRUE(CanMoveUp(pane.tree.Selected()));
    steps.Step([&] { MoveUp(pane); });
    ASSERT_TRUE(PaneIsSound(pane));
    EXPECT_EQ(Layout(pane.tree), "Pop{other,s1,m,  s2,last}");
    EXPECT_EQ(pane.tree.Selected()->Payload()->GetTitle(), "s1");
    EXPECT_EQ(pane.tree.Selected()->Text(),
              pane.tree.Selected()->Payload()->DisplayLabel(&pane.tree.Styles()));
    EXPECT_TRUE(pane.Modified());
    EXPECT_TRUE(pane.tree.Selected()->Parent()->IsExpanded());
}

TEST_F(ReorderOperationsTest, UpInsideTheGroupKeepsASubEntrySub)
{
    pane.tree.Select(sub2);
    steps.Step([&] { MoveUp(pane); });
    EXPECT_EQ(Layout(pane.tree), "Pop{other,m,  s2,  s1,last}");
    EXPECT_TRUE(PaneIsSound(pane));
}

TEST_F(ReorderOperationsTest, UpAndDownStopAtTheEdgesOfTheGroup)
{
    pane.tree.Select(main);
    EXPECT_FALSE(CanMoveUp(pane.tree.Selected()));
    steps.Step([&] { MoveUp(pane); });
    pane.tree.Select(sub2);
    EXPECT_FALSE(CanMoveDown(pane.tree.Selected()));
    steps.Step([&] { MoveDown(pane); });
    pane.tree.Select(other);
    steps.Step([&] { MoveUp(pane); });
    EXPECT_EQ(Layout(pane.tree), "Pop{other,m,  s1,  s2,last}");
    EXPECT_FALSE(pane.Modified());
}

TEST_F(ReorderOperationsTest, DownOnAMainEntryMakesItsFirstSubEntryMain)
{
    pane.tree.Select(main);
    steps.Step([&] { MoveDown(pane); });
    ASSERT_TRUE(PaneIsSound(pane));
    EXPECT_EQ(Layout(pane.tree), "Pop{other,s1,m,  s2,last}");
    EXPECT_EQ(sub1->Text(), sub1->Payload()->DisplayLabel(&pane.tree.Styles()));
    EXPECT_EQ(pane.tree.Selected()->Payload()->GetTitle(), "m");
}

TEST_F(ReorderOperationsTest, DownOnASubEntryKeepsItSub)
{
    pane.tree.Select(sub1);
    steps.Step([&] { MoveDown(pane); });
    EXPECT_EQ(Layout(pane.tree), "Pop{other,m,  s2,  s1,last}");
    EXPECT_TRUE(PaneIsSound(pane));
}

TEST(ReorderCategoryTest, CategoriesMoveWithTheirEntriesAndComeBackClosed)
{
    SteppedPanes steps;
    PaneState& pane = steps.panes[0];
    TreeNode* a = AddEntry(pane, "A", 1, 100, "a")->Parent();
    AddEntry(pane, "A", 1, 100, "  a sub");
    AddEntry(pane, "A", 2, 100, "a2");
    TreeNode* empty = AddEmptyCategory(pane, "Empty");
    AddEntry(pane, "C", 1, 100, "c");

    pane.tree.Select(a);
    EXPECT_FALSE(CanMoveUp(pane.tree.Selected()));
    steps.Step([&] { MoveUp(pane); });
    EXPECT_FALSE(pane.Modified());

    pane.tree.SetExpanded(a, true);
    steps.Step([&] { MoveDown(pane); });
    EXPECT_EQ(Layout(pane.tree), "Empty{} A{a,  a sub,a2} C{c}");
    EXPECT_FALSE(a->IsExpanded());
    EXPECT_EQ(pane.tree.Selected(), a);
    EXPECT_TRUE(pane.Modified());

    pane.tree.Select(empty);
    steps.Step([&] { MoveDown(pane); });
    EXPECT_EQ(Layout(pane.tree), "A{a,  a sub,a2} Empty{} C{c}");
    ASSERT_NE(empty->Payload(), nullptr);
    steps.Step([&] { MoveDown(pane); });
    steps.Step([&] { MoveDown(pane); }); // already last
    EXPECT_EQ(Layout(pane.tree), "A{a,  a sub,a2} C{c} Empty{}");
    steps.Step([&] { MoveUp(pane); });
    steps.Step([&] { MoveUp(pane); });
    EXPECT_EQ(Layout(pane.tree), "Empty{} A{a,  a sub,a2} C{c}");
    EXPECT_EQ(pane.tree.Selected(), empty);
    EXPECT_TRUE(PaneIsSound(pane));
}

class DeleteOperationsTest : public ReorderOperationsTest
{
};

TEST_F(DeleteOperationsTest, DeletingAMainEntryMakesItsFirstSubEntryMain)
{
    pane.tree.Select(main);
    steps.Step([&] { DeleteSelected(pane, prompts); });
    ASSERT_TRUE(PaneIsSound(pane));
    EXPECT_EQ(Layout(pane.tree), "Pop{other,s1,  s2,last}");
    EXPECT_EQ(sub1->Text(), sub1->Payload()->DisplayLabel(&pane.tree.Styles()));
    EXPECT_EQ(pane.EntryCount(), 4);
    EXPECT_EQ(pane.EntryCount(), 4);
    EXPECT_TRUE(pane.Modified());
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(DeleteOperationsTest, DeletingASubEntryLeavesTheOthers)
{
    pane.tree.Select(sub1);
    steps.Step([&] { DeleteSelected(pane, prompts); });
    EXPECT_EQ(Layout(pane.tree), "Pop{other,m,  s2,last}");
    EXPECT_TRUE(PaneIsSound(pane));
}

TEST_F(DeleteOperationsTest, DeletingTheLastEntryRemovesTheCategory)
{
    TreeNode* rock = AddEntry(pane, "Rock", 1, 100, "r");
    pane.tree.Select(rock);
    steps.Step([&] { DeleteSelected(pane, prompts); });
    EXPECT_EQ(Layout(pane.tree), "Pop{other,m,  s1,  s2,last}");
    EXPECT_EQ(pane.EntryCount(), 5);
    EXPECT_TRUE(PaneIsSound(pane));
}

TEST_F(DeleteOperationsTest, ACategoryWithEntriesGoesOnlyAfterYes)
{
    TreeNode* pop = pane.tree.FirstCategory();
    AddEntry(pane, "Rock", 1, 100, "r");
    pane.tree.Select(pop);
    prompts.Answer(MsgAnswer::No);
    steps.Step([&] { DeleteSelected(pane, prompts); });
    EXPECT_EQ(pane.tree.CategoryCount(), 2);
    EXPECT_FALSE(pane.Modified());
    EXPECT_EQ(pane.EntryCount(), 6); // No deletes nothing
    ASSERT_EQ(prompts.TimesShown(Msg::DeleteCompleteCategory), 1);
    EXPECT_EQ(prompts.messages[0].icon, MsgIcon::Question);
    EXPECT_EQ(prompts.messages[0].buttons, MsgButtons::YesNo);

    prompts.Answer(MsgAnswer::Yes);
    steps.Step([&] { DeleteSelected(pane, prompts); });
    EXPECT_EQ(Layout(pane.tree), "Rock{r}");
    EXPECT_EQ(pane.EntryCount(), 1);
    EXPECT_EQ(pane.EntryCount(), 1);
    EXPECT_TRUE(pane.Modified());
    EXPECT_TRUE(PaneIsSound(pane));
}

TEST_F(DeleteOperationsTest, AnEmptyCategoryGoesWithoutAsking)
{
    TreeNode* empty = AddEmptyCategory(pane, "Empty");
    pane.tree.Select(empty);
    steps.Step([&] { DeleteSelected(pane, prompts); });
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(pane.tree.CategoryCount(), 1);
    EXPECT_EQ(pane.EntryCount(), 5);
    EXPECT_TRUE(PaneIsSound(pane));
}

TEST_F(DeleteOperationsTest, NothingSelectedOnlyRefreshesTheCount)
{
    steps.Step([&] { DeleteSelected(pane, prompts); });
    EXPECT_EQ(pane.EntryCount(), 5);
    EXPECT_FALSE(pane.Modified());
}

} // namespace
} // namespace tessaro

#include "edit/EditOperations.h"
#include "support/FakePrompts.h"
#include "support/TreeTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace tessaro {
namespace {

class CopyMoveOperationsTest : public ::testing::Test
{
protected:
    void Copy()
    {
        steps.Step([&] { CopyOrMove(mdb, archive, false, prompts); });
    }
    void Move()
    {
        steps.Step([&] { CopyOrMove(mdb, archive, true, prompts); });
    }
    ::testing::AssertionResult Sound() { return PanesAreSound(mdb, archive); }

    SteppedPanes steps;
    PaneState& mdb = steps.panes[0];     // the source
    PaneState& archive = steps.panes[1]; // the target
    FakePrompts prompts;
};

TEST_F(CopyMoveOperationsTest, EntryIntoAnEmptyTargetMakesItsOwnCategoryAsMainEntry)
{
    AddEntry(mdb, "Pop", 1, 100, "main");
    mdb.tree.Select(AddEntry(mdb, "Pop", 1, 100, "  sub"));
    Copy();
    ASSERT_TRUE(Sound());
    EXPECT_EQ(Layout(archive.tree), "Pop{sub}");
    EXPECT_EQ(Layout(mdb.tree), "Pop{main,  sub}");
    EXPECT_EQ(archive.EntryCount(), 1);
    EXPECT_EQ(archive.EntryCount(), 1);
    EXPECT_EQ(mdb.EntryCount(), 2);
    EXPECT_TRUE(archive.Modified());
    EXPECT_FALSE(mdb.Modified());
    TreeNode* copy = archive.tree.Selected();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Payload()->GetTitle(), "sub");
    EXPECT_TRUE(copy->Parent()->IsExpanded());
    EXPECT_NE(copy->Payload(), mdb.tree.Selected()->Payload());
}

TEST_F(CopyMoveOperationsTest, WithoutADestinationCategoryItWarnsAndChangesNothing)
{
    mdb.tree.Select(AddEntry(mdb, "Pop", 1, 100, "a"));
    AddEntry(archive, "Rock", 1, 100, "r");
    Move();
    EXPECT_EQ(prompts.TimesShown(Msg::SelectDestinationCategory), 1);
    EXPECT_EQ(prompts.messages[0].icon, MsgIcon::Warning);
    EXPECT_EQ(prompts.messages[0].buttons, MsgButtons::Ok);

    // A category whose name is empty names no destination either.
    archive.tree.RenameCategory(archive.tree.FirstCategory(), "");
    archive.tree.Select(archive.tree.FirstCategory()->FirstChild());
    Move();
    EXPECT_EQ(prompts.TimesShown(Msg::SelectDestinationCategory), 2);

    EXPECT_EQ(Layout(mdb.tree), "Pop{a}");
    EXPECT_EQ(Layout(archive.tree), "{r}");
    EXPECT_FALSE(mdb.Modified() || archive.Modified());
    EXPECT_EQ(mdb.EntryCount(), 1); // the counts follow all the same
    EXPECT_TRUE(Sound());
}

TEST_F(CopyMoveOperationsTest, EntryTakesTheNameOfTheSelectedTargetCategory)
{
    TreeNode* rock = AddEntry(mdb, "Rock", 1, 100, "a");
    mdb.tree.Select(rock);
    AddEntry(archive, "Pop", 1, 90, "p");
    archive.tree.Select(archive.tree.FirstCategory());
    Copy();
    ASSERT_TRUE(Sound());
    EXPECT_EQ(Layout(archive.tree), "Pop{p,a}");
    const EntryNode& copy = *archive.tree.Selected()->Payload();
    EXPECT_EQ(copy.GetCategory(), "Pop");
    EXPECT_EQ(copy.CategoryLabel(), "Pop");
    EXPECT_EQ(rock->Payload()->GetCategory(), "Rock");
}

TEST_F(CopyMoveOperationsTest, MainEntryTakesItsSubEntriesAlong)
{
    TreeNode* main = AddEntry(mdb, "Pop", 1, 100, "main");
    AddEntry(mdb, "Pop", 1, 100, "  sub1");
    AddEntry(mdb, "Pop", 1, 100, "  sub2");
    AddEntry(mdb, "Pop", 2, 100, "other");
    AddEntry(archive, "Pop", 1, 100, "there");
    AddEntry(archive, "Pop", 3, 100, "later");
    archive.tree.Select(archive.tree.FirstCategory());
    mdb.tree.Select(main);

    Copy();
    ASSERT_TRUE(Sound());
    EXPECT_EQ(Layout(archive.tree), "Pop{there,main,  sub1,  sub2,later}");
    EXPECT_EQ(archive.EntryCount(), 5);
    EXPECT_EQ(archive.tree.Selected()->Payload()->GetTitle(), "main");

    mdb.tree.Select(main);
    Move();
    ASSERT_TRUE(Sound());
    EXPECT_EQ(Layout(mdb.tree), "Pop{other}");
    EXPECT_EQ(mdb.EntryCount(), 1);
    EXPECT_EQ(mdb.EntryCount(), 1);
    EXPECT_TRUE(mdb.Modified());
    EXPECT_EQ(Layout(archive.tree), "Pop{there,main,  sub1,  sub2,main,  sub1,  sub2,later}");
    EXPECT_EQ(archive.EntryCount(), 8);
}

TEST_F(CopyMoveOperationsTest, MovingTheWholeContentOfACategoryDeletesIt)
{
    mdb.tree.Select(AddEntry(mdb, "Pop", 1, 100, "main"));
    AddEntry(mdb, "Pop", 1, 100, "  sub");
    AddEntry(mdb, "Rock", 1, 100, "r");
    Move();
    ASSERT_TRUE(Sound());
    EXPECT_EQ(Layout(mdb.tree), "Rock{r}");
    EXPECT_EQ(Layout(archive.tree), "Pop{main,  sub}");
    EXPECT_EQ(mdb.EntryCount(), 1);
    EXPECT_EQ(archive.EntryCount(), 2);
}

class CopyIntoGroupTest : public CopyMoveOperationsTest
{
protected:
    void SetUp() override
    {
        sourceMain = AddEntry(mdb, "Pop", 1, 100, "new");
        sourceSub = AddEntry(mdb, "Pop", 1, 100, "  newsub");
        AddEntry(archive, "Pop", 0, 100, "before");
        targetMain = AddEntry(archive, "Pop", 1, 100, "m");
        AddEntry(archive, "Pop", 1, 100, "  s1");
        targetLastSub = AddEntry(archive, "Pop", 1, 100, "  s2");
    }
    TreeNode* sourceMain = nullptr;
    TreeNode* sourceSub = nullptr;
    TreeNode* targetMain = nullptr;
    TreeNode* targetLastSub = nullptr;
};

TEST_F(CopyIntoGroupTest, SubEntryGoesBeforeASelectedSubEntry)
{
    mdb.tree.Select(sourceSub);
    archive.tree.Select(targetLastSub);
    Copy();
    ASSERT_TRUE(Sound());
    EXPECT_EQ(Layout(archive.tree), "Pop{before,m,  s1,  newsub,  s2}");
}

TEST_F(CopyIntoGroupTest, SubEntryGoesAfterASelectedMainEntry)
{
    mdb.tree.Select(sourceSub);
    archive.tree.Select(targetMain);
    Copy();
    ASSERT_TRUE(Sound());
    EXPECT_EQ(Layout(archive.tree), "Pop{before,m,  newsub,  s1,  s2}");
}

TEST_F(CopyIntoGroupTest, MainEntryGoesAboveTheGroupsMainEntryWithItsSubEntries)
{
    mdb.tree.Select(sourceMain);
    archive.tree.Select(targetLastSub);
    Copy();
    ASSERT_TRUE(Sound());
    EXPECT_EQ(Layout(archive.tree), "Pop{before,new,  newsub,m,  s1,  s2}");
    EXPECT_EQ(archive.EntryCount(), 6);
    EXPECT_EQ(archive.tree.Selected()->Payload()->GetTitle(), "new");
}

TEST_F(CopyMoveOperationsTest, SubEntryElsewhereStaysSubOnlyBehindItsGroup)
{
    AddEntry(mdb, "Pop", 1, 100, "main");
    TreeNode* sub = AddEntry(mdb, "Pop", 1, 100, "  sub");
    AddEntry(archive, "Rock", 1, 100, "r");
    AddEntry(archive, "Jazz", 1, 100, "j");
    archive.tree.Select(archive.tree.FirstCategory()); // Rock, same style and tempo: lands behind r
    mdb.tree.Select(sub);
    Copy();
    archive.tree.Select(archive.tree.LastCategory()->FirstChild()); // j: same style and tempo
    Copy();
    AddEntry(archive, "Blues", 2, 100, "b");
    archive.tree.Select(archive.tree.LastCategory()); // another style: first of its group
    Copy();
    ASSERT_TRUE(Sound());
    EXPECT_EQ(Layout(archive.tree), "Rock{r,  sub} Jazz{j,  sub} Blues{sub,b}");
}

TEST_F(CopyMoveOperationsTest, WholeCategoryMergesIntoTheTargetCategoryOfItsName)
{
    TreeNode* pop = AddEntry(mdb, "Pop", 1, 100, "a")->Parent();
    AddEntry(mdb, "Pop", 1, 100, "  a sub");
    AddEntry(mdb, "Pop", 2, 100, "b");
    AddEntry(archive, "Pop", 1, 150, "c");
    AddEntry(archive, "Pop", 1, 100, "d");
    TreeNode* rock = AddEntry(archive, "Rock", 1, 100, "r")->Parent();
    archive.tree.Select(rock);
    mdb.tree.Select(pop);
    Copy();
    ASSERT_TRUE(Sound());
    EXPECT_EQ(Layout(archive.tree), "Pop{d,a,  a sub,c,b} Rock{r}");
    EXPECT_EQ(archive.EntryCount(), 6);
    EXPECT_EQ(archive.tree.Selected(), rock);
    EXPECT_FALSE(mdb.Modified());
}

TEST_F(CopyMoveOperationsTest, WholeCategoryWithANewNameGoesAboveTheTargetSelection)
{
    TreeNode* jazz = AddEntry(mdb, "Jazz", 1, 100, "j1")->Parent();
    AddEntry(mdb, "Jazz", 0, 100, "j0");
    AddEntry(archive, "Pop", 1, 100, "p");
    TreeNode* rockEntry = AddEntry(archive, "Rock", 1, 100, "r");
    archive.tree.Select(rockEntry);
    mdb.tree.Select(jazz);
    Move();
    ASSERT_TRUE(Sound());
    EXPECT_EQ(Layout(archive.tree), "Pop{p} Jazz{j0,j1} Rock{r}");
    EXPECT_TRUE(mdb.tree.IsEmpty());
    EXPECT_EQ(mdb.EntryCount(), 0);
    EXPECT_TRUE(mdb.Modified());
    EXPECT_EQ(archive.tree.Selected(), rockEntry);

    // Nothing selected in the target: at the bottom.
    mdb.tree.Select(AddEntry(mdb, "Blues", 1, 100, "b")->Parent());
    archive.tree.Select(nullptr);
    Copy();
    EXPECT_EQ(Layout(archive.tree), "Pop{p} Jazz{j0,j1} Rock{r} Blues{b}");
    EXPECT_TRUE(Sound());
}

TEST_F(CopyMoveOperationsTest, EmptyCategoryTravelsAsAnEmptyCategory)
{
    TreeNode* empty = AddEmptyCategory(mdb, "Empty");
    AddEntry(mdb, "Pop", 1, 100, "p");
    TreeNode* rock = AddEntry(archive, "Rock", 1, 100, "r")->Parent();
    AddEmptyCategory(archive, "Empty"); // no name check: a second one is made
    archive.tree.Select(rock);
    mdb.tree.Select(empty);
    Move();
    ASSERT_TRUE(Sound());
    EXPECT_EQ(Layout(mdb.tree), "Pop{p}");
    EXPECT_EQ(Layout(archive.tree), "Empty{} Rock{r} Empty{}");
    EXPECT_NE(archive.tree.FirstCategory()->Payload(), nullptr);
    EXPECT_EQ(archive.EntryCount(), 1);
    EXPECT_TRUE(archive.Modified());
    EXPECT_TRUE(mdb.Modified());
}

TEST_F(CopyMoveOperationsTest, CopyingBeyondTheKeyboardLimitIsAllowed)
{
    for (int i = 0; i < 610; ++i)
        AddEntry(archive, "Big", i % 7, 100 + i % 13, "e" + std::to_string(i));
    for (int i = 0; i < 10; ++i)
        AddEntry(mdb, "Ten", 1, 100 + i, "t" + std::to_string(i));
    mdb.tree.Select(mdb.tree.FirstCategory());
    Copy();
    EXPECT_EQ(archive.EntryCount(), 620);
    EXPECT_EQ(archive.EntryCount(), 620);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(Sound());
}

// With two target categories of one name, the entry goes to the first of them
// (the sorted insert's rule) and its sub entries must follow it there.
TEST_F(CopyMoveOperationsTest, SubEntriesFollowTheirMainEntryWhenTargetNamesRepeat)
{
    mdb.tree.Select(AddEntry(mdb, "Pop", 1, 100, "main"));
    AddEntry(mdb, "Pop", 1, 100, "  sub");
    AddEntry(archive, "Rock", 1, 100, "first");
    TreeNode* second = AddEmptyCategory(archive, "Rock");
    archive.tree.Select(second);
    Move();
    ASSERT_TRUE(Sound());
    EXPECT_EQ(Layout(archive.tree), "Rock{first,main,  sub} Rock{}");
    EXPECT_TRUE(mdb.tree.IsEmpty());
}

TEST_F(CopyMoveOperationsTest, NothingSelectedOnlyRefreshesTheCounts)
{
    AddEntry(mdb, "Pop", 1, 100, "a");
    Move();
    EXPECT_EQ(Layout(mdb.tree), "Pop{a}");
    EXPECT_TRUE(archive.tree.IsEmpty());
    EXPECT_EQ(mdb.EntryCount(), 1);
    EXPECT_EQ(archive.EntryCount(), 0);
    EXPECT_FALSE(mdb.Modified() || archive.Modified());
}

} // namespace
} // namespace tessaro

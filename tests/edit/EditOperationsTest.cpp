// New category, Edit (entry and category) and the main/sub toggle.
#include "edit/EditOperations.h"
#include "support/FakePrompts.h"
#include "support/TreeTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace tessaro {
namespace {

class EditOperationsTest : public ::testing::Test
{
protected:
    void Edit()
    {
        steps.Step([&] { EditSelected(pane, prompts, KeyboardModel::Psr9000Pro); });
    }

    SteppedPanes steps;
    PaneState& pane = steps.panes[0];
    FakePrompts prompts;
};

TEST_F(EditOperationsTest, NewCategoryCancelledOrEmptyChangesNothing)
{
    AddEntry(pane, "Pop", 1, 100, "a");
    prompts.CancelCategory();
    steps.Step([&] { NewCategory(pane, prompts); });
    prompts.NameCategory("");
    steps.Step([&] { NewCategory(pane, prompts); });
    EXPECT_EQ(Layout(pane.tree), "Pop{a}");
    EXPECT_FALSE(pane.Modified());
    EXPECT_EQ(prompts.categoryDialogInputs, (std::vector<std::string>{"", ""}));
}

TEST_F(EditOperationsTest, NewCategoryGoesAboveTheSelectionsCategoryOrToTheBottom)
{
    AddEntry(pane, "Pop", 1, 100, "a");
    TreeNode* rockEntry = AddEntry(pane, "Rock", 1, 100, "r");
    pane.tree.Select(rockEntry);
    prompts.NameCategory("Jazz");
    steps.Step([&] { NewCategory(pane, prompts); });
    EXPECT_EQ(Layout(pane.tree), "Pop{a} Jazz{} Rock{r}");
    TreeNode* jazz = pane.tree.Selected();
    ASSERT_NE(jazz, nullptr);
    EXPECT_EQ(jazz->Text(), "Jazz");
    EXPECT_FALSE(jazz->HasChildren());
    EXPECT_TRUE(pane.Modified());
    EXPECT_EQ(pane.EntryCount(), 2);

    pane.tree.Select(nullptr);
    prompts.NameCategory("Pop"); // no name check
    steps.Step([&] { NewCategory(pane, prompts); });
    EXPECT_EQ(Layout(pane.tree), "Pop{a} Jazz{} Rock{r} Pop{}");
    EXPECT_TRUE(PaneIsSound(pane));

    // A save writes only entries.
    RecordSource records = RecordsOf(pane.tree);
    int written = 0;
    while (records())
        ++written;
    EXPECT_EQ(written, 2);
}

TEST_F(EditOperationsTest, OkWithoutChangesDoesNotMarkTheEntryModified)
{
    TreeNode* entry = AddEntry(pane, "Pop", 1, 100, "a");
    pane.tree.Select(entry);
    prompts.EditEntryWith([](MdbEntry&) {});
    Edit();
    prompts.CancelEntry();
    Edit();
    EXPECT_FALSE(pane.Modified());
    EXPECT_EQ(prompts.entryDialogModels, (std::vector<int>{2, 2}));
    EXPECT_EQ(prompts.unscripted, 0);
}

TEST_F(EditOperationsTest, CancelledEditorLeavesTheEntryAsItWas)
{
    TreeNode* entry = AddEntry(pane, "Pop", 1, 100, "a");
    pane.tree.Select(entry);
    prompts.entryEdits.push_back([](MdbEntry& e, int) {
        e.setTempo(200);
        return false;
    });
    Edit();
    EXPECT_EQ(entry->Payload()->record.tempo(), 100);
    EXPECT_TRUE(PaneIsSound(pane));
}

TEST_F(EditOperationsTest, TitleChangeKeepsThePlaceAndUpdatesTheText)
{
    AddEntry(pane, "Pop", 1, 100, "a");
    TreeNode* entry = AddEntry(pane, "Pop", 1, 100, "b");
    AddEntry(pane, "Pop", 1, 100, "c");
    pane.tree.Select(entry);
    prompts.EditEntryWith([](MdbEntry& e) { e.SetTitle("renamed"); });
    Edit();
    EXPECT_EQ(Layout(pane.tree), "Pop{a,renamed,c}");
    EXPECT_EQ(entry->Text().substr(0, 7), "renamed");
    EXPECT_TRUE(pane.Modified());
    EXPECT_EQ(pane.tree.Selected(), entry);
    EXPECT_TRUE(PaneIsSound(pane));
}

TEST_F(EditOperationsTest, TempoChangeMovesAMainEntryWithItsSubEntries)
{
    AddEntry(pane, "Pop", 1, 80, "low");
    TreeNode* main = AddEntry(pane, "Pop", 1, 100, "main");
    AddEntry(pane, "Pop", 1, 100, "  s1");
    AddEntry(pane, "Pop", 1, 100, "  s2");
    AddEntry(pane, "Pop", 1, 100, "next"); // a second main entry of the group stays
    AddEntry(pane, "Pop", 1, 140, "high");
    pane.tree.Select(main);
    prompts.EditEntryWith([](MdbEntry& e) {
        e.setTempo(150);
        e.setStyleNumber(1);
    });
    Edit();
    ASSERT_TRUE(PaneIsSound(pane));
    EXPECT_EQ(Layout(pane.tree), "Pop{low,next,high,main,  s1,  s2}");
    TreeNode* moved = pane.tree.Selected();
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(moved->Payload()->GetTitle(), "main");
    for (TreeNode* sub = moved->NextSibling(); sub; sub = sub->NextSibling()) {
        EXPECT_EQ(sub->Payload()->record.tempo(), 150);
        EXPECT_EQ(sub->Payload()->record.styleNumber(), 1);
        EXPECT_EQ(sub->Payload()->record.bytes()[19], 1); // styleNumberCopy follows
        EXPECT_TRUE(sub->Payload()->IsSubEntry());
    }
    EXPECT_EQ(pane.EntryCount(), 6);
}

TEST_F(EditOperationsTest, CategoryChangeOfTheOnlyEntryPutsTheNewCategoryInTheOldPlace)
{
    AddEntry(pane, "A", 1, 100, "a");
    TreeNode* only = AddEntry(pane, "B", 1, 100, "b");
    AddEntry(pane, "C", 1, 100, "c");
    pane.tree.Select(only);
    prompts.EditEntryWith([](MdbEntry& e) { e.SetCategory("New"); });
    Edit();
    EXPECT_EQ(Layout(pane.tree), "A{a} New{b} C{c}");
    EXPECT_EQ(pane.tree.Selected()->Parent()->Text(), "New");
    ASSERT_TRUE(PaneIsSound(pane));

    // Into an existing category, at its sorted place; the old category keeps its other entries.
    AddEntry(pane, "C", 2, 100, "c2");
    pane.tree.Select(EntryTitled(pane.tree, "c"));
    prompts.EditEntryWith([](MdbEntry& e) {
        e.SetCategory("A");
        e.setStyleNumber(0);
    });
    Edit();
    EXPECT_EQ(Layout(pane.tree), "A{c,a} New{b} C{c2}");
    EXPECT_TRUE(PaneIsSound(pane));
}

TEST_F(EditOperationsTest, NewCategoryOfAnEditedEntryStandsAboveTheOldOneWhileItHasEntries)
{
    TreeNode* entry = AddEntry(pane, "A", 1, 100, "a");
    AddEntry(pane, "A", 1, 100, "other");
    AddEntry(pane, "B", 1, 100, "b");
    pane.tree.Select(entry);
    prompts.EditEntryWith([](MdbEntry& e) { e.SetCategory("Z"); });
    Edit();
    EXPECT_EQ(Layout(pane.tree), "Z{a} A{other} B{b}");
    EXPECT_TRUE(PaneIsSound(pane));
}

TEST_F(EditOperationsTest, SubEntryMadeFirstOfItsGroupByEditBecomesMain)
{
    TreeNode* entry = AddEntry(pane, "Pop", 1, 100, "main");
    AddEntry(pane, "Pop", 1, 100, "  sub");
    pane.tree.Select(entry);
    prompts.EditEntryWith([](MdbEntry& e) { e.SetTitle("  main"); });
    Edit();
    EXPECT_EQ(Layout(pane.tree), "Pop{main,  sub}");
    EXPECT_TRUE(PaneIsSound(pane));
}

// A main entry edited into a sub entry of another group leaves its sub entries
// behind; the first of them must head the group then.
TEST_F(EditOperationsTest, SubEntriesLeftBehindByAnEditedMainEntryGetANewHead)
{
    AddEntry(pane, "Pop", 1, 90, "before");
    TreeNode* main = AddEntry(pane, "Pop", 1, 100, "main");
    AddEntry(pane, "Pop", 1, 100, "  s1");
    AddEntry(pane, "Pop", 1, 100, "  s2");
    pane.tree.Select(main);
    prompts.EditEntryWith([](MdbEntry& e) {
        e.SetTitle("  main");
        e.setTempo(120);
    });
    Edit();
    ASSERT_TRUE(PaneIsSound(pane));
    EXPECT_EQ(Layout(pane.tree), "Pop{before,s1,  s2,main}");
    EXPECT_EQ(EntryTitled(pane.tree, "s1")->Text(),
              EntryTitled(pane.tree, "s1")->Payload()->DisplayLabel(&pane.tree.Styles()));
}

TEST_F(EditOperationsTest, RenameCategoryNeitherMergesNorResorts)
{
    TreeNode* pop = AddEntry(pane, "Pop", 1, 100, "p")->Parent();
    AddEntry(pane, "Pop", 1, 100, "  p sub");
    AddEntry(pane, "Rock", 1, 100, "r");
    pane.tree.Select(pop);
    prompts.NameCategory("Rock");
    Edit();
    EXPECT_EQ(Layout(pane.tree), "Rock{p,  p sub} Rock{r}");
    EXPECT_EQ(prompts.categoryDialogInputs, (std::vector<std::string>{"Pop"}));
    EXPECT_TRUE(pane.Modified());
    for (TreeNode* entry = pop->FirstChild(); entry; entry = entry->NextSibling()) {
        EXPECT_EQ(entry->Payload()->GetCategory(), "Rock");
        EXPECT_EQ(entry->Payload()->CategoryLabel(), "Rock");
    }
    EXPECT_TRUE(PaneIsSound(pane));

    // A new entry of that name joins the first of them.
    AddEntry(pane, "Rock", 1, 100, "new");
    EXPECT_EQ(Layout(pane.tree), "Rock{p,  p sub,new} Rock{r}");
}

TEST_F(EditOperationsTest, RenameCountsAChangeOfLetterCaseAndTakesAnEmptyName)
{
    TreeNode* pop = AddEntry(pane, "pop", 1, 100, "p")->Parent();
    pane.tree.Select(pop);
    prompts.NameCategory("pop");
    Edit();
    EXPECT_FALSE(pane.Modified());
    prompts.CancelCategory();
    Edit();
    EXPECT_FALSE(pane.Modified());
    prompts.NameCategory("Pop");
    Edit();
    EXPECT_TRUE(pane.Modified());
    EXPECT_EQ(pop->Text(), "Pop");
    prompts.NameCategory("");
    Edit();
    EXPECT_EQ(pop->Text(), "");
    EXPECT_EQ(pop->FirstChild()->Payload()->GetCategory(), "");
    EXPECT_TRUE(PaneIsSound(pane));
}

TEST_F(EditOperationsTest, RenameAnEmptyCategoryRenamesItsPlaceholder)
{
    TreeNode* empty = AddEmptyCategory(pane, "Empty");
    pane.tree.Select(empty);
    prompts.NameCategory("Full");
    Edit();
    EXPECT_EQ(empty->Text(), "Full");
    EXPECT_EQ(empty->Payload()->GetCategory(), "Full");
    AddEntry(pane, "Full", 1, 100, "f");
    EXPECT_EQ(Layout(pane.tree), "Full{f}");
    EXPECT_TRUE(PaneIsSound(pane));
}

TEST_F(EditOperationsTest, ToggleTurnsSubIntoMainAndBack)
{
    AddEntry(pane, "Pop", 1, 100, "main");
    TreeNode* sub = AddEntry(pane, "Pop", 1, 100, "  fifteen chars!");
    pane.tree.Select(sub);
    steps.Step([&] { ToggleMainEntry(pane); });
    EXPECT_EQ(sub->Payload()->GetTitle(), "fifteen chars!");
    EXPECT_EQ(sub->Text(), sub->Payload()->DisplayLabel(&pane.tree.Styles()));
    EXPECT_TRUE(pane.Modified());
    EXPECT_TRUE(PaneIsSound(pane));

    MdbEntry longer = sub->Payload()->record;
    longer.SetTitle("sixteen chars ok");
    pane.tree.ReplaceEntry(sub, longer);
    steps.Step([&] { ToggleMainEntry(pane); });
    EXPECT_EQ(sub->Payload()->GetTitle(), "  sixteen chars ");
    EXPECT_EQ(sub->Text().substr(0, 5), "     ");
    EXPECT_TRUE(PaneIsSound(pane));
}

// The first entry of a group has no group entry to follow: it stays main.
TEST_F(EditOperationsTest, ToggleLeavesTheHeadOfAGroupMain)
{
    AddEntry(pane, "Pop", 1, 90, "other");
    TreeNode* head = AddEntry(pane, "Pop", 1, 100, "head");
    pane.tree.Select(head);
    EXPECT_FALSE(CanToggleMainEntry(head));
    steps.Step([&] { ToggleMainEntry(pane); });
    EXPECT_EQ(head->Payload()->GetTitle(), "head");
    EXPECT_FALSE(pane.Modified());
    pane.tree.Select(head->Parent());
    steps.Step([&] { ToggleMainEntry(pane); });
    EXPECT_TRUE(PaneIsSound(pane));
}

} // namespace
} // namespace tessaro

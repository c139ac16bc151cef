#include "support/TreeTestSupport.h"

#include "edit/CategoryTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace tessaro {
namespace {

// Titles of a category's entries with their style and tempo: "a 3/120".
std::string GroupKeys(const TreeNode* category)
{
    std::string text;
    for (const TreeNode* entry = category->FirstChild(); entry; entry = entry->NextSibling()) {
        const EntryNode& e = *entry->Payload();
        if (!text.empty())
            text += ", ";
        text += e.GetTitle() + " " + std::to_string(e.record.styleNumber()) + "/" +
                std::to_string(e.record.tempo());
    }
    return text;
}

TEST(TreeTest, SortedInsertKeepsGroupOrderAndArrivalOrderWithinAGroup)
{
    PaneState pane{NumberedStyles()};
    AddEntry(pane, "Pop", 5, 120, "a");
    AddEntry(pane, "Pop", 5, 100, "b");
    AddEntry(pane, "Pop", 3, 120, "c");
    AddEntry(pane, "Pop", 5, 100, "d"); // ties go after every entry of the group
    AddEntry(pane, "Pop", 5, 100, "e");
    AddEntry(pane, "Pop", 255, 32, "f");
    AddEntry(pane, "Pop", 0, 280, "g");
    ASSERT_TRUE(PaneIsSound(pane));
    ASSERT_EQ(pane.tree.CategoryCount(), 1);
    EXPECT_EQ(GroupKeys(pane.tree.FirstCategory()),
              "g 0/280, c 3/120, b 5/100, d 5/100, e 5/100, a 5/120, f 255/32");
}

TEST(TreeTest, TempoComparesAsSixteenBitNumber)
{
    PaneState pane{NumberedStyles()};
    AddEntry(pane, "Pop", 1, 0x0100, "high");
    AddEntry(pane, "Pop", 1, 0x00FF, "low");
    EXPECT_EQ(Layout(pane.tree), "Pop{low,high}");
}

TEST(TreeTest, SubEntryStaysSubOnlyBehindItsOwnGroup)
{
    PaneState pane{NumberedStyles()};
    AddEntry(pane, "Pop", 5, 100, "main");
    TreeNode* behind = AddEntry(pane, "Pop", 5, 100, "  behind");
    TreeNode* alone = AddEntry(pane, "Pop", 5, 90, "  alone");    // lands first, no group before it
    TreeNode* other = AddEntry(pane, "Pop", 6, 100, "   spaces"); // lands behind another group
    ASSERT_TRUE(PaneIsSound(pane));

    EXPECT_TRUE(behind->Payload()->IsSubEntry());
    EXPECT_EQ(behind->Text().substr(0, 5), "     "); // three-space indent + two-space title
    EXPECT_EQ(alone->Payload()->GetTitle(), "alone");
    EXPECT_EQ(alone->Text().substr(0, 5), "alone");
    EXPECT_EQ(other->Payload()->GetTitle(), "spaces");
    EXPECT_EQ(Layout(pane.tree), "Pop{alone,main,  behind,spaces}");
}

TEST(TreeTest, FirstEntryOfANewCategoryIsAMainEntry)
{
    PaneState pane{NumberedStyles()};
    TreeNode* entry = AddEntry(pane, "Pop", 5, 100, "\tTabbed");
    EXPECT_EQ(entry->Payload()->GetTitle(), "Tabbed");
    TreeNode* sub = AddEntry(pane, "Rock", 5, 100, "  sub");
    EXPECT_EQ(sub->Payload()->GetTitle(), "sub");
    EXPECT_EQ(sub->Text(), sub->Payload()->DisplayLabel(&pane.tree.Styles()));
    EXPECT_TRUE(PaneIsSound(pane));
}

TEST(TreeTest, CategoriesDifferingInCaseAreDifferentAndNewOnesGoToTheBottom)
{
    PaneState pane{NumberedStyles()};
    AddEntry(pane, "pop", 1, 100, "a");
    AddEntry(pane, "Pop", 1, 100, "b");
    AddEntry(pane, "pop", 1, 100, "c");
    EXPECT_EQ(Layout(pane.tree), "pop{a,c} Pop{b}");
    EXPECT_TRUE(PaneIsSound(pane));
}

TEST(TreeTest, FirstEntryReplacesThePlaceholderAndBecomesMain)
{
    PaneState pane{NumberedStyles()};
    TreeNode* category = AddEmptyCategory(pane, "Jazz");
    ASSERT_NE(category->Payload(), nullptr);
    EXPECT_EQ(category->Text(), "Jazz");
    TreeNode* entry = AddEntry(pane, "Jazz", 3, 90, "  swing");
    EXPECT_EQ(entry->Parent(), category);
    EXPECT_EQ(category->Payload(), nullptr);
    EXPECT_EQ(category->ChildCount(), 1);
    EXPECT_EQ(entry->Payload()->GetTitle(), "swing");
    EXPECT_EQ(pane.tree.CategoryCount(), 1);
    EXPECT_TRUE(PaneIsSound(pane));
}

TEST(TreeTest, NewCategoryGoesAboveBeforeCategoryOnlyWhenItIsNew)
{
    CategoryTree tree{NumberedStyles()};
    tree.InsertSorted(MakeEntry("A", 1, 100, "a"));
    TreeNode* b = tree.InsertSorted(MakeEntry("B", 1, 100, "b"))->Parent();
    tree.InsertSorted(MakeEntry("C", 1, 100, "c"), b);
    tree.InsertSorted(MakeEntry("A", 1, 90, "a2"), b); // A exists: beforeCategory plays no part
    tree.InsertSorted(MakeEntry("D", 1, 100, "d"), tree.FirstCategory());
    EXPECT_EQ(Layout(tree), "D{d} A{a2,a} C{c} B{b}");
    EXPECT_TRUE(TreeIsSound(tree));
}

TEST(TreeTest, TheFirstCategoryOfANameInTreeOrderWinsAlsoAfterMoves)
{
    CategoryTree tree{NumberedStyles()};
    TreeNode* lower = tree.InsertSorted(MakeEntry("Rock", 1, 100, "a"))->Parent();
    TreeNode* upper = tree.InsertCategoryNode(MakePlaceholder("Rock"), Place::First());
    EXPECT_EQ(tree.FindCategory("Rock"), upper);
    tree.InsertSorted(MakeEntry("Rock", 1, 100, "b"));
    EXPECT_EQ(Layout(tree), "Rock{b} Rock{a}");

    ASSERT_TRUE(tree.MoveCategory(lower, Place::First()));
    EXPECT_EQ(tree.FindCategory("Rock"), lower);
    tree.InsertSorted(MakeEntry("Rock", 1, 100, "c"));
    EXPECT_EQ(Layout(tree), "Rock{a,c} Rock{b}");
    EXPECT_TRUE(TreeIsSound(tree));

    tree.DeleteNode(lower);
    EXPECT_EQ(tree.FindCategory("Rock"), upper);
    tree.DeleteNode(upper);
    EXPECT_EQ(tree.FindCategory("Rock"), nullptr);
    EXPECT_TRUE(TreeIsSound(tree));
}

TEST(TreeTest, RenameRekeysTheCategoryAndCutsTheNameToSixteen)
{
    CategoryTree tree{NumberedStyles()};
    TreeNode* pop = tree.InsertSorted(MakeEntry("Pop", 1, 100, "a"))->Parent();
    tree.InsertSorted(MakeEntry("Pop", 1, 100, "  b"));
    tree.RenameCategory(pop, "A name longer than sixteen");
    EXPECT_EQ(pop->Text(), "A name longer th");
    EXPECT_EQ(tree.FindCategory("Pop"), nullptr);
    EXPECT_EQ(tree.FindCategory("A name longer th"), pop);
    EXPECT_EQ(pop->LastChild()->Payload()->GetCategory(), "A name longer th");
    EXPECT_TRUE(TreeIsSound(tree));
}

TEST(TreeTest, InsertsRefuseNodesOfAnotherTreeOrCategory)
{
    CategoryTree tree{NumberedStyles()};
    CategoryTree other{NumberedStyles()};
    TreeNode* pop = tree.InsertSorted(MakeEntry("Pop", 1, 100, "a"))->Parent();
    TreeNode* rockEntry = tree.InsertSorted(MakeEntry("Rock", 1, 100, "r"));
    TreeNode* foreign = other.InsertSorted(MakeEntry("Pop", 1, 100, "x"));

    EXPECT_EQ(tree.InsertEntryNode(pop, MakeEntry("Pop", 1, 100, "b"), Place::After(rockEntry)), nullptr);
    EXPECT_EQ(tree.InsertEntryNode(foreign->Parent(), MakeEntry("Pop", 1, 100, "b"), Place::Last()), nullptr);
    EXPECT_EQ(tree.InsertCategoryNode(MakePlaceholder("New"), Place::Before(foreign->Parent())), nullptr);
    EXPECT_EQ(tree.InsertCategoryNode(MakePlaceholder("New"), Place::Before(rockEntry)), nullptr);
    EXPECT_EQ(tree.InsertSorted(MakeEntry("New", 1, 100, "n"), foreign->Parent()), nullptr);
    EXPECT_EQ(tree.TakeEntryNode(foreign), nullptr);
    tree.DeleteNode(foreign);
    EXPECT_EQ(Layout(tree), "Pop{a} Rock{r}");
    EXPECT_EQ(Layout(other), "Pop{x}");
    EXPECT_TRUE(TreeIsSound(tree));
    EXPECT_TRUE(TreeIsSound(other));
}

TEST(TreeTest, RemovingTheSelectionSelectsNextThenPreviousThenParent)
{
    CategoryTree tree{NumberedStyles()};
    TreeNode* a = tree.InsertSorted(MakeEntry("Pop", 1, 100, "a"));
    TreeNode* b = tree.InsertSorted(MakeEntry("Pop", 2, 100, "b"));
    TreeNode* c = tree.InsertSorted(MakeEntry("Pop", 3, 100, "c"));
    TreeNode* pop = a->Parent();
    TreeNode* rock = tree.InsertSorted(MakeEntry("Rock", 1, 100, "r"))->Parent();

    tree.Select(b);
    tree.DeleteNode(b);
    EXPECT_EQ(tree.Selected(), c);
    tree.DeleteNode(c);
    EXPECT_EQ(tree.Selected(), a);
    tree.DeleteNode(a);
    EXPECT_EQ(tree.Selected(), pop);

    tree.Select(rock->FirstChild());
    tree.DeleteNode(rock); // the selected entry goes with its category
    EXPECT_EQ(tree.Selected(), pop);
    tree.Clear();
    EXPECT_EQ(tree.Selected(), nullptr);
    EXPECT_TRUE(tree.IsEmpty());
    EXPECT_EQ(tree.NodeCount(), 0u);
}

TEST(TreeTest, EnsureVisibleOpensTheCategoryAndMovedCategoriesComeBackClosed)
{
    CategoryTree tree{NumberedStyles()};
    TreeNode* entry = tree.InsertSorted(MakeEntry("Pop", 1, 100, "a"));
    TreeNode* pop = entry->Parent();
    TreeNode* rock = tree.InsertSorted(MakeEntry("Rock", 1, 100, "r"))->Parent();
    EXPECT_FALSE(pop->IsExpanded());
    tree.EnsureVisible(entry);
    EXPECT_TRUE(pop->IsExpanded());
    EXPECT_FALSE(rock->IsExpanded());
    tree.MoveCategory(pop, Place::After(rock));
    EXPECT_FALSE(pop->IsExpanded());
    EXPECT_EQ(Layout(tree), "Rock{r} Pop{a}");
}

TEST(TreeTest, RecordsOfWalksEntriesInTreeOrderWithoutPlaceholders)
{
    CategoryTree tree{NumberedStyles()};
    tree.InsertCategoryNode(MakePlaceholder("Empty"), Place::Last());
    tree.InsertSorted(MakeEntry("Pop", 2, 100, "b"));
    tree.InsertSorted(MakeEntry("Pop", 1, 100, "a"));
    tree.InsertCategoryNode(MakePlaceholder("Middle"), Place::Last());
    tree.InsertSorted(MakeEntry("Rock", 1, 100, "r"));
    tree.InsertCategoryNode(MakePlaceholder("Last"), Place::Last());

    RecordSource source = RecordsOf(tree);
    std::vector<std::string> titles;
    while (const MdbEntry* record = source())
        titles.push_back(record->GetTitle());
    EXPECT_EQ(titles, (std::vector<std::string>{"a", "b", "r"}));
    EXPECT_EQ(source(), nullptr);
    EXPECT_EQ(RecordsOf(CategoryTree(NumberedStyles()))(), nullptr);
}

TEST(TreeTest, LabelsFollowTheStyleNamesAndRelabelAllTellsTheViewWhichChanged)
{
    struct Texts : TreeObserver
    {
        std::vector<const TreeNode*> changed;
        void TextChanged(const TreeNode& node) override { changed.push_back(&node); }
    } view;
    StyleCatalogue styles;
    CategoryTree tree{styles};
    TreeNode* flash = tree.InsertSorted(MakeEntry("Pop", kPresetStyleCount, 100, "a"));
    TreeNode* otherFlash = tree.InsertSorted(MakeEntry("Pop", kPresetStyleCount + 1, 100, "b"));
    tree.InsertSorted(MakeEntry("Pop", 1, 100, "preset"));
    tree.SetObserver(&view);

    styles.SetFlashNameIndividual(0, "Renamed");
    EXPECT_NE(flash->Text().find("Renamed"), std::string::npos); // labels are made when shown
    EXPECT_EQ(otherFlash->Text().find("Renamed"), std::string::npos);
    tree.RelabelAll();
    EXPECT_EQ(view.changed, std::vector<const TreeNode*>{flash});
    EXPECT_TRUE(TreeIsSound(tree));

    view.changed.clear();
    tree.RelabelAll(); // nothing changed since
    EXPECT_TRUE(view.changed.empty());
}

// The checker every other test relies on must see each kind of damage.
TEST(TreeTest, TheCheckerCatchesEachBrokenRule)
{
    {
        CategoryTree tree{NumberedStyles()};
        TreeNode* pop = tree.InsertSorted(MakeEntry("Pop", 1, 100, "a"))->Parent();
        ASSERT_TRUE(TreeIsSound(tree));
        tree.InsertEntryNode(pop, MakeEntry("Pop", 1, 100, "  first"), Place::First());
        EXPECT_FALSE(TreeIsSound(tree)) << "sub entry first in its category";
    }
    {
        CategoryTree tree{NumberedStyles()};
        TreeNode* pop = tree.InsertSorted(MakeEntry("Pop", 1, 100, "a"))->Parent();
        tree.InsertEntryNode(pop, MakeEntry("Pop", 2, 100, "  other group"), Place::Last());
        EXPECT_FALSE(TreeIsSound(tree)) << "sub entry behind another group";
    }
    {
        CategoryTree tree{NumberedStyles()};
        TreeNode* pop = tree.InsertSorted(MakeEntry("Pop", 2, 100, "a"))->Parent();
        tree.InsertEntryNode(pop, MakeEntry("Pop", 1, 100, "b"), Place::Last());
        EXPECT_FALSE(TreeIsSound(tree)) << "group order";
    }
    {
        CategoryTree tree{NumberedStyles()};
        TreeNode* pop = tree.InsertSorted(MakeEntry("Pop", 1, 100, "a"))->Parent();
        tree.InsertEntryNode(pop, MakeEntry("Rock", 1, 100, "b"), Place::Last());
        EXPECT_FALSE(TreeIsSound(tree)) << "category name";
    }
    {
        CategoryTree tree{NumberedStyles()};
        tree.InsertCategoryNode(*MakeEntry("Pop", 1, 100, "a"), Place::Last());
        EXPECT_FALSE(TreeIsSound(tree)) << "category without entries and placeholder";
    }
}

class CountingObserver : public TreeObserver
{
public:
    int resets = 0;
    int ended = 0;
    int others = 0;
    void BeginInsert(const TreeNode*, int) override { ++others; }
    void EndInsert(const TreeNode*, int) override { ++others; }
    void BeginRemove(const TreeNode*, int) override { ++others; }
    void EndRemove(const TreeNode*, int) override { ++others; }
    void TextChanged(const TreeNode&) override { ++others; }
    void SelectionChanged(const TreeNode*) override { ++others; }
    void ExpansionChanged(const TreeNode&) override { ++others; }
    void MadeVisible(const TreeNode&) override { ++others; }
    void BeginReset() override { ++resets; }
    void EndReset() override { ++ended; }
};

TEST(TreeTest, ABulkChangeIsOneResetForTheView)
{
    CategoryTree tree{NumberedStyles()};
    CountingObserver observer;
    tree.SetObserver(&observer);
    {
        BulkTreeChange bulk(tree);
        BulkTreeChange nested(tree);
        for (int i = 0; i < 50; ++i)
            tree.InsertSorted(MakeEntry("Cat" + std::to_string(i % 7), i % 3, 100, "t"));
        tree.Select(tree.FirstCategory());
        tree.DeleteNode(tree.FirstCategory());
        tree.Clear();
        tree.InsertSorted(MakeEntry("Pop", 1, 100, "a"));
    }
    EXPECT_EQ(observer.resets, 1);
    EXPECT_EQ(observer.ended, 1);
    EXPECT_EQ(observer.others, 0);
    tree.InsertSorted(MakeEntry("Pop", 1, 100, "b"));
    EXPECT_EQ(observer.others, 2);
}

// A plain reference: categories as vectors, the insert place found by a
// linear walk. The tree must agree with it after any sequence of inserts and
// removals, whatever shape its sequences take inside.
struct ReferenceTree
{
    struct Category
    {
        std::string name;
        std::vector<std::string> titles;
        std::vector<std::pair<int, int>> keys;
    };
    std::vector<Category> categories;

    void Insert(const std::string& name, int style, int tempo, const std::string& title)
    {
        auto found = std::find_if(categories.begin(), categories.end(),
                                  [&](const Category& c) { return c.name == name; });
        if (found == categories.end()) {
            categories.push_back({name, {}, {}});
            found = categories.end() - 1;
        }
        std::size_t place = 0;
        while (place < found->keys.size() && found->keys[place] <= std::make_pair(style, tempo))
            ++place;
        found->keys.insert(found->keys.begin() + static_cast<long>(place), {style, tempo});
        found->titles.insert(found->titles.begin() + static_cast<long>(place), title);
    }

    void Remove(std::size_t category, std::size_t row)
    {
        categories[category].titles.erase(categories[category].titles.begin() + static_cast<long>(row));
        categories[category].keys.erase(categories[category].keys.begin() + static_cast<long>(row));
        if (categories[category].titles.empty())
            categories.erase(categories.begin() + static_cast<long>(category));
    }

    std::string Layout() const
    {
        std::string text;
        for (const Category& category : categories) {
            if (!text.empty())
                text += ' ';
            text += category.name + '{';
            for (std::size_t i = 0; i < category.titles.size(); ++i)
                text += (i ? "," : "") + category.titles[i];
            text += '}';
        }
        return text;
    }
};

TEST(TreeTest, RandomInsertsAndRemovalsAgreeWithALinearReference)
{
    std::mt19937 random(12345);
    CategoryTree tree{NumberedStyles()};
    ReferenceTree reference;
    for (int step = 0; step < 4000; ++step) {
        if (reference.categories.empty() || random() % 3 != 0) {
            const std::string name = "C" + std::to_string(random() % 6);
            const int style = static_cast<int>(random() % 4);
            const int tempo = 100 + static_cast<int>(random() % 3);
            const std::string title = "t" + std::to_string(step);
            reference.Insert(name, style, tempo, title);
            tree.InsertSorted(MakeEntry(name, style, tempo, title));
        } else {
            const std::size_t category = random() % reference.categories.size();
            const std::size_t row = random() % reference.categories[category].titles.size();
            reference.Remove(category, row);
            TreeNode* categoryNode = tree.CategoryAt(static_cast<int>(category));
            ASSERT_NE(categoryNode, nullptr);
            tree.TakeEntryNode(categoryNode->ChildAt(static_cast<int>(row)));
            if (!categoryNode->HasChildren())
                tree.DeleteNode(categoryNode);
        }
        if (step % 400 == 0) {
            ASSERT_TRUE(TreeIsSound(tree)) << "step " << step;
            ASSERT_EQ(Layout(tree), reference.Layout()) << "step " << step;
        }
    }
    EXPECT_TRUE(TreeIsSound(tree));
    EXPECT_EQ(Layout(tree), reference.Layout());
}

} // namespace
} // namespace tessaro

// One step of the Search dialog: tree order, the start node last, letter case
// ignored as the Windows-1252 code page does it.

#include "edit/Search.h"
#include "support/FakePrompts.h"
#include "support/TreeTestSupport.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

// The category's name comes from its first entry (or its placeholder).
std::string CategoryText(const TreeNode* node)
{
    return node->Payload() ? node->Payload()->GetCategory() : node->FirstChild()->Payload()->GetCategory();
}

// The text of the node selected: "[name]" for a category, else the title.
std::string SelectedText(const PaneState& pane)
{
    const TreeNode* node = pane.tree.Selected();
    return node->IsCategory() ? "[" + CategoryText(node) + "]" : node->Payload()->GetTitle();
}

class SearchTest : public ::testing::Test
{
protected:
    // Rock{Rock Ballad,   Ballad (sub), Ballad} Pop{Sunny Day} Empty{}
    void SetUp() override
    {
        AddEntry(pane, "rock", 1, 100, "Rock Ballad");
        AddEntry(pane, "rock", 1, 100, "  Ballad");
        AddEntry(pane, "rock", 2, 100, "Ballad");
        AddEntry(pane, "Pop", 1, 100, "Sunny Day");
        AddEmptyCategory(pane, "Empty");
    }

    // The text of the node found, or "-" when nothing was.
    std::string Find(const std::string& text) { return SearchNext(pane, text) ? SelectedText(pane) : "-"; }

    PaneState pane{NumberedStyles()};
};

TEST_F(SearchTest, WalksTheTreeInOrderAndGoesRoundToTheStart)
{
    // From nothing selected the walk starts after the first category, so
    // "o" (in rock, Rock Ballad, Pop, ...) finds the entries first.
    std::vector<std::string> found;
    for (int i = 0; i < 6; ++i) {
        ASSERT_TRUE(SearchNext(pane, "o"));
        found.push_back(SelectedText(pane));
    }
    EXPECT_EQ(found,
              (std::vector<std::string>{"Rock Ballad", "[Pop]", "[rock]", "Rock Ballad", "[Pop]", "[rock]"}));
}

TEST_F(SearchTest, FirstCategoryIsFoundLastWhenNothingIsSelected)
{
    PaneState other{NumberedStyles()};
    AddEntry(other, "Alpha", 1, 100, "x");
    AddEntry(other, "Beta", 1, 100, "y");
    // Any other match comes first...
    EXPECT_TRUE(SearchNext(other, "a"));
    EXPECT_EQ(SelectedText(other), "[Beta]");
    // ...and a text only the first category holds is found after every other node.
    other.tree.Select(nullptr);
    EXPECT_TRUE(SearchNext(other, "ALPHA"));
    EXPECT_EQ(SelectedText(other), "[Alpha]");
}

TEST_F(SearchTest, CapitalsFindLowerCaseTitlesAndCategories)
{
    EXPECT_EQ(Find("ROCK"), "Rock Ballad");
    EXPECT_EQ(Find("ROCK"), "[rock]");
    EXPECT_EQ(Find("sUNNY"), "Sunny Day");
}

TEST_F(SearchTest, LettersBeyondAsciiCompareThroughTheCodePage)
{
    const std::string title = "Caf\xE9 \x9A"
                              "arm \xFF"; // é š ÿ
    AddEntry(pane, "Folk", 1, 100, title);
    EXPECT_EQ(Find("CAF\xC9"), title); // É
    pane.tree.Select(nullptr);
    EXPECT_EQ(Find("\x8A"
                   "ARM \x9F"),
              title); // Š Ÿ
    // The division sign has no capital: upper-casing must not make it the multiplication sign.
    AddEntry(pane, "Folk", 1, 100, "x\xF7y");
    pane.tree.Select(nullptr);
    EXPECT_EQ(Find("X\xD7Y"), "-");
}

// A person types what the tree shows: one '&' for a stored "&&".
TEST_F(SearchTest, NamesAreSearchedAsTheyRead)
{
    AddEntry(pane, "Rock&&Roll", 3, 100, "Tom && Jerry");
    EXPECT_EQ(Find("tom & jerry"), "Tom && Jerry");
    EXPECT_EQ(Find("k&r"), "[Rock&&Roll]");
    EXPECT_EQ(Find("&&"), "-");
}

TEST_F(SearchTest, LeadingSpacesOfASubEntryAreSearched)
{
    EXPECT_EQ(Find("  B"), "  Ballad");
    EXPECT_EQ(Find("  B"), "  Ballad"); // the only match: found again at the start
}

TEST_F(SearchTest, TheSelectedNodeIsTestedLast)
{
    pane.tree.Select(EntryTitled(pane.tree, "Sunny Day"));
    EXPECT_EQ(Find("sunny"), "Sunny Day");
    EXPECT_EQ(pane.tree.Selected(), EntryTitled(pane.tree, "Sunny Day"));
}

TEST_F(SearchTest, NothingFoundLeavesTheSelection)
{
    TreeNode* ballad = EntryTitled(pane.tree, "Ballad");
    pane.tree.Select(ballad);
    EXPECT_EQ(Find("Jazz"), "-");
    EXPECT_EQ(pane.tree.Selected(), ballad);
    // Labels are not searched: style names and tempos are in the label only.
    EXPECT_EQ(Find("100"), "-");
    // A category without entries is not found by name.
    EXPECT_EQ(Find("Empty"), "-");
}

TEST_F(SearchTest, EmptyTreeFindsNothing)
{
    PaneState empty{NumberedStyles()};
    EXPECT_FALSE(SearchNext(empty, "a"));
    EXPECT_EQ(empty.tree.Selected(), nullptr);
}

TEST_F(SearchTest, FoundEntryIsShownInItsOpenedCategory)
{
    TreeNode* category = CategoryNamed(pane.tree, "Pop");
    ASSERT_FALSE(category->IsExpanded());
    EXPECT_EQ(Find("day"), "Sunny Day");
    EXPECT_TRUE(category->IsExpanded());
    EXPECT_FALSE(CategoryNamed(pane.tree, "rock")->IsExpanded());
}

} // namespace
} // namespace tessaro

// The filter field's rule: title, category or style, any letter case, the
// categories that show and what an empty filter does; and the count a
// category row gives while some of its entries are hidden.

#include "edit/EntryFilter.h"
#include "common/Texts.h"
#include "edit/CategoryRowText.h"
#include "edit/EntryColumns.h"
#include "support/TreeTestSupport.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

class EntryFilterTest : public ::testing::Test
{
protected:
    // Rock{Rock Ballad, Ballad (sub), Ballad} Pop{Sunny Day, Café Olé} Empty{}
    void SetUp() override
    {
        rockBallad = AddEntry(pane, "Rock", 1, 100, "Rock Ballad");
        subBallad = AddEntry(pane, "Rock", 1, 100, "  Ballad");
        ballad = AddEntry(pane, "Rock", 2, 100, "Ballad");
        sunny = AddEntry(pane, "Pop", 1, 100, "Sunny Day");
        cafe = AddEntry(pane, "Pop", 3, 90, "Caf\xE9 Ol\xE9"); // Windows-1252 bytes
        empty = AddEmptyCategory(pane, "Empty");
        rock = rockBallad->Parent();
        pop = sunny->Parent();
    }

    EntryFilter Filter(const std::string& text) const { return EntryFilter(text, NumberedStyles()); }
    // The style name the Style column shows for an entry.
    static std::string StyleOf(const TreeNode* entry)
    {
        return ValueText(ColumnOf(ColumnKind::StyleName), entry->Payload()->record, NumberedStyles());
    }

    PaneState pane{NumberedStyles()};
    TreeNode* rockBallad = nullptr;
    TreeNode* subBallad = nullptr;
    TreeNode* ballad = nullptr;
    TreeNode* sunny = nullptr;
    TreeNode* cafe = nullptr;
    TreeNode* empty = nullptr;
    TreeNode* rock = nullptr;
    TreeNode* pop = nullptr;
};

TEST_F(EntryFilterTest, EmptyOrBlankFilterShowsEveryRow)
{
    for (const char* text : {"", "   ", "\t"}) {
        const EntryFilter filter = Filter(text);
        EXPECT_TRUE(filter.IsEmpty()) << text;
        for (const TreeNode* node : {rock, pop, empty, rockBallad, subBallad, sunny, cafe})
            EXPECT_TRUE(filter.Shows(*node)) << text;
    }
}

TEST_F(EntryFilterTest, TitleMatchesInAnyCaseAndShowsItsCategoryOnly)
{
    const EntryFilter filter = Filter("  bAlLaD ");
    EXPECT_FALSE(filter.IsEmpty());
    EXPECT_TRUE(filter.Shows(*rockBallad));
    EXPECT_TRUE(filter.Shows(*subBallad)); // the sub entry's leading spaces do not stand in the way
    EXPECT_TRUE(filter.Shows(*ballad));
    EXPECT_TRUE(filter.Shows(*rock));
    EXPECT_FALSE(filter.Shows(*sunny));
    EXPECT_FALSE(filter.Shows(*pop));
    EXPECT_FALSE(filter.Shows(*empty));
    EXPECT_FALSE(Filter("Ballads").Shows(*rockBallad));
}

TEST_F(EntryFilterTest, AccentedLettersMatchTheirOtherCase)
{
    // "olé" typed as UTF-8 finds the Windows-1252 title "Café Olé".
    const EntryFilter filter = Filter("OL\xC3\x89");
    EXPECT_TRUE(filter.Shows(*cafe));
    EXPECT_TRUE(filter.Shows(*pop));
    EXPECT_FALSE(filter.Shows(*sunny));
    EXPECT_FALSE(filter.Shows(*rock));
}

TEST_F(EntryFilterTest, CategoryNameShowsTheWholeCategory)
{
    const EntryFilter filter = Filter("po");
    EXPECT_TRUE(filter.CategoryNameMatches(*pop));
    EXPECT_TRUE(filter.Shows(*pop));
    EXPECT_TRUE(filter.Shows(*sunny));
    EXPECT_TRUE(filter.Shows(*cafe));
    EXPECT_FALSE(filter.Shows(*rock));
    // An empty category shows when its name matches, and only then.
    EXPECT_TRUE(Filter("EMPT").Shows(*empty));
    EXPECT_FALSE(Filter("EMPT").Shows(*pop));
}

TEST_F(EntryFilterTest, StyleNameMatches)
{
    // The style of "Ballad" (style 2) differs from the one of the other Rock entries (style 1).
    const std::string style = StyleOf(ballad);
    ASSERT_FALSE(style.empty());
    ASSERT_NE(style, StyleOf(rockBallad));
    const EntryFilter filter = Filter(style);
    EXPECT_TRUE(filter.Shows(*ballad));
    EXPECT_TRUE(filter.Shows(*rock));
    EXPECT_FALSE(filter.EntryMatches(*rockBallad));
    EXPECT_FALSE(filter.EntryMatches(*sunny));
}

TEST_F(EntryFilterTest, FilteringChangesNothingInTheTree)
{
    const std::string before = rock->Text() + pop->Text();
    const int entries = pane.EntryCount();
    const EntryFilter filter = Filter("ballad");
    for (const TreeNode* node : {rock, pop, empty, rockBallad, sunny})
        filter.Shows(*node);
    EXPECT_EQ(pane.EntryCount(), entries);
    EXPECT_EQ(rock->Text() + pop->Text(), before);
    EXPECT_EQ(rock->ChildAt(0), rockBallad);
    EXPECT_TRUE(PaneIsSound(pane));
}

// The count a category row shows under a filter, as the window computes it:
// the entries the filter lets through.
TEST_F(EntryFilterTest, AFilteredCategoryCountsWhatShowsOfItsEntries)
{
    const auto row = [](const EntryFilter& filter, const TreeNode* category) {
        int shown = 0;
        for (int e = 0; e < category->ChildCount(); ++e)
            shown += filter.Shows(*category->ChildAt(e)) ? 1 : 0;
        return CategoryRowText(category->Text(), category->ChildCount(), shown);
    };
    // Unfiltered, and where every entry shows, the plain count.
    EXPECT_EQ(CategoryRowText("Pop", 2, -1), "Pop  (2)");
    EXPECT_EQ(row(Filter("ballad"), rock), "Rock  (3)");
    EXPECT_EQ(row(Filter("po"), pop), "Pop  (2)"); // the name matches: all its entries show
    // Some hidden: what shows of how many, in the language.
    EXPECT_EQ(row(Filter("sunny"), pop), "Pop  (1 of 2)");
    EXPECT_EQ(row(Filter(StyleOf(ballad)), rock), "Rock  (1 of 3)");
    SetUiLanguage(UiLanguage::German);
    EXPECT_EQ(row(Filter("sunny"), pop), "Pop  (1 von 2)");
    EXPECT_EQ(CategoryRowText("Pop", 2, 2), "Pop  (2)");
    SetUiLanguage(UiLanguage::English);
    // A count out of range is no filter, never "5 of 2".
    EXPECT_EQ(CategoryRowText("Pop", 2, 5), "Pop  (2)");
    EXPECT_EQ(CategoryRowText("Empty", 0, 0), "Empty  (0)");
}

} // namespace
} // namespace tessaro

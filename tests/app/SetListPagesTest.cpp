// How a set list falls into pages: every row once and in order, breaks only
// between rows, a heading never alone at a page's foot, a page that begins
// inside a category headed by it again, and the count a long list gives.
#include "app/SetListPages.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

// Categories of the given sizes, named C0, C1, ...
SetList ListOf(const std::vector<int>& sizes)
{
    SetList list;
    for (std::size_t c = 0; c < sizes.size(); ++c) {
        list.rows.push_back({true, false, "C" + std::to_string(c), "", "", ""});
        for (int e = 0; e < sizes[c]; ++e)
            list.rows.push_back({false, false, "Song", "Style", "100", "Piano"});
    }
    return list;
}

constexpr SetListMetrics kMetrics{100, 20, 10, 10}; // body, heading, row, gap

// The height a page takes as it would be painted.
double Height(const SetList& list, const SetListPage& page, const SetListMetrics& m)
{
    double height = page.repeatedHeading == kNoHeading ? 0 : m.heading;
    for (std::size_t i = page.first; i < page.end; ++i)
        height += list.rows[i].category ? (i > page.first ? m.gap : 0) + m.heading : m.row;
    return height;
}

TEST(SetListPagesTest, EveryRowOnceInOrderAndNoPageOverflows)
{
    const SetList list = ListOf({25, 3, 1, 40, 0, 7});
    const std::vector<SetListPage> pages = PaginateSetList(list, kMetrics);
    ASSERT_GT(pages.size(), 3u);
    EXPECT_EQ(pages.front().first, 0u);
    EXPECT_EQ(pages.back().end, list.rows.size());
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const SetListPage& page = pages[p];
        EXPECT_LT(page.first, page.end) << p;
        if (p > 0) {
            EXPECT_EQ(page.first, pages[p - 1].end) << p;
        }
        EXPECT_LE(Height(list, page, kMetrics), kMetrics.body) << p;
        // The next page's first row would not have fitted here.
        if (p + 1 < pages.size()) {
            SetListPage longer = page;
            ++longer.end;
            const bool headingAlone = list.rows[page.end].category;
            EXPECT_TRUE(headingAlone || Height(list, longer, kMetrics) > kMetrics.body) << p;
        }
    }
}

TEST(SetListPagesTest, HeadingsGoWithTheirEntriesAndComeBackOnTheNextPage)
{
    const SetList list = ListOf({7, 20, 2, 2, 2, 30});
    std::size_t category = kNoHeading;
    std::size_t page = 0;
    const std::vector<SetListPage> pages = PaginateSetList(list, kMetrics);
    for (std::size_t i = 0; i < list.rows.size(); ++i) {
        while (i >= pages[page].end)
            ++page;
        if (i == pages[page].first) {
            // Inside a category the page repeats its heading; at a heading it needs none.
            EXPECT_EQ(pages[page].repeatedHeading, list.rows[i].category ? kNoHeading : category) << i;
        }
        if (list.rows[i].category) {
            category = i;
            EXPECT_NE(i + 1, pages[page].end) << "heading alone at the foot of page " << page;
        }
    }
}

TEST(SetListPagesTest, ALongCategoryFillsPagesAsCounted)
{
    // Heading and 8 rows fill a page; every later page repeats the heading over 8 more rows.
    EXPECT_EQ(PaginateSetList(ListOf({8}), kMetrics).size(), 1u);
    EXPECT_EQ(PaginateSetList(ListOf({9}), kMetrics).size(), 2u);
    EXPECT_EQ(PaginateSetList(ListOf({100}), kMetrics).size(), 13u);
    // Two small categories share a page with air between them: 20+10 + 10+20+10 = 70.
    EXPECT_EQ(PaginateSetList(ListOf({1, 1}), kMetrics).size(), 1u);
    // A million entries in 50 categories: counted without painting, 8 entries a page at most.
    const std::vector<SetListPage> many = PaginateSetList(ListOf(std::vector<int>(50, 20000)), kMetrics);
    EXPECT_GE(many.size(), 1000000u / 8);
    EXPECT_LE(many.size(), 1000000u / 8 + 50);
}

TEST(SetListPagesTest, NothingGivesNoPageAndAPageTooSmallStillHoldsEveryRow)
{
    EXPECT_TRUE(PaginateSetList(SetList{}, kMetrics).empty());
    const SetList list = ListOf({2});
    const std::vector<SetListPage> pages = PaginateSetList(list, {5, 20, 10, 10});
    ASSERT_EQ(pages.size(), 3u); // each row alone
    EXPECT_EQ(pages[2].end, list.rows.size());
    EXPECT_EQ(pages[2].repeatedHeading, 0u);
}

} // namespace
} // namespace tessaro

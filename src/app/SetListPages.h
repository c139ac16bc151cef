#pragma once
// How a set list falls into pages: rows of one height, each category a
// heading (its name over the column heads) with air above it, and pages that
// break only between rows. A heading never stands alone at a page's foot: it
// goes over with its first entry; a page that begins inside a category
// repeats that category's heading. Counting the pages needs no painting, so a
// set list of a million entries is counted at once, before anything is laid out.

#include "edit/SetList.h"

#include <cstddef>
#include <limits>
#include <vector>

namespace tessaro {

// Heights in the units of the page (any unit, the same for all).
struct SetListMetrics
{
    double body = 0;    // the room for rows on a page, below its header
    double heading = 0; // a category's name with its column heads
    double row = 0;     // one entry
    double gap = 0;     // the air above a heading that does not begin a page
};

inline constexpr std::size_t kNoHeading = std::numeric_limits<std::size_t>::max();

struct SetListPage
{
    std::size_t first = 0; // the rows [first, end) of SetList::rows
    std::size_t end = 0;
    std::size_t repeatedHeading = kNoHeading; // the category row whose heading tops the page
};

// Every row lands on exactly one page, in order; a row taller than a page gets a page of its own.
std::vector<SetListPage> PaginateSetList(const SetList& list, const SetListMetrics& metrics);

} // namespace tessaro

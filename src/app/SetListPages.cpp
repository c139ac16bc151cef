#include "app/SetListPages.h"

namespace tessaro {

std::vector<SetListPage> PaginateSetList(const SetList& list, const SetListMetrics& metrics)
{
    std::vector<SetListPage> pages;
    SetListPage page;
    double used = 0;
    std::size_t category = kNoHeading;
    const auto newPage = [&](std::size_t at, std::size_t heading) {
        pages.push_back(page);
        page = {at, at, heading};
        used = heading == kNoHeading ? 0 : metrics.heading;
    };
    for (std::size_t i = 0; i < list.rows.size(); ++i) {
        const bool pageHasRows = page.end > page.first;
        if (list.rows[i].category) {
            const double air = pageHasRows ? metrics.gap : 0;
            // The heading with room for its first entry below it.
            if (pageHasRows && used + air + metrics.heading + metrics.row > metrics.body) {
                newPage(i, kNoHeading);
                used = 0;
            } else {
                used += air;
            }
            used += metrics.heading;
            category = i;
        } else {
            if (pageHasRows && used + metrics.row > metrics.body)
                newPage(i, category);
            used += metrics.row;
        }
        page.end = i + 1;
    }
    if (page.end > page.first)
        pages.push_back(page);
    return pages;
}

} // namespace tessaro

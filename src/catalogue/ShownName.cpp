#include "catalogue/ShownName.h"

namespace tessaro {

std::string ShownName(std::string_view stored)
{
    std::string shown;
    shown.reserve(stored.size());
    for (std::size_t i = 0; i < stored.size(); ++i) {
        shown += stored[i];
        if (stored[i] == '&' && i + 1 < stored.size() && stored[i + 1] == '&') {
            ++i;
        }
    }
    return shown;
}

} // namespace tessaro

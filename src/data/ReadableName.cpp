#include "data/ReadableName.h"

namespace tessaro {

std::string ReadableName(std::string_view stored)
{
    std::string shown;
    shown.reserve(stored.size());
    for (std::size_t i = 0; i < stored.size(); ++i) {
        shown += stored[i];
        if (stored[i] == '&' && i + 1 < stored.size() && stored[i + 1] == '&')
            ++i; // the second of a pair
    }
    return shown;
}

std::string StoredNameAfterEdit(std::string_view stored, std::string_view edited)
{
    return ReadableName(stored) == edited ? std::string(stored) : std::string(edited);
}

} // namespace tessaro

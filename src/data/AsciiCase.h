#pragma once
// Case-insensitive comparison of the ASCII letters only, as the keyboard's
// file names and BACKUP.INI lines are compared; other bytes must match exactly.

#include <string_view>

namespace tessaro {

constexpr char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

constexpr bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    }
    return true;
}

} // namespace tessaro

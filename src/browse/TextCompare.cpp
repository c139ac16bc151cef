#include "browse/TextCompare.h"

#include <cstddef>

#include "data/AsciiCase.h"

namespace tessaro {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int CompareBytes(unsigned char a, unsigned char b)
{
    return a < b ? -1 : (a > b ? 1 : 0);
}

} // namespace

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

bool MatchesMask(std::string_view name, std::string_view mask)
{
    // Iterative glob with one backtrack point: linear in practice, never recursive.
    std::size_t n = 0;
    std::size_t m = 0;
    std::size_t starMask = std::string_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || AsciiLower(mask[m]) == AsciiLower(name[n]))) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (starMask != std::string_view::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') {
        ++m;
    }
    return m == mask.size();
}

int NaturalCompare(std::string_view a, std::string_view b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    int tieBreak = 0; // first difference that the loose comparison ignores
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            std::size_t si = i;
            std::size_t sj = j;
            while (si < a.size() && a[si] == '0') {
                ++si;
            }
            while (sj < b.size() && b[sj] == '0') {
                ++sj;
            }
            std::size_t ei = si;
            std::size_t ej = sj;
            while (ei < a.size() && IsDigit(a[ei])) {
                ++ei;
            }
            while (ej < b.size() && IsDigit(b[ej])) {
                ++ej;
            }
            if (ei - si != ej - sj) {
                return ei - si < ej - sj ? -1 : 1;
            }
            int digits = a.substr(si, ei - si).compare(b.substr(sj, ej - sj));
            if (digits != 0) {
                return digits < 0 ? -1 : 1;
            }
            if (tieBreak == 0 && (si - i) != (sj - j)) {
                tieBreak = (si - i) < (sj - j) ? -1 : 1; // fewer leading zeros first
            }
            i = ei;
            j = ej;
            continue;
        }
        int loose = CompareBytes(static_cast<unsigned char>(AsciiLower(a[i])),
                                 static_cast<unsigned char>(AsciiLower(b[j])));
        if (loose != 0) {
            return loose;
        }
        if (tieBreak == 0) {
            tieBreak = CompareBytes(static_cast<unsigned char>(a[i]), static_cast<unsigned char>(b[j]));
        }
        ++i;
        ++j;
    }
    if (i < a.size()) {
        return 1;
    }
    if (j < b.size()) {
        return -1;
    }
    return tieBreak;
}

} // namespace tessaro

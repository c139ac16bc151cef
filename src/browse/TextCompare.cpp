#include "browse/TextCompare.h"

#include <cstddef>
#include <string>

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

namespace {

// The end of the run of digits or of non-digits that starts at i.
std::size_t RunEnd(std::string_view text, std::size_t i)
{
    const bool digits = IsDigit(text[i]);
    while (i < text.size() && IsDigit(text[i]) == digits) {
        ++i;
    }
    return i;
}

std::string LowerAscii(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower) {
        c = AsciiLower(c);
    }
    return lower;
}

} // namespace

int NaturalCompare(std::string_view a, std::string_view b, const std::locale& locale)
{
    const auto& collate = std::use_facet<std::collate<char>>(locale);
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const std::size_t ei = RunEnd(a, i);
        const std::size_t ej = RunEnd(b, j);
        const std::string_view runA = a.substr(i, ei - i);
        const std::string_view runB = b.substr(j, ej - j);
        int order = 0;
        // Deciding digits against letters by kind, not by collation, keeps the
        // order consistent for sorting whatever the locale ignores.
        if (IsDigit(runA[0]) != IsDigit(runB[0])) {
            order = IsDigit(runA[0]) ? -1 : 1;
        } else if (IsDigit(runA[0])) {
            order = NaturalCompare(runA, runB); // by value
        } else {
            const std::string lowerA = LowerAscii(runA);
            const std::string lowerB = LowerAscii(runB);
            order = collate.compare(lowerA.data(), lowerA.data() + lowerA.size(), lowerB.data(),
                                    lowerB.data() + lowerB.size());
        }
        if (order != 0) {
            return order < 0 ? -1 : 1;
        }
        i = ei;
        j = ej;
    }
    if (i < a.size() || j < b.size()) {
        return i < a.size() ? 1 : -1;
    }
    return NaturalCompare(a, b);
}

const std::locale& UserLocale()
{
    static const std::locale locale = [] {
        try {
            return std::locale("");
        } catch (const std::exception&) {
            return std::locale::classic(); // LANG names a locale this system lacks
        }
    }();
    return locale;
}

} // namespace tessaro

#pragma once
// Name comparisons of the browser. Letter case is folded for ASCII only (as in
// data/AsciiCase.h): other bytes (UTF-8 sequences) compare as they are.

#include <locale>
#include <string_view>

namespace tessaro {

bool StartsWithNoCase(std::string_view text, std::string_view prefix);

// Wildcard match of a file name against a mask with '*' and '?', without regard to case.
bool MatchesMask(std::string_view name, std::string_view mask);

// Orders names as a file manager does: case is ignored and digit runs compare by
// value ("Disk 2" before "Disk 10"). Names that differ only in case or in leading
// zeros still get a fixed order, so only equal names compare equal.
int NaturalCompare(std::string_view a, std::string_view b);

// The same order with the letter runs compared by a locale's collation (so "Äpfel"
// sorts beside "Apfel" where the locale says so); names it finds equal fall back
// to NaturalCompare. With the classic locale it is NaturalCompare.
int NaturalCompare(std::string_view a, std::string_view b, const std::locale& locale);

// The user's locale (from the environment), or the classic one when that is unusable.
const std::locale& UserLocale();

} // namespace tessaro

#pragma once
// What a category row of the modern tree reads: its name and how many entries
// it holds, "Pop  (12)". While a filter hides some of them the count says what
// shows of how many, "Pop  (3 of 12)", so that a narrowed view never passes for
// the whole category; a category whose entries all show keeps "Pop  (12)".

#include <string>
#include <string_view>

namespace tessaro {

// `name` as shown (UTF-8). `shown` is the number of entries the filter lets
// through; any value outside 0..entries-1 means none is hidden.
std::string CategoryRowText(std::string_view name, int entries, int shown);

} // namespace tessaro

#pragma once
// Whole numbers typed by people, read as the entry editor's fields read them:
// an optional sign, digits, blanks around allowed; nothing else.

#include <optional>
#include <string_view>

namespace tessaro {

// nullopt for anything else, for an empty text and for a number that does not fit an int.
std::optional<int> ParseWholeNumber(std::string_view text);

} // namespace tessaro

#pragma once
// 8.3 names as a FAT folder stores them: 8 characters of name and 3 of
// extension, padded with spaces, in upper case, as the keyboard writes them.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessaro {

using ShortName = std::array<uint8_t, 11>;

// "MDB.bup" -> "MDB     BUP". Nothing when the name does not fit the 8.3 rule
// (the message ImageNameRule states it): it is never cut to fit.
std::optional<ShortName> ToShortName(std::string_view name);

// The stored 11 bytes as a name: "MDB.BUP", "PARTY.B01", "README".
std::string ShortNameText(const uint8_t* stored);

// The checksum a long-name entry keeps of the short name it belongs to.
uint8_t ShortNameChecksum(const uint8_t* stored);

} // namespace tessaro

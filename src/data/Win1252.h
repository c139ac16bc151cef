#pragma once
// The one converter between Windows-1252 bytes (record texts) and UTF-8 text
// (windows, terminal output). Texts stay bytes everywhere else.
//
// 0x80..0x9F hold the typographic characters of the code page; the five bytes
// the code page leaves undefined (0x81 0x8D 0x8F 0x90 0x9D) pass through as the
// C1 control characters U+0081 etc. in both directions, so every byte string
// survives ToUtf8 followed by FromUtf8 unchanged.

#include <string>
#include <string_view>

namespace tessaro {

// The Unicode character of one Windows-1252 byte.
char32_t CodePointOf1252(unsigned char byte);

// True when the character has a Windows-1252 byte; `byte` receives it.
bool ByteOf1252(char32_t codePoint, unsigned char& byte);
bool IsRepresentable1252(char32_t codePoint);
// True when `utf8` is valid UTF-8 and every character has a Windows-1252 byte.
bool IsRepresentable1252(std::string_view utf8);

std::string ToUtf8(std::string_view bytes1252);
// Characters without a Windows-1252 byte, and each invalid UTF-8 sequence,
// become '?'. `lossless` (optional) is set false when that happened, else true.
std::string FromUtf8(std::string_view utf8, bool* lossless = nullptr);

// Upper case as the Windows ANSI code page does it: a-z, the accented letters
// 0xE0..0xFE except the division sign 0xF7, and š œ ž ÿ. µ and ß stay.
char UpperCase1252(char byte);
std::string UpperCase1252(std::string_view bytes1252);

} // namespace tessaro

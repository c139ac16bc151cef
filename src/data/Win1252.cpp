#include "data/Win1252.h"

#include <array>
#include <cstddef>

namespace tessaro {

namespace {

// 0x80..0x9F; the undefined bytes map to their own C1 code point.
constexpr std::array<char32_t, 32> kHighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

constexpr char32_t kInvalid = 0xFFFFFFFF;

struct Decoded
{
    char32_t codePoint; // kInvalid for a broken sequence
    std::size_t length; // bytes consumed, at least 1
};

bool InRange(unsigned char byte, unsigned char low, unsigned char high)
{
    return byte >= low && byte <= high;
}

// Decodes one character at the start of `text` (not empty). A broken sequence
// consumes its longest valid-looking prefix, so each one becomes a single '?'
// and the next character is not swallowed.
Decoded DecodeOne(std::string_view text)
{
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80)
        return {lead, 1};

    std::size_t length = 0;
    unsigned char secondLow = 0x80;
    unsigned char secondHigh = 0xBF;
    char32_t value = 0;
    if (InRange(lead, 0xC2, 0xDF)) {
        length = 2;
        value = lead & 0x1F;
    } else if (InRange(lead, 0xE0, 0xEF)) {
        length = 3;
        value = lead & 0x0F;
        if (lead == 0xE0)
            secondLow = 0xA0; // no overlong forms
        if (lead == 0xED)
            secondHigh = 0x9F; // no surrogates
    } else if (InRange(lead, 0xF0, 0xF4)) {
        length = 4;
        value = lead & 0x07;
        if (lead == 0xF0)
            secondLow = 0x90; // no overlong forms
        if (lead == 0xF4)
            secondHigh = 0x8F; // nothing above U+10FFFF
    } else {
        return {kInvalid, 1};
    }

    for (std::size_t i = 1; i < length; ++i) {
        if (i >= text.size())
            return {kInvalid, i};
        const auto next = static_cast<unsigned char>(text[i]);
        const bool ok = (i == 1) ? InRange(next, secondLow, secondHigh) : InRange(next, 0x80, 0xBF);
        if (!ok)
            return {kInvalid, i};
        value = (value << 6) | (next & 0x3F);
    }
    return {value, length};
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        // Every Windows-1252 character lies in the Basic Multilingual Plane.
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

char32_t CodePointOf1252(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControlRange[byte - 0x80];
    return byte;
}

bool ByteOf1252(char32_t codePoint, unsigned char& byte)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        byte = static_cast<unsigned char>(codePoint);
        return true;
    }
    for (std::size_t i = 0; i < kHighControlRange.size(); ++i) {
        if (kHighControlRange[i] == codePoint) {
            byte = static_cast<unsigned char>(0x80 + i);
            return true;
        }
    }
    return false;
}

bool IsRepresentable1252(char32_t codePoint)
{
    unsigned char unused = 0;
    return ByteOf1252(codePoint, unused);
}

bool IsRepresentable1252(std::string_view utf8)
{
    while (!utf8.empty()) {
        const Decoded d = DecodeOne(utf8);
        if (d.codePoint == kInvalid || !IsRepresentable1252(d.codePoint))
            return false;
        utf8.remove_prefix(d.length);
    }
    return true;
}

std::string ToUtf8(std::string_view bytes1252)
{
    std::string out;
    out.reserve(bytes1252.size() * 2);
    for (char c : bytes1252)
        AppendUtf8(out, CodePointOf1252(static_cast<unsigned char>(c)));
    return out;
}

std::string FromUtf8(std::string_view utf8, bool* lossless)
{
    std::string out;
    out.reserve(utf8.size());
    bool allKept = true;
    while (!utf8.empty()) {
        const Decoded d = DecodeOne(utf8);
        unsigned char byte = '?';
        if (d.codePoint == kInvalid || !ByteOf1252(d.codePoint, byte)) {
            byte = '?';
            allKept = false;
        }
        out += static_cast<char>(byte);
        utf8.remove_prefix(d.length);
    }
    if (lossless)
        *lossless = allKept;
    return out;
}

char UpperCase1252(char byte)
{
    const auto b = static_cast<unsigned char>(byte);
    unsigned char upper = b;
    if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7))
        upper = b - 0x20;
    else if (b == 0x9A || b == 0x9C || b == 0x9E) // š œ ž
        upper = b - 0x10;
    else if (b == 0xFF) // ÿ
        upper = 0x9F;
    return static_cast<char>(upper);
}

std::string UpperCase1252(std::string_view bytes1252)
{
    std::string out(bytes1252);
    for (char& c : out)
        c = UpperCase1252(c);
    return out;
}

} // namespace tessaro

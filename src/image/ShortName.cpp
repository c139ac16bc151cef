#include "image/ShortName.h"

namespace tessaro {

namespace {

// What DOS accepts in a short name besides letters and digits.
bool IsAllowed(char c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
        return true;
    constexpr std::string_view kPunctuation = "!#$%&'()-@^_`{}~";
    return kPunctuation.find(c) != std::string_view::npos;
}

char Upper(char c)
{
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

bool FillPart(std::string_view part, std::size_t width, uint8_t* out)
{
    if (part.size() > width)
        return false;
    for (char c : part) {
        if (!IsAllowed(c))
            return false;
        *out++ = uint8_t(Upper(c));
    }
    return true;
}

} // namespace

std::optional<ShortName> ToShortName(std::string_view name)
{
    const std::size_t dot = name.find('.');
    const std::string_view base = name.substr(0, dot);
    const std::string_view extension = dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
    if (base.empty() || (dot != std::string_view::npos && extension.empty()))
        return std::nullopt;
    ShortName stored;
    stored.fill(' ');
    if (!FillPart(base, 8, stored.data()) || !FillPart(extension, 3, stored.data() + 8))
        return std::nullopt;
    return stored;
}

std::string ShortNameText(const uint8_t* stored)
{
    std::string base(reinterpret_cast<const char*>(stored), 8);
    std::string extension(reinterpret_cast<const char*>(stored + 8), 3);
    if (!base.empty() && uint8_t(base[0]) == 0x05)
        base[0] = char(0xE5); // a name beginning with 0xE5 is stored as 0x05
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    while (!extension.empty() && extension.back() == ' ')
        extension.pop_back();
    return extension.empty() ? base : base + "." + extension;
}

uint8_t ShortNameChecksum(const uint8_t* stored)
{
    uint8_t sum = 0;
    for (int i = 0; i < 11; ++i)
        sum = uint8_t(((sum & 1) << 7) + (sum >> 1) + stored[i]);
    return sum;
}

} // namespace tessaro

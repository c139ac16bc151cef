#include "cli/Messages.h"

#include <cstdint>
#include <cstdio>

namespace tessaro::cli {

namespace {

// One line per message: the blank line of a message box becomes a space.
std::string OneLine(std::string text)
{
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            if (!line.empty() && line.back() != ' ') {
                line += ' ';
            }
        } else {
            line += c;
        }
    }
    return line;
}

void AppendHex(std::string& out, uint8_t byte)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    out += "\\x";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0x0F];
}

// The length of the well-formed UTF-8 sequence at the start of text, or 0.
std::size_t Utf8Length(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<uint8_t>(text[i]); };
    const auto follows = [&](std::size_t i) { return i < text.size() && (byte(i) & 0xC0) == 0x80; };
    const uint8_t lead = byte(0);
    if (lead >= 0xC2 && lead <= 0xDF && follows(1)) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF && follows(1) && follows(2)) {
        const bool overlong = lead == 0xE0 && byte(1) < 0xA0;
        const bool surrogate = lead == 0xED && byte(1) >= 0xA0;
        return overlong || surrogate ? 0 : 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4 && follows(1) && follows(2) && follows(3)) {
        const bool overlong = lead == 0xF0 && byte(1) < 0x90;
        const bool tooLarge = lead == 0xF4 && byte(1) >= 0x90;
        return overlong || tooLarge ? 0 : 4;
    }
    return 0;
}

} // namespace

std::string Printable(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<uint8_t>(text[i]);
        if (byte == '\\') {
            out += "\\\\";
            ++i;
        } else if (byte < 0x20 || byte == 0x7F) {
            AppendHex(out, byte);
            ++i;
        } else if (byte < 0x80) {
            out += text[i++];
        } else if (const std::size_t length = Utf8Length(text.substr(i));
                   length > 0 && !(byte == 0xC2 && static_cast<uint8_t>(text[i + 1]) < 0xA0)) {
            out.append(text.substr(i, length));
            i += length;
        } else {
            // Not UTF-8, or a C1 control (U+0080..U+009F): CSI among them starts escape sequences.
            AppendHex(out, byte);
            ++i;
        }
    }
    return out;
}

void PrintError(const std::string& file, const std::string& text)
{
    std::fprintf(stderr, "tessaro-cli: %s: %s\n", Printable(file).c_str(), OneLine(text).c_str());
}

void PrintError(const std::string& file, Msg id, const std::string& reason)
{
    std::string text = TextsOf(id).english;
    if (!reason.empty()) {
        text += " (" + reason + ")";
    }
    PrintError(file, text);
}

void PrintWarning(const std::string& file, Msg id)
{
    PrintError(file, std::string("warning: ") + TextsOf(id).english);
}

} // namespace tessaro::cli

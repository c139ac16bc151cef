#include "cli/Messages.h"

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

} // namespace

void PrintError(const std::string& file, const std::string& text)
{
    std::fprintf(stderr, "tessaro-cli: %s: %s\n", file.c_str(), OneLine(text).c_str());
}

void PrintError(const std::string& file, Msg id)
{
    PrintError(file, TextsOf(id).english);
}

void PrintWarning(const std::string& file, Msg id)
{
    PrintError(file, std::string("warning: ") + TextsOf(id).english);
}

} // namespace tessaro::cli

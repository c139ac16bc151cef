#include "edit/EntryNode.h"

#include "catalogue/StyleCatalogue.h"

#include <cstdio>

namespace tessaro {

namespace {

constexpr std::size_t kDisplayLabelMax = 100;

// The C locale's white space: space, tab, line feed, vertical tab, form feed, carriage return.
bool IsWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string WithoutLeadingWhiteSpace(const std::string& text)
{
    std::size_t first = 0;
    while (first < text.size() && IsWhiteSpace(text[first]))
        ++first;
    return text.substr(first);
}

} // namespace

MdbEntry AsMainEntry(const MdbEntry& record)
{
    MdbEntry main = record;
    main.SetTitle(WithoutLeadingWhiteSpace(record.GetTitle()));
    return main;
}

MdbEntry AsSubEntry(const MdbEntry& record)
{
    MdbEntry sub = record;
    sub.SetTitle("  " + WithoutLeadingWhiteSpace(record.GetTitle()));
    return sub;
}

std::string EntryNode::DisplayLabel(const StyleCatalogue* styles) const
{
    const std::string styleText =
        styles ? styles->StyleTextOf(record.styleIndex()) : std::to_string(record.styleIndex());
    const std::string title = GetTitle(); // any byte but NUL, '%' included: only ever an argument
    const char* indent = IsSubEntry() ? "   " : "";
    const int tempo = record.tempo();

    // snprintf cuts the label to the buffer, which holds the longest label a tree shows.
    char buffer[kDisplayLabelMax + 1];
    std::snprintf(buffer, sizeof buffer, "%s%-16s     (%s, %3d)", indent, title.c_str(), styleText.c_str(),
                  tempo);
    return buffer;
}

} // namespace tessaro

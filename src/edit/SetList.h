#pragma once
// A pane as a set list for the music stand: its categories in tree order, each
// followed by its entries with the style, tempo and right-hand voice a player
// sets up. The names are the ones the window shows (readable "&", UTF-8); the
// printed page only lays these rows out.

#include <cstddef>
#include <string>
#include <vector>

namespace tessaro {

class CategoryTree;
class EntryNode;
class StyleCatalogue;

struct SetListRow
{
    bool category = false; // a heading: only `title` is set
    bool subEntry = false; // shown indented under its main entry
    std::string title;
    std::string style;
    std::string tempo;
    std::string voice; // R1
};

struct SetList
{
    std::string fileName; // as the page header names it
    std::vector<SetListRow> rows;
    std::size_t entryCount = 0;
};

// Categories without entries are left out: they have nothing to play.
SetList MakeSetList(const CategoryTree& tree, const std::string& fileName);
// The row of one entry.
SetListRow SetListEntryRow(const EntryNode& entry, const StyleCatalogue& styles);

} // namespace tessaro

#pragma once
// An entry as the trees hold it: the record plus the two labels derived from it.

#include "data/MdbEntry.h"

#include <string>

namespace tessaro {

class StyleCatalogue;

struct EntryNode
{
    MdbEntry record;
    std::string categoryLabel; // at most 16 characters
    std::string displayLabel;  // at most 100 characters

    std::string GetTitle() const { return record.GetTitle(); }
    std::string GetCategory() const { return record.GetCategory(); }
    void SetTitle(const std::string& text) { record.SetTitle(text); }
    void SetCategory(const std::string& text) { record.SetCategory(text); }
    bool IsSubEntry() const { return record.IsSubEntry(); }

    // Rebuild both labels with the catalogue's style names.
    void Relabel(const StyleCatalogue& styles);
};

// The record as a main entry: leading white space stripped from the title.
MdbEntry AsMainEntry(const MdbEntry& record);
// The record as a sub entry: two spaces in front of the stripped title (cut to 16).
MdbEntry AsSubEntry(const MdbEntry& record);

inline int CompareGroup(const EntryNode& a, const EntryNode& b)
{
    return CompareGroup(a.record, b.record);
}

} // namespace tessaro

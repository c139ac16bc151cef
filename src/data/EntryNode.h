#pragma once
// An entry as the trees hold it: the record plus the two labels derived from it.

#include "data/MdbEntry.h"

#include <string>

namespace tessaro {

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

    // Strip leading white space; Relabel.
    void MakeMainEntry();
    // Strip leading white space, put two spaces in front (cut to 16); Relabel.
    void MakeSubEntry();
    // Rebuild both labels; style names come from the style catalogue.
    void Relabel();
};

inline int CompareGroup(const EntryNode& a, const EntryNode& b)
{
    return CompareGroup(a.record, b.record);
}

} // namespace tessaro

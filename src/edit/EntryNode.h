#pragma once
// An entry as the trees hold it: the record plus the two labels derived from
// it. The labels are made when asked for, not stored: an archive holds a
// million entries, and a view shows a screenful of them.

#include "data/MdbEntry.h"
#include "edit/NodePool.h"

#include <string>

namespace tessaro {

class StyleCatalogue;

struct EntryNode : Pooled<EntryNode>
{
    MdbEntry record;
    const StyleCatalogue* styles = nullptr; // names the style in the display label; set by Relabel

    std::string GetTitle() const { return record.GetTitle(); }
    std::string GetCategory() const { return record.GetCategory(); }
    void SetTitle(const std::string& text) { record.SetTitle(text); }
    void SetCategory(const std::string& text) { record.SetCategory(text); }
    bool IsSubEntry() const { return record.IsSubEntry(); }

    // The labels from now on take their style names from the catalogue.
    void Relabel(const StyleCatalogue& catalogue) { styles = &catalogue; }
    std::string CategoryLabel() const { return GetCategory(); } // at most 16 characters
    // At most 100 characters; the style as its number until Relabel named a catalogue.
    std::string DisplayLabel() const;
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

#pragma once
// An entry as the trees hold it: the record, and the two labels derived from
// it. The labels are made when asked for, not stored: an archive holds a
// million entries, and a view shows a screenful of them. The style names come
// from the catalogue of the tree that shows the entry, not from each entry.

#include "data/MdbEntry.h"
#include "edit/NodePool.h"

#include <string>

namespace tessaro {

class StyleCatalogue;

struct EntryNode : Pooled<EntryNode>
{
    MdbEntry record;

    std::string GetTitle() const { return record.GetTitle(); }
    std::string GetCategory() const { return record.GetCategory(); }
    void SetTitle(const std::string& text) { record.SetTitle(text); }
    void SetCategory(const std::string& text) { record.SetCategory(text); }
    bool IsSubEntry() const { return record.IsSubEntry(); }

    std::string CategoryLabel() const { return GetCategory(); } // at most 16 characters
    // At most 100 characters; the style named by the catalogue, as its number without one.
    std::string DisplayLabel(const StyleCatalogue* styles = nullptr) const;
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

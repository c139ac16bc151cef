#pragma once
// What differs between the trees of two panes (or files): entries are matched
// by category, title and order of occurrence (the second "Intro" of "Pop" in
// one tree with the second in the other), so a change of any other setting
// shows as a change, not as one entry removed and another added.

#include "data/MdbEntry.h"

#include <functional>
#include <string>
#include <vector>

namespace tessaro {

class StyleCatalogue;

class CategoryTree;

// One setting that differs, by the name the report gives it; values as a
// person reads them, or the bytes in hex where they read the same.
struct FieldChange
{
    std::string field;
    std::string before;
    std::string after;
};

struct EntryDifference
{
    enum class Kind
    {
        Removed, // only in the first tree
        Added,   // only in the second tree
        Changed, // in both, with changes
        Moved    // in both, but standing elsewhere among the other entries
    };
    Kind kind;
    std::string category; // record bytes (Windows-1252)
    std::string title;
    int occurrence = 1; // 2 for the second entry of that category and title, ...
    std::vector<FieldChange> changes;
};

// Every setting that differs between two records, in column order, then the
// bytes no setting covers ("Byte 17").
std::vector<FieldChange> CompareRecords(const MdbEntry& before, const MdbEntry& after,
                                        const StyleCatalogue& styles);

// Removed, changed and moved entries in the first tree's order, then the added
// ones in the second tree's order. Empty when the trees hold the same records
// in the same order.
std::vector<EntryDifference> CompareTrees(const CategoryTree& before, const CategoryTree& after);

// The same differences in the same order, each handed to report as soon as it
// is found (report may move from it): a caller that writes them out never
// holds them all.
void ForEachDifference(const CategoryTree& before, const CategoryTree& after,
                       const std::function<void(EntryDifference&)>& report);

} // namespace tessaro

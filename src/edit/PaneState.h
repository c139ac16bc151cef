#pragma once
// The state of one pane (the MDB pane or the archive pane): its tree and its
// file. The recent-file combo box itself belongs to the window.

#include "edit/CategoryTree.h"
#include "edit/PaneId.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tessaro {

constexpr int kRecentFileCount = 10;

struct PaneState
{
    explicit PaneState(const StyleCatalogue& styles) : tree(styles) {}

    CategoryTree tree;
    bool loaded = false;                                   // holds a database, loaded or made by New
    bool untitled = false;                                 // made by New, no file yet
    std::string fileName;                                  // full path; empty when there is none
    std::array<std::string, kRecentFileCount> recentFiles; // most recent first, empty ones last

    // Where the pane stands in the editing history: the last step that changed
    // it, and where it stood when loaded or saved (see History).
    uint64_t version = 0;
    uint64_t savedVersion = 0;

    // Not at the point of the editing history where the pane was loaded or last saved.
    bool Modified() const { return version != savedVersion; }
    int EntryCount() const { return static_cast<int>(tree.EntryNodeCount()); }
};

// Both panes, indexed by PaneIndex.
using Panes = std::array<PaneState, 2>;

// Deletes every node and frees every entry and placeholder of the pane's tree.
inline void ClearPane(PaneState& pane)
{
    pane.tree.Clear();
}

} // namespace tessaro

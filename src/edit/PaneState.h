#pragma once
// The state of one pane (the MDB pane or the archive pane): its tree and its
// file. The recent-file combo box itself belongs to the window.

#include "edit/CategoryTree.h"

#include <array>
#include <string>

namespace tessaro {

constexpr int kRecentFileCount = 10;

struct PaneState
{
    CategoryTree tree;
    bool loaded = false;   // holds a database, loaded or made by New
    bool untitled = false; // made by New, no file yet
    bool modified = false;
    std::string fileName;                                  // full path; empty when there is none
    std::array<std::string, kRecentFileCount> recentFiles; // most recent first, empty ones last
    int entryCount = 0;
    std::string entryCountText; // entryCount as shown; empty while the pane is cleared
};

// The count label follows entryCount.
inline void UpdateEntryCountText(PaneState& pane)
{
    pane.entryCountText = std::to_string(pane.entryCount);
}

// Deletes every node and frees every entry and placeholder of the pane's tree.
inline void ClearPane(PaneState& pane)
{
    pane.tree.Clear();
    pane.entryCount = 0;
    pane.entryCountText.clear();
}

} // namespace tessaro

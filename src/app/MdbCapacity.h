#pragma once
// An MDB holds at most 616 entries. Copy, Move and a drop into the MDB pane
// ask before they take it over that, naming the count; the user may go on (and
// delete entries before saving) or leave everything as it was.

#include "common/Prompts.h"
#include "edit/PaneState.h"

#include <cstddef>
#include <vector>

namespace tessaro {

class TreeNode;

// The entries the nodes bring along: a category its entries, an entry itself
// (once, also when its category is among the nodes).
std::size_t EntriesIn(const std::vector<TreeNode*>& nodes);

// True when `adding` entries may go into the pane: always for the archive
// pane, and for the MDB pane when it stays within 616 entries or the user
// says Yes to the question.
bool ConfirmMdbCapacity(PaneId target, const PaneState& pane, std::size_t adding, Prompts& prompts);

// What the status bar says after a copy, move or drop: "Moved 4 entries to
// Latin" (destination as shown, UTF-8), in the current language.
std::string TransferredText(bool move, std::size_t entries, const std::string& destination);

} // namespace tessaro

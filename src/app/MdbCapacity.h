#pragma once
// An MDB holds at most 616 entries. Copy, Move and a drop into the MDB pane
// ask before they take it over that, naming the count; the user may go on (and
// delete entries before saving) or leave everything as it was.

#include "common/Prompts.h"
#include "edit/PaneState.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
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

// The last copy, move or drop that brought entries somewhere, for the status
// bar; `serial` grows with each, so the window tells a new one from an old one.
struct TransferRecord
{
    uint64_t serial = 0;
    bool move = false;
    std::size_t entries = 0;
    std::string destination;

    void Note(bool moved, std::size_t count, std::string where)
    {
        ++serial;
        move = moved;
        entries = count;
        destination = std::move(where);
    }
};

// Where the nodes land, as the user would name it: the category the entries
// join, the category itself when one whole category goes, else the target's
// file. Read before the transfer: `destination` is the target's node they
// are dropped on or copied to.
std::string TransferDestination(const PaneState& target, const std::vector<TreeNode*>& nodes,
                                TreeNode* destination);

} // namespace tessaro

#pragma once
// The recent-file list of a pane: ten paths, most recent first, the occupied
// ones before the empty ones, so a line of the combo box has the index of its
// entry.

#include <string>
#include <vector>

namespace tessaro {

struct PaneState;

// Puts the pane's fileName on top; an earlier mention of it (exact spelling)
// goes, and the oldest entry falls off. Nothing for an empty fileName.
void AddRecentFile(PaneState& pane);
// Removes every mention of the pane's fileName, closing the gaps.
void RemoveRecentFile(PaneState& pane);

// The combo box's lines and the line of the pane's fileName (-1 for none). The
// lines are file-system paths (UTF-8 here), not record texts.
struct RecentCombo
{
    std::vector<std::string> lines;
    int selected = -1;
};
// With showBackupSets (the MDB pane with the backup-structure option on), a line
// shows its backup-set folder as a set name: "/b/Party.B01/MDB.bup" reads
// "/b/Party [Disk-01]".
RecentCombo FillRecentCombo(const PaneState& pane, bool showBackupSets);

} // namespace tessaro

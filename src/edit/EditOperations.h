#pragma once
// The editing commands of the main window's edit column, on one pane (Copy and
// Move from one pane to the other). Everything they ask goes through Prompts.
// They keep the tree's rules (see CategoryTree.h), the pane's modified flag
// and its entry count; the caller refreshes the buttons afterwards.

#include "app/Prompts.h"
#include "data/MdbImage.h"
#include "edit/PaneState.h"

namespace tessaro {

class TreeNode;

// The selected entry (with the sub entries of a main entry) or the selected
// whole category goes from the source pane to the target pane; Move also
// removes it from the source.
void CopyOrMove(PaneState& source, PaneState& target, bool move, Prompts& prompts);

// Asks for a name and puts an empty category above the selection's category.
void NewCategory(PaneState& pane, Prompts& prompts);
// Edits the selected entry in the entry editor, or renames the selected category.
void EditSelected(PaneState& pane, Prompts& prompts, KeyboardModel model);
// The selected entry becomes a main entry, or a sub entry of the group above it.
void ToggleMainEntry(PaneState& pane);
// The selected entry changes places with its neighbour in its group; the
// selected category with the neighbouring category.
void MoveUp(PaneState& pane);
void MoveDown(PaneState& pane);
// Deletes the selected entry, or the selected category after asking.
void DeleteSelected(PaneState& pane, Prompts& prompts);

// When the commands above can do something with the pane's selection.
bool CanMoveUp(const CategoryTree& tree);
bool CanMoveDown(const CategoryTree& tree);
bool CanToggleMainEntry(const CategoryTree& tree);

// Both nodes are entries of the same group (category, style and tempo).
bool InSameGroup(const TreeNode* a, const TreeNode* b);
// Whether an entry standing directly behind `previous` (nullptr: first in its
// category) is the first of its group there, and so must be a main entry.
bool BeginsGroup(const TreeNode* previous, const EntryNode& entry);
// The selected category, or the category of the selected entry; nullptr when nothing is selected.
TreeNode* SelectedCategory(const CategoryTree& tree);

} // namespace tessaro

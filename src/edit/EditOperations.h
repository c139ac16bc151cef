#pragma once
// The editing commands of the main window's edit column, on one pane (Copy and
// Move from one pane to the other). Everything they ask goes through Prompts.
// They keep the tree's rules (see CategoryTree.h) and the pane's modified flag;
// the caller refreshes the buttons afterwards.
//
// Each command takes the nodes it acts on, so that a selection, a multiple
// selection or a drop can call it; the *Selected forms act on the tree's
// selection.

#include "common/Progress.h"
#include "common/Prompts.h"
#include "data/MdbImage.h"
#include "edit/PaneState.h"

#include <vector>

namespace tessaro {

class TreeNode;

// The entries (a main entry with its sub entries) and whole categories go from
// the source pane to the target pane; Move also removes them from the source.
// `destination` is the target's node they land at: its category takes the
// entries, and an entry of the same group places a copied entry beside it.
// With a Progress the user may cancel: Transfer then stops and gives false,
// and the caller takes back the open history step (History::Rollback), which
// leaves both panes as they were.
bool Transfer(PaneState& source, const std::vector<TreeNode*>& nodes, PaneState& target,
              TreeNode* destination, bool move, Prompts& prompts, Progress* progress = nullptr);
// The source's selected nodes to the target's current node.
void CopyOrMove(PaneState& source, PaneState& target, bool move, Prompts& prompts);

// Asks for a name and puts an empty category above the anchor's category.
void NewCategory(PaneState& pane, TreeNode* anchor, Prompts& prompts);
void NewCategory(PaneState& pane, Prompts& prompts);
// Edits the entry in the entry editor, or renames the category.
void EditNode(PaneState& pane, TreeNode* node, Prompts& prompts, KeyboardModel model);
void EditSelected(PaneState& pane, Prompts& prompts, KeyboardModel model);
// The entry becomes a main entry, or a sub entry of the group above it.
void ToggleMainEntry(PaneState& pane, TreeNode* node);
void ToggleMainEntry(PaneState& pane);
// The entry changes places with its neighbour in its group; a category with
// the neighbouring category.
void MoveUp(PaneState& pane, TreeNode* node);
void MoveDown(PaneState& pane, TreeNode* node);
void MoveUp(PaneState& pane);
void MoveDown(PaneState& pane);
// Deletes the entries and categories, asking once: for one category with
// entries whether to delete it whole, for several nodes whether to delete the
// entries among them (none asked about empty categories alone).
void Delete(PaneState& pane, const std::vector<TreeNode*>& nodes, Prompts& prompts);
void DeleteSelected(PaneState& pane, Prompts& prompts);

// Entries go to another category of their own pane, each sorted in as Edit
// puts an entry whose category name changed; a main entry takes its sub
// entries along. Categories among the nodes make it refuse. False when
// nothing moved.
bool MoveToCategory(PaneState& pane, const std::vector<TreeNode*>& nodes, TreeNode* category);
bool CanMoveToCategory(const PaneState& pane, const std::vector<TreeNode*>& nodes, const TreeNode* category);

// When the commands above can do something with the node.
bool CanMoveUp(const TreeNode* node);
bool CanMoveDown(const TreeNode* node);
bool CanToggleMainEntry(const TreeNode* node);

// Both nodes are entries of the same group (category, style and tempo).
bool InSameGroup(const TreeNode* a, const TreeNode* b);
// Whether an entry standing directly behind `previous` (nullptr: first in its
// category) is the first of its group there, and so must be a main entry.
bool BeginsGroup(const TreeNode* previous, const EntryNode& entry);
// The category itself, or the category of the entry; nullptr for nullptr.
TreeNode* CategoryOf(TreeNode* node);
// The selected category, or the category of the selected entry; nullptr when nothing is selected.
TreeNode* SelectedCategory(const CategoryTree& tree);

} // namespace tessaro

// Up and Down: an entry moves only inside its group, a category among the categories.
#include "edit/EditOperations.h"

#include <memory>

namespace tessaro {

namespace {

void MoveCategoryNextTo(PaneState& pane, TreeNode* category, Place place)
{
    if (pane.tree.MoveCategory(category, place)) {
        pane.tree.Select(category);
        pane.tree.EnsureVisible(category);
    }
}

} // namespace

void MoveUp(PaneState& pane, TreeNode* node)
{
    if (!node || !pane.tree.Contains(node))
        return;
    if (node->IsCategory()) {
        if (TreeNode* previous = node->PrevSibling())
            MoveCategoryNextTo(pane, node, Place::Before(previous));
        return;
    }
    if (!CanMoveUp(node))
        return;
    TreeNode* category = node->Parent();
    TreeNode* before = node->PrevSibling()->PrevSibling();
    std::unique_ptr<EntryNode> entry = pane.tree.TakeEntryNode(node);
    // Changing places with its predecessor, the entry may become the first of its group.
    if (!before || (entry->IsSubEntry() && BeginsGroup(before, *entry)))
        entry->record = AsMainEntry(entry->record);
    TreeNode* moved =
        pane.tree.InsertEntryNode(category, std::move(entry), before ? Place::After(before) : Place::First());
    pane.tree.NoteContinued(node, moved);
    pane.tree.Select(moved);
    pane.tree.EnsureVisible(moved);
}

void MoveDown(PaneState& pane, TreeNode* node)
{
    if (!node || !pane.tree.Contains(node))
        return;
    if (node->IsCategory()) {
        if (TreeNode* next = node->NextSibling())
            MoveCategoryNextTo(pane, node, Place::After(next));
        return;
    }
    if (!CanMoveDown(node))
        return;
    TreeNode* category = node->Parent();
    TreeNode* next = node->NextSibling();
    std::unique_ptr<EntryNode> entry = pane.tree.TakeEntryNode(node);
    // The successor moves up one place and may become the first of its group.
    const EntryNode& successor = *next->Payload();
    if (successor.IsSubEntry() && BeginsGroup(next->PrevSibling(), successor))
        pane.tree.ReplaceEntry(next, AsMainEntry(successor.record));
    TreeNode* moved = pane.tree.InsertEntryNode(category, std::move(entry), Place::After(next));
    pane.tree.NoteContinued(node, moved);
    pane.tree.Select(moved);
    pane.tree.EnsureVisible(moved);
}

void MoveUp(PaneState& pane)
{
    MoveUp(pane, pane.tree.Selected());
}

void MoveDown(PaneState& pane)
{
    MoveDown(pane, pane.tree.Selected());
}

} // namespace tessaro

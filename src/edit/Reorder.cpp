// Up and Down: an entry moves only inside its group, a category among the categories.
#include "edit/EditOperations.h"

#include <memory>

namespace tessaro {

namespace {

void MoveCategoryNextTo(PaneState& pane, TreeNode* category, Place place)
{
    pane.modified = true;
    if (pane.tree.MoveCategory(category, place)) {
        pane.tree.Select(category);
        pane.tree.EnsureVisible(category);
    }
}

} // namespace

void MoveUp(PaneState& pane)
{
    TreeNode* selected = pane.tree.Selected();
    if (!selected)
        return;
    if (selected->IsCategory()) {
        if (TreeNode* previous = selected->PrevSibling())
            MoveCategoryNextTo(pane, selected, Place::Before(previous));
        return;
    }
    if (!CanMoveUp(pane.tree))
        return;
    pane.modified = true;
    TreeNode* category = selected->Parent();
    TreeNode* before = selected->PrevSibling()->PrevSibling();
    std::unique_ptr<EntryNode> entry = pane.tree.TakeEntryNode(selected);
    // Changing places with its predecessor, the entry may become the first of its group.
    if (!before || (entry->IsSubEntry() && BeginsGroup(before, *entry)))
        entry->MakeMainEntry();
    TreeNode* moved =
        pane.tree.InsertEntryNode(category, std::move(entry), before ? Place::After(before) : Place::First());
    pane.tree.Select(moved);
    pane.tree.EnsureVisible(moved);
}

void MoveDown(PaneState& pane)
{
    TreeNode* selected = pane.tree.Selected();
    if (!selected)
        return;
    if (selected->IsCategory()) {
        if (TreeNode* next = selected->NextSibling())
            MoveCategoryNextTo(pane, selected, Place::After(next));
        return;
    }
    if (!CanMoveDown(pane.tree))
        return;
    pane.modified = true;
    TreeNode* category = selected->Parent();
    TreeNode* next = selected->NextSibling();
    std::unique_ptr<EntryNode> entry = pane.tree.TakeEntryNode(selected);
    // The successor moves up one place and may become the first of its group.
    EntryNode& successor = *next->Payload();
    if (successor.IsSubEntry() && BeginsGroup(next->PrevSibling(), successor)) {
        successor.MakeMainEntry();
        pane.tree.SetText(next, successor.displayLabel);
    }
    TreeNode* moved = pane.tree.InsertEntryNode(category, std::move(entry), Place::After(next));
    pane.tree.Select(moved);
    pane.tree.EnsureVisible(moved);
}

} // namespace tessaro

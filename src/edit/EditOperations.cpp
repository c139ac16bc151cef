#include "edit/EditOperations.h"

#include <memory>
#include <string>

namespace tessaro {

bool InSameGroup(const TreeNode* a, const TreeNode* b)
{
    return a && b && a->IsEntry() && b->IsEntry() && a->Payload() && b->Payload() &&
           CompareGroup(*a->Payload(), *b->Payload()) == 0;
}

bool BeginsGroup(const TreeNode* previous, const EntryNode& entry)
{
    return !previous || !previous->Payload() || CompareGroup(entry, *previous->Payload()) != 0;
}

TreeNode* SelectedCategory(const CategoryTree& tree)
{
    TreeNode* selected = tree.Selected();
    if (!selected)
        return nullptr;
    return selected->IsCategory() ? selected : selected->Parent();
}

bool CanMoveUp(const CategoryTree& tree)
{
    const TreeNode* selected = tree.Selected();
    if (!selected)
        return false;
    if (selected->IsCategory())
        return selected->PrevSibling() != nullptr;
    return InSameGroup(selected, selected->PrevSibling());
}

bool CanMoveDown(const CategoryTree& tree)
{
    const TreeNode* selected = tree.Selected();
    if (!selected)
        return false;
    if (selected->IsCategory())
        return selected->NextSibling() != nullptr;
    return InSameGroup(selected, selected->NextSibling());
}

bool CanToggleMainEntry(const CategoryTree& tree)
{
    const TreeNode* selected = tree.Selected();
    return selected && selected->IsEntry() && InSameGroup(selected, selected->PrevSibling());
}

void NewCategory(PaneState& pane, Prompts& prompts)
{
    std::string name;
    if (!prompts.EditCategory(name) || name.empty())
        return;
    pane.modified = true;
    auto placeholder = std::make_unique<EntryNode>();
    placeholder->SetCategory(name);
    placeholder->Relabel();
    // No name check: a second category of an existing name can be made this way.
    TreeNode* category = pane.tree.InsertCategoryNode(std::move(placeholder),
                                                      Place::BeforeOrLast(SelectedCategory(pane.tree)));
    if (category) {
        pane.tree.Select(category);
        pane.tree.EnsureVisible(category);
    }
}

void ToggleMainEntry(PaneState& pane)
{
    TreeNode* selected = pane.tree.Selected();
    if (!selected || selected->IsCategory() || !selected->Payload())
        return;
    EntryNode& entry = *selected->Payload();
    if (entry.IsSubEntry()) {
        entry.MakeMainEntry();
    } else {
        // A sub entry must follow an entry of its group; the first of a group stays main.
        if (!CanToggleMainEntry(pane.tree))
            return;
        entry.MakeSubEntry();
    }
    // The title is part of the saved record, so the change must not be lost on close.
    pane.modified = true;
    pane.tree.SetText(selected, entry.displayLabel);
}

void DeleteSelected(PaneState& pane, Prompts& prompts)
{
    TreeNode* selected = pane.tree.Selected();
    if (selected && selected->IsEntry() && selected->Payload()) {
        pane.modified = true;
        TreeNode* category = selected->Parent();
        TreeNode* next = selected->NextSibling();
        const std::unique_ptr<EntryNode> entry = pane.tree.TakeEntryNode(selected);
        if (!category->HasChildren()) {
            pane.tree.DeleteNode(category);
        } else if (next && !entry->IsSubEntry() && next->Payload() && next->Payload()->IsSubEntry()) {
            // The first sub entry of a deleted main entry becomes the group's main entry.
            next->Payload()->MakeMainEntry();
            pane.tree.SetText(next, next->Payload()->displayLabel);
        }
        --pane.entryCount;
    } else if (selected && selected->IsCategory()) {
        const bool confirmed =
            !selected->HasChildren() || prompts.MessageBox(Tr(Msg::DeleteCompleteCategory), MsgIcon::Question,
                                                           MsgButtons::YesNo) == MsgAnswer::Yes;
        if (confirmed) {
            pane.modified = true;
            pane.entryCount -= selected->ChildCount();
            pane.tree.DeleteNode(selected);
        }
    }
    UpdateEntryCountText(pane);
}

} // namespace tessaro

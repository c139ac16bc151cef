// Edit: the selected entry in the entry editor, or the selected category's name.
#include "edit/EditOperations.h"

#include <memory>
#include <string>
#include <vector>

namespace tessaro {

namespace {

// The edited entry's group changed: it goes to its sorted place, and a main
// entry takes the sub entries that followed it along.
void MoveEditedEntry(CategoryTree& tree, TreeNode* selected, const EntryNode& old)
{
    TreeNode* oldCategory = selected->Parent();
    TreeNode* next = selected->NextSibling();
    const bool takesSubEntries = !selected->Payload()->IsSubEntry();

    std::vector<std::unique_ptr<EntryNode>> moving;
    moving.push_back(tree.TakeEntryNode(selected));
    const EntryNode& edited = *moving.front();
    while (takesSubEntries && next) {
        const EntryNode* sub = next->Payload();
        if (!sub || !sub->IsSubEntry() || CompareGroup(*sub, old) != 0)
            break;
        TreeNode* following = next->NextSibling();
        std::unique_ptr<EntryNode> taken = tree.TakeEntryNode(next);
        taken->SetCategory(edited.GetCategory());
        taken->record.setStyleNumber(edited.record.styleNumber());
        taken->record.setTempo(edited.record.tempo());
        taken->Relabel();
        moving.push_back(std::move(taken));
        next = following;
    }
    // A main entry edited into a sub entry leaves its sub entries behind: the
    // first of them now heads the group.
    if (next && next->Payload() && next->Payload()->IsSubEntry() &&
        BeginsGroup(next->PrevSibling(), *next->Payload())) {
        next->Payload()->MakeMainEntry();
        tree.SetText(next, next->Payload()->displayLabel);
    }

    // A new category takes the old one's place, or stands above it while it has entries.
    const TreeNode* anchor = oldCategory;
    if (!oldCategory->HasChildren()) {
        anchor = oldCategory->NextSibling();
        tree.DeleteNode(oldCategory);
    }
    std::vector<TreeNode*> placed;
    for (std::unique_ptr<EntryNode>& entry : moving)
        placed.push_back(tree.InsertSorted(std::move(entry), anchor));
    if (placed.front()) {
        tree.Select(placed.front());
        tree.EnsureVisible(placed.front());
    }
}

void EditEntry(PaneState& pane, Prompts& prompts, KeyboardModel model, TreeNode* selected)
{
    EntryNode* entry = selected->Payload();
    if (!entry)
        return;
    const EntryNode old = *entry;
    if (!prompts.EditEntry(*entry, static_cast<int>(model))) {
        *entry = old; // whatever a cancelled editor did, the tree's order must hold
        return;
    }
    if (entry->record == old.record)
        return;
    pane.modified = true;
    entry->Relabel();
    if (CompareGroup(*entry, old) != 0) {
        MoveEditedEntry(pane.tree, selected, old);
        return;
    }
    if (entry->IsSubEntry() && BeginsGroup(selected->PrevSibling(), *entry))
        entry->MakeMainEntry();
    pane.tree.SetText(selected, entry->displayLabel);
}

void RenameCategory(PaneState& pane, Prompts& prompts, TreeNode* category)
{
    const EntryNode* source =
        category->HasChildren() ? category->FirstChild()->Payload() : category->Payload();
    if (!source)
        return;
    const std::string oldName = source->GetCategory();
    std::string name = oldName;
    // Byte comparison: a change of letter case is a rename. No merge, no re-sort,
    // and an empty name is taken as it is.
    if (!prompts.EditCategory(name) || name == oldName)
        return;
    pane.modified = true;
    pane.tree.RenameCategory(category, name);
}

} // namespace

void EditSelected(PaneState& pane, Prompts& prompts, KeyboardModel model)
{
    TreeNode* selected = pane.tree.Selected();
    if (!selected)
        return;
    if (selected->IsCategory())
        RenameCategory(pane, prompts, selected);
    else
        EditEntry(pane, prompts, model, selected);
}

} // namespace tessaro

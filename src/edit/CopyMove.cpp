// Copy and Move: the selection of one pane goes to the other pane as new EntryNodes.
#include "edit/EditOperations.h"

#include <memory>
#include <optional>
#include <string>

namespace tessaro {

namespace {

std::unique_ptr<EntryNode> CopyInto(const EntryNode& entry, const std::string& targetName)
{
    auto copy = std::make_unique<EntryNode>(entry);
    if (!targetName.empty())
        copy->SetCategory(targetName);
    copy->Relabel();
    return copy;
}

// Where a copy of `source` goes when the target's selected entry belongs to its group:
// a sub entry next to the selected entry, a main entry above the group's main entry.
Place PlaceInGroup(const EntryNode& source, const TreeNode* selected)
{
    if (source.IsSubEntry())
        return selected->Payload()->IsSubEntry() ? Place::Before(selected) : Place::After(selected);
    const TreeNode* head = selected;
    while (head && head->Payload() && head->Payload()->IsSubEntry() &&
           CompareGroup(*head->Payload(), source) == 0)
        head = head->PrevSibling();
    return head ? Place::Before(head) : Place::First();
}

void TransferEntry(PaneState& source, PaneState& target, bool move, Prompts& prompts, TreeNode* selected)
{
    const EntryNode* entry = selected->Payload();
    if (!entry)
        return;

    // An empty target takes the entry under its own category name; otherwise the
    // target's selection names the category.
    TreeNode* targetCategory = nullptr;
    std::string targetName;
    std::optional<Place> placeInGroup;
    if (!target.tree.IsEmpty()) {
        const TreeNode* targetSelected = target.tree.Selected();
        targetCategory = SelectedCategory(target.tree);
        if (targetCategory)
            targetName = targetCategory->Text();
        if (InSameGroup(selected, targetSelected))
            placeInGroup = PlaceInGroup(*entry, targetSelected);
        if (targetName.empty()) {
            prompts.Warn(Msg::SelectDestinationCategory);
            return;
        }
    }

    TreeNode* sourceCategory = selected->Parent();
    TreeNode* next = selected->NextSibling();
    std::unique_ptr<EntryNode> copy = CopyInto(*entry, targetName);
    TreeNode* placed = placeInGroup
                           ? target.tree.InsertEntryNode(targetCategory, std::move(copy), *placeInGroup)
                           : target.tree.InsertSorted(std::move(copy));
    if (!placed)
        return;
    ++target.entryCount;
    target.modified = true;
    target.tree.Select(placed);
    target.tree.EnsureVisible(placed);

    const EntryNode moved = *entry;
    if (move) {
        source.modified = true;
        source.tree.DeleteNode(selected);
        --source.entryCount;
    }

    // A main entry takes the sub entries that follow it. They go behind it in the
    // category it landed in (with two categories of the target name that is the
    // first one, which need not be the selected one).
    TreeNode* last = placed;
    while (!moved.IsSubEntry() && next) {
        const EntryNode* sub = next->Payload();
        if (!sub || !sub->IsSubEntry() || CompareGroup(*sub, moved) != 0)
            break;
        TreeNode* inserted =
            target.tree.InsertEntryNode(last->Parent(), CopyInto(*sub, targetName), Place::After(last));
        if (!inserted)
            break;
        ++target.entryCount;
        last = inserted;
        TreeNode* following = next->NextSibling();
        if (move) {
            source.tree.DeleteNode(next);
            --source.entryCount;
        }
        next = following;
    }

    if (move && !sourceCategory->HasChildren()) {
        source.modified = true;
        source.tree.DeleteNode(sourceCategory);
    }
}

void TransferCategory(PaneState& source, PaneState& target, bool move, TreeNode* category)
{
    const TreeNode* anchor = SelectedCategory(target.tree);
    if (category->HasChildren()) {
        for (TreeNode* child = category->FirstChild(); child;) {
            TreeNode* following = child->NextSibling();
            // The copy keeps its category name: it joins the target's category of
            // that name, or the first copy makes one above the anchor.
            const EntryNode* entry = child->Payload();
            if (entry && target.tree.InsertSorted(std::make_unique<EntryNode>(*entry), anchor)) {
                target.modified = true;
                ++target.entryCount;
                if (move) {
                    source.modified = true;
                    source.tree.DeleteNode(child);
                    --source.entryCount;
                }
            }
            child = following;
        }
    } else if (const EntryNode* placeholder = category->Payload()) {
        target.modified = true;
        target.tree.InsertCategoryNode(std::make_unique<EntryNode>(*placeholder),
                                       Place::BeforeOrLast(anchor));
    }
    // An entry the target refused stays in the source with its category.
    if (move && !category->HasChildren()) {
        source.modified = true;
        source.tree.DeleteNode(category);
    }
}

} // namespace

void CopyOrMove(PaneState& source, PaneState& target, bool move, Prompts& prompts)
{
    // One pane as both ends would feed a category's copies back into its own loop.
    TreeNode* selected = &source != &target ? source.tree.Selected() : nullptr;
    if (selected && selected->IsEntry())
        TransferEntry(source, target, move, prompts, selected);
    else if (selected)
        TransferCategory(source, target, move, selected);
    UpdateEntryCountText(source);
    UpdateEntryCountText(target);
}

} // namespace tessaro

// Edit: an entry in the entry editor, or a category's name; and entries put
// into another category of their pane as a change of their category name puts them.
#include "edit/EditOperations.h"

#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

namespace tessaro {

namespace {

// The edited entry's group changed: it goes to its sorted place, and a main
// entry takes the sub entries that followed it along.
void MoveEditedEntry(CategoryTree& tree, TreeNode* node, const MdbEntry& old, const MdbEntry& edited)
{
    TreeNode* oldCategory = node->Parent();
    TreeNode* next = node->NextSibling();
    const bool takesSubEntries = !edited.IsSubEntry();

    std::vector<std::unique_ptr<EntryNode>> moving;
    std::vector<const TreeNode*> taken{node}; // addresses only, once out of the tree
    moving.push_back(tree.TakeEntryNode(node));
    moving.front()->record = edited;
    while (takesSubEntries && next) {
        const EntryNode* sub = next->Payload();
        if (!sub || !sub->IsSubEntry() || CompareGroup(sub->record, old) != 0)
            break;
        TreeNode* following = next->NextSibling();
        taken.push_back(next);
        std::unique_ptr<EntryNode> goesAlong = tree.TakeEntryNode(next);
        goesAlong->SetCategory(edited.GetCategory());
        goesAlong->record.setStyleNumber(edited.styleNumber());
        goesAlong->record.setTempo(edited.tempo());
        moving.push_back(std::move(goesAlong));
        next = following;
    }
    // A main entry edited into a sub entry leaves its sub entries behind: the
    // first of them now heads the group.
    if (next && next->Payload() && next->Payload()->IsSubEntry() &&
        BeginsGroup(next->PrevSibling(), *next->Payload()))
        tree.ReplaceEntry(next, AsMainEntry(next->Payload()->record));

    // A new category takes the old one's place, or stands above it while it has entries.
    const TreeNode* anchor = oldCategory;
    if (!oldCategory->HasChildren()) {
        anchor = oldCategory->NextSibling();
        tree.DeleteNode(oldCategory);
    }
    std::vector<TreeNode*> placed;
    for (std::unique_ptr<EntryNode>& entry : moving)
        placed.push_back(tree.InsertSorted(std::move(entry), anchor));
    for (std::size_t i = 0; i < placed.size(); ++i)
        tree.NoteContinued(taken[i], placed[i]);
    if (placed.front()) {
        tree.Select(placed.front());
        tree.EnsureVisible(placed.front());
    }
}

void EditEntry(PaneState& pane, Prompts& prompts, KeyboardModel model, TreeNode* node)
{
    const EntryNode* entry = node->Payload();
    if (!entry)
        return;
    const MdbEntry old = entry->record;
    MdbEntry edited = old; // a cancelled editor leaves nothing behind
    if (!prompts.EditEntry(edited, static_cast<int>(model)) || edited == old)
        return;
    if (CompareGroup(edited, old) != 0) {
        MoveEditedEntry(pane.tree, node, old, edited);
        return;
    }
    if (edited.IsSubEntry() && BeginsGroup(node->PrevSibling(), EntryNode{{}, edited}))
        edited = AsMainEntry(edited);
    pane.tree.ReplaceEntry(node, edited);
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
    pane.tree.RenameCategory(category, name);
}

} // namespace

void EditNode(PaneState& pane, TreeNode* node, Prompts& prompts, KeyboardModel model)
{
    if (!node || !pane.tree.Contains(node))
        return;
    if (node->IsCategory())
        RenameCategory(pane, prompts, node);
    else
        EditEntry(pane, prompts, model, node);
}

void EditSelected(PaneState& pane, Prompts& prompts, KeyboardModel model)
{
    EditNode(pane, pane.tree.Selected(), prompts, model);
}

namespace {

// The entries that would change category. A sub entry goes along with its
// main entry when that goes too, so it is not taken on its own.
std::vector<TreeNode*> EntriesLeavingFor(const PaneState& pane, const std::vector<TreeNode*>& nodes,
                                         const TreeNode* category)
{
    std::vector<TreeNode*> leaving;
    if (!category || !category->IsCategory() || !pane.tree.Contains(category))
        return leaving;
    const std::unordered_set<const TreeNode*> chosen(nodes.begin(), nodes.end());
    std::unordered_set<const TreeNode*> taken;
    for (TreeNode* node : nodes) {
        if (!node || node->IsCategory() || !node->Payload() || !pane.tree.Contains(node))
            return {}; // a category is not put into another one
        if (node->Payload()->GetCategory() == category->CategoryName())
            continue;
        const TreeNode* head = node;
        while (head->Payload()->IsSubEntry() && InSameGroup(head, head->PrevSibling()))
            head = head->PrevSibling();
        if (head != node && chosen.count(head))
            continue;
        if (taken.insert(node).second)
            leaving.push_back(node);
    }
    return leaving;
}

} // namespace

bool CanMoveToCategory(const PaneState& pane, const std::vector<TreeNode*>& nodes, const TreeNode* category)
{
    return !EntriesLeavingFor(pane, nodes, category).empty();
}

bool MoveToCategory(PaneState& pane, const std::vector<TreeNode*>& nodes, TreeNode* category)
{
    const std::vector<TreeNode*> leaving = EntriesLeavingFor(pane, nodes, category);
    if (leaving.empty())
        return false;
    const std::string name = category->CategoryName();
    // None of them is freed by moving another: a main entry takes along only
    // sub entries that are not in the list, and a category goes only once empty.
    for (TreeNode* node : leaving) {
        const MdbEntry old = node->Payload()->record;
        MdbEntry moved = old;
        moved.SetCategory(name);
        MoveEditedEntry(pane.tree, node, old, moved);
    }
    return true;
}

} // namespace tessaro

#include "edit/EditOperations.h"

#include <memory>
#include <string>
#include <unordered_set>

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

TreeNode* CategoryOf(TreeNode* node)
{
    if (!node)
        return nullptr;
    return node->IsCategory() ? node : node->Parent();
}

TreeNode* SelectedCategory(const CategoryTree& tree)
{
    return CategoryOf(tree.Selected());
}

bool CanMoveUp(const TreeNode* node)
{
    if (!node)
        return false;
    if (node->IsCategory())
        return node->PrevSibling() != nullptr;
    return InSameGroup(node, node->PrevSibling());
}

bool CanMoveDown(const TreeNode* node)
{
    if (!node)
        return false;
    if (node->IsCategory())
        return node->NextSibling() != nullptr;
    return InSameGroup(node, node->NextSibling());
}

bool CanToggleMainEntry(const TreeNode* node)
{
    return node && node->IsEntry() && InSameGroup(node, node->PrevSibling());
}

void NewCategory(PaneState& pane, TreeNode* anchor, Prompts& prompts)
{
    std::string name;
    if (!prompts.EditCategory(name) || name.empty())
        return;
    auto placeholder = std::make_unique<EntryNode>();
    placeholder->SetCategory(name);
    // No name check: a second category of an existing name can be made this way.
    TreeNode* category =
        pane.tree.InsertCategoryNode(std::move(placeholder), Place::BeforeOrLast(CategoryOf(anchor)));
    if (category) {
        pane.tree.Select(category);
        pane.tree.EnsureVisible(category);
    }
}

void NewCategory(PaneState& pane, Prompts& prompts)
{
    NewCategory(pane, pane.tree.Selected(), prompts);
}

void ToggleMainEntry(PaneState& pane, TreeNode* node)
{
    if (!node || node->IsCategory() || !node->Payload())
        return;
    const MdbEntry& record = node->Payload()->record;
    // A sub entry must follow an entry of its group; the first of a group stays main.
    if (!record.IsSubEntry() && !CanToggleMainEntry(node))
        return;
    pane.tree.ReplaceEntry(node, record.IsSubEntry() ? AsMainEntry(record) : AsSubEntry(record));
}

void ToggleMainEntry(PaneState& pane)
{
    ToggleMainEntry(pane, pane.tree.Selected());
}

namespace {

void DeleteEntry(PaneState& pane, TreeNode* entry)
{
    TreeNode* category = entry->Parent();
    TreeNode* next = entry->NextSibling();
    const bool wasMain = !entry->Payload()->IsSubEntry();
    pane.tree.DeleteNode(entry);
    if (!category->HasChildren()) {
        pane.tree.DeleteNode(category);
    } else if (next && wasMain && next->Payload() && next->Payload()->IsSubEntry()) {
        // The first sub entry of a deleted main entry becomes the group's main entry.
        pane.tree.ReplaceEntry(next, AsMainEntry(next->Payload()->record));
    }
}

} // namespace

void Delete(PaneState& pane, const std::vector<TreeNode*>& nodes, Prompts& prompts)
{
    // An entry of a category that goes as a whole goes with it; sorted out
    // before anything is deleted, since a deleted node may be freed at once.
    std::unordered_set<const TreeNode*> categories;
    std::vector<TreeNode*> categoryOrder;
    for (TreeNode* node : nodes) {
        if (node && node->IsCategory() && pane.tree.Contains(node) && categories.insert(node).second)
            categoryOrder.push_back(node);
    }
    std::unordered_set<const TreeNode*> seen;
    std::vector<TreeNode*> entries;
    for (TreeNode* node : nodes) {
        if (node && node->IsEntry() && node->Payload() && !categories.count(node->Parent()) &&
            pane.tree.Contains(node) && seen.insert(node).second)
            entries.push_back(node);
    }

    std::size_t entryCount = entries.size();
    for (const TreeNode* category : categoryOrder)
        entryCount += static_cast<std::size_t>(category->ChildCount());
    std::string question;
    if (categoryOrder.size() + entries.size() > 1) {
        if (entryCount == 1)
            question = Tr(Msg::DeleteOneEntry);
        else if (entryCount > 1)
            question = FillArgs(Tr(Msg::DeleteEntries), {std::to_string(entryCount)});
    } else if (!categoryOrder.empty() && categoryOrder.front()->HasChildren()) {
        question = Tr(Msg::DeleteCompleteCategory);
    }
    if (!question.empty() &&
        prompts.MessageBox(question, MsgIcon::Question, MsgButtons::YesNo) != MsgAnswer::Yes)
        return;

    for (TreeNode* category : categoryOrder) {
        pane.tree.DeleteNode(category);
    }
    for (TreeNode* entry : entries) {
        DeleteEntry(pane, entry);
    }
}

void DeleteSelected(PaneState& pane, Prompts& prompts)
{
    Delete(pane, pane.tree.SelectedNodes(), prompts);
}

} // namespace tessaro

#include "edit/Search.h"

#include "data/ReadableName.h"
#include "data/Win1252.h"
#include "edit/PaneState.h"

namespace tessaro {

namespace {

// Tree order, going round: into a category's entries, on to the next sibling,
// from the last entry of a category to the next category, from the end back
// to the first category.
TreeNode* NextNode(const CategoryTree& tree, const TreeNode* node)
{
    if (node->HasChildren()) {
        return node->FirstChild();
    }
    if (TreeNode* next = node->NextSibling()) {
        return next;
    }
    if (const TreeNode* parent = node->Parent()) {
        if (TreeNode* next = parent->NextSibling()) {
            return next;
        }
    }
    return tree.FirstCategory();
}

// Searched as the tree shows the name: what a person types is what they read.
bool Contains(const std::string& text, const std::string& upperWanted)
{
    return UpperCase1252(ReadableName(text)).find(upperWanted) != std::string::npos;
}

// Entries (and a placeholder) are found by title, categories with entries by name.
bool Matches(const TreeNode& node, const std::string& upperWanted)
{
    if (const EntryNode* entry = node.Payload()) {
        return Contains(entry->GetTitle(), upperWanted);
    }
    const TreeNode* first = node.FirstChild();
    if (first != nullptr && first->Payload() != nullptr) {
        return Contains(first->Payload()->GetCategory(), upperWanted);
    }
    return false;
}

} // namespace

bool SearchNext(PaneState& pane, std::string text)
{
    CategoryTree& tree = pane.tree;
    TreeNode* start = tree.Selected() ? tree.Selected() : tree.FirstCategory();
    if (start == nullptr) {
        return false;
    }
    text = UpperCase1252(text);

    // Every node once, the start node last; the bound only guards the loop.
    TreeNode* current = start;
    for (std::size_t step = 0; step < tree.NodeCount(); ++step) {
        current = NextNode(tree, current);
        if (current == nullptr) {
            return false;
        }
        if (Matches(*current, text)) {
            tree.Select(current);
            tree.EnsureVisible(current);
            return true;
        }
        if (current == start) {
            return false;
        }
    }
    return false;
}

} // namespace tessaro

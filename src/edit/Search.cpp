#include "edit/Search.h"

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
// A stored name is one text field of the record, so it is read into the
// stack: a search visits every node of a million-entry archive.
bool Contains(std::string_view stored, std::string_view upperWanted)
{
    char shown[kTextFieldSize];
    std::size_t length = 0;
    for (std::size_t i = 0; i < stored.size() && i < kTextFieldSize; ++i) {
        shown[length++] = UpperCase1252(stored[i]);
        if (stored[i] == '&' && i + 1 < stored.size() && stored[i + 1] == '&')
            ++i; // shown as one, as ReadableName does
    }
    return std::string_view(shown, length).find(upperWanted) != std::string_view::npos;
}

// Entries (and a placeholder) are found by title, categories with entries by name.
bool Matches(const TreeNode& node, std::string_view upperWanted)
{
    if (const EntryNode* entry = node.Payload()) {
        return Contains(entry->record.TitleBytes(), upperWanted);
    }
    const TreeNode* first = node.FirstChild();
    if (first != nullptr && first->Payload() != nullptr) {
        return Contains(first->Payload()->record.CategoryBytes(), upperWanted);
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

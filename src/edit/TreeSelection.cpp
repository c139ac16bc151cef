// The multiple selection of a CategoryTree: the current node plus the others.
#include "edit/CategoryTree.h"

#include <algorithm>
#include <utility>

namespace tessaro {

namespace {

// Tree order: by category row, a category before its entries.
std::pair<int, int> TreePosition(const TreeNode* node)
{
    return node->IsCategory() ? std::pair{node->Row(), -1} : std::pair{node->Parent()->Row(), node->Row()};
}

} // namespace

void CategoryTree::SetSelection(const std::vector<TreeNode*>& nodes, TreeNode* current)
{
    std::unordered_set<TreeNode*> chosen;
    for (TreeNode* node : nodes) {
        if (Contains(node))
            chosen.insert(node);
    }
    if (!chosen.count(current)) {
        current = nullptr;
        for (TreeNode* node : chosen) {
            if (!current || TreePosition(node) < TreePosition(current))
                current = node;
        }
    }
    chosen.erase(current);
    if (current == selected_ && chosen == alsoSelected_)
        return;
    selected_ = current;
    alsoSelected_ = std::move(chosen);
    if (Notifying())
        observer_->SelectionChanged(selected_);
}

bool CategoryTree::IsSelected(const TreeNode* node) const
{
    return node && (node == selected_ || alsoSelected_.count(const_cast<TreeNode*>(node)));
}

std::vector<TreeNode*> CategoryTree::SelectedNodes() const
{
    std::vector<TreeNode*> nodes;
    if (!selected_)
        return nodes;
    nodes.reserve(SelectionCount());
    nodes.push_back(selected_);
    nodes.insert(nodes.end(), alsoSelected_.begin(), alsoSelected_.end());
    if (nodes.size() > 1) {
        std::vector<std::pair<std::pair<int, int>, TreeNode*>> keyed;
        keyed.reserve(nodes.size());
        for (TreeNode* node : nodes)
            keyed.emplace_back(TreePosition(node), node);
        std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        for (std::size_t i = 0; i < keyed.size(); ++i)
            nodes[i] = keyed[i].second;
    }
    return nodes;
}

bool CategoryTree::SelectionLeaves(const TreeNode* leaving) const
{
    if (IsSelected(leaving) || (selected_ && selected_->parent_ == leaving))
        return true;
    if (!leaving->IsCategory())
        return false;
    // Whichever is shorter: the selection or the category's entries.
    if (alsoSelected_.size() <= static_cast<std::size_t>(leaving->ChildCount())) {
        return std::any_of(alsoSelected_.begin(), alsoSelected_.end(),
                           [leaving](const TreeNode* node) { return node->parent_ == leaving; });
    }
    for (const TreeNode* child = leaving->FirstChild(); child; child = child->NextSibling()) {
        if (IsSelected(child))
            return true;
    }
    return false;
}

} // namespace tessaro

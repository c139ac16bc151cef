#pragma once
// What a CategoryTreeModel does with a drop: it decodes the drag and asks its
// target, which decides and acts (the window's state, in the application).

#include <string>
#include <vector>

namespace tessaro {

class CategoryTree;
class TreeNode;

class TreeDropTarget
{
public:
    virtual ~TreeDropTarget() = default;

    // Nodes of `source` (this model's tree or another one) dropped onto
    // `onto`, a node of this model's tree; nullptr below its rows.
    virtual bool CanDropNodes(CategoryTree& source, const std::vector<TreeNode*>& nodes,
                              const TreeNode* onto) = 0;
    virtual bool DropNodes(CategoryTree& source, const std::vector<TreeNode*>& nodes, TreeNode* onto,
                           bool move) = 0;
    // The trees a drag of nodes may come from (this model's among them): a
    // drag names its tree, and only one of these is followed.
    virtual std::vector<CategoryTree*> SourceTrees() = 0;
    // Local files dragged in from outside.
    virtual bool CanDropFiles(const std::vector<std::string>& paths) = 0;
    virtual bool DropFiles(const std::vector<std::string>& paths) = 0;
};

} // namespace tessaro

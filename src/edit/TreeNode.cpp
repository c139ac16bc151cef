#include "edit/TreeNode.h"

namespace tessaro {

std::string TreeNode::Text() const
{
    if (category_)
        return category_->text;
    // An entry takes its style names from the tree, through its category.
    return entry_.DisplayLabel(parent_ ? &parent_->category_->styles : nullptr);
}

} // namespace tessaro

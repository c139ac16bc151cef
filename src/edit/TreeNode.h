#pragma once
// One node of a pane's tree: a category at the top level, or an entry under a
// category. Nodes are created, changed and freed only by their CategoryTree;
// a node pointer stays valid until the tree deletes that node, so a view may
// keep it as a handle.

#include "edit/EntryNode.h"
#include "edit/NodePool.h"
#include "edit/NodeSequence.h"

#include <cstdint>
#include <memory>
#include <string>

namespace tessaro {

class TreeNode : public Pooled<TreeNode>
{
public:
    bool IsCategory() const { return isCategory_; }
    bool IsEntry() const { return !isCategory_; }

    // What the view shows: a category's name as labelled, an entry's display label.
    std::string Text() const
    {
        return category_ ? category_->text : payload_ ? payload_->DisplayLabel() : "";
    }
    // An entry's EntryNode; a category's placeholder, nullptr while it has entries.
    // Changed only through the tree (CategoryTree::ReplaceEntry).
    const EntryNode* Payload() const { return payload_.get(); }
    // The name a category is found by (its payload's categoryName); empty for entries.
    const std::string& CategoryName() const { return category_ ? category_->name : NoName(); }
    bool IsExpanded() const { return expanded_; }

    TreeNode* Parent() const { return parent_; } // nullptr for a category
    int Row() const { return NodeSequence::RowOf(this); }
    TreeNode* NextSibling() const { return NodeSequence::Next(this); }
    TreeNode* PrevSibling() const { return NodeSequence::Previous(this); }

    int ChildCount() const { return children_.Size(); }
    bool HasChildren() const { return children_.Size() > 0; }
    TreeNode* ChildAt(int row) const { return children_.At(row); }
    TreeNode* FirstChild() const { return children_.First(); }
    TreeNode* LastChild() const { return children_.Last(); }

private:
    friend class CategoryTree;
    friend class NodeSequence;
    friend class TreeBulkLoad;

    // Only categories carry texts of their own; an entry's come from its payload.
    struct CategoryTexts
    {
        std::string text;
        std::string name;
    };

    TreeNode(bool isCategory, uint32_t priority)
        : isCategory_(isCategory), priority_(priority),
          category_(isCategory ? std::make_unique<CategoryTexts>() : nullptr)
    {
    }
    static const std::string& NoName()
    {
        static const std::string none;
        return none;
    }

    bool isCategory_;
    bool expanded_ = false;
    TreeNode* parent_ = nullptr;
    NodeSequence children_;

    // Links of the sequence that holds this node (see NodeSequence).
    std::unique_ptr<TreeNode> left_;
    std::unique_ptr<TreeNode> right_;
    TreeNode* up_ = nullptr;
    int size_ = 1;
    uint32_t priority_;
    std::unique_ptr<CategoryTexts> category_;
    std::unique_ptr<EntryNode> payload_;
};

} // namespace tessaro

#pragma once
// One node of a pane's tree: a category at the top level, or an entry under a
// category. Nodes are created, changed and freed only by their CategoryTree;
// a node pointer stays valid until the tree deletes that node, so a view may
// keep it as a handle.
//
// An archive holds a million entries, so an entry node is its record and the
// links of its sequence and nothing more: what only a category needs (its
// children, texts, placeholder, whether it is open, the style names its
// entries' labels use) lives in a part of its own that entries do without.

#include "edit/EntryNode.h"
#include "edit/NodePool.h"
#include "edit/NodeSequence.h"

#include <cstdint>
#include <memory>
#include <string>

namespace tessaro {

class StyleCatalogue;

class TreeNode : public Pooled<TreeNode>
{
public:
    bool IsCategory() const { return category_ != nullptr; }
    bool IsEntry() const { return category_ == nullptr; }

    // What the view shows: a category's name as labelled, an entry's display label.
    std::string Text() const;
    // An entry's EntryNode; a category's placeholder, nullptr while it has entries.
    // Changed only through the tree (CategoryTree::ReplaceEntry).
    const EntryNode* Payload() const { return category_ ? category_->placeholder.get() : &entry_; }
    // The name a category is found by (its payload's categoryName); empty for entries.
    const std::string& CategoryName() const { return category_ ? category_->name : NoName(); }
    bool IsExpanded() const { return category_ && category_->expanded; }

    TreeNode* Parent() const { return parent_; } // nullptr for a category
    int Row() const { return NodeSequence::RowOf(this); }
    TreeNode* NextSibling() const { return NodeSequence::Next(this); }
    TreeNode* PrevSibling() const { return NodeSequence::Previous(this); }

    int ChildCount() const { return category_ ? category_->children.Size() : 0; }
    bool HasChildren() const { return ChildCount() > 0; }
    TreeNode* ChildAt(int row) const { return category_ ? category_->children.At(row) : nullptr; }
    TreeNode* FirstChild() const { return category_ ? category_->children.First() : nullptr; }
    TreeNode* LastChild() const { return category_ ? category_->children.Last() : nullptr; }

private:
    friend class CategoryTree;
    friend class NodeSequence;
    friend class TreeBulkLoad;

    struct CategoryPart
    {
        explicit CategoryPart(const StyleCatalogue& catalogue) : styles(catalogue) {}
        NodeSequence children;
        std::string text;
        std::string name;
        std::unique_ptr<EntryNode> placeholder;
        const StyleCatalogue& styles; // the tree's, for the labels of the entries
        bool expanded = false;
    };

    // A category when given the tree's style names, else an entry.
    TreeNode(const StyleCatalogue* categoryStyles, uint32_t priority)
        : priority_(priority),
          category_(categoryStyles ? std::make_unique<CategoryPart>(*categoryStyles) : nullptr)
    {
    }
    static const std::string& NoName()
    {
        static const std::string none;
        return none;
    }

    TreeNode* parent_ = nullptr;
    // Links of the sequence that holds this node (see NodeSequence).
    std::unique_ptr<TreeNode> left_;
    std::unique_ptr<TreeNode> right_;
    TreeNode* up_ = nullptr;
    int size_ = 1;
    uint32_t priority_;
    std::unique_ptr<CategoryPart> category_; // nullptr for an entry
    EntryNode entry_;                        // an entry's record; unused in a category
};

// What a million loaded entries cost beyond their records.
static_assert(sizeof(TreeNode) <= sizeof(MdbEntry) + 48, "an entry node grew beyond its record and links");

} // namespace tessaro

#pragma once
// What a view of a CategoryTree is told. The calls map one to one onto an item
// model's signals: BeginInsert/EndInsert onto beginInsertRows/endInsertRows,
// BeginRemove/EndRemove onto beginRemoveRows/endRemoveRows, TextChanged onto
// dataChanged, BeginReset/EndReset onto beginResetModel/endResetModel.
//
// `parent` is the category of an entry row and nullptr for a category row.
// Every change is one row. Between Begin and End the tree is left as it was
// before the change; after End it is in its new state. Removing a category
// removes its entries with it; after EndRemove the removed nodes may be freed,
// so drop every handle to them. Categories are always inserted closed, and a
// category may be inserted with its entries already under it (one moved up or
// down): the view asks for them when it needs them. After EndReset, expansion
// and selection are read afresh from the tree (SelectionChanged and
// ExpansionChanged are not sent for a reset or inside a bulk change).

namespace tessaro {

class TreeNode;

class TreeObserver
{
public:
    virtual ~TreeObserver() = default;

    virtual void BeginInsert(const TreeNode* /*parent*/, int /*row*/) {}
    virtual void EndInsert(const TreeNode* /*parent*/, int /*row*/) {}
    virtual void BeginRemove(const TreeNode* /*parent*/, int /*row*/) {}
    virtual void EndRemove(const TreeNode* /*parent*/, int /*row*/) {}
    virtual void TextChanged(const TreeNode& /*node*/) {}
    // nullptr when nothing is selected any more. Sent before a removal that
    // takes the selected node away, so the new selection is valid throughout.
    virtual void SelectionChanged(const TreeNode* /*selected*/) {}
    virtual void ExpansionChanged(const TreeNode& /*category*/) {}
    // Scroll so that the node is visible (its category is already open).
    virtual void MadeVisible(const TreeNode& /*node*/) {}
    // One edit took an entry out and put it back as a new node (moved up or
    // down, or edited into another place): whoever follows the entry may go on
    // with `now`. `was` is out of the tree and may be freed: an address only.
    virtual void Continued(const TreeNode* /*was*/, const TreeNode& /*now*/) {}
    virtual void BeginReset() {}
    virtual void EndReset() {}
};

} // namespace tessaro

#pragma once
// A pane's CategoryTree as an item model for a QTreeView: categories at the
// top, their entries below, one column with the node's text. The tree stays
// the one source of truth; its observer calls become the model's signals, one
// row at a time, and its selection and expansion are passed on as signals that
// TreeViewSync applies to the view.
//
// Dragging: the dragged nodes travel as their rows with the model they come
// from (within this process only); a drop is decoded here and decided by the
// TreeDropTarget, as are files dropped from outside.

#include "edit/TreeObserver.h"

#include <QAbstractItemModel>

#include <vector>

namespace tessaro {

class CategoryTree;
class TreeDropTarget;
class TreeNode;

// The mime type of dragged nodes.
inline constexpr char kTreeNodesMimeType[] = "application/x-tessaro-tree-nodes";

class CategoryTreeModel : public QAbstractItemModel, private TreeObserver
{
    Q_OBJECT
public:
    // Becomes the tree's observer until destroyed. The tree must outlive the model.
    explicit CategoryTreeModel(CategoryTree& tree, QObject* parent = nullptr);
    ~CategoryTreeModel() override;

    using QObject::parent;

    CategoryTree& Tree() const { return tree_; }
    // The index of a node of this tree; invalid for nullptr.
    QModelIndex IndexOf(const TreeNode* node) const;
    // The node of an index of this model; nullptr for the invalid index.
    TreeNode* NodeAt(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Drops are refused while there is no target (nullptr); the target must
    // outlive the model or be reset first.
    void SetDropTarget(TreeDropTarget* target) { dropTarget_ = target; }
    // The nodes a drag carries, when they come from one of the drop target's
    // source trees in this process: that tree and the nodes in tree order.
    struct DraggedNodes
    {
        CategoryTree* tree = nullptr;
        std::vector<TreeNode*> nodes;
    };
    DraggedNodes NodesOf(const QMimeData* data) const;

    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

signals:
    // The tree's selection moved (invalid: nothing selected).
    void TreeSelectionChanged(const QModelIndex& selected);
    void TreeExpansionChanged(const QModelIndex& category, bool expanded);
    // The tree asks for the node to be scrolled into view.
    void TreeMadeVisible(const QModelIndex& node);

private:
    // TreeObserver
    void BeginInsert(const TreeNode* parent, int row) override;
    void EndInsert(const TreeNode* parent, int row) override;
    void BeginRemove(const TreeNode* parent, int row) override;
    void EndRemove(const TreeNode* parent, int row) override;
    void TextChanged(const TreeNode& node) override;
    void SelectionChanged(const TreeNode* selected) override;
    void ExpansionChanged(const TreeNode& category) override;
    void MadeVisible(const TreeNode& node) override;
    void BeginReset() override;
    void EndReset() override;

    // The node a drop lands on: the row under it, nullptr below every row.
    TreeNode* DropNode(int row, const QModelIndex& parent) const;

    CategoryTree& tree_;
    TreeDropTarget* dropTarget_ = nullptr;
};

} // namespace tessaro

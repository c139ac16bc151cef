#pragma once
// A FolderTree as an item model for a QTreeView. The tree stays the one source
// of truth: its observer calls become the model's signals, a level is read when
// the view first wants its rows (fetchMore), and the tree's selection,
// expansion and scrolling are passed on as signals for CFolderTree to apply.

#include "browse/FolderTree.h"

#include <QAbstractItemModel>
#include <QIcon>

#include <vector>

namespace tessaro {

class FolderTreeModel : public QAbstractItemModel, private FolderTreeObserver
{
    Q_OBJECT
public:
    // Becomes the tree's observer until destroyed. The tree must outlive the model.
    explicit FolderTreeModel(FolderTree& tree, QObject* parent = nullptr);
    ~FolderTreeModel() override;

    using QObject::parent;

    FolderTree& Tree() const { return tree_; }
    // Invalid for nullptr and the invisible root.
    QModelIndex IndexOf(const FolderNode* node) const;
    // nullptr for the invalid index.
    const FolderNode* NodeAt(const QModelIndex& index) const;
    // The icon of a slot of the tree's cache; null for -1 or an icon that cannot be had.
    QIcon IconOfSlot(int slot) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    void TreeSelectionChanged(const QModelIndex& selected); // invalid: nothing selected
    void TreeExpansionChanged(const QModelIndex& node, bool expanded);
    void TreeScrollTo(const QModelIndex& node);
    void TreeDrawingSuspended(bool suspended);
    // A node's expand button appeared or went without a change of its rows.
    void ExpandButtonChanged(const QModelIndex& node);

private:
    // FolderTreeObserver
    void BeginReset() override;
    void EndReset() override;
    void BeginInsert(const FolderNode* parent, int first, int last) override;
    void EndInsert() override;
    void BeginRemove(const FolderNode* parent, int first, int last) override;
    void EndRemove() override;
    void NodeChanged(const FolderNode* node) override;
    void ExpandedChanged(const FolderNode* node, bool expanded) override;
    void SelectionChanged(const FolderNode* node) override;
    void ScrollTo(const FolderNode* node) override;
    void SuspendDrawing(bool suspended) override;

    void DecorationChanged(const FolderNode* node);

    FolderTree& tree_;
    const FolderNode* shownSelected_ = nullptr; // whose decoration shows the selected icon
    mutable std::vector<QIcon> icons_;          // by slot, loaded when first drawn
};

// The icon for a name of the tree's cache: a name beginning with ':' or '/' is a
// file, anything else an icon of the desktop's theme, or the style's nearest
// standard icon when the machine has no theme that holds it.
QIcon LoadFolderIcon(const std::string& name);

} // namespace tessaro

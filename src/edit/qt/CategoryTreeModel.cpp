#include "edit/qt/CategoryTreeModel.h"

#include "data/ReadableName.h"
#include "data/Win1252.h"
#include "edit/CategoryTree.h"

namespace tessaro {

CategoryTreeModel::CategoryTreeModel(CategoryTree& tree, QObject* parent)
    : QAbstractItemModel(parent), tree_(tree)
{
    tree_.SetObserver(this);
}

CategoryTreeModel::~CategoryTreeModel()
{
    tree_.SetObserver(nullptr);
}

QModelIndex CategoryTreeModel::IndexOf(const TreeNode* node) const
{
    if (!node)
        return {};
    return createIndex(node->Row(), 0, const_cast<TreeNode*>(node));
}

TreeNode* CategoryTreeModel::NodeAt(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return nullptr;
    return static_cast<TreeNode*>(index.internalPointer());
}

QModelIndex CategoryTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid())
        return row < tree_.CategoryCount() ? createIndex(row, 0, tree_.CategoryAt(row)) : QModelIndex();
    const TreeNode* category = NodeAt(parent);
    if (!category || !category->IsCategory() || row >= category->ChildCount())
        return {};
    return createIndex(row, 0, category->ChildAt(row));
}

QModelIndex CategoryTreeModel::parent(const QModelIndex& child) const
{
    const TreeNode* node = NodeAt(child);
    return node ? IndexOf(node->Parent()) : QModelIndex();
}

int CategoryTreeModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return tree_.CategoryCount();
    if (parent.column() != 0)
        return 0;
    const TreeNode* node = NodeAt(parent);
    return node ? node->ChildCount() : 0;
}

int CategoryTreeModel::columnCount(const QModelIndex& /*parent*/) const
{
    return 1;
}

bool CategoryTreeModel::hasChildren(const QModelIndex& parent) const
{
    return rowCount(parent) > 0;
}

QVariant CategoryTreeModel::data(const QModelIndex& index, int role) const
{
    const TreeNode* node = NodeAt(index);
    if (!node || role != Qt::DisplayRole)
        return {};
    return QString::fromStdString(ToUtf8(ReadableName(node->Text())));
}

Qt::ItemFlags CategoryTreeModel::flags(const QModelIndex& index) const
{
    const TreeNode* node = NodeAt(index);
    if (!node)
        return index.isValid() ? Qt::NoItemFlags : Qt::ItemIsDropEnabled; // below the rows
    // Whatever the target makes of a drop, it is asked (canDropMimeData).
    Qt::ItemFlags flags =
        Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
    if (node->IsEntry())
        flags |= Qt::ItemNeverHasChildren;
    return flags;
}

void CategoryTreeModel::BeginInsert(const TreeNode* parent, int row)
{
    beginInsertRows(IndexOf(parent), row, row);
}

void CategoryTreeModel::EndInsert(const TreeNode* /*parent*/, int /*row*/)
{
    endInsertRows();
}

void CategoryTreeModel::BeginRemove(const TreeNode* parent, int row)
{
    beginRemoveRows(IndexOf(parent), row, row);
}

void CategoryTreeModel::EndRemove(const TreeNode* /*parent*/, int /*row*/)
{
    endRemoveRows();
}

void CategoryTreeModel::TextChanged(const TreeNode& node)
{
    const QModelIndex changed = IndexOf(&node);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
}

void CategoryTreeModel::SelectionChanged(const TreeNode* selected)
{
    emit TreeSelectionChanged(IndexOf(selected));
}

void CategoryTreeModel::ExpansionChanged(const TreeNode& category)
{
    emit TreeExpansionChanged(IndexOf(&category), category.IsExpanded());
}

void CategoryTreeModel::MadeVisible(const TreeNode& node)
{
    emit TreeMadeVisible(IndexOf(&node));
}

void CategoryTreeModel::BeginReset()
{
    beginResetModel();
}

void CategoryTreeModel::EndReset()
{
    endResetModel();
}

} // namespace tessaro

// Dragging nodes out of a CategoryTreeModel and dropping nodes or files on it.
#include "edit/CategoryTree.h"
#include "edit/qt/CategoryTreeModel.h"
#include "edit/qt/TreeDropTarget.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QIODevice>
#include <QMimeData>
#include <QUrl>

#include <algorithm>
#include <unordered_set>
#include <utility>

namespace tessaro {

namespace {

// Category row and entry row (-1 for a category).
using NodeRows = std::pair<qint32, qint32>;

std::vector<std::string> LocalFiles(const QMimeData* data)
{
    std::vector<std::string> paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            paths.push_back(url.toLocalFile().toStdString());
    }
    return paths;
}

} // namespace

QStringList CategoryTreeModel::mimeTypes() const
{
    return {QString::fromLatin1(kTreeNodesMimeType), QStringLiteral("text/uri-list")};
}

Qt::DropActions CategoryTreeModel::supportedDragActions() const
{
    return Qt::CopyAction | Qt::MoveAction;
}

Qt::DropActions CategoryTreeModel::supportedDropActions() const
{
    return Qt::CopyAction | Qt::MoveAction;
}

QMimeData* CategoryTreeModel::mimeData(const QModelIndexList& indexes) const
{
    std::vector<NodeRows> rows;
    std::unordered_set<const TreeNode*> seen;
    for (const QModelIndex& index : indexes) {
        const TreeNode* node = NodeAt(index);
        if (!node || !seen.insert(node).second)
            continue;
        rows.push_back(node->IsCategory() ? NodeRows{node->Row(), -1}
                                          : NodeRows{node->Parent()->Row(), node->Row()});
    }
    if (rows.empty())
        return nullptr;
    std::sort(rows.begin(), rows.end());
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << QCoreApplication::applicationPid() << quint64(reinterpret_cast<quintptr>(&tree_))
        << qint32(rows.size());
    for (const NodeRows& node : rows)
        out << node.first << node.second;
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kTreeNodesMimeType), bytes);
    return data;
}

CategoryTreeModel::DraggedNodes CategoryTreeModel::NodesOf(const QMimeData* data) const
{
    if (!dropTarget_ || !data || !data->hasFormat(QString::fromLatin1(kTreeNodesMimeType)))
        return {};
    QDataStream in(data->data(QString::fromLatin1(kTreeNodesMimeType)));
    qint64 pid = 0;
    quint64 address = 0;
    qint32 count = 0;
    in >> pid >> address >> count;
    if (in.status() != QDataStream::Ok || pid != QCoreApplication::applicationPid() || count <= 0)
        return {};
    // Only the address of a tree the target knows is followed.
    const std::vector<CategoryTree*> trees = dropTarget_->SourceTrees();
    const auto source = std::find_if(trees.begin(), trees.end(), [address](const CategoryTree* tree) {
        return quint64(reinterpret_cast<quintptr>(tree)) == address;
    });
    if (source == trees.end())
        return {};
    CategoryTree& tree = **source;
    DraggedNodes dragged{&tree, {}};
    for (qint32 i = 0; i < count; ++i) {
        qint32 categoryRow = -1;
        qint32 entryRow = -1;
        in >> categoryRow >> entryRow;
        if (in.status() != QDataStream::Ok || categoryRow < 0 || categoryRow >= tree.CategoryCount())
            return {};
        TreeNode* node = tree.CategoryAt(categoryRow);
        if (entryRow >= 0) {
            if (entryRow >= node->ChildCount())
                return {};
            node = node->ChildAt(entryRow);
        }
        dragged.nodes.push_back(node);
    }
    return dragged;
}

TreeNode* CategoryTreeModel::DropNode(int row, const QModelIndex& parent) const
{
    if (parent.isValid())
        return NodeAt(parent); // on a row, or between the entries of a category
    if (row >= 0 && row < tree_.CategoryCount())
        return tree_.CategoryAt(row); // between categories: the one below
    return nullptr;
}

bool CategoryTreeModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int /*column*/,
                                        const QModelIndex& parent) const
{
    if (!dropTarget_ || !data || (action != Qt::CopyAction && action != Qt::MoveAction))
        return false;
    if (parent.isValid() && !NodeAt(parent))
        return false;
    TreeNode* onto = DropNode(row, parent);
    if (data->hasFormat(QString::fromLatin1(kTreeNodesMimeType))) {
        const DraggedNodes dragged = NodesOf(data);
        return dragged.tree && dropTarget_->CanDropNodes(*dragged.tree, dragged.nodes, onto);
    }
    // A file manager deletes what it moved: files are only ever copied in.
    if (data->hasUrls() && action == Qt::CopyAction) {
        const std::vector<std::string> paths = LocalFiles(data);
        return !paths.empty() && dropTarget_->CanDropFiles(paths);
    }
    return false;
}

bool CategoryTreeModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                                     const QModelIndex& parent)
{
    if (action == Qt::IgnoreAction)
        return true;
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    TreeNode* onto = DropNode(row, parent);
    if (data->hasFormat(QString::fromLatin1(kTreeNodesMimeType))) {
        const DraggedNodes dragged = NodesOf(data);
        return dropTarget_->DropNodes(*dragged.tree, dragged.nodes, onto, action == Qt::MoveAction);
    }
    return dropTarget_->DropFiles(LocalFiles(data));
}

} // namespace tessaro

#include "browse/qt/FolderTreeModel.h"

#include <QApplication>
#include <QStyle>

#include <string_view>

namespace tessaro {

namespace {

// The style's nearest icon for each name the namespaces give out.
QStyle::StandardPixmap StandardIconFor(std::string_view name)
{
    if (name == "folder-open")
        return QStyle::SP_DirOpenIcon;
    if (name == "user-home")
        return QStyle::SP_DirHomeIcon;
    if (name == "user-desktop")
        return QStyle::SP_DesktopIcon;
    if (name == "drive-harddisk" || name == "drive-removable-media")
        return QStyle::SP_DriveHDIcon;
    if (name == "media-floppy")
        return QStyle::SP_DriveFDIcon;
    if (name == "media-optical")
        return QStyle::SP_DriveCDIcon;
    if (name == "network-workgroup" || name == "folder-remote")
        return QStyle::SP_DriveNetIcon;
    return QStyle::SP_DirClosedIcon;
}

} // namespace

QIcon LoadFolderIcon(const std::string& name)
{
    if (name.empty())
        return {};
    const QString qname = QString::fromStdString(name);
    if (name.front() == ':' || name.front() == '/')
        return QIcon(qname);
    QIcon icon = QIcon::fromTheme(qname);
    if (icon.isNull())
        icon = QApplication::style()->standardIcon(StandardIconFor(name));
    return icon;
}

FolderTreeModel::FolderTreeModel(FolderTree& tree, QObject* parent) : QAbstractItemModel(parent), tree_(tree)
{
    tree_.SetObserver(this);
    shownSelected_ = tree_.Selected();
}

FolderTreeModel::~FolderTreeModel()
{
    tree_.SetObserver(nullptr);
}

QModelIndex FolderTreeModel::IndexOf(const FolderNode* node) const
{
    if (!node || node == &tree_.Root())
        return {};
    return createIndex(node->row, 0, const_cast<FolderNode*>(node));
}

const FolderNode* FolderTreeModel::NodeAt(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return nullptr;
    return static_cast<const FolderNode*>(index.internalPointer());
}

QIcon FolderTreeModel::IconOfSlot(int slot) const
{
    if (slot < 0 || slot >= tree_.IconCount())
        return {};
    // A slot keeps its icon for the life of the tree, so it is loaded once.
    if (icons_.size() < static_cast<std::size_t>(tree_.IconCount()))
        icons_.resize(static_cast<std::size_t>(tree_.IconCount()));
    QIcon& icon = icons_[static_cast<std::size_t>(slot)];
    if (icon.isNull())
        icon = LoadFolderIcon(tree_.IconOf(slot));
    return icon;
}

QModelIndex FolderTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    const FolderNode* node = parent.isValid() ? NodeAt(parent) : &tree_.Root();
    if (!node || column != 0 || row < 0 || row >= static_cast<int>(node->children.size()))
        return {};
    return createIndex(row, 0, node->children[static_cast<std::size_t>(row)].get());
}

QModelIndex FolderTreeModel::parent(const QModelIndex& child) const
{
    const FolderNode* node = NodeAt(child);
    return node ? IndexOf(node->parent) : QModelIndex();
}

int FolderTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0)
        return 0;
    const FolderNode* node = parent.isValid() ? NodeAt(parent) : &tree_.Root();
    return node ? static_cast<int>(node->children.size()) : 0;
}

int FolderTreeModel::columnCount(const QModelIndex& /*parent*/) const
{
    return 1;
}

bool FolderTreeModel::hasChildren(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return !tree_.Root().children.empty();
    const FolderNode* node = NodeAt(parent);
    return node && parent.column() == 0 && node->ShowsExpandButton();
}

bool FolderTreeModel::canFetchMore(const QModelIndex& parent) const
{
    const FolderNode* node = NodeAt(parent);
    return node && node->hasChildrenMark && !node->expandedOnce;
}

void FolderTreeModel::fetchMore(const QModelIndex& parent)
{
    if (const FolderNode* node = NodeAt(parent))
        tree_.OnItemExpanding(node);
}

QVariant FolderTreeModel::data(const QModelIndex& index, int role) const
{
    const FolderNode* node = NodeAt(index);
    if (!node)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(node->text);
    case Qt::DecorationRole: {
        const QIcon icon = IconOfSlot(node == tree_.Selected() ? node->selectedImage : node->image);
        return icon.isNull() ? QVariant() : QVariant(icon);
    }
    default:
        return {};
    }
}

Qt::ItemFlags FolderTreeModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void FolderTreeModel::BeginReset()
{
    beginResetModel();
}

void FolderTreeModel::EndReset()
{
    shownSelected_ = nullptr;
    endResetModel();
}

void FolderTreeModel::BeginInsert(const FolderNode* parent, int first, int last)
{
    beginInsertRows(IndexOf(parent), first, last);
}

void FolderTreeModel::EndInsert()
{
    endInsertRows();
}

void FolderTreeModel::BeginRemove(const FolderNode* parent, int first, int last)
{
    // Forget the node whose decoration shows selected when it is about to go.
    for (const FolderNode* up = shownSelected_; up; up = up->parent) {
        if (up->parent == parent && up->row >= first && up->row <= last) {
            shownSelected_ = nullptr;
            break;
        }
    }
    beginRemoveRows(IndexOf(parent), first, last);
}

void FolderTreeModel::EndRemove()
{
    endRemoveRows();
}

void FolderTreeModel::NodeChanged(const FolderNode* node)
{
    const QModelIndex index = IndexOf(node);
    if (!index.isValid())
        return;
    emit dataChanged(index, index);
    emit ExpandButtonChanged(index);
}

void FolderTreeModel::ExpandedChanged(const FolderNode* node, bool expanded)
{
    emit TreeExpansionChanged(IndexOf(node), expanded);
}

void FolderTreeModel::SelectionChanged(const FolderNode* node)
{
    // The selected item may show another icon (an open folder).
    DecorationChanged(shownSelected_);
    shownSelected_ = node;
    DecorationChanged(node);
    emit TreeSelectionChanged(IndexOf(node));
}

void FolderTreeModel::ScrollTo(const FolderNode* node)
{
    emit TreeScrollTo(IndexOf(node));
}

void FolderTreeModel::SuspendDrawing(bool suspended)
{
    emit TreeDrawingSuspended(suspended);
}

void FolderTreeModel::DecorationChanged(const FolderNode* node)
{
    const QModelIndex index = IndexOf(node);
    if (index.isValid())
        emit dataChanged(index, index, {Qt::DecorationRole});
}

} // namespace tessaro

#include "browse/qt/CFolderTree.h"

#include "common/qt/PlainButtons.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QResizeEvent>
#include <QScopedValueRollback>
#include <QStyleOptionViewItem>

namespace tessaro {

namespace {

// The menu and the failure box, at a point of the screen.
class QtContextMenuUi : public ContextMenuUi
{
public:
    QtContextMenuUi(QWidget& owner, const QPoint& globalPos) : owner_(owner), globalPos_(globalPos) {}

    int TrackMenu(const std::vector<MenuEntry>& entries) override
    {
        QMenu menu(&owner_);
        for (const MenuEntry& entry : entries)
            menu.addAction(QString::fromStdString(entry.text))->setData(entry.id);
        const QAction* chosen = menu.exec(globalPos_);
        return chosen ? chosen->data().toInt() : 0;
    }

    void ShowMessage(const std::string& text) override
    {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tessaro"), QString::fromStdString(text),
                        QMessageBox::Ok, owner_.window());
        RemoveStockButtonIcons(box);
        box.exec();
    }

private:
    QWidget& owner_;
    QPoint globalPos_;
};

} // namespace

CFolderTree::CFolderTree(ShellNamespace& shell, QWidget* parent)
    : QTreeView(parent), tree_(shell), model_(tree_)
{
    setModel(&model_);
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformRowHeights(true);
    setRootIsDecorated(true);
    setIconSize(QSize(16, 16));
    // Long names and deep levels scroll sideways rather than being cut short.
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);

    connect(this, &QTreeView::expanded, this,
            [this](const QModelIndex& index) { OnViewExpanded(index, true); });
    connect(this, &QTreeView::collapsed, this,
            [this](const QModelIndex& index) { OnViewExpanded(index, false); });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { OnViewCurrentChanged(current); });

    connect(&model_, &FolderTreeModel::TreeSelectionChanged, this, &CFolderTree::OnTreeSelectionChanged);
    connect(&model_, &FolderTreeModel::TreeExpansionChanged, this, &CFolderTree::OnTreeExpansionChanged);
    connect(&model_, &FolderTreeModel::TreeScrollTo, this,
            [this](const QModelIndex& index) { scrollTo(index); });
    connect(&model_, &FolderTreeModel::TreeDrawingSuspended, this,
            [this](bool suspended) { setUpdatesEnabled(!suspended); });
    // The view keeps whether a row has children from its last layout.
    connect(&model_, &FolderTreeModel::ExpandButtonChanged, this, [this] { scheduleDelayedItemsLayout(); });
    connect(&model_, &QAbstractItemModel::rowsAboutToBeRemoved, this, [this] { removing_ = true; });
    connect(&model_, &QAbstractItemModel::rowsRemoved, this, [this] {
        removing_ = false;
        ShowTreeSelection(); // the view may have moved its current row by itself
    });
}

CFolderTree::~CFolderTree()
{
    // The model goes before the view's base class: stop listening to it first.
    disconnect(&model_, nullptr, this, nullptr);
    setModel(nullptr);
}

QModelIndex CFolderTree::RowAt(const QPoint& point) const
{
    // Any x inside the column finds the row; the column may end left of the point.
    const int left = std::max(columnViewportPosition(0), 0);
    return indexAt(QPoint(left, point.y()));
}

bool CFolderTree::IsOnIconOrLabel(const QModelIndex& index, const QPoint& point) const
{
    if (!index.isValid())
        return false;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    option.text = index.data(Qt::DisplayRole).toString();
    option.features |= QStyleOptionViewItem::HasDisplay;
    const QVariant decoration = index.data(Qt::DecorationRole);
    if (decoration.canConvert<QIcon>()) {
        option.icon = decoration.value<QIcon>();
        option.features |= QStyleOptionViewItem::HasDecoration;
    }
    const QRect iconRect = style()->subElementRect(QStyle::SE_ItemViewItemDecoration, &option, this);
    // The text element runs to the end of the cell; the label is as wide as its text.
    QRect labelRect = style()->subElementRect(QStyle::SE_ItemViewItemText, &option, this);
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    labelRect.setWidth(
        std::min(labelRect.width(), option.fontMetrics.horizontalAdvance(option.text) + 2 * margin));
    return iconRect.contains(point) || labelRect.contains(point);
}

void CFolderTree::contextMenuEvent(QContextMenuEvent* event)
{
    QModelIndex index;
    bool onIconOrLabel = false;
    QPoint globalPos = event->globalPos();
    if (event->reason() == QContextMenuEvent::Mouse) {
        index = RowAt(event->pos());
        onIconOrLabel = IsOnIconOrLabel(index, event->pos());
    } else {
        // From the keyboard: the menu of the current folder, below its label.
        index = currentIndex();
        onIconOrLabel = index.isValid();
        if (onIconOrLabel)
            globalPos = viewport()->mapToGlobal(visualRect(index).bottomLeft());
    }
    QtContextMenuUi realUi(*this, globalPos);
    tree_.OnRightClick(model_.NodeAt(index), onIconOrLabel, menuUi_ ? *menuUi_ : realUi);
    event->accept();
}

bool CFolderTree::viewportEvent(QEvent* event)
{
    // The column is at least as wide as the view, so that a row is selected across it.
    if (event->type() == QEvent::Resize)
        header()->setMinimumSectionSize(static_cast<QResizeEvent*>(event)->size().width());
    return QTreeView::viewportEvent(event);
}

void CFolderTree::OnViewExpanded(const QModelIndex& index, bool expanded)
{
    if (applying_)
        return;
    const FolderNode* node = model_.NodeAt(index);
    if (!node)
        return;
    if (expanded)
        tree_.Expand(node);
    else
        tree_.Collapse(node);
}

void CFolderTree::OnViewCurrentChanged(const QModelIndex& current)
{
    if (applying_ || removing_)
        return;
    // An invalid current row comes from the view tidying up, not from the user.
    if (const FolderNode* node = model_.NodeAt(current))
        tree_.Select(node);
}

void CFolderTree::OnTreeSelectionChanged(const QModelIndex& /*selected*/)
{
    if (!removing_)
        ShowTreeSelection();
    emit SelectionChanged();
}

void CFolderTree::OnTreeExpansionChanged(const QModelIndex& node, bool expanded)
{
    QScopedValueRollback<bool> applying(applying_, true);
    setExpanded(node, expanded);
}

void CFolderTree::ShowTreeSelection()
{
    QScopedValueRollback<bool> applying(applying_, true);
    const QModelIndex selected = model_.IndexOf(tree_.Selected());
    QItemSelectionModel* selection = selectionModel();
    if (selected.isValid()) {
        if (selection->currentIndex() != selected || !selection->isSelected(selected))
            selection->setCurrentIndex(selected, QItemSelectionModel::ClearAndSelect);
    } else {
        selection->clearSelection();
        selection->clearCurrentIndex();
    }
}

} // namespace tessaro

#include "edit/qt/TreeViewSync.h"

#include "edit/CategoryTree.h"
#include "edit/qt/CategoryTreeModel.h"

#include <QItemSelectionModel>
#include <QTreeView>

namespace tessaro {

namespace {

// Sets a flag for a scope.
class Flag
{
public:
    explicit Flag(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~Flag() { flag_ = old_; }
    Flag(const Flag&) = delete;
    Flag& operator=(const Flag&) = delete;

private:
    bool& flag_;
    bool old_;
};

} // namespace

TreeViewSync::TreeViewSync(QTreeView& view, CategoryTreeModel& model)
    : QObject(&view), view_(view), model_(model)
{
    view_.setModel(&model_);
    view_.setSelectionMode(QAbstractItemView::SingleSelection);
    view_.setSelectionBehavior(QAbstractItemView::SelectRows);

    connect(&view_, &QTreeView::expanded, this,
            [this](const QModelIndex& index) { OnViewExpanded(index, true); });
    connect(&view_, &QTreeView::collapsed, this,
            [this](const QModelIndex& index) { OnViewExpanded(index, false); });
    connect(view_.selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { OnViewCurrentChanged(current); });

    connect(&model_, &CategoryTreeModel::TreeSelectionChanged, this, &TreeViewSync::OnTreeSelectionChanged);
    connect(&model_, &CategoryTreeModel::TreeExpansionChanged, this, &TreeViewSync::OnTreeExpansionChanged);
    connect(&model_, &CategoryTreeModel::TreeMadeVisible, this, &TreeViewSync::OnTreeMadeVisible);
    connect(&model_, &QAbstractItemModel::rowsInserted, this, &TreeViewSync::OnRowsInserted);
    connect(&model_, &QAbstractItemModel::rowsAboutToBeRemoved, this, [this] { removing_ = true; });
    connect(&model_, &QAbstractItemModel::rowsRemoved, this, [this] {
        removing_ = false;
        ShowTreeSelection(); // the view may have moved its current row by itself
    });
    connect(&model_, &QAbstractItemModel::modelReset, this, &TreeViewSync::ShowTreeState);

    ShowTreeState();
}

void TreeViewSync::ShowTreeState()
{
    Flag applying(applying_);
    CategoryTree& tree = model_.Tree();
    for (int row = 0; row < tree.CategoryCount(); ++row) {
        const TreeNode* category = tree.CategoryAt(row);
        view_.setExpanded(model_.index(row, 0), category->IsExpanded());
    }
    ShowTreeSelection();
}

void TreeViewSync::ShowTreeSelection()
{
    Flag applying(applying_);
    // Scrolling to the new current row would open its category; only the
    // tree opens categories (EnsureVisible), so the view must not by itself.
    const bool autoScroll = view_.hasAutoScroll();
    view_.setAutoScroll(false);
    const QModelIndex selected = model_.IndexOf(model_.Tree().Selected());
    QItemSelectionModel* selection = view_.selectionModel();
    if (selected.isValid()) {
        if (selection->currentIndex() != selected || !selection->isSelected(selected))
            selection->setCurrentIndex(selected, QItemSelectionModel::ClearAndSelect);
    } else
        selection->clear();
    view_.setAutoScroll(autoScroll);
}

void TreeViewSync::OnViewExpanded(const QModelIndex& index, bool expanded)
{
    if (applying_)
        return;
    if (TreeNode* category = model_.NodeAt(index))
        model_.Tree().SetExpanded(category, expanded);
}

void TreeViewSync::OnViewCurrentChanged(const QModelIndex& current)
{
    if (applying_ || removing_)
        return;
    // The user cannot select nothing; an invalid current row comes from the
    // view tidying up and leaves the tree's selection alone.
    if (TreeNode* node = model_.NodeAt(current))
        model_.Tree().Select(node);
}

void TreeViewSync::OnTreeSelectionChanged(const QModelIndex& /*selected*/)
{
    if (!removing_)
        ShowTreeSelection();
}

void TreeViewSync::OnTreeExpansionChanged(const QModelIndex& category, bool expanded)
{
    Flag applying(applying_);
    view_.setExpanded(category, expanded);
}

void TreeViewSync::OnTreeMadeVisible(const QModelIndex& node)
{
    view_.scrollTo(node);
}

void TreeViewSync::OnRowsInserted(const QModelIndex& parent, int first, int last)
{
    Flag applying(applying_);
    if (!parent.isValid()) {
        // A category comes in with the tree's expanded state (a moved one closed).
        for (int row = first; row <= last; ++row) {
            const QModelIndex index = model_.index(row, 0);
            if (const TreeNode* category = model_.NodeAt(index))
                view_.setExpanded(index, category->IsExpanded());
        }
    }
    ShowTreeSelection();
}

} // namespace tessaro

#include "edit/qt/TreeViewSync.h"

#include "edit/CategoryTree.h"
#include "edit/qt/CategoryTreeModel.h"

#include <QItemSelectionModel>
#include <QTreeView>

#include <algorithm>
#include <vector>

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
    view_.setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_.setSelectionBehavior(QAbstractItemView::SelectRows);

    connect(&view_, &QTreeView::expanded, this,
            [this](const QModelIndex& index) { OnViewExpanded(index, true); });
    connect(&view_, &QTreeView::collapsed, this,
            [this](const QModelIndex& index) { OnViewExpanded(index, false); });
    // The selection model tells a change of the current row and of the
    // selection apart; the tree hears both as one.
    connect(view_.selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TreeViewSync::OnViewSelectionChanged);
    connect(view_.selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TreeViewSync::OnViewSelectionChanged);

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
    const CategoryTree& tree = model_.Tree();
    const QModelIndex selected = model_.IndexOf(tree.Selected());
    QItemSelectionModel* selection = view_.selectionModel();
    if (!selected.isValid()) {
        if (selection->hasSelection() || selection->currentIndex().isValid())
            selection->clear();
    } else if (tree.SelectionCount() == 1) {
        if (selection->currentIndex() != selected || !selection->isSelected(selected) ||
            selection->selectedRows().size() != 1)
            selection->setCurrentIndex(selected, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    } else if (!ViewShowsTreeSelection()) {
        QItemSelection rows;
        for (const TreeNode* node : tree.SelectedNodes()) {
            const QModelIndex index = model_.IndexOf(node);
            rows.select(index, index);
        }
        selection->select(rows, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        selection->setCurrentIndex(selected, QItemSelectionModel::NoUpdate);
    }
    view_.setAutoScroll(autoScroll);
}

bool TreeViewSync::ViewShowsTreeSelection() const
{
    const CategoryTree& tree = model_.Tree();
    QItemSelectionModel* selection = view_.selectionModel();
    if (selection->currentIndex() != model_.IndexOf(tree.Selected()))
        return false;
    const QModelIndexList rows = selection->selectedRows();
    if (static_cast<std::size_t>(rows.size()) != tree.SelectionCount())
        return false;
    return std::all_of(rows.begin(), rows.end(),
                       [&](const QModelIndex& row) { return tree.IsSelected(model_.NodeAt(row)); });
}

void TreeViewSync::OnViewExpanded(const QModelIndex& index, bool expanded)
{
    if (applying_)
        return;
    if (TreeNode* category = model_.NodeAt(index))
        model_.Tree().SetExpanded(category, expanded);
}

void TreeViewSync::OnViewSelectionChanged()
{
    if (applying_ || removing_)
        return;
    // What is highlighted is selected: a Ctrl-click that takes the highlight
    // off the current row leaves it unselected. The view tidying up after a
    // reset clears nothing the tree still holds.
    QItemSelectionModel* selection = view_.selectionModel();
    std::vector<TreeNode*> nodes;
    for (const QModelIndex& row : selection->selectedRows()) {
        if (TreeNode* node = model_.NodeAt(row))
            nodes.push_back(node);
    }
    const QModelIndex current = selection->currentIndex();
    if (nodes.empty() && !current.isValid())
        return;
    model_.Tree().SetSelection(nodes, selection->isSelected(current) ? model_.NodeAt(current) : nullptr);
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

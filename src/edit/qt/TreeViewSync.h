#pragma once
// Keeps a QTreeView's expanded categories and selected rows (one or several,
// by Ctrl- and Shift-clicks) in step with its CategoryTree, both ways: what the user opens, closes or selects
// in the view goes into the tree, and what an operation does to the tree shows in the view. The tree decides;
// the view follows it after every reset.

#include <QObject>

class QModelIndex;
class QTreeView;

namespace tessaro {

class CategoryTreeModel;

class TreeViewSync : public QObject
{
    Q_OBJECT
public:
    // Sets the model on the view (extended selection) and follows both. The
    // view and the model must outlive the sync; the view is its parent.
    TreeViewSync(QTreeView& view, CategoryTreeModel& model);

    // Shows the tree's expansion and selection in the view afresh.
    void ShowTreeState();

private:
    void OnViewExpanded(const QModelIndex& index, bool expanded);
    void OnViewSelectionChanged();
    void OnTreeSelectionChanged(const QModelIndex& selected);
    void OnTreeExpansionChanged(const QModelIndex& category, bool expanded);
    void OnTreeMadeVisible(const QModelIndex& node);
    void OnRowsInserted(const QModelIndex& parent, int first, int last);
    void ShowTreeSelection();
    bool ViewShowsTreeSelection() const;

    QTreeView& view_;
    CategoryTreeModel& model_;
    bool applying_ = false; // the view is being changed from the tree
    bool removing_ = false; // between rowsAboutToBeRemoved and rowsRemoved
};

} // namespace tessaro

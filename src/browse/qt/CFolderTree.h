#pragma once
// The folder tree control: a QTreeView over a FolderTree that shows the shell
// namespace, folders only, read one level at a time. What the user opens,
// closes or selects goes into the tree; what the tree does (a path search, a
// refill) shows in the view. A right click offers the folder's context menu.

#include "browse/FolderTree.h"
#include "browse/qt/FolderTreeModel.h"

#include <QTreeView>

#include <string>

namespace tessaro {

class CFolderTree : public QTreeView
{
    Q_OBJECT
public:
    // The namespace must outlive the control.
    explicit CFolderTree(ShellNamespace& shell, QWidget* parent = nullptr);
    ~CFolderTree() override;

    FolderTree& Tree() { return tree_; }
    FolderTreeModel& Model() { return model_; }

    // The tree's operations, under the names the dialogs use.
    int AddCustomIcon(const std::string& icon) { return tree_.AddCustomIcon(icon); }
    void SetDisplayCallback(ItemDisplayFn callback) { tree_.SetDisplayCallback(std::move(callback)); }
    void FillTree(bool noNetwork, const std::string& startPath) { tree_.FillTree(noNetwork, startPath); }
    bool GetSelectedPath(std::string& path) { return tree_.GetSelectedPath(path); }
    bool SelectPath(const std::string& path) { return tree_.SelectPath(path); }

    // Where the context menu is shown; nullptr (the default) shows a real menu.
    // Tests put a scripted one here.
    void SetContextMenuUi(ContextMenuUi* ui) { menuUi_ = ui; }

    // The row under a point of the viewport, wherever on the row the point lies.
    QModelIndex RowAt(const QPoint& point) const;
    // Whether a point of the viewport lies on the icon or the text of the item.
    bool IsOnIconOrLabel(const QModelIndex& index, const QPoint& point) const;

signals:
    // The tree's selected folder changed, whoever changed it.
    void SelectionChanged();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void OnViewExpanded(const QModelIndex& index, bool expanded);
    void OnViewCurrentChanged(const QModelIndex& current);
    void OnTreeSelectionChanged(const QModelIndex& selected);
    void OnTreeExpansionChanged(const QModelIndex& node, bool expanded);
    void ShowTreeSelection();

    FolderTree tree_;
    FolderTreeModel model_; // after tree_: it leaves the tree when destroyed
    ContextMenuUi* menuUi_ = nullptr;
    bool applying_ = false; // the view is being changed from the tree
    bool removing_ = false; // between rowsAboutToBeRemoved and rowsRemoved
};

} // namespace tessaro

#pragma once
// A pane's tree as a place to drop on: nodes from either tree and files from
// outside go to the window's state, each drop as one command of the window.

#include "edit/PaneState.h"
#include "edit/qt/TreeDropTarget.h"

#include <QObject>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QEvent;
class QTreeView;
class QWidget;

namespace tessaro {

class MainWindowState;

class PaneDropTarget : public QObject, public TreeDropTarget
{
    Q_OBJECT
public:
    // Runs a command and shows the state afterwards (the window's RunCommand).
    using CommandRunner = std::function<void(const std::function<void()>&)>;

    PaneDropTarget(MainWindowState& state, PaneId pane, CommandRunner run, QObject* parent = nullptr);

    bool CanDropNodes(CategoryTree& source, const std::vector<TreeNode*>& nodes,
                      const TreeNode* onto) override;
    bool DropNodes(CategoryTree& source, const std::vector<TreeNode*>& nodes, TreeNode* onto,
                   bool move) override;
    // The first file that belongs to this pane opens there, once the drop is
    // over: the save-changes question must not hold up the file manager.
    std::vector<CategoryTree*> SourceTrees() override;
    bool CanDropFiles(const std::vector<std::string>& paths) override;
    bool DropFiles(const std::vector<std::string>& paths) override;

private:
    // The pane whose tree it is; nothing for a tree of neither pane.
    std::optional<PaneId> PaneOf(const CategoryTree& tree) const;
    const std::string* FileForPane(const std::vector<std::string>& paths) const;

    MainWindowState& state_;
    PaneId pane_;
    CommandRunner run_;
};

// Files dropped on the window where no tree takes them (a pane without a
// database has its tree disabled) open in the pane they belong to.
class WindowFileDrops : public QObject
{
    Q_OBJECT
public:
    WindowFileDrops(QWidget& window, MainWindowState& state, PaneDropTarget::CommandRunner run);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MainWindowState& state_;
    PaneDropTarget::CommandRunner run_;
};

// Several rows selectable with Ctrl and Shift, dragged out and dropped on,
// the drop shown on the row under the pointer.
void EnableTreeDragAndDrop(QTreeView& view);

} // namespace tessaro

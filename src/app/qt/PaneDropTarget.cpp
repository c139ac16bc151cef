#include "app/qt/PaneDropTarget.h"

#include "app/FileKinds.h"
#include "app/MainWindowState.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QTreeView>
#include <QUrl>
#include <QWidget>

namespace tessaro {

PaneDropTarget::PaneDropTarget(MainWindowState& state, PaneId pane, CommandRunner run, QObject* parent)
    : QObject(parent), state_(state), pane_(pane), run_(std::move(run))
{
}

std::optional<PaneId> PaneDropTarget::PaneOf(const CategoryTree& tree) const
{
    for (PaneId id : kPaneIds) {
        if (&state_.Pane(id).tree == &tree)
            return id;
    }
    return std::nullopt;
}

bool PaneDropTarget::CanDropNodes(CategoryTree& source, const std::vector<TreeNode*>& nodes,
                                  const TreeNode* onto)
{
    const std::optional<PaneId> from = PaneOf(source);
    return from && state_.CanDropNodes(*from, nodes, pane_, onto);
}

bool PaneDropTarget::DropNodes(CategoryTree& source, const std::vector<TreeNode*>& nodes, TreeNode* onto,
                               bool move)
{
    const std::optional<PaneId> from = PaneOf(source);
    if (!from || !state_.CanDropNodes(*from, nodes, pane_, onto))
        return false;
    run_([&] { state_.DropNodes(*from, nodes, pane_, onto, move); });
    return true;
}

const std::string* PaneDropTarget::FileForPane(const std::vector<std::string>& paths) const
{
    for (const std::string& path : paths) {
        if (state_.CanOpenDroppedFile(pane_, path))
            return &path;
    }
    return nullptr;
}

std::vector<CategoryTree*> PaneDropTarget::SourceTrees()
{
    std::vector<CategoryTree*> trees;
    for (PaneId id : kPaneIds)
        trees.push_back(&state_.Pane(id).tree);
    return trees;
}

bool PaneDropTarget::CanDropFiles(const std::vector<std::string>& paths)
{
    return FileForPane(paths) != nullptr;
}

bool PaneDropTarget::DropFiles(const std::vector<std::string>& paths)
{
    const std::string* path = FileForPane(paths);
    if (!path)
        return false;
    QTimer::singleShot(
        0, this, [this, file = *path] { run_([this, &file] { state_.OpenDroppedFile(pane_, file); }); });
    return true;
}

WindowFileDrops::WindowFileDrops(QWidget& window, MainWindowState& state, PaneDropTarget::CommandRunner run)
    : QObject(&window), state_(state), run_(std::move(run))
{
    window.setAcceptDrops(true);
    window.installEventFilter(this);
}

bool WindowFileDrops::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    // Files are only ever copied in: a file manager deletes what it moved.
    std::optional<std::string> file;
    if (drop->mimeData()->hasUrls() && (drop->possibleActions() & Qt::CopyAction)) {
        for (const QUrl& url : drop->mimeData()->urls()) {
            const std::string path = url.toLocalFile().toStdString();
            if (url.isLocalFile() && state_.CanOpenDroppedFile(PaneForFile(path), path)) {
                file = path;
                break;
            }
        }
    }
    if (!file) {
        drop->ignore();
        return true;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop) {
        QTimer::singleShot(0, this, [this, path = *file] {
            run_([this, &path] { state_.OpenDroppedFile(PaneForFile(path), path); });
        });
    }
    return true;
}

void EnableTreeDragAndDrop(QTreeView& view)
{
    view.setSelectionMode(QAbstractItemView::ExtendedSelection);
    view.setDragEnabled(true);
    view.setAcceptDrops(true);
    view.setDragDropMode(QAbstractItemView::DragDrop);
    view.setDefaultDropAction(Qt::CopyAction); // Shift moves
    // Nodes land on a category, never between rows: the indicator frames the row.
    view.setDragDropOverwriteMode(true);
    view.setDropIndicatorShown(true);
}

} // namespace tessaro

// Drag and drop onto the panes: nodes from either pane, files from outside.
#include "app/MainWindowState.h"
#include "app/MdbCapacity.h"

#include "app/FileKinds.h"
#include "data/InputFile.h"
#include "edit/EditOperations.h"
#include "image/ImageFiles.h"

namespace tessaro {

namespace {

bool AllIn(const PaneState& pane, const std::vector<TreeNode*>& nodes)
{
    for (const TreeNode* node : nodes) {
        if (!pane.tree.Contains(node))
            return false;
    }
    return !nodes.empty();
}

} // namespace

bool MainWindowState::CanDropNodes(PaneId from, const std::vector<TreeNode*>& nodes, PaneId to,
                                   const TreeNode* onto)
{
    const PaneState& source = Pane(from);
    const PaneState& target = Pane(to);
    if (!source.loaded || !target.loaded || !AllIn(source, nodes))
        return false;
    if (onto && !target.tree.Contains(onto))
        return false;
    if (from != to)
        return true; // a copy always lands somewhere
    return onto && CanMoveToCategory(target, nodes, CategoryOf(const_cast<TreeNode*>(onto)));
}

bool MainWindowState::DropNodes(PaneId from, const std::vector<TreeNode*>& nodes, PaneId to, TreeNode* onto,
                                bool move)
{
    if (!CanDropNodes(from, nodes, to, onto))
        return false;
    PaneState& source = Pane(from);
    PaneState& target = Pane(to);
    if (from == to) {
        workspace.history.Begin(StepName(Caption::Move, nodes), to);
        MoveToCategory(target, nodes, CategoryOf(onto));
    } else {
        if (!ConfirmMdbCapacity(to, target, EntriesIn(nodes), prompts_))
            return false;
        workspace.history.Begin(StepName(move ? Caption::Move : Caption::Copy, nodes), to);
        if (!Transfer(source, nodes, target, onto ? onto : target.tree.FirstCategory(), move, prompts_,
                      progress)) {
            workspace.history.Rollback(); // cancelled: both panes as they were
            return false;
        }
    }
    workspace.history.Commit();
    SetActivePane(to);
    return true;
}

bool MainWindowState::CanOpenDroppedFile(PaneId pane, const std::string& path) const
{
    const PaneState& state = Pane(pane);
    if (path.empty() || (state.loaded && state.fileName == path))
        return false;
    FileInput probe; // folders, pipes and devices are no files to open
    return probe.Open(path) && PaneForFile(path) == pane;
}

bool MainWindowState::OpenDroppedFile(PaneId pane, const std::string& path)
{
    if (!CanOpenDroppedFile(pane, path))
        return false;
    if (OpeningOfImage(path)) { // a floppy image: what it holds opens as a named one does
        const std::string before = Pane(pane).fileName;
        OpenFiles({path});
        return Pane(pane).fileName != before;
    }
    if (!ConfirmDiscard(pane))
        return false;
    return OpenFileIn(pane, path);
}

} // namespace tessaro

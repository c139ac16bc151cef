// Nodes dragged within a pane or from one pane to the other.
#include "app/MainWindowState.h"
#include "app/MdbCapacity.h"

#include "edit/EditOperations.h"

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
        context_.workspace.history.Begin(StepName(Caption::Move, nodes), to);
        MoveToCategory(target, nodes, CategoryOf(onto));
    } else {
        if (!ConfirmMdbCapacity(to, target, EntriesIn(nodes), context_.prompts))
            return false;
        context_.workspace.history.Begin(StepName(move ? Caption::Move : Caption::Copy, nodes), to);
        if (!Transfer(source, nodes, target, onto ? onto : target.tree.FirstCategory(), move, prompts_,
                      context_.progress)) {
            context_.workspace.history.Rollback(); // cancelled: both panes as they were
            return false;
        }
    }
    context_.workspace.history.Commit();
    SetActivePane(to);
    return true;
}

} // namespace tessaro

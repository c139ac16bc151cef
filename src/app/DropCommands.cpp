// Nodes dragged within a pane or from one pane to the other.
#include "app/MainWindowState.h"
#include "app/MdbCapacity.h"

#include "edit/EditOperations.h"

#include <algorithm>

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
    std::size_t arrived = 0;
    std::string where;
    if (from == to) {
        TreeNode* category = CategoryOf(onto);
        where = category->Text();
        const int had = category->ChildCount();
        context_.workspace.history.Begin(StepName(Caption::Move, nodes), to);
        MoveToCategory(target, nodes, category);
        arrived = static_cast<std::size_t>(std::max(0, category->ChildCount() - had));
    } else {
        if (!ConfirmMdbCapacity(to, target, EntriesIn(nodes), context_.prompts))
            return false;
        TreeNode* destination = onto ? onto : target.tree.FirstCategory();
        where = TransferDestination(target, nodes, destination);
        const int had = target.EntryCount();
        context_.workspace.history.Begin(StepName(move ? Caption::Move : Caption::Copy, nodes), to);
        if (!Transfer(source, nodes, target, destination, move, prompts_, context_.progress)) {
            context_.workspace.history.Rollback(); // cancelled: both panes as they were
            return false;
        }
        arrived = static_cast<std::size_t>(std::max(0, target.EntryCount() - had));
    }
    context_.workspace.history.Commit();
    if (arrived > 0)
        context_.lastTransfer.Note(move || from == to, arrived, where);
    SetActivePane(to);
    return true;
}

} // namespace tessaro

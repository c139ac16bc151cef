// The edit column and the tree notifications. Each command works on the active
// pane and does nothing while its button would be disabled, so a click that
// races a state change cannot reach a pane that is not there.
#include "app/MainWindowState.h"
#include "app/MdbCapacity.h"

#include "data/Win1252.h"
#include "edit/EditOperations.h"
#include "edit/Reports.h"
#include "edit/Search.h"

#include <type_traits>

namespace tessaro {

namespace {

// The Search dialog searches the active pane at each press.
class ActivePaneSearch final : public SearchHost
{
public:
    explicit ActivePaneSearch(MainWindowState& state) : state_(state) {}

    bool SearchStep(const std::string& text) override
    {
        state_.lastSearchText = text; // for Search again
        PaneState* pane = state_.ActivePane();
        return pane && SearchNext(*pane, text);
    }
    bool SearchesLeftPane() const override { return state_.IsActive(PaneId::Mdb); }

private:
    MainWindowState& state_;
};

} // namespace

template <class Command> void MainWindowState::AsStep(const std::string& name, Command command)
{
    workspace.history.Begin(name, *active_);
    if constexpr (std::is_same_v<decltype(command()), bool>) {
        if (!command()) {
            workspace.history.Rollback(); // cancelled part way: as if it never ran
            return;
        }
    } else {
        command();
    }
    workspace.history.Commit();
}

std::string MainWindowState::StepName(Caption action, const TreeNode* node) const
{
    if (!node)
        return Tr(action);
    std::string name = node->IsCategory() ? node->CategoryName() : node->Payload()->GetTitle();
    name.erase(0, name.find_first_not_of(' ')); // a sub entry's indent is no part of its name
    return Tr(action) + " \"" + ToUtf8(name) + "\"";
}

std::string MainWindowState::StepName(Caption action, const std::vector<TreeNode*>& nodes) const
{
    if (nodes.size() == 1)
        return StepName(action, nodes.front());
    return FillArgs(Tr(Caption::SeveralNodesStep), {Tr(action), std::to_string(nodes.size())});
}

void MainWindowState::NewCategory()
{
    if (ComputeEditFacts().paneLoaded)
        AsStep(Tr(Caption::NewCategory), [this] { tessaro::NewCategory(*ActivePane(), prompts_); });
}

void MainWindowState::EditSelected()
{
    const EditFacts facts = ComputeEditFacts();
    if (!facts.paneLoaded || !facts.single)
        return;
    const TreeNode* selected = ActivePane()->tree.Selected();
    AsStep(StepName(selected->IsCategory() ? Caption::RenameStep : Caption::EditStep, selected), [this] {
        tessaro::EditSelected(*ActivePane(), prompts_, static_cast<KeyboardModel>(keyboardModel));
    });
}

void MainWindowState::ToggleMainEntry()
{
    const EditFacts facts = ComputeEditFacts();
    if (facts.isSub || facts.isMain)
        AsStep(StepName(facts.isSub ? Caption::MainEntry : Caption::SubEntry, ActivePane()->tree.Selected()),
               [this] { tessaro::ToggleMainEntry(*ActivePane()); });
}

void MainWindowState::CopyOrMoveCommand(bool move)
{
    const EditFacts facts = ComputeEditFacts();
    if (!facts.paneLoaded || !facts.selected || !facts.otherLoaded)
        return;
    PaneState& source = *ActivePane();
    PaneState& target = *OtherPane();
    const std::vector<TreeNode*> nodes = source.tree.SelectedNodes();
    if (!ConfirmMdbCapacity(tessaro::OtherPane(*active_), target, EntriesIn(nodes), prompts_))
        return;
    const ProgressFile named(progress, target.fileName);
    AsStep(StepName(move ? Caption::Move : Caption::Copy, nodes),
           [&] { return Transfer(source, nodes, target, target.tree.Selected(), move, prompts_, progress); });
}

void MainWindowState::Copy()
{
    CopyOrMoveCommand(false);
}

void MainWindowState::Move()
{
    CopyOrMoveCommand(true);
}

void MainWindowState::MoveUp()
{
    if (ComputeEditFacts().upAllowed)
        AsStep(StepName(Caption::Up, ActivePane()->tree.Selected()),
               [this] { tessaro::MoveUp(*ActivePane()); });
}

void MainWindowState::MoveDown()
{
    if (ComputeEditFacts().downAllowed)
        AsStep(StepName(Caption::Down, ActivePane()->tree.Selected()),
               [this] { tessaro::MoveDown(*ActivePane()); });
}

void MainWindowState::DeleteSelected()
{
    const EditFacts facts = ComputeEditFacts();
    if (!facts.paneLoaded || !facts.selected)
        return;
    PaneState& pane = *ActivePane();
    const std::vector<TreeNode*> nodes = pane.tree.SelectedNodes();
    AsStep(StepName(Caption::Delete, nodes), [&] { Delete(pane, nodes, prompts_); });
}

void MainWindowState::Undo()
{
    if (workspace.history.CanUndo())
        ShowHistoryStep(workspace.history.Undo());
}

void MainWindowState::Redo()
{
    if (workspace.history.CanRedo())
        ShowHistoryStep(workspace.history.Redo());
}

void MainWindowState::ShowHistoryStep(PaneId active)
{
    SetActivePane(active);
    UpdateEntryCountText(Pane(PaneId::Mdb));
    UpdateEntryCountText(Pane(PaneId::Archive));
}

void MainWindowState::Search()
{
    if (!ComputeEditFacts().paneLoaded)
        return;
    ActivePaneSearch host(*this);
    prompts_.RunSearchDialog(host);
}

void MainWindowState::WriteFormattedProtocol()
{
    if (ComputeEditFacts().paneLoaded)
        tessaro::WriteFormattedProtocol(*ActivePane(), prompts_, progress);
}

void MainWindowState::WriteTabProtocol()
{
    if (ComputeEditFacts().paneLoaded)
        tessaro::WriteTabProtocol(*ActivePane(), prompts_, progress);
}

void MainWindowState::TreeGotFocus(PaneId id)
{
    SetActivePane(id);
}

void MainWindowState::TreeSelectionChanged(PaneId id, TreeNode* node)
{
    // The buttons follow at the window's refresh (UpdateCommandStates).
    Pane(id).tree.Select(node);
}

bool MainWindowState::TreeDoubleClicked(PaneId id)
{
    PaneState& pane = Pane(id);
    const TreeNode* selected = pane.tree.Selected();
    if (!pane.loaded || !selected || !selected->IsEntry() || pane.tree.SelectionCount() != 1)
        return false; // the tree opens or closes the category
    workspace.history.Begin(StepName(Caption::EditStep, selected), id);
    tessaro::EditSelected(pane, prompts_, static_cast<KeyboardModel>(keyboardModel));
    workspace.history.Commit();
    return true;
}

} // namespace tessaro

// The edit column and the tree notifications. Each command works on the active
// pane and does nothing while its button would be disabled, so a click that
// races a state change cannot reach a pane that is not there.
#include "app/MainWindowState.h"

#include "edit/EditOperations.h"
#include "edit/Reports.h"
#include "edit/Search.h"

namespace tessaro {

namespace {

// The Search dialog searches the active pane at each press.
class ActivePaneSearch final : public SearchHost
{
public:
    explicit ActivePaneSearch(MainWindowState& state) : state_(state) {}

    bool SearchStep(const std::string& text) override
    {
        PaneState* pane = state_.ActivePane();
        return pane && SearchNext(*pane, text);
    }
    bool SearchesLeftPane() const override { return state_.IsMdbPaneActive(); }

private:
    MainWindowState& state_;
};

} // namespace

void MainWindowState::NewCategory()
{
    if (ComputeEditFacts().paneLoaded)
        tessaro::NewCategory(*ActivePane(), prompts_);
}

void MainWindowState::EditSelected()
{
    const EditFacts facts = ComputeEditFacts();
    if (facts.paneLoaded && facts.selected)
        tessaro::EditSelected(*ActivePane(), prompts_, static_cast<KeyboardModel>(keyboardModel));
}

void MainWindowState::ToggleMainEntry()
{
    const EditFacts facts = ComputeEditFacts();
    if (facts.isSub || facts.isMain)
        tessaro::ToggleMainEntry(*ActivePane());
}

void MainWindowState::CopyOrMoveCommand(bool move)
{
    const EditFacts facts = ComputeEditFacts();
    if (facts.paneLoaded && facts.selected && facts.otherLoaded)
        tessaro::CopyOrMove(*ActivePane(), *OtherPane(), move, prompts_);
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
        tessaro::MoveUp(*ActivePane());
}

void MainWindowState::MoveDown()
{
    if (ComputeEditFacts().downAllowed)
        tessaro::MoveDown(*ActivePane());
}

void MainWindowState::DeleteSelected()
{
    const EditFacts facts = ComputeEditFacts();
    if (facts.paneLoaded && facts.selected)
        tessaro::DeleteSelected(*ActivePane(), prompts_);
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
        tessaro::WriteFormattedProtocol(*ActivePane(), prompts_);
}

void MainWindowState::WriteTabProtocol()
{
    if (ComputeEditFacts().paneLoaded)
        tessaro::WriteTabProtocol(*ActivePane(), prompts_);
}

void MainWindowState::TreeGotFocus(bool mdbTree)
{
    SetActivePane(mdbTree);
}

void MainWindowState::TreeSelectionChanged(bool mdbTree, TreeNode* node)
{
    // The buttons follow at the window's refresh (UpdateCommandStates).
    Pane(mdbTree).tree.Select(node);
}

bool MainWindowState::TreeDoubleClicked(bool mdbTree)
{
    PaneState& pane = Pane(mdbTree);
    const TreeNode* selected = pane.tree.Selected();
    if (!pane.loaded || !selected || !selected->IsEntry())
        return false; // the tree opens or closes the category
    tessaro::EditSelected(pane, prompts_, static_cast<KeyboardModel>(keyboardModel));
    return true;
}

} // namespace tessaro

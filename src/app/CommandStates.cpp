// Captions, alignment and enabled state of the buttons.
#include "app/MainWindowState.h"

#include "edit/EditOperations.h"

namespace tessaro {

MainWindowState::EditFacts MainWindowState::ComputeEditFacts() const
{
    EditFacts facts;
    if (!active_)
        return facts; // the whole edit column is disabled
    const PaneState& active = Pane(*active_);
    const PaneState& other = Pane(tessaro::OtherPane(*active_));
    facts.paneLoaded = active.loaded;
    facts.otherLoaded = other.loaded;
    const TreeNode* selected = active.tree.Selected();
    if (!facts.paneLoaded || !selected)
        return facts;
    facts.selected = true;
    // Edit, Main entry, Up and Down act on exactly one node.
    facts.single = active.tree.SelectionCount() == 1;
    if (!facts.single)
        return facts;
    if (selected->IsEntry()) {
        if (InSameGroup(selected->PrevSibling(), selected)) {
            facts.upAllowed = true;
            facts.isSub = selected->Payload()->IsSubEntry();
            facts.isMain = !facts.isSub;
        }
        facts.downAllowed = InSameGroup(selected->NextSibling(), selected);
    } else {
        facts.upAllowed = selected->PrevSibling() != nullptr;
        facts.downAllowed = selected->NextSibling() != nullptr;
    }
    return facts;
}

CommandStates MainWindowState::UpdateCommandStates()
{
    const EditFacts facts = ComputeEditFacts();
    CommandStates states;

    if (!active_) {
        states.copyCaption = Tr(Caption::Copy);
        states.moveCaption = Tr(Caption::Move);
        states.editColumnAlignment = TextAlignment::Centre;
    } else if (*active_ == PaneId::Mdb) {
        states.copyCaption = Tr(Caption::CopyToArchive);
        states.moveCaption = Tr(Caption::MoveToArchive);
        states.editColumnAlignment = TextAlignment::Left;
    } else {
        states.copyCaption = Tr(Caption::CopyToMdb);
        states.moveCaption = Tr(Caption::MoveToMdb);
        states.editColumnAlignment = TextAlignment::Right;
    }
    // Without an active pane the button keeps whatever it read last.
    if (active_)
        mainEntryCaption_ = facts.isMain ? Caption::SubEntry : Caption::MainEntry;
    states.mainEntryCaption = Tr(mainEntryCaption_);

    for (PaneId id : kPaneIds) {
        const PaneState& pane = Pane(id);
        CommandStates::PaneFlags& flags = states.Of(id);
        flags.save = pane.loaded && !pane.untitled;
        flags.saveAs = flags.close = flags.tree = pane.loaded;
    }

    states.newCategory = facts.paneLoaded;
    states.edit = facts.paneLoaded && facts.single;
    states.mainEntry = facts.isSub || facts.isMain;
    states.copy = states.move = facts.paneLoaded && facts.selected && facts.otherLoaded;
    states.up = facts.upAllowed;
    states.down = facts.downAllowed;
    states.deleteSelected = facts.paneLoaded && facts.selected;
    states.search = states.protocol = facts.paneLoaded;

    states.undo = workspace.history.CanUndo();
    states.redo = workspace.history.CanRedo();
    if (states.undo)
        states.undoTip = FillArgs(Tr(Caption::UndoTip), {workspace.history.UndoName()});
    if (states.redo)
        states.redoTip = FillArgs(Tr(Caption::RedoTip), {workspace.history.RedoName()});
    return states;
}

} // namespace tessaro

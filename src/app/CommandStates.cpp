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
    const auto enable = [&states](CommandId id, bool enabled) { states[id].enabled = enabled; };

    // Copy and Move name the pane they go to; the edit column's texts lean towards the active pane.
    if (!active_) {
        states[CommandId::Copy].caption = Tr(Caption::Copy);
        states[CommandId::Move].caption = Tr(Caption::Move);
        states.editColumnAlignment = TextAlignment::Centre;
    } else if (*active_ == PaneId::Mdb) {
        states[CommandId::Copy].caption = Tr(Caption::CopyToArchive);
        states[CommandId::Move].caption = Tr(Caption::MoveToArchive);
        states.editColumnAlignment = TextAlignment::Left;
    } else {
        states[CommandId::Copy].caption = Tr(Caption::CopyToMdb);
        states[CommandId::Move].caption = Tr(Caption::MoveToMdb);
        states.editColumnAlignment = TextAlignment::Right;
    }
    // Without an active pane the button keeps whatever it read last.
    if (active_)
        mainEntryCaption_ = facts.isMain ? Caption::SubEntry : Caption::MainEntry;
    states[CommandId::MainEntry].caption = Tr(mainEntryCaption_);

    for (PaneId id : kPaneIds) {
        const PaneState& pane = Pane(id);
        enable(PaneCommandId(id, PaneCommand::New), true);
        enable(PaneCommandId(id, PaneCommand::Open), true);
        enable(PaneCommandId(id, PaneCommand::Save), pane.loaded && !pane.untitled);
        enable(PaneCommandId(id, PaneCommand::SaveAs), pane.loaded);
        enable(PaneCommandId(id, PaneCommand::Close), pane.loaded);
        states.treeEnabled[PaneIndex(id)] = pane.loaded;
    }
    for (CommandId id : {CommandId::Exit, CommandId::Help, CommandId::BackupStructure, CommandId::NoNetwork,
                         CommandId::FlashFactory, CommandId::FlashDefault, CommandId::FlashIndividual})
        enable(id, true);
    states[CommandId::BackupStructure].checked = backupStructureOption;
    states[CommandId::NoNetwork].checked = noNetworkOption;
    states[CommandId::FlashFactory].checked = flashStyleMode == kFlashFactory;
    states[CommandId::FlashDefault].checked = flashStyleMode == kFlashDefault;
    states[CommandId::FlashIndividual].checked = flashStyleMode == kFlashIndividual;

    enable(CommandId::NewCategory, facts.paneLoaded);
    enable(CommandId::Edit, facts.paneLoaded && facts.single);
    enable(CommandId::MainEntry, facts.isSub || facts.isMain);
    enable(CommandId::Copy, facts.paneLoaded && facts.selected && facts.otherLoaded);
    enable(CommandId::Move, facts.paneLoaded && facts.selected && facts.otherLoaded);
    enable(CommandId::Up, facts.upAllowed);
    enable(CommandId::Down, facts.downAllowed);
    enable(CommandId::Delete, facts.paneLoaded && facts.selected);
    for (CommandId id :
         {CommandId::Search, CommandId::SearchAgain, CommandId::ProtocolFormatted, CommandId::ProtocolTabs,
          CommandId::ExportCsv, CommandId::ImportCsv, CommandId::CheckForKeyboard, CommandId::FindDuplicates})
        enable(id, facts.paneLoaded);
    enable(CommandId::ComparePanes, Pane(PaneId::Mdb).loaded && Pane(PaneId::Archive).loaded);
    for (CommandId id : {CommandId::Print, CommandId::PrintPreview, CommandId::ExportPdf})
        enable(id, facts.paneLoaded && ActivePane()->EntryCount() > 0); // an empty set list helps nobody
    enable(CommandId::About, true);

    const History& history = workspace.history;
    enable(CommandId::Undo, history.CanUndo());
    enable(CommandId::Redo, history.CanRedo());
    if (history.CanUndo())
        states[CommandId::Undo].tooltip = FillArgs(Tr(Caption::UndoTip), {history.UndoName()});
    if (history.CanRedo())
        states[CommandId::Redo].tooltip = FillArgs(Tr(Caption::RedoTip), {history.RedoName()});
    return states;
}

} // namespace tessaro

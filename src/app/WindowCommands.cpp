// Every command run by its id, and the tree notifications: each goes to the
// role that owns it.
#include "app/MainWindowState.h"

namespace tessaro {

void MainWindowState::Run(CommandId id, bool checked)
{
    if (IsPaneCommand(id)) {
        const PaneId pane = PaneOfCommand(id);
        switch (PaneCommandOf(id)) {
        case PaneCommand::New:
            return files_.New(pane);
        case PaneCommand::Open:
            return files_.Open(pane);
        case PaneCommand::Save:
            return files_.Save(pane);
        case PaneCommand::SaveAs:
            return files_.SaveAs(pane);
        case PaneCommand::Close:
            return files_.Close(pane);
        }
        return;
    }
    switch (id) {
    case CommandId::ExportCsv:
        return tools_.ExportCsv();
    case CommandId::ImportCsv:
        return tools_.ImportCsv();
    case CommandId::ComparePanes:
        return tools_.ComparePanes();
    case CommandId::CheckForKeyboard:
        return tools_.CheckForKeyboard();
    case CommandId::FindDuplicates:
        return tools_.FindDuplicates();
    case CommandId::Undo:
        return editColumn_.Undo();
    case CommandId::Redo:
        return editColumn_.Redo();
    case CommandId::NewCategory:
        return editColumn_.NewCategory();
    case CommandId::Edit:
        return editColumn_.EditSelected();
    case CommandId::MainEntry:
        return editColumn_.ToggleMainEntry();
    case CommandId::Copy:
        return editColumn_.Copy();
    case CommandId::Move:
        return editColumn_.Move();
    case CommandId::Up:
        return editColumn_.MoveUp();
    case CommandId::Down:
        return editColumn_.MoveDown();
    case CommandId::Delete:
        return editColumn_.DeleteSelected();
    case CommandId::Search:
        return editColumn_.Search();
    case CommandId::SearchAgain:
        return editColumn_.SearchAgain();
    case CommandId::ProtocolFormatted:
        return editColumn_.WriteFormattedProtocol();
    case CommandId::ProtocolTabs:
        return editColumn_.WriteTabProtocol();
    case CommandId::BackupStructure:
        return options_.SetBackupStructure(checked);
    case CommandId::NoNetwork:
        return options_.SetNoNetwork(checked);
    case CommandId::FlashFactory:
        return options_.SelectFactoryFlashStyles();
    case CommandId::FlashDefault:
        return options_.SelectDefaultFlashStyles();
    case CommandId::FlashIndividual:
        return options_.SelectIndividualFlashStyles();
    case CommandId::Help:
        return OpenHelp();
    default: // the pane commands, above; Exit
        return;
    }
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
    return editColumn_.EditEntryOf(id);
}

} // namespace tessaro

// Construction, the active pane, start-up and exit.
#include "app/MainWindowState.h"

#include "app/PaneKinds.h"
#include "browse/DirectoryListing.h"
#include "edit/PaneLoad.h"

#include <filesystem>

namespace tessaro {

MainWindowState::MainWindowState(Prompts& prompts, SettingsStore& settings, StyleCatalogue& styles)
    : styles(styles), workspace(styles), prompts_(prompts), settings_(settings)
{
}

PaneState* MainWindowState::ActivePane()
{
    return active_ ? &Pane(*active_) : nullptr;
}

PaneState* MainWindowState::OtherPane()
{
    return active_ ? &Pane(tessaro::OtherPane(*active_)) : nullptr;
}

RecentCombo MainWindowState::FillRecentCombo(PaneId id) const
{
    return tessaro::FillRecentCombo(Pane(id), KindOf(id).inBackupSets && backupStructureOption);
}

void MainWindowState::UpdateKeyboardLabel()
{
    if (keyboardModel == 1)
        modelLabel = "PSR9000";
    else if (keyboardModel == 2)
        modelLabel = "9000Pro";
    else
        modelLabel.clear();
}

void MainWindowState::Initialise()
{
    std::error_code ec;
    startupFolder = std::filesystem::current_path(ec).string();
    RunLanguageChoice();
    LoadSettings();
    UpdateKeyboardLabel();
    if (flashStyleMode == kFlashIndividual && !flashStyleFile.empty())
        ReadFlashStyleBackup(); // falls back to Factory when it fails
    InstallFlashNamesForMode();
}

bool MainWindowState::ExitSequence(const WindowPosition& currentPosition)
{
    if (!ConfirmDiscard(PaneId::Mdb) || !ConfirmDiscard(PaneId::Archive))
        return false;
    for (PaneId id : kPaneIds)
        ResetPane(id);
    windowPosition = currentPosition;
    if (!SaveSettings()) { // the window closes all the same
        const std::string why = settings_.FlushFailure();
        prompts_.MessageBox(Tr(Msg::ErrorSavingSettings) + (why.empty() ? "" : "\n\n" + why),
                            MsgIcon::Warning, MsgButtons::Ok);
    }
    return true;
}

void MainWindowState::OpenHelp()
{
    prompts_.OpenHelp(JoinPath(startupFolder, Tr(Caption::HelpPage)));
}

void MainWindowState::SetBackupStructureOption(bool on)
{
    // The MDB recent list follows at the next refresh (FillRecentCombo).
    backupStructureOption = on;
    ShowFlashStyleFile();
}

void MainWindowState::SetNoNetworkOption(bool on)
{
    // Takes effect when the next browse dialog opens.
    noNetworkOption = on;
}

bool MainWindowState::ForgetFailedLoad(PaneId id, Msg error)
{
    PaneState& pane = Pane(id);
    std::error_code ec;
    const auto size = std::filesystem::file_size(pane.fileName, ec);
    prompts_.MessageBox(LoadMessageText(error, pane.fileName, ec ? 0 : size), MsgIcon::Warning,
                        MsgButtons::Ok);
    ResetPane(id);
    RemoveRecentFile(pane);
    pane.fileName.clear();
    return false;
}

bool MainWindowState::AllowWriteInPlace()
{
    return prompts_.MessageBox(Tr(Msg::NoSpaceForSafeSave), MsgIcon::Question, MsgButtons::YesNo) ==
           MsgAnswer::Yes;
}

void MainWindowState::MarkSaved(PaneId id, bool addToRecent)
{
    PaneState& pane = Pane(id);
    if (addToRecent)
        AddRecentFile(pane);
    pane.untitled = false;
    workspace.history.MarkSaved(id);
}

void MainWindowState::ResetPane(PaneId id)
{
    ClearPane(Pane(id));
    workspace.history.ResetPane(id);
}

} // namespace tessaro

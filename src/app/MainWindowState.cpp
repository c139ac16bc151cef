// Construction, the active pane, start-up and exit.
#include "app/MainWindowState.h"

#include "browse/DirectoryListing.h"
#include "edit/PaneLoad.h"

#include <filesystem>

namespace tessaro {

MainWindowState::MainWindowState(Prompts& prompts, SettingsStore& settings, StyleCatalogue& styles)
    : styles(styles), mdbPane(styles), archivePane(styles), history(mdbPane, archivePane), prompts_(prompts),
      settings_(settings)
{
}

PaneState* MainWindowState::ActivePane()
{
    if (!hasActivePane_)
        return nullptr;
    return mdbActive_ ? &mdbPane : &archivePane;
}

PaneState* MainWindowState::OtherPane()
{
    if (!hasActivePane_)
        return nullptr;
    return mdbActive_ ? &archivePane : &mdbPane;
}

void MainWindowState::SetActivePane(bool mdb)
{
    hasActivePane_ = true;
    mdbActive_ = mdb;
}

RecentCombo MainWindowState::FillRecentCombo(const PaneState& pane) const
{
    return tessaro::FillRecentCombo(pane, &pane == &mdbPane && backupStructureOption);
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
    ResetPane(mdbPane);
    ResetPane(archivePane);
    windowPosition = currentPosition;
    if (!SaveSettings())
        prompts_.Warn(Msg::ErrorSavingSettings); // the window closes all the same
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

bool MainWindowState::ForgetFailedLoad(PaneState& pane, Msg error)
{
    std::error_code ec;
    const auto size = std::filesystem::file_size(pane.fileName, ec);
    prompts_.MessageBox(LoadMessageText(error, pane.fileName, ec ? 0 : size), MsgIcon::Warning,
                        MsgButtons::Ok);
    ResetPane(pane);
    RemoveRecentFile(pane);
    pane.fileName.clear();
    return false;
}

bool MainWindowState::AllowWriteInPlace()
{
    return prompts_.MessageBox(Tr(Msg::NoSpaceForSafeSave), MsgIcon::Question, MsgButtons::YesNo) ==
           MsgAnswer::Yes;
}

void MainWindowState::MarkSaved(PaneState& pane, bool addToRecent)
{
    if (addToRecent)
        AddRecentFile(pane);
    pane.untitled = false;
    history.MarkSaved(IdOf(pane));
}

void MainWindowState::ResetPane(PaneState& pane)
{
    ClearPane(pane);
    history.ResetPane(IdOf(pane));
}

} // namespace tessaro

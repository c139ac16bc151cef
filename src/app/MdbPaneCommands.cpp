// The MDB pane: loading, the save-changes prompt, New, Open, Close and the
// recent-file list. Saving is in MdbSaveCommands.cpp.
#include "app/MainWindowState.h"

#include "data/MdbFile.h"
#include "edit/PaneLoad.h"

namespace tessaro {

bool MainWindowState::LoadMdbFile()
{
    WaitCursor wait(prompts_);
    PaneState& pane = mdbPane;
    // The previous contents are gone from here on, whatever the outcome.
    pane.loaded = pane.untitled = pane.modified = false;
    modelLabel.clear();
    ResetPane(pane);

    const MdbReadResult read = ReadMdbFile(pane.fileName);
    const bool imageRead = read.ok() || read.error == Msg::NotAValidMdb;
    if (imageRead && !read.checksumOk)
        prompts_.Warn(Msg::InvalidChecksum); // a warning only: the load goes on
    if (read.error == Msg::NotAValidMdb)
        keyboardModel = 0;
    blankSignature = read.ok() && read.blankSignature; // belongs to this MDB alone

    std::optional<Msg> error = read.error;
    if (!error) {
        keyboardModel = static_cast<int>(read.model);
        error = InsertMdbImage(pane, read.image);
    }
    if (error) {
        return ForgetFailedLoad(pane, *error);
    }
    pane.loaded = true;
    AddRecentFile(pane);
    UpdateKeyboardLabel();
    FollowModelWithFactoryNames();
    UpdateEntryCountText(pane);
    return true;
}

bool MainWindowState::ConfirmDiscardMdb()
{
    // A failed save, a cancelled Save As (for an untitled MDB) or an MDB above
    // the slot limit leaves it modified and stops the caller.
    return ConfirmDiscard(mdbPane, Msg::MdbChangedSave, &MainWindowState::SaveMdb,
                          &MainWindowState::SaveMdbAs);
}

void MainWindowState::NewMdb()
{
    if (!ConfirmDiscardMdb())
        return;
    int model = keyboardModel;
    // A new MDB is for a model: its header names it (24 zero bytes are no MDB).
    if (!prompts_.ChooseKeyboardModel(model) || (model != 1 && model != 2))
        return;
    keyboardModel = model;
    blankSignature = false;
    mdbPane.loaded = true;
    mdbPane.untitled = true;
    mdbPane.modified = false;
    mdbPane.fileName.clear();
    UpdateKeyboardLabel();
    ResetPane(mdbPane);
    FollowModelWithFactoryNames();
    SetActivePane(true);
}

void MainWindowState::OpenMdb()
{
    if (!ConfirmDiscardMdb())
        return;
    bool chosen = false;
    if (backupStructureOption) {
        BrowseRequest request;
        request.mode = BrowseMode::Open;
        request.title = Tr(Caption::OpenMdbBackupTitle);
        request.iconId = 137;
        request.mask = "MDB*.bup";
        request.startFolder = lastBackupFolder;
        request.noNetwork = noNetworkOption;
        const BrowseResult result = prompts_.Browse(request);
        if (result.confirmed && !result.chosenPath.empty()) {
            lastBackupFolder = result.chosenFolder;
            mdbPane.fileName = result.chosenPath;
            chosen = true;
        }
    } else {
        FileDialogRequest request;
        request.title = Tr(Caption::OpenMdbTitle);
        request.filter = Tr(Caption::MdbFilter);
        request.defaultExtension = ".bup";
        request.initialName = mdbPane.fileName;
        const std::optional<std::string> name = prompts_.OpenFileDialog(request);
        if (name && !name->empty()) {
            mdbPane.fileName = *name;
            chosen = true;
        }
    }
    if (chosen) {
        LoadMdbFile();
        SetActivePane(true);
    }
}

void MainWindowState::SelectRecentMdb(int index)
{
    if (index < 0 || index >= kRecentFileCount || mdbPane.recentFiles[index].empty())
        return;
    if (mdbPane.recentFiles[index] == mdbPane.fileName)
        return; // already loaded
    if (!ConfirmDiscardMdb())
        return;
    mdbPane.fileName = mdbPane.recentFiles[index];
    LoadMdbFile();
    SetActivePane(true);
}

void MainWindowState::CloseMdb()
{
    if (!ConfirmDiscardMdb())
        return;
    mdbPane.loaded = mdbPane.untitled = mdbPane.modified = false;
    mdbPane.fileName.clear();
    modelLabel.clear(); // the keyboard model itself stays
    ResetPane(mdbPane);
    if (archivePane.loaded)
        SetActivePane(false);
    else
        ClearActivePane();
}

} // namespace tessaro

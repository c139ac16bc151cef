// Reading a pane's file into its tree and writing the tree back, for either
// kind of file.
#include "app/MainWindowState.h"

#include "data/ArchiveFile.h"
#include "data/BackupIni.h"
#include "data/MdbFile.h"
#include "edit/PaneLoad.h"

namespace tessaro {

bool MainWindowState::LoadFile(PaneId id)
{
    return LoadPane(id) == LoadOutcome::Loaded;
}

MainWindowState::LoadOutcome MainWindowState::LoadPane(PaneId id)
{
    WaitCursor wait(prompts_);
    PaneState& pane = Pane(id);
    // The new tree is built aside and swapped in whole, so that a cancelled
    // load leaves the pane as it was.
    const std::optional<Msg> error = id == PaneId::Mdb
                                         ? ReadMdbIntoPane()
                                         : ReplaceWithArchiveFile(pane, pane.fileName, nullptr, progress);
    if (error == Msg::WorkCancelled)
        return LoadOutcome::Cancelled;
    pane.loaded = pane.untitled = false;
    if (error) {
        if (id == PaneId::Mdb)
            modelLabel.clear();
        ForgetFailedLoad(id, *error);
        return LoadOutcome::Failed;
    }
    workspace.history.ResetPane(id); // the steps name the nodes of the tree that went
    pane.loaded = true;
    AddRecentFile(pane);
    if (id == PaneId::Mdb) {
        UpdateKeyboardLabel();
        FollowModelWithFactoryNames();
    }
    UpdateEntryCountText(pane);
    return LoadOutcome::Loaded;
}

bool MainWindowState::OpenFileIn(PaneId id, const std::string& path)
{
    PaneState& pane = Pane(id);
    const std::string previous = pane.fileName;
    pane.fileName = path;
    const LoadOutcome outcome = LoadPane(id);
    if (outcome == LoadOutcome::Cancelled) {
        pane.fileName = previous;
        return false;
    }
    SetActivePane(id);
    return outcome == LoadOutcome::Loaded;
}

std::optional<Msg> MainWindowState::ReadMdbIntoPane()
{
    const MdbReadResult read = ReadMdbFile(Pane(PaneId::Mdb).fileName);
    const bool imageRead = read.ok() || read.error == Msg::NotAValidMdb;
    if (imageRead && !read.checksumOk)
        prompts_.Warn(Msg::InvalidChecksum); // a warning only: the load goes on
    if (read.error == Msg::NotAValidMdb)
        keyboardModel = 0;
    blankSignature = read.ok() && read.blankSignature; // belongs to this MDB alone
    if (read.error)
        return read.error;
    keyboardModel = static_cast<int>(read.model);
    return ReplaceWithMdbImage(Pane(PaneId::Mdb), read.image);
}

std::optional<Msg> MainWindowState::WritePaneFile(PaneId id, WriteMode mode)
{
    const PaneState& pane = Pane(id);
    if (id == PaneId::Archive)
        return WriteArchiveFile(pane.fileName, RecordsOf(pane.tree), mode, progress,
                                pane.tree.EntryNodeCount());
    return WriteMdbFile(pane.fileName, RecordsOf(pane.tree), static_cast<KeyboardModel>(keyboardModel),
                        blankSignature, mode);
}

bool MainWindowState::SaveFile(PaneId id, bool addToRecent)
{
    WaitCursor wait(prompts_);
    PaneState& pane = Pane(id);
    // Written through a temporary file: a failed save leaves the old file whole
    // and the pane's flags as they were.
    std::optional<Msg> error = WritePaneFile(id, WriteMode::Safe);
    const bool inPlace = error == Msg::NoSpaceForSafeSave;
    if (inPlace) {
        if (!AllowWriteInPlace())
            return false;
        error = WritePaneFile(id, WriteMode::InPlace);
    }
    if (error == Msg::WorkCancelled)
        return false; // the old file is whole and the pane still modified
    if (error) {
        prompts_.Warn(*error);
        return false;
    }
    MarkSaved(id, addToRecent);
    if (id == PaneId::Mdb && backupStructureOption) {
        // Its own failure is reported, but the MDB stays saved.
        if (const std::optional<Msg> iniError =
                UpdateBackupIni(pane.fileName, static_cast<KeyboardModel>(keyboardModel), inPlace))
            prompts_.Warn(*iniError);
    }
    return true;
}

} // namespace tessaro

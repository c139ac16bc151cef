// Reading a pane's file into its tree and writing the tree back, for either
// kind of file.
#include "app/MainWindowState.h"

#include "app/PaneKinds.h"
#include "data/BackupIni.h"
#include "image/ImageFiles.h"

namespace tessaro {

bool MainWindowState::LoadFile(PaneId id)
{
    return LoadPane(id) == LoadOutcome::Loaded;
}

MainWindowState::LoadOutcome MainWindowState::LoadPane(PaneId id)
{
    WaitCursor wait(prompts_);
    PaneState& pane = Pane(id);
    const ProgressFile named(progress, pane.fileName);
    // The new tree is built aside and swapped in whole, so that a cancelled
    // load leaves the pane as it was.
    PaneFileContext context = FileContext();
    const std::optional<Msg> error = KindOf(id).read(pane, context);
    if (error == Msg::WorkCancelled)
        return LoadOutcome::Cancelled;
    pane.loaded = pane.untitled = false;
    if (error) {
        if (KindOf(id).namesKeyboard)
            modelLabel.clear();
        ForgetFailedLoad(id, *error);
        return LoadOutcome::Failed;
    }
    workspace.history.ResetPane(id); // the steps name the nodes of the tree that went
    pane.loaded = true;
    AddRecentFile(pane);
    if (KindOf(id).namesKeyboard) {
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

PaneFileContext MainWindowState::FileContext()
{
    return {keyboardModel, blankSignature, prompts_, progress};
}

std::optional<Msg> MainWindowState::WritePaneFile(PaneId id, WriteMode mode)
{
    PaneFileContext context = FileContext();
    return KindOf(id).write(Pane(id), mode, context);
}

bool MainWindowState::SaveFile(PaneId id, bool addToRecent)
{
    WaitCursor wait(prompts_);
    PaneState& pane = Pane(id);
    const ProgressFile named(progress, pane.fileName);
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
        prompts_.MessageBox(WithImageReason(*error, pane.fileName), MsgIcon::Warning, MsgButtons::Ok);
        return false;
    }
    MarkSaved(id, addToRecent);
    if (KindOf(id).inBackupSets && backupStructureOption) {
        // Its own failure is reported, but the MDB stays saved.
        if (const std::optional<Msg> iniError =
                UpdateBackupIni(pane.fileName, static_cast<KeyboardModel>(keyboardModel), inPlace))
            prompts_.Warn(*iniError);
    }
    return true;
}

} // namespace tessaro

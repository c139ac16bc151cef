// The file buttons of a pane: New, Open, the recent-file list, Save, Save As,
// Close and the save-changes question before anything replaces the pane.
#include "app/MainWindowState.h"

#include "app/OpenFromImage.h"
#include "app/PaneKinds.h"
#include "app/PathRules.h"
#include "app/SaveAsTarget.h"
#include "data/FolderPath.h"
#include "image/ImageFiles.h"

namespace tessaro {

bool MainWindowState::ConfirmDiscard(PaneId id)
{
    const PaneState& pane = Pane(id);
    if (!pane.loaded || !pane.Modified())
        return true;
    switch (prompts_.AskYesNoCancel(KindOf(id).changedSave)) {
    case MsgAnswer::Yes:
        // A file never saved needs a name first. A failed save, a cancelled
        // Save As or a pane above its entry limit leaves it modified and stops
        // the caller.
        if (pane.untitled)
            SaveAs(id);
        else
            Save(id);
        return !pane.Modified();
    case MsgAnswer::No:
        return true;
    default:
        return false;
    }
}

void MainWindowState::New(PaneId id)
{
    if (!ConfirmDiscard(id))
        return;
    if (KindOf(id).namesKeyboard) {
        int model = keyboardModel;
        // A new MDB is for a model: its header names it (24 zero bytes are no MDB).
        if (!prompts_.ChooseKeyboardModel(model) || (model != 1 && model != 2))
            return;
        keyboardModel = model;
        blankSignature = false;
    }
    PaneState& pane = Pane(id);
    pane.loaded = true;
    pane.untitled = true;
    pane.fileName.clear();
    ResetPane(id);
    if (KindOf(id).namesKeyboard) {
        UpdateKeyboardLabel();
        FollowModelWithFactoryNames();
    }
    SetActivePane(id);
}

void MainWindowState::Open(PaneId id)
{
    if (!ConfirmDiscard(id))
        return;
    PaneState& pane = Pane(id);
    std::string chosen;
    if (KindOf(id).inBackupSets && backupStructureOption) {
        const BrowseResult result =
            prompts_.Browse(BackupSetBrowse(BrowseMode::Open, lastBackupFolder, noNetworkOption));
        if (!result.confirmed || result.chosenPath.empty())
            return;
        lastBackupFolder = result.chosenFolder;
        chosen = result.chosenPath;
    } else {
        const std::optional<std::string> name =
            prompts_.OpenFileDialog(OpenDialogWithImages(id, FileDialogFor(id, false, pane.fileName)));
        if (!name || name->empty())
            return;
        const std::optional<std::string> file = FileToOpenFromImage(id, *name, prompts_); // in a floppy image
        if (!file)
            return;
        chosen = *file;
    }
    OpenFileIn(id, chosen);
}

void MainWindowState::SelectRecent(PaneId id, int index)
{
    PaneState& pane = Pane(id);
    if (index < 0 || index >= kRecentFileCount || pane.recentFiles[index].empty())
        return;
    if (pane.recentFiles[index] == pane.fileName)
        return; // already loaded
    if (!ConfirmDiscard(id))
        return;
    OpenFileIn(id, pane.recentFiles[index]);
}

void MainWindowState::Close(PaneId id)
{
    if (!ConfirmDiscard(id))
        return;
    PaneState& pane = Pane(id);
    pane.loaded = pane.untitled = false;
    pane.fileName.clear();
    if (KindOf(id).namesKeyboard)
        modelLabel.clear(); // the keyboard model itself stays
    ResetPane(id);
    if (Pane(tessaro::OtherPane(id)).loaded)
        SetActivePane(tessaro::OtherPane(id));
    else
        ClearActivePane();
}

bool MainWindowState::MaySave(PaneId id)
{
    const int limit = KindOf(id).entryLimit;
    if (limit != 0 && Pane(id).EntryCount() > limit) {
        prompts_.Warn(Msg::TooManyEntries);
        return false;
    }
    // Asked before Save As asks for a name: a No needs no file dialog.
    return !KindOf(id).namesKeyboard || ConfirmProOnlyVoices();
}

void MainWindowState::Save(PaneId id)
{
    const PaneState& pane = Pane(id);
    if (!pane.loaded || pane.untitled)
        return; // an untitled pane is saved with Save As
    if (!MaySave(id))
        return;
    SaveFile(id, false);
}

void MainWindowState::SaveAs(PaneId id)
{
    PaneState& pane = Pane(id);
    if (!pane.loaded || !MaySave(id))
        return;
    const std::optional<std::string> target =
        KindOf(id).inBackupSets && backupStructureOption ? ChooseBackupSetTarget(id) : ChooseSaveAsFile(id);
    if (!target)
        return;
    const bool renamed = *target != pane.fileName;
    pane.fileName = *target;
    SaveFile(id, renamed);
}

std::optional<std::string> MainWindowState::ChooseSaveAsFile(PaneId id)
{
    const FileDialogRequest request = FileDialogFor(id, true, Pane(id).fileName);
    for (;;) {
        const std::optional<std::string> name = prompts_.SaveFileDialog(request);
        if (!name || name->empty())
            return std::nullopt;
        switch (CheckSaveAsTarget(*name, Pane(id).fileName, prompts_)) {
        case SaveAsStep::Save:
        case SaveAsStep::NewFile:
            return name;
        case SaveAsStep::ChooseAgain:
            continue;
        case SaveAsStep::Stop:
            return std::nullopt;
        }
    }
}

std::optional<std::string> MainWindowState::ChooseBackupSetTarget(PaneId id)
{
    const std::string startFolder =
        Pane(id).untitled ? lastBackupFolder : WithoutMdbFileName(Pane(id).fileName);
    const BrowseRequest request = BackupSetBrowse(BrowseMode::Save, startFolder, noNetworkOption);
    for (;;) {
        const BrowseResult result = prompts_.Browse(request);
        if (!result.confirmed || result.chosenPath.empty())
            return std::nullopt;
        lastBackupFolder = result.chosenFolder;
        // The file name follows the model whatever was typed; a keyboard
        // floppy's MDB.BUP is the file written, not joined by a second one.
        const std::string target = ResolveCaseVariant(result.chosenPath, MdbFileNameFor(keyboardModel));
        switch (CheckSaveAsTarget(target, Pane(id).fileName, prompts_)) {
        case SaveAsStep::Save:
            return target;
        case SaveAsStep::NewFile:
            if (CreateFolderPath(result.chosenPath))
                return target;
            prompts_.MessageBox(WithImageReason(Msg::ErrorCreatingDirectory, result.chosenPath), MsgIcon::Warning,
                                MsgButtons::Ok); // in an image: the name rule it broke
            continue;
        case SaveAsStep::ChooseAgain:
            continue;
        case SaveAsStep::Stop:
            return std::nullopt;
        }
    }
}

} // namespace tessaro

// Saving the MDB pane: Save, Save As (plain file or backup set) and the write
// itself with its BACKUP.INI.
#include "app/MainWindowState.h"

#include "app/PathRules.h"
#include "app/SaveAsTarget.h"
#include "data/BackupIni.h"
#include "data/FolderPath.h"
#include "data/MdbFile.h"

namespace tessaro {

bool MainWindowState::SaveMdbFile(bool addToRecent)
{
    WaitCursor wait(prompts_);
    const KeyboardModel model = static_cast<KeyboardModel>(keyboardModel);
    // Written through a temporary file: a failed save leaves the old file whole
    // and the pane's flags as they were.
    std::optional<Msg> error = WriteMdbFile(mdbPane.fileName, RecordsOf(mdbPane.tree), model, blankSignature);
    const bool inPlace = error == Msg::NoSpaceForSafeSave;
    if (inPlace) {
        if (!AllowWriteInPlace())
            return false;
        error = WriteMdbFile(mdbPane.fileName, RecordsOf(mdbPane.tree), model, blankSignature,
                             WriteMode::InPlace);
    }
    if (error) {
        prompts_.Warn(*error);
        return false;
    }
    MarkSaved(mdbPane, addToRecent);
    if (backupStructureOption) {
        // Its own failure is reported, but the MDB stays saved.
        if (const std::optional<Msg> iniError = UpdateBackupIni(mdbPane.fileName, model, inPlace))
            prompts_.Warn(*iniError);
    }
    return true;
}

void MainWindowState::SaveMdb()
{
    if (!mdbPane.loaded || mdbPane.untitled)
        return; // an untitled MDB is saved with Save As
    if (mdbPane.EntryCount() > kSlotCount) {
        prompts_.Warn(Msg::TooManyEntries);
        return;
    }
    if (!ConfirmProOnlyVoices())
        return;
    SaveMdbFile(false);
}

void MainWindowState::SaveMdbAs()
{
    if (!mdbPane.loaded)
        return;
    if (mdbPane.EntryCount() > kSlotCount) {
        prompts_.Warn(Msg::TooManyEntries);
        return;
    }
    if (!ConfirmProOnlyVoices()) // before the name is chosen: No needs no dialog
        return;
    const std::string nameBefore = mdbPane.fileName;
    std::string target;
    bool save = false;
    if (backupStructureOption) {
        BrowseRequest request;
        request.mode = BrowseMode::Save;
        request.title = Tr(Caption::SaveMdbBackupTitle);
        request.iconId = 137;
        request.mask = "MDB*.bup";
        request.startFolder = mdbPane.untitled ? lastBackupFolder : WithoutMdbFileName(mdbPane.fileName);
        request.noNetwork = noNetworkOption;
        for (bool again = true; again;) {
            again = false;
            const BrowseResult result = prompts_.Browse(request);
            if (!result.confirmed || result.chosenPath.empty())
                break;
            lastBackupFolder = result.chosenFolder;
            // The file name follows the model whatever was typed; a keyboard
            // floppy's MDB.BUP is the file written, not joined by a second one.
            target = ResolveCaseVariant(result.chosenPath, MdbFileNameFor(keyboardModel));
            switch (CheckSaveAsTarget(target, mdbPane.fileName, prompts_)) {
            case SaveAsStep::Save:
                save = true;
                break;
            case SaveAsStep::NewFile:
                if (CreateFolderPath(result.chosenPath)) {
                    save = true;
                } else {
                    prompts_.Warn(Msg::ErrorCreatingDirectory);
                    again = true;
                }
                break;
            case SaveAsStep::ChooseAgain:
                again = true;
                break;
            case SaveAsStep::Stop:
                break;
            }
        }
    } else {
        FileDialogRequest request;
        request.title = Tr(Caption::SaveMdbTitle);
        request.filter = Tr(Caption::MdbFilter);
        request.defaultExtension = ".bup";
        request.initialName = mdbPane.fileName;
        request.overwritePrompt = false; // CheckSaveAsTarget asks instead
        for (bool again = true; again;) {
            again = false;
            const std::optional<std::string> name = prompts_.SaveFileDialog(request);
            if (!name || name->empty())
                break;
            target = *name;
            const SaveAsStep step = CheckSaveAsTarget(target, mdbPane.fileName, prompts_);
            save = step == SaveAsStep::Save || step == SaveAsStep::NewFile;
            again = step == SaveAsStep::ChooseAgain;
        }
    }
    if (!save)
        return;
    mdbPane.fileName = target;
    SaveMdbFile(mdbPane.fileName != nameBefore);
}

} // namespace tessaro

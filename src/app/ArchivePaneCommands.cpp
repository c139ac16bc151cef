// The archive pane: loading and saving the .mdx file, its save-changes prompt,
// New, Open, Save, Save As, Close and the recent-file list.
#include "app/MainWindowState.h"

#include "app/SaveAsTarget.h"
#include "data/ArchiveFile.h"
#include "edit/PaneLoad.h"

namespace tessaro {

namespace {

FileDialogRequest ArchiveDialog(Caption title, const std::string& initialName)
{
    FileDialogRequest request;
    request.title = Tr(title);
    request.filter = Tr(Caption::ArchiveFilter);
    request.defaultExtension = ".mdx";
    request.initialName = initialName;
    request.overwritePrompt = false; // CheckSaveAsTarget asks instead
    return request;
}

} // namespace

bool MainWindowState::LoadArchiveFile()
{
    WaitCursor wait(prompts_);
    PaneState& pane = archivePane;
    pane.loaded = pane.untitled = pane.modified = false;
    ResetPane(pane);
    if (const std::optional<Msg> error = InsertArchiveFile(pane, pane.fileName)) {
        return ForgetFailedLoad(pane, *error);
    }
    pane.loaded = true;
    AddRecentFile(pane);
    UpdateEntryCountText(pane);
    return true;
}

bool MainWindowState::SaveArchiveFile(bool addToRecent)
{
    WaitCursor wait(prompts_);
    // Written through a temporary file: a failed save leaves the old file whole
    // and the pane's flags as they were.
    std::optional<Msg> error = WriteArchiveFile(archivePane.fileName, RecordsOf(archivePane.tree));
    if (error == Msg::NoSpaceForSafeSave) {
        if (!AllowWriteInPlace())
            return false;
        error = WriteArchiveFile(archivePane.fileName, RecordsOf(archivePane.tree), WriteMode::InPlace);
    }
    if (error) {
        prompts_.Warn(*error);
        return false;
    }
    MarkSaved(archivePane, addToRecent);
    return true;
}

bool MainWindowState::ConfirmDiscardArchive()
{
    // An untitled archive gets Save As; cancelled, it stays modified and stops the caller.
    return ConfirmDiscard(archivePane, Msg::ArchiveChangedSave, &MainWindowState::SaveArchive,
                          &MainWindowState::SaveArchiveAs);
}

void MainWindowState::NewArchive()
{
    if (!ConfirmDiscardArchive())
        return;
    archivePane.loaded = true;
    archivePane.untitled = true;
    archivePane.modified = false;
    archivePane.fileName.clear();
    ResetPane(archivePane);
    SetActivePane(false);
}

void MainWindowState::OpenArchive()
{
    if (!ConfirmDiscardArchive())
        return;
    const std::optional<std::string> name =
        prompts_.OpenFileDialog(ArchiveDialog(Caption::OpenArchiveTitle, archivePane.fileName));
    if (!name || name->empty())
        return;
    archivePane.fileName = *name;
    LoadArchiveFile();
    SetActivePane(false);
}

void MainWindowState::SaveArchive()
{
    if (!archivePane.loaded || archivePane.untitled)
        return; // an untitled archive is saved with Save As
    SaveArchiveFile(false);
}

void MainWindowState::SaveArchiveAs()
{
    if (!archivePane.loaded)
        return;
    const FileDialogRequest request = ArchiveDialog(Caption::SaveArchiveTitle, archivePane.fileName);
    for (;;) {
        const std::optional<std::string> name = prompts_.SaveFileDialog(request);
        if (!name || name->empty())
            return;
        switch (CheckSaveAsTarget(*name, archivePane.fileName, prompts_)) {
        case SaveAsStep::Save:
        case SaveAsStep::NewFile: {
            const bool renamed = *name != archivePane.fileName;
            archivePane.fileName = *name;
            SaveArchiveFile(renamed);
            return;
        }
        case SaveAsStep::ChooseAgain:
            continue;
        case SaveAsStep::Stop:
            return;
        }
    }
}

void MainWindowState::CloseArchive()
{
    if (!ConfirmDiscardArchive())
        return;
    archivePane.loaded = archivePane.untitled = archivePane.modified = false;
    archivePane.fileName.clear();
    ResetPane(archivePane);
    if (mdbPane.loaded)
        SetActivePane(true);
    else
        ClearActivePane();
}

void MainWindowState::SelectRecentArchive(int index)
{
    if (index < 0 || index >= kRecentFileCount || archivePane.recentFiles[index].empty())
        return;
    if (archivePane.recentFiles[index] == archivePane.fileName)
        return; // already loaded
    if (!ConfirmDiscardArchive())
        return;
    archivePane.fileName = archivePane.recentFiles[index];
    LoadArchiveFile();
    SetActivePane(false);
}

} // namespace tessaro

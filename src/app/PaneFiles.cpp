// The file commands of a pane, reading its file into its tree and writing the
// tree back, and the files that arrive from outside.
#include "app/PaneFiles.h"

#include "app/FileKinds.h"
#include "app/OpenFromImage.h"
#include "app/PathRules.h"
#include "app/SaveAsTarget.h"
#include "app/SettingsKeys.h"
#include "data/BackupIni.h"
#include "data/FolderPath.h"
#include "data/InputFile.h"
#include "data/NestedFiles.h"
#include "edit/KeyboardCheck.h"
#include "edit/PaneLoad.h"
#include "image/ImageFiles.h"

#include <algorithm>
#include <filesystem>

namespace tessaro {

// ---- Settings and what the window shows ---------------------------------------

void PaneFiles::LoadRecentFiles(SettingsStore& settings)
{
    for (PaneId id : kPaneIds) {
        // A hand-edited store may leave gaps; the list keeps its occupied entries
        // first, so that a combo line's index is its entry's index.
        PaneState& pane = context_.Pane(id);
        pane.recentFiles = {};
        int next = 0;
        for (int number = 1; number <= kRecentFileCount; ++number) {
            std::string file = settings.ReadString(
                settings::kSection, settings::RecentFileKey(KindOf(id).recentPrefix, number), "");
            if (!file.empty())
                pane.recentFiles[next++] = std::move(file);
        }
    }
}

void PaneFiles::SaveRecentFiles(SettingsStore& settings) const
{
    for (PaneId id : kPaneIds) {
        for (int number = 1; number <= kRecentFileCount; ++number)
            settings.WriteString(settings::kSection, settings::RecentFileKey(KindOf(id).recentPrefix, number),
                                 context_.Pane(id).recentFiles[number - 1]);
    }
}

RecentCombo PaneFiles::FillRecentCombo(PaneId id) const
{
    return tessaro::FillRecentCombo(context_.Pane(id), InBackupSets(id));
}

std::string PaneFiles::EntryCountText(const PaneState& pane)
{
    if (!pane.loaded || (pane.untitled && pane.EntryCount() == 0))
        return "";
    return std::to_string(pane.EntryCount());
}

void PaneFiles::FillStates(CommandStates& states) const
{
    for (PaneId id : kPaneIds) {
        const PaneState& pane = context_.Pane(id);
        states[PaneCommandId(id, PaneCommand::New)].enabled = true;
        states[PaneCommandId(id, PaneCommand::Open)].enabled = true;
        states[PaneCommandId(id, PaneCommand::Save)].enabled = pane.loaded && !pane.untitled;
        states[PaneCommandId(id, PaneCommand::SaveAs)].enabled = pane.loaded;
        states[PaneCommandId(id, PaneCommand::Close)].enabled = pane.loaded;
        states.treeEnabled[PaneIndex(id)] = pane.loaded;
        states.entryCountText[PaneIndex(id)] = EntryCountText(pane);
    }
}

// ---- The file commands ----------------------------------------------------------

bool PaneFiles::ConfirmDiscard(PaneId id)
{
    const PaneState& pane = context_.Pane(id);
    if (!pane.loaded || !pane.Modified())
        return true;
    switch (context_.prompts.AskYesNoCancel(KindOf(id).changedSave)) {
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

void PaneFiles::New(PaneId id)
{
    if (!ConfirmDiscard(id))
        return;
    if (KindOf(id).namesKeyboard) {
        int model = static_cast<int>(options_.Model());
        // A new MDB is for a model: its header names it (24 zero bytes are no MDB).
        if (!context_.prompts.ChooseKeyboardModel(model) || (model != 1 && model != 2))
            return;
        options_.SetModel(static_cast<KeyboardModel>(model));
        blankSignature_ = false;
    }
    PaneState& pane = context_.Pane(id);
    pane.loaded = true;
    pane.untitled = true;
    pane.fileName.clear();
    ResetPane(id);
    if (KindOf(id).namesKeyboard) {
        options_.ShowModel();
        options_.FollowModelWithFactoryNames();
    }
    context_.active = id;
}

void PaneFiles::Open(PaneId id)
{
    if (!ConfirmDiscard(id))
        return;
    PaneState& pane = context_.Pane(id);
    std::string chosen;
    if (InBackupSets(id)) {
        const BrowseResult result = context_.prompts.Browse(
            BackupSetBrowse(BrowseMode::Open, options_.LastBackupFolder(), options_.NoNetwork()));
        if (!result.confirmed || result.chosenPath.empty())
            return;
        options_.SetLastBackupFolder(result.chosenFolder);
        chosen = result.chosenPath;
    } else {
        const std::optional<std::string> name = context_.prompts.OpenFileDialog(
            OpenDialogWithImages(id, FileDialogFor(id, false, pane.fileName)));
        if (!name || name->empty())
            return;
        const std::optional<std::string> file =
            FileToOpenFromImage(id, *name, context_.prompts); // in a floppy image
        if (!file)
            return;
        chosen = *file;
    }
    OpenFileIn(id, chosen);
}

void PaneFiles::SelectRecent(PaneId id, int index)
{
    PaneState& pane = context_.Pane(id);
    if (index < 0 || index >= kRecentFileCount || pane.recentFiles[index].empty())
        return;
    if (pane.recentFiles[index] == pane.fileName)
        return; // already loaded
    if (!ConfirmDiscard(id))
        return;
    OpenFileIn(id, pane.recentFiles[index]);
}

void PaneFiles::Close(PaneId id)
{
    if (!ConfirmDiscard(id))
        return;
    PaneState& pane = context_.Pane(id);
    pane.loaded = pane.untitled = false;
    pane.fileName.clear();
    if (KindOf(id).namesKeyboard)
        options_.HideModel(); // the keyboard model itself stays
    ResetPane(id);
    if (context_.Pane(tessaro::OtherPane(id)).loaded)
        context_.active = tessaro::OtherPane(id);
    else
        context_.active.reset();
}

void PaneFiles::ResetPane(PaneId id)
{
    ClearPane(context_.Pane(id));
    context_.workspace.history.ResetPane(id);
}

bool PaneFiles::MaySave(PaneId id)
{
    const int limit = KindOf(id).entryLimit;
    if (limit != 0 && context_.Pane(id).EntryCount() > limit) {
        context_.prompts.Warn(Msg::TooManyEntries);
        return false;
    }
    // Asked before Save As asks for a name: a No needs no file dialog.
    return !KindOf(id).namesKeyboard || ConfirmProOnlyVoices();
}

bool PaneFiles::ConfirmProOnlyVoices()
{
    if (options_.Model() != KeyboardModel::Psr9000)
        return true;
    const std::size_t count = CountProOnlyVoiceEntries(context_.Pane(PaneId::Mdb).tree);
    if (count == 0)
        return true;
    return context_.prompts.MessageBox(FillArgs(Tr(Msg::ProOnlyVoicesOnSave), {std::to_string(count)}),
                                       MsgIcon::Question, MsgButtons::YesNo) == MsgAnswer::Yes;
}

void PaneFiles::Save(PaneId id)
{
    const PaneState& pane = context_.Pane(id);
    if (!pane.loaded || pane.untitled)
        return; // an untitled pane is saved with Save As
    if (!MaySave(id))
        return;
    SaveFile(id, false);
}

void PaneFiles::SaveAs(PaneId id)
{
    PaneState& pane = context_.Pane(id);
    if (!pane.loaded || !MaySave(id))
        return;
    const std::optional<std::string> target =
        InBackupSets(id) ? ChooseBackupSetTarget(id) : ChooseSaveAsFile(id);
    if (!target)
        return;
    const bool renamed = *target != pane.fileName;
    pane.fileName = *target;
    SaveFile(id, renamed);
}

std::optional<std::string> PaneFiles::ChooseSaveAsFile(PaneId id)
{
    const PaneState& pane = context_.Pane(id);
    const FileDialogRequest request = FileDialogFor(id, true, pane.fileName);
    for (;;) {
        const std::optional<std::string> name = context_.prompts.SaveFileDialog(request);
        if (!name || name->empty())
            return std::nullopt;
        switch (CheckSaveAsTarget(*name, pane.fileName, context_.prompts)) {
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

std::optional<std::string> PaneFiles::ChooseBackupSetTarget(PaneId id)
{
    const PaneState& pane = context_.Pane(id);
    const std::string startFolder =
        pane.untitled ? options_.LastBackupFolder() : WithoutMdbFileName(pane.fileName);
    const BrowseRequest request = BackupSetBrowse(BrowseMode::Save, startFolder, options_.NoNetwork());
    for (;;) {
        const BrowseResult result = context_.prompts.Browse(request);
        if (!result.confirmed || result.chosenPath.empty())
            return std::nullopt;
        options_.SetLastBackupFolder(result.chosenFolder);
        // The file name follows the model whatever was typed; a keyboard
        // floppy's MDB.BUP is the file written, not joined by a second one.
        const std::string target = ResolveCaseVariant(result.chosenPath, MdbFileNameFor(options_.Model()));
        switch (CheckSaveAsTarget(target, pane.fileName, context_.prompts)) {
        case SaveAsStep::Save:
            return target;
        case SaveAsStep::NewFile:
            if (CreateFolderPath(result.chosenPath))
                return target;
            context_.prompts.MessageBox(WithImageReason(Msg::ErrorCreatingDirectory, result.chosenPath),
                                        MsgIcon::Warning,
                                        MsgButtons::Ok); // in an image: the name rule it broke
            continue;
        case SaveAsStep::ChooseAgain:
            continue;
        case SaveAsStep::Stop:
            return std::nullopt;
        }
    }
}

// ---- Reading and writing ----------------------------------------------------------

bool PaneFiles::LoadFile(PaneId id)
{
    return LoadPane(id) == LoadOutcome::Loaded;
}

PaneFiles::LoadOutcome PaneFiles::LoadPane(PaneId id)
{
    WaitCursor wait(context_.prompts);
    PaneState& pane = context_.Pane(id);
    const ProgressFile named(context_.progress, pane.fileName);
    // The new tree is built aside and swapped in whole, so that a cancelled
    // load leaves the pane as it was.
    PaneFileContext file{options_.Model(), blankSignature_, context_.prompts, context_.progress};
    const std::optional<Msg> error = KindOf(id).read(pane, file);
    options_.SetModel(file.keyboardModel); // a refused MDB may have told it too
    blankSignature_ = file.blankSignature;
    if (error == Msg::WorkCancelled)
        return LoadOutcome::Cancelled;
    pane.loaded = pane.untitled = false;
    if (error) {
        if (KindOf(id).namesKeyboard)
            options_.HideModel();
        ForgetFailedLoad(id, *error);
        return LoadOutcome::Failed;
    }
    context_.workspace.history.ResetPane(id); // the steps name the nodes of the tree that went
    pane.loaded = true;
    AddRecentFile(pane);
    if (KindOf(id).namesKeyboard) {
        options_.ShowModel();
        options_.FollowModelWithFactoryNames();
    }
    return LoadOutcome::Loaded;
}

bool PaneFiles::ForgetFailedLoad(PaneId id, Msg error)
{
    PaneState& pane = context_.Pane(id);
    std::error_code ec;
    const auto size = std::filesystem::file_size(pane.fileName, ec);
    context_.prompts.MessageBox(LoadMessageText(error, pane.fileName, ec ? 0 : size), MsgIcon::Warning,
                                MsgButtons::Ok);
    ResetPane(id);
    RemoveRecentFile(pane);
    pane.fileName.clear();
    return false;
}

bool PaneFiles::OpenFileIn(PaneId id, const std::string& path)
{
    PaneState& pane = context_.Pane(id);
    const std::string previous = pane.fileName;
    pane.fileName = path;
    const LoadOutcome outcome = LoadPane(id);
    if (outcome == LoadOutcome::Cancelled) {
        pane.fileName = previous;
        return false;
    }
    context_.active = id;
    return outcome == LoadOutcome::Loaded;
}

std::optional<Msg> PaneFiles::WritePaneFile(PaneId id, WriteMode mode)
{
    PaneFileContext file{options_.Model(), blankSignature_, context_.prompts, context_.progress};
    return KindOf(id).write(context_.Pane(id), mode, file);
}

bool PaneFiles::AllowWriteInPlace()
{
    return context_.prompts.MessageBox(Tr(Msg::NoSpaceForSafeSave), MsgIcon::Question, MsgButtons::YesNo) ==
           MsgAnswer::Yes;
}

void PaneFiles::MarkSaved(PaneId id, bool addToRecent)
{
    PaneState& pane = context_.Pane(id);
    if (addToRecent)
        AddRecentFile(pane);
    pane.untitled = false;
    context_.workspace.history.MarkSaved(id);
}

bool PaneFiles::SaveFile(PaneId id, bool addToRecent)
{
    WaitCursor wait(context_.prompts);
    PaneState& pane = context_.Pane(id);
    const ProgressFile named(context_.progress, pane.fileName);
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
        context_.prompts.MessageBox(WithImageReason(*error, pane.fileName), MsgIcon::Warning, MsgButtons::Ok);
        return false;
    }
    MarkSaved(id, addToRecent);
    if (InBackupSets(id)) {
        // Its own failure is reported, but the MDB stays saved.
        if (const std::optional<Msg> iniError = UpdateBackupIni(pane.fileName, options_.Model(), inPlace))
            context_.prompts.Warn(*iniError);
    }
    return true;
}

// ---- Files from outside -------------------------------------------------------------

bool PaneFiles::CanOpenDroppedFile(PaneId id, const std::string& path) const
{
    const PaneState& pane = context_.Pane(id);
    if (path.empty() || (pane.loaded && pane.fileName == path))
        return false;
    FileInput probe; // folders, pipes and devices are no files to open
    return probe.Open(path) && PaneForFile(path) == id;
}

bool PaneFiles::OpenDroppedFile(PaneId id, const std::string& path)
{
    if (!CanOpenDroppedFile(id, path))
        return false;
    if (OpeningOfImage(path)) { // a floppy image: what it holds opens as a named one does
        const std::string before = context_.Pane(id).fileName;
        OpenFiles({path});
        return context_.Pane(id).fileName != before;
    }
    if (!ConfirmDiscard(id))
        return false;
    return OpenFileIn(id, path);
}

void PaneFiles::AddPendingFiles(std::vector<std::string>& pending, const std::vector<std::string>& more)
{
    for (const std::string& path : more) {
        const auto known = std::find(pending.begin(), pending.end(), path);
        if (known != pending.end())
            pending.erase(known); // asked for again: it moves to the end
        pending.push_back(path);
    }
    if (pending.size() > kMaxPendingFiles)
        pending.erase(pending.begin(), pending.end() - static_cast<std::ptrdiff_t>(kMaxPendingFiles));
}

void PaneFiles::OpenFiles(const std::vector<std::string>& paths)
{
    // Files that are not there are named together, in one message.
    std::string missing;
    for (const std::string& path : paths) {
        if (!path.empty() && !FileOrFolderExists(path)) // a file inside a disk image counts too
            missing += (missing.empty() ? "" : "\n") + path;
    }
    if (!missing.empty())
        context_.prompts.MessageBox(FillArgs(Tr(Msg::FilesNotFound), {missing}), MsgIcon::Warning,
                                    MsgButtons::Ok);
    for (std::string path : paths) {
        if (path.empty() || !FileOrFolderExists(path))
            continue;
        if (const std::optional<ImageOpening> image = OpeningOfImage(path)) {
            path = image->path; // the one MDB on a floppy image, else the user picks one
            if (image->browse) {
                const BrowseResult result =
                    context_.prompts.Browse(BackupSetBrowse(BrowseMode::Open, path, options_.NoNetwork()));
                if (!result.confirmed || result.chosenPath.empty())
                    continue;
                options_.SetLastBackupFolder(result.chosenFolder);
                path = result.chosenPath;
            }
        }
        const PaneId id = PaneForFile(path);
        const PaneState& pane = context_.Pane(id);
        if (pane.loaded && !pane.untitled && pane.fileName == path) {
            context_.active = id; // already open: its changes stay
            continue;
        }
        if (!ConfirmDiscard(id))
            continue;
        OpenFileIn(id, path);
    }
}

} // namespace tessaro

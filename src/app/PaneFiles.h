#pragma once
// The files of the two panes: New, Open, the recent-file lists, Save, Save As,
// Close, the save-changes question before anything replaces a pane, and files
// dropped on a pane or handed in by the desktop. Which file a pane holds, how
// it is read and written and its dialogs come from its PaneKind.

#include "app/CommandStates.h"
#include "app/Options.h"
#include "app/PaneKinds.h"
#include "app/RecentFiles.h"
#include "app/SettingsStore.h"
#include "app/WindowContext.h"

#include <optional>
#include <string>
#include <vector>

namespace tessaro {

class PaneFiles
{
public:
    // The options give the keyboard model, the backup-structure and
    // no-network options and the last backup folder, and follow a load.
    PaneFiles(WindowContext& context, Options& options) : context_(context), options_(options) {}

    // The recent-file lists, as stored.
    void LoadRecentFiles(SettingsStore& settings);
    void SaveRecentFiles(SettingsStore& settings) const;
    // The recent-file combo box of a pane (MDB lines as set names with the option on).
    RecentCombo FillRecentCombo(PaneId pane) const;

    bool LoadFile(PaneId pane);                   // the pane's fileName; true when loaded
    bool SaveFile(PaneId pane, bool addToRecent); // to the pane's fileName; true when saved
    // The save-changes question: Yes saves (Save As for an untitled pane) and
    // goes on only when the save left the pane unmodified; No goes on; Cancel
    // stops. True when the pane's contents may be replaced.
    bool ConfirmDiscard(PaneId pane);
    void New(PaneId pane);
    void Open(PaneId pane);
    void Save(PaneId pane);
    void SaveAs(PaneId pane);
    void Close(PaneId pane);
    void SelectRecent(PaneId pane, int index); // a line of the recent-file combo box
    // Empties the pane's tree and forgets the history steps that touched it.
    void ResetPane(PaneId pane);
    // Whether Save may write a PSR-9000 MDB that uses PSR-9000pro voices (asks once).
    bool ConfirmProOnlyVoices();
    // The loaded MDB's signature is blank: it is saved blank again.
    bool BlankSignature() const { return blankSignature_; }

    // A file dropped on a pane opens there, after its save-changes question,
    // when its content belongs to that pane (PaneForFile) and it is not the
    // pane's own file.
    bool CanOpenDroppedFile(PaneId pane, const std::string& path) const;
    bool OpenDroppedFile(PaneId pane, const std::string& path);
    // Files handed in by the desktop or a later start of the program, in order:
    // an archive (told by its magic) opens in the archive pane, anything else
    // as an MDB backup file, whose reader refuses what is none; each after
    // its pane's save-changes question (Cancel skips that file). A file that
    // is already open there is not read again.
    void OpenFiles(const std::vector<std::string>& paths);
    // Files handed over while the window is busy wait in one list: each file
    // once, the most recent kMaxPendingFiles.
    static constexpr std::size_t kMaxPendingFiles = 64;
    static void AddPendingFiles(std::vector<std::string>& pending, const std::vector<std::string>& more);

    // The file commands' states, the trees and the entry counts.
    void FillStates(CommandStates& states) const;
    // What a pane's count label shows: nothing while the pane holds no
    // database, nor for a new one before it holds entries.
    static std::string EntryCountText(const PaneState& pane);

private:
    // Before a save: more entries than the pane's file holds are refused with
    // their message, and an MDB for the PSR-9000 with pro-only voices asks.
    bool MaySave(PaneId pane);
    // Save As: the file chosen (and confirmed) for the pane; nullopt when cancelled.
    std::optional<std::string> ChooseSaveAsFile(PaneId pane);
    std::optional<std::string> ChooseBackupSetTarget(PaneId pane);
    std::optional<Msg> WritePaneFile(PaneId pane, WriteMode mode);
    // A failed load: says why, then leaves the pane empty and forgets the file
    // (entries inserted before the failure must not linger). Returns false.
    bool ForgetFailedLoad(PaneId pane, Msg error);
    enum class LoadOutcome
    {
        Loaded,
        Failed,   // said why; the pane is empty and its file forgotten
        Cancelled // by the user: the pane is as it was
    };
    LoadOutcome LoadPane(PaneId pane);
    // Loads the file into the pane and makes the pane active; a cancelled load
    // leaves the pane, its file name and the active pane as they were.
    bool OpenFileIn(PaneId pane, const std::string& path);
    // No room on the disk for a safe save's temporary copy: asks whether to
    // write over the file itself (a failure then loses it). True for Yes.
    bool AllowWriteInPlace();
    // A successful save: the file is titled and unmodified.
    void MarkSaved(PaneId pane, bool addToRecent);
    // The pane's file is chosen as a backup set in the browse dialog.
    bool InBackupSets(PaneId pane) const { return KindOf(pane).inBackupSets && options_.BackupStructure(); }

    WindowContext& context_;
    Options& options_;
    bool blankSignature_ = false;
};

} // namespace tessaro

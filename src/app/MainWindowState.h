#pragma once
// Everything the main window holds and does, without the window: the two panes,
// the keyboard model, the options, the flash-style names, the active pane and
// every command. The window forwards each click and tree notification to its
// operation here, pushes check-box and radio changes in as they happen, and
// after each operation shows the state again (the members below, the two
// FillRecentCombo results and UpdateCommandStates).
//
// All questions and messages go through Prompts; settings through SettingsStore.

#include "app/CommandStates.h"
#include "app/RecentFiles.h"
#include "app/SettingsStore.h"
#include "catalogue/StyleCatalogue.h"
#include "common/Progress.h"
#include "common/Prompts.h"
#include "data/SafeFile.h"
#include "edit/Workspace.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessaro {

class TreeNode;
struct PaneFileContext;

// Flash-style modes, as stored (other stored numbers are kept as they are and
// select no names).
constexpr int kFlashFactory = 0;
constexpr int kFlashDefault = 1;
constexpr int kFlashIndividual = 2;

// The window's top-left corner in screen pixels; -1 in either means "where the
// platform puts it". The size is the window's inside, as it was before it was
// maximized; -1 in either means the smallest size.
struct WindowPosition
{
    int left = -1;
    int top = -1;
    int width = -1;
    int height = -1;
    bool maximized = false;

    bool IsSet() const { return left != -1 && top != -1; }
    bool HasSize() const { return width > 0 && height > 0; }
};

class MainWindowState
{
public:
    // The catalogue's flash names follow the flash-style mode; it must outlive the state.
    MainWindowState(Prompts& prompts, SettingsStore& settings, StyleCatalogue& styles);
    MainWindowState(const MainWindowState&) = delete;
    MainWindowState& operator=(const MainWindowState&) = delete;

    // ---- State, as the window shows it -------------------------------------
    StyleCatalogue& styles;             // the style names of labels, lists and reports
    int flashStyleMode = kFlashFactory; // the radio buttons
    std::string modelLabel;             // "PSR9000", "9000Pro" or empty
    bool backupStructureOption = false; // "Yamaha backup structure"
    bool noNetworkOption = false;       // "No network access"
    int keyboardModel = 0;              // 0 none, 1 PSR-9000, 2 PSR-9000pro (as stored)
    bool blankSignature = false;        // the loaded MDB's signature is blank: saved blank again
    Workspace workspace;                // the two panes and their history
    std::string flashStyleFile;         // the flash-style backup file last chosen
    std::string flashStyleFileLabel;    // the text beside the radio buttons
    std::string lastBackupFolder;       // last folder chosen in the browse dialog
    std::string startupFolder;          // current folder at start-up; the help pages lie there
    WindowPosition windowPosition;      // read at start-up, written at exit
    // Where long work (loading an archive, saving it, copying or moving many
    // entries, a report) shows how far it is and may be cancelled; the
    // window's dialog, or nullptr.
    Progress* progress = nullptr;

    // ---- Start-up and exit -------------------------------------------------
    // The start sequence after the window's controls exist: start-up folder,
    // language choice, settings, model label, flash-style names. Afterwards
    // the window sets its German captions when IsGerman(), moves itself to
    // windowPosition when that IsSet(), and shows the state.
    void Initialise();
    // Reads "Language"; asks when nothing was chosen yet and stores the answer;
    // sets the process's language.
    void RunLanguageChoice();
    // Values outside their range read as their defaults.
    void LoadSettings();
    // Writes every value and flushes the store once; false when that failed.
    bool SaveSettings();
    // Exit button, Escape and the close box: offers both panes for saving, then
    // stores the settings with the window's current position (saying so when
    // they cannot be written). False when the user cancelled or a save failed:
    // the window stays open.
    bool ExitSequence(const WindowPosition& currentPosition);
    void OpenHelp();

    // ---- Panes -------------------------------------------------------------
    bool HasActivePane() const { return active_.has_value(); }
    bool IsActive(PaneId id) const { return active_ == id; }
    std::optional<PaneId> ActiveId() const { return active_; }
    // nullptr while no pane is active.
    PaneState* ActivePane();
    PaneState* OtherPane();
    PaneState& Pane(PaneId id) { return workspace.Pane(id); }
    const PaneState& Pane(PaneId id) const { return workspace.Pane(id); }
    void SetActivePane(PaneId pane) { active_ = pane; }
    void ClearActivePane() { active_.reset(); }

    // The recent-file combo box of a pane (MDB lines as set names with the option on).
    RecentCombo FillRecentCombo(PaneId pane) const;
    // Recomputes every command's state, captions and alignment.
    CommandStates UpdateCommandStates();
    // Runs the command as its action was triggered (checked: the option's new
    // state). Exit is the window's own: it may close the window.
    void Run(CommandId id, bool checked = false);
    void UpdateKeyboardLabel();

    // ---- A pane's file (the MDB pane or the archive pane) -------------------
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

    // ---- Options and flash styles -------------------------------------------
    void SetBackupStructureOption(bool on);
    void SetNoNetworkOption(bool on);
    void SelectFactoryFlashStyles();    // radio "Factory"
    void SelectDefaultFlashStyles();    // radio "Default"
    void SelectIndividualFlashStyles(); // radio "Individual:"
    bool ReadFlashStyleBackup();        // from flashStyleFile; false falls back to Factory
    void ShowFlashStyleFile();
    void RelabelAllEntries();

    // ---- Edit column (on the active pane; nothing when its button is disabled) ----
    void NewCategory();
    void EditSelected();
    void ToggleMainEntry();
    void Copy(); // from the active pane to the other one
    void Move();
    void MoveUp();
    void MoveDown();
    void DeleteSelected();
    void Search();
    void WriteFormattedProtocol();
    void WriteTabProtocol();
    // Take back the last change / make it again, in whichever panes it touched;
    // the pane it started from becomes active.
    void Undo();
    void Redo();

    // Every command of the window runs through here: when memory runs out in
    // it, the changes it made are taken back and the user is told.
    void RunWithinMemory(const std::function<void()>& command);

    // ---- Tree notifications -------------------------------------------------
    void TreeGotFocus(PaneId pane);
    void TreeSelectionChanged(PaneId pane, TreeNode* node);
    // True when handled (an entry was edited); false lets the tree open or
    // close the category.
    bool TreeDoubleClicked(PaneId pane);

    // ---- Drag and drop (DropCommands.cpp) -----------------------------------
    // Nodes of pane `from` dropped onto `onto`, a node of pane `to` (nullptr:
    // below its rows). Between the panes they are copied, or moved with
    // `move`, as Copy and Move do with `onto` selected in the target (its first
    // category when nullptr); within a pane, entries go to the category of
    // `onto`. One step of the history; `to` becomes the active pane. The Can
    // form refuses what would do nothing.
    bool CanDropNodes(PaneId from, const std::vector<TreeNode*>& nodes, PaneId to, const TreeNode* onto);
    bool DropNodes(PaneId from, const std::vector<TreeNode*>& nodes, PaneId to, TreeNode* onto, bool move);
    // A file dropped on a pane opens there, after its save-changes question,
    // when its content belongs to that pane (PaneForFile) and it is not the
    // pane's own file.
    bool CanOpenDroppedFile(PaneId pane, const std::string& path) const;
    bool OpenDroppedFile(PaneId pane, const std::string& path);
    // ---- Menu-bar commands and files from the desktop -------------------------
    std::string lastSearchText; // what the Search dialog last searched for
    // The last search once more, from the selection on ("Text not found!" when
    // nothing matches); the Search dialog while nothing was searched yet.
    void SearchAgain();
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
    // ---- Tools (ToolCommands.cpp) --------------------------------------------
    // What a line of a tool's result list stands for: entries of one pane, and
    // for a compared entry its counterpart in the other pane.
    struct ResultTarget
    {
        PaneId pane = PaneId::Mdb;
        std::vector<const TreeNode*> nodes; // none for a line that selects nothing
        const TreeNode* counterpart = nullptr;
    };
    // The active pane as a spreadsheet, and rows of one added to it (one step).
    void ExportCsv();
    void ImportCsv();
    // The MDB pane against the archive pane, as tessaro-cli diff compares files.
    void ComparePanes();
    // The active pane's entries that would not play as stored on the model asked for.
    void CheckForKeyboard();
    // Groups of probable duplicates in the active pane; nothing is deleted.
    void FindDuplicates();
    // A result line chosen: its pane becomes active and its entries are selected and shown.
    void ShowResultTarget(const ResultTarget& target);
    // Whether Save may write a PSR-9000 MDB that uses PSR-9000pro voices (asks once).
    bool ConfirmProOnlyVoices();

private:
    // What the edit column may do with the active pane's selection.
    struct EditFacts
    {
        bool paneLoaded = false;
        bool otherLoaded = false;
        bool selected = false; // one node or more
        bool single = false;   // exactly one
        bool upAllowed = false;
        bool downAllowed = false;
        bool isSub = false;
        bool isMain = false;
    };
    EditFacts ComputeEditFacts() const;
    // Installs the names the flash-style mode stands for (Factory for the
    // current model, or Default); Individual and unknown modes keep theirs.
    void InstallFlashNamesForMode();
    // After a load or New changed the model: the Factory names follow it.
    void FollowModelWithFactoryNames();
    void CopyOrMoveCommand(bool move);
    // Before a save: more entries than the pane's file holds are refused with
    // their message, and an MDB for the PSR-9000 with pro-only voices asks.
    bool MaySave(PaneId pane);
    // Save As: the file chosen (and confirmed) for the pane; nullopt when cancelled.
    std::optional<std::string> ChooseSaveAsFile(PaneId pane);
    std::optional<std::string> ChooseBackupSetTarget(PaneId pane);
    PaneFileContext FileContext();
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
    // Empties the pane's tree and forgets the history steps that touched it.
    void ResetPane(PaneId pane);
    // Runs one edit-column command as one step of the history.
    template <class Command> void AsStep(const std::string& name, Command command);
    std::string StepName(Caption action, const TreeNode* node) const;
    std::string StepName(Caption action, const std::vector<TreeNode*>& nodes) const;
    // After an undo or redo: the step's pane is active and the counts follow.
    void ShowHistoryStep(PaneId active);

    Prompts& prompts_;
    SettingsStore& settings_;
    std::optional<PaneId> active_;
    // The Main entry button keeps its caption while no pane is active.
    Caption mainEntryCaption_ = Caption::MainEntry;
};

} // namespace tessaro

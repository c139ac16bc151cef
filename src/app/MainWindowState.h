#pragma once
// Everything the main window holds and does, without the window. It owns the
// two panes with their history and the active pane (a WindowContext), and four
// roles it hands out: the panes' files (PaneFiles), the options (Options), the
// tools (Tools) and the edit column (EditColumn). The window forwards each
// command, tree notification and drop here, and after each operation shows
// the state again (UpdateCommandStates and the two FillRecentCombo results).
//
// All questions and messages go through Prompts; settings through SettingsStore.

#include "app/CommandStates.h"
#include "app/EditColumn.h"
#include "app/Options.h"
#include "app/PaneFiles.h"
#include "app/RecentFiles.h"
#include "app/SettingsStore.h"
#include "app/Tools.h"
#include "app/WindowContext.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessaro {

class TreeNode;

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

    // ---- The roles ------------------------------------------------------------
    tessaro::PaneFiles& Files() { return files_; }
    const tessaro::PaneFiles& Files() const { return files_; }
    tessaro::Options& Options() { return options_; }
    const tessaro::Options& Options() const { return options_; }
    tessaro::Tools& Tools() { return tools_; }
    tessaro::EditColumn& EditColumn() { return editColumn_; }
    tessaro::Workspace& Workspace() { return context_.workspace; }
    const tessaro::Workspace& Workspace() const { return context_.workspace; }
    // The last copy, move or drop, for the status bar.
    const TransferRecord& LastTransfer() const { return context_.lastTransfer; }
    // Where long work (loading an archive, saving it, copying or moving many
    // entries, a report) shows how far it is and may be cancelled; the
    // window's dialog, or nullptr.
    void SetProgress(Progress* progress) { context_.progress = progress; }

    // ---- Start-up and exit -------------------------------------------------
    // The start sequence after the window's controls exist: start-up folder,
    // language choice, settings, model label, flash-style names. Afterwards
    // the window sets its German captions when IsGerman(), moves itself to
    // Position() when that IsSet(), and shows the state.
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
    // Read at start-up, written at exit.
    const WindowPosition& Position() const { return windowPosition_; }
    void SetPosition(const WindowPosition& position) { windowPosition_ = position; }
    // The current folder at start-up; the help pages lie there.
    const std::string& StartupFolder() const { return startupFolder_; }
    void SetStartupFolder(const std::string& folder) { startupFolder_ = folder; }

    // ---- Panes -------------------------------------------------------------
    bool HasActivePane() const { return context_.active.has_value(); }
    bool IsActive(PaneId id) const { return context_.active == id; }
    std::optional<PaneId> ActiveId() const { return context_.active; }
    // nullptr while no pane is active.
    PaneState* ActivePane() { return context_.ActivePane(); }
    PaneState& Pane(PaneId id) { return context_.Pane(id); }
    const PaneState& Pane(PaneId id) const { return context_.Pane(id); }
    void SetActivePane(PaneId pane) { context_.active = pane; }
    void ClearActivePane() { context_.active.reset(); }

    // The recent-file combo box of a pane (MDB lines as set names with the option on).
    RecentCombo FillRecentCombo(PaneId pane) const { return files_.FillRecentCombo(pane); }
    // Every command's state, captions and alignment, and the texts the window shows.
    CommandStates UpdateCommandStates();
    // Runs the command as its action was triggered (checked: the option's new
    // state). Exit is the window's own: it may close the window.
    void Run(CommandId id, bool checked = false);
    // A line of a pane's recent-file combo box chosen.
    void SelectRecent(PaneId pane, int index) { files_.SelectRecent(pane, index); }

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
    // Files dropped on a pane and handed in by the desktop (see PaneFiles).
    bool CanOpenDroppedFile(PaneId pane, const std::string& path) const
    {
        return files_.CanOpenDroppedFile(pane, path);
    }
    bool OpenDroppedFile(PaneId pane, const std::string& path) { return files_.OpenDroppedFile(pane, path); }
    void OpenFiles(const std::vector<std::string>& paths) { files_.OpenFiles(paths); }

private:
    Prompts& prompts_;
    SettingsStore& settings_;
    WindowContext context_;
    tessaro::Options options_{context_};
    tessaro::PaneFiles files_{context_, options_};
    tessaro::Tools tools_{context_, options_};
    tessaro::EditColumn editColumn_{context_, options_};
    WindowPosition windowPosition_;
    std::string startupFolder_;
};

} // namespace tessaro

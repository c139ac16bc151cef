#pragma once
// What sets the two panes apart, in one place: the file each holds, how it is
// read and written, its dialogs, its save-changes question and its entry
// limit. The commands on a pane's file are written once and read their pane's
// kind from here.

#include "common/Progress.h"
#include "common/Prompts.h"
#include "common/Texts.h"
#include "data/MdbImage.h"
#include "data/SafeFile.h"
#include "edit/PaneState.h"

#include <optional>
#include <string>

namespace tessaro {

// What reading or writing a pane's file takes besides the pane: the keyboard
// model and blank signature an MDB carries (a read replaces them); where a
// warning goes; where long work shows its progress.
struct PaneFileContext
{
    KeyboardModel keyboardModel;
    bool blankSignature;
    Prompts& prompts;
    Progress* progress;
};

struct PaneKind
{
    Caption openTitle;
    Caption saveTitle;
    Caption filter;
    const char* defaultExtension; // with the dot
    Msg changedSave;              // the save-changes question (Yes/No/Cancel)
    int entryLimit;               // most entries a save may write; 0 for no limit
    // With the backup-structure option on, the pane's file is chosen as a
    // backup set in the browse dialog instead of a file dialog.
    bool inBackupSets;
    // Its file names the keyboard model: the model label and the Factory
    // names follow a load, New asks for the model, Save checks the voices.
    bool namesKeyboard;
    // Replaces the pane's tree with its file (fileName); on a message the tree
    // is as it was.
    std::optional<Msg> (*read)(PaneState& pane, PaneFileContext& context);
    // Writes the pane's tree to its file (fileName).
    std::optional<Msg> (*write)(const PaneState& pane, WriteMode mode, PaneFileContext& context);
    const char* recentPrefix; // of the stored recent-file list's keys
};

const PaneKind& KindOf(PaneId pane);

// The file dialog of the pane's Open (save false) or Save As (save true).
FileDialogRequest FileDialogFor(PaneId pane, bool save, const std::string& initialName);

// The browse dialog over backup sets that hold an MDB backup file.
BrowseRequest BackupSetBrowse(BrowseMode mode, const std::string& startFolder, bool noNetwork);

} // namespace tessaro

#pragma once
// What sets the two panes apart, in one place: the file each holds, its
// dialogs, its save-changes question and its entry limit. The commands on a
// pane's file are written once and read their pane's kind from here.

#include "common/Prompts.h"
#include "common/Texts.h"
#include "edit/PaneState.h"

#include <string>

namespace tessaro {

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
};

const PaneKind& KindOf(PaneId pane);

// The file dialog of the pane's Open (save false) or Save As (save true).
FileDialogRequest FileDialogFor(PaneId pane, bool save, const std::string& initialName);

// The browse dialog over backup sets that hold an MDB backup file.
BrowseRequest BackupSetBrowse(BrowseMode mode, const std::string& startFolder, bool noNetwork);

} // namespace tessaro

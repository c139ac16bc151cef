#pragma once
// The archive pane's Open on a floppy image: the file dialog offers disk images
// beside archives, and an image chosen there opens the archive it holds; with
// several, the one the user picks from their list. The MDB pane finds images
// through the browse dialog and keeps its file dialog as it is.

#include "common/Prompts.h"
#include "edit/PaneState.h"

#include <optional>
#include <string>

namespace tessaro {

// The pane's Open file dialog, with disk images after the pane's own file type
// where the pane opens files inside them.
FileDialogRequest OpenDialogWithImages(PaneId pane, FileDialogRequest request);

// What the pane opens for the file chosen in its Open file dialog: the file
// itself, or for a floppy image the archive on it as IMAGE::/FOLDER/FILE.
// Nothing when the user cancels the list or the image holds no archive or
// cannot be read (the user is told why).
std::optional<std::string> FileToOpenFromImage(PaneId pane, const std::string& chosen, Prompts& prompts);

} // namespace tessaro

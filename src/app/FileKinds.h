#pragma once
// Which pane a file given from outside (dropped on the window, named on the
// command line) opens in.

#include "edit/PaneState.h"

#include <string>

namespace tessaro {

// By content: a file that begins with the archive's magic belongs to the
// archive pane; anything else is taken for an MDB backup file, whose reader
// then loads it or says why not.
PaneId PaneForFile(const std::string& path);

} // namespace tessaro

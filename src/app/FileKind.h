#pragma once
// Which pane a file from the desktop belongs in, told by its content rather
// than its name: an MDB archive begins with its 16-byte magic; anything else
// is taken for an MDB backup file, whose reader refuses what is none.

#include "edit/PaneState.h"

#include <string>

namespace tessaro {

PaneId PaneForFile(const std::string& path);

} // namespace tessaro

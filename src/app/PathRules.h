#pragma once
// The main window's path rules, with '/' as the separator.

#include "data/MdbImage.h"

#include <string>

namespace tessaro {

// "MDB_Pro.bup" for the PSR-9000pro, else "MDB.bup".
std::string MdbFileNameFor(KeyboardModel model);

// The path without a trailing "/MDB.bup" or "/MDB_Pro.bup" (any letter case),
// which leaves the backup-set folder; any other path stays whole.
std::string WithoutMdbFileName(const std::string& path);

// The path up to, not including, its last '/'; "/" for a file right below the
// root; the whole path when it has no '/'.
std::string FolderOf(const std::string& path);

// Anything of that name exists (a file, or a folder a save would fail on).
bool PathExists(const std::string& path);

} // namespace tessaro

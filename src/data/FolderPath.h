#pragma once
// Folder helpers for the backup-set layout.

#include <string>

namespace tessaro {

// Creates every missing folder of a '/'-separated path, outermost first. A
// level that exists as a folder is used as it is; false at the first level that
// can be neither used nor created (for instance a file of that name). Folders
// created before the failure stay.
bool CreateFolderPath(const std::string& path);

// The path of `name` inside `folder`, taking an existing entry whose name
// matches without regard to (ASCII) case, so that a keyboard floppy's
// "backup.ini" is updated rather than joined by a second "BACKUP.INI". An exact
// match wins; with no match, folder + '/' + name. An empty folder means the
// current one and gives the name alone.
std::string ResolveCaseVariant(const std::string& folder, const std::string& name);

} // namespace tessaro

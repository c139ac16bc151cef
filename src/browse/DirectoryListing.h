#pragma once
// Directory reading that never throws: folders vanish, permissions are refused
// and network mounts drop while the browser looks at them.

#include <filesystem>
#include <functional>
#include <string>

namespace tessaro {

// Calls visit for each entry of dir until it returns false or the listing ends.
// Returns false when the folder cannot be opened; an error part way ends the
// listing quietly with the entries seen so far.
bool ListDirectory(const std::string& dir,
                   const std::function<bool(const std::filesystem::directory_entry&)>& visit);

// Whether the entry is a folder, following symbolic links; false on any error.
bool IsFolderEntry(const std::filesystem::directory_entry& entry);
bool IsFolderPath(const std::string& path);

// Folders whose name begins with a dot are hidden, as in every Linux file manager.
bool IsHiddenName(const std::string& name);

// dir joined with name by one '/', also when dir is the root "/".
std::string JoinPath(const std::string& dir, const std::string& name);

} // namespace tessaro

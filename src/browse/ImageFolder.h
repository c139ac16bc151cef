#pragma once
// A floppy disk image (.img, .ima) in the folder tree: it opens like a folder,
// and the folders inside it are its children, with paths of the form
// IMAGE::/FOLDER, so that backup sets inside it are found and shown as on disk.

#include "browse/ShellNamespace.h"

#include <filesystem>
#include <memory>
#include <string>

namespace tessaro {

// A regular file whose name marks it as a floppy image.
bool IsImageFileEntry(const std::filesystem::directory_entry& entry);
bool IsImageFilePath(const std::string& path);

// Whether the folder inside an image (IMAGE::/FOLDER) holds a folder.
bool ImageFolderHasFolders(const std::string& imagePath);

// The folder inside an image at IMAGE::/FOLDER ("disk1.img::/" for its root).
std::shared_ptr<ShellFolder> MakeImageFolder(const std::string& imagePath);

// Nothing to offer: folders inside an image are not changed from the tree.
std::unique_ptr<ContextMenuHandler> MakeEmptyMenu();

} // namespace tessaro

#pragma once
// Disk images as files: read one whole and check it, save it back the way an
// MDB is saved (temporary file beside it, then rename), and the store that lets
// every reader and writer of the program reach IMAGE::/FOLDER/FILE paths.

#include "data/SafeFile.h"
#include "image/BootSector.h"
#include "image/FatVolume.h"
#include "image/ImageError.h"

#include <optional>
#include <string>
#include <vector>

namespace tessaro {

// Reads and checks the image file (ErrorOpeningFile with the system's reason,
// ErrorReadingFile, or what the image layer refuses).
std::optional<ImageError> LoadImageFile(const std::string& imageFile, FatVolume& volume);

// Writes the volume's bytes over the image file, safely.
SaveFailure SaveImageFile(const std::string& imageFile, const FatVolume& volume, WriteMode mode = WriteMode::Safe);

// The folders and files of a folder inside an image, given as IMAGE::/FOLDER;
// nothing when the image or the folder cannot be read.
std::optional<std::vector<ImageEntry>> ListImageFolder(const std::string& imagePath);

// Writes a new, empty formatted floppy image; false when it cannot be written.
bool WriteNewFloppyImage(const std::string& imageFile, FloppySize size);

// Makes IMAGE::/PATH reach files inside images everywhere (FileInput, the safe
// save, the folder helpers). Called once at start-up by each program. A file
// written into an image gets its missing folders in the same save: a file that
// does not fit leaves the image exactly as it was.
void UseImagePaths();

// Why the last write into an image failed, in the user's language; empty when
// it did not fail inside the image (the save of the image file itself).
std::string LastImageFailure();
// The message, and for a path inside an image why the image refused the last
// write there (a name that does not fit, no room), so the user learns the rule;
// for a file on disk, the file and the system's reason.
std::string WithImageReason(Msg id, const std::string& path);

// What a floppy image named on the command line or dropped on the window opens:
// the one MDB backup file (or, without one, the one archive) on the disk, as
// IMAGE::/FOLDER/FILE; otherwise the image's root "IMAGE::/" to browse from.
struct ImageOpening
{
    std::string path;
    bool browse = false; // none or several: let the user choose
};
// Nothing for a file that is no floppy image (.img or .ima, a regular file).
std::optional<ImageOpening> OpeningOfImage(const std::string& path);

// The MDB backup files (MDB*.bup, any case) anywhere on the disk, as paths
// inside it ("/PARTY.BUF/MDB.BUP"), in folder order.
std::vector<std::string> MdbFilesOnDisk(const FatVolume& volume);
// The MDB archives (*.mdx, any case) anywhere on the disk, likewise.
std::vector<std::string> ArchivesOnDisk(const FatVolume& volume);

} // namespace tessaro

#pragma once
// A file given to tessaro-cli, loaded into a pane exactly as the editor loads
// it. Whether it is an MDB backup file or an archive is told by its content.

#include "catalogue/StyleCatalogue.h"
#include "common/Texts.h"
#include "data/MdbImage.h"
#include "edit/PaneLoad.h"
#include "edit/PaneState.h"

#include <cstddef>
#include <optional>
#include <string>

namespace tessaro::cli {

enum class FileKind
{
    Mdb,
    Archive
};

struct LoadedFile
{
    FileKind kind = FileKind::Mdb;
    KeyboardModel model = KeyboardModel::None; // of an MDB; archives have none
    bool blankSignature = false;               // an MDB whose signature bytes are zero
    bool checksumOk = true;                    // archives have no checksum
    std::string openError;                     // why the file could not be opened
    std::size_t ignoredBytes = 0;              // an archive's tail shorter than a record
    uint64_t fileBytes = 0;                    // the file's length, for the messages that name it
    StyleCatalogue styles;                     // the names the labels and reports of this file show
    PaneState pane{styles};
};

// An archive when the file begins with the archive's magic in any letter case
// (the archive reader then refuses a wrong case), else an MDB (whose reader
// then gives the reason when it is not one either).
FileKind DetectFileKind(const std::string& path);

// Fills file.pane. The message when the file is refused; a bad checksum is
// not a refusal (see checksumOk), nor is an archive's ignored tail. With
// countOnly the pane stays empty and countOnly learns what it would hold.
std::optional<Msg> LoadFile(const std::string& path, LoadedFile& file, LoadCounts* countOnly = nullptr);

} // namespace tessaro::cli

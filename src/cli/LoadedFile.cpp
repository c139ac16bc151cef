#include "cli/LoadedFile.h"

#include "data/ArchiveFile.h"
#include "data/InputFile.h"
#include "data/MdbFile.h"
#include "edit/PaneLoad.h"

#include <cstring>

namespace tessaro::cli {

FileKind DetectFileKind(const std::string& path)
{
    FileInput input;
    uint8_t start[kArchiveMagicSize] = {};
    if (input.Open(path) && input.Read(start, kArchiveMagicSize) == kArchiveMagicSize &&
        std::memcmp(start, kArchiveMagic, kArchiveMagicSize) == 0) {
        return FileKind::Archive;
    }
    return FileKind::Mdb;
}

std::optional<Msg> LoadFile(const std::string& path, LoadedFile& file)
{
    ClearPane(file.pane);
    file.kind = DetectFileKind(path);
    if (file.kind == FileKind::Archive) {
        return InsertArchiveFile(file.pane, path);
    }

    const MdbReadResult read = ReadMdbFile(path);
    const bool imageRead = !read.error || read.error == Msg::NotAValidMdb;
    file.checksumOk = !imageRead || read.checksumOk;
    if (read.error) {
        return read.error;
    }
    file.model = read.model;
    // Reading set the process-wide mark if this, the one MDB of the run, has a blank signature.
    file.blankSignature = BlankSignatureMark();
    return InsertMdbImage(file.pane, read.image);
}

} // namespace tessaro::cli

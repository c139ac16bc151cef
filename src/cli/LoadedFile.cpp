#include "cli/LoadedFile.h"

#include "cli/StderrProgress.h"
#include "data/ArchiveFile.h"
#include "data/AsciiCase.h"
#include "data/InputFile.h"
#include "data/MdbFile.h"
#include "edit/PaneLoad.h"

#include <string_view>

namespace tessaro::cli {

FileKind DetectFileKind(const std::string& path)
{
    FileInput input;
    uint8_t start[kArchiveMagicSize] = {};
    if (input.Open(path) && input.Read(start, kArchiveMagicSize) == kArchiveMagicSize &&
        EqualsNoCase(std::string_view(reinterpret_cast<const char*>(start), kArchiveMagicSize),
                     std::string_view(kArchiveMagic, kArchiveMagicSize))) {
        return FileKind::Archive;
    }
    return FileKind::Mdb;
}

std::optional<Msg> LoadFile(const std::string& path, LoadedFile& file, LoadCounts* countOnly)
{
    ClearPane(file.pane);
    FileInput input;
    if (!input.Open(path)) {
        file.openError = input.ErrorText();
        return Msg::ErrorOpeningFile;
    }
    file.fileBytes = input.Length();
    file.kind = DetectFileKind(path);
    if (file.kind == FileKind::Archive) {
        return countOnly ? CountArchiveFile(path, *countOnly, &file.ignoredBytes, CliProgress())
                         : InsertArchiveFile(file.pane, path, &file.ignoredBytes, CliProgress());
    }

    const MdbReadResult read = ReadMdbFile(path);
    const bool imageRead = !read.error || read.error == Msg::NotAValidMdb;
    file.checksumOk = !imageRead || read.checksumOk;
    if (read.error) {
        return read.error;
    }
    file.model = read.model;
    file.blankSignature = read.blankSignature;
    if (countOnly) {
        *countOnly = CountMdbImage(read.image);
        return std::nullopt;
    }
    return InsertMdbImage(file.pane, read.image);
}

} // namespace tessaro::cli

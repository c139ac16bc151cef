#pragma once
// The MDB archive (.mdx): the magic "%%%MDB-Archiv%%%" followed by any number
// of 288-byte records. No count, no checksum, no model.

#include "common/Progress.h"
#include "common/Texts.h"
#include "data/InputFile.h"
#include "data/MdbEntry.h"
#include "data/RecordSource.h"
#include "data/SafeFile.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace tessaro {

constexpr char kArchiveMagic[] = "%%%MDB-Archiv%%%";
constexpr std::size_t kArchiveMagicSize = 16;
constexpr std::size_t kArchiveBlockRecords = 100;

// Takes each record as it is read; returning false stops the load with
// ErrorLoadingDisplayBuffer (the tree could not take it).
using RecordSink = std::function<bool(const MdbEntry&)>;

struct ArchiveReadResult
{
    // ErrorOpeningArchive, InvalidFileSize (shorter than the magic),
    // ErrorReadingArchive, NotAValidArchive or ErrorLoadingDisplayBuffer.
    std::optional<Msg> error;
    // Records handed to the sink and accepted, also when a later one failed.
    std::size_t count = 0;
    // Bytes after the last whole record (a file cut off in a record): not loaded.
    std::size_t ignoredBytes = 0;

    bool ok() const { return !error; }
};

// Reads in blocks of at most 100 records, handing them one by one to the sink.
// Fewer than 288 bytes at the end are ignored; the inUse byte is not consulted.
ArchiveReadResult ReadArchiveFile(const std::string& path, const RecordSink& sink);
ArchiveReadResult ReadArchive(ByteInput& input, const RecordSink& sink);

// Writes the magic and the records in blocks of 100, safely (a failed save
// leaves the old file whole). Errors: NoSpaceForSafeSave (no room for the
// temporary copy beside an existing file; WriteMode::InPlace may then write
// over it), ErrorSavingArchive, or WorkCancelled when the user cancelled
// through the progress (of `count` records): a safe save then leaves the old
// file as it was.
std::optional<Msg> WriteArchiveFile(const std::string& path, const RecordSource& records,
                                    WriteMode mode = WriteMode::Safe, Progress* progress = nullptr,
                                    uint64_t count = 0);

} // namespace tessaro

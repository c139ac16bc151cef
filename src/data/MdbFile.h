#pragma once
// Reading and writing the MDB backup file (MDB.bup / MDB_Pro.bup).

#include "common/Texts.h"
#include "data/MdbImage.h"
#include "data/RecordSource.h"

#include <optional>
#include <string>
#include <vector>

namespace tessaro {

struct MdbReadResult
{
    // Set when the file is refused: ErrorOpeningFile, InvalidFileSize,
    // ErrorReadingFile or NotAValidMdb.
    std::optional<Msg> error;
    MdbImage image;
    KeyboardModel model = KeyboardModel::None;
    // A mismatch is only a warning ("Invalid checksum!"): the load goes on.
    // Meaningful once the image was read, also when the signature is refused.
    bool checksumOk = false;

    bool ok() const { return !error; }
};

// The file must be exactly 177436 bytes; it is read with one read.
MdbReadResult ReadMdbFile(const std::string& path);
// The same checks on bytes in memory.
MdbReadResult ParseMdb(const uint8_t* data, std::size_t size);

// The records of the occupied slots (inUse non-zero), in slot order.
std::vector<MdbEntry> OccupiedRecords(const MdbImage& image);

// A fresh image: the header for the model, the records in slots 0 onwards,
// zero slots after them, the checksum. False (image untouched) for more than
// 616 records.
bool BuildMdbImage(const RecordSource& records, KeyboardModel model, MdbImage& image);

// Builds the image and writes it safely. Errors: TooManyEntries (more than 616
// records; nothing written) or ErrorSavingMdb (the old file is left as it was).
std::optional<Msg> WriteMdbFile(const std::string& path, const RecordSource& records, KeyboardModel model);

} // namespace tessaro

#pragma once
// Reading and writing the MDB backup file (MDB.bup / MDB_Pro.bup).

#include "common/Texts.h"
#include "data/MdbImage.h"
#include "data/RecordSource.h"
#include "data/SafeFile.h"

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
    // The signature bytes are zero (the model then reads as Psr9000); saving
    // this MDB again keeps them so.
    bool blankSignature = false;
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

// A fresh image: the header for the model (or the blank one), the records in
// slots 0 onwards, zero slots after them, the checksum. False (image untouched)
// for more than 616 records.
bool BuildMdbImage(const RecordSource& records, KeyboardModel model, MdbImage& image,
                   bool blankSignature = false);

// Builds the image and writes it safely. Errors: TooManyEntries (more than 616
// records; nothing written), NoSpaceForSafeSave (no room for the temporary copy
// beside an existing file, which is left as it was; WriteMode::InPlace may then
// write over it) or ErrorSavingMdb (the old file is left as it was, unless it
// was written in place).
std::optional<Msg> WriteMdbFile(const std::string& path, const RecordSource& records, KeyboardModel model,
                                bool blankSignature = false, WriteMode mode = WriteMode::Safe);

} // namespace tessaro

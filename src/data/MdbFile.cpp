#include "data/MdbFile.h"

#include "data/InputFile.h"

namespace tessaro {

namespace {

// Checksum and signature of an image read whole.
void CheckImage(MdbReadResult& result)
{
    result.checksumOk = ComputeChecksum(result.image) == result.image.StoredChecksum();
    result.model = DetectModel(result.image);
    result.blankSignature = HasBlankSignature(result.image);
    if (result.model == KeyboardModel::None)
        result.error = Msg::NotAValidMdb;
}

MdbReadResult ReadMdb(ByteInput& input)
{
    MdbReadResult result;
    if (input.Length() != kImageSize) {
        result.error = Msg::InvalidFileSize;
        return result;
    }
    if (input.Read(result.image.data(), kImageSize) != kImageSize) {
        result.error = Msg::ErrorReadingFile;
        return result;
    }
    CheckImage(result);
    return result;
}

} // namespace

MdbReadResult ReadMdbFile(const std::string& path)
{
    FileInput input;
    if (!input.Open(path)) {
        MdbReadResult result;
        result.error = Msg::ErrorOpeningFile;
        return result;
    }
    return ReadMdb(input);
}

MdbReadResult ParseMdb(const uint8_t* data, std::size_t size)
{
    MemoryInput input(data, size);
    return ReadMdb(input);
}

std::vector<MdbEntry> OccupiedRecords(const MdbImage& image)
{
    std::vector<MdbEntry> records;
    for (int i = 0; i < kSlotCount; ++i) {
        if (image.SlotInUse(i))
            records.push_back(image.Slot(i));
    }
    return records;
}

bool BuildMdbImage(const RecordSource& records, KeyboardModel model, MdbImage& image, bool blankSignature)
{
    MdbImage fresh;
    InitHeader(fresh, model, blankSignature);
    int slot = 0;
    while (const MdbEntry* record = records()) {
        if (slot == kSlotCount)
            return false;
        fresh.SetSlot(slot, *record);
        // An archive may hold records whose in-use byte is 0; written as they
        // are, the keyboard and the next load would take the slot for empty
        // and the entry would be lost.
        if (!record->inUse())
            fresh.data()[kHeaderSize + slot * kRecordSize + kInUseOffset] = 1;
        ++slot;
    }
    fresh.StoreChecksum(ComputeChecksum(fresh));
    image = std::move(fresh);
    return true;
}

std::optional<Msg> WriteMdbFile(const std::string& path, const RecordSource& records, KeyboardModel model,
                                bool blankSignature, WriteMode mode)
{
    MdbImage image;
    if (!BuildMdbImage(records, model, image, blankSignature))
        return Msg::TooManyEntries;
    switch (WriteWholeFile(path, image.data(), image.size(), mode)) {
    case SaveFailure::None:
        return std::nullopt;
    case SaveFailure::NoSpace:
        return Msg::NoSpaceForSafeSave;
    case SaveFailure::Other:
        break;
    }
    return Msg::ErrorSavingMdb;
}

} // namespace tessaro

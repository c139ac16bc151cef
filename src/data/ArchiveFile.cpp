#include "data/ArchiveFile.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace tessaro {

namespace {

constexpr std::size_t kBlockSize = kArchiveBlockRecords * kRecordSize; // 28800
// Writes go out in pieces of about a megabyte: a million-entry archive is then
// some 280 calls into the system, not 10,000.
constexpr std::size_t kWriteSize = 36 * kBlockSize;

} // namespace

ArchiveReadResult ReadArchive(ByteInput& input, const RecordSink& sink)
{
    ArchiveReadResult result;
    if (input.Length() < kArchiveMagicSize) {
        result.error = Msg::InvalidFileSize;
        return result;
    }
    uint8_t magic[kArchiveMagicSize];
    if (input.Read(magic, kArchiveMagicSize) != kArchiveMagicSize) {
        result.error = Msg::ErrorReadingArchive;
        return result;
    }
    if (std::memcmp(magic, kArchiveMagic, kArchiveMagicSize) != 0) {
        result.error = Msg::NotAValidArchive;
        return result;
    }

    std::vector<uint8_t> block(kBlockSize);
    uint64_t remaining = input.Length() - kArchiveMagicSize;
    result.ignoredBytes = std::size_t(remaining % kRecordSize);
    while (remaining >= kRecordSize) {
        const std::size_t wanted = std::size_t(std::min<uint64_t>(remaining, kBlockSize));
        if (input.Read(block.data(), wanted) != wanted) {
            result.error = Msg::ErrorReadingArchive;
            return result;
        }
        remaining -= wanted;
        for (std::size_t offset = 0; offset + kRecordSize <= wanted; offset += kRecordSize) {
            if (!sink(MdbEntry(block.data() + offset))) {
                result.error = Msg::ErrorLoadingDisplayBuffer;
                return result;
            }
            ++result.count;
        }
    }
    return result;
}

ArchiveReadResult ReadArchiveFile(const std::string& path, const RecordSink& sink)
{
    FileInput input;
    if (!input.Open(path)) {
        ArchiveReadResult result;
        result.error = Msg::ErrorOpeningArchive;
        return result;
    }
    return ReadArchive(input, sink);
}

std::optional<Msg> WriteArchiveFile(const std::string& path, const RecordSource& records, WriteMode mode,
                                    Progress* progress, uint64_t count)
{
    ProgressScope scope(progress, Caption::ProgressSaving, count);
    uint64_t done = 0;
    SafeFileWriter writer(path, mode);
    if (count > 0)
        writer.Reserve(kArchiveMagicSize + count * kRecordSize);
    std::vector<uint8_t> block(kArchiveMagic, kArchiveMagic + kArchiveMagicSize);
    block.reserve(kWriteSize);
    while (!writer.Failed()) {
        if (scope.Step(done++))
            return Msg::WorkCancelled; // the writer takes its temporary file with it
        const MdbEntry* record = records();
        if (!record)
            break;
        block.insert(block.end(), record->bytes().begin(), record->bytes().end());
        if (block.size() >= kWriteSize) {
            writer.Write(block.data(), block.size());
            block.clear();
        }
    }
    if (!block.empty())
        writer.Write(block.data(), block.size());
    if (writer.Commit())
        return std::nullopt;
    return writer.Failure() == SaveFailure::NoSpace ? Msg::NoSpaceForSafeSave : Msg::ErrorSavingArchive;
}

} // namespace tessaro

#pragma once
// Filling a pane's tree from a file that was read: each record becomes an
// EntryNode, labelled and put at its sorted place. The editor and tessaro-cli
// load through these, so both see the same tree. Into an empty tree the records
// are loaded in bulk (TreeBulkLoad), giving the tree that inserting them one by
// one gives.
//
// The Insert functions expect the pane to be cleared (ClearPane) before; the
// Replace functions leave the pane as it was when the load fails, runs out of
// memory or is cancelled, and swap the new tree in only when it is complete.

#include "common/Progress.h"
#include "common/Texts.h"
#include "data/MdbImage.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace tessaro {

struct PaneState;

// Inserts one record as loading does; false when the tree refused it.
bool InsertLoadedRecord(PaneState& pane, const MdbEntry& record);

// The occupied slots of the image in slot order (empty slots are skipped).
// ErrorLoadingDisplayBuffer when the tree refuses an entry; the entries
// inserted before it stay. OutOfMemoryLoading leaves no entry behind.
std::optional<Msg> InsertMdbImage(PaneState& pane, const MdbImage& image);

// Reads the archive file and inserts every record, whatever its inUse byte.
// The reader's message when the file is refused (ErrorOpeningArchive,
// InvalidFileSize, ErrorReadingArchive, NotAValidArchive),
// ErrorLoadingDisplayBuffer (the entries inserted before a failure stay),
// FileTooLargeToLoad (refused before reading: it would not fit in memory),
// OutOfMemoryLoading or WorkCancelled (no entry left behind).
// ignoredBytes, when given, learns how many bytes after the last whole record
// were left out.
std::optional<Msg> InsertArchiveFile(PaneState& pane, const std::string& path,
                                     std::size_t* ignoredBytes = nullptr, Progress* progress = nullptr);

// Reads the whole archive aside and replaces the pane's tree with it only when
// every record is in: on any message the pane is untouched. The caller drops
// the editing history that names the old tree's nodes after a success.
std::optional<Msg> ReplaceWithArchiveFile(PaneState& pane, const std::string& path,
                                          std::size_t* ignoredBytes = nullptr, Progress* progress = nullptr);
// The same for an MDB image that was read.
std::optional<Msg> ReplaceWithMdbImage(PaneState& pane, const MdbImage& image);

// What a load would put into an empty pane, counted in one pass over the
// records without building a tree: its entries and its categories (one per
// distinct category name).
struct LoadCounts
{
    std::size_t entries = 0;
    std::size_t categories = 0;
};
// The same messages as InsertArchiveFile, FileTooLargeToLoad included, so
// that a command counting a file says what loading it would say.
std::optional<Msg> CountArchiveFile(const std::string& path, LoadCounts& counts,
                                    std::size_t* ignoredBytes = nullptr, Progress* progress = nullptr);
LoadCounts CountMdbImage(const MdbImage& image);

// Memory a loaded entry takes, for refusing files that cannot fit.
constexpr uint64_t kLoadedEntryBytes = 420;
// Whether an archive of that many bytes fits into the memory left.
bool ArchiveFitsInMemory(uint64_t fileBytes);

// The message as the user reads it, with the file's name and size filled in
// (FileTooLargeToLoad, OutOfMemoryLoading); other messages as they stand.
std::string LoadMessageText(Msg message, const std::string& path, uint64_t fileBytes);

} // namespace tessaro

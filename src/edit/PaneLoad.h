#pragma once
// Filling a pane's tree from a file that was read: each record becomes an
// EntryNode, labelled and put at its sorted place. The
// editor and tessaro-cli load through these, so both see the same tree.
// The pane is expected to be cleared (ClearPane) before.

#include "common/Texts.h"
#include "data/MdbImage.h"

#include <cstddef>
#include <optional>
#include <string>

namespace tessaro {

struct PaneState;

// Inserts one record as loading does; false when the tree refused it.
bool InsertLoadedRecord(PaneState& pane, const MdbEntry& record);

// The occupied slots of the image in slot order (empty slots are skipped).
// ErrorLoadingDisplayBuffer when the tree refuses an entry; the entries
// inserted before it stay.
std::optional<Msg> InsertMdbImage(PaneState& pane, const MdbImage& image);

// Reads the archive file and inserts every record, whatever its inUse byte.
// The reader's message when the file is refused (ErrorOpeningArchive,
// InvalidFileSize, ErrorReadingArchive, NotAValidArchive) or
// ErrorLoadingDisplayBuffer; the entries inserted before a failure stay.
// ignoredBytes, when given, learns how many bytes after the last whole record
// were left out.
std::optional<Msg> InsertArchiveFile(PaneState& pane, const std::string& path,
                                     std::size_t* ignoredBytes = nullptr);

} // namespace tessaro

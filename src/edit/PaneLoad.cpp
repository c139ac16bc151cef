#include "edit/PaneLoad.h"

#include "data/ArchiveFile.h"
#include "edit/PaneState.h"

#include <memory>

namespace tessaro {

bool InsertLoadedRecord(PaneState& pane, const MdbEntry& record)
{
    auto entry = std::make_unique<EntryNode>();
    entry->record = record;
    return pane.tree.InsertSorted(std::move(entry)) != nullptr;
}

std::optional<Msg> InsertMdbImage(PaneState& pane, const MdbImage& image)
{
    // The view hears one reset, not one insert per entry.
    BulkTreeChange bulk(pane.tree);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (image.SlotInUse(slot) && !InsertLoadedRecord(pane, image.Slot(slot))) {
            return Msg::ErrorLoadingDisplayBuffer;
        }
    }
    return std::nullopt;
}

std::optional<Msg> InsertArchiveFile(PaneState& pane, const std::string& path, std::size_t* ignoredBytes)
{
    BulkTreeChange bulk(pane.tree);
    const ArchiveReadResult result =
        ReadArchiveFile(path, [&pane](const MdbEntry& record) { return InsertLoadedRecord(pane, record); });
    if (ignoredBytes)
        *ignoredBytes = result.ignoredBytes;
    return result.error;
}

} // namespace tessaro

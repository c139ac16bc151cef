#include "edit/PaneLoad.h"

#include "data/ArchiveFile.h"
#include "data/InputFile.h"
#include "data/MemoryLimit.h"
#include "edit/PaneState.h"
#include "edit/TreeBulkLoad.h"

#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <new>

namespace tessaro {

namespace {

// An archive is read as it arrives, but never one larger than memory can hold.
std::optional<Msg> OpenArchiveInput(FileInput& input, const std::string& path)
{
    if (!input.Open(path))
        return Msg::ErrorOpeningArchive;
    if (!ArchiveFitsInMemory(input.Length()))
        return Msg::FileTooLargeToLoad;
    return std::nullopt;
}

// Where the records of a load go: aside into a bulk load, or one by one into
// a tree that already holds entries.
struct LoadTarget
{
    PaneState& pane;
    std::unique_ptr<TreeBulkLoad> bulk; // nullptr: one by one

    explicit LoadTarget(PaneState& loadInto, bool aside)
        : pane(loadInto), bulk(aside || (loadInto.tree.IsEmpty() && !loadInto.tree.IsRecording())
                                   ? std::make_unique<TreeBulkLoad>(loadInto.tree)
                                   : nullptr)
    {
    }
    bool Add(const MdbEntry& record)
    {
        if (!bulk)
            return InsertLoadedRecord(pane, record);
        bulk->Add(record);
        return true;
    }
    // Puts what was collected into the tree; replacing clears the pane first.
    bool Commit(bool replace)
    {
        if (!bulk)
            return true;
        bulk->Prepare(); // may run out of memory: the pane is still as it was
        if (pane.tree.IsRecording())
            return false; // a load is no edit: it cannot go into a journal
        if (replace)
            ClearPane(pane);
        return bulk->Commit();
    }
};

std::optional<Msg> LoadImage(PaneState& pane, const MdbImage& image, bool replace)
{
    try {
        LoadTarget target(pane, replace);
        BulkTreeChange bulk(pane.tree); // the view hears one reset, not one insert per entry
        TreeLoad load(pane.tree);
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (image.SlotInUse(slot) && !target.Add(image.Slot(slot)))
                return Msg::ErrorLoadingDisplayBuffer;
        }
        if (!target.Commit(replace))
            return Msg::ErrorLoadingDisplayBuffer;
    } catch (const std::bad_alloc&) {
        return Msg::OutOfMemoryLoading;
    }
    return std::nullopt;
}

std::optional<Msg> LoadArchive(PaneState& pane, const std::string& path, std::size_t* ignoredBytes,
                               Progress* progress, bool replace)
{
    FileInput input;
    if (const std::optional<Msg> refused = OpenArchiveInput(input, path))
        return refused;
    try {
        LoadTarget target(pane, replace);
        BulkTreeChange bulk(pane.tree);
        TreeLoad load(pane.tree);
        ProgressScope scope(progress, Caption::ProgressLoading, input.Length() / kRecordSize);
        uint64_t done = 0;
        const ArchiveReadResult result = ReadArchive(
            input, [&](const MdbEntry& record) { return !scope.Step(done++) && target.Add(record); });
        if (ignoredBytes)
            *ignoredBytes = result.ignoredBytes;
        if (scope.Cancelled())
            return Msg::WorkCancelled;
        // A read error keeps what came before it, as inserting one by one did;
        // a replacing load keeps nothing but the pane as it was.
        if ((!result.error || !replace) && !target.Commit(replace))
            return Msg::ErrorLoadingDisplayBuffer;
        return result.error;
    } catch (const std::bad_alloc&) {
        return Msg::OutOfMemoryLoading;
    }
}

// Counts records and the distinct category names among them.
class Counter
{
public:
    explicit Counter(LoadCounts& counts) : counts_(counts) {}
    void Add(const MdbEntry& record)
    {
        ++counts_.entries;
        const std::string_view name = record.CategoryBytes();
        if (any_ && name == last_)
            return; // files come in runs of one category
        any_ = true;
        last_ = *names_.emplace(name).first;
        counts_.categories = names_.size();
    }

private:
    LoadCounts& counts_;
    std::unordered_set<std::string> names_;
    std::string_view last_; // into names_, whose strings stay where they are
    bool any_ = false;
};

} // namespace

bool InsertLoadedRecord(PaneState& pane, const MdbEntry& record)
{
    auto entry = std::make_unique<EntryNode>();
    entry->record = record;
    TreeLoad load(pane.tree);
    return pane.tree.InsertSorted(std::move(entry)) != nullptr;
}

std::optional<Msg> InsertMdbImage(PaneState& pane, const MdbImage& image)
{
    return LoadImage(pane, image, false);
}

std::optional<Msg> InsertArchiveFile(PaneState& pane, const std::string& path, std::size_t* ignoredBytes,
                                     Progress* progress)
{
    return LoadArchive(pane, path, ignoredBytes, progress, false);
}

std::optional<Msg> ReplaceWithArchiveFile(PaneState& pane, const std::string& path, std::size_t* ignoredBytes,
                                          Progress* progress)
{
    return LoadArchive(pane, path, ignoredBytes, progress, true);
}

std::optional<Msg> CountArchiveFile(const std::string& path, LoadCounts& counts, std::size_t* ignoredBytes,
                                    Progress* progress)
{
    counts = {};
    FileInput input;
    if (const std::optional<Msg> refused = OpenArchiveInput(input, path))
        return refused;
    try {
        Counter counter(counts);
        ProgressScope scope(progress, Caption::ProgressLoading, input.Length() / kRecordSize);
        uint64_t done = 0;
        const ArchiveReadResult result = ReadArchive(input, [&](const MdbEntry& record) {
            if (scope.Step(done++))
                return false;
            counter.Add(record);
            return true;
        });
        if (ignoredBytes)
            *ignoredBytes = result.ignoredBytes;
        if (scope.Cancelled())
            return Msg::WorkCancelled;
        return result.error;
    } catch (const std::bad_alloc&) {
        return Msg::OutOfMemoryLoading;
    }
}

LoadCounts CountMdbImage(const MdbImage& image)
{
    LoadCounts counts;
    Counter counter(counts);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (image.SlotInUse(slot))
            counter.Add(image.Slot(slot));
    }
    return counts;
}

std::optional<Msg> ReplaceWithMdbImage(PaneState& pane, const MdbImage& image)
{
    return LoadImage(pane, image, true);
}

bool ArchiveFitsInMemory(uint64_t fileBytes)
{
    const uint64_t records = fileBytes / kRecordSize;
    return records <= uint64_t(INT32_MAX) && records * kLoadedEntryBytes <= MemoryAvailable();
}

std::string LoadMessageText(Msg message, const std::string& path, uint64_t fileBytes)
{
    return FillArgs(Tr(message), {path, std::to_string(fileBytes)});
}

} // namespace tessaro

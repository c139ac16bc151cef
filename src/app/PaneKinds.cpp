#include "app/PaneKinds.h"

#include "app/SettingsKeys.h"

#include "data/ArchiveFile.h"
#include "data/MdbFile.h"
#include "data/MdbImage.h"
#include "edit/PaneLoad.h"

namespace tessaro {

namespace {

// The model and signature belong to the MDB just read; a checksum that does
// not match is only a warning.
std::optional<Msg> ReadMdb(PaneState& pane, PaneFileContext& context)
{
    const MdbReadResult read = ReadMdbFile(pane.fileName);
    const bool imageRead = read.ok() || read.error == Msg::NotAValidMdb;
    if (imageRead && !read.checksumOk)
        context.prompts.Warn(Msg::InvalidChecksum);
    if (read.error == Msg::NotAValidMdb)
        context.keyboardModel = KeyboardModel::None;
    context.blankSignature = read.ok() && read.blankSignature;
    if (read.error)
        return read.error;
    context.keyboardModel = read.model;
    return ReplaceWithMdbImage(pane, read.image);
}

std::optional<Msg> WriteMdb(const PaneState& pane, WriteMode mode, PaneFileContext& context)
{
    return WriteMdbFile(pane.fileName, RecordsOf(pane.tree), context.keyboardModel, context.blankSignature,
                        mode);
}

std::optional<Msg> ReadArchive(PaneState& pane, PaneFileContext& context)
{
    return ReplaceWithArchiveFile(pane, pane.fileName, nullptr, context.progress);
}

std::optional<Msg> WriteArchive(const PaneState& pane, WriteMode mode, PaneFileContext& context)
{
    return WriteArchiveFile(pane.fileName, RecordsOf(pane.tree), mode, context.progress,
                            pane.tree.EntryNodeCount());
}

const PaneKind kKinds[] = {
    {Caption::OpenMdbTitle, Caption::SaveMdbTitle, Caption::MdbFilter, ".bup", Msg::MdbChangedSave,
     kSlotCount, true, true, ReadMdb, WriteMdb, settings::kRecentMdbPrefix},
    {Caption::OpenArchiveTitle, Caption::SaveArchiveTitle, Caption::ArchiveFilter, ".mdx",
     Msg::ArchiveChangedSave, 0, false, false, ReadArchive, WriteArchive, settings::kRecentArchivePrefix}};

} // namespace

const PaneKind& KindOf(PaneId pane)
{
    return kKinds[PaneIndex(pane)];
}

FileDialogRequest FileDialogFor(PaneId pane, bool save, const std::string& initialName)
{
    const PaneKind& kind = KindOf(pane);
    FileDialogRequest request;
    request.title = Tr(save ? kind.saveTitle : kind.openTitle);
    request.filter = Tr(kind.filter);
    request.defaultExtension = kind.defaultExtension;
    request.initialName = initialName;
    request.overwritePrompt = false; // CheckSaveAsTarget asks instead
    return request;
}

BrowseRequest BackupSetBrowse(BrowseMode mode, const std::string& startFolder, bool noNetwork)
{
    BrowseRequest request;
    request.mode = mode;
    request.title = Tr(mode == BrowseMode::Open ? Caption::OpenMdbBackupTitle : Caption::SaveMdbBackupTitle);
    request.iconId = kMdbSetIcon;
    request.mask = "MDB*.bup";
    request.startFolder = startFolder;
    request.noNetwork = noNetwork;
    return request;
}

} // namespace tessaro

#include "app/PaneKinds.h"

#include "data/MdbImage.h"

namespace tessaro {

namespace {

// The browse dialog's icon for the sets that hold an MDB backup file.
constexpr int kBackupSetIcon = 137;

const PaneKind kKinds[] = {{Caption::OpenMdbTitle,
                        Caption::SaveMdbTitle,
                        Caption::MdbFilter,
                        ".bup",
                        Msg::MdbChangedSave,
                        kSlotCount,
                        true},
                           {Caption::OpenArchiveTitle,
                            Caption::SaveArchiveTitle,
                            Caption::ArchiveFilter,
                            ".mdx",
                            Msg::ArchiveChangedSave,
                            0,
                            false}};

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
    request.iconId = kBackupSetIcon;
    request.mask = "MDB*.bup";
    request.startFolder = startFolder;
    request.noNetwork = noNetwork;
    return request;
}

} // namespace tessaro

// Commands the menu bar and the desktop add to the window's buttons (search
// again, files handed in from outside), and every command run by its id.
#include "app/FileKinds.h"
#include "app/MainWindowState.h"
#include "app/PaneKinds.h"

#include "data/NestedFiles.h"
#include "edit/Search.h"
#include "image/ImageFiles.h"

#include <algorithm>

namespace tessaro {

void MainWindowState::SearchAgain()
{
    if (!ComputeEditFacts().paneLoaded)
        return;
    if (lastSearchText.empty()) {
        Search();
        return;
    }
    if (!SearchNext(*ActivePane(), lastSearchText))
        prompts_.Warn(Msg::TextNotFound);
}

void MainWindowState::AddPendingFiles(std::vector<std::string>& pending, const std::vector<std::string>& more)
{
    for (const std::string& path : more) {
        const auto known = std::find(pending.begin(), pending.end(), path);
        if (known != pending.end())
            pending.erase(known); // asked for again: it moves to the end
        pending.push_back(path);
    }
    if (pending.size() > kMaxPendingFiles)
        pending.erase(pending.begin(), pending.end() - static_cast<std::ptrdiff_t>(kMaxPendingFiles));
}

void MainWindowState::OpenFiles(const std::vector<std::string>& paths)
{
    // Files that are not there are named together, in one message.
    std::string missing;
    for (const std::string& path : paths) {
        if (!path.empty() && !FileOrFolderExists(path)) // a file inside a disk image counts too
            missing += (missing.empty() ? "" : "\n") + path;
    }
    if (!missing.empty())
        prompts_.MessageBox(FillArgs(Tr(Msg::FilesNotFound), {missing}), MsgIcon::Warning, MsgButtons::Ok);
    for (std::string path : paths) {
        if (path.empty() || !FileOrFolderExists(path))
            continue;
        if (const std::optional<ImageOpening> image = OpeningOfImage(path)) {
            path = image->path; // the one MDB on a floppy image, else the user picks one
            if (image->browse) {
                const BrowseResult result = prompts_.Browse(BackupSetBrowse(BrowseMode::Open, path, noNetworkOption));
                if (!result.confirmed || result.chosenPath.empty())
                    continue;
                lastBackupFolder = result.chosenFolder;
                path = result.chosenPath;
            }
        }
        const PaneId id = PaneForFile(path);
        PaneState& pane = Pane(id);
        if (pane.loaded && !pane.untitled && pane.fileName == path) {
            SetActivePane(id); // already open: its changes stay
            continue;
        }
        if (!ConfirmDiscard(id))
            continue;
        OpenFileIn(id, path);
    }
}

void MainWindowState::Run(CommandId id, bool checked)
{
    if (IsPaneCommand(id)) {
        const PaneId pane = PaneOfCommand(id);
        switch (PaneCommandOf(id)) {
        case PaneCommand::New:
            New(pane);
            break;
        case PaneCommand::Open:
            Open(pane);
            break;
        case PaneCommand::Save:
            Save(pane);
            break;
        case PaneCommand::SaveAs:
            SaveAs(pane);
            break;
        case PaneCommand::Close:
            Close(pane);
            break;
        }
        return;
    }
    switch (id) {
    case CommandId::ExportCsv:
        return ExportCsv();
    case CommandId::ImportCsv:
        return ImportCsv();
    case CommandId::Undo:
        return Undo();
    case CommandId::Redo:
        return Redo();
    case CommandId::NewCategory:
        return NewCategory();
    case CommandId::Edit:
        return EditSelected();
    case CommandId::MainEntry:
        return ToggleMainEntry();
    case CommandId::Copy:
        return Copy();
    case CommandId::Move:
        return Move();
    case CommandId::Up:
        return MoveUp();
    case CommandId::Down:
        return MoveDown();
    case CommandId::Delete:
        return DeleteSelected();
    case CommandId::Search:
        return Search();
    case CommandId::SearchAgain:
        return SearchAgain();
    case CommandId::ProtocolFormatted:
        return WriteFormattedProtocol();
    case CommandId::ProtocolTabs:
        return WriteTabProtocol();
    case CommandId::ComparePanes:
        return ComparePanes();
    case CommandId::CheckForKeyboard:
        return CheckForKeyboard();
    case CommandId::FindDuplicates:
        return FindDuplicates();
    case CommandId::BackupStructure:
        return SetBackupStructureOption(checked);
    case CommandId::NoNetwork:
        return SetNoNetworkOption(checked);
    case CommandId::FlashFactory:
        return SelectFactoryFlashStyles();
    case CommandId::FlashDefault:
        return SelectDefaultFlashStyles();
    case CommandId::FlashIndividual:
        return SelectIndividualFlashStyles();
    case CommandId::Help:
        return OpenHelp();
    default: // the pane commands, above; Exit
        return;
    }
}

} // namespace tessaro

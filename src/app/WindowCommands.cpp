// Commands the menu bar and the desktop add to the window's buttons: search
// again, and files handed in from outside.
#include "app/FileKinds.h"
#include "app/MainWindowState.h"
#include "app/PaneKinds.h"

#include "edit/Search.h"
#include "image/ImageFiles.h"

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

void MainWindowState::OpenFiles(const std::vector<std::string>& paths)
{
    for (std::string path : paths) {
        if (path.empty())
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

} // namespace tessaro

// Commands the menu bar and the desktop add to the window's buttons: search
// again, and files handed in from outside.
#include "app/FileKinds.h"
#include "app/MainWindowState.h"

#include "edit/Search.h"

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
    for (const std::string& path : paths) {
        if (path.empty())
            continue;
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

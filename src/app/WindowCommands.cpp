// Commands the menu bar and the desktop add to the window's buttons: search
// again, and files handed in from outside.
#include "app/FileKind.h"
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
        const bool mdb = PaneForFile(path) == PaneId::Mdb;
        PaneState& pane = Pane(mdb);
        if (pane.loaded && !pane.untitled && pane.fileName == path) {
            SetActivePane(mdb); // already open: its changes stay
            continue;
        }
        if (!(mdb ? ConfirmDiscardMdb() : ConfirmDiscardArchive()))
            continue;
        pane.fileName = path;
        if (mdb)
            LoadMdbFile();
        else
            LoadArchiveFile();
        SetActivePane(mdb);
    }
}

} // namespace tessaro

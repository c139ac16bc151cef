// Commands the menu bar and the desktop add to the window's buttons: search
// again, and files handed in from outside.
#include "app/FileKinds.h"
#include "app/MainWindowState.h"
#include "edit/Search.h"

#include <algorithm>
#include <filesystem>

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
        std::error_code error;
        if (!path.empty() && !std::filesystem::exists(path, error))
            missing += (missing.empty() ? "" : "\n") + path;
    }
    if (!missing.empty())
        prompts_.MessageBox(FillArgs(Tr(Msg::FilesNotFound), {missing}), MsgIcon::Warning, MsgButtons::Ok);
    for (const std::string& path : paths) {
        std::error_code error;
        if (path.empty() || !std::filesystem::exists(path, error))
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

#include "app/RecentFiles.h"

#include "app/PathRules.h"
#include "browse/BackupSetNames.h"
#include "edit/PaneState.h"

#include <algorithm>

namespace tessaro {

void RemoveRecentFile(PaneState& pane)
{
    if (pane.fileName.empty())
        return;
    auto& list = pane.recentFiles;
    const auto end = std::remove(list.begin(), list.end(), pane.fileName);
    std::fill(end, list.end(), std::string());
}

void AddRecentFile(PaneState& pane)
{
    if (pane.fileName.empty())
        return;
    RemoveRecentFile(pane);
    auto& list = pane.recentFiles;
    std::move_backward(list.begin(), list.end() - 1, list.end());
    list.front() = pane.fileName;
}

RecentCombo FillRecentCombo(const PaneState& pane, bool showBackupSets)
{
    RecentCombo combo;
    for (const std::string& file : pane.recentFiles) {
        if (file.empty())
            continue;
        std::string line = file;
        if (showBackupSets) {
            line = WithoutMdbFileName(line);
            ToSetDisplayName(line);
        }
        if (file == pane.fileName)
            combo.selected = static_cast<int>(combo.lines.size());
        combo.lines.push_back(std::move(line));
    }
    return combo;
}

} // namespace tessaro

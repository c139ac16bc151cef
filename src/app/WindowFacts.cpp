#include "app/WindowFacts.h"

#include "app/MainWindowState.h"
#include "common/Texts.h"

#include <algorithm>

namespace tessaro {

WindowFacts ReadWindowFacts(const MainWindowState& state)
{
    WindowFacts facts;
    for (PaneId id : kPaneIds) {
        const PaneState& pane = state.Pane(id);
        PaneFacts& shown = facts.panes[PaneIndex(id)];
        shown.loaded = pane.loaded;
        shown.untitled = pane.untitled;
        shown.modified = pane.loaded && pane.Modified();
        shown.fileName = pane.fileName;
        shown.entries = pane.loaded ? pane.EntryCount() : 0;
        shown.version = pane.version;
        shown.savedVersion = pane.savedVersion;
    }
    const History& history = state.Workspace().history;
    facts.canUndo = history.CanUndo();
    facts.canRedo = history.CanRedo();
    facts.undoName = history.UndoName();
    facts.redoName = history.RedoName();
    const TransferRecord& transfer = state.LastTransfer();
    facts.transfers = transfer.serial;
    if (transfer.serial > 0)
        facts.transferred = TransferredText(transfer.move, transfer.entries, transfer.destination);
    return facts;
}

std::string ShortFileName(const std::string& path)
{
    const auto last = path.find_last_of("/\\");
    if (last == std::string::npos || last == 0)
        return path;
    const auto before = path.find_last_of("/\\", last - 1);
    return before == std::string::npos ? path : path.substr(before + 1);
}

std::string PaneFileLabel(const PaneFacts& pane)
{
    if (!pane.loaded)
        return {};
    if (pane.untitled || pane.fileName.empty())
        return Tr(Caption::Untitled);
    return ShortFileName(pane.fileName);
}

std::string WindowTitle(const WindowFacts& facts)
{
    std::string files;
    for (const PaneFacts& pane : facts.panes) {
        const std::string label = PaneFileLabel(pane);
        if (label.empty())
            continue;
        if (!files.empty())
            files += ", ";
        files += label;
    }
    // "[*]" is where Qt shows "*" while the window is marked modified.
    return files.empty() ? std::string("Tessaro[*]") : files + "[*] - Tessaro";
}

std::string CapacityText(PaneId pane, const PaneFacts& facts, bool* overLimit)
{
    if (overLimit)
        *overLimit = pane == PaneId::Mdb && facts.loaded && facts.entries > kMdbCapacity;
    if (!facts.loaded)
        return {};
    if (pane == PaneId::Archive)
        return std::to_string(facts.entries);
    return std::to_string(facts.entries) + " / " + std::to_string(kMdbCapacity);
}

std::optional<std::string> StatusAfter(std::optional<CommandId> command, const WindowFacts& before,
                                       const WindowFacts& after)
{
    if (command == CommandId::Undo && before.canUndo && !before.undoName.empty() &&
        before.undoName == after.redoName)
        return FillArgs(Tr(ModernText::StatusUndone), {before.undoName});
    if (command == CommandId::Redo && before.canRedo && !before.redoName.empty() &&
        before.redoName == after.undoName)
        return FillArgs(Tr(ModernText::StatusRedone), {before.redoName});

    const bool saveCommand =
        command && IsPaneCommand(*command) &&
        (PaneCommandOf(*command) == PaneCommand::Save || PaneCommandOf(*command) == PaneCommand::SaveAs);
    for (PaneId id : kPaneIds) {
        const PaneFacts& was = before.Pane(id);
        const PaneFacts& is = after.Pane(id);
        const bool freshFile =
            is.loaded && !is.untitled && !is.modified && !is.fileName.empty() &&
            (is.savedVersion != was.savedVersion || is.fileName != was.fileName || !was.loaded);
        if (!freshFile)
            continue;
        const std::string count = std::to_string(is.entries);
        if (saveCommand && PaneOfCommand(*command) == id)
            return FillArgs(Tr(ModernText::StatusSaved), {count, ShortFileName(is.fileName)});
        if (!saveCommand)
            return FillArgs(Tr(ModernText::StatusOpened), {ShortFileName(is.fileName), count});
    }

    // A copy, move or drop says what went where and how many.
    if (after.transfers != before.transfers && after.canUndo)
        return FillArgs(Tr(ModernText::StatusStep), {after.transferred});

    const bool changed = std::any_of(kPaneIds, kPaneIds + 2, [&](PaneId id) {
        return before.Pane(id).version != after.Pane(id).version && after.Pane(id).loaded;
    });
    if (changed && after.canUndo && !after.undoName.empty())
        return FillArgs(Tr(ModernText::StatusStep), {after.undoName});
    return std::nullopt;
}

} // namespace tessaro

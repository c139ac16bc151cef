#include "app/qt/WindowOwnCommands.h"

#include "app/MainWindowState.h"
#include "app/qt/AboutDialog.h"
#include "app/qt/QtProgress.h"
#include "app/qt/SetListPrinting.h"

namespace tessaro {

bool IsWindowOwnCommand(CommandId id)
{
    return id == CommandId::Print || id == CommandId::PrintPreview || id == CommandId::ExportPdf ||
           id == CommandId::About;
}

void RunWindowOwnCommand(CommandId id, MainWindowState& state, Prompts& prompts, QWidget* window)
{
    if (id == CommandId::About) {
        ShowAboutDialog(window);
        return;
    }
    const PaneState* pane = state.ActivePane();
    if (!pane || !pane->loaded || pane->EntryCount() == 0)
        return;
    // A million entries take about a second to become rows, before the pages can be counted.
    const auto rows = [&] {
        WaitCursor wait(prompts);
        return PaneSetList(*pane);
    };
    switch (id) {
    case CommandId::Print:
        if (!PrintSetList(window, rows(), prompts))
            prompts.MessageBox(Tr(Msg::PrintFailed), MsgIcon::Warning, MsgButtons::Ok);
        break;
    case CommandId::PrintPreview:
        PreviewSetList(window, rows(), prompts);
        break;
    case CommandId::ExportPdf: {
        QtProgress progress(window);
        QtSetListRenderer renderer(&progress);
        ExportSetListPdf(*pane, prompts, renderer);
        break;
    }
    default:
        break;
    }
}

} // namespace tessaro

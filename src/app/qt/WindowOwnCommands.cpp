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
    switch (id) {
    case CommandId::Print:
        if (!PrintSetList(window, PaneSetList(*pane), prompts))
            prompts.MessageBox(Tr(Msg::PrintFailed), MsgIcon::Warning, MsgButtons::Ok);
        break;
    case CommandId::PrintPreview:
        PreviewSetList(window, PaneSetList(*pane), prompts);
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

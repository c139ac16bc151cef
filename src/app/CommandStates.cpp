// What the window shows after each command: every role fills in its own commands.
#include "app/MainWindowState.h"

namespace tessaro {

CommandStates MainWindowState::UpdateCommandStates()
{
    CommandStates states;
    for (CommandId id : {CommandId::Exit, CommandId::Help, CommandId::About})
        states[id].enabled = true;
    // The set list of the active pane; an empty one helps nobody.
    const bool setList = context_.ActiveLoaded() && context_.Pane(*context_.active).EntryCount() > 0;
    for (CommandId id : {CommandId::Print, CommandId::PrintPreview, CommandId::ExportPdf})
        states[id].enabled = setList;
    files_.FillStates(states);
    options_.FillStates(states);
    tools_.FillStates(states);
    editColumn_.FillStates(states);
    return states;
}

} // namespace tessaro

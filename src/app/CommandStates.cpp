// What the window shows after each command: every role fills in its own commands.
#include "app/MainWindowState.h"

namespace tessaro {

CommandStates MainWindowState::UpdateCommandStates()
{
    CommandStates states;
    for (CommandId id : {CommandId::Exit, CommandId::Help})
        states[id].enabled = true;
    files_.FillStates(states);
    options_.FillStates(states);
    tools_.FillStates(states);
    editColumn_.FillStates(states);
    return states;
}

} // namespace tessaro

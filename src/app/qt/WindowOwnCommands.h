#pragma once
// The commands that need the window's own Qt parts rather than the state's
// dialogs: the set list on the printer, in the preview or as a PDF file, and
// the About box. The window runs them like every other command.

#include "app/CommandStates.h"

class QWidget;

namespace tessaro {

class MainWindowState;
class Prompts;

bool IsWindowOwnCommand(CommandId id);
// Runs one of them for the active pane; nothing when it has no entries.
void RunWindowOwnCommand(CommandId id, MainWindowState& state, Prompts& prompts, QWidget* window);

} // namespace tessaro

// The one guard around the window's commands against running out of memory.

#include "app/MainWindowState.h"

#include <new>

namespace tessaro {

void MainWindowState::RunWithinMemory(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::bad_alloc&) {
        // The open step holds every change the command made to either tree.
        context_.workspace.history.Rollback();
        prompts_.Warn(Msg::OutOfMemoryCommand);
    }
}

} // namespace tessaro

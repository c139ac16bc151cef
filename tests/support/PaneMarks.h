#pragma once
// Setting a pane's "modified" directly, for tests about what follows from it.

#include "edit/PaneState.h"

namespace tessaro {

// The pane as a step that changed it would leave it (unsaved changes), or as a
// save leaves it, without a step of the history.
inline void MarkModified(PaneState& pane)
{
    pane.version = pane.savedVersion + 1;
}
inline void MarkUnmodified(PaneState& pane)
{
    pane.savedVersion = pane.version;
}

} // namespace tessaro

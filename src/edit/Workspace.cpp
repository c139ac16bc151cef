#include "edit/Workspace.h"

namespace tessaro {

Workspace::Workspace(const StyleCatalogue& styles) : panes{PaneState(styles), PaneState(styles)}
{
    for (PaneState& pane : panes)
        pane.tree.RequireRecording();
}

std::size_t Workspace::UnrecordedChanges() const
{
    return panes[0].tree.UnrecordedChanges() + panes[1].tree.UnrecordedChanges();
}

} // namespace tessaro

#pragma once
// What the editor edits: the two panes, indexed by PaneId, and the one history
// over both. Its trees change only inside a history step (loads aside), so
// that no change can bypass "modified".

#include "edit/History.h"
#include "edit/PaneId.h"
#include "edit/PaneState.h"

#include <cstddef>

namespace tessaro {

class StyleCatalogue;

struct Workspace
{
    // The catalogue must outlive the workspace.
    explicit Workspace(const StyleCatalogue& styles);

    Panes panes;
    History history{panes};

    PaneState& Pane(PaneId id) { return panes[PaneIndex(id)]; }
    const PaneState& Pane(PaneId id) const { return panes[PaneIndex(id)]; }
    // Changes of either tree made outside a history step (none, unless a command forgot its step).
    std::size_t UnrecordedChanges() const;
};

} // namespace tessaro

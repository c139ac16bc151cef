#pragma once
// Which of the two panes: the MDB pane (left) or the archive pane (right).
// Things kept for both panes stand in arrays indexed by PaneIndex.

#include <cstddef>

namespace tessaro {

enum class PaneId
{
    Mdb,
    Archive
};
constexpr PaneId kPaneIds[] = {PaneId::Mdb, PaneId::Archive};
// Where a pane's things stand in an array indexed by PaneId.
constexpr std::size_t PaneIndex(PaneId pane)
{
    return static_cast<std::size_t>(pane);
}
constexpr PaneId OtherPane(PaneId pane)
{
    return kPaneIds[1 - PaneIndex(pane)];
}

} // namespace tessaro

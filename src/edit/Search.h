#pragma once
// One step of the Search dialog in a pane: from the node after the selection,
// round the whole tree once, to the first entry whose title or category whose
// name contains the text, without regard to letter case.

#include <string>

namespace tessaro {

struct PaneState;

// Selects the found node and scrolls it into view. The walk ends with the
// start node (the selection, else the first category), so a text found only
// there finds it again. False, selection unchanged, when nothing matches or
// the tree is empty.
bool SearchNext(PaneState& pane, std::string text);

} // namespace tessaro

#pragma once
// What every role of the main window's state works on: the two panes and their
// history, which pane is active, where questions and messages go and where
// long work shows its progress. The window's state owns one and hands it to
// each role it owns; no role reaches it any other way.

#include "app/MdbCapacity.h"
#include "catalogue/StyleCatalogue.h"
#include "common/Progress.h"
#include "common/Prompts.h"
#include "edit/Workspace.h"

#include <optional>

namespace tessaro {

struct WindowContext
{
    // The catalogue must outlive the context.
    WindowContext(Prompts& prompts, StyleCatalogue& styles)
        : prompts(prompts), styles(styles), workspace(styles)
    {
    }
    WindowContext(const WindowContext&) = delete;
    WindowContext& operator=(const WindowContext&) = delete;

    Prompts& prompts;
    StyleCatalogue& styles; // the style names of labels, lists and reports
    Workspace workspace;
    std::optional<PaneId> active;
    // The window's progress dialog, or nullptr.
    Progress* progress = nullptr;
    TransferRecord lastTransfer;

    PaneState& Pane(PaneId id) { return workspace.Pane(id); }
    const PaneState& Pane(PaneId id) const { return workspace.Pane(id); }
    // nullptr while no pane is active.
    PaneState* ActivePane() { return active ? &Pane(*active) : nullptr; }
    PaneState* OtherPane() { return active ? &Pane(tessaro::OtherPane(*active)) : nullptr; }
    // The active pane holds a database: what the edit column and the tools work on.
    bool ActiveLoaded() const { return active && Pane(*active).loaded; }
};

} // namespace tessaro

#pragma once
// The tools: a pane as a spreadsheet and back, the two panes compared, the
// keyboard check and the duplicates. The lists they show let the user walk
// to each entry; they never change anything themselves.

#include "app/CommandStates.h"
#include "app/Options.h"
#include "app/WindowContext.h"

#include <vector>

namespace tessaro {

class TreeNode;

class Tools
{
public:
    // The options give the model the keyboard check offers first.
    Tools(WindowContext& context, const Options& options) : context_(context), options_(options) {}

    // What a line of a tool's result list stands for: entries of one pane, and
    // for a compared entry its counterpart in the other pane.
    struct ResultTarget
    {
        PaneId pane = PaneId::Mdb;
        std::vector<const TreeNode*> nodes; // none for a line that selects nothing
        const TreeNode* counterpart = nullptr;
    };

    // The active pane as a spreadsheet, and rows of one added to it (one step).
    void ExportCsv();
    void ImportCsv();
    // The MDB pane against the archive pane, as tessaro-cli diff compares files.
    void ComparePanes();
    // The active pane's entries that would not play as stored on the model asked for.
    void CheckForKeyboard();
    // Groups of probable duplicates in the active pane; nothing is deleted.
    void FindDuplicates();
    // A result line chosen: its pane becomes active and its entries are selected and shown.
    void ShowResultTarget(const ResultTarget& target);

    // The tool commands' states.
    void FillStates(CommandStates& states) const;

private:
    WindowContext& context_;
    const Options& options_;
};

} // namespace tessaro

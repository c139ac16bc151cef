#pragma once
// The tools: a pane as a spreadsheet and back, the two panes compared, the
// keyboard check and the duplicates. The lists they show let the user walk
// to each entry; they never change anything themselves.

#include "app/CommandStates.h"
#include "app/Options.h"
#include "app/ToolResults.h"
#include "app/WindowContext.h"

#include <optional>
#include <vector>

namespace tessaro {

class TreeNode;

class Tools
{
public:
    // The options give the model the keyboard check offers first.
    Tools(WindowContext& context, const Options& options)
        : context_(context), options_(options), results_(context)
    {
    }

    // The active pane as a spreadsheet, and rows of one added to it (one step).
    void ExportCsv();
    void ImportCsv();
    // The MDB pane against the archive pane, as tessaro-cli diff compares files.
    void ComparePanes();
    // The active pane's entries that would not play as stored on the model asked for.
    void CheckForKeyboard();
    // Groups of probable duplicates in the active pane; nothing is deleted.
    void FindDuplicates();
    // The last list with what its lines stand for. With a view set there, the
    // lists stay beside the panes; else each is shown modally and forgotten.
    ToolResults& Results() { return results_; }
    const ToolResults& Results() const { return results_; }

    // The tool commands' states.
    void FillStates(CommandStates& states) const;

private:
    // A run that found nothing takes the last list away too (std::nullopt).
    void Present(std::optional<ResultList> list, std::vector<ResultTarget> targets = {});

    WindowContext& context_;
    const Options& options_;
    ToolResults results_;
};

} // namespace tessaro

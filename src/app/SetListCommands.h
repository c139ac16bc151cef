#pragma once
// The active pane as a set list on paper or in a PDF file. What goes on the
// page is MakeSetList's; laying it out is the window's (SetListRenderer).

#include "common/Prompts.h"
#include "edit/PaneState.h"
#include "edit/SetList.h"

#include <string>

namespace tessaro {

class SetListRenderer
{
public:
    virtual ~SetListRenderer() = default;
    // How many pages the PDF file would have.
    virtual std::size_t PageCount(const SetList& list) = 0;
    // The pages as a PDF file's bytes; empty when they could not be laid out
    // or the user cancelled the work (Cancelled() tells which).
    virtual std::string Pdf(const SetList& list) = 0;
    virtual bool Cancelled() const = 0;
};

// A set list of more pages than this asks before it is printed, previewed or exported.
inline constexpr std::size_t kSetListPagesWithoutAsking = 200;
// Asks, naming the pages, when there are more than that; true to go on.
bool ConfirmSetListPages(std::size_t pages, Prompts& prompts);

// What the page header calls the pane's file: its name with the folder that
// holds it ("Demo.buf/MDB.bup": every backup set names its file MDB.bup), or
// "untitled".
std::string SetListFileLabel(const PaneState& pane);
// The pane's set list, headed by that label.
SetList PaneSetList(const PaneState& pane);

// Export PDF: asks first when the set list is very long, then for the file
// (beside the pane's own, with .pdf), lays the set list out and writes it
// through a temporary file. A failure is told with the file and the system's
// reason, and an old file of that name stays as it was; a cancelled layout
// writes nothing and says nothing. True when the file was written.
bool ExportSetListPdf(const PaneState& pane, Prompts& prompts, SetListRenderer& renderer);

} // namespace tessaro

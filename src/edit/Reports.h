#pragma once
// The protocol reports of a pane: every entry of every category in tree order,
// one line each, after the header (see ReportLines.h for the lines). They read
// the tree only.

#include "edit/ReportLines.h"

#include <functional>
#include <string>

namespace tessaro {

class CategoryTree;
class Progress;
class Prompts;
struct PaneState;

// Takes the report piece by piece; returning false stops the report.
using ReportSink = std::function<bool(const char* data, std::size_t size)>;

// The header, then the line of each entry node (placeholders give none). False
// when the sink stopped it.
// With a Progress, the user may cancel: the report stops and gives false.
bool WriteReport(ReportKind kind, const CategoryTree& tree, const ReportSink& sink,
                 Progress* progress = nullptr);
std::string ReportText(ReportKind kind, const CategoryTree& tree);

// Writes the report to path through a temporary file beside it, so a failure
// leaves an existing file as it was. False when it cannot be created or written.
// A cancelled report leaves no file behind (and an existing one as it was).
bool WriteReportFile(ReportKind kind, const CategoryTree& tree, const std::string& path,
                     Progress* progress = nullptr);

// The Protocol buttons: ask for the file ("Create protocol file"), write the
// report of the pane, and say "Error creating protocol file!" when it cannot be
// written. Cancelling the dialog does nothing, nor does cancelling the
// progress, which leaves no file behind.
void WriteFormattedProtocol(const PaneState& pane, Prompts& prompts, Progress* progress = nullptr);
void WriteTabProtocol(const PaneState& pane, Prompts& prompts, Progress* progress = nullptr);

} // namespace tessaro

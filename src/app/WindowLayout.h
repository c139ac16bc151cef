#pragma once
// Which main window the program shows: the classic one (today's buttons and
// captions) or the modern one (columns, tool bar, status bar, filter). Both
// are views of the same MainWindowState and its commands.
//
// Stored as "Layout" (0 classic, 1 modern). Without a stored value, settings
// that already hold a language belong to someone who knows the classic window
// and keep it; a first start gets the modern one. A change takes effect at
// the next start.
//
// The modern window also keeps its column widths ("ModernColumns": one
// width per column, 0 for a hidden one, separated by commas).

#include "app/SettingsStore.h"

#include <optional>
#include <string>
#include <vector>

namespace tessaro {

enum class WindowLayout
{
    Classic,
    Modern
};

namespace settings {
inline constexpr char kLayout[] = "Layout";
inline constexpr char kModernColumns[] = "ModernColumns";
} // namespace settings

WindowLayout ReadWindowLayout(SettingsStore& store);
// At start-up: the layout to show, stored when it was not yet, so that the
// language chosen in this first session does not turn a new user's window
// into the classic one at the next start.
WindowLayout ChooseWindowLayout(SettingsStore& store);
// Writes the choice at once (flushed), so it holds even when the window is not closed normally.
bool WriteWindowLayout(SettingsStore& store, WindowLayout layout);

// The stored column widths, exactly `columns` of them; nullopt when none or
// not readable (the window then uses its defaults). 0 is a hidden column;
// every other width is at least kMinColumnWidth. The first column never hides.
inline constexpr int kMinColumnWidth = 24;
std::optional<std::vector<int>> ParseColumnWidths(const std::string& text, std::size_t columns);
std::string ColumnWidthsText(const std::vector<int>& widths);

} // namespace tessaro

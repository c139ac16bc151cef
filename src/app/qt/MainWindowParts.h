#pragma once
// What both layouts of the main window do alike with Qt: the selection colours
// that tell the active pane, and where the window stands for the settings.

#include "app/MainWindowState.h"

#include <QPalette>

class QWidget;

namespace tessaro {

// The active pane's selection keeps its highlight while the focus is elsewhere;
// the other pane's is drawn quietly, so that it shows which pane the commands
// act on.
QPalette PaneSelectionPalette(const QPalette& standard, bool active);

// The window's place and size as stored: `stored` where the platform tells
// nothing (Wayland gives no client its corner; a maximized window's corner is
// the screen's).
WindowPosition PlacementOf(const QWidget& window, WindowPosition stored);

} // namespace tessaro

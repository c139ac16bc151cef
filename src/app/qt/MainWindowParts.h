#pragma once
// What the main windows do alike with Qt: the selection colours that tell the
// active pane, where the window stands for the settings, and the modern
// window's row height.

#include "app/MainWindowState.h"

#include <QPalette>
#include <QStyledItemDelegate>

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

// Rows half a line taller than their text: lists a person reads and clicks
// down, in the trees and the tool results alike.
class RoomyRows : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace tessaro

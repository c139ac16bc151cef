#include "app/qt/MainWindowParts.h"

#include <algorithm>

#include <QGuiApplication>
#include <QWidget>

namespace tessaro {

QPalette PaneSelectionPalette(const QPalette& standard, bool active)
{
    QPalette palette = standard;
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Highlight,
                         active ? standard.color(QPalette::Active, QPalette::Highlight)
                                : standard.color(QPalette::Active, QPalette::Midlight));
        palette.setColor(group, QPalette::HighlightedText,
                         active ? standard.color(QPalette::Active, QPalette::HighlightedText)
                                : standard.color(QPalette::Active, QPalette::Text));
    }
    return palette;
}

WindowPosition PlacementOf(const QWidget& window, WindowPosition stored)
{
    WindowPosition placement = stored;
    const bool maximized = window.isMaximized();
    if (!maximized && !QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        const QPoint corner = window.frameGeometry().topLeft();
        placement.left = corner.x();
        placement.top = corner.y();
    }
    const QSize size = maximized ? window.normalGeometry().size() : window.size();
    if (!size.isEmpty()) {
        placement.width = size.width();
        placement.height = size.height();
    }
    placement.maximized = maximized;
    return placement;
}

QSize RoomyRows::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const int text = option.fontMetrics.height();
    size.setHeight(std::max(size.height(), text) + text / 2);
    return size;
}

} // namespace tessaro

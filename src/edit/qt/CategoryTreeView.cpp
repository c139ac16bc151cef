#include "edit/qt/CategoryTreeView.h"

#include <QDrag>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QPainter>

#include <algorithm>

namespace tessaro {

namespace {

constexpr int kShownRows = 4;
constexpr int kMargin = 4;

} // namespace

QPixmap CategoryTreeView::DragPicture(const QModelIndexList& rows) const
{
    QStringList lines;
    for (const QModelIndex& row : rows) {
        if (lines.size() == kShownRows) {
            lines << QStringLiteral("…");
            break;
        }
        lines << row.data().toString();
    }
    // Measured on a pixmap, as drawn: its resolution may differ from the screen's.
    const QPixmap probe(1, 1);
    const QFontMetrics metrics(font(), &probe);
    int width = 0;
    for (const QString& line : lines)
        width = std::max(width, metrics.horizontalAdvance(line) + metrics.averageCharWidth());
    const QSize size(std::min(width, 480) + 2 * kMargin,
                     static_cast<int>(lines.size()) * metrics.height() + 2 * kMargin);

    const qreal ratio = devicePixelRatioF();
    QPixmap picture(size * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setOpacity(0.85);
    painter.fillRect(QRect(QPoint(0, 0), size), palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(QRect(QPoint(0, 0), size).adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Text));
    painter.setFont(font());
    for (int i = 0; i < lines.size(); ++i) {
        const QRect line(kMargin, kMargin + i * metrics.height(), size.width() - 2 * kMargin,
                         metrics.height());
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(lines[i], Qt::ElideRight, line.width()));
    }
    return picture;
}

void CategoryTreeView::startDrag(Qt::DropActions supportedActions)
{
    QModelIndexList rows;
    for (const QModelIndex& row : selectionModel()->selectedRows()) {
        if (model()->flags(row) & Qt::ItemIsDragEnabled)
            rows << row;
    }
    if (rows.isEmpty())
        return;
    std::sort(rows.begin(), rows.end(), [this](const QModelIndex& a, const QModelIndex& b) {
        return visualRect(a).top() < visualRect(b).top();
    });
    QMimeData* data = model()->mimeData(rows);
    if (!data)
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->setPixmap(DragPicture(rows));
    drag->setHotSpot(QPoint(-16, -8)); // below and right of the pointer
    // The drop does all the work, a move included: nothing to remove here.
    drag->exec(supportedActions,
               defaultDropAction() != Qt::IgnoreAction ? defaultDropAction() : Qt::CopyAction);
}

} // namespace tessaro

#include "edit/qt/CategoryTreeView.h"

#include "edit/TreeNode.h"
#include "edit/qt/CategoryTreeModel.h"
#include "edit/qt/TreeDropTarget.h"

#include <QDrag>
#include <QDropEvent>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QMouseEvent>
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

QModelIndexList CategoryTreeView::DraggedRows() const
{
    QModelIndexList rows;
    const auto* tree = qobject_cast<const CategoryTreeModel*>(model());
    if (pressed_.isValid() && !pressedWasSelected_) {
        rows << QModelIndex(pressed_);
        const TreeNode* node = tree ? tree->NodeAt(pressed_) : nullptr;
        if (node && node->IsEntry() && !node->Payload()->IsSubEntry()) {
            for (int row = pressed_.row() + 1; row < model()->rowCount(pressed_.parent()); ++row) {
                const QModelIndex next = model()->index(row, 0, pressed_.parent());
                const TreeNode* sub = tree->NodeAt(next);
                if (!sub || !sub->Payload() || !sub->Payload()->IsSubEntry())
                    break;
                rows << next;
            }
        }
    } else {
        rows = selectionModel()->selectedRows();
    }
    rows.erase(std::remove_if(
                   rows.begin(), rows.end(),
                   [this](const QModelIndex& row) { return !(model()->flags(row) & Qt::ItemIsDragEnabled); }),
               rows.end());
    std::sort(rows.begin(), rows.end(), [this](const QModelIndex& a, const QModelIndex& b) {
        return visualRect(a).top() < visualRect(b).top();
    });
    return rows;
}

Qt::DropAction CategoryTreeView::DropActionFor(Qt::KeyboardModifiers modifiers)
{
    return modifiers & Qt::ShiftModifier ? Qt::MoveAction : Qt::CopyAction;
}

void CategoryTreeView::mousePressEvent(QMouseEvent* event)
{
    // Before the view changes the selection for this press.
    pressed_ = indexAt(event->position().toPoint());
    pressedWasSelected_ = pressed_.isValid() && selectionModel()->isSelected(pressed_);
    QTreeView::mousePressEvent(event);
}

void CategoryTreeView::startDrag(Qt::DropActions supportedActions)
{
    const QModelIndexList rows = DraggedRows();
    if (rows.isEmpty())
        return;
    QMimeData* data = model()->mimeData(rows);
    if (!data)
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->setPixmap(DragPicture(rows));
    drag->setHotSpot(QPoint(-16, -8)); // below and right of the pointer
    // The drop does all the work, a move included: nothing to remove here.
    drag->exec(supportedActions, Qt::CopyAction);
}

void CategoryTreeView::dragMoveEvent(QDragMoveEvent* event)
{
    QTreeView::dragMoveEvent(event);
    // The pointer shows what the drop will do; files are only ever copied.
    if (event->isAccepted() && event->mimeData()->hasFormat(QString::fromLatin1(kTreeNodesMimeType)))
        event->setDropAction(DropActionFor(event->modifiers()));
}

void CategoryTreeView::dropEvent(QDropEvent* event)
{
    if (event->mimeData()->hasFormat(QString::fromLatin1(kTreeNodesMimeType)))
        event->setDropAction(DropActionFor(event->modifiers()));
    QTreeView::dropEvent(event);
}

} // namespace tessaro

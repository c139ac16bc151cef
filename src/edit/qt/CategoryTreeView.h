#pragma once
// The tree view of a pane. Its drag shows a small picture of the dragged rows
// beside the pointer, not over it, so that the row a drop would land on stays
// visible with its drop frame.
//
// What a drag takes: the selection when the user pressed on a selected row;
// else only the row pressed on, with its sub entries (a Ctrl-press that adds
// the row to the selection drags that row alone). A drop of rows copies them;
// Shift held at the drop moves them, and no other key does.

#include <QPersistentModelIndex>
#include <QTreeView>

namespace tessaro {

class CategoryTreeView : public QTreeView
{
    Q_OBJECT
public:
    explicit CategoryTreeView(QWidget* parent = nullptr) : QTreeView(parent) {}

    // The picture of a drag of these rows: at most four of their texts, then "…".
    QPixmap DragPicture(const QModelIndexList& rows) const;
    // The rows a drag starting now takes, top to bottom.
    QModelIndexList DraggedRows() const;
    // Move with Shift, else copy.
    static Qt::DropAction DropActionFor(Qt::KeyboardModifiers modifiers);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QPersistentModelIndex pressed_;
    bool pressedWasSelected_ = false;
};

} // namespace tessaro

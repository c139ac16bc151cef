#pragma once
// The tree view of a pane. Its drag shows a small picture of the dragged rows
// beside the pointer, not over it, so that the row a drop would land on stays
// visible with its drop frame.

#include <QTreeView>

namespace tessaro {

class CategoryTreeView : public QTreeView
{
    Q_OBJECT
public:
    explicit CategoryTreeView(QWidget* parent = nullptr) : QTreeView(parent) {}

    // The picture of a drag of these rows: at most four of their texts, then "…".
    QPixmap DragPicture(const QModelIndexList& rows) const;

protected:
    void startDrag(Qt::DropActions supportedActions) override;
};

} // namespace tessaro

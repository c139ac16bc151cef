// The main window at any size from its layout's upwards: the two trees take
// the extra room, half each; the edit column stays between them; the archive
// pane's file controls and the flash styles keep to the right edge; every
// other control keeps its place and size.
#include "app/qt/CMainDlg.h"

#include "app/qt/MainWindowParts.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QTreeView>

#include <algorithm>

namespace tessaro {

CMainDlg::Anchor CMainDlg::AnchorOf(QWidget* control) const
{
    const PaneControls& archive = Controls(PaneId::Archive);
    if (control == Controls(PaneId::Mdb).tree)
        return Anchor::LeftTree;
    if (control == archive.tree)
        return Anchor::RightTree;
    if (control == Controls(PaneId::Mdb).count || control == archive.count)
        return Anchor::MiddleLow;
    if (control == help_ || control == exit_ || editColumn_.contains(qobject_cast<QPushButton*>(control)))
        return Anchor::Middle;
    const QList<QWidget*> right{versionLine_,
                                flashStyleFileLabel_,
                                archive.newFile,
                                archive.open,
                                archive.save,
                                archive.saveAs,
                                archive.close,
                                archive.recent,
                                findChild<QGroupBox*>(),
                                findChild<QLabel*>(QStringLiteral("labelArchive"))};
    if (right.contains(control) || flashStyles_->buttons().contains(qobject_cast<QAbstractButton*>(control)))
        return Anchor::Right;
    return Anchor::Left;
}

void CMainDlg::MakeResizable()
{
    const int menuHeight = menus_.bar->sizeHint().height();
    placed_.clear();
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child == menus_.bar || child->isWindow())
            continue; // the menu bar spans the top; pop-up menus are windows of their own
        placed_.push_back({child, child->geometry().translated(0, menuHeight), AnchorOf(child)});
    }
    smallest_ = QSize(width(), height() + menuHeight);
    setMinimumSize(smallest_);
    resize(smallest_);
    LayOut(smallest_);
}

void CMainDlg::LayOut(const QSize& size)
{
    const int extraWidth = std::max(0, size.width() - smallest_.width());
    const int extraHeight = std::max(0, size.height() - smallest_.height());
    const int half = extraWidth / 2;
    menus_.bar->setGeometry(0, 0, size.width(), menus_.bar->sizeHint().height());
    for (const Placed& placed : std::as_const(placed_)) {
        QRect box = placed.smallest;
        switch (placed.anchor) {
        case Anchor::Left:
            break;
        case Anchor::Right:
            box.translate(extraWidth, 0);
            break;
        case Anchor::Middle:
            box.translate(half, 0);
            break;
        case Anchor::MiddleLow:
            box.translate(half, extraHeight);
            break;
        case Anchor::LeftTree:
            box.setSize(box.size() + QSize(half, extraHeight));
            break;
        case Anchor::RightTree:
            box.translate(half, 0);
            box.setSize(box.size() + QSize(extraWidth - half, extraHeight));
            break;
        }
        placed.control->setGeometry(box);
    }
}

void CMainDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (!placed_.isEmpty())
        LayOut(event->size());
}

QSize CMainDlg::SizeToRestore(const WindowPosition& stored, const QSize& smallest, const QSize& available)
{
    if (!stored.HasSize())
        return smallest;
    QSize size(stored.width, stored.height);
    // A size from a larger screen is cut down to this one's.
    if (available.isValid() && !available.isEmpty())
        size = size.boundedTo(available);
    return size.expandedTo(smallest);
}

void CMainDlg::RestoreSize()
{
    const WindowPosition& stored = state_.Position();
    const QScreen* screen = this->screen();
    resize(SizeToRestore(stored, minimumSize(), screen ? screen->availableGeometry().size() : QSize()));
    if (stored.maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

WindowPosition CMainDlg::CurrentPlacement() const
{
    return PlacementOf(*this, state_.Position());
}

} // namespace tessaro

#include "app/qt/ModernToolBar.h"

#include "app/qt/MainMenus.h"
#include "common/Texts.h"

#include <QAction>
#include <QEvent>
#include <QToolBar>
#include <QToolButton>

namespace tessaro {

namespace {

QString CaptionText(Caption id)
{
    // The menus' words without their key mark.
    return QString::fromStdString(Tr(id)).remove(QLatin1Char('&'));
}

std::vector<QWidget*> Buttons(QToolBar& bar)
{
    std::vector<QWidget*> buttons;
    for (QAction* action : bar.actions()) {
        if (action->isSeparator())
            continue;
        if (QWidget* button = bar.widgetForAction(action))
            buttons.push_back(button);
    }
    return buttons;
}

} // namespace

// The styles draw no focus mark on a flat tool-bar button: the button with the
// keyboard focus stands out as a raised one instead. The pointer never gives
// these buttons focus, so hovering keeps its usual look.
class RaiseWithFocus : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (auto* button = qobject_cast<QToolButton*>(watched)) {
            if (event->type() == QEvent::FocusIn)
                button->setAutoRaise(false);
            else if (event->type() == QEvent::FocusOut)
                button->setAutoRaise(true);
        }
        return QObject::eventFilter(watched, event);
    }
};

void LetTheKeyboardReachTheToolBar(QToolBar& bar)
{
    auto* raise = new RaiseWithFocus(&bar);
    for (QWidget* button : Buttons(bar)) {
        button->setFocusPolicy(Qt::TabFocus);
        button->installEventFilter(raise);
    }
}

void SetTabOrder(QToolBar& bar, const std::vector<QWidget*>& controls)
{
    std::vector<QWidget*> order = Buttons(bar);
    order.insert(order.end(), controls.begin(), controls.end());
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

QString ToolBarCopyText(std::optional<PaneId> active)
{
    return active ? CaptionText(CopyMenuCaption(*active)) : QString::fromStdString(Tr(ModernText::ToolCopy));
}

QString ToolBarMoveText(std::optional<PaneId> active)
{
    return active ? CaptionText(MoveMenuCaption(*active)) : QString::fromStdString(Tr(ModernText::ToolMove));
}

} // namespace tessaro

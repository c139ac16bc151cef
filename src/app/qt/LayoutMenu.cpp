#include "app/qt/LayoutMenu.h"

#include "app/qt/MainMenus.h"
#include "common/Prompts.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace tessaro {

LayoutMenu::LayoutMenu(MainMenus& menus, QWidget& window, SettingsStore& settings, Prompts& prompts,
                       WindowLayout shown)
    : QObject(&window), settings_(settings), prompts_(prompts)
{
    menu_ = new QMenu(&window);
    menu_->setObjectName(QStringLiteral("viewMenu"));
    menus.bar->insertMenu(menus.helpMenu->menuAction(), menu_);
    auto* group = new QActionGroup(menu_);
    classic_ = menu_->addAction(QString());
    classic_->setObjectName(QStringLiteral("classicLayoutAction"));
    modern_ = menu_->addAction(QString());
    modern_->setObjectName(QStringLiteral("modernLayoutAction"));
    for (QAction* action : {classic_, modern_}) {
        action->setCheckable(true);
        group->addAction(action);
    }
    ShowChoice(shown);
    connect(classic_, &QAction::triggered, this, [this] { Choose(WindowLayout::Classic); });
    connect(modern_, &QAction::triggered, this, [this] { Choose(WindowLayout::Modern); });
    SetTexts();
}

void LayoutMenu::SetTexts()
{
    menu_->setTitle(QString::fromStdString(Tr(ModernText::ViewMenu)));
    classic_->setText(QString::fromStdString(Tr(ModernText::ClassicLayout)));
    modern_->setText(QString::fromStdString(Tr(ModernText::ModernLayout)));
}

void LayoutMenu::ShowChoice(WindowLayout layout)
{
    classic_->setChecked(layout == WindowLayout::Classic);
    modern_->setChecked(layout == WindowLayout::Modern);
}

void LayoutMenu::Choose(WindowLayout layout)
{
    WriteWindowLayout(settings_, layout);
    prompts_.MessageBox(Tr(ModernText::LayoutAfterRestart), MsgIcon::Information, MsgButtons::Ok);
}

} // namespace tessaro

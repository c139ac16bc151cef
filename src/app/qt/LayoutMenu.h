#pragma once
// The View menu both main windows share: Classic layout and Modern layout.
// The choice is stored at once and takes effect at the next start (the
// window says so); the window shown keeps its state until then.

#include "app/WindowLayout.h"

#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace tessaro {

class Prompts;
struct MainMenus;

class LayoutMenu : public QObject
{
    Q_OBJECT
public:
    // Inserts the menu before the Help menu of the window's menu bar.
    LayoutMenu(MainMenus& menus, QWidget& window, SettingsStore& settings, Prompts& prompts,
               WindowLayout shown);

    QMenu* Menu() const { return menu_; }
    // Captions in the current language.
    void SetTexts();
    // Shows a choice made elsewhere (the Preferences dialog).
    void ShowChoice(WindowLayout layout);

private:
    void Choose(WindowLayout layout);

    SettingsStore& settings_;
    Prompts& prompts_;
    QMenu* menu_ = nullptr;
    QAction* classic_ = nullptr;
    QAction* modern_ = nullptr;
};

} // namespace tessaro

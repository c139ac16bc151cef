#pragma once
// The main window's actions, one per CommandId, and the menus that show them:
// the menu bar and the context menu of its trees. The window connects each
// action to its command once; its buttons, check boxes and radio buttons are
// views of the same actions (they trigger them and follow their enabled
// state), so a command is enabled and triggered in one place.
//
// File   New, Open, Save, Save As and Close of each pane, CSV export and
//        import of the active pane, its set list printed, previewed or as
//        PDF, Exit
// Edit   Undo, Redo, the edit column's commands, Search, Search again
// Tools  Compare panes, Check for keyboard, Find duplicates, the two
//        protocols, the options, the flash styles
// Help   the help page, About

#include "app/CommandStates.h"
#include "common/Texts.h"

#include <QList>

#include <array>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;
class QWidget;

namespace tessaro {

struct MainMenus
{
    std::array<QAction*, kCommandCount> actions{}; // by CommandId
    QAction* operator[](CommandId id) const { return actions[static_cast<std::size_t>(id)]; }
    QActionGroup* flashStyles = nullptr; // the three flash-style actions, exclusive

    QMenuBar* bar = nullptr;
    QMenu* fileMenu = nullptr;
    QMenu* editMenu = nullptr;
    QMenu* toolsMenu = nullptr;
    QMenu* helpMenu = nullptr;
    QMenu* flashStylesMenu = nullptr;

    // The actions of the tree's context menu: the edit column's.
    QList<QAction*> TreeActions() const;
    // Every action, for the window to carry their shortcuts.
    QList<QAction*> AllActions() const;
};

// Builds the actions and the menu bar (a child of window, not yet placed),
// with their captions in the current language and their fixed shortcuts.
MainMenus CreateMainMenus(QWidget& window);
// Captions in the current language; Copy and Move name the pane they go to
// from the active one.
void SetMenuCaptions(MainMenus& menus, PaneId active);
Caption CopyMenuCaption(PaneId active);
Caption MoveMenuCaption(PaneId active);
// Ctrl+O, Ctrl+S and Ctrl+Shift+S belong to the active pane's Open, Save and
// Save As (the MDB pane's while none is active); the menu shows them there.
void GiveFileShortcutsTo(MainMenus& menus, PaneId pane);
// The actions as the state's refresh left them: enabled and checked, the
// file shortcuts with the active pane, Undo and Redo naming their step, Main
// entry and Copy/Move captioned for the selection and direction.
void ShowCommandStates(MainMenus& menus, const CommandStates& states, PaneId active);
// A step's name may hold "&", which a menu would take for its key.
QString MenuText(const std::string& utf8);
// The right-click menu over a tree item.
QMenu* CreateTreeContextMenu(const MainMenus& menus, QWidget& parent);

} // namespace tessaro

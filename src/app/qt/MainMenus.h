#pragma once
// The main window's menu bar and the context menu of its trees. Every command
// of the window has one action here, shared by both menus; the window connects
// each action to the same command as its button and enables it with that
// button. The buttons stay: the menus are a second way to the same commands.
//
// File   New, Open, Save, Save As and Close of each pane, CSV export and
//        import of the active pane, Exit
// Edit   Undo, Redo, the edit column's commands, Search, Search again
// Tools  Compare panes, Check for keyboard, Find duplicates, the two
//        protocols, the options, the flash styles
// Help   the help page

#include "common/Texts.h"
#include "edit/PaneState.h"

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
    struct PaneActions
    {
        QAction* newFile = nullptr;
        QAction* open = nullptr;
        QAction* save = nullptr;
        QAction* saveAs = nullptr;
        QAction* close = nullptr;
    };
    std::array<PaneActions, 2> panes; // by PaneIndex
    PaneActions& Of(PaneId id) { return panes[PaneIndex(id)]; }
    const PaneActions& Of(PaneId id) const { return panes[PaneIndex(id)]; }
    QAction* exit = nullptr;

    QAction* undo = nullptr;
    QAction* redo = nullptr;
    QAction* newCategory = nullptr;
    QAction* edit = nullptr; // F2 here, Return in a tree
    QAction* mainEntry = nullptr;
    QAction* copy = nullptr;
    QAction* move = nullptr;
    QAction* up = nullptr;
    QAction* down = nullptr;
    QAction* deleteSelected = nullptr;
    QAction* search = nullptr;
    QAction* searchAgain = nullptr;

    QAction* protocolFormatted = nullptr;
    QAction* protocolTabs = nullptr;
    QAction* backupStructure = nullptr; // checkable
    QAction* noNetwork = nullptr;       // checkable
    QActionGroup* flashStyles = nullptr;
    QAction* flashFactory = nullptr; // exclusive, by flash-style mode
    QAction* flashDefault = nullptr;
    QAction* flashIndividual = nullptr;

    QAction* help = nullptr;
    // File: the active pane as a spreadsheet and back; Tools: the tool lists.
    QAction* exportCsv = nullptr;
    QAction* importCsv = nullptr;
    QAction* comparePanes = nullptr;
    QAction* checkForKeyboard = nullptr;
    QAction* findDuplicates = nullptr;

    QMenuBar* bar = nullptr;
    QMenu* fileMenu = nullptr;
    QMenu* editMenu = nullptr;
    QMenu* toolsMenu = nullptr;
    QMenu* helpMenu = nullptr;
    QMenu* flashStylesMenu = nullptr;

    // The actions of the tree's context menu: the edit column's.
    QList<QAction*> TreeActions() const;
    // Every action with a shortcut, for the window to carry.
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
// The right-click menu over a tree item.
QMenu* CreateTreeContextMenu(const MainMenus& menus, QWidget& parent);

} // namespace tessaro

#include "app/qt/MainMenus.h"

#include "common/Texts.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace tessaro {

namespace {

QString Q(Caption id)
{
    return QString::fromStdString(Tr(id));
}

// The panes' part of the actions' object names.
constexpr const char* kPaneNames[] = {"Mdb", "Archive"};

QAction* MakeAction(QWidget& window, const QString& name)
{
    auto* action = new QAction(&window);
    action->setObjectName(name);
    // The window is a dialog: its actions act wherever the focus is inside it.
    action->setShortcutContext(Qt::WindowShortcut);
    return action;
}

} // namespace

QList<QAction*> MainMenus::TreeActions() const
{
    return {undo,
            redo,
            nullptr,
            newCategory,
            edit,
            mainEntry,
            nullptr,
            copy,
            move,
            nullptr,
            up,
            down,
            nullptr,
            deleteSelected,
            nullptr,
            search,
            searchAgain,
            nullptr,
            protocolFormatted,
            protocolTabs};
}

QList<QAction*> MainMenus::AllActions() const
{
    QList<QAction*> all;
    for (const PaneActions& pane : panes)
        all << pane.newFile << pane.open << pane.save << pane.saveAs << pane.close;
    all << exit << help << backupStructure << noNetwork << flashFactory << flashDefault << flashIndividual;
    for (QAction* action : TreeActions())
        if (action)
            all << action;
    return all;
}

MainMenus CreateMainMenus(QWidget& window)
{
    MainMenus m;
    for (const PaneId id : kPaneIds) {
        const QString suffix = QLatin1String(kPaneNames[PaneIndex(id)]);
        MainMenus::PaneActions& pane = m.Of(id);
        const auto make = [&](const char* command) {
            return MakeAction(window, QLatin1String(command) + suffix + QLatin1String("Action"));
        };
        pane.newFile = make("new");
        pane.open = make("open");
        pane.save = make("save");
        pane.saveAs = make("saveAs");
        pane.close = make("close");
    }
    m.exit = MakeAction(window, QStringLiteral("exitAction"));
    m.exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    m.undo = MakeAction(window, QStringLiteral("undoAction"));
    m.undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m.redo = MakeAction(window, QStringLiteral("redoAction"));
    m.redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    m.newCategory = MakeAction(window, QStringLiteral("newCategoryAction"));
    m.edit = MakeAction(window, QStringLiteral("editAction"));
    m.edit->setShortcut(QKeySequence(Qt::Key_F2));
    m.mainEntry = MakeAction(window, QStringLiteral("mainEntryAction"));
    m.copy = MakeAction(window, QStringLiteral("copyAction"));
    m.move = MakeAction(window, QStringLiteral("moveAction"));
    m.up = MakeAction(window, QStringLiteral("upAction"));
    m.up->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Up));
    m.down = MakeAction(window, QStringLiteral("downAction"));
    m.down->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Down));
    m.deleteSelected = MakeAction(window, QStringLiteral("deleteAction"));
    m.deleteSelected->setShortcut(QKeySequence(Qt::Key_Delete));
    m.search = MakeAction(window, QStringLiteral("searchAction"));
    m.search->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    m.searchAgain = MakeAction(window, QStringLiteral("searchAgainAction"));
    m.searchAgain->setShortcut(QKeySequence(Qt::Key_F3));

    m.protocolFormatted = MakeAction(window, QStringLiteral("protocolFormattedAction"));
    m.protocolTabs = MakeAction(window, QStringLiteral("protocolTabsAction"));
    m.backupStructure = MakeAction(window, QStringLiteral("backupStructureAction"));
    m.backupStructure->setCheckable(true);
    m.noNetwork = MakeAction(window, QStringLiteral("noNetworkAction"));
    m.noNetwork->setCheckable(true);
    m.flashStyles = new QActionGroup(&window);
    m.flashStyles->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (QAction** flash : {&m.flashFactory, &m.flashDefault, &m.flashIndividual}) {
        *flash = MakeAction(window, QLatin1String(flash == &m.flashFactory   ? "factoryAction"
                                                  : flash == &m.flashDefault ? "defaultAction"
                                                                             : "individualAction"));
        (*flash)->setCheckable(true);
        m.flashStyles->addAction(*flash);
    }
    m.help = MakeAction(window, QStringLiteral("helpAction"));
    m.help->setShortcut(QKeySequence(Qt::Key_F1));
    m.exportCsv = MakeAction(window, QStringLiteral("exportCsvAction"));
    m.importCsv = MakeAction(window, QStringLiteral("importCsvAction"));
    m.comparePanes = MakeAction(window, QStringLiteral("comparePanesAction"));
    m.checkForKeyboard = MakeAction(window, QStringLiteral("checkForKeyboardAction"));
    m.findDuplicates = MakeAction(window, QStringLiteral("findDuplicatesAction"));

    m.bar = new QMenuBar(&window);
    m.bar->setObjectName(QStringLiteral("menuBar"));
    m.fileMenu = m.bar->addMenu(QString());
    m.fileMenu->setObjectName(QStringLiteral("fileMenu"));
    for (const MainMenus::PaneActions& pane : m.panes) {
        m.fileMenu->addActions({pane.newFile, pane.open, pane.save, pane.saveAs, pane.close});
        m.fileMenu->addSeparator();
    }
    m.fileMenu->addActions({m.exportCsv, m.importCsv});
    m.fileMenu->addSeparator();
    m.fileMenu->addAction(m.exit);

    m.editMenu = m.bar->addMenu(QString());
    m.editMenu->setObjectName(QStringLiteral("editMenu"));
    for (QAction* action : m.TreeActions()) {
        if (action == m.protocolFormatted)
            break; // the protocols are tools
        if (action)
            m.editMenu->addAction(action);
        else
            m.editMenu->addSeparator();
    }

    m.toolsMenu = m.bar->addMenu(QString());
    m.toolsMenu->setObjectName(QStringLiteral("toolsMenu"));
    m.toolsMenu->addActions({m.comparePanes, m.checkForKeyboard, m.findDuplicates});
    m.toolsMenu->addSeparator();
    m.toolsMenu->addActions({m.protocolFormatted, m.protocolTabs});
    m.toolsMenu->addSeparator();
    m.toolsMenu->addActions({m.backupStructure, m.noNetwork});
    m.flashStylesMenu = m.toolsMenu->addMenu(QString());
    m.flashStylesMenu->addActions({m.flashFactory, m.flashDefault, m.flashIndividual});

    m.helpMenu = m.bar->addMenu(QString());
    m.helpMenu->setObjectName(QStringLiteral("helpMenu"));
    m.helpMenu->addAction(m.help);

    SetMenuCaptions(m, PaneId::Mdb);
    GiveFileShortcutsTo(m, PaneId::Mdb);
    return m;
}

Caption CopyMenuCaption(PaneId active)
{
    constexpr Caption kCopyFrom[] = {Caption::MenuCopyToArchive, Caption::MenuCopyToMdb};
    return kCopyFrom[PaneIndex(active)];
}

Caption MoveMenuCaption(PaneId active)
{
    constexpr Caption kMoveFrom[] = {Caption::MenuMoveToArchive, Caption::MenuMoveToMdb};
    return kMoveFrom[PaneIndex(active)];
}

void SetMenuCaptions(MainMenus& m, PaneId active)
{
    m.fileMenu->setTitle(Q(Caption::MenuFile));
    m.editMenu->setTitle(Q(Caption::MenuEdit));
    m.toolsMenu->setTitle(Q(Caption::MenuTools));
    m.helpMenu->setTitle(Q(Caption::MenuHelp));
    m.flashStylesMenu->setTitle(Q(Caption::MenuFlashStyles));

    // New, Open, Save, Save As and Close of each pane.
    const Caption paneCaptions[2][5] = {{Caption::MenuNewMdb, Caption::MenuOpenMdb, Caption::MenuSaveMdb,
                                         Caption::MenuSaveMdbAs, Caption::MenuCloseMdb},
                                        {Caption::MenuNewArchive, Caption::MenuOpenArchive,
                                         Caption::MenuSaveArchive, Caption::MenuSaveArchiveAs,
                                         Caption::MenuCloseArchive}};
    for (const PaneId id : kPaneIds) {
        const MainMenus::PaneActions& pane = m.Of(id);
        const Caption* caption = paneCaptions[PaneIndex(id)];
        pane.newFile->setText(Q(caption[0]));
        pane.open->setText(Q(caption[1]));
        pane.save->setText(Q(caption[2]));
        pane.saveAs->setText(Q(caption[3]));
        pane.close->setText(Q(caption[4]));
    }
    m.exit->setText(Q(Caption::MenuExit));

    m.undo->setText(Q(Caption::Undo));
    m.redo->setText(Q(Caption::Redo));
    m.newCategory->setText(Q(Caption::NewCategory));
    m.edit->setText(Q(Caption::MenuEditSelected));
    m.copy->setText(Q(CopyMenuCaption(active)));
    m.move->setText(Q(MoveMenuCaption(active)));
    m.up->setText(Q(Caption::Up));
    m.down->setText(Q(Caption::Down));
    m.deleteSelected->setText(Q(Caption::Delete));
    m.search->setText(Q(Caption::MenuSearch));
    m.searchAgain->setText(Q(Caption::MenuSearchAgain));

    m.protocolFormatted->setText(Q(Caption::MenuProtocolFormatted));
    m.protocolTabs->setText(Q(Caption::MenuProtocolTabs));
    m.exportCsv->setText(Q(Caption::MenuExportCsv));
    m.importCsv->setText(Q(Caption::MenuImportCsv));
    m.comparePanes->setText(Q(Caption::MenuComparePanes));
    m.checkForKeyboard->setText(Q(Caption::MenuCheckForKeyboard));
    m.findDuplicates->setText(Q(Caption::MenuFindDuplicates));
    m.backupStructure->setText(Q(Caption::MenuBackupStructure));
    m.noNetwork->setText(Q(Caption::MenuNoNetwork));
    // The radio buttons' captions, English in both languages.
    m.flashFactory->setText(QStringLiteral("Factory"));
    m.flashDefault->setText(QStringLiteral("Default"));
    m.flashIndividual->setText(Q(Caption::MenuFlashIndividual));
    m.help->setText(Q(Caption::MenuHelpContents));
}

void GiveFileShortcutsTo(MainMenus& m, PaneId pane)
{
    const MainMenus::PaneActions& to = m.Of(pane);
    const MainMenus::PaneActions& from = m.Of(OtherPane(pane));
    if (!from.open->shortcut().isEmpty()) {
        from.open->setShortcut({});
        from.save->setShortcut({});
        from.saveAs->setShortcut({});
    }
    if (to.open->shortcut().isEmpty()) {
        to.open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
        to.save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
        to.saveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    }
}

QMenu* CreateTreeContextMenu(const MainMenus& m, QWidget& parent)
{
    auto* menu = new QMenu(&parent);
    menu->setObjectName(QStringLiteral("treeContextMenu"));
    for (QAction* action : m.TreeActions()) {
        if (action)
            menu->addAction(action);
        else
            menu->addSeparator();
    }
    return menu;
}

} // namespace tessaro

#include "app/qt/MainMenus.h"

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

// Every action: its object name, its fixed menu caption (Caption::Count_ when
// the caption follows the state or is the same in both languages) and its
// fixed shortcuts. The panes' file shortcuts move with the active pane.
struct ActionEntry
{
    CommandId id;
    const char* name;
    Caption caption;
    QList<QKeySequence> shortcuts;
};

const QList<ActionEntry>& ActionTable()
{
    constexpr Caption kNone = Caption::Count_;
    static const QList<ActionEntry> entries = {
        {CommandId::NewMdb, "newMdbAction", Caption::MenuNewMdb, {}},
        {CommandId::OpenMdb, "openMdbAction", Caption::MenuOpenMdb, {}},
        {CommandId::SaveMdb, "saveMdbAction", Caption::MenuSaveMdb, {}},
        {CommandId::SaveMdbAs, "saveAsMdbAction", Caption::MenuSaveMdbAs, {}},
        {CommandId::CloseMdb, "closeMdbAction", Caption::MenuCloseMdb, {}},
        {CommandId::NewArchive, "newArchiveAction", Caption::MenuNewArchive, {}},
        {CommandId::OpenArchive, "openArchiveAction", Caption::MenuOpenArchive, {}},
        {CommandId::SaveArchive, "saveArchiveAction", Caption::MenuSaveArchive, {}},
        {CommandId::SaveArchiveAs, "saveAsArchiveAction", Caption::MenuSaveArchiveAs, {}},
        {CommandId::CloseArchive, "closeArchiveAction", Caption::MenuCloseArchive, {}},
        {CommandId::Exit, "exitAction", Caption::MenuExit, {QKeySequence(Qt::CTRL | Qt::Key_Q)}},
        {CommandId::Undo, "undoAction", Caption::Undo, {QKeySequence(Qt::CTRL | Qt::Key_Z)}},
        {CommandId::Redo,
         "redoAction",
         Caption::Redo,
         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}},
        {CommandId::NewCategory, "newCategoryAction", Caption::NewCategory, {}},
        // Return in a tree triggers Edit as well (CMainDlg::eventFilter).
        {CommandId::Edit, "editAction", Caption::MenuEditSelected, {QKeySequence(Qt::Key_F2)}},
        {CommandId::MainEntry, "mainEntryAction", kNone, {}},
        {CommandId::Copy, "copyAction", kNone, {}},
        {CommandId::Move, "moveAction", kNone, {}},
        {CommandId::Up, "upAction", Caption::Up, {QKeySequence(Qt::ALT | Qt::Key_Up)}},
        {CommandId::Down, "downAction", Caption::Down, {QKeySequence(Qt::ALT | Qt::Key_Down)}},
        {CommandId::Delete, "deleteAction", Caption::Delete, {QKeySequence(Qt::Key_Delete)}},
        {CommandId::Search, "searchAction", Caption::MenuSearch, {QKeySequence(Qt::CTRL | Qt::Key_F)}},
        {CommandId::SearchAgain, "searchAgainAction", Caption::MenuSearchAgain, {QKeySequence(Qt::Key_F3)}},
        {CommandId::ProtocolFormatted, "protocolFormattedAction", Caption::MenuProtocolFormatted, {}},
        {CommandId::ProtocolTabs, "protocolTabsAction", Caption::MenuProtocolTabs, {}},
        {CommandId::BackupStructure, "backupStructureAction", Caption::MenuBackupStructure, {}},
        {CommandId::NoNetwork, "noNetworkAction", Caption::MenuNoNetwork, {}},
        {CommandId::FlashFactory, "factoryAction", kNone, {}},
        {CommandId::FlashDefault, "defaultAction", kNone, {}},
        {CommandId::FlashIndividual, "individualAction", Caption::MenuFlashIndividual, {}},
        {CommandId::Help, "helpAction", Caption::MenuHelpContents, {QKeySequence(Qt::Key_F1)}},
        {CommandId::ExportCsv, "exportCsvAction", Caption::MenuExportCsv, {}},
        {CommandId::ImportCsv, "importCsvAction", Caption::MenuImportCsv, {}},
        {CommandId::ComparePanes, "comparePanesAction", Caption::MenuComparePanes, {}},
        {CommandId::CheckForKeyboard, "checkForKeyboardAction", Caption::MenuCheckForKeyboard, {}},
        {CommandId::FindDuplicates, "findDuplicatesAction", Caption::MenuFindDuplicates, {}},
        {CommandId::Print, "printAction", Caption::MenuPrint, {QKeySequence(Qt::CTRL | Qt::Key_P)}},
        {CommandId::PrintPreview, "printPreviewAction", Caption::MenuPrintPreview, {}},
        {CommandId::ExportPdf, "exportPdfAction", Caption::MenuExportPdf, {}},
        {CommandId::About, "aboutAction", Caption::MenuAbout, {}},
    };
    return entries;
}

QAction* MakeAction(QWidget& window, const ActionEntry& entry)
{
    auto* action = new QAction(&window);
    action->setObjectName(QLatin1String(entry.name));
    // The window is a dialog: its actions act wherever the focus is inside it.
    action->setShortcutContext(Qt::WindowShortcut);
    action->setShortcuts(entry.shortcuts);
    return action;
}

} // namespace

QList<QAction*> MainMenus::TreeActions() const
{
    const MainMenus& m = *this;
    return {m[CommandId::Undo],
            m[CommandId::Redo],
            nullptr,
            m[CommandId::NewCategory],
            m[CommandId::Edit],
            m[CommandId::MainEntry],
            nullptr,
            m[CommandId::Copy],
            m[CommandId::Move],
            nullptr,
            m[CommandId::Up],
            m[CommandId::Down],
            nullptr,
            m[CommandId::Delete],
            nullptr,
            m[CommandId::Search],
            m[CommandId::SearchAgain],
            nullptr,
            m[CommandId::ProtocolFormatted],
            m[CommandId::ProtocolTabs]};
}

QList<QAction*> MainMenus::AllActions() const
{
    return QList<QAction*>(actions.begin(), actions.end());
}

MainMenus CreateMainMenus(QWidget& window)
{
    MainMenus m;
    for (const ActionEntry& entry : ActionTable())
        m.actions[static_cast<std::size_t>(entry.id)] = MakeAction(window, entry);
    for (CommandId id : {CommandId::BackupStructure, CommandId::NoNetwork})
        m[id]->setCheckable(true);
    m.flashStyles = new QActionGroup(&window);
    m.flashStyles->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (CommandId id : {CommandId::FlashFactory, CommandId::FlashDefault, CommandId::FlashIndividual}) {
        m[id]->setCheckable(true);
        m.flashStyles->addAction(m[id]);
    }

    m.bar = new QMenuBar(&window);
    m.bar->setObjectName(QStringLiteral("menuBar"));
    m.fileMenu = m.bar->addMenu(QString());
    m.fileMenu->setObjectName(QStringLiteral("fileMenu"));
    for (const PaneId pane : kPaneIds) {
        for (PaneCommand command : {PaneCommand::New, PaneCommand::Open, PaneCommand::Save,
                                    PaneCommand::SaveAs, PaneCommand::Close})
            m.fileMenu->addAction(m[PaneCommandId(pane, command)]);
        m.fileMenu->addSeparator();
    }
    m.fileMenu->addActions({m[CommandId::ExportCsv], m[CommandId::ImportCsv]});
    m.fileMenu->addSeparator();
    m.fileMenu->addActions({m[CommandId::Print], m[CommandId::PrintPreview], m[CommandId::ExportPdf]});
    m.fileMenu->addSeparator();
    m.fileMenu->addAction(m[CommandId::Exit]);

    m.editMenu = m.bar->addMenu(QString());
    m.editMenu->setObjectName(QStringLiteral("editMenu"));
    for (QAction* action : m.TreeActions()) {
        if (action == m[CommandId::ProtocolFormatted])
            break; // the protocols are tools
        if (action)
            m.editMenu->addAction(action);
        else
            m.editMenu->addSeparator();
    }

    m.toolsMenu = m.bar->addMenu(QString());
    m.toolsMenu->setObjectName(QStringLiteral("toolsMenu"));
    m.toolsMenu->addActions(
        {m[CommandId::ComparePanes], m[CommandId::CheckForKeyboard], m[CommandId::FindDuplicates]});
    m.toolsMenu->addSeparator();
    m.toolsMenu->addActions({m[CommandId::ProtocolFormatted], m[CommandId::ProtocolTabs]});
    m.toolsMenu->addSeparator();
    m.toolsMenu->addActions({m[CommandId::BackupStructure], m[CommandId::NoNetwork]});
    m.flashStylesMenu = m.toolsMenu->addMenu(QString());
    m.flashStylesMenu->addActions(
        {m[CommandId::FlashFactory], m[CommandId::FlashDefault], m[CommandId::FlashIndividual]});

    m.helpMenu = m.bar->addMenu(QString());
    m.helpMenu->setObjectName(QStringLiteral("helpMenu"));
    m.helpMenu->addAction(m[CommandId::Help]);
    m.helpMenu->addSeparator();
    m.helpMenu->addAction(m[CommandId::About]);

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

    for (const ActionEntry& entry : ActionTable()) {
        if (entry.caption != Caption::Count_)
            m[entry.id]->setText(Q(entry.caption));
    }
    m[CommandId::Copy]->setText(Q(CopyMenuCaption(active)));
    m[CommandId::Move]->setText(Q(MoveMenuCaption(active)));
    // The radio buttons' captions, English in both languages.
    m[CommandId::FlashFactory]->setText(QStringLiteral("Factory"));
    m[CommandId::FlashDefault]->setText(QStringLiteral("Default"));
}

void GiveFileShortcutsTo(MainMenus& m, PaneId pane)
{
    QAction* const open = m[PaneCommandId(OtherPane(pane), PaneCommand::Open)];
    if (!open->shortcut().isEmpty()) {
        open->setShortcut({});
        m[PaneCommandId(OtherPane(pane), PaneCommand::Save)]->setShortcut({});
        m[PaneCommandId(OtherPane(pane), PaneCommand::SaveAs)]->setShortcut({});
    }
    if (m[PaneCommandId(pane, PaneCommand::Open)]->shortcut().isEmpty()) {
        m[PaneCommandId(pane, PaneCommand::Open)]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
        m[PaneCommandId(pane, PaneCommand::Save)]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
        m[PaneCommandId(pane, PaneCommand::SaveAs)]->setShortcut(
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
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

QString MenuText(const std::string& utf8)
{
    return QString::fromStdString(utf8).replace(QLatin1Char('&'), QLatin1String("&&"));
}

void ShowCommandStates(MainMenus& menus, const CommandStates& states, PaneId active)
{
    for (std::size_t i = 0; i < kCommandCount; ++i) {
        QAction* action = menus.actions[i];
        action->setEnabled(states.commands[i].enabled);
        if (action->isCheckable())
            action->setChecked(states.commands[i].checked);
    }
    GiveFileShortcutsTo(menus, active);

    const std::string& undoTip = states[CommandId::Undo].tooltip;
    const std::string& redoTip = states[CommandId::Redo].tooltip;
    menus[CommandId::Undo]->setText(undoTip.empty() ? Q(Caption::Undo) : MenuText(undoTip));
    menus[CommandId::Redo]->setText(redoTip.empty() ? Q(Caption::Redo) : MenuText(redoTip));
    menus[CommandId::MainEntry]->setText(MenuText(states[CommandId::MainEntry].caption));
    menus[CommandId::Copy]->setText(Q(CopyMenuCaption(active)));
    menus[CommandId::Move]->setText(Q(MoveMenuCaption(active)));
}

} // namespace tessaro

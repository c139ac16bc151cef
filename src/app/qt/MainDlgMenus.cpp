// The main window's menu bar, the trees' context menu, the tab order and the
// files handed in from the desktop.
#include "app/qt/CMainDlg.h"

#include "edit/qt/CategoryTreeModel.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

namespace tessaro {

namespace {

QString Q(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

// A step's name may hold "&", which a menu would take for its key.
QString MenuText(const std::string& utf8)
{
    return Q(utf8).replace(QLatin1Char('&'), QLatin1String("&&"));
}

} // namespace

void CMainDlg::OnTrigger(QAction* action, void (MainWindowState::*command)())
{
    connect(action, &QAction::triggered, this,
            [this, command] { RunCommand([this, command] { (state_.*command)(); }); });
}

void CMainDlg::ConnectMenus()
{
    for (const PaneId id : kPaneIds) {
        const MainMenus::PaneActions& pane = menus_.Of(id);
        const auto onPane = [this, id](QAction* action, void (MainWindowState::*command)(PaneId)) {
            connect(action, &QAction::triggered, this,
                    [this, id, command] { RunCommand([this, id, command] { (state_.*command)(id); }); });
        };
        onPane(pane.newFile, &MainWindowState::New);
        onPane(pane.open, &MainWindowState::Open);
        onPane(pane.save, &MainWindowState::Save);
        onPane(pane.saveAs, &MainWindowState::SaveAs);
        onPane(pane.close, &MainWindowState::Close);
    }
    connect(menus_.exit, &QAction::triggered, this, &CMainDlg::reject);

    OnTrigger(menus_.undo, &MainWindowState::Undo);
    OnTrigger(menus_.redo, &MainWindowState::Redo);
    OnTrigger(menus_.newCategory, &MainWindowState::NewCategory);
    OnTrigger(menus_.edit, &MainWindowState::EditSelected);
    OnTrigger(menus_.mainEntry, &MainWindowState::ToggleMainEntry);
    OnTrigger(menus_.copy, &MainWindowState::Copy);
    OnTrigger(menus_.move, &MainWindowState::Move);
    OnTrigger(menus_.up, &MainWindowState::MoveUp);
    OnTrigger(menus_.down, &MainWindowState::MoveDown);
    OnTrigger(menus_.deleteSelected, &MainWindowState::DeleteSelected);
    OnTrigger(menus_.search, &MainWindowState::Search);
    OnTrigger(menus_.searchAgain, &MainWindowState::SearchAgain);
    OnTrigger(menus_.protocolFormatted, &MainWindowState::WriteFormattedProtocol);
    OnTrigger(menus_.protocolTabs, &MainWindowState::WriteTabProtocol);
    OnTrigger(menus_.exportCsv, &MainWindowState::ExportCsv);
    OnTrigger(menus_.importCsv, &MainWindowState::ImportCsv);
    OnTrigger(menus_.comparePanes, &MainWindowState::ComparePanes);
    OnTrigger(menus_.checkForKeyboard, &MainWindowState::CheckForKeyboard);
    OnTrigger(menus_.findDuplicates, &MainWindowState::FindDuplicates);
    OnTrigger(menus_.help, &MainWindowState::OpenHelp);

    connect(menus_.backupStructure, &QAction::triggered, this,
            [this](bool on) { RunCommand([this, on] { state_.SetBackupStructureOption(on); }); });
    connect(menus_.noNetwork, &QAction::triggered, this,
            [this](bool on) { RunCommand([this, on] { state_.SetNoNetworkOption(on); }); });
    OnTrigger(menus_.flashFactory, &MainWindowState::SelectFactoryFlashStyles);
    OnTrigger(menus_.flashDefault, &MainWindowState::SelectDefaultFlashStyles);
    OnTrigger(menus_.flashIndividual, &MainWindowState::SelectIndividualFlashStyles);

    for (const bool mdb : {true, false}) {
        QTreeView* tree = (mdb ? mdb_ : archive_).tree;
        tree->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(tree, &QWidget::customContextMenuRequested, this,
                [this, mdb](const QPoint& at) { ShowTreeContextMenu(mdb, at); });
    }
}

void CMainDlg::ShowTreeContextMenu(bool mdb, const QPoint& at)
{
    QTreeView* tree = (mdb ? mdb_ : archive_).tree;
    const QModelIndex index = tree->indexAt(at);
    if (!index.isValid() || commandDepth_ > 0)
        return; // over no item
    // The menu acts on the item under the pointer, in its pane.
    if (!tree->hasFocus())
        tree->setFocus(Qt::MouseFocusReason);
    state_.TreeGotFocus(mdb); // also where the window system gives no focus
    if (!tree->selectionModel()->isSelected(index))
        tree->setCurrentIndex(index);
    ApplyCommandStates();
    treeMenu_->exec(tree->viewport()->mapToGlobal(at));
}

void CMainDlg::ApplyMenuStates(const CommandStates& states)
{
    for (const PaneId id : kPaneIds) {
        const CommandStates::PaneFlags& flags = states.Of(id);
        const MainMenus::PaneActions& pane = menus_.Of(id);
        pane.save->setEnabled(flags.save);
        pane.saveAs->setEnabled(flags.saveAs);
        pane.close->setEnabled(flags.close);
    }
    const bool mdbActive = !state_.HasActivePane() || state_.IsMdbPaneActive();
    GiveFileShortcutsTo(menus_, mdbActive ? PaneId::Mdb : PaneId::Archive);

    menus_.undo->setEnabled(states.undo);
    menus_.redo->setEnabled(states.redo);
    menus_.undo->setText(states.undoTip.empty() ? Q(Tr(Caption::Undo)) : MenuText(states.undoTip));
    menus_.redo->setText(states.redoTip.empty() ? Q(Tr(Caption::Redo)) : MenuText(states.redoTip));
    menus_.newCategory->setEnabled(states.newCategory);
    menus_.edit->setEnabled(states.edit);
    menus_.mainEntry->setEnabled(states.mainEntry);
    menus_.mainEntry->setText(MenuText(states.mainEntryCaption));
    menus_.copy->setEnabled(states.copy);
    menus_.move->setEnabled(states.move);
    menus_.copy->setText(Q(Tr(mdbActive ? Caption::MenuCopyToArchive : Caption::MenuCopyToMdb)));
    menus_.move->setText(Q(Tr(mdbActive ? Caption::MenuMoveToArchive : Caption::MenuMoveToMdb)));
    menus_.up->setEnabled(states.up);
    menus_.down->setEnabled(states.down);
    menus_.deleteSelected->setEnabled(states.deleteSelected);
    menus_.search->setEnabled(states.search);
    menus_.searchAgain->setEnabled(states.search);
    menus_.protocolFormatted->setEnabled(states.protocol);
    menus_.protocolTabs->setEnabled(states.protocol);
    const MainWindowState::ToolStates tools = state_.UpdateToolStates();
    menus_.exportCsv->setEnabled(tools.exportCsv);
    menus_.importCsv->setEnabled(tools.importCsv);
    menus_.comparePanes->setEnabled(tools.comparePanes);
    menus_.checkForKeyboard->setEnabled(tools.checkForKeyboard);
    menus_.findDuplicates->setEnabled(tools.findDuplicates);

    menus_.backupStructure->setChecked(state_.backupStructureOption);
    menus_.noNetwork->setChecked(state_.noNetworkOption);
    menus_.flashFactory->setChecked(state_.flashStyleMode == kFlashFactory);
    menus_.flashDefault->setChecked(state_.flashStyleMode == kFlashDefault);
    menus_.flashIndividual->setChecked(state_.flashStyleMode == kFlashIndividual);
}

void CMainDlg::SetTabOrder()
{
    // Each pane's file controls lead into its tree; the MDB tree leads into
    // the edit column and Exit into the archive pane. From the archive tree
    // Tab goes back to the edit column (TabFromTree), not round the window.
    QList<QWidget*> chain{backupStructure_, noNetwork_};
    for (QAbstractButton* radio : flashStyles_->buttons())
        chain << radio;
    const auto addPane = [&chain](const PaneControls& pane) {
        chain << pane.newFile << pane.open << pane.save << pane.saveAs << pane.close << pane.recent
              << pane.tree;
    };
    addPane(mdb_);
    for (QPushButton* button : std::as_const(editColumn_))
        chain << button;
    chain << help_ << exit_;
    addPane(archive_);
    for (int i = 0; i + 1 < chain.size(); ++i)
        setTabOrder(chain[i], chain[i + 1]);
}

bool CMainDlg::TabFromTree(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || watched != archive_.tree)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (key->key() != Qt::Key_Tab || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    QList<QPushButton*> column = editColumn_;
    column << help_ << exit_;
    for (QPushButton* button : std::as_const(column)) {
        if (button->isEnabled() && button->isVisible()) {
            button->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return false;
}

void CMainDlg::OpenFiles(const QStringList& paths)
{
    std::vector<std::string> more;
    for (const QString& path : paths)
        more.push_back(QDir::toNativeSeparators(path).toStdString());
    MainWindowState::AddPendingFiles(pendingFiles_, more);
    // Never inside the caller's own work (a socket's signal, the start sequence).
    if (!pendingScheduled_) {
        pendingScheduled_ = true;
        QTimer::singleShot(0, this, &CMainDlg::OpenPendingFiles);
    }
}

void CMainDlg::OpenPendingFiles()
{
    pendingScheduled_ = false;
    if (pendingFiles_.empty())
        return;
    // Not in the middle of a command, a dialog or a menu: the files wait for
    // the user to finish there (a pane must not change under an open editor).
    const QWidget* modal = QApplication::activeModalWidget();
    if (!isVisible() || commandDepth_ > 0 || (modal && modal != this) || QApplication::activePopupWidget()) {
        pendingScheduled_ = true;
        QTimer::singleShot(200, this, &CMainDlg::OpenPendingFiles);
        return;
    }
    std::vector<std::string> files;
    files.swap(pendingFiles_);
    RunCommand([this, &files] { state_.OpenFiles(files); });
}

} // namespace tessaro

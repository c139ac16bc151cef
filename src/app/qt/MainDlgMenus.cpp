// The main window's menu bar, the trees' context menu, the tab order and the
// files handed in from the desktop.
#include "app/qt/CMainDlg.h"

#include "app/qt/PendingFiles.h"
#include "app/qt/WindowOwnCommands.h"
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

void CMainDlg::ConnectActions()
{
    for (std::size_t i = 0; i < kCommandCount; ++i) {
        const auto id = static_cast<CommandId>(i);
        connect(menus_[id], &QAction::triggered, this, [this, id](bool checked) { Trigger(id, checked); });
    }
    for (PaneId pane : kPaneIds) {
        const PaneControls& controls = Controls(pane);
        ShowAsButton(controls.newFile, PaneCommandId(pane, PaneCommand::New));
        ShowAsButton(controls.open, PaneCommandId(pane, PaneCommand::Open));
        ShowAsButton(controls.save, PaneCommandId(pane, PaneCommand::Save));
        ShowAsButton(controls.saveAs, PaneCommandId(pane, PaneCommand::SaveAs));
        ShowAsButton(controls.close, PaneCommandId(pane, PaneCommand::Close));
    }
    const std::pair<QAbstractButton*, CommandId> buttons[] = {
        {undo_, CommandId::Undo},
        {redo_, CommandId::Redo},
        {newCategory_, CommandId::NewCategory},
        {edit_, CommandId::Edit},
        {mainEntry_, CommandId::MainEntry},
        {copy_, CommandId::Copy},
        {move_, CommandId::Move},
        {up_, CommandId::Up},
        {down_, CommandId::Down},
        {delete_, CommandId::Delete},
        {search_, CommandId::Search},
        {protocolFormatted_, CommandId::ProtocolFormatted},
        {protocolTabs_, CommandId::ProtocolTabs},
        {help_, CommandId::Help},
        {exit_, CommandId::Exit},
        {backupStructure_, CommandId::BackupStructure},
        {noNetwork_, CommandId::NoNetwork},
    };
    for (const auto& [button, id] : buttons)
        ShowAsButton(button, id);
    const CommandId flashCommands[] = {CommandId::FlashFactory, CommandId::FlashDefault,
                                       CommandId::FlashIndividual};
    for (QAbstractButton* radio : flashStyles_->buttons())
        ShowAsButton(radio, flashCommands[flashStyles_->id(radio)]);

    for (PaneId id : kPaneIds) {
        QTreeView* tree = Controls(id).tree;
        tree->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(tree, &QWidget::customContextMenuRequested, this,
                [this, id](const QPoint& at) { ShowTreeContextMenu(id, at); });
    }
}

void CMainDlg::ShowTreeContextMenu(PaneId id, const QPoint& at)
{
    QTreeView* tree = Controls(id).tree;
    const QModelIndex index = tree->indexAt(at);
    if (!index.isValid() || commandDepth_ > 0)
        return; // over no item
    // The menu acts on the item under the pointer, in its pane.
    if (!tree->hasFocus())
        tree->setFocus(Qt::MouseFocusReason);
    state_.TreeGotFocus(id); // also where the window system gives no focus
    if (!tree->selectionModel()->isSelected(index))
        tree->setCurrentIndex(index);
    ApplyCommandStates();
    treeMenu_->exec(tree->viewport()->mapToGlobal(at));
}

void CMainDlg::Trigger(CommandId id, bool checked)
{
    if (id == CommandId::Exit)
        reject(); // runs the exit sequence itself, and may close the window
    else if (IsWindowOwnCommand(id))
        RunCommand([this, id] { RunWindowOwnCommand(id, state_, prompts_, this); });
    else
        RunCommand([this, id, checked] { state_.Run(id, checked); });
}

void CMainDlg::ApplyActionStates(const CommandStates& states)
{
    // While no pane is active the MDB pane's commands speak for both.
    ShowCommandStates(menus_, states, state_.ActiveId().value_or(PaneId::Mdb));
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
    addPane(Controls(PaneId::Mdb));
    for (QPushButton* button : std::as_const(editColumn_))
        chain << button;
    chain << help_ << exit_;
    addPane(Controls(PaneId::Archive));
    for (int i = 0; i + 1 < chain.size(); ++i)
        setTabOrder(chain[i], chain[i + 1]);
}

bool CMainDlg::TabFromTree(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || watched != Controls(PaneId::Archive).tree)
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
    pendingFiles_->Add(paths);
}

} // namespace tessaro

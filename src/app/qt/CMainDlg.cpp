#include "app/qt/CMainDlg.h"

#include "app/qt/LayoutMenu.h"
#include "app/qt/MainWindowParts.h"
#include "app/qt/PaneDropTarget.h"
#include "app/qt/PendingFiles.h"
#include "app/qt/QtTranslations.h"
#include "edit/qt/CategoryTreeModel.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTimer>
#include <QTreeView>

#include <algorithm>

// The icons live in the Qt library; a window that shows them makes sure they are registered.
static void RegisterResources()
{
    Q_INIT_RESOURCE(tessaro);
}

namespace tessaro {

namespace {

QString Q(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

bool IsReturn(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// A disabled control that had the focus leaves the window without one, as the
// platform's dialogs do; Qt would hand the focus on, possibly to a tree, and
// that would make its pane the active one.
void SetEnabled(QWidget* widget, bool enabled)
{
    if (!enabled && widget->hasFocus())
        widget->clearFocus();
    widget->setEnabled(enabled);
}

// A position from another screen layout (a monitor since unplugged, a hand-edited
// file) would put the window where nobody can reach it: its title bar's left end
// must lie on a screen.
bool IsOnAScreen(const QPoint& corner)
{
    const QPoint titleBar = corner + QPoint(20, 10);
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().contains(titleBar))
            return true;
    }
    return false;
}

} // namespace

CMainDlg::CMainDlg(Prompts& prompts, SettingsStore& settings, StyleCatalogue& styles, QWidget* parent)
    : QDialog(parent), prompts_(prompts), state_(prompts, settings, styles),
      progress_(std::make_unique<QtProgress>(this))
{
    state_.SetProgress(progress_.get());
    RegisterResources();
    CreateControls();
    ConnectCommands();
    // Every control of the window, so that Return reaches none of them.
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->installEventFilter(this);
    menus_ = CreateMainMenus(*this);
    addActions(menus_.AllActions());
    treeMenu_ = CreateTreeContextMenu(menus_, *this);
    layoutMenu_ = new LayoutMenu(menus_, *this, settings, prompts, WindowLayout::Classic);
    ConnectActions();
    SetTabOrder();
    MakeResizable();
    pendingFiles_ = new PendingFiles(
        *this, [this] { return commandDepth_ > 0; },
        [this](const std::vector<std::string>& files) {
            RunCommand([this, &files] { state_.OpenFiles(files); });
        });
    Refresh();
}

CMainDlg::~CMainDlg()
{
    // The views and the models go before the trees they show (in state_).
    for (PaneControls& pane : panes_)
        delete pane.tree;
    for (PaneControls& pane : panes_)
        delete pane.model;
}

void CMainDlg::Initialise()
{
    state_.Initialise();
    UseQtTranslations(IsGerman());
    if (IsGerman())
        SetCaptions();
    SetMenuCaptions(menus_, state_.ActiveId().value_or(PaneId::Mdb));
    layoutMenu_->SetTexts();
    RestoreSize();
    if (state_.Position().IsSet()) {
        const QPoint corner(state_.Position().left, state_.Position().top);
        if (IsOnAScreen(corner))
            move(corner);
        else
            state_.SetPosition({}); // where the platform puts it, and so stored
    }
    Refresh();
}

void CMainDlg::ConnectCommands()
{
    for (PaneId id : kPaneIds)
        ConnectPane(id);
    new WindowFileDrops(*this, state_, [this](const std::function<void()>& command) { RunCommand(command); });
}

void CMainDlg::ConnectPane(PaneId id)
{
    const PaneControls& pane = Controls(id);
    // Only a choice of the user's opens a file; refilling the list is blocked.
    connect(pane.recent, &QComboBox::activated, this,
            [this, id](int line) { RunCommand([this, id, line] { state_.SelectRecent(id, line); }); });

    EnableTreeDragAndDrop(*pane.tree);
    pane.model->SetDropTarget(new PaneDropTarget(
        state_, id, [this](const std::function<void()>& command) { RunCommand(command); }, pane.model));

    // The view has already selected the nodes in the tree (TreeViewSync).
    connect(pane.model, &CategoryTreeModel::TreeSelectionChanged, this, [this] {
        if (commandDepth_ == 0)
            ApplyCommandStates();
    });
    // An entry is edited; a category opens or closes by the view's own handling.
    connect(pane.tree, &QTreeView::doubleClicked, this,
            [this, id] { RunCommand([this, id] { state_.TreeDoubleClicked(id); }); });
}

void CMainDlg::ShowAsButton(QAbstractButton* button, CommandId id)
{
    QAction* action = menus_[id];
    connect(button, &QAbstractButton::clicked, action, [action] { action->trigger(); });
    connect(action, &QAction::enabledChanged, button,
            [button](bool enabled) { SetEnabled(button, enabled); });
    SetEnabled(button, action->isEnabled());
}

void CMainDlg::RunCommand(const std::function<void()>& command)
{
    ++commandDepth_;
    state_.RunWithinMemory(command);
    --commandDepth_;
    Refresh();
}

void CMainDlg::Refresh()
{
    {
        const QSignalBlocker blockBackup(backupStructure_);
        const QSignalBlocker blockNetwork(noNetwork_);
        backupStructure_->setChecked(state_.Options().BackupStructure());
        noNetwork_->setChecked(state_.Options().NoNetwork());
    }
    ShowFlashStyleMode();
    for (PaneId id : kPaneIds)
        ShowRecentFiles(id);
    ApplyCommandStates();
}

void CMainDlg::ShowFlashStyleMode()
{
    // A stored mode other than 0..2 selects no radio button.
    const QSignalBlocker block(flashStyles_);
    flashStyles_->setExclusive(false);
    for (QAbstractButton* radio : flashStyles_->buttons())
        radio->setChecked(flashStyles_->id(radio) == state_.Options().FlashStyleMode());
    flashStyles_->setExclusive(true);
}

void CMainDlg::ShowRecentFiles(PaneId id)
{
    QComboBox* combo = Controls(id).recent;
    const RecentCombo lines = state_.FillRecentCombo(id);
    const QSignalBlocker block(combo);
    combo->clear();
    for (const std::string& line : lines.lines)
        combo->addItem(Q(line));
    combo->setCurrentIndex(lines.selected);
}

void CMainDlg::ApplyCommandStates()
{
    // The buttons follow their actions' enabled state (ShowAsButton).
    const CommandStates states = state_.UpdateCommandStates();
    ApplyActionStates(states);
    copy_->setText(Q(states[CommandId::Copy].caption));
    move_->setText(Q(states[CommandId::Move].caption));
    mainEntry_->setText(Q(states[CommandId::MainEntry].caption));
    undo_->setToolTip(Q(states[CommandId::Undo].tooltip));
    redo_->setToolTip(Q(states[CommandId::Redo].tooltip));
    ShowEditColumnAlignment(states.editColumnAlignment);
    modelLabel_->setText(Q(states.modelLabel));
    flashStyleFileLabel_->setText(Q(states.flashStyleFileLabel));
    for (PaneId id : kPaneIds)
        Controls(id).count->setText(Q(states.entryCountText[PaneIndex(id)]));
    ShowActivePane();
    for (PaneId id : kPaneIds)
        SetEnabled(Controls(id).tree, states.treeEnabled[PaneIndex(id)]);
}

void CMainDlg::ShowEditColumnAlignment(TextAlignment alignment)
{
    if (shownAlignment_ == alignment)
        return;
    shownAlignment_ = alignment;
    QString sheet;
    switch (alignment) {
    case TextAlignment::Left:
        sheet = QStringLiteral("text-align: left; padding-left: 6px;");
        break;
    case TextAlignment::Right:
        sheet = QStringLiteral("text-align: right; padding-right: 6px;");
        break;
    case TextAlignment::Centre:
        sheet = QStringLiteral("text-align: center;");
        break;
    }
    for (QPushButton* button : editColumn_)
        button->setStyleSheet(sheet);
}

void CMainDlg::ShowActivePane()
{
    const QPalette standard = QApplication::palette(panes_[0].tree);
    for (PaneId id : kPaneIds) {
        QTreeView* tree = Controls(id).tree;
        const QPalette palette = PaneSelectionPalette(standard, state_.IsActive(id));
        if (tree->palette() != palette)
            tree->setPalette(palette);
    }
}

std::optional<PaneId> CMainDlg::PaneOfTree(const QObject* control) const
{
    for (PaneId id : kPaneIds) {
        if (control == panes_[PaneIndex(id)].tree)
            return id;
    }
    return std::nullopt;
}

bool CMainDlg::IsRecentList(const QObject* control) const
{
    return std::any_of(panes_.begin(), panes_.end(),
                       [control](const PaneControls& pane) { return control == pane.recent; });
}

void CMainDlg::reject()
{
    const bool done = state_.ExitSequence(CurrentPlacement());
    Refresh();
    if (done)
        QDialog::reject();
}

void CMainDlg::keyPressEvent(QKeyEvent* event)
{
    if (IsReturn(event))
        return; // no default button: Return does nothing
    QDialog::keyPressEvent(event);
}

bool CMainDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (IsReturn(event)) {
        // In a tree it edits the selection, as F2 does; elsewhere it is
        // swallowed before a button sees it.
        if (PaneOfTree(watched) && menus_[CommandId::Edit]->isEnabled())
            menus_[CommandId::Edit]->trigger();
        return true;
    }
    if (TabFromTree(watched, event))
        return true;
    // Alt+Up and Alt+Down open a recent-file list that has the focus, as
    // everywhere else, rather than moving the tree's selection.
    if (event->type() == QEvent::ShortcutOverride && IsRecentList(watched)) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) && key->modifiers() == Qt::AltModifier) {
            event->accept();
            return false;
        }
    }
    if (event->type() == QEvent::FocusIn) {
        if (const std::optional<PaneId> pane = PaneOfTree(watched)) {
            state_.TreeGotFocus(*pane);
            if (commandDepth_ == 0)
                ApplyCommandStates();
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace tessaro

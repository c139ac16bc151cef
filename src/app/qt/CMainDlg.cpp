#include "app/qt/CMainDlg.h"

#include "app/qt/PaneDropTarget.h"
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
    : QDialog(parent), state_(prompts, settings, styles), progress_(std::make_unique<QtProgress>(this))
{
    state_.progress = progress_.get();
    RegisterResources();
    CreateControls();
    ConnectCommands();
    // Every control of the window, so that Return reaches none of them.
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->installEventFilter(this);
    menus_ = CreateMainMenus(*this);
    addActions(menus_.AllActions());
    treeMenu_ = CreateTreeContextMenu(menus_, *this);
    ConnectMenus();
    SetTabOrder();
    MakeResizable();
    Refresh();
}

CMainDlg::~CMainDlg()
{
    // The views and the models go before the trees they show (in state_).
    delete mdb_.tree;
    delete archive_.tree;
    delete mdb_.model;
    delete archive_.model;
}

void CMainDlg::Initialise()
{
    state_.Initialise();
    UseQtTranslations(IsGerman());
    if (IsGerman())
        SetCaptions();
    SetMenuCaptions(menus_, !state_.HasActivePane() || state_.IsMdbPaneActive());
    RestoreSize();
    if (state_.windowPosition.IsSet()) {
        const QPoint corner(state_.windowPosition.left, state_.windowPosition.top);
        if (IsOnAScreen(corner))
            move(corner);
        else
            state_.windowPosition = {}; // where the platform puts it, and so stored
    }
    Refresh();
}

void CMainDlg::ConnectCommands()
{
    ConnectPane(mdb_, true);
    ConnectPane(archive_, false);
    new WindowFileDrops(*this, state_, [this](const std::function<void()>& command) { RunCommand(command); });

    connect(backupStructure_, &QCheckBox::clicked, this,
            [this](bool on) { RunCommand([this, on] { state_.SetBackupStructureOption(on); }); });
    connect(noNetwork_, &QCheckBox::clicked, this,
            [this](bool on) { RunCommand([this, on] { state_.SetNoNetworkOption(on); }); });
    connect(flashStyles_, &QButtonGroup::idClicked, this, [this](int mode) {
        if (mode == kFlashFactory)
            RunCommand([this] { state_.SelectFactoryFlashStyles(); });
        else if (mode == kFlashDefault)
            RunCommand([this] { state_.SelectDefaultFlashStyles(); });
        else
            RunCommand([this] { state_.SelectIndividualFlashStyles(); });
    });

    // Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z are the menu's (ConnectMenus).
    OnClick(undo_, &MainWindowState::Undo);
    OnClick(redo_, &MainWindowState::Redo);
    OnClick(newCategory_, &MainWindowState::NewCategory);
    OnClick(edit_, &MainWindowState::EditSelected);
    OnClick(mainEntry_, &MainWindowState::ToggleMainEntry);
    OnClick(copy_, &MainWindowState::Copy);
    OnClick(move_, &MainWindowState::Move);
    OnClick(up_, &MainWindowState::MoveUp);
    OnClick(down_, &MainWindowState::MoveDown);
    OnClick(delete_, &MainWindowState::DeleteSelected);
    OnClick(search_, &MainWindowState::Search);
    OnClick(protocolFormatted_, &MainWindowState::WriteFormattedProtocol);
    OnClick(protocolTabs_, &MainWindowState::WriteTabProtocol);
    OnClick(help_, &MainWindowState::OpenHelp);
    connect(exit_, &QPushButton::clicked, this, &CMainDlg::reject);
}

void CMainDlg::ConnectPane(PaneControls& pane, bool mdb)
{
    const PaneId id = mdb ? PaneId::Mdb : PaneId::Archive;
    OnPaneClick(pane.newFile, id, &MainWindowState::New);
    OnPaneClick(pane.open, id, &MainWindowState::Open);
    OnPaneClick(pane.save, id, &MainWindowState::Save);
    OnPaneClick(pane.saveAs, id, &MainWindowState::SaveAs);
    OnPaneClick(pane.close, id, &MainWindowState::Close);

    // Only a choice of the user's opens a file; refilling the list is blocked.
    connect(pane.recent, &QComboBox::activated, this,
            [this, id](int line) { RunCommand([this, id, line] { state_.SelectRecent(id, line); }); });

    EnableTreeDragAndDrop(*pane.tree);
    pane.model->SetDropTarget(new PaneDropTarget(
        state_, mdb ? PaneId::Mdb : PaneId::Archive,
        [this](const std::function<void()>& command) { RunCommand(command); }, pane.model));

    // The view has already selected the nodes in the tree (TreeViewSync).
    connect(pane.model, &CategoryTreeModel::TreeSelectionChanged, this, [this] {
        if (commandDepth_ == 0)
            ApplyCommandStates();
    });
    // An entry is edited; a category opens or closes by the view's own handling.
    connect(pane.tree, &QTreeView::doubleClicked, this,
            [this, mdb] { RunCommand([this, mdb] { state_.TreeDoubleClicked(mdb); }); });
}

void CMainDlg::OnClick(QPushButton* button, void (MainWindowState::*command)())
{
    connect(button, &QPushButton::clicked, this,
            [this, command] { RunCommand([this, command] { (state_.*command)(); }); });
}

void CMainDlg::OnPaneClick(QPushButton* button, PaneId pane, void (MainWindowState::*command)(PaneId))
{
    connect(button, &QPushButton::clicked, this,
            [this, pane, command] { RunCommand([this, pane, command] { (state_.*command)(pane); }); });
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
        backupStructure_->setChecked(state_.backupStructureOption);
        noNetwork_->setChecked(state_.noNetworkOption);
    }
    ShowFlashStyleMode();
    modelLabel_->setText(Q(state_.modelLabel));
    flashStyleFileLabel_->setText(Q(state_.flashStyleFileLabel));
    ShowRecentFiles(mdb_.recent, state_.mdbPane);
    ShowRecentFiles(archive_.recent, state_.archivePane);
    mdb_.count->setText(Q(state_.mdbPane.entryCountText));
    archive_.count->setText(Q(state_.archivePane.entryCountText));
    ApplyCommandStates();
}

void CMainDlg::ShowFlashStyleMode()
{
    // A stored mode other than 0..2 selects no radio button.
    const QSignalBlocker block(flashStyles_);
    flashStyles_->setExclusive(false);
    for (QAbstractButton* radio : flashStyles_->buttons())
        radio->setChecked(flashStyles_->id(radio) == state_.flashStyleMode);
    flashStyles_->setExclusive(true);
}

void CMainDlg::ShowRecentFiles(QComboBox* combo, const PaneState& pane)
{
    const RecentCombo lines = state_.FillRecentCombo(pane);
    const QSignalBlocker block(combo);
    combo->clear();
    for (const std::string& line : lines.lines)
        combo->addItem(Q(line));
    combo->setCurrentIndex(lines.selected);
}

void CMainDlg::ApplyCommandStates()
{
    const CommandStates states = state_.UpdateCommandStates();
    ApplyMenuStates(states);
    copy_->setText(Q(states.copyCaption));
    move_->setText(Q(states.moveCaption));
    mainEntry_->setText(Q(states.mainEntryCaption));
    ShowEditColumnAlignment(states.editColumnAlignment);
    ShowActivePane();

    for (PaneId id : kPaneIds) {
        const PaneControls& pane = id == PaneId::Mdb ? mdb_ : archive_;
        const CommandStates::PaneFlags& flags = states.Of(id);
        SetEnabled(pane.save, flags.save);
        SetEnabled(pane.saveAs, flags.saveAs);
        SetEnabled(pane.close, flags.close);
        SetEnabled(pane.tree, flags.tree);
    }

    SetEnabled(undo_, states.undo);
    SetEnabled(redo_, states.redo);
    undo_->setToolTip(Q(states.undoTip));
    redo_->setToolTip(Q(states.redoTip));
    SetEnabled(newCategory_, states.newCategory);
    SetEnabled(edit_, states.edit);
    SetEnabled(mainEntry_, states.mainEntry);
    SetEnabled(copy_, states.copy);
    SetEnabled(move_, states.move);
    SetEnabled(up_, states.up);
    SetEnabled(down_, states.down);
    SetEnabled(delete_, states.deleteSelected);
    SetEnabled(search_, states.search);
    SetEnabled(protocolFormatted_, states.protocol);
    SetEnabled(protocolTabs_, states.protocol);
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
    // The active pane's selection keeps the highlight while a button has the
    // focus; the other pane's is drawn as an inactive one, so that it shows
    // which pane Edit, Copy and the others act on.
    const QPalette standard = QApplication::palette(mdb_.tree);
    for (const bool mdb : {true, false}) {
        QTreeView* tree = (mdb ? mdb_ : archive_).tree;
        const bool active = state_.HasActivePane() && state_.IsMdbPaneActive() == mdb;
        QPalette palette = standard;
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            palette.setColor(group, QPalette::Highlight,
                             active ? standard.color(QPalette::Active, QPalette::Highlight)
                                    : standard.color(QPalette::Active, QPalette::Midlight));
            palette.setColor(group, QPalette::HighlightedText,
                             active ? standard.color(QPalette::Active, QPalette::HighlightedText)
                                    : standard.color(QPalette::Active, QPalette::Text));
        }
        if (tree->palette() != palette)
            tree->setPalette(palette);
    }
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
        if ((watched == mdb_.tree || watched == archive_.tree) && menus_.edit->isEnabled())
            menus_.edit->trigger();
        return true;
    }
    if (TabFromTree(watched, event))
        return true;
    // Alt+Up and Alt+Down open a recent-file list that has the focus, as
    // everywhere else, rather than moving the tree's selection.
    if (event->type() == QEvent::ShortcutOverride && (watched == mdb_.recent || watched == archive_.recent)) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) && key->modifiers() == Qt::AltModifier) {
            event->accept();
            return false;
        }
    }
    if (event->type() == QEvent::FocusIn) {
        const bool mdbTree = watched == mdb_.tree;
        if (mdbTree || watched == archive_.tree) {
            state_.TreeGotFocus(mdbTree);
            if (commandDepth_ == 0)
                ApplyCommandStates();
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace tessaro

#include "app/qt/ModernWindow.h"

#include "app/PaneFiles.h"
#include "app/SettingsKeys.h"
#include "app/WindowLayout.h"
#include "app/qt/LayoutMenu.h"
#include "app/qt/MainWindowParts.h"
#include "app/qt/ModernMenuWords.h"
#include "app/qt/ModernToolBar.h"
#include "app/qt/PaneDropTarget.h"
#include "app/qt/PendingFiles.h"
#include "app/qt/QtTranslations.h"
#include "app/qt/ResultPanel.h"
#include "app/qt/WindowOwnCommands.h"
#include "edit/EntryFilter.h"
#include "edit/qt/CategoryTreeView.h"
#include "edit/qt/EntryTableModel.h"
#include "edit/qt/TreeViewSync.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <unordered_map>

static void RegisterModernResources()
{
    Q_INIT_RESOURCE(tessaro);
}

namespace tessaro {

namespace {

QString Q(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}
QString Q(ModernText id)
{
    return Q(Tr(id));
}

bool IsReturn(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// The default widths, in average characters of the tree's font.
constexpr int kDefaultColumnChars[kEntryTableColumns] = {18, 17, 5, 5, 15, 13};
constexpr ModernText kColumnHeaders[kEntryTableColumns] = {
    ModernText::ColumnTitle,     ModernText::ColumnStyle,   ModernText::ColumnTempo,
    ModernText::ColumnVariation, ModernText::ColumnR1Voice, ModernText::ColumnLeftVoice};

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

CModernWindow::CModernWindow(Prompts& prompts, SettingsStore& settings, StyleCatalogue& styles,
                             QWidget* parent)
    : QMainWindow(parent), prompts_(prompts), settings_(settings), styles_(styles),
      state_(prompts, settings, styles), progress_(std::make_unique<QtProgress>(this))
{
    RegisterModernResources();
    setObjectName(QStringLiteral("modernWindow"));
    state_.SetProgress(progress_.get());
    menus_ = CreateMainMenus(*this);
    setMenuBar(menus_.bar);
    addActions(menus_.AllActions());
    treeMenu_ = CreateTreeContextMenu(menus_, *this);
    CreatePanes();
    CreateToolBar();
    CreateViewMenu();
    resultPanel_ =
        new ResultPanel(state_.Tools().Results(), styles_,
                        {[this](const std::function<void()>& command) { RunCommand(command); },
                         [this](PaneId id) { return Widgets(id).filter; },
                         [this](PaneId id) { return Widgets(id).tree; }, [this] { return state_.ActiveId(); },
                         [this](const QString& text) { statusBar()->showMessage(text); }},
                        *this, *layoutMenu_->Menu());
    std::vector<QWidget*> chain = {panes_[0].recent, panes_[0].filter, panes_[0].tree,
                                   panes_[1].recent, panes_[1].filter, panes_[1].tree};
    for (QWidget* control : resultPanel_->TabChain())
        chain.push_back(control); // skipped by Tab while the panel is hidden
    SetTabOrder(*toolBar_, chain);
    modelLabel_ = new QLabel(this);
    modelLabel_->setObjectName(QStringLiteral("modelLabel"));
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    statusBar()->addPermanentWidget(modelLabel_);
    ConnectActions();
    pendingFiles_ = new PendingFiles(
        *this, [this] { return commandDepth_ > 0; },
        [this](const std::vector<std::string>& files) {
            RunCommand([this, &files] { state_.OpenFiles(files); });
        });
    new WindowFileDrops(*this, state_, [this](const std::function<void()>& command) { RunCommand(command); });
    SetTexts();
    // Room for both panes' columns where the screen has it.
    QSize size(1180, 720);
    if (const QScreen* screen = this->screen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(size);
    Refresh();
}

CModernWindow::~CModernWindow()
{
    // The views and the models go before the trees they show (in state_).
    delete resultPanel_;
    for (PaneWidgets& pane : panes_)
        delete pane.tree;
    for (PaneWidgets& pane : panes_)
        delete pane.model;
}

void CModernWindow::CreatePanes()
{
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName(QStringLiteral("paneSplitter"));
    splitter_->setChildrenCollapsible(false);
    for (PaneId id : kPaneIds)
        CreatePane(id);
    setCentralWidget(splitter_);
}

void CModernWindow::CreatePane(PaneId id)
{
    const QString suffix = id == PaneId::Mdb ? QStringLiteral("Mdb") : QStringLiteral("Archive");
    PaneWidgets& pane = Widgets(id);
    pane.box = new QWidget(splitter_);
    pane.box->setObjectName(QStringLiteral("pane") + suffix);
    auto* column = new QVBoxLayout(pane.box);
    column->setContentsMargins(6, 6, 6, 0);
    column->setSpacing(4);

    auto* headerRow = new QHBoxLayout;
    pane.header = new QLabel(pane.box);
    pane.header->setObjectName(QStringLiteral("header") + suffix);
    pane.header->setTextFormat(Qt::PlainText);
    QFont bold = pane.header->font();
    bold.setBold(true);
    pane.header->setFont(bold);
    pane.capacity = new QLabel(pane.box);
    pane.capacity->setObjectName(QStringLiteral("capacity") + suffix);
    pane.capacity->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    headerRow->addWidget(pane.header, 1);
    headerRow->addWidget(pane.capacity);
    column->addLayout(headerRow);

    pane.recent = new QComboBox(pane.box);
    pane.recent->setObjectName(QStringLiteral("recent") + suffix);
    pane.recent->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    pane.recent->setMinimumContentsLength(20);
    pane.recent->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    column->addWidget(pane.recent);

    pane.filter = new QLineEdit(pane.box);
    pane.filter->setObjectName(QStringLiteral("filter") + suffix);
    pane.filter->setClearButtonEnabled(true);
    pane.filter->installEventFilter(this);
    column->addWidget(pane.filter);

    pane.tree = new CategoryTreeView(pane.box);
    pane.tree->setObjectName(QStringLiteral("tree") + suffix);
    pane.model = new EntryTableModel(state_.Pane(id).tree, styles_);
    new TreeViewSync(*pane.tree, *pane.model);
    pane.tree->setItemDelegate(new RoomyRows(pane.tree));
    pane.tree->setUniformRowHeights(true);
    pane.tree->setAlternatingRowColors(true);
    pane.tree->setAllColumnsShowFocus(true);
    pane.tree->header()->setStretchLastSection(true);
    pane.tree->header()->setSectionsMovable(false);
    pane.tree->header()->setContextMenuPolicy(Qt::CustomContextMenu);
    pane.tree->installEventFilter(this);
    column->addWidget(pane.tree, 1);
    splitter_->addWidget(pane.box);
}

void CModernWindow::CreateToolBar()
{
    toolBar_ = addToolBar(QString());
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolBar_->setMovable(false);
    QStyle* s = style();
    // The desktop's theme icons, Qt's own where the theme has none.
    toolOpen_ = new QAction(
        QIcon::fromTheme(QStringLiteral("document-open"), s->standardIcon(QStyle::SP_DialogOpenButton)),
        QString(), this);
    toolOpen_->setObjectName(QStringLiteral("toolOpenAction"));
    toolSave_ = new QAction(
        QIcon::fromTheme(QStringLiteral("document-save"), s->standardIcon(QStyle::SP_DialogSaveButton)),
        QString(), this);
    toolSave_->setObjectName(QStringLiteral("toolSaveAction"));
    const struct
    {
        CommandId id;
        const char* theme;
        QStyle::StandardPixmap fallback;
    } shared[] = {
        {CommandId::Undo, "edit-undo", QStyle::SP_ArrowBack},
        {CommandId::Redo, "edit-redo", QStyle::SP_ArrowForward},
        {CommandId::Copy, "edit-copy", QStyle::SP_FileDialogNewFolder},
        {CommandId::Move, "go-next", QStyle::SP_ArrowRight},
        {CommandId::Delete, "edit-delete", QStyle::SP_TrashIcon},
        {CommandId::Search, "edit-find", QStyle::SP_FileDialogContentsView},
    };
    for (const auto& entry : shared)
        menus_[entry.id]->setIcon(
            QIcon::fromTheme(QLatin1String(entry.theme), s->standardIcon(entry.fallback)));
    toolBar_->addActions({toolOpen_, toolSave_});
    toolBar_->addSeparator();
    toolBar_->addActions({menus_[CommandId::Undo], menus_[CommandId::Redo]});
    toolBar_->addSeparator();
    toolBar_->addActions({menus_[CommandId::Copy], menus_[CommandId::Move], menus_[CommandId::Delete]});
    toolBar_->addSeparator();
    toolBar_->addAction(menus_[CommandId::Search]);
    for (QAction* action : toolBar_->actions()) {
        if (QWidget* button = toolBar_->widgetForAction(action))
            button->setObjectName(action->objectName() + QStringLiteral("Button"));
    }
    LetTheKeyboardReachTheToolBar(*toolBar_);
}

void CModernWindow::CreateViewMenu()
{
    layoutMenu_ = new LayoutMenu(menus_, *this, settings_, prompts_, WindowLayout::Modern);
    QMenu* view = layoutMenu_->Menu();
    QAction* firstLayout = view->actions().value(0);
    view->insertAction(firstLayout, toolBar_->toggleViewAction());
    // The columns, also for the keyboard (the header's menu needs the pointer).
    columnsMenu_ = new QMenu(view);
    columnsMenu_->setObjectName(QStringLiteral("columnsMenu"));
    view->insertMenu(firstLayout, columnsMenu_);
    for (int c = 1; c < kEntryTableColumns; ++c) {
        QAction* action = columnsMenu_->addAction(QString());
        action->setObjectName(QStringLiteral("column%1Action").arg(c));
        action->setCheckable(true);
        action->setChecked(true);
        connect(action, &QAction::toggled, this, [this, c](bool shown) { ShowColumn(c, shown); });
    }
    view->insertSeparator(firstLayout);

    preferences_ = new QAction(this);
    preferences_->setObjectName(QStringLiteral("preferencesAction"));
    preferences_->setMenuRole(QAction::PreferencesRole);
    menus_.toolsMenu->addSeparator();
    menus_.toolsMenu->addAction(preferences_);
    connect(preferences_, &QAction::triggered, this, &CModernWindow::ShowPreferences);
}

void CModernWindow::FitColumns()
{
    // Wide enough for the usual names and for the header's own text in either language.
    for (PaneWidgets& pane : panes_) {
        const int charWidth = pane.tree->fontMetrics().averageCharWidth();
        QHeaderView* header = pane.tree->header();
        for (int c = 0; c < kEntryTableColumns; ++c) {
            int width = kDefaultColumnChars[c] * charWidth;
            if (c == 0) // a title of 16 characters beside the branch and a sub entry's indent
                width += 2 * pane.tree->indentation();
            for (const bool german : {false, true}) {
                const TextPair& texts = TextsOf(kColumnHeaders[c]);
                const QString text = QString::fromUtf8(german ? texts.german : texts.english);
                width = std::max(width, header->fontMetrics().horizontalAdvance(text) + 3 * charWidth);
            }
            pane.tree->setColumnWidth(c, width);
        }
    }
}

void CModernWindow::SetTexts()
{
    SetMenuCaptions(menus_, state_.ActiveId().value_or(PaneId::Mdb));
    UseModernMenuWords(menus_);
    layoutMenu_->SetTexts();
    columnsMenu_->setTitle(Q(ModernText::ColumnsMenu));
    for (int c = 1; c < kEntryTableColumns; ++c)
        columnsMenu_->actions().value(c - 1)->setText(Q(kColumnHeaders[c]));
    preferences_->setText(Q(ModernText::Preferences));
    resultPanel_->SetTexts();
    toolBar_->setWindowTitle(Q(ModernText::ToolBar));
    toolBar_->setAccessibleName(Q(ModernText::ToolBar));
    toolOpen_->setText(Q(ModernText::ToolOpen));
    toolSave_->setText(Q(ModernText::ToolSave));
    const std::pair<CommandId, ModernText> short_[] = {
        {CommandId::Undo, ModernText::ToolUndo},     {CommandId::Redo, ModernText::ToolRedo},
        {CommandId::Copy, ModernText::ToolCopy},     {CommandId::Move, ModernText::ToolMove},
        {CommandId::Delete, ModernText::ToolDelete}, {CommandId::Search, ModernText::ToolSearch},
    };
    for (const auto& [id, text] : short_)
        menus_[id]->setIconText(Q(text));
    statusBar()->setAccessibleName(Q(ModernText::AccessibleStatusBar));
    const struct
    {
        PaneId id;
        ModernText tree, recent, filter;
    } names[] = {
        {PaneId::Mdb, ModernText::AccessibleMdbTree, ModernText::AccessibleMdbRecent,
         ModernText::AccessibleMdbFilter},
        {PaneId::Archive, ModernText::AccessibleArchiveTree, ModernText::AccessibleArchiveRecent,
         ModernText::AccessibleArchiveFilter},
    };
    for (const auto& n : names) {
        PaneWidgets& pane = Widgets(n.id);
        pane.tree->setAccessibleName(Q(n.tree));
        pane.recent->setAccessibleName(Q(n.recent));
        pane.filter->setAccessibleName(Q(n.filter));
        pane.filter->setPlaceholderText(Q(ModernText::FilterPlaceholder));
        pane.tree->header()->setToolTip(Q(ModernText::ColumnsMenuTip));
        pane.capacity->setAccessibleName(
            Q(n.id == PaneId::Mdb ? ModernText::MdbPane : ModernText::ArchivePane));
    }
}

void CModernWindow::Initialise()
{
    state_.Initialise();
    UseQtTranslations(IsGerman());
    SetTexts();
    RestorePlacement();
    FitColumns();
    RestoreColumns();
    Refresh();
}

void CModernWindow::ConnectActions()
{
    for (std::size_t i = 0; i < kCommandCount; ++i) {
        const auto id = static_cast<CommandId>(i);
        connect(menus_[id], &QAction::triggered, this, [this, id](bool checked) { Trigger(id, checked); });
    }
    // The tool bar's Open and Save are the active pane's (the MDB pane's while none is).
    connect(toolOpen_, &QAction::triggered, this, [this] {
        menus_[PaneCommandId(state_.ActiveId().value_or(PaneId::Mdb), PaneCommand::Open)]->trigger();
    });
    connect(toolSave_, &QAction::triggered, this, [this] {
        menus_[PaneCommandId(state_.ActiveId().value_or(PaneId::Mdb), PaneCommand::Save)]->trigger();
    });
    for (PaneId id : kPaneIds)
        ConnectPane(id);
}

void CModernWindow::ConnectPane(PaneId id)
{
    PaneWidgets& pane = Widgets(id);
    connect(pane.recent, &QComboBox::activated, this,
            [this, id](int line) { RunCommand([this, id, line] { state_.SelectRecent(id, line); }); });
    EnableTreeDragAndDrop(*pane.tree);
    pane.model->SetDropTarget(new PaneDropTarget(
        state_, id, [this](const std::function<void()>& command) { RunCommand(command); }, pane.model));
    connect(pane.model, &CategoryTreeModel::TreeSelectionChanged, this, [this] {
        if (commandDepth_ == 0 && !applyingFilter_)
            ApplyCommandStates();
    });
    connect(pane.tree, &QTreeView::doubleClicked, this,
            [this, id] { RunCommand([this, id] { state_.TreeDoubleClicked(id); }); });
    pane.tree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(pane.tree, &QWidget::customContextMenuRequested, this,
            [this, id](const QPoint& at) { ShowTreeContextMenu(id, at); });
    connect(pane.tree->header(), &QWidget::customContextMenuRequested, this,
            [this, id](const QPoint& at) { ShowColumnMenu(id, at); });
    // A category's name and count take the whole row, never cut at the title column.
    connect(pane.model, &QAbstractItemModel::rowsInserted, this, [this, id](const QModelIndex& parent) {
        if (!parent.isValid())
            SpanCategories(id);
    });
    connect(pane.model, &QAbstractItemModel::modelReset, this, [this, id] { SpanCategories(id); });
    connect(pane.filter, &QLineEdit::textChanged, this, [this, id] {
        const int shown = ApplyFilter(id);
        ApplyCommandStates();
        if (Widgets(id).filtered)
            statusBar()->showMessage(
                Q(FillArgs(Tr(ModernText::StatusFiltered),
                           {std::to_string(shown), std::to_string(state_.Pane(id).EntryCount())})));
    });
}

void CModernWindow::RunCommand(const std::function<void()>& command, std::optional<CommandId> id)
{
    const WindowFacts before = ReadWindowFacts(state_);
    ++commandDepth_;
    state_.RunWithinMemory(command);
    --commandDepth_;
    Refresh();
    if (const std::optional<std::string> message = StatusAfter(id, before, ReadWindowFacts(state_)))
        statusBar()->showMessage(Q(*message));
}

void CModernWindow::Trigger(CommandId id, bool checked)
{
    if (id == CommandId::Exit)
        close(); // the exit sequence runs in closeEvent and may keep the window open
    else if (IsWindowOwnCommand(id))
        RunCommand([this, id] { RunWindowOwnCommand(id, state_, prompts_, this); }, id);
    else
        RunCommand([this, id, checked] { state_.Run(id, checked); }, id);
}

void CModernWindow::Refresh()
{
    const WindowFacts facts = ReadWindowFacts(state_);
    for (PaneId id : kPaneIds) {
        ShowRecentFiles(id);
        ShowPaneHeader(id, facts);
        ApplyFilter(id);
    }
    setWindowTitle(Q(WindowTitle(facts)));
    setWindowModified(facts.AnyModified());
    ApplyCommandStates();
}

void CModernWindow::ShowRecentFiles(PaneId id)
{
    QComboBox* combo = Widgets(id).recent;
    const RecentCombo lines = state_.FillRecentCombo(id);
    const QSignalBlocker block(combo);
    combo->clear();
    for (const std::string& line : lines.lines)
        combo->addItem(Q(line));
    combo->setCurrentIndex(lines.selected);
}

void CModernWindow::ShowPaneHeader(PaneId id, const WindowFacts& facts)
{
    PaneWidgets& pane = Widgets(id);
    const PaneFacts& shown = facts.Pane(id);
    QString header = Q(id == PaneId::Mdb ? ModernText::MdbPane : ModernText::ArchivePane);
    const std::string file = PaneFileLabel(shown);
    header += QStringLiteral("  ") + (file.empty() ? Q(ModernText::NoFile) : Q(file));
    if (shown.modified)
        header += QStringLiteral(" *");
    pane.header->setText(header);
    QString spoken = header;
    if (shown.modified)
        spoken.chop(2), spoken += QStringLiteral(" (") + Q(ModernText::Modified) + QLatin1Char(')');
    pane.header->setAccessibleName(spoken);
    pane.header->setToolTip(Q(shown.fileName));

    bool overLimit = false;
    pane.capacity->setText(Q(CapacityText(id, shown, &overLimit)));
    pane.capacity->setToolTip(Q(FillArgs(Tr(ModernText::CapacityTip), {std::to_string(shown.entries)})));
    QPalette palette = pane.header->palette();
    if (overLimit)
        palette.setColor(QPalette::WindowText, QColor(0xd0, 0x20, 0x20));
    pane.capacity->setPalette(palette);
    QFont font = pane.capacity->font();
    font.setBold(overLimit);
    pane.capacity->setFont(font);
}

void CModernWindow::SpanCategories(PaneId id)
{
    PaneWidgets& pane = Widgets(id);
    const int categories = pane.model->rowCount();
    for (int row = 0; row < categories; ++row)
        pane.tree->setFirstColumnSpanned(row, QModelIndex(), true);
}

int CModernWindow::ApplyFilter(PaneId id)
{
    PaneWidgets& pane = Widgets(id);
    const EntryFilter filter(pane.filter->text().toStdString(), styles_);
    if (filter.IsEmpty() && !pane.filtered)
        return state_.Pane(id).EntryCount(); // nothing hidden: an archive of many entries costs nothing here
    int shownEntries = 0;
    applyingFilter_ = true;
    CategoryTree& tree = state_.Pane(id).tree;
    QTreeView* view = pane.tree;
    std::vector<TreeNode*> visibleSelection;
    std::unordered_map<const TreeNode*, int> shownCounts;
    for (int c = 0; c < tree.CategoryCount(); ++c) {
        TreeNode* category = tree.CategoryAt(c);
        const QModelIndex categoryIndex = pane.model->IndexOf(category);
        const bool shows = filter.ShowsCategory(*category);
        view->setRowHidden(c, QModelIndex(), !shows);
        if (shows && tree.IsSelected(category))
            visibleSelection.push_back(category);
        for (int e = 0; e < category->ChildCount(); ++e) {
            TreeNode* entry = category->ChildAt(e);
            const bool entryShows = shows && filter.Shows(*entry);
            view->setRowHidden(e, categoryIndex, !entryShows);
            shownEntries += entryShows ? 1 : 0;
            shownCounts[category] += entryShows ? 1 : 0;
            if (entryShows && tree.IsSelected(entry))
                visibleSelection.push_back(entry);
        }
        // The matches are what the user looks for: their categories open.
        if (shows && !filter.IsEmpty() && !filter.CategoryNameMatches(*category) && !category->IsExpanded())
            view->expand(categoryIndex);
    }
    // Commands act on what is selected and visible.
    if (visibleSelection.size() != tree.SelectionCount()) {
        TreeNode* current = tree.Selected();
        if (std::find(visibleSelection.begin(), visibleSelection.end(), current) == visibleSelection.end())
            current = visibleSelection.empty() ? nullptr : visibleSelection.front();
        tree.SetSelection(visibleSelection, current);
    }
    pane.filtered = !filter.IsEmpty();
    pane.model->SetShownCounts(pane.filtered ? std::move(shownCounts) : decltype(shownCounts)());
    applyingFilter_ = false;
    return shownEntries;
}

void CModernWindow::ApplyCommandStates()
{
    const CommandStates states = state_.UpdateCommandStates();
    modelLabel_->setText(Q(states.modelLabel));
    const PaneId active = state_.ActiveId().value_or(PaneId::Mdb);
    ShowCommandStates(menus_, states, active);
    toolOpen_->setEnabled(menus_[PaneCommandId(active, PaneCommand::Open)]->isEnabled());
    toolSave_->setEnabled(menus_[PaneCommandId(active, PaneCommand::Save)]->isEnabled());
    toolOpen_->setToolTip(menus_[PaneCommandId(active, PaneCommand::Open)]->text().remove(QLatin1Char('&')));
    toolSave_->setToolTip(menus_[PaneCommandId(active, PaneCommand::Save)]->text().remove(QLatin1Char('&')));

    menus_[CommandId::Undo]->setIconText(Q(ModernText::ToolUndo));
    menus_[CommandId::Redo]->setIconText(Q(ModernText::ToolRedo));
    menus_[CommandId::Copy]->setIconText(ToolBarCopyText(state_.ActiveId()));
    menus_[CommandId::Move]->setIconText(ToolBarMoveText(state_.ActiveId()));
    menus_[CommandId::Delete]->setIconText(Q(ModernText::ToolDelete));
    menus_[CommandId::Search]->setIconText(Q(ModernText::ToolSearch));
    for (PaneId id : kPaneIds)
        Widgets(id).tree->setEnabled(states.treeEnabled[PaneIndex(id)]);
    ShowActivePane();
}

void CModernWindow::ShowActivePane()
{
    const QPalette standard = QApplication::palette(Widgets(PaneId::Mdb).tree);
    for (PaneId id : kPaneIds) {
        QTreeView* tree = Widgets(id).tree;
        const QPalette palette = PaneSelectionPalette(standard, state_.IsActive(id));
        if (tree->palette() != palette)
            tree->setPalette(palette);
    }
}

void CModernWindow::ShowTreeContextMenu(PaneId id, const QPoint& at)
{
    QTreeView* tree = Widgets(id).tree;
    const QModelIndex index = tree->indexAt(at);
    if (!index.isValid() || commandDepth_ > 0)
        return;
    if (!tree->hasFocus())
        tree->setFocus(Qt::MouseFocusReason);
    state_.TreeGotFocus(id);
    if (!tree->selectionModel()->isSelected(index))
        tree->setCurrentIndex(index);
    ApplyCommandStates();
    treeMenu_->exec(tree->viewport()->mapToGlobal(at));
}

void CModernWindow::ShowColumnMenu(PaneId id, const QPoint& at)
{
    columnsMenu_->exec(Widgets(id).tree->header()->mapToGlobal(at));
}

void CModernWindow::ShowColumn(int column, bool shown)
{
    // Both panes show the same columns.
    for (PaneWidgets& pane : panes_)
        pane.tree->header()->setSectionHidden(column, !shown);
    columnsMenu_->actions().value(column - 1)->setChecked(shown);
}

void CModernWindow::RestoreColumns()
{
    const std::string stored = settings_.ReadString(settings::kSection, settings::kModernColumns, "");
    const std::optional<std::vector<int>> widths = ParseColumnWidths(stored, kEntryTableColumns);
    if (!widths)
        return;
    for (PaneWidgets& pane : panes_) {
        for (int c = 0; c < kEntryTableColumns; ++c) {
            const int width = (*widths)[static_cast<std::size_t>(c)];
            if (c > 0)
                ShowColumn(c, width > 0);
            if (width > 0)
                pane.tree->setColumnWidth(c, width);
        }
    }
}

void CModernWindow::StoreColumns()
{
    const QHeaderView* header = Widgets(PaneId::Mdb).tree->header();
    std::vector<int> widths;
    for (int c = 0; c < kEntryTableColumns; ++c) {
        const bool hidden = c > 0 && header->isSectionHidden(c);
        widths.push_back(hidden ? 0 : std::max(kMinColumnWidth, header->sectionSize(c)));
    }
    settings_.WriteString(settings::kSection, settings::kModernColumns, ColumnWidthsText(widths));
}

void CModernWindow::RestorePlacement()
{
    const WindowPosition& stored = state_.Position();
    if (stored.HasSize()) {
        const QScreen* screen = this->screen();
        QSize size(stored.width, stored.height);
        if (screen)
            size = size.boundedTo(screen->availableGeometry().size());
        resize(size.expandedTo(minimumSizeHint()));
    }
    if (stored.IsSet()) {
        const QPoint corner(stored.left, stored.top);
        if (IsOnAScreen(corner))
            move(corner);
        else
            state_.SetPosition({});
    }
    if (stored.maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

WindowPosition CModernWindow::CurrentPlacement() const
{
    return PlacementOf(*this, state_.Position());
}

void CModernWindow::closeEvent(QCloseEvent* event)
{
    if (commandDepth_ > 0) {
        event->ignore();
        return;
    }
    StoreColumns(); // written with the other settings by the exit sequence
    const bool done = state_.ExitSequence(CurrentPlacement());
    Refresh();
    if (done)
        event->accept();
    else
        event->ignore();
}

QString CModernWindow::StatusText() const
{
    return statusBar()->currentMessage();
}

std::optional<PaneId> CModernWindow::PaneOfTree(const QObject* control) const
{
    for (PaneId id : kPaneIds) {
        if (control == panes_[PaneIndex(id)].tree)
            return id;
    }
    return std::nullopt;
}

std::optional<PaneId> CModernWindow::PaneOfFilter(const QObject* control) const
{
    for (PaneId id : kPaneIds) {
        if (control == panes_[PaneIndex(id)].filter)
            return id;
    }
    return std::nullopt;
}

void CModernWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // The panes' selection colours are taken from the palette: a new one (the
    // desktop switched to dark, say) must not leave the light ones behind.
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
        ShowActivePane();
}

bool CModernWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (const std::optional<PaneId> pane = PaneOfTree(watched)) {
        if (IsReturn(event)) {
            // Return edits the selection, as F2 does.
            if (menus_[CommandId::Edit]->isEnabled())
                menus_[CommandId::Edit]->trigger();
            return true;
        }
        if (event->type() == QEvent::FocusIn) {
            state_.TreeGotFocus(*pane);
            if (commandDepth_ == 0)
                ApplyCommandStates();
        }
    }
    if (const std::optional<PaneId> pane = PaneOfFilter(watched)) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<const QKeyEvent*>(event)->key();
            if (key == Qt::Key_Escape && !Widgets(*pane).filter->text().isEmpty()) {
                Widgets(*pane).filter->clear();
                return true;
            }
            // Down goes on into the tree's rows.
            if (key == Qt::Key_Down) {
                Widgets(*pane).tree->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CModernWindow::OpenFiles(const QStringList& paths)
{
    pendingFiles_->Add(paths);
}

} // namespace tessaro

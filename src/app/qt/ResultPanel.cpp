#include "app/qt/ResultPanel.h"

#include "app/qt/MainWindowParts.h"

#include "common/Texts.h"
#include "edit/EntryFilter.h"
#include "edit/TreeNode.h"

#include <QAbstractListModel>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QMenu>
#include <QPalette>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace tessaro {

namespace {

QString Q(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

} // namespace

// The lines as the list shows them: a gone one greyed, with a note a screen
// reader reads too. Asks the results for each visible row only.
class ResultLinesModel : public QAbstractListModel
{
public:
    ResultLinesModel(const ToolResults& results, QObject* parent)
        : QAbstractListModel(parent), results_(results)
    {
    }

    void Reload()
    {
        beginResetModel();
        texts_.clear();
        texts_.reserve(static_cast<int>(results_.List().lines.size()));
        for (const std::string& line : results_.List().lines)
            texts_ << Q(line);
        endResetModel();
    }
    void StatesChanged()
    {
        if (!texts_.isEmpty())
            emit dataChanged(index(0), index(static_cast<int>(texts_.size()) - 1),
                             {Qt::DisplayRole, Qt::ForegroundRole, Qt::ToolTipRole});
    }
    const QStringList& Texts() const { return texts_; }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(texts_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= texts_.size())
            return {};
        const bool gone =
            results_.State(static_cast<std::size_t>(index.row())) == ToolResults::LineState::Gone;
        switch (role) {
        case Qt::DisplayRole:
            return gone ? texts_[index.row()] + QLatin1Char(' ') + Q(Tr(PanelText::LineGone))
                        : texts_[index.row()];
        case Qt::ForegroundRole:
            if (gone)
                return QApplication::palette().brush(QPalette::Disabled, QPalette::Text);
            return {};
        case Qt::ToolTipRole:
            if (gone)
                return Q(Tr(PanelText::StatusGone));
            return {};
        default:
            return {};
        }
    }

private:
    const ToolResults& results_;
    QStringList texts_;
};

ResultPanel::ResultPanel(ToolResults& results, const StyleCatalogue& styles, Window window,
                         QMainWindow& mainWindow, QMenu& viewMenu)
    : QDockWidget(&mainWindow), results_(results), styles_(styles), window_(std::move(window))
{
    setObjectName(QStringLiteral("resultPanel"));
    // Docked only: a floating panel would be a window of its own, where the
    // main window's keys (Delete, F2, Ctrl+Z) do not reach.
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea);

    auto* body = new QWidget(this);
    body->setObjectName(QStringLiteral("resultPanelBody"));
    summary_ = new QLabel(body);
    summary_->setObjectName(QStringLiteral("resultSummary"));
    summary_->setWordWrap(true);
    summary_->setTextFormat(Qt::PlainText);

    model_ = new ResultLinesModel(results_, this);
    lines_ = new QListView(body);
    lines_->setObjectName(QStringLiteral("resultLines"));
    lines_->setModel(model_);
    lines_->setItemDelegate(new RoomyRows(lines_));
    lines_->setSelectionMode(QAbstractItemView::SingleSelection);
    lines_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Rows of their own widths, so the scroll bar reaches the end of the
    // longest line; laid out in batches, so a long list opens at once.
    lines_->setLayoutMode(QListView::Batched);
    lines_->setTextElideMode(Qt::ElideNone);
    lines_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    lines_->installEventFilter(this);
    // The arrow keys choose as they move; a click or Enter chooses the line
    // again after the user worked in the tree.
    connect(lines_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    Choose(current.row());
            });
    connect(lines_, &QAbstractItemView::activated, this,
            [this](const QModelIndex& index) { Choose(index.row()); });
    connect(lines_, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { Choose(index.row()); });

    copy_ = new QPushButton(body);
    copy_->setObjectName(QStringLiteral("resultCopy"));
    copy_->setAutoDefault(false);
    connect(copy_, &QPushButton::clicked, this, &ResultPanel::CopyLines);
    close_ = new QPushButton(body);
    close_->setObjectName(QStringLiteral("resultClose"));
    close_->setAutoDefault(false);
    connect(close_, &QPushButton::clicked, this, [this] {
        const bool hadFocus = isAncestorOf(QApplication::focusWidget());
        hide();
        if (hadFocus)
            ReturnToPane();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(copy_);
    buttons->addWidget(close_);
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(6, 6, 6, 6);
    column->setSpacing(6);
    column->addWidget(summary_);
    column->addWidget(lines_, 1);
    column->addLayout(buttons);
    setWidget(body);

    focusAction_ = new QAction(this);
    focusAction_->setObjectName(QStringLiteral("resultFocusAction"));
    focusAction_->setShortcut(QKeySequence(Qt::Key_F6));
    focusAction_->setShortcutContext(Qt::WindowShortcut);
    connect(focusAction_, &QAction::triggered, this, &ResultPanel::ToggleFocus);
    mainWindow.addAction(focusAction_);
    toggleViewAction()->setObjectName(QStringLiteral("resultPanelAction"));
    QAction* first = viewMenu.actions().value(0);
    viewMenu.insertAction(first, toggleViewAction());

    mainWindow.addDockWidget(Qt::RightDockWidgetArea, this);
    hide();
    results_.SetView(this);
    SetTexts();
    ListReplaced();
}

ResultPanel::~ResultPanel()
{
    results_.SetView(nullptr);
}

void ResultPanel::SetTexts()
{
    ShowTitle();
    focusAction_->setText(Q(Tr(PanelText::KeysTip)));
    lines_->setAccessibleName(Q(Tr(PanelText::Lines)));
    lines_->setToolTip(Q(Tr(PanelText::KeysTip)));
    copy_->setText(Q(Tr(Caption::Copy)));
    close_->setText(Q(Tr(Caption::Close)));
    close_->setAccessibleName(Q(Tr(PanelText::CloseTip)));
    if (!results_.IsOpen())
        summary_->setText(Q(Tr(PanelText::Empty)));
}

void ResultPanel::ShowTitle()
{
    const QString panel = Q(Tr(PanelText::Title));
    const QString list = Q(results_.List().title);
    setWindowTitle(list.isEmpty() ? panel : list);
    setAccessibleName(list.isEmpty() ? panel : panel + QStringLiteral(": ") + list);
    // The dock names its action after its title; View names the panel, whatever it lists.
    toggleViewAction()->setText(Q(Tr(PanelText::ViewMenuItem)));
}

void ResultPanel::ListReplaced()
{
    // Only the texts are read here: the trees may be in the middle of a command.
    model_->Reload();
    ShowTitle();
    const bool open = results_.IsOpen();
    summary_->setText(open ? Q(results_.List().summary) : Q(Tr(PanelText::Empty)));
    copy_->setEnabled(open && model_->rowCount() > 0);
    if (!open)
        return;
    show();
    raise();
    FitWidth();
    // Opens at the first line, chosen, once the command that made the list is done.
    QTimer::singleShot(0, this, [this] {
        if (model_->rowCount() == 0)
            return;
        lines_->setFocus(Qt::OtherFocusReason);
        lines_->setCurrentIndex(model_->index(0));
    });
}

void ResultPanel::FitWidth()
{
    // Once: after that the width is the user's.
    auto* mainWindow = qobject_cast<QMainWindow*>(parentWidget());
    if (fitted_ || !mainWindow || mainWindow->dockWidgetArea(this) == Qt::BottomDockWidgetArea)
        return;
    fitted_ = true;
    const QFontMetrics metrics = lines_->fontMetrics();
    int longest = 0;
    for (const QString& text : model_->Texts())
        longest = std::max(longest, metrics.horizontalAdvance(text));
    const int room = lines_->verticalScrollBar()->sizeHint().width() + 2 * lines_->frameWidth() + 12 +
                     2 * metrics.averageCharWidth();
    const int width =
        std::clamp(longest + room, metrics.averageCharWidth() * 40, mainWindow->width() * 2 / 5);
    mainWindow->resizeDocks({this}, {width}, Qt::Horizontal);
}

void ResultPanel::LinesChanged()
{
    // Told from inside a change of a tree: redrawn once it is over.
    if (redrawPending_)
        return;
    redrawPending_ = true;
    QTimer::singleShot(0, this, [this] {
        redrawPending_ = false;
        model_->StatesChanged();
    });
}

void ResultPanel::Choose(int row)
{
    // A dialog of a command is open (the list came while it ran): the panes are its.
    if (row < 0 || !results_.IsOpen() || QApplication::activeModalWidget())
        return;
    const auto line = static_cast<std::size_t>(row);
    switch (results_.State(line)) {
    case ToolResults::LineState::Plain:
        return;
    case ToolResults::LineState::Gone:
        window_.status(Q(Tr(PanelText::StatusGone)));
        return;
    case ToolResults::LineState::There:
        break;
    }
    const PaneId pane = *results_.PaneOf(line);
    bool cleared = RevealFiltered(pane, results_.NodesNow(line));
    if (const TreeNode* counterpart = results_.CounterpartNow(line))
        cleared = RevealFiltered(OtherPane(pane), {counterpart}) || cleared;
    window_.run([this, line] { results_.Choose(line); });
    if (cleared)
        window_.status(Q(Tr(PanelText::StatusFilterCleared)));
}

bool ResultPanel::RevealFiltered(PaneId pane, const std::vector<const TreeNode*>& nodes)
{
    QLineEdit* field = window_.filter(pane);
    if (!field || field->text().isEmpty())
        return false;
    const EntryFilter filter(field->text().toStdString(), styles_);
    for (const TreeNode* node : nodes) {
        if (!filter.Shows(*node) || (node->Parent() && !filter.ShowsCategory(*node->Parent()))) {
            field->clear();
            return true;
        }
    }
    return false;
}

void ResultPanel::ReturnToPane()
{
    if (QWidget* tree = window_.tree(window_.activePane().value_or(PaneId::Mdb)))
        tree->setFocus(Qt::OtherFocusReason);
}

void ResultPanel::ToggleFocus()
{
    if (isVisible() && isAncestorOf(QApplication::focusWidget())) {
        ReturnToPane();
        return;
    }
    show();
    raise();
    lines_->setFocus(Qt::ShortcutFocusReason);
    if (!lines_->currentIndex().isValid() && model_->rowCount() > 0)
        lines_->setCurrentIndex(model_->index(0));
}

bool ResultPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lines_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        ReturnToPane();
        return true;
    }
    return QDockWidget::eventFilter(watched, event);
}

void ResultPanel::CopyLines()
{
    QStringList text{summary_->text()};
    text << model_->Texts();
    QGuiApplication::clipboard()->setText(text.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

std::vector<QWidget*> ResultPanel::TabChain() const
{
    return {lines_, copy_, close_};
}

} // namespace tessaro

#include "app/qt/CResultListDlg.h"

#include "common/Prompts.h"
#include "common/Texts.h"
#include "common/qt/DialogUnits.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace tessaro {

namespace {
constexpr int kGap = 8; // pixels between the main window and the list
} // namespace

QPoint CResultListDlg::PlaceBeside(const QRect& mainWindowFrame, const QSize& dialogFrame,
                                   const QRect& screen, bool keepLeftPaneClear)
{
    const int lowest = screen.bottom() + 1 - dialogFrame.height();
    const int top = std::max(screen.top(), std::min(mainWindowFrame.top(), lowest));
    const int right = mainWindowFrame.right() + 1 + kGap;
    if (right + dialogFrame.width() <= screen.right() + 1)
        return {right, top};
    const int left = mainWindowFrame.left() - kGap - dialogFrame.width();
    if (left >= screen.left())
        return {left, top};
    return {keepLeftPaneClear ? screen.right() + 1 - dialogFrame.width() : screen.left(), top};
}

CResultListDlg::CResultListDlg(const ResultList& list, ResultListHost& host, QWidget* mainWindow)
    : QDialog(mainWindow), host_(host)
{
    setWindowTitle(QString::fromStdString(list.title));
    const DialogUnits du(*this);

    summary_ = new QLabel(QString::fromStdString(list.summary), this);
    summary_->setObjectName(QStringLiteral("summary"));
    summary_->setWordWrap(true);
    summary_->setTextFormat(Qt::PlainText);

    lines_ = new QListWidget(this);
    lines_->setObjectName(QStringLiteral("lines"));
    // Rows of their own widths, so the scroll bar reaches the end of the
    // longest line; laid out in batches, so a long list opens at once.
    lines_->setLayoutMode(QListView::Batched);
    lines_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    lines_->setTextElideMode(Qt::ElideNone);
    int longest = 0;
    const QFontMetrics metrics = lines_->fontMetrics();
    for (const std::string& line : list.lines) {
        const QString text = QString::fromStdString(line);
        longest = std::max(longest, metrics.horizontalAdvance(text));
        lines_->addItem(text);
    }
    connect(lines_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            host_.ShowResult(static_cast<std::size_t>(row));
    });
    // Enter or a double click on the current line shows it again after the
    // user moved about in the main window's tree.
    connect(lines_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { host_.ShowResult(static_cast<std::size_t>(lines_->row(item))); });

    auto* buttons = new QDialogButtonBox(this);
    // The whole list as text, to work through a long one elsewhere (a CSV file's faults, say).
    QPushButton* copy =
        buttons->addButton(QString::fromStdString(Tr(Caption::Copy)), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("copy"));
    copy->setAutoDefault(false);
    connect(copy, &QPushButton::clicked, this, [this] {
        QStringList text{summary_->text()};
        for (int row = 0; row < lines_->count(); ++row)
            text << lines_->item(row)->text();
        QGuiApplication::clipboard()->setText(text.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    });
    QPushButton* close =
        buttons->addButton(QString::fromStdString(Tr(Caption::Close)), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("close"));
    close->setAutoDefault(false); // Enter belongs to the list
    connect(buttons, &QDialogButtonBox::rejected, this, &CResultListDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(du.X(7), du.Y(7), du.X(7), du.Y(7));
    layout->setSpacing(du.Y(4));
    layout->addWidget(summary_);
    layout->addWidget(lines_, 1);
    layout->addWidget(buttons);

    // Wide enough for the longest line where the screen allows; the rest scrolls.
    const QScreen* screen = mainWindow ? mainWindow->screen() : this->screen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    const int frameAndMargins = 2 * du.X(7) + 2 * lines_->frameWidth() + metrics.averageCharWidth() * 2 +
                                lines_->verticalScrollBar()->sizeHint().width();
    int width = std::max(du.X(300), longest + frameAndMargins);
    if (!available.isEmpty())
        width = std::min(width, available.width() * 4 / 5);
    resize(QSize(width, du.Y(200)).expandedTo(minimumSizeHint()));
    if (mainWindow && !available.isEmpty())
        move(
            PlaceBeside(mainWindow->frameGeometry(), frameGeometry().size(), available, list.mostlyLeftPane));
    lines_->setFocus(Qt::OtherFocusReason);
    // Opens at the first line, chosen: the same whether or not the list gets the focus.
    if (lines_->count() > 0)
        lines_->setCurrentRow(0);
}

} // namespace tessaro

#include "app/qt/SetListPrinting.h"

#include "app/SetListPages.h"
#include "app/qt/QtProgress.h"
#include "common/Progress.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <array>

namespace tessaro {

namespace {

constexpr qreal kBodyPoints = 12; // read from a music stand
constexpr qreal kHeaderPoints = 9;
constexpr qreal kHeadingScale = 1.5;
constexpr int kPdfDpi = 300;
// The columns' shares of the width: title, style, tempo, R1 voice.
constexpr std::array<qreal, 4> kColumnShares = {0.30, 0.23, 0.11, 0.36};

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

QString Q(Caption id)
{
    return Q(Tr(id));
}

// Fonts, heights and columns of a page on one device, in its units.
struct PageLayout
{
    QFont body;
    QFont header;
    QFont heading;
    QRectF page;
    qreal headerHeight = 0;
    qreal headingLine = 0; // the category's name above its column heads
    qreal pad = 0;         // between the columns
    SetListMetrics metrics;
    std::array<QRectF, 4> columns; // x and width; y and height per row
};

PageLayout LayoutFor(QPaintDevice& device)
{
    PageLayout layout;
    layout.body.setPointSizeF(kBodyPoints);
    layout.header.setPointSizeF(kHeaderPoints);
    layout.heading = layout.body;
    layout.heading.setBold(true);
    layout.heading.setPointSizeF(kBodyPoints * kHeadingScale);
    layout.page = QRectF(0, 0, device.width(), device.height());

    const QFontMetricsF body(layout.body, &device);
    layout.headerHeight = QFontMetricsF(layout.header, &device).height() * 2.5;
    layout.headingLine = QFontMetricsF(layout.heading, &device).height() * 1.4;
    layout.pad = body.averageCharWidth();
    layout.metrics.row = body.height() * 1.3;
    layout.metrics.heading = layout.headingLine + layout.metrics.row;
    layout.metrics.gap = layout.metrics.row;
    layout.metrics.body = layout.page.height() - layout.headerHeight;
    qreal x = 0;
    for (std::size_t c = 0; c < kColumnShares.size(); ++c) {
        const qreal width = layout.page.width() * kColumnShares[c];
        layout.columns[c] = QRectF(x, 0, width, 0);
        x += width;
    }
    return layout;
}

// One line of four cells; a text too long for its cell ends in "...".
void PaintCells(QPainter& painter, const PageLayout& layout, qreal y, const std::array<QString, 4>& cells,
                qreal indent = 0)
{
    const QFontMetricsF metrics(painter.font(), painter.device());
    for (std::size_t c = 0; c < cells.size(); ++c) {
        QRectF cell = layout.columns[c];
        cell.setTop(y);
        cell.setHeight(layout.metrics.row);
        // The tempo keeps to the right of its cell, the voice keeps its distance from it.
        const bool tempo = c == 2;
        cell.adjust(c == 0 ? indent : layout.pad, 0, tempo ? 0 : -layout.pad, 0);
        const Qt::Alignment align = (tempo ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
        painter.drawText(cell, align, metrics.elidedText(cells[c], Qt::ElideRight, cell.width()));
    }
}

void PaintHeading(QPainter& painter, const PageLayout& layout, qreal y, const SetListRow& category)
{
    painter.save();
    painter.setFont(layout.heading);
    const QFontMetricsF metrics(layout.heading, painter.device());
    painter.drawText(QRectF(0, y, layout.page.width(), layout.headingLine), Qt::AlignLeft | Qt::AlignBottom,
                     metrics.elidedText(Q(category.title), Qt::ElideRight, layout.page.width()));
    QFont heads = layout.body;
    heads.setBold(true);
    painter.setFont(heads);
    const qreal headsTop = y + layout.headingLine;
    PaintCells(painter, layout, headsTop,
               {Q(Caption::SetListTitle), Q(Caption::SetListStyle), Q(Caption::SetListTempo),
                Q(Caption::SetListVoice)});
    const qreal rule = headsTop + layout.metrics.row;
    painter.drawLine(QPointF(0, rule), QPointF(layout.page.width(), rule));
    painter.restore();
}

void PaintEntry(QPainter& painter, const PageLayout& layout, qreal y, const SetListRow& row)
{
    // A sub entry is a variant of the song above it: indented, in italics.
    QFont title = layout.body;
    title.setBold(!row.subEntry);
    title.setItalic(row.subEntry);
    painter.setFont(title);
    const qreal indent = row.subEntry ? layout.pad * 4 : 0;
    const QFontMetricsF metrics(title, painter.device());
    QRectF cell = layout.columns[0];
    cell.setTop(y);
    cell.setHeight(layout.metrics.row);
    cell.adjust(indent, 0, -layout.pad, 0);
    painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter,
                     metrics.elidedText(Q(row.title), Qt::ElideRight, cell.width()));
    painter.setFont(layout.body);
    PaintCells(painter, layout, y, {QString(), Q(row.style), Q(row.tempo), Q(row.voice)});
}

void PaintHeader(QPainter& painter, const PageLayout& layout, const QString& file, const QString& page)
{
    painter.save();
    painter.setFont(layout.header);
    const QFontMetricsF metrics(layout.header, painter.device());
    const QRectF line(0, 0, layout.page.width(), metrics.height());
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                     metrics.elidedText(file, Qt::ElideMiddle, layout.page.width() * 0.7));
    painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, page);
    const qreal rule = line.bottom() + metrics.height() * 0.25;
    painter.drawLine(QPointF(0, rule), QPointF(layout.page.width(), rule));
    painter.restore();
}

void PaintPage(QPainter& painter, const PageLayout& layout, const SetList& list, const SetListPage& page)
{
    qreal y = layout.headerHeight;
    if (page.repeatedHeading != kNoHeading) {
        PaintHeading(painter, layout, y, list.rows[page.repeatedHeading]);
        y += layout.metrics.heading;
    }
    for (std::size_t i = page.first; i < page.end; ++i) {
        const SetListRow& row = list.rows[i];
        if (row.category) {
            if (i > page.first)
                y += layout.metrics.gap;
            PaintHeading(painter, layout, y, row);
            y += layout.metrics.heading;
        } else {
            PaintEntry(painter, layout, y, row);
            y += layout.metrics.row;
        }
    }
}

void SetUpPdf(QPdfWriter& writer, const SetList& list)
{
    writer.setResolution(kPdfDpi);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(15, 12, 15, 15), QPageLayout::Millimeter);
    writer.setTitle(Q(list.fileName));
    writer.setCreator(QStringLiteral("Tessaro"));
}

} // namespace

int SetListPageCount(QPagedPaintDevice& device, const SetList& list)
{
    return static_cast<int>(PaginateSetList(list, LayoutFor(device).metrics).size());
}

int PaintSetList(QPagedPaintDevice& device, const SetList& list, Progress* progress, bool* cancelled)
{
    if (cancelled)
        *cancelled = false;
    const PageLayout layout = LayoutFor(device);
    const std::vector<SetListPage> pages = PaginateSetList(list, layout.metrics);
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    const ProgressScope scope(progress, Caption::ProgressPages, pages.size());
    const QString file = Q(list.fileName);
    const std::string count = std::to_string(pages.size());
    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (progress && progress->Step(p)) {
            if (cancelled)
                *cancelled = true;
            // A printer drops what it was given; a file is thrown away by its caller.
            if (auto* printer = dynamic_cast<QPrinter*>(&device))
                printer->abort();
            painter.end();
            return 0;
        }
        if (p > 0 && !device.newPage())
            return 0;
        PaintHeader(painter, layout, file, Q(FillArgs(Tr(Caption::SetListPage), {std::to_string(p + 1), count})));
        PaintPage(painter, layout, list, pages[p]);
    }
    return painter.end() ? static_cast<int>(pages.size()) : 0;
}

QByteArray SetListPdf(const SetList& list, Progress* progress, bool* cancelled)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    int pages = 0;
    {
        QPdfWriter writer(&buffer);
        SetUpPdf(writer, list);
        pages = PaintSetList(writer, list, progress, cancelled);
    } // the writer finishes the file here
    return pages > 0 ? bytes : QByteArray();
}

std::size_t QtSetListRenderer::PageCount(const SetList& list)
{
    QBuffer nowhere;
    nowhere.open(QIODevice::WriteOnly);
    QPdfWriter writer(&nowhere);
    SetUpPdf(writer, list);
    return static_cast<std::size_t>(SetListPageCount(writer, list));
}

std::string QtSetListRenderer::Pdf(const SetList& list)
{
    const QByteArray bytes = SetListPdf(list, progress_, &cancelled_);
    return bytes.toStdString();
}

bool PrintSetList(QWidget* parent, const SetList& list, Prompts& prompts)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(Q(list.fileName));
    if (!ConfirmSetListPages(static_cast<std::size_t>(SetListPageCount(printer, list)), prompts))
        return true;
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return true; // nothing asked of the printer
    QtProgress progress(parent);
    bool cancelled = false;
    return PaintSetList(printer, list, &progress, &cancelled) > 0 || cancelled;
}

void PreviewSetList(QWidget* parent, const SetList& list, Prompts& prompts)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(Q(list.fileName));
    if (!ConfirmSetListPages(static_cast<std::size_t>(SetListPageCount(printer, list)), prompts))
        return;
    QPrintPreviewDialog preview(&printer, parent);
    // The preview is modal: the progress of its pages stands over it, not over the window below.
    QtProgress progress(&preview);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&list, &progress](QPrinter* target) { PaintSetList(*target, list, &progress); });
    preview.resize(parent ? parent->size() : QSize(900, 1000));
    preview.exec();
}

} // namespace tessaro

#include "app/qt/SetListPrinting.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>

namespace tessaro {

namespace {

constexpr qreal kBodyPoints = 12; // read from a music stand
constexpr qreal kHeaderPoints = 9;
constexpr int kPdfDpi = 300;

QString Q(const std::string& text)
{
    return QString::fromStdString(text).toHtmlEscaped();
}

QString Q(Caption id)
{
    return Q(Tr(id));
}

// The category's name over the column heads, both repeated on every page the
// category runs onto, so that a heading never stands alone at a page's foot.
QString TableHead(const QString& category)
{
    return QStringLiteral("<thead><tr><td colspan=4><h2>%1</h2></td></tr><tr>"
                          "<th align=left width=30%>%2</th><th align=left width=23%>%3</th>"
                          "<th align=right width=11%>%4</th><th align=left width=36%>&nbsp;&nbsp;%5</th>"
                          "</tr></thead>")
        .arg(category, Q(Caption::SetListTitle), Q(Caption::SetListStyle), Q(Caption::SetListTempo),
             Q(Caption::SetListVoice));
}

QString EntryRow(const SetListRow& row)
{
    // A sub entry is a variant of the song above it: indented, in italics.
    const QString title = row.subEntry ? QStringLiteral("&nbsp;&nbsp;&nbsp;&nbsp;<i>%1</i>").arg(Q(row.title))
                                       : QStringLiteral("<b>%1</b>").arg(Q(row.title));
    return QStringLiteral("<tr><td>%1</td><td>%2</td><td align=right>%3</td>"
                          "<td style=\"white-space: nowrap\">&nbsp;&nbsp;%4</td></tr>")
        .arg(title, Q(row.style), Q(row.tempo), Q(row.voice));
}

void PaintHeader(QPainter& painter, const QRectF& band, const QString& file, const QString& page)
{
    painter.save();
    QFont font = painter.font();
    font.setPointSizeF(kHeaderPoints);
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const QRectF line(band.left(), band.top(), band.width(), metrics.height());
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                     metrics.elidedText(file, Qt::ElideMiddle, band.width() * 0.7));
    painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, page);
    const qreal rule = line.bottom() + metrics.height() * 0.25;
    painter.drawLine(QPointF(band.left(), rule), QPointF(band.right(), rule));
    painter.restore();
}

} // namespace

QString SetListHtml(const SetList& list)
{
    QString html = QStringLiteral("<html><body>");
    bool tableOpen = false;
    for (const SetListRow& row : list.rows) {
        if (row.category) {
            if (tableOpen)
                html += QStringLiteral("</table><p>&nbsp;</p>"); // air between the categories
            html +=
                QStringLiteral("<table width=100% cellspacing=0 cellpadding=2>") + TableHead(Q(row.title));
            tableOpen = true;
        } else {
            html += EntryRow(row);
        }
    }
    if (tableOpen)
        html += QStringLiteral("</table>");
    return html + QStringLiteral("</body></html>");
}

int PaintSetList(QPagedPaintDevice& device, const SetList& list)
{
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    QFont body = painter.font();
    body.setPointSizeF(kBodyPoints);
    QFont header = body;
    header.setPointSizeF(kHeaderPoints);
    const qreal headerHeight = QFontMetricsF(header, &device).height() * 2.5;
    const QRectF page(0, 0, device.width(), device.height());
    const qreal bodyHeight = page.height() - headerHeight;

    QTextDocument document;
    document.documentLayout()->setPaintDevice(&device); // fonts in points, at the device's resolution
    document.setDefaultFont(body);
    document.setDocumentMargin(0);
    document.setPageSize(QSizeF(page.width(), bodyHeight));
    document.setHtml(SetListHtml(list));

    const int pages = document.pageCount();
    const QString file = QString::fromStdString(list.fileName);
    for (int p = 0; p < pages; ++p) {
        if (p > 0 && !device.newPage())
            return 0;
        PaintHeader(painter, page, file,
                    QString::fromStdString(
                        FillArgs(Tr(Caption::SetListPage), {std::to_string(p + 1), std::to_string(pages)})));
        painter.save();
        painter.translate(0, headerHeight - p * bodyHeight);
        document.drawContents(&painter, QRectF(0, p * bodyHeight, page.width(), bodyHeight));
        painter.restore();
    }
    return painter.end() ? pages : 0;
}

QByteArray SetListPdf(const SetList& list)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    int pages = 0;
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfDpi);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 12, 15, 15), QPageLayout::Millimeter);
        writer.setTitle(QString::fromStdString(list.fileName));
        writer.setCreator(QStringLiteral("Tessaro"));
        pages = PaintSetList(writer, list);
    } // the writer finishes the file here
    return pages > 0 ? bytes : QByteArray();
}

std::string QtSetListRenderer::Pdf(const SetList& list)
{
    const QByteArray bytes = SetListPdf(list);
    return bytes.toStdString();
}

bool PrintSetList(QWidget* parent, const SetList& list)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(list.fileName));
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return true; // nothing asked of the printer
    return PaintSetList(printer, list) > 0;
}

void PreviewSetList(QWidget* parent, const SetList& list)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(list.fileName));
    QPrintPreviewDialog preview(&printer, parent);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&list](QPrinter* target) { PaintSetList(*target, list); });
    preview.resize(parent ? parent->size() : QSize(900, 1000));
    preview.exec();
}

} // namespace tessaro

#pragma once
// A set list laid out on paper: a header on every page with the file's name
// and "Page n of m", then each category as a heading over a table of its
// entries (title, style, tempo, R1 voice) whose column heads repeat on every
// page. The printer, the preview and the PDF file all paint the same pages.

#include "app/SetListCommands.h"

#include <QByteArray>
#include <QString>

class QPagedPaintDevice;
class QWidget;

namespace tessaro {

// The page body as HTML, in the current language.
QString SetListHtml(const SetList& list);
// Paints every page on the device (which must be fresh); the number of pages,
// 0 when the device could not be painted on.
int PaintSetList(QPagedPaintDevice& device, const SetList& list);
// A whole PDF file of A4 pages; empty when it could not be made.
QByteArray SetListPdf(const SetList& list);

class QtSetListRenderer final : public SetListRenderer
{
public:
    std::string Pdf(const SetList& list) override;
};

// The desktop's print dialog, then the pages to the printer chosen. False
// when the printer (or the file the dialog chose) could not take them.
bool PrintSetList(QWidget* parent, const SetList& list);
// The print preview, from which the user may print.
void PreviewSetList(QWidget* parent, const SetList& list);

} // namespace tessaro

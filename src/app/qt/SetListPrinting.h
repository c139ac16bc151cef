#pragma once
// A set list laid out on paper: a header on every page with the file's name
// and "Page n of m", then each category as a heading over its column heads and
// its entries (title, style, tempo, R1 voice), one line each; a page that
// begins inside a category repeats its heading. The printer, the preview and
// the PDF file all paint the same pages, page by page, with progress and
// Cancel for a long list; one of more than a few hundred pages asks first.

#include "app/SetListCommands.h"

#include <QByteArray>
#include <QString>

class QPagedPaintDevice;
class QWidget;

namespace tessaro {

class Progress;

// The number of pages the set list fills on the device, without painting.
int SetListPageCount(QPagedPaintDevice& device, const SetList& list);
// Paints every page on the device (which must be fresh); the number of pages,
// 0 when the device could not be painted on or the user cancelled (then
// `cancelled` is set). `progress` may be nullptr.
int PaintSetList(QPagedPaintDevice& device, const SetList& list, Progress* progress = nullptr,
                 bool* cancelled = nullptr);
// A whole PDF file of A4 pages; empty when it could not be made or was cancelled.
QByteArray SetListPdf(const SetList& list, Progress* progress = nullptr, bool* cancelled = nullptr);

class QtSetListRenderer final : public SetListRenderer
{
public:
    // The progress of laying the pages out; it must outlive the renderer (nullptr: none).
    explicit QtSetListRenderer(Progress* progress = nullptr) : progress_(progress) {}
    std::size_t PageCount(const SetList& list) override;
    std::string Pdf(const SetList& list) override;
    bool Cancelled() const override { return cancelled_; }

private:
    Progress* progress_;
    bool cancelled_ = false;
};

// Asks first when the list is very long, then the desktop's print dialog,
// then the pages to the printer chosen. False when the printer (or the file
// the dialog chose) could not take them; true when done, declined or cancelled.
bool PrintSetList(QWidget* parent, const SetList& list, Prompts& prompts);
// Asks first when the list is very long, then the print preview, from which the user may print.
void PreviewSetList(QWidget* parent, const SetList& list, Prompts& prompts);

} // namespace tessaro

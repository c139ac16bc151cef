#pragma once
// The list a tool shows (differences, keyboard findings, duplicates, the faults
// of a CSV file): a summary above the lines. Choosing a line, by click, arrow
// key or Enter, has the host select what it stands for in the main window,
// and the list stays open beside it until closed. Copy puts the whole list on
// the clipboard.

#include <QDialog>
#include <QPoint>
#include <QRect>
#include <QSize>

class QLabel;
class QListWidget;

namespace tessaro {

struct ResultList;
class ResultListHost;

class CResultListDlg : public QDialog
{
    Q_OBJECT
public:
    CResultListDlg(const ResultList& list, ResultListHost& host, QWidget* mainWindow);

    QListWidget* Lines() const { return lines_; }

    // Top-left corner that keeps the main window's panes in sight: right of
    // the main window where the screen has room, else left of it, else at the
    // screen's edge over the pane the lines do not point into.
    static QPoint PlaceBeside(const QRect& mainWindowFrame, const QSize& dialogFrame, const QRect& screen,
                              bool keepLeftPaneClear);

private:
    ResultListHost& host_;
    QLabel* summary_ = nullptr;
    QListWidget* lines_ = nullptr;
};

} // namespace tessaro

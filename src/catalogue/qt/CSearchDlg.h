#pragma once
// "Search": each press of Search runs one search step in the searched pane;
// an empty text closes the dialog. It opens beside the pane it searches.

#include <QDialog>
#include <QPoint>
#include <QRect>

class QLineEdit;

namespace tessaro {

class Prompts;
class SearchHost;

class CSearchDlg : public QDialog
{
    Q_OBJECT
public:
    // mainWindow: the window whose pane is searched; the dialog is placed by it.
    CSearchDlg(SearchHost& host, Prompts& prompts, QWidget* mainWindow);

    // The text of the last press (UTF-8); empty for every new dialog.
    QString SearchText() const { return searchText_; }

    // Top-left corner beside the searched pane: 50 pixels in from the main
    // window's right edge for the left pane, from its left edge for the right
    // pane, 80 pixels below its top; never negative.
    static QPoint PlaceBeside(const QRect& mainWindowFrame, int dialogWidth, bool leftPaneSearched);

private:
    void OnSearch();

    SearchHost& host_;
    Prompts& prompts_;
    QString searchText_;
    QLineEdit* edit_ = nullptr;
};

} // namespace tessaro

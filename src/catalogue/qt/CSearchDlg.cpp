#include "catalogue/qt/CSearchDlg.h"

#include "catalogue/qt/RecordText.h"
#include "catalogue/qt/Win1252Validator.h"
#include "common/Prompts.h"
#include "common/Texts.h"
#include "common/qt/DialogUnits.h"
#include "common/qt/TextFit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace tessaro {

namespace {
constexpr int kMarginX = 50;
constexpr int kMarginTop = 80;
} // namespace

QPoint CSearchDlg::PlaceBeside(const QRect& mainWindowFrame, int dialogWidth, bool leftPaneSearched)
{
    const int mainRight = mainWindowFrame.x() + mainWindowFrame.width(); // one past the last pixel
    const int left = leftPaneSearched ? mainRight - dialogWidth - kMarginX : mainWindowFrame.x() + kMarginX;
    const int top = mainWindowFrame.y() + kMarginTop;
    return {std::max(0, left), std::max(0, top)};
}

CSearchDlg::CSearchDlg(SearchHost& host, Prompts& prompts, QWidget* mainWindow)
    : QDialog(mainWindow), host_(host), prompts_(prompts)
{
    setWindowTitle(QString::fromStdString(Tr(Caption::Search)));
    const DialogUnits du(*this);

    auto* label = new QLabel(QString::fromStdString(Tr(Caption::SearchLabel)), this);
    du.Place(label, 7, 10, 36, 8);
    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("searchText"));
    LimitToRecordText(edit_, 0); // searched in record texts: Windows-1252 only
    du.Place(edit_, 45, 8, 110, 12);
    label->setBuddy(edit_);
    FitLabelBeside(*label, *edit_);

    auto* search = new QPushButton(QString::fromStdString(Tr(Caption::Search)), this);
    search->setObjectName(QStringLiteral("search"));
    search->setDefault(true);
    du.Place(search, 163, 7, 50, 14);
    auto* cancel = new QPushButton(QString::fromStdString(Tr(Caption::Cancel)), this);
    du.Place(cancel, 163, 25, 50, 14);
    connect(search, &QPushButton::clicked, this, &CSearchDlg::OnSearch);
    connect(cancel, &QPushButton::clicked, this, &CSearchDlg::reject);

    setFixedSize(du.Size(220, 46));
    if (mainWindow)
        move(PlaceBeside(mainWindow->frameGeometry(), frameGeometry().width(), host_.SearchesLeftPane()));
    edit_->setFocus(Qt::OtherFocusReason);
}

void CSearchDlg::OnSearch()
{
    searchText_ = edit_->text();
    if (searchText_.isEmpty()) {
        accept();
        return;
    }
    if (!host_.SearchStep(ToRecordText(searchText_)))
        prompts_.Warn(Msg::TextNotFound);
}

} // namespace tessaro

#include "catalogue/qt/CCategoryDlg.h"

#include "catalogue/qt/FieldCheck.h"
#include "catalogue/qt/RecordText.h"
#include "catalogue/qt/Win1252Validator.h"
#include "common/Texts.h"
#include "common/qt/DialogUnits.h"
#include "common/qt/TextFit.h"
#include "data/ReadableName.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace tessaro {

namespace {
constexpr int kNameLimit = 16;
}

CCategoryDlg::CCategoryDlg(Prompts& prompts, QWidget* parent) : QDialog(parent), prompts_(prompts)
{
    setWindowTitle(QString::fromStdString(Tr(Caption::CategoryDlgTitle)));
    const DialogUnits du(*this);

    auto* label = new QLabel(QString::fromStdString(Tr(Caption::CategoryLabel)), this);
    du.Place(label, 7, 10, 40, 8);
    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("name"));
    LimitToRecordText(edit_, kNameLimit);
    du.Place(edit_, 49, 8, 76, 12);
    label->setBuddy(edit_);
    FitLabelBeside(*label, *edit_);
    // Wide enough for 16 of the widest letters; the buttons and the dialog make way.
    const int wider = std::max(0, FieldWidth(*edit_, QString(kNameLimit, QLatin1Char('W'))) - edit_->width());
    edit_->resize(edit_->width() + wider, edit_->height());

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    du.Place(ok, 133, 7, 50, 14);
    auto* cancel = new QPushButton(QString::fromStdString(Tr(Caption::Cancel)), this);
    du.Place(cancel, 133, 25, 50, 14);
    ok->move(ok->x() + wider, ok->y());
    cancel->move(cancel->x() + wider, cancel->y());
    connect(ok, &QPushButton::clicked, this, &CCategoryDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CCategoryDlg::reject);

    setFixedSize(du.X(190) + wider, du.Y(46));
    edit_->setFocus(Qt::OtherFocusReason);
}

void CCategoryDlg::SetName(const std::string& name)
{
    name_ = name;
    edit_->setText(FromRecordText(ReadableName(name)));
    edit_->selectAll();
}

void CCategoryDlg::accept()
{
    QString text;
    if (!FieldCheck(prompts_).MaxChars(edit_, kNameLimit, text))
        return;
    name_ = StoredNameAfterEdit(name_, ToRecordText(text));
    QDialog::accept();
}

} // namespace tessaro

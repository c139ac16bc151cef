#include "catalogue/qt/CCategoryDlg.h"

#include "common/Texts.h"
#include "common/qt/DialogUnits.h"
#include "catalogue/qt/FieldCheck.h"
#include "catalogue/qt/RecordText.h"
#include "catalogue/qt/Win1252Validator.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    du.Place(ok, 133, 7, 50, 14);
    auto* cancel = new QPushButton(QString::fromStdString(Tr(Caption::Cancel)), this);
    du.Place(cancel, 133, 25, 50, 14);
    connect(ok, &QPushButton::clicked, this, &CCategoryDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CCategoryDlg::reject);

    setFixedSize(du.Size(190, 46));
    edit_->setFocus(Qt::OtherFocusReason);
}

void CCategoryDlg::SetName(const std::string& name)
{
    name_ = name;
    edit_->setText(FromRecordText(name));
    edit_->selectAll();
}

void CCategoryDlg::accept()
{
    QString text;
    if (!FieldCheck(prompts_).MaxChars(edit_, kNameLimit, text))
        return;
    name_ = ToRecordText(text);
    QDialog::accept();
}

} // namespace tessaro

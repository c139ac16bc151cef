#include "catalogue/qt/CKeyboardDlg.h"

#include "common/Texts.h"
#include "common/qt/DialogUnits.h"
#include "common/qt/TextFit.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace tessaro {

CKeyboardDlg::CKeyboardDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QString::fromStdString(Tr(Caption::KeyboardDlgTitle)));
    const DialogUnits du(*this);

    auto* label = new QLabel(QStringLiteral("Keyboard:"), this);
    du.Place(label, 7, 10, 36, 8);
    list_ = new QComboBox(this);
    list_->setObjectName(QStringLiteral("model"));
    list_->addItems({QStringLiteral("PSR9000"), QStringLiteral("9000Pro")}); // row + 1 is the model
    list_->setCurrentIndex(-1);
    const QRect row = du.Rect(45, 8, 80, 12);
    const int height = list_->sizeHint().height();
    list_->setGeometry(row.x(), row.y() + (row.height() - height) / 2, row.width(), height);
    label->setBuddy(list_);
    FitLabelBeside(*label, *list_);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setDefault(true);
    ok_->setEnabled(false); // a new MDB needs a model: OK waits for a choice
    connect(list_, &QComboBox::currentIndexChanged, this, [this](int row) { ok_->setEnabled(row >= 0); });
    du.Place(ok_, 133, 7, 50, 14);
    auto* cancel = new QPushButton(QString::fromStdString(Tr(Caption::Cancel)), this);
    du.Place(cancel, 133, 25, 50, 14);
    connect(ok_, &QPushButton::clicked, this, &CKeyboardDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CKeyboardDlg::reject);

    setFixedSize(du.Size(190, 46));
    list_->setFocus(Qt::OtherFocusReason);
}

void CKeyboardDlg::SetModel(int model)
{
    model_ = model;
    list_->setCurrentIndex(model >= 1 && model <= list_->count() ? model - 1 : -1);
}

void CKeyboardDlg::accept()
{
    if (list_->currentIndex() < 0)
        return; // reached without a choice (Return on the list): nothing to accept
    model_ = list_->currentIndex() + 1;
    QDialog::accept();
}

} // namespace tessaro

#include "app/qt/CLanguageDlg.h"

#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "common/Texts.h"
#include "common/qt/DialogUnits.h"

#include <QButtonGroup>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace tessaro {

namespace {

constexpr int kGerman = 0;
constexpr int kEnglish = 1;

QString Q(Caption id)
{
    return QString::fromStdString(Tr(id));
}

} // namespace

CLanguageDlg::CLanguageDlg(SettingsStore& settings, QWidget* parent) : QDialog(parent), settings_(settings)
{
    setWindowTitle(Q(Caption::LanguageDlgTitle));
    const DialogUnits du(*this);

    auto* prompt = new QLabel(Q(Caption::LanguagePrompt), this);
    prompt->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    // The texts get the dialog's whole width: fonts here run wider than the one
    // the layout was drawn for, and a centred text keeps its place anyway.
    du.Place(prompt, 5, 9, 176, 19);

    radios_ = new QButtonGroup(this);
    auto* german = new QRadioButton(Q(Caption::LanguageGerman), this);
    german->setObjectName(QStringLiteral("german"));
    du.Place(german, 72, 34, 110, 10);
    radios_->addButton(german, kGerman);
    auto* english = new QRadioButton(Q(Caption::LanguageEnglish), this);
    english->setObjectName(QStringLiteral("english"));
    du.Place(english, 72, 47, 110, 10);
    radios_->addButton(english, kEnglish);
    connect(radios_, &QButtonGroup::idClicked, this, &CLanguageDlg::OnChoice);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("ok"));
    ok_->setDefault(true);
    ok_->setEnabled(false);
    du.Place(ok_, 68, 70, 50, 14);
    connect(ok_, &QPushButton::clicked, this, &CLanguageDlg::accept);

    auto* note = new QLabel(Q(Caption::LanguageAskedOnce), this);
    note->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    du.Place(note, 5, 98, 176, 18);

    setFixedSize(du.Size(186, 119));
}

void CLanguageDlg::OnChoice()
{
    choice_ = radios_->checkedId();
    if (choice_ != -1)
        ok_->setEnabled(true);
}

void CLanguageDlg::accept()
{
    choice_ = radios_->checkedId();
    if (choice_ == -1)
        return;
    settings_.WriteString(settings::kSection, settings::kLanguage,
                          choice_ == kGerman ? settings::kLanguageGerman : settings::kLanguageEnglish);
    QDialog::accept();
}

} // namespace tessaro

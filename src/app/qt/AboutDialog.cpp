#include "app/qt/AboutDialog.h"

#include "app/qt/ReleaseDate.h"
#include "common/Texts.h"
#include "common/qt/PlainButtons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

#ifndef TESSARO_VERSION
#define TESSARO_VERSION "0"
#endif

namespace tessaro {

namespace {

QString Q(Caption id)
{
    return QString::fromStdString(Tr(id));
}

QLabel* Line(QWidget* parent, const QString& text, const char* name)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

QDialog* CreateAboutDialog(QWidget* parent)
{
    auto* dialog = new QDialog(parent);
    dialog->setObjectName(QStringLiteral("aboutDialog"));
    dialog->setWindowTitle(Q(Caption::AboutTitle));
    auto* layout = new QVBoxLayout(dialog);

    QLabel* name = Line(dialog, QStringLiteral("Tessaro"), "programName");
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    name->setFont(big);
    layout->addWidget(name);
    layout->addWidget(Line(dialog, Q(Caption::AboutWhat), "whatItIs"));
    layout->addWidget(Line(dialog,
                           QString::fromStdString(FillArgs(Tr(Caption::AboutVersion), {TESSARO_VERSION})),
                           "versionLine"));
    layout->addWidget(Line(dialog,
                           QString::fromStdString(FillArgs(Tr(Caption::AboutReleased),
                                                           {ReleaseDateText(IsGerman()).toStdString()})),
                           "releaseLine"));
    layout->addWidget(Line(dialog, Q(Caption::AboutLicence), "licenceLine"));

    auto* buttons = new QDialogButtonBox(dialog);
    QPushButton* close = buttons->addButton(Q(Caption::Close), QDialogButtonBox::AcceptRole);
    close->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    RemoveStockButtonIcons(*dialog);
    // Wide enough for the one line of what it is, not the whole screen.
    dialog->setMinimumWidth(dialog->fontMetrics().averageCharWidth() * 60);
    return dialog;
}

void ShowAboutDialog(QWidget* parent)
{
    const std::unique_ptr<QDialog> dialog(CreateAboutDialog(parent));
    dialog->exec();
}

} // namespace tessaro

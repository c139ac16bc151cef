// The modern window's Preferences dialog: the language, the layout and the
// two file options. Language and layout take effect at the next start and
// say so; the options act at once, as their menu items do.
#include "app/qt/ModernWindow.h"

#include "app/SettingsKeys.h"
#include "app/WindowLayout.h"
#include "app/qt/LayoutMenu.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QStatusBar>
#include <QVBoxLayout>

namespace tessaro {

namespace {

QString Q(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

// A note under a choice, in the dialog's smaller, quieter text.
QLabel* Note(ModernText id, QWidget* parent)
{
    auto* note = new QLabel(Q(Tr(id)), parent);
    note->setWordWrap(true);
    note->setEnabled(false);
    return note;
}

} // namespace

void CModernWindow::ShowPreferences()
{
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("preferencesDialog"));
    dialog.setWindowTitle(Q(Tr(ModernText::PreferencesTitle)));
    auto* form = new QFormLayout;

    auto* language = new QComboBox(&dialog);
    language->setObjectName(QStringLiteral("languageChoice"));
    // Each language named in itself, as the language dialog does.
    language->addItem(QStringLiteral("English"), QLatin1String(settings::kLanguageEnglish));
    language->addItem(QStringLiteral("Deutsch"), QLatin1String(settings::kLanguageGerman));
    language->setCurrentIndex(IsGerman() ? 1 : 0);
    auto* languageLabel = new QLabel(Q(Tr(ModernText::LanguageLabel)), &dialog);
    languageLabel->setBuddy(language);
    language->setAccessibleName(languageLabel->text().remove(QLatin1Char('&')).remove(QLatin1Char(':')));
    form->addRow(languageLabel, language);
    form->addRow(QString(), Note(ModernText::LanguageAfterRestart, &dialog));

    auto* layout = new QComboBox(&dialog);
    layout->setObjectName(QStringLiteral("layoutChoice"));
    layout->addItem(Q(Tr(ModernText::ModernLayout)).remove(QLatin1Char('&')));
    layout->addItem(Q(Tr(ModernText::ClassicLayout)).remove(QLatin1Char('&')));
    // The layout of the next start: as stored, else this window's.
    const bool storedClassic = settings_.ReadInt(settings::kSection, settings::kLayout, 1) == 0;
    const WindowLayout nextLayout = storedClassic ? WindowLayout::Classic : WindowLayout::Modern;
    layout->setCurrentIndex(nextLayout == WindowLayout::Modern ? 0 : 1);
    auto* layoutLabel = new QLabel(Q(Tr(ModernText::LayoutLabel)), &dialog);
    layoutLabel->setBuddy(layout);
    layout->setAccessibleName(layoutLabel->text().remove(QLatin1Char('&')).remove(QLatin1Char(':')));
    form->addRow(layoutLabel, layout);
    form->addRow(QString(), Note(ModernText::LayoutAfterRestart, &dialog));

    const CommandId optionIds[] = {CommandId::BackupStructure, CommandId::NoNetwork};
    QCheckBox* options[2] = {};
    for (int i = 0; i < 2; ++i) {
        QAction* action = menus_[optionIds[i]];
        options[i] = new QCheckBox(action->text(), &dialog);
        options[i]->setObjectName(QLatin1String(i == 0 ? "backupStructureChoice" : "noNetworkChoice"));
        options[i]->setChecked(action->isChecked());
        options[i]->setEnabled(action->isEnabled());
        form->addRow(QString(), options[i]);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* column = new QVBoxLayout(&dialog);
    column->addLayout(form);
    column->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return;

    bool restartNeeded = false;
    bool languageChanged = false;
    const std::string chosenLanguage = language->currentData().toString().toStdString();
    if ((chosenLanguage == settings::kLanguageGerman) != IsGerman()) {
        settings_.WriteString(settings::kSection, settings::kLanguage, chosenLanguage);
        restartNeeded = languageChanged = true;
    }
    const WindowLayout chosenLayout =
        layout->currentIndex() == 0 ? WindowLayout::Modern : WindowLayout::Classic;
    if (chosenLayout != nextLayout) {
        layoutMenu_->ShowChoice(chosenLayout);
        settings_.WriteInt(settings::kSection, settings::kLayout,
                           chosenLayout == WindowLayout::Modern ? 1 : 0);
        restartNeeded = true;
    }
    if (restartNeeded)
        settings_.Flush();
    for (int i = 0; i < 2; ++i) {
        QAction* action = menus_[optionIds[i]];
        if (options[i]->isChecked() != action->isChecked() && action->isEnabled())
            action->trigger(); // toggles the option and runs its command with the new state
    }
    if (restartNeeded)
        statusBar()->showMessage(
            Q(Tr(languageChanged ? ModernText::LanguageAfterRestart : ModernText::LayoutAfterRestart)));
}

} // namespace tessaro

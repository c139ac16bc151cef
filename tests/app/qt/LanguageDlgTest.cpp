// The language dialog: OK waits for a choice, OK stores it, Escape stores nothing.

#include "app/SettingsKeys.h"
#include "app/qt/CLanguageDlg.h"
#include "common/Texts.h"
#include "support/MapSettingsStore.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace tessaro;

namespace {

// Clicks the radio button on its indicator, as a user would.
void ClickRadio(const QDialog& dialog, const QString& name)
{
    auto* radio = dialog.findChild<QRadioButton*>(name);
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
}

std::optional<std::string> StoredLanguage(const MapSettingsStore& store)
{
    return store.StringValue(settings::kSection, settings::kLanguage);
}

} // namespace

class LanguageDlgTest : public QObject
{
    Q_OBJECT

private slots:
    void okWaitsForAChoice()
    {
        MapSettingsStore store;
        CLanguageDlg dialog(store);
        auto* ok = dialog.findChild<QPushButton*>("ok");
        QVERIFY(!ok->isEnabled());
        QCOMPARE(dialog.Choice(), -1);
        for (const QRadioButton* radio : dialog.findChildren<QRadioButton*>())
            QVERIFY(!radio->isChecked());

        dialog.accept(); // reached anyway: ignored
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(store.Count(), std::size_t(0));

        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        ClickRadio(dialog, "english");
        QVERIFY(ok->isEnabled());
        QCOMPARE(dialog.Choice(), 1);
    }

    void okStoresTheChoice_data()
    {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<QString>("stored");
        QTest::newRow("German") << "german"
                                << "G";
        QTest::newRow("English") << "english"
                                 << "E";
    }
    void okStoresTheChoice()
    {
        QFETCH(QString, radio);
        QFETCH(QString, stored);
        MapSettingsStore store;
        CLanguageDlg dialog(store);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        ClickRadio(dialog, "english");
        ClickRadio(dialog, radio);
        QTest::mouseClick(dialog.findChild<QPushButton*>("ok"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(StoredLanguage(store), std::optional<std::string>(stored.toStdString()));
        QCOMPARE(store.Count(), std::size_t(1));
    }

    void escapeStoresNothing()
    {
        MapSettingsStore store;
        CLanguageDlg dialog(store);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        ClickRadio(dialog, "german");
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(store.Count(), std::size_t(0));
    }

    void textsAreBilingualInThemselves()
    {
        SetUiLanguage(UiLanguage::German);
        MapSettingsStore store;
        CLanguageDlg dialog(store);
        QCOMPARE(dialog.windowTitle(), QString("Choose Language"));
        QCOMPARE(dialog.findChild<QRadioButton*>("german")->text(), QString("Deutsch (German)"));
        QCOMPARE(dialog.findChild<QRadioButton*>("english")->text(), QString("English"));
        QStringList labels;
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            labels << label->text();
        QVERIFY(labels.contains(QString::fromUtf8(
            "Please choose your favorite language:\nBitte wählen Sie die gewünschte Sprache:")));
        QVERIFY(labels.contains(
            QString("This dialog will not be displayed again.\nDieser Dialog wird nicht mehr angezeigt.")));
        SetUiLanguage(UiLanguage::English);
    }
};

QTEST_MAIN(LanguageDlgTest)
#include "LanguageDlgTest.moc"

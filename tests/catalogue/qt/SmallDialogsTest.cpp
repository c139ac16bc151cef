// The category, keyboard-model and search dialogs.

#include "catalogue/qt/CCategoryDlg.h"
#include "catalogue/qt/CKeyboardDlg.h"
#include "catalogue/qt/CSearchDlg.h"
#include "common/Texts.h"
#include "support/CaptionCheck.h"
#include "support/FakePrompts.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <vector>

using namespace tessaro;

namespace {

// Answers the search steps from a script and records what it was asked.
class ScriptedHost : public SearchHost
{
public:
    bool leftPane = true;
    std::vector<bool> answers;
    std::vector<std::string> asked;

    bool SearchStep(const std::string& text) override
    {
        asked.push_back(text);
        const bool found = asked.size() <= answers.size() && answers[asked.size() - 1];
        return found;
    }
    bool SearchesLeftPane() const override { return leftPane; }
};

QPushButton* ButtonNamed(const QDialog& dialog, const QString& text)
{
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text() == text)
            return button;
    qFatal("no button %s", qPrintable(text));
    return nullptr;
}

QStringList LabelsOf(const QDialog& dialog)
{
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

} // namespace

class SmallDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { SetUiLanguage(UiLanguage::English); }

    void categoryDialogShowsAndReturnsTheNameAsRecordBytes()
    {
        FakePrompts prompts;
        CCategoryDlg dialog(prompts);
        QCOMPARE(dialog.windowTitle(), QString("Edit category"));
        QVERIFY(LabelsOf(dialog).contains("Category:"));
        dialog.SetName("\xC4rger"); // Windows-1252 "Ärger"
        auto* edit = dialog.findChild<QLineEdit*>("name");
        QCOMPARE(edit->text(), QString::fromUtf8("Ärger"));

        edit->setText(QString::fromUtf8("Café €"));
        ButtonNamed(dialog, "OK")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Name(), std::string("Caf\xE9 \x80"));
        QVERIFY(prompts.messages.empty());
    }

    void categoryDialogShowsTheNameAsItReads()
    {
        FakePrompts prompts;
        CCategoryDlg dialog(prompts);
        dialog.SetName("Rock&&Roll");
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("name"));
        QCOMPARE(edit->text(), QString("Rock&Roll"));
        dialog.accept();
        QCOMPARE(dialog.Name(), std::string("Rock&&Roll")); // left as shown: the same bytes
        dialog.SetName("Rock&&Roll");
        edit->setText("Rock&Roll!");
        dialog.accept();
        QCOMPARE(dialog.Name(), std::string("Rock&Roll!"));
    }

    void categoryDialogTakesSixteenCharactersAndAllowsEmpty()
    {
        FakePrompts prompts;
        CCategoryDlg dialog(prompts);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* edit = dialog.findChild<QLineEdit*>("name");
        edit->clear();
        QTest::keyClicks(edit, "ABCDEFGHIJKLMNOPQRST");
        QCOMPARE(edit->text(), QString("ABCDEFGHIJKLMNOP"));
        edit->clear();
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString::fromUtf8("\u0416"), Qt::NoModifier);
        QCOMPARE(edit->text(), QString()); // no Windows-1252 byte for it
        edit->clear();
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Name(), std::string()); // empty names are the caller's concern
    }

    void categoryDialogCancelKeepsTheName()
    {
        FakePrompts prompts;
        CCategoryDlg dialog(prompts);
        dialog.SetName("Pop");
        dialog.findChild<QLineEdit*>("name")->setText("Rock");
        ButtonNamed(dialog, "Cancel")->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(dialog.Name(), std::string("Pop"));
    }

    void categoryDialogInGerman()
    {
        SetUiLanguage(UiLanguage::German);
        FakePrompts prompts;
        CCategoryDlg dialog(prompts);
        QCOMPARE(dialog.windowTitle(), QString("Kategorie bearbeiten"));
        QVERIFY(LabelsOf(dialog).contains("Kategorie:"));
        QVERIFY(ButtonNamed(dialog, "Abbrechen"));
        QVERIFY(ButtonNamed(dialog, "OK"));
    }

    void captionsFitAndTheNameShowsWhole_data()
    {
        QTest::addColumn<bool>("german");
        QTest::newRow("English") << false;
        QTest::newRow("German") << true;
    }
    void captionsFitAndTheNameShowsWhole()
    {
        QFETCH(bool, german);
        SetUiLanguage(german ? UiLanguage::German : UiLanguage::English);
        FakePrompts prompts;
        CCategoryDlg category(prompts);
        QVERIFY(
            testing::ShowsWhole(*category.findChild<QLineEdit*>(QStringLiteral("name")), QString(16, u'W')));
        QCOMPARE(testing::CaptionProblems(category).join("; "), QString());
        CKeyboardDlg keyboard;
        QCOMPARE(testing::CaptionProblems(keyboard).join("; "), QString());
        ScriptedHost host;
        CSearchDlg search(host, prompts, nullptr);
        QCOMPARE(testing::CaptionProblems(search).join("; "), QString());
        const QRect area = category.rect();
        for (const QWidget* child : category.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            QVERIFY2(area.contains(child->geometry()), qPrintable(child->objectName()));
    }

    void keyboardDialogSelectsTheModelsRow()
    {
        CKeyboardDlg dialog;
        auto* list = dialog.findChild<QComboBox*>("model");
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->itemText(0), QString("PSR9000"));
        QCOMPARE(list->itemText(1), QString("9000Pro"));
        QCOMPARE(list->currentIndex(), -1); // model 0: nothing selected
        // OK stays disabled, and Return (or OK reached anyway) does nothing, until a model is chosen.
        QPushButton* ok = ButtonNamed(dialog, "OK");
        QVERIFY(ok);
        QVERIFY(!ok->isEnabled());
        dialog.show();
        QTest::keyClick(list, Qt::Key_Return);
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(dialog.Model(), 0);

        dialog.SetModel(2);
        QVERIFY(ok->isEnabled());
        QCOMPARE(list->currentIndex(), 1);
        list->setCurrentIndex(0);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Model(), 1);

        dialog.SetModel(5); // unknown: no row
        QCOMPARE(list->currentIndex(), -1);
        QVERIFY(!ok->isEnabled());
    }

    void keyboardDialogInGerman()
    {
        SetUiLanguage(UiLanguage::German);
        CKeyboardDlg dialog;
        QCOMPARE(dialog.windowTitle(), QString::fromUtf8("Keyboardtyp auswählen"));
        QVERIFY(LabelsOf(dialog).contains("Keyboard:"));
        QVERIFY(ButtonNamed(dialog, "Abbrechen"));
        SetUiLanguage(UiLanguage::English);
        CKeyboardDlg english;
        QCOMPARE(english.windowTitle(), QString("Choose keyboard model"));
    }

    void searchDialogIsPlacedBesideTheSearchedPane()
    {
        const QRect main(0, 0, 1024, 768);
        QCOMPARE(CSearchDlg::PlaceBeside(main, 300, true), QPoint(674, 80));
        QCOMPARE(CSearchDlg::PlaceBeside(main, 300, false), QPoint(50, 80));
        QCOMPARE(CSearchDlg::PlaceBeside(QRect(-600, -100, 500, 400), 300, true), QPoint(0, 0));
        QCOMPARE(CSearchDlg::PlaceBeside(QRect(200, 30, 900, 600), 250, false), QPoint(250, 110));

        QWidget mainWindow;
        mainWindow.setGeometry(120, 60, 1000, 700);
        mainWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
        FakePrompts prompts;
        for (const bool left : {true, false}) {
            ScriptedHost host;
            host.leftPane = left;
            CSearchDlg dialog(host, prompts, &mainWindow);
            const QRect frame = mainWindow.frameGeometry();
            const int width = dialog.frameGeometry().width();
            const int expectedLeft = left ? frame.x() + frame.width() - width - 50 : frame.x() + 50;
            QCOMPARE(dialog.pos(), QPoint(expectedLeft, frame.y() + 80));
        }
    }

    void searchStepsUntilTheTextIsEmpty()
    {
        ScriptedHost host;
        host.answers = {true, true, false};
        FakePrompts prompts;
        CSearchDlg dialog(host, prompts, nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* edit = dialog.findChild<QLineEdit*>("searchText");
        auto* search = dialog.findChild<QPushButton*>("search");
        QCOMPARE(edit->text(), QString());

        edit->setText(QString::fromUtf8("Müll"));
        search->click();
        search->click();
        QVERIFY(dialog.isVisible());
        QVERIFY(prompts.messages.empty());
        search->click(); // nothing more: the message, and the dialog stays
        QVERIFY(dialog.isVisible());
        QCOMPARE(prompts.messages.size(), std::size_t(1));
        QCOMPARE(prompts.messages[0].text, std::string("Text not found!"));
        QCOMPARE(prompts.messages[0].icon, MsgIcon::Warning);
        QCOMPARE(host.asked, (std::vector<std::string>(3, "M\xFCll")));

        edit->clear();
        search->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(host.asked.size(), std::size_t(3)); // no search for an empty text
        QCOMPARE(prompts.messages.size(), std::size_t(1));
    }

    void searchDialogInGerman()
    {
        SetUiLanguage(UiLanguage::German);
        ScriptedHost host;
        FakePrompts prompts;
        CSearchDlg dialog(host, prompts, nullptr);
        QCOMPARE(dialog.windowTitle(), QString("Suchen"));
        QVERIFY(LabelsOf(dialog).contains("Suchtext:"));
        QVERIFY(ButtonNamed(dialog, "Suchen")->isDefault());
        QVERIFY(ButtonNamed(dialog, "Abbrechen"));
        dialog.findChild<QLineEdit*>("searchText")->setText("x");
        ButtonNamed(dialog, "Suchen")->click();
        QCOMPARE(prompts.messages.at(0).text, std::string("Text nicht gefunden!"));
    }
};

QTEST_MAIN(SmallDialogsTest)
#include "SmallDialogsTest.moc"

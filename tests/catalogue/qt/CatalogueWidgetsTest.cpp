// The building blocks of the entry editor: the catalogue list, the spin edit
// and the field checks.

#include "catalogue/qt/CCatalogueCombo.h"
#include "catalogue/qt/FieldCheck.h"
#include "catalogue/qt/SpinEdit.h"
#include "common/Texts.h"
#include "support/FakePrompts.h"

#include <QAbstractItemDelegate>
#include <QAbstractItemView>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QStyleOptionViewItem>
#include <QtTest>

using namespace tessaro;

namespace {

// Rows read "row <n> = <item data>"; odd rows give no text.
int g_calls = 0;
bool EvenRowsText(int row, std::string& text, const void* user, uint32_t itemData)
{
    ++g_calls;
    if (row % 2 == 1)
        return false;
    text = std::string(static_cast<const char*>(user)) + std::to_string(row) + "=" + std::to_string(itemData);
    return true;
}

std::string g_text;
bool FixedText(int, std::string& text, const void*, uint32_t)
{
    text = g_text;
    return true;
}

// What the list's delegate draws for the text, in a row of the given width.
QImage DelegateImage(CCatalogueCombo& combo, const std::string& text)
{
    g_text = text;
    combo.RemoveAllRows();
    combo.SetTextCallback(&FixedText, nullptr, 0, 0);
    combo.AddEmptyRow();
    QStyleOptionViewItem option;
    option.initFrom(&combo);
    option.rect = QRect(0, 0, 160, combo.RowHeight());
    option.state = QStyle::State_Enabled;
    QImage image(option.rect.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    combo.itemDelegate()->paint(&painter, option, combo.model()->index(0, 0));
    return image;
}

// The same row drawn by hand with the given text flags.
QImage ReferenceImage(const CCatalogueCombo& combo, const QString& text, int flags)
{
    QImage image(QSize(160, combo.RowHeight()), QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(image.rect(), combo.palette().brush(QPalette::Normal, QPalette::Base));
    painter.setPen(combo.palette().color(QPalette::Normal, QPalette::Text));
    painter.setFont(combo.font());
    painter.drawText(image.rect().adjusted(2, 0, 0, 0),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | flags, text);
    return image;
}

} // namespace

class CatalogueWidgetsTest : public QObject
{
    Q_OBJECT

private slots:
    void namesReadWithOneAmpersandAndKeepALoneOne()
    {
        CCatalogueCombo combo;
        g_text = "R && B - Modern R&B";
        combo.SetTextCallback(&FixedText, nullptr, -1, -3);
        combo.AddEmptyRow();
        combo.SelectRow(0);
        QCOMPARE(combo.RowText(0), g_text); // as stored
        QCOMPARE(combo.itemText(0), QString("R & B - Modern R&B"));
        QCOMPARE(combo.currentText(), QString("R & B - Modern R&B"));
        g_text = "Choir&&Pad - Live!Gospel";
        QCOMPARE(combo.model()->data(combo.model()->index(0, 0)).toString(),
                 QString("Choir&Pad - Live!Gospel"));
    }

    void rowsHoldOnlyTheirNumberAndAskForTextWhenRead()
    {
        CCatalogueCombo combo;
        static const char prefix[] = "row ";
        combo.SetTextCallback(&EvenRowsText, prefix, -1, -3);
        combo.ReserveRows(10);
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(combo.AddEmptyRow(), i);
            combo.SetItemData(i, 1000u + i);
        }
        QCOMPARE(combo.RowCount(), 6);
        QCOMPARE(combo.SelectedRow(), -1); // a new row is never selected by itself
        QCOMPARE(combo.ItemData(4), 1004u);
        QCOMPARE(combo.model()->data(combo.model()->index(4, 0), Qt::UserRole).toUInt(), 1004u);

        g_calls = 0;
        QCOMPARE(combo.itemText(2), QString("row 2=1002"));
        QCOMPARE(g_calls, 1);
        QCOMPARE(combo.itemText(3), QString()); // the callback gives none
        QCOMPARE(combo.RowText(3), std::string());
        combo.SetItemData(2, 7);
        QCOMPARE(combo.RowText(2), std::string("row 2=7")); // no text is kept

        combo.SelectRow(4);
        QCOMPARE(combo.SelectedRow(), 4);
        QCOMPARE(combo.currentText(), QString("row 4=1004"));
        combo.SelectRow(6); // beyond the list
        QCOMPARE(combo.SelectedRow(), -1);

        combo.RemoveAllRows();
        QCOMPARE(combo.RowCount(), 0);
        QCOMPARE(combo.SelectedRow(), -1);
    }

    void hiddenRowsCannotBeChosen()
    {
        CCatalogueCombo combo;
        combo.SetTextCallback(&EvenRowsText, "", 0, 0);
        for (int i = 0; i < 4; ++i)
            combo.AddEmptyRow();
        combo.SelectRow(2);
        combo.HideRow(2);
        QVERIFY(combo.IsRowHidden(2));
        QCOMPARE(combo.SelectedRow(), -1); // the chosen row went out of reach
        combo.SelectRow(2);
        QCOMPARE(combo.SelectedRow(), -1);
        QCOMPARE(combo.model()->flags(combo.model()->index(2, 0)), Qt::ItemFlags());
        QVERIFY(combo.model()->flags(combo.model()->index(1, 0)) & Qt::ItemIsSelectable);
        QVERIFY(!combo.IsRowHidden(3));
    }

    void rowsFitTheirTextAtAnyFontSize()
    {
        CCatalogueCombo combo;
        for (const int points : {7, 9, 14, 24}) {
            QFont font = combo.font();
            font.setPointSize(points);
            combo.setFont(font);
            const QFontMetrics metrics(font);
            // The catalogue fills ask for rows 3 pixels lower than the text: not granted.
            combo.SetTextCallback(&EvenRowsText, "", -1, -3);
            QVERIFY2(combo.RowHeight() >= metrics.height(), qPrintable(QString::number(points)));
            QVERIFY(combo.SelectionFieldHeight() >= metrics.height());
            combo.RemoveAllRows();
            combo.AddEmptyRow();
            QStyleOptionViewItem option;
            option.initFrom(&combo);
            QVERIFY(combo.itemDelegate()->sizeHint(option, combo.model()->index(0, 0)).height() >=
                    metrics.height());
            QVERIFY(combo.sizeHint().height() > metrics.height());
            // Extra room is granted.
            combo.SetTextCallback(&EvenRowsText, "", 2, 4);
            QCOMPARE(combo.RowHeight(), combo.SelectionFieldHeight() + 2);
            QVERIFY(combo.RowHeight() >= metrics.height() + 4);
        }
    }

    void anOpenListShowsAboutTwentyRows()
    {
        QWidget window;
        window.resize(300, 100);
        auto* combo = new CCatalogueCombo(&window);
        combo->setGeometry(10, 10, 200, combo->sizeHint().height());
        combo->SetTextCallback(&EvenRowsText, "", -1, -3);
        for (int i = 0; i < 880; ++i)
            combo->AddEmptyRow();
        // The voice lists hide the voices not known yet, most of the first rows among them.
        for (int i = 0; i < 200; ++i) {
            if (i % 7 != 0)
                combo->HideRow(i);
        }
        combo->SelectRow(400);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        combo->showPopup();
        QAbstractItemView* list = combo->view();
        QTRY_VERIFY(list->isVisible());
        const int rows = list->viewport()->height() / combo->RowHeight();
        QVERIFY2(rows >= 18 && rows <= 22, qPrintable(QString::number(rows)));
        // Below the field, not over it.
        QVERIFY(list->mapToGlobal(QPoint(0, 0)).y() >= combo->mapToGlobal(QPoint(0, combo->height())).y());
        combo->hidePopup();
    }

    void rowsAreDrawnAsAPersonReadsThem()
    {
        CCatalogueCombo combo;
        // "&&" shows one ampersand ...
        QCOMPARE(DelegateImage(combo, "Choir&&Pad"), ReferenceImage(combo, "Choir&Pad", 0));
        // ... and a lone one shows as itself, nothing underlined.
        QCOMPARE(DelegateImage(combo, "R&B"), ReferenceImage(combo, "R&B", 0));
        QVERIFY(DelegateImage(combo, "R&B") != ReferenceImage(combo, "R&B", Qt::TextShowMnemonic));
    }

    void spinEditStepsWithinItsRangeButShowsAnyValue()
    {
        SpinEdit spin;
        spin.SetRange(32, 280);
        spin.SetValue(300);
        QCOMPARE(spin.Text(), QString("300"));
        spin.stepBy(1);
        QCOMPARE(spin.Text(), QString("280"));
        spin.stepBy(-2);
        QCOMPARE(spin.Text(), QString("278"));
        spin.SetText("abc"); // no number: steps from where it was
        spin.stepBy(1);
        QCOMPARE(spin.Text(), QString("279"));
        spin.SetValue(5);
        spin.stepBy(-1);
        QCOMPARE(spin.Text(), QString("32"));
        spin.stepBy(10000);
        QCOMPARE(spin.Text(), QString("280"));

        spin.show();
        QVERIFY(QTest::qWaitForWindowExposed(&spin));
        spin.setFocus();
        QTest::keyClick(&spin, Qt::Key_Down);
        QCOMPARE(spin.Text(), QString("279"));
        spin.findChild<QLineEdit*>()->selectAll();
        QTest::keyClicks(&spin, "1000");
        QCOMPARE(spin.Text(), QString("1000")); // typing is never corrected
    }

    void aDisabledSpinEditStillSteps()
    {
        SpinEdit spin;
        spin.SetRange(0, 127);
        spin.SetValue(200);
        spin.SetEditEnabled(false);
        spin.show();
        QVERIFY(QTest::qWaitForWindowExposed(&spin));
        QVERIFY(!spin.IsEditEnabled());
        QVERIFY(spin.isEnabled());
        QTest::keyClicks(spin.findChild<QLineEdit*>(), "9");
        QCOMPARE(spin.Text(), QString("200"));
        spin.stepBy(-1);
        QCOMPARE(spin.Text(), QString("126"));
    }

    void wholeNumbersAreParsedStrictly()
    {
        QCOMPARE(FieldCheck::ParseWholeNumber(" 12 "), std::optional<int>(12));
        QCOMPARE(FieldCheck::ParseWholeNumber("+5"), std::optional<int>(5));
        QCOMPARE(FieldCheck::ParseWholeNumber("-3"), std::optional<int>(-3));
        QCOMPARE(FieldCheck::ParseWholeNumber("0"), std::optional<int>(0));
        for (const char* bad : {"", " ", "12a", "1e3", "- 3", "1.5", "99999999999", "+", "0x10"})
            QVERIFY2(!FieldCheck::ParseWholeNumber(bad), bad);
    }

    void aFailedCheckPromptsAndSelectsTheField()
    {
        QWidget window;
        auto* edit = new QLineEdit(&window);
        auto* other = new QLineEdit(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        other->setFocus();
        FakePrompts prompts;
        FieldCheck check(prompts);

        edit->setText("abcdefghijklmnopq");
        QString text;
        QVERIFY(!check.MaxChars(edit, 16, text));
        QCOMPARE(prompts.messages.at(0).text, std::string("Please enter no more than 16 characters."));
        QVERIFY(edit->hasFocus());
        QCOMPARE(edit->selectedText(), edit->text());

        edit->setText("abcdefghijklmnop");
        QVERIFY(check.MaxChars(edit, 16, text));
        QCOMPARE(text, edit->text());

        int value = -1;
        edit->setText("40");
        QVERIFY(!check.WholeNumber(edit, 0, 39, value));
        QCOMPARE(prompts.messages.at(1).text, std::string("Please enter an integer between 0 and 39."));
        QCOMPARE(value, -1);
        QVERIFY(check.WholeNumber(edit, 0, 40, value));
        QCOMPARE(value, 40);
        QCOMPARE(prompts.messages.size(), std::size_t(2));
    }
};

QTEST_MAIN(CatalogueWidgetsTest)
#include "CatalogueWidgetsTest.moc"

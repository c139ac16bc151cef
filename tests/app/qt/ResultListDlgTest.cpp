// The list the tools show: its lines, what choosing one does, where it opens,
// and that nothing in it is clipped in either language.
//
// With TESSARO_SHOT_DIR set, the dialog is also saved as result-list-en.png and
// result-list-de.png there (run under Xvfb to see it as the desktop draws it).

#include "app/qt/CResultListDlg.h"
#include "app/qt/QtPrompts.h"
#include "catalogue/StyleCatalogue.h"
#include "common/Prompts.h"
#include "common/Texts.h"
#include "common/qt/TextFit.h"
#include "support/MapSettingsStore.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

#include <vector>

using namespace tessaro;

namespace {

class RecordingHost : public ResultListHost
{
public:
    std::vector<std::size_t> shown;
    void ShowResult(std::size_t line) override { shown.push_back(line); }
};

ResultList Sample()
{
    ResultList list;
    list.title = Tr(Caption::ComparePanesTitle);
    list.summary = FillArgs(Tr(Caption::CompareSummary), {"3", "MDB.bup", "Party archive 1998-2004.mdx"});
    list.lines = {Tr(Caption::DiffRemoved) + ": Pop \u2013 Yesterday",
                  Tr(Caption::DiffChanged) + ": Pop \u2013 Let It Be: R1-Voice Piano - Grand Piano <0,112,0> "
                                             "\u2192 Piano - Live!Grand <0,113,0>",
                  Tr(Caption::DiffAdded) + ": Ballroom \u2013 Quickstep [2]"};
    return list;
}

} // namespace

class ResultListDlgTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { SetUiLanguage(UiLanguage::English); }

    void choosingALineShowsItAgainAndAgain()
    {
        RecordingHost host;
        CResultListDlg dialog(Sample(), host, nullptr);
        QListWidget* lines = dialog.Lines();
        QCOMPARE(lines->count(), 3);
        QCOMPARE(lines->item(2)->text(),
                 QStringLiteral("Only in the archive: Ballroom \u2013 Quickstep [2]"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Compare panes"));
        QCOMPARE(dialog.findChild<QLabel*>("summary")->text(),
                 QStringLiteral("Differences: 3 (MDB: MDB.bup, archive: Party archive 1998-2004.mdx)"));

        QCOMPARE(host.shown, std::vector<std::size_t>{0}); // it opens at the first line
        lines->setCurrentRow(1);
        lines->setCurrentRow(2);
        // Enter on the current line shows it again: the user may have moved about in the tree.
        emit lines->itemActivated(lines->item(2));
        QCOMPARE(host.shown, (std::vector<std::size_t>{0, 1, 2, 2}));
    }

    void theCloseButtonEndsIt()
    {
        RecordingHost host;
        CResultListDlg dialog(Sample(), host, nullptr);
        dialog.show();
        auto* close = dialog.findChild<QPushButton*>("close");
        QVERIFY(close);
        QVERIFY(!close->isDefault()); // Enter belongs to the list
        QTest::mouseClick(close, Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void copyPutsTheWholeListOnTheClipboard()
    {
        RecordingHost host;
        CResultListDlg dialog(Sample(), host, nullptr);
        QApplication::clipboard()->clear();
        const std::vector<std::size_t> shownBefore = host.shown;
        QTest::mouseClick(dialog.findChild<QPushButton*>("copy"), Qt::LeftButton);
        const QStringList copied = QApplication::clipboard()->text().split('\n');
        QCOMPARE(copied.size(), 5); // the summary, three lines and the last line's end
        QCOMPARE(copied[0], dialog.findChild<QLabel*>("summary")->text());
        QCOMPARE(copied[3], dialog.Lines()->item(2)->text());
        QCOMPARE(host.shown, shownBefore); // copying chooses no line
    }

    void opensBesideTheMainWindow()
    {
        const QRect screen(0, 0, 1920, 1080);
        const QSize dialog(500, 400);
        // Room on the right: right of it, at its top.
        QCOMPARE(CResultListDlg::PlaceBeside(QRect(100, 50, 900, 700), dialog, screen, true),
                 QPoint(1008, 50));
        // No room on the right: left of it.
        QCOMPARE(CResultListDlg::PlaceBeside(QRect(1000, 50, 900, 700), dialog, screen, true),
                 QPoint(492, 50));
        // Room on neither side: at the screen's edge, over the pane the lines leave alone.
        QCOMPARE(CResultListDlg::PlaceBeside(QRect(300, 50, 1300, 700), dialog, screen, true),
                 QPoint(1420, 50));
        QCOMPARE(CResultListDlg::PlaceBeside(QRect(300, 50, 1300, 700), dialog, screen, false),
                 QPoint(0, 50));
        // A window partly above or low on the screen: the whole list stays on it.
        QCOMPARE(CResultListDlg::PlaceBeside(QRect(100, -30, 900, 700), dialog, screen, true).y(), 0);
        QCOMPARE(CResultListDlg::PlaceBeside(QRect(100, 900, 900, 700), dialog, screen, true).y(), 680);
    }

    void nothingIsClippedInEitherLanguage()
    {
        for (const UiLanguage language : {UiLanguage::English, UiLanguage::German}) {
            SetUiLanguage(language);
            RecordingHost host;
            CResultListDlg dialog(Sample(), host, nullptr);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));

            auto* summary = dialog.findChild<QLabel*>("summary");
            QVERIFY(summary->height() >= summary->heightForWidth(summary->width()));
            auto* close = dialog.findChild<QPushButton*>("close");
            QVERIFY(close->width() >= CaptionWidth(*close, close->text()));
            auto* copy = dialog.findChild<QPushButton*>("copy");
            QVERIFY(copy->width() >= CaptionWidth(*copy, copy->text()));
            QListWidget* lines = dialog.Lines();
            const int rowHeight = lines->visualItemRect(lines->item(0)).height();
            QVERIFY2(rowHeight >= lines->fontMetrics().height(), "rows as high as their font");
            // Every line is whole, or the scroll bar reaches its end.
            QApplication::processEvents(); // the list lays out in batches
            for (int row = 0; row < lines->count(); ++row) {
                const int needed = lines->fontMetrics().horizontalAdvance(lines->item(row)->text());
                QVERIFY2(needed <= lines->viewport()->width() + lines->horizontalScrollBar()->maximum(),
                         qPrintable(lines->item(row)->text()));
            }
            // The list and the button keep apart.
            QVERIFY(lines->geometry().bottom() < close->mapTo(&dialog, QPoint(0, 0)).y());

            const QString shots = qEnvironmentVariable("TESSARO_SHOT_DIR");
            if (!shots.isEmpty()) {
                const QString name =
                    language == UiLanguage::German ? "result-list-de.png" : "result-list-en.png";
                lines->setCurrentRow(1);
                QVERIFY(dialog.grab().save(QDir(shots).filePath(name)));
            }
        }
    }

    void thePromptRunsItModallyAndReportsTheChoices()
    {
        MapSettingsStore settings;
        const StyleCatalogue styles;
        QWidget mainWindow;
        mainWindow.resize(600, 400);
        mainWindow.show();
        QtPrompts prompts(settings, styles, &mainWindow);

        RecordingHost host;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<CResultListDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(dialog->parentWidget(), &mainWindow);
            host.shown.clear();
            dialog->Lines()->setCurrentRow(2);
            dialog->reject();
        });
        prompts.RunResultList(Sample(), host);
        QCOMPARE(host.shown, std::vector<std::size_t>{2});
    }
};

QTEST_MAIN(ResultListDlgTest)
#include "ResultListDlgTest.moc"

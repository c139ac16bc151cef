// The progress dialog of long work: nothing for quick work, a dialog with the
// work's caption and Cancel after half a second, in both languages, whose
// Cancel stops the work.

#include "app/qt/QtProgress.h"
#include "common/Texts.h"
#include "support/CaptionCheck.h"

#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QThread>
#include <QtTest>

using namespace tessaro;

class QtProgressTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { SetUiLanguage(UiLanguage::English); }

    void quickWorkShowsNothing()
    {
        QMainWindow window;
        QtProgress progress(&window, 500);
        progress.Start(Caption::ProgressLoading, 100000);
        for (uint64_t done = 0; done < 100000; done += 1024)
            QVERIFY(!progress.Step(done));
        QCOMPARE(progress.Dialog(), nullptr);
        progress.Finish();
        QVERIFY(window.findChildren<QProgressDialog*>().isEmpty());
    }

    void slowWorkShowsTheCaptionAndHowFar_data()
    {
        QTest::addColumn<bool>("german");
        QTest::addColumn<QString>("caption");
        QTest::newRow("English") << false << QStringLiteral("Copying...");
        QTest::newRow("German") << true << QStringLiteral("Kopieren...");
    }
    void slowWorkShowsTheCaptionAndHowFar()
    {
        QFETCH(bool, german);
        QFETCH(QString, caption);
        SetUiLanguage(german ? UiLanguage::German : UiLanguage::English);
        QMainWindow window;
        window.resize(600, 400);
        window.show();
        QtProgress progress(&window, 50);
        progress.Start(Caption::ProgressCopying, 1000);
        QVERIFY(!progress.Step(0));
        QCOMPARE(progress.Dialog(), nullptr);
        QThread::msleep(80);
        QVERIFY(!progress.Step(250));
        QProgressDialog* dialog = progress.Dialog();
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->labelText(), caption);
        QCOMPARE(dialog->value(), 250);
        QCOMPARE(dialog->windowModality(), Qt::WindowModal);
        const auto buttons = dialog->findChildren<QPushButton*>();
        QCOMPARE(buttons.size(), 1);
        QCOMPARE(buttons[0]->text().toStdString(), Tr(Caption::Cancel));
        const QStringList problems = testing::CaptionProblems(*dialog);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
        // For a look at it: TESSARO_SHOT_DIR=folder QtProgressTest (under Xvfb).
        if (const QString shots = qEnvironmentVariable("TESSARO_SHOT_DIR"); !shots.isEmpty())
            dialog->grab().save(
                shots + (german ? QStringLiteral("/progress_de.png") : QStringLiteral("/progress_en.png")));

        // The work names its file: the folder that holds it and its name.
        progress.Finish();
        QCOMPARE(progress.Dialog(), nullptr);
        {
            const ProgressFile named(&progress, "/home/u/Gig.buf/MDB.bup");
            progress.Start(Caption::ProgressCopying, 1000);
        }
        QThread::msleep(80);
        QVERIFY(!progress.Step(1));
        QVERIFY(progress.Dialog());
        dialog = progress.Dialog();
        QCOMPARE(dialog->labelText(),
                 caption + (german ? QStringLiteral("\nDatei: Gig.buf/MDB.bup") : QStringLiteral("\nFile: Gig.buf/MDB.bup")));
        if (const QString shots = qEnvironmentVariable("TESSARO_SHOT_DIR"); !shots.isEmpty())
            dialog->grab().save(shots + (german ? QStringLiteral("/progress_file_de.png")
                                                : QStringLiteral("/progress_file_en.png")));

        // Nested work (a save inside a command) keeps the one dialog.
        progress.Start(Caption::ProgressSaving, 10);
        progress.Finish();
        QCOMPARE(progress.Dialog(), dialog);
        progress.Finish();
        QCOMPARE(progress.Dialog(), nullptr);
    }

    void cancelStopsTheWork()
    {
        QMainWindow window;
        window.show();
        QtProgress progress(&window, 0);
        progress.Start(Caption::ProgressLoading, 10);
        QVERIFY(!progress.Step(1));
        QVERIFY(progress.Dialog());
        QTest::mouseClick(progress.Dialog()->findChild<QPushButton*>(), Qt::LeftButton);
        QVERIFY(progress.Step(2));
        QVERIFY(progress.Step(3)); // stays cancelled until the work ends
        progress.Finish();

        // The next work starts afresh.
        progress.Start(Caption::ProgressLoading, 10);
        QVERIFY(!progress.Step(1));
        progress.Finish();
    }
};

QTEST_MAIN(QtProgressTest)
#include "QtProgressTest.moc"

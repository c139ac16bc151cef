// The set list as a PDF, judged by poppler's pdfinfo and pdftotext; its pages
// counted before painting, a very long one asked about first, the painting
// cancelled; the About box with its version and release date; and message boxes without stock button icons even where the style
// would give them.
#include "app/qt/AboutDialog.h"
#include "app/qt/QtPrompts.h"
#include "app/qt/SetListPrinting.h"
#include "catalogue/StyleCatalogue.h"
#include "support/FakeProgress.h"
#include "support/FakePrompts.h"
#include "support/MapSettingsStore.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QProxyStyle>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

using namespace tessaro;

namespace {

// A style like the desktops' that put icons on the standard buttons.
class IconButtonStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override
    {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

// `count` entries in categories of ten, with a sub entry after every fifth.
SetList LongList(int count)
{
    SetList list;
    list.fileName = "Gig.buf/MDB.bup";
    for (int i = 0; i < count; ++i) {
        if (i % 10 == 0)
            list.rows.push_back({true, false, "Category " + std::to_string(i / 10 + 1), "", "", ""});
        list.rows.push_back({false, i % 5 == 4, "Song " + std::to_string(i + 1), "Swing & Jazz",
                             std::to_string(80 + i), "Grand Piano"});
        ++list.entryCount;
    }
    return list;
}

QString Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

template <class T> void WhenOpen(std::function<void(T*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(dialog);
        }
    });
    timer->start();
}

} // namespace

class SetListPrintTest : public QObject
{
    Q_OBJECT

    QTemporaryDir folder_;

    // The PDF written to a file, and what poppler reads in it.
    struct Judged
    {
        int pages = 0;
        QString text;
    };
    Judged Judge(const QByteArray& pdf, const QString& name)
    {
        const QString path = folder_.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size())
            return {};
        file.close();
        Judged judged;
        const QString info = Run(QStringLiteral("pdfinfo"), {path});
        const QRegularExpressionMatch pages =
            QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
        judged.pages = pages.hasMatch() ? pages.captured(1).toInt() : -1;
        judged.text =
            Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
        return judged;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(folder_.isValid());
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QFAIL("pdftotext and pdfinfo are missing (scripts/install-deps.sh installs poppler-utils)");
    }
    void cleanup() { SetUiLanguage(UiLanguage::English); }

    void aLongSetListFillsNumberedPagesWithHeadersAndEveryEntry()
    {
        const SetList list = LongList(120);
        const QByteArray pdf = SetListPdf(list);
        QVERIFY(pdf.startsWith("%PDF-"));
        const Judged judged = Judge(pdf, QStringLiteral("long.pdf"));
        QVERIFY2(judged.pages >= 3, qPrintable(QString::number(judged.pages)));
        const QString n = QString::number(judged.pages);
        for (int page = 1; page <= judged.pages; ++page)
            QVERIFY2(judged.text.contains(QStringLiteral("Page %1 of %2").arg(page).arg(n)), qPrintable(n));
        QCOMPARE(judged.text.count(QStringLiteral("Gig.buf/MDB.bup")), judged.pages);
        // The pages break between rows: every entry is there once, in order.
        qsizetype from = 0;
        for (int i = 1; i <= 120; ++i) {
            const QRegularExpression song(QStringLiteral("\\bSong %1\\b").arg(i));
            const qsizetype at = judged.text.indexOf(song, from);
            QVERIFY2(at >= 0, qPrintable(QStringLiteral("Song %1").arg(i)));
            from = at;
        }
        QVERIFY(judged.text.contains(QStringLiteral("Category 12")));
        QVERIFY(judged.text.contains(QStringLiteral("Swing & Jazz"))); // escaped for the layout, shown as is
        QVERIFY(judged.text.contains(QStringLiteral("R1 voice")));
        // The column heads come back on a page that starts inside a category.
        QVERIFY(judged.text.count(QStringLiteral("R1 voice")) >= 12);
    }

    void theGermanPageSaysSeiteAndOneShortListFitsOnOnePage()
    {
        SetUiLanguage(UiLanguage::German);
        SetList list = LongList(3);
        list.rows[1].title = "Caf\xC3\xA9 <b>"; // not markup
        const Judged judged = Judge(SetListPdf(list), QStringLiteral("short.pdf"));
        QCOMPARE(judged.pages, 1);
        QVERIFY(judged.text.contains(QStringLiteral("Seite 1 von 1")));
        QVERIFY(judged.text.contains(QStringLiteral("Titel")));
        QVERIFY(judged.text.contains(QStringLiteral("R1-Voice")));
        QVERIFY(judged.text.contains(QString::fromUtf8("Caf\xC3\xA9 <b>")));
    }

    void aPrinterThatCannotTakeThePagesIsNoticed()
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder_.filePath(QStringLiteral("no such folder/set.pdf")));
        QCOMPARE(PaintSetList(printer, LongList(3)), 0);

        QPrinter good(QPrinter::HighResolution);
        good.setOutputFormat(QPrinter::PdfFormat);
        good.setOutputFileName(folder_.filePath(QStringLiteral("printed.pdf")));
        const int pages = PaintSetList(good, LongList(60));
        QVERIFY(pages >= 2);
        QFile printed(good.outputFileName());
        QVERIFY(printed.open(QIODevice::ReadOnly));
        QCOMPARE(Judge(printed.readAll(), QStringLiteral("printed-copy.pdf")).pages, pages);
    }

    void theRendererHandsTheBytesToTheSave()
    {
        QtSetListRenderer renderer;
        const std::string bytes = renderer.Pdf(LongList(2));
        QVERIFY(bytes.rfind("%PDF-", 0) == 0);
        QCOMPARE(Judge(QByteArray::fromStdString(bytes), QStringLiteral("renderer.pdf")).pages, 1);
    }

    void aboutNamesProgramVersionAndLicenceInTheLanguage()
    {
        for (const bool german : {false, true}) {
            SetUiLanguage(german ? UiLanguage::German : UiLanguage::English);
            const std::unique_ptr<QDialog> about(CreateAboutDialog(nullptr));
            QCOMPARE(about->windowTitle(),
                     german ? QString::fromUtf8("Über Tessaro") : QString("About Tessaro"));
            QCOMPARE(about->findChild<QLabel*>("programName")->text(), QString("Tessaro"));
            QCOMPARE(about->findChild<QLabel*>("versionLine")->text(), QString("Version " TESSARO_VERSION));
            QVERIFY(QString(TESSARO_VERSION).contains(u'.'));
            const QString licence = about->findChild<QLabel*>("licenceLine")->text();
            QVERIFY(licence.contains(QStringLiteral("GNU General Public License")));
            QVERIFY(licence.contains(german ? QStringLiteral("Version 3") : QStringLiteral("version 3")));
            QVERIFY(about->findChild<QLabel*>("whatItIs")
                        ->text()
                        .contains(german ? QStringLiteral("Editor für") : QStringLiteral("Editor for")));
            const QList<QAbstractButton*> buttons = about->findChild<QDialogButtonBox*>()->buttons();
            QCOMPARE(buttons.size(), 1);
            QCOMPARE(buttons[0]->text(), german ? QString::fromUtf8("Schließen") : QString("Close"));
        }
    }

    // The pages counted without painting are the pages painted; Cancel stops the painting.
    void thePagesCountedAreThePagesPaintedAndCancelStopsThem()
    {
        const SetList list = LongList(300);
        QtSetListRenderer renderer;
        const std::size_t counted = renderer.PageCount(list);
        QVERIFY(counted >= 5);
        const std::string pdf = renderer.Pdf(list);
        QVERIFY(!renderer.Cancelled());
        QCOMPARE(Judge(QByteArray::fromStdString(pdf), QStringLiteral("counted.pdf")).pages, int(counted));

        FakeProgress progress(2);
        QtSetListRenderer cancelling(&progress);
        QVERIFY(cancelling.Pdf(list).empty());
        QVERIFY(cancelling.Cancelled());
        QCOMPARE(progress.captions, std::vector<Caption>{Caption::ProgressPages});
        QCOMPARE(progress.totals, std::vector<uint64_t>{counted});
        QCOMPARE(progress.steps.back(), uint64_t(2));
        QCOMPARE(progress.depth, 0);
    }

    // More than 200 pages: printing and the preview ask first, naming the pages; No shows no dialog.
    void aVeryLongListAsksBeforePrintingOrPreviewing()
    {
        const SetList list = LongList(10000);
        QPrinter printer(QPrinter::HighResolution);
        const int pages = SetListPageCount(printer, list);
        QVERIFY2(pages > 200, qPrintable(QString::number(pages)));
        // A dialog that opened after all would be closed here, and noticed.
        bool dialogOpened = false;
        QTimer guard;
        QObject::connect(&guard, &QTimer::timeout, [&] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                dialogOpened = true;
                dialog->close();
            }
        });
        guard.start(50);
        for (const bool german : {false, true}) {
            SetUiLanguage(german ? UiLanguage::German : UiLanguage::English);
            FakePrompts prompts;
            prompts.Answer(MsgAnswer::No);
            QVERIFY(PrintSetList(nullptr, list, prompts));
            prompts.Answer(MsgAnswer::No);
            PreviewSetList(nullptr, list, prompts);
            QCOMPARE(prompts.messages.size(), std::size_t(2));
            for (const FakePrompts::Shown& asked : prompts.messages) {
                QCOMPARE(asked.buttons, MsgButtons::YesNo);
                QCOMPARE(QString::fromStdString(asked.text),
                         QString::fromStdString(FillArgs(Tr(Msg::SetListManyPages), {std::to_string(pages)})));
            }
            QVERIFY(prompts.messages[0].text.find(german ? " Seiten." : " pages.") != std::string::npos);
        }
        QVERIFY(!dialogOpened);
    }

    // The day set beside the version in the build, written as a reader of the language writes a date.
    void aboutShowsTheReleaseDateInTheLanguage()
    {
        const QDate released = QDate::fromString(QStringLiteral(TESSARO_RELEASE_DATE), Qt::ISODate);
        QVERIFY2(released.isValid() && released.year() >= 2026, TESSARO_RELEASE_DATE);
        for (const bool german : {false, true}) {
            SetUiLanguage(german ? UiLanguage::German : UiLanguage::English);
            const std::unique_ptr<QDialog> about(CreateAboutDialog(nullptr));
            const QLocale locale(german ? QLocale::German : QLocale::English);
            const QString day = QString::number(released.day());
            const QString date = (german ? day + u'.' : day) + u' ' + locale.monthName(released.month()) +
                                 u' ' + QString::number(released.year());
            QCOMPARE(about->findChild<QLabel*>("releaseLine")->text(),
                     (german ? QStringLiteral("Erschienen am ") : QStringLiteral("Released on ")) + date);
        }
    }

    void messageButtonsCarryNoStockIconsWhateverTheStyle()
    {
        QApplication::setStyle(new IconButtonStyle);
        // The style does give icons: a plain box shows them.
        QMessageBox plain(QMessageBox::Warning, "t", "x", QMessageBox::Yes | QMessageBox::No);
        QVERIFY(!plain.button(QMessageBox::Yes)->icon().isNull());

        MapSettingsStore store;
        const StyleCatalogue styles;
        QtPrompts prompts(store, styles);
        bool looked = false;
        for (const bool german : {false, true}) {
            SetUiLanguage(german ? UiLanguage::German : UiLanguage::English);
            looked = false;
            WhenOpen<QMessageBox>([&looked, german](QMessageBox* box) {
                for (QAbstractButton* button : box->buttons())
                    QVERIFY2(button->icon().isNull(), qPrintable(button->text()));
                looked = box->buttons().size() == 2;
                // For a look at it: TESSARO_SHOT_DIR=folder SetListPrintTest (under Xvfb).
                if (const QString shots = qEnvironmentVariable("TESSARO_SHOT_DIR"); !shots.isEmpty())
                    box->grab().save(shots + (german ? QStringLiteral("/question_de.png")
                                                     : QStringLiteral("/question_en.png")));
                box->button(QMessageBox::No)->click();
            });
            const std::string question = FillArgs(Tr(Msg::MdbWouldHoldTooMany), {"620"});
            QCOMPARE(prompts.MessageBox(question, MsgIcon::Question, MsgButtons::YesNo), MsgAnswer::No);
            QVERIFY(looked);
        }
        QVERIFY(looked);
    }
};

QTEST_MAIN(SetListPrintTest)
#include "SetListPrintTest.moc"

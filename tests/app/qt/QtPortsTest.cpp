// The ports in Qt: settings in QSettings, message boxes, file dialogs, the
// dialogs behind the prompts, the wait cursor, help pages and dialog units.

#include "app/SettingsKeys.h"
#include "app/qt/CLanguageDlg.h"
#include "app/qt/FileDialogs.h"
#include "app/qt/QtPrompts.h"
#include "app/qt/QtSettingsStore.h"
#include "catalogue/StyleCatalogue.h"
#include "catalogue/qt/CCategoryDlg.h"
#include "catalogue/qt/CEntryDlg.h"
#include "catalogue/qt/CKeyboardDlg.h"
#include "common/Texts.h"
#include "common/qt/DialogUnits.h"
#include "edit/EntryNode.h"
#include "support/MapSettingsStore.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <functional>

using namespace tessaro;

namespace {

const StyleCatalogue styles;

// Runs `act` on the modal dialog of type T as soon as it is open.
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

void WriteFile(const QString& path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<html></html>");
}

} // namespace

class QtPortsTest : public QObject
{
    Q_OBJECT

    QTemporaryDir settingsDir_;

private slots:
    void initTestCase()
    {
        QVERIFY(settingsDir_.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir_.path());
    }
    void init() { SetUiLanguage(UiLanguage::English); }

    void settingsLiveInTheirSectionAndSurvive()
    {
        {
            QtSettingsStore store;
            QVERIFY(store.FileName().startsWith(settingsDir_.path()));
            QVERIFY(store.FileName().endsWith("Larchmont/Tessaro.conf"));
            store.WriteInt(settings::kSection, settings::kKeyboardModel, 2);
            store.WriteInt(settings::kSection, settings::kTopPos, -1);
            store.WriteString(settings::kSection, settings::kLanguage, "G");
            store.WriteString(settings::kSection, "LastOpenMDB1", "/home/me/Sets, old/Ärger.B01/MDB.bup");
            store.WriteString(settings::kSection, "LastOpenMDB2", "");
        }
        QtSettingsStore store;
        QCOMPARE(store.ReadInt(settings::kSection, settings::kKeyboardModel, 0), 2);
        QCOMPARE(store.ReadInt(settings::kSection, settings::kTopPos, 5), -1);
        QCOMPARE(store.ReadString(settings::kSection, settings::kLanguage, ""), std::string("G"));
        QCOMPARE(store.ReadString(settings::kSection, "LastOpenMDB1", ""),
                 std::string("/home/me/Sets, old/\xC3\x84rger.B01/MDB.bup"));
        QCOMPARE(store.ReadString(settings::kSection, "LastOpenMDB2", "absent"), std::string());
        QCOMPARE(store.ReadString(settings::kSection, "LastOpenMDB3", "absent"), std::string("absent"));
        QCOMPARE(store.ReadInt(settings::kSection, "Missing", 7), 7);
        QCOMPARE(store.ReadInt(settings::kSection, settings::kLanguage, 7), 7); // text where a number belongs
        QCOMPARE(store.ReadInt("OtherSection", settings::kKeyboardModel, 9), 9);

        QFile file(store.FileName());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray ini = file.readAll();
        QVERIFY(ini.contains("[Einstellungen]"));
        QVERIFY(ini.contains("KeyboardTyp=2"));
    }

    void settingsReachTheFileOnceWhenFlushed()
    {
        QFile::remove(QtSettingsStore().FileName());
        QtSettingsStore store;
        for (int i = 1; i <= 28; ++i)
            store.WriteInt(settings::kSection, "Value" + std::to_string(i), i);
        QVERIFY(!QFileInfo::exists(store.FileName())); // no file written per value
        QCOMPARE(store.ReadInt(settings::kSection, "Value3", 0), 3);
        QVERIFY(store.Flush());
        QFile file(store.FileName());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("Value28=28"));
    }

    void settingsThatCannotBeWrittenAreReported()
    {
        // A file where the settings folder should be: not even root can write there.
        QTemporaryDir dir;
        QFile blocker(dir.filePath(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, blocker.fileName());
        {
            QtSettingsStore store;
            store.WriteInt(settings::kSection, settings::kKeyboardModel, 2);
            QVERIFY(!store.Flush());
            // The message names the file and what the system said of it.
            const std::string why = store.FlushFailure();
            QVERIFY2(why.rfind(blocker.fileName().toStdString() + "/", 0) == 0, why.c_str());
            QVERIFY2(why.find(std::strerror(ENOTDIR)) != std::string::npos, why.c_str());
        }
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
    }

    void handEditedValuesReadSafely()
    {
        const QString path = QtSettingsStore().FileName();
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("[Einstellungen]\nKeyboardTyp= 1 \nTopPos=abc\nLastBackupDir=/a,b\n");
        file.close();
        QtSettingsStore store;
        QCOMPARE(store.ReadInt(settings::kSection, settings::kKeyboardModel, 0), 1);
        QCOMPARE(store.ReadInt(settings::kSection, settings::kTopPos, -1), -1);
        QCOMPARE(store.ReadString(settings::kSection, settings::kLastBackupDir, ""), std::string("/a,b"));
    }

    void fileFiltersInQtForm()
    {
        QCOMPARE(QtFileFilter(Tr(Caption::MdbFilter)), QString("Music Database (MDB*.bup);;All files (*)"));
        QCOMPARE(QtFileFilter(Tr(Caption::ArchiveFilter)), QString("MDB archive (*.mdx);;All files (*)"));
        QCOMPARE(QtFileFilter(Tr(Caption::FlashStyleFilter)),
                 QString("Flash Style backup (STY*.b*);;All files (*)"));
        QCOMPARE(QtFileFilter(Tr(Caption::ProtocolFilter)), QString("Protocol file (*.txt)"));
        QCOMPARE(QtFileFilter("Sets|*.buf;*.B0?||"), QString("Sets (*.buf *.B0?)"));
        QCOMPARE(
            QtFileFilter("MDB archive (*.mdx)|*.mdx|" + Tr(Caption::ImageFilter) + "All files (*.*)|*.*||"),
            QString("MDB archive (*.mdx);;Floppy disk images (*.img *.ima);;All files (*)"));

        // German users read German filters, down to "All files".
        SetUiLanguage(UiLanguage::German);
        QCOMPARE(QtFileFilter(Tr(Caption::MdbFilter)),
                 QString("Musikdatenbank (MDB*.bup);;Alle Dateien (*)"));
        QCOMPARE(QtFileFilter(Tr(Caption::ArchiveFilter)), QString("MDB-Archiv (*.mdx);;Alle Dateien (*)"));
        QCOMPARE(QtFileFilter(Tr(Caption::CsvFilter)), QString("CSV-Datei (*.csv);;Alle Dateien (*)"));
        QCOMPARE(QtFileFilter(Tr(Caption::PdfFilter)), QString("PDF-Datei (*.pdf);;Alle Dateien (*)"));
        QCOMPARE(QtFileFilter(Tr(Caption::ProtocolFilter)), QString("Protokolldatei (*.txt)"));
        SetUiLanguage(UiLanguage::English);
    }

    // The short list of the archives on a floppy image: every line in sight, the
    // first preselected; OK gives the chosen line, Cancel nothing.
    void aLineIsChosenFromAShortList()
    {
        MapSettingsStore store;
        QtPrompts prompts(store, styles);
        const std::vector<std::string> items{"/SETS/SECOND.MDX", "/FIRST.MDX", "/OLD/THIRD.MDX"};
        WhenOpen<QInputDialog>([](QInputDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QString("Open MDB archive"));
            QCOMPARE(dialog->labelText(), QString("Which one?"));
            auto* list = dialog->findChild<QListView*>();
            QVERIFY(list && list->isVisible());
            QCOMPARE(list->model()->rowCount(), 3);
            QCOMPARE(dialog->textValue(), QString("/SETS/SECOND.MDX"));
            list->setCurrentIndex(list->model()->index(1, 0));
            dialog->accept();
        });
        QCOMPARE(prompts.ChooseItem("Open MDB archive", "Which one?", items), std::optional<std::size_t>(1));

        WhenOpen<QInputDialog>([](QInputDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
        QCOMPARE(prompts.ChooseItem("Open MDB archive", "Which one?", items), std::optional<std::size_t>());
    }

    void fileDialogsAreSetUpFromTheRequest()
    {
        QTemporaryDir folder;
        FileDialogRequest request;
        request.title = "Save Music Database";
        request.filter = Tr(Caption::MdbFilter);
        request.defaultExtension = ".bup";
        request.initialName = (folder.path() + "/MDB.bup").toStdString();
        request.overwritePrompt = false;
        QFileDialog save;
        PrepareFileDialog(save, request, true);
        QCOMPARE(save.windowTitle(), QString("Save Music Database"));
        QCOMPARE(save.nameFilters(), (QStringList{"Music Database (MDB*.bup)", "All files (*)"}));
        QCOMPARE(save.acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(save.defaultSuffix(), QString("bup"));
        QVERIFY(save.testOption(QFileDialog::DontConfirmOverwrite));
        QCOMPARE(save.directory().absolutePath(), QDir(folder.path()).absolutePath());
        QVERIFY(save.selectedFiles().value(0).endsWith("/MDB.bup"));

        request.overwritePrompt = true;
        request.initialName.clear();
        QFileDialog open;
        PrepareFileDialog(open, request, false);
        QCOMPARE(open.acceptMode(), QFileDialog::AcceptOpen);
        QCOMPARE(open.fileMode(), QFileDialog::ExistingFile);
        QVERIFY(!open.testOption(QFileDialog::DontConfirmOverwrite));

        QCOMPARE(WithDefaultExtension("/a/report", ".txt"), QString("/a/report.txt"));
        QCOMPARE(WithDefaultExtension("/a.b/report.TXT", ".txt"), QString("/a.b/report.TXT"));
        QCOMPARE(WithDefaultExtension("/a/report", ""), QString("/a/report"));
    }

    void messageBoxesHaveTheirIconAndButtons()
    {
        MapSettingsStore store;
        QtPrompts prompts(store, styles);
        WhenOpen<QMessageBox>([](QMessageBox* box) {
            QCOMPARE(box->icon(), QMessageBox::Warning);
            QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
            QCOMPARE(box->text(), QString("Text not found!"));
            box->button(QMessageBox::Ok)->click();
        });
        QCOMPARE(prompts.MessageBox("Text not found!", MsgIcon::Warning, MsgButtons::Ok), MsgAnswer::Ok);

        WhenOpen<QMessageBox>([](QMessageBox* box) {
            QCOMPARE(box->icon(), QMessageBox::Question);
            QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            box->button(QMessageBox::No)->click();
        });
        QCOMPARE(prompts.AskYesNoCancel(Msg::MdbChangedSave), MsgAnswer::No);

        WhenOpen<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
        QCOMPARE(prompts.MessageBox("?", MsgIcon::Question, MsgButtons::YesNoCancel), MsgAnswer::Cancel);

        SetUiLanguage(UiLanguage::German);
        WhenOpen<QMessageBox>([](QMessageBox* box) {
            QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(box->button(QMessageBox::Yes)->text(), QString("&Ja"));
            QCOMPARE(box->button(QMessageBox::No)->text(), QString("&Nein"));
            box->button(QMessageBox::Yes)->click();
        });
        QCOMPARE(prompts.MessageBox(Tr(Msg::DeleteCompleteCategory), MsgIcon::Question, MsgButtons::YesNo),
                 MsgAnswer::Yes);
    }

    void promptsRunTheDialogs()
    {
        MapSettingsStore store;
        QtPrompts prompts(store, styles);

        WhenOpen<CCategoryDlg>([](CCategoryDlg* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>("name");
            QCOMPARE(edit->text(), QString::fromUtf8("Café"));
            edit->setText(QString::fromUtf8("Jazz é"));
            dialog->accept();
        });
        std::string name = "Caf\xE9";
        QVERIFY(prompts.EditCategory(name));
        QCOMPARE(name, std::string("Jazz \xE9"));

        WhenOpen<CCategoryDlg>([](CCategoryDlg* dialog) { dialog->reject(); });
        QVERIFY(!prompts.EditCategory(name));
        QCOMPARE(name, std::string("Jazz \xE9"));

        WhenOpen<CKeyboardDlg>([](CKeyboardDlg* dialog) {
            QCOMPARE(dialog->findChild<QComboBox*>()->currentIndex(), 0);
            dialog->findChild<QComboBox*>()->setCurrentIndex(1);
            dialog->accept();
        });
        int model = 1;
        QVERIFY(prompts.ChooseKeyboardModel(model));
        QCOMPARE(model, 2);

        WhenOpen<CEntryDlg>([](CEntryDlg* dialog) {
            dialog->findChild<QLineEdit*>("title")->setText("New");
            dialog->accept();
        });
        MdbEntry entry;
        entry.SetCategory("Pop");
        entry.SetTitle("Old");
        entry.setTempo(120);
        QVERIFY(prompts.EditEntry(entry, 1));
        QCOMPARE(entry.GetTitle(), std::string("New"));

        WhenOpen<CLanguageDlg>([](CLanguageDlg* dialog) {
            dialog->findChild<QRadioButton*>("german")->click();
            dialog->accept();
        });
        UiLanguage language = UiLanguage::English;
        QVERIFY(prompts.ChooseLanguage(language));
        QCOMPARE(language, UiLanguage::German);
        QCOMPARE(store.StringValue(settings::kSection, settings::kLanguage), std::optional<std::string>("G"));
    }

    void waitCursorIsShownWhileAsked()
    {
        MapSettingsStore store;
        QtPrompts prompts(store, styles);
        QVERIFY(!QApplication::overrideCursor());
        {
            WaitCursor outer(prompts);
            QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
            WaitCursor inner(prompts);
        }
        QVERIFY(!QApplication::overrideCursor());
        prompts.EndWaitCursor(); // unmatched: nothing to restore
        QVERIFY(!QApplication::overrideCursor());
    }

    void helpPagesAreFoundBesideTheProgramOrInstalled()
    {
        QTemporaryDir startup;
        QTemporaryDir installed;
        WriteFile(installed.filePath("Tessaro_e.htm"));
        WriteFile(installed.filePath("Tessaro.htm"));
        WriteFile(startup.filePath("Tessaro.htm"));

        QCOMPARE(QtPrompts::FindHelpPage("Tessaro.htm", startup.path(), {installed.path()}),
                 std::optional<QString>(startup.filePath("Tessaro.htm")));
        QCOMPARE(QtPrompts::FindHelpPage(startup.filePath("Tessaro.htm"), "/nowhere", {installed.path()}),
                 std::optional<QString>(startup.filePath("Tessaro.htm")));
        QCOMPARE(
            QtPrompts::FindHelpPage(startup.filePath("Tessaro_e.htm"), startup.path(), {installed.path()}),
            std::optional<QString>(installed.filePath("Tessaro_e.htm")));
        QCOMPARE(QtPrompts::FindHelpPage("Missing.htm", startup.path(), {installed.path()}), std::nullopt);
        QCOMPARE(QtPrompts::FindHelpPage("Tessaro_e.htm", startup.path(), {QString()}), std::nullopt);
    }

    // After `make run` the pages are found beside the built program, whatever
    // folder it was started in; with none found, Help says where it looked.
    void helpIsFoundFromTheBuildOrSaysWhyNot()
    {
        const QStringList folders = QtPrompts::HelpFolders(QStringLiteral("/opt/t/build"));
        QCOMPARE(folders.mid(0, 2), (QStringList{"/opt/t/build/help", "/opt/t/help"}));
        QTemporaryDir elsewhere;
        for (const char* page : {"Tessaro.htm", "Tessaro_e.htm"})
            QCOMPARE(QtPrompts::FindHelpPage(QString::fromLatin1(page), elsewhere.path(),
                                             QtPrompts::HelpFolders(QStringLiteral(TESSARO_BINARY_DIR))),
                     std::optional<QString>(QStringLiteral(TESSARO_BINARY_DIR "/help/") + page));

        MapSettingsStore store;
        QtPrompts prompts(store, styles);
        QString said;
        QTimer::singleShot(0, this, [&said] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                said = box->text();
                box->accept();
            }
        });
        prompts.OpenHelp(elsewhere.filePath(QStringLiteral("Missing.htm")).toStdString());
        QVERIFY2(said.startsWith(QStringLiteral("The help page Missing.htm was not found.")),
                 qPrintable(said));
        QVERIFY2(said.contains(QDir::toNativeSeparators(elsewhere.path())), qPrintable(said));

        // A page but nothing to show it with: the offscreen platform opens no
        // document at all, as a desktop without xdg-open. Said too.
        QTemporaryDir bin;
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toLocal8Bit());
        said.clear();
        QTimer::singleShot(0, this, [&said] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                said = box->text();
                box->accept();
            }
        });
        prompts.OpenHelp(QStringLiteral(TESSARO_SOURCE_DIR "/help/Tessaro_e.htm").toStdString());
        QVERIFY2(said.startsWith(QStringLiteral("No program to show the help page was found.")),
                 qPrintable(said));
        QVERIFY2(said.contains(QStringLiteral("Tessaro_e.htm")), qPrintable(said));

        // xdg-open there, but no browser behind it: it fails, and that is said as well;
        // one that shows the page says nothing.
        for (const int status : {3, 0}) {
            QFile opener(bin.filePath(QStringLiteral("xdg-open")));
            QVERIFY(opener.open(QIODevice::WriteOnly | QIODevice::Truncate));
            opener.write("#!/bin/sh\nexit " + QByteArray::number(status) + "\n");
            opener.close();
            opener.setPermissions(QFileDevice::ExeOwner | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
            said.clear();
            QTimer::singleShot(0, this, [&said] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    said = box->text();
                    box->accept();
                }
            });
            prompts.OpenHelp(QStringLiteral(TESSARO_SOURCE_DIR "/help/Tessaro_e.htm").toStdString());
            if (status != 0) {
                QVERIFY2(said.startsWith(QStringLiteral("No program to show the help page was found.")),
                         qPrintable(said));
                QVERIFY2(said.contains(QStringLiteral("Tessaro_e.htm")), qPrintable(said));
            } else {
                QVERIFY2(said.isEmpty(), qPrintable(said));
                QApplication::processEvents(); // the timer, with no box to answer
            }
        }
        qputenv("PATH", path);
    }

    void dialogUnitsScaleWithTheFont()
    {
        QFont font = QApplication::font();
        const DialogUnits du(font);
        QVERIFY(du.AverageCharWidth() > 0);
        QCOMPARE(du.X(4), du.AverageCharWidth());
        QCOMPARE(du.Y(8), du.CharHeight());
        QCOMPARE(du.Y(8), QFontMetrics(font).height());
        const QRect rect = du.Rect(7, 9, 40, 8);
        QCOMPARE(rect.left(), du.X(7));
        QCOMPARE(rect.left() + rect.width(), du.X(47)); // corners are scaled, not sizes
        QCOMPARE(rect.top() + rect.height(), du.Y(17));

        font.setPointSizeF(font.pointSizeF() * 2);
        const DialogUnits larger(font);
        QVERIFY(larger.X(100) > du.X(100));
        QVERIFY(larger.Y(100) > du.Y(100));
    }
};

QTEST_MAIN(QtPortsTest)
#include "QtPortsTest.moc"

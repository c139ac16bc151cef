// The browse dialog on a real folder tree: backup sets show by their set name
// and icon, a selected set fills the name, OK closes only with a name and gives
// the set's file (open) or the set folder (save). With TESSARO_SCREENSHOT_DIR
// set, the open and save dialogs are saved there as PNG files.

#include "browse/LinuxNamespace.h"
#include "browse/qt/CBrowseDlg.h"
#include "browse/qt/CFolderTree.h"
#include "common/Texts.h"
#include "support/CaptionCheck.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace tessaro;

namespace {

void MakeSet(const QString& path, const QStringList& files)
{
    QVERIFY(QDir().mkpath(path));
    for (const QString& file : files) {
        QFile out(path + QLatin1Char('/') + file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("x");
    }
}

const FolderNode* Child(const FolderNode* parent, const std::string& text)
{
    for (const auto& child : parent->children)
        if (child->text == text)
            return child.get();
    return nullptr;
}

void SaveShot(QWidget& widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("TESSARO_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        QVERIFY(widget.grab().save(folder + QLatin1Char('/') + name));
}

} // namespace

class BrowseDlgTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(temp.isValid());
        home = temp.path().toStdString();
        backups = home + "/Backups";
        const QString b = QString::fromStdString(backups);
        MakeSet(b + "/Party.B01", {"BACKUP.INI", "MDB.bup"});
        MakeSet(b + "/Empty.buf", {"BACKUP.INI"});
        MakeSet(b + "/Plain/Sub", {});
        MakeSet(b + "/abc.b1x", {"BACKUP.INI", "MDB.bup"});
    }

    void init() { SetUiLanguage(UiLanguage::English); }

    void openModeShowsSetsAndReturnsTheSetsFile()
    {
        LinuxNamespace shell(Places());
        CBrowseDlg dialog(Request(BrowseMode::Open), shell);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        Controls c(dialog);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Open Music Database Backup"));
        QCOMPARE(c.ok->text(), QStringLiteral("Open"));
        QVERIFY(!c.name->isEnabled());

        // The start folder is selected and open; sets show by name with their icons.
        FolderTree& tree = c.tree->Tree();
        QVERIFY(tree.Selected());
        QCOMPARE(tree.Selected()->text, std::string("Backups"));
        QVERIFY(c.tree->isExpanded(c.tree->currentIndex()));
        const FolderNode* party = Child(tree.Selected(), "Party [Disk-01]");
        const FolderNode* empty = Child(tree.Selected(), "Empty");
        const FolderNode* plain = Child(tree.Selected(), "Plain");
        QVERIFY(party && empty && plain);
        QVERIFY(Child(tree.Selected(), "abc.b1x"));
        QCOMPARE(tree.IconOf(party->image), std::string(":/icons/set-mdb.png"));
        QCOMPARE(tree.IconOf(empty->image), std::string(":/icons/set-other.png"));
        QCOMPARE(tree.IconOf(plain->image), std::string("folder"));
        SaveShot(dialog, QStringLiteral("browse-open.png"));

        // No name yet: OK stays open.
        QTest::mouseClick(c.ok, Qt::LeftButton);
        QVERIFY(dialog.isVisible());

        Click(c, party);
        QCOMPARE(c.name->text(), QStringLiteral("Party [Disk-01]"));
        QCOMPARE(dialog.GetChosenFolder(), backups);
        // An ordinary folder becomes the chosen folder and keeps the name.
        Click(c, plain);
        QCOMPARE(c.name->text(), QStringLiteral("Party [Disk-01]"));
        QCOMPARE(dialog.GetChosenFolder(), backups + "/Plain");

        Click(c, party);
        QTest::mouseClick(c.ok, Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.GetChosenPath(), backups + "/Party.B01/MDB.bup");
        QCOMPARE(dialog.GetChosenFolder(), backups);
    }

    void doubleClickChoosesASetAndOpensAnythingElse()
    {
        LinuxNamespace shell(Places());
        CBrowseDlg dialog(Request(BrowseMode::Open), shell);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        Controls c(dialog);
        const FolderNode* backupsNode = c.tree->Tree().Selected();
        const FolderNode* plain = Child(backupsNode, "Plain");
        const QModelIndex plainIndex = c.tree->Model().IndexOf(plain);

        DoubleClick(c, plain);
        QVERIFY(dialog.isVisible());
        QVERIFY(c.tree->isExpanded(plainIndex));
        QVERIFY(plain->expanded);
        QVERIFY(Child(plain, "Sub"));
        DoubleClick(c, plain);
        QVERIFY(!plain->expanded);

        DoubleClick(c, Child(backupsNode, "Party [Disk-01]"));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.GetChosenPath(), backups + "/Party.B01/MDB.bup");
    }

    void saveModeTakesATypedName()
    {
        LinuxNamespace shell(Places());
        CBrowseDlg dialog(Request(BrowseMode::Save), shell);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        Controls c(dialog);
        QCOMPARE(c.ok->text(), QStringLiteral("Save"));
        QVERIFY(c.name->isEnabled());

        QTest::keyClicks(c.name, QStringLiteral("Live [Disk-3]"));
        SaveShot(dialog, QStringLiteral("browse-save.png"));
        QTest::keyClick(c.name, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.GetChosenPath(), backups + "/Live.b3]");
        QCOMPARE(dialog.GetChosenFolder(), backups);
    }

    void saveModeStartingAtASetOffersItsName()
    {
        // Save As of a file inside a set starts at the set folder.
        LinuxNamespace shell(Places());
        BrowseRequest request = Request(BrowseMode::Save);
        request.startFolder = backups + "/Party.B01";
        CBrowseDlg dialog(request, shell);
        Controls c(dialog);
        QCOMPARE(c.name->text(), QStringLiteral("Party [Disk-01]"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.GetChosenPath(), backups + "/Party.B01");
        QCOMPARE(dialog.GetChosenFolder(), backups);
    }

    void germanCaptions()
    {
        SetUiLanguage(UiLanguage::German);
        LinuxNamespace shell(Places());
        CBrowseDlg open(Request(BrowseMode::Open), shell);
        CBrowseDlg save(Request(BrowseMode::Save), shell);
        QCOMPARE(Controls(open).ok->text(), QStringLiteral("Öffnen"));
        QCOMPARE(Controls(save).ok->text(), QStringLiteral("Speichern"));
        QCOMPARE(open.findChild<QPushButton*>(QStringLiteral("cancel"))->text(), QStringLiteral("Abbrechen"));
        QVERIFY(open.findChild<QLabel*>()->text() == QStringLiteral("Dateiname:"));
        // "Dateiname:" once lost its colon.
        QCOMPARE(testing::CaptionProblems(open).join("; "), QString());
        QCOMPARE(testing::CaptionProblems(save).join("; "), QString());
        SetUiLanguage(UiLanguage::English);
        CBrowseDlg english(Request(BrowseMode::Save), shell);
        QCOMPARE(testing::CaptionProblems(english).join("; "), QString());
    }

    void runOverTheDesktopsNamespace()
    {
        // The machine's own places: the start folder is found below File System.
        QTimer::singleShot(0, this, [this] {
            auto* dialog = qobject_cast<CBrowseDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto* tree = dialog->findChild<CFolderTree*>();
            QVERIFY(tree->SelectPath(backups + "/Party.B01"));
            dialog->accept();
        });
        const BrowseResult result = RunBrowseDialog(nullptr, Request(BrowseMode::Open));
        QVERIFY(result.confirmed);
        QCOMPARE(result.chosenPath, backups + "/Party.B01/MDB.bup");
        QCOMPARE(result.chosenFolder, backups);

        QTimer::singleShot(0, this, [] { QApplication::activeModalWidget()->close(); });
        QVERIFY(!RunBrowseDialog(nullptr, Request(BrowseMode::Open)).confirmed);
    }

private:
    struct Controls
    {
        explicit Controls(QDialog& dialog)
            : tree(dialog.findChild<CFolderTree*>()),
              name(dialog.findChild<QLineEdit*>(QStringLiteral("name"))),
              ok(dialog.findChild<QPushButton*>(QStringLiteral("ok")))
        {
        }
        CFolderTree* tree;
        QLineEdit* name;
        QPushButton* ok;
    };

    LinuxPlaces Places() const
    {
        LinuxPlaces places;
        places.home = home;
        return places;
    }

    BrowseRequest Request(BrowseMode mode) const
    {
        BrowseRequest request;
        request.mode = mode;
        request.title =
            Tr(mode == BrowseMode::Open ? Caption::OpenMdbBackupTitle : Caption::SaveMdbBackupTitle);
        request.iconId = 137;
        request.mask = "MDB*.bup";
        request.startFolder = backups;
        request.noNetwork = true;
        return request;
    }

    static QPoint LabelPoint(const Controls& c, const FolderNode* node)
    {
        const QRect rect = c.tree->visualRect(c.tree->Model().IndexOf(node));
        return QPoint(rect.left() + c.tree->iconSize().width() + 10, rect.center().y());
    }

    static void Click(const Controls& c, const FolderNode* node)
    {
        QTest::mouseClick(c.tree->viewport(), Qt::LeftButton, {}, LabelPoint(c, node));
    }

    // As a mouse sends it: QTest's double click alone lacks the press before it.
    static void DoubleClick(const Controls& c, const FolderNode* node)
    {
        const QPoint at = LabelPoint(c, node);
        QTest::mousePress(c.tree->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(c.tree->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(c.tree->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(c.tree->viewport(), Qt::LeftButton, {}, at);
    }

    QTemporaryDir temp;
    std::string home;
    std::string backups;
};

QTEST_MAIN(BrowseDlgTest)
#include "BrowseDlgTest.moc"

// What the main window adds for desktop users: the menu bar and the trees'
// context menu reaching the same commands as the buttons, the standard keys,
// Tab from a tree into the edit column, a window that grows with its trees
// and keeps its size, and files handed in from the desktop.

#include "app/SettingsKeys.h"
#include "app/qt/CMainDlg.h"
#include "support/FakePrompts.h"
#include "support/MainWindowHarness.h"
#include "support/MapSettingsStore.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

#include <memory>

using namespace tessaro;

namespace {

const QString kDemoMdb = QStringLiteral(TESSARO_SOURCE_DIR "/examples/Demo.buf/MDB.bup");
const QString kDemoArchive = QStringLiteral(TESSARO_SOURCE_DIR "/examples/Demo.mdx");

// Each button and the menu action that runs its command.
const char* const kButtonActions[][2] = {
    {"newMdb", "newMdbAction"},
    {"openMdb", "openMdbAction"},
    {"saveMdb", "saveMdbAction"},
    {"saveAsMdb", "saveAsMdbAction"},
    {"closeMdb", "closeMdbAction"},
    {"newArchive", "newArchiveAction"},
    {"openArchive", "openArchiveAction"},
    {"saveArchive", "saveArchiveAction"},
    {"saveAsArchive", "saveAsArchiveAction"},
    {"closeArchive", "closeArchiveAction"},
    {"undo", "undoAction"},
    {"redo", "redoAction"},
    {"newCategory", "newCategoryAction"},
    {"edit", "editAction"},
    {"mainEntry", "mainEntryAction"},
    {"copy", "copyAction"},
    {"move", "moveAction"},
    {"up", "upAction"},
    {"down", "downAction"},
    {"delete", "deleteAction"},
    {"search", "searchAction"},
    {"protocolFormatted", "protocolFormattedAction"},
    {"protocolTabs", "protocolTabsAction"},
    {"help", "helpAction"},
    {"exit", "exitAction"},
};

class Window : public MainWindowHarness
{
public:
    using MainWindowHarness::MainWindowHarness;

    QAction* Action(const char* name) const { return Get<QAction>(name); }
    void Open(bool mdb, const QString& path)
    {
        prompts.openFileNames.push_back(path.toStdString());
        QTest::mouseClick(Button(mdb ? "openMdb" : "openArchive"), Qt::LeftButton);
    }
    void ClickRow(bool mdb, const QModelIndex& index)
    {
        QTreeView* tree = Tree(mdb);
        tree->scrollTo(index);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(index).center());
    }
    // Keys as the user types them: to the control with the focus.
    void Keys(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : dialog.get(), Qt::Key(key), modifiers);
    }
    QString SelectedText(bool mdb) const { return Tree(mdb)->currentIndex().data().toString(); }
};

// The controls a user sees (the group box frames some of them).
QList<QWidget*> Controls(const CMainDlg& dialog)
{
    QList<QWidget*> controls;
    for (QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isVisible() && !child->isWindow() && !qobject_cast<QGroupBox*>(child))
            controls << child;
    return controls;
}

QString OverlapsOrOutside(const CMainDlg& dialog)
{
    const QList<QWidget*> controls = Controls(dialog);
    QStringList problems;
    for (int a = 0; a < controls.size(); ++a) {
        if (!dialog.rect().contains(controls[a]->geometry()))
            problems << controls[a]->objectName() + " outside";
        for (int b = a + 1; b < controls.size(); ++b)
            if (controls[a]->geometry().intersects(controls[b]->geometry()))
                problems << controls[a]->objectName() + " / " + controls[b]->objectName();
    }
    return problems.join(QStringLiteral("; "));
}

} // namespace

class MainWindowMenusTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { SetUiLanguage(UiLanguage::English); }

    void menuTitlesInBothLanguages_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("English") << "E" << QStringList{"&File", "&Edit", "&Tools", "&View", "&Help"};
        QTest::newRow("German") << "G" << QStringList{"&Datei", "&Bearbeiten", "E&xtras", "&Ansicht", "&Hilfe"};
    }
    void menuTitlesInBothLanguages()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, titles);
        Window w(language.toLatin1().constData());
        QVERIFY(w.Start());
        QStringList shown;
        for (QAction* menu : w.Get<QMenuBar>("menuBar")->actions())
            shown << menu->text();
        QCOMPARE(shown, titles);
        // Every command has a caption, and none is left in the other language.
        for (QAction* action : w.dialog->findChildren<QAction*>())
            if (!action->isSeparator() && !action->menu())
                QVERIFY2(!action->text().isEmpty(), qPrintable(action->objectName()));
        QCOMPARE(w.Action("openArchiveAction")->text(),
                 language == "G" ? QStringLiteral("Archiv ö&ffnen...") : QStringLiteral("O&pen archive..."));
    }

    // Whatever the state, a command's button and its menu item are enabled
    // together, and each runs the same command.
    void menusFollowTheButtons()
    {
        Window w;
        QVERIFY(w.Start());
        const auto agree = [&w](const char* when) {
            for (const auto& [button, action] : kButtonActions)
                QVERIFY2(w.Button(button)->isEnabled() == w.Action(action)->isEnabled(),
                         qPrintable(QStringLiteral("%1 %2").arg(QLatin1String(when), QLatin1String(button))));
            QCOMPARE(w.Action("mainEntryAction")->text(), w.Button("mainEntry")->text());
        };
        agree("at start");
        w.Open(true, kDemoMdb);
        agree("MDB open");
        w.Open(false, kDemoArchive);
        agree("both open");
        QCOMPARE(w.Action("copyAction")->text(), QStringLiteral("&Copy to MDB"));
        w.Tree(true)->expand(w.Row(true, 0));
        w.ClickRow(true, w.Row(true, 0, 3)); // Love Bridge, a sub entry
        agree("sub entry");
        QCOMPARE(w.Action("copyAction")->text(), QStringLiteral("&Copy to archive"));
        w.ClickRow(true, w.Row(true, 0, 2)); // first of its group
        agree("first of a group");
        w.ClickRow(true, w.Row(true, 1)); // a category
        agree("category");

        // The menu item runs what the button runs: Move, then Undo.
        const QString archiveCount = w.Get<QLabel>("archiveCount")->text();
        w.ClickRow(false, w.Row(false, 0)); // where it goes
        w.ClickRow(true, w.Row(true, 0, 0));
        w.Action("moveAction")->trigger();
        QVERIFY(w.Get<QLabel>("archiveCount")->text() != archiveCount);
        agree("after a move");
        QVERIFY(w.Action("undoAction")->text().startsWith(QStringLiteral("Undo: Move")));
        w.Action("undoAction")->trigger();
        QCOMPARE(w.Get<QLabel>("archiveCount")->text(), archiveCount);
        agree("after undo");
        // Options are commands too.
        w.Action("backupStructureAction")->trigger();
        QVERIFY(w.State().Options().BackupStructure());
        QVERIFY(w.Get<QCheckBox>("backupStructure")->isChecked());
        w.Action("defaultAction")->trigger();
        QCOMPARE(w.State().Options().FlashStyleMode(), kFlashDefault);
        QVERIFY(w.Get<QRadioButton>("default")->isChecked() && w.Action("defaultAction")->isChecked());
        QCOMPARE(w.prompts.unscripted, 0);
    }

    // File > Export PDF writes the active pane's set list; Print and the
    // preview wait for a pane with entries; About sits in the Help menu.
    void theSetListCommandsActOnTheActivePane()
    {
        QTemporaryDir folder;
        Window w;
        QVERIFY(w.Start());
        for (const char* name : {"printAction", "printPreviewAction", "exportPdfAction"})
            QVERIFY2(!w.Action(name)->isEnabled(), name);
        QVERIFY(w.Action("aboutAction")->isEnabled());
        QVERIFY(w.Get<QMenu>("helpMenu")->actions().contains(w.Action("aboutAction")));
        QVERIFY(w.Get<QMenu>("fileMenu")->actions().contains(w.Action("exportPdfAction")));
        QCOMPARE(w.Action("printAction")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));

        w.Open(true, kDemoMdb);
        w.ClickRow(true, w.Row(true, 0));
        for (const char* name : {"printAction", "printPreviewAction", "exportPdfAction"})
            QVERIFY2(w.Action(name)->isEnabled(), name);
        const QString pdf = folder.filePath(QStringLiteral("set.pdf"));
        w.prompts.saveFileNames.push_back(pdf.toStdString());
        w.Action("exportPdfAction")->trigger();
        QVERIFY(w.prompts.messages.empty());
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(5) == "%PDF-");
        QCOMPARE(w.prompts.saveRequests.back().defaultExtension, std::string(".pdf"));
        QCOMPARE(w.prompts.unscripted, 0);
    }

    void standardKeysReachTheCommands()
    {
        QTemporaryDir folder;
        const QString archive = folder.filePath(QStringLiteral("Demo.mdx"));
        QVERIFY(QFile::copy(kDemoArchive, archive));
        Window w;
        QVERIFY(w.Start());
        w.Open(false, archive);
        w.Open(true, kDemoMdb);
        w.Tree(true)->expand(w.Row(true, 0));
        w.ClickRow(true, w.Row(true, 0, 3)); // Love Bridge
        const QString bridge = w.SelectedText(true);

        // F2 and Return in the tree edit the selection, as the Edit button does.
        w.prompts.CancelEntry();
        w.Keys(Qt::Key_F2);
        w.prompts.CancelEntry();
        w.Keys(Qt::Key_Return);
        QCOMPARE(w.prompts.entryDialogModels.size(), std::size_t(2));

        // Alt+Down in a recent-file list opens the list and leaves the tree alone.
        auto* recent = w.Get<QComboBox>("recentMdb");
        recent->setFocus();
        QTest::keyClick(recent, Qt::Key_Down, Qt::AltModifier);
        QTRY_VERIFY(recent->view()->isVisible());
        recent->hidePopup();
        QCOMPARE(w.Row(true, 0, 3).data().toString(), bridge);
        w.Tree(true)->setFocus();

        // Alt+Down and Alt+Up move it; Delete removes it; Ctrl+Z brings it back.
        w.Keys(Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(w.Row(true, 0, 4).data().toString(), bridge);
        w.Keys(Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(w.Row(true, 0, 3).data().toString(), bridge);
        const int rows = w.Tree(true)->model()->rowCount(w.Row(true, 0));
        w.Keys(Qt::Key_Delete);
        QCOMPARE(w.Tree(true)->model()->rowCount(w.Row(true, 0)), rows - 1);
        w.Keys(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.Tree(true)->model()->rowCount(w.Row(true, 0)), rows);

        // Ctrl+F searches, F3 goes on with the same text.
        w.prompts.searchScript = [](SearchHost& host) { QVERIFY(host.SearchStep("Rio")); };
        w.Keys(Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(w.prompts.searchDialogRuns, 1);
        const QString first = w.SelectedText(true);
        QVERIFY(first.contains(QStringLiteral("Rio")));
        w.Keys(Qt::Key_F3);
        QVERIFY(w.SelectedText(true) != first && w.SelectedText(true).contains(QStringLiteral("Rio")));
        QCOMPARE(w.prompts.searchDialogRuns, 1);

        // Ctrl+O and Ctrl+Shift+S belong to the active pane, and the menu shows where.
        const std::size_t opened = w.prompts.openRequests.size();
        w.prompts.Answer(MsgAnswer::No); // the MDB was changed: keep it unsaved
        w.prompts.openFileNames.push_back(std::nullopt);
        w.Keys(Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(w.prompts.openRequests.size(), opened + 1);
        QCOMPARE(w.prompts.openRequests.back().title, Tr(Caption::OpenMdbTitle));
        QCOMPARE(w.Action("openMdbAction")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
        QVERIFY(w.Action("openArchiveAction")->shortcut().isEmpty());
        w.ClickRow(false, w.Row(false, 0));
        QCOMPARE(w.Action("openArchiveAction")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
        QCOMPARE(w.Action("saveArchiveAction")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
        QVERIFY(w.Action("saveMdbAction")->shortcut().isEmpty());
        w.prompts.saveFileNames.push_back(std::nullopt);
        w.Keys(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w.prompts.saveRequests.size(), std::size_t(1));
        QCOMPARE(w.prompts.saveRequests.back().title, Tr(Caption::SaveArchiveTitle));

        // Ctrl+S saves the archive (its copy) after a change.
        w.prompts.Answer(MsgAnswer::Yes); // a category: "Delete complete category?"
        w.Keys(Qt::Key_Delete);
        QVERIFY(w.State().Pane(PaneId::Archive).Modified());
        w.Keys(Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!w.State().Pane(PaneId::Archive).Modified());

        w.Keys(Qt::Key_F1);
        QCOMPARE(w.prompts.helpPages.size(), std::size_t(1));
        QCOMPARE(w.prompts.unscripted, 0);
    }

    void contextMenuOverATreeItem()
    {
        Window w;
        QVERIFY(w.Start());
        w.Open(false, kDemoArchive);
        w.Open(true, kDemoMdb); // the MDB pane is active
        QTreeView* tree = w.Tree(false);
        tree->expand(w.Row(false, 0));
        const QModelIndex item = w.Row(false, 0, 1);
        const QPoint at = tree->visualRect(item).center();

        QStringList shown;
        bool archiveActive = false;
        QString selected;
        QTimer::singleShot(0, this, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction* action : menu->actions())
                if (!action->isSeparator())
                    shown << action->objectName();
            archiveActive = w.State().HasActivePane() && !w.State().IsActive(PaneId::Mdb);
            selected = w.SelectedText(false);
            menu->close();
        });
        QTest::mousePress(tree->viewport(), Qt::RightButton, {}, at);
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, tree->viewport()->mapToGlobal(at));
        QApplication::sendEvent(tree->viewport(), &click);
        QTest::mouseRelease(tree->viewport(), Qt::RightButton, {}, at);

        QCOMPARE(shown, (QStringList{"undoAction", "redoAction", "newCategoryAction", "editAction",
                                     "mainEntryAction", "copyAction", "moveAction", "upAction", "downAction",
                                     "deleteAction", "searchAction", "searchAgainAction",
                                     "protocolFormattedAction", "protocolTabsAction"}));
        QVERIFY(archiveActive); // the menu acts on the item under the pointer
        QCOMPARE(selected, item.data().toString());
        QCOMPARE(w.Button("copy")->text(), QStringLiteral("<< Copy"));

        // Over no item, no menu.
        tree->collapseAll();
        bool opened = false;
        QTimer::singleShot(0, this, [&] {
            if (auto* menu = QApplication::activePopupWidget()) {
                opened = true;
                menu->close();
            }
        });
        const QPoint below(5, tree->viewport()->height() - 3);
        QVERIFY(!tree->indexAt(below).isValid());
        QContextMenuEvent empty(QContextMenuEvent::Mouse, below, tree->viewport()->mapToGlobal(below));
        QApplication::sendEvent(tree->viewport(), &empty);
        QTest::qWait(50);
        QVERIFY(!opened);
    }

    void tabFromATreeGoesToTheEditColumn()
    {
        Window w;
        QVERIFY(w.Start());
        w.Open(true, kDemoMdb);
        w.Open(false, kDemoArchive);
        const QStringList column{
            "undo", "redo", "newCategory", "edit",   "mainEntry",         "copy",        "move",
            "up",   "down", "delete",      "search", "protocolFormatted", "protocolTabs"};
        for (const bool mdb : {true, false}) {
            w.ClickRow(mdb, w.Row(mdb, 0));
            QVERIFY(w.Tree(mdb)->hasFocus());
            w.Keys(Qt::Key_Tab);
            QWidget* focus = QApplication::focusWidget();
            QVERIFY2(focus && column.contains(focus->objectName()),
                     qPrintable(focus ? focus->objectName() : QStringLiteral("nothing")));
            // The pane stays the one the column acts on.
            QCOMPARE(w.State().IsActive(PaneId::Mdb), mdb);
        }
    }

    void theTreesTakeTheExtraRoom_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << "E";
        QTest::newRow("German") << "G";
    }
    void theTreesTakeTheExtraRoom()
    {
        QFETCH(QString, language);
        Window w(language.toLatin1().constData());
        QVERIFY(w.Start());
        const QSize smallest = w.dialog->size();
        QCOMPARE(w.dialog->minimumSize(), smallest);
        QVERIFY(w.dialog->maximumWidth() > smallest.width() * 4);
        QCOMPARE(OverlapsOrOutside(*w.dialog), QString());

        QHash<QWidget*, QRect> before;
        for (QWidget* control : Controls(*w.dialog))
            before[control] = control->geometry();

        w.dialog->resize(smallest + QSize(401, 300));
        QTRY_COMPARE(w.dialog->size(), smallest + QSize(401, 300));
        QCOMPARE(OverlapsOrOutside(*w.dialog), QString());
        QCOMPARE(w.Tree(true)->width() + w.Tree(false)->width(),
                 before[w.Tree(true)].width() + before[w.Tree(false)].width() + 401);
        QVERIFY(std::abs(w.Tree(true)->width() - w.Tree(false)->width()) <= 1);
        QCOMPARE(w.Tree(true)->height(), before[w.Tree(true)].height() + 300);
        QCOMPARE(w.Tree(false)->height(), w.Tree(true)->height());
        for (QWidget* control : Controls(*w.dialog)) {
            if (qobject_cast<QTreeView*>(control) || qobject_cast<QMenuBar*>(control))
                continue;
            QVERIFY2(control->size() == before[control].size(), qPrintable(control->objectName()));
        }
        // The edit column between the trees, the archive's controls at the right edge.
        QVERIFY(w.Button("copy")->geometry().left() > w.Tree(true)->geometry().right());
        QVERIFY(w.Button("copy")->geometry().right() < w.Tree(false)->geometry().left());
        QCOMPARE(w.dialog->width() - w.Button("closeArchive")->geometry().right(),
                 smallest.width() - before[w.Button("closeArchive")].right());
        QCOMPARE(w.dialog->height() - w.Tree(false)->geometry().bottom(),
                 smallest.height() - before[w.Tree(false)].bottom());

        // Not below the layout's size.
        w.dialog->resize(smallest - QSize(100, 100));
        QTRY_COMPARE(w.dialog->size(), smallest);
        QCOMPARE(OverlapsOrOutside(*w.dialog), QString());
    }

    void sizeIsKeptInTheSettings()
    {
        QSize size;
        {
            Window w;
            QVERIFY(w.Start());
            size = w.dialog->size() + QSize(120, 80);
            w.dialog->resize(size);
            QTRY_COMPARE(w.dialog->size(), size);
            QTest::mouseClick(w.Button("exit"), Qt::LeftButton);
            QVERIFY(!w.dialog->isVisible());
            QCOMPARE(w.settings.IntValue(settings::kSection, settings::kWidth),
                     std::optional<int>(size.width()));
            QCOMPARE(w.settings.IntValue(settings::kSection, settings::kHeight),
                     std::optional<int>(size.height()));
            QCOMPARE(w.settings.IntValue(settings::kSection, settings::kMaximized), std::optional<int>(0));
        }
        // The test screen is smaller than the window: it is cut down to the screen,
        // but never below the layout's size.
        Window again;
        again.settings.WriteInt(settings::kSection, settings::kWidth, size.width());
        again.settings.WriteInt(settings::kSection, settings::kHeight, size.height());
        again.dialog->Initialise();
        const QSize screen = again.dialog->screen()->availableGeometry().size();
        QCOMPARE(again.dialog->size(), size.boundedTo(screen).expandedTo(again.dialog->minimumSize()));

        Window small;
        small.settings.WriteInt(settings::kSection, settings::kWidth, 50);
        small.settings.WriteInt(settings::kSection, settings::kHeight, 50);
        small.dialog->Initialise();
        QCOMPARE(small.dialog->size(), small.dialog->minimumSize());

        Window maximized;
        maximized.settings.WriteInt(settings::kSection, settings::kMaximized, 1);
        maximized.dialog->Initialise();
        QVERIFY(maximized.dialog->windowState() & Qt::WindowMaximized);
    }

    void restoredSizeFitsTheScreenAndTheLayout()
    {
        const QSize smallest(800, 600);
        const QSize screen(1920, 1050);
        const auto restored = [&](int width, int height) {
            return CMainDlg::SizeToRestore({0, 0, width, height, false}, smallest, screen);
        };
        QCOMPARE(restored(1000, 700), QSize(1000, 700));
        QCOMPARE(restored(-1, -1), smallest); // nothing stored
        QCOMPARE(restored(1000, -1), smallest);
        QCOMPARE(restored(500, 900), QSize(800, 900));
        QCOMPARE(restored(4000, 3000), screen); // from a larger screen
        QCOMPARE(CMainDlg::SizeToRestore({0, 0, 4000, 300, false}, smallest, QSize()), QSize(4000, 600));
    }

    // Files from the desktop open with the save-changes question, but not
    // while a dialog of the window waits for the user.
    void filesFromTheDesktopWaitForOpenDialogs()
    {
        QTemporaryDir folder;
        const QString otherMdb = folder.filePath(QStringLiteral("MDB.bup"));
        QVERIFY(QFile::copy(kDemoMdb, otherMdb));
        Window w;
        QVERIFY(w.Start());
        w.Open(true, kDemoMdb);
        w.Tree(true)->expand(w.Row(true, 0));
        w.ClickRow(true, w.Row(true, 0, 4));
        QTest::mouseClick(w.Button("mainEntry"), Qt::LeftButton); // changed

        bool openedWhileEditing = true;
        w.prompts.entryEdits.push_back([&](MdbEntry&, int) {
            w.dialog->OpenFiles({kDemoArchive, otherMdb});
            QTest::qWait(400);
            openedWhileEditing = w.State().Pane(PaneId::Archive).loaded;
            return false;
        });
        w.prompts.Answer(MsgAnswer::No); // "Save changes?" for the MDB
        QTest::mouseClick(w.Button("edit"), Qt::LeftButton);
        QVERIFY(!openedWhileEditing);
        QTRY_VERIFY(w.State().Pane(PaneId::Archive).loaded);
        QCOMPARE(w.prompts.TimesShown(Msg::MdbChangedSave), 1);
        QVERIFY(!w.State().Pane(PaneId::Mdb).Modified());
        QCOMPARE(w.State().Pane(PaneId::Mdb).fileName, otherMdb.toStdString());
        QCOMPARE(w.Get<QLabel>("archiveCount")->text(), QStringLiteral("19"));
        QVERIFY(w.State().IsActive(PaneId::Mdb));
        QCOMPARE(w.prompts.unscripted, 0);

        // A file that is open already is not read again: its changes stay.
        w.Tree(true)->expand(w.Row(true, 0));
        w.ClickRow(true, w.Row(true, 0, 4));
        QTest::mouseClick(w.Button("mainEntry"), Qt::LeftButton);
        QVERIFY(w.State().Pane(PaneId::Mdb).Modified());
        w.dialog->OpenFiles({otherMdb});
        QTest::qWait(100);
        QVERIFY(w.State().Pane(PaneId::Mdb).Modified());
        QCOMPARE(w.prompts.TimesShown(Msg::MdbChangedSave), 1);
    }

    void filesHandedOverManyTimesWhileADialogIsOpenOpenOnce()
    {
        QTemporaryDir folder;
        const QString gone1 = folder.filePath(QStringLiteral("gone1.bup"));
        const QString gone2 = folder.filePath(QStringLiteral("gone2.mdx"));
        Window w;
        QVERIFY(w.Start());
        w.Open(true, kDemoMdb);
        w.Tree(true)->expand(w.Row(true, 0));
        w.ClickRow(true, w.Row(true, 0, 1));
        // 300 hand-overs of the same three files while the entry editor is open.
        w.prompts.entryEdits.push_back([&](MdbEntry&, int) {
            for (int i = 0; i < 300; ++i)
                w.dialog->OpenFiles({kDemoArchive, gone1, gone2});
            return false;
        });
        QTest::mouseClick(w.Button("edit"), Qt::LeftButton);
        QTRY_VERIFY(w.State().Pane(PaneId::Archive).loaded);
        QTest::qWait(300);
        // One message, naming both missing files once each.
        QCOMPARE(w.prompts.messages.size(), std::size_t(1));
        QCOMPARE(w.prompts.messages[0].text,
                 "These files were not found:\n" + gone1.toStdString() + "\n" + gone2.toStdString());
        QCOMPARE(w.prompts.unscripted, 0);
    }
};

QTEST_MAIN(MainWindowMenusTest)
#include "MainWindowMenusTest.moc"

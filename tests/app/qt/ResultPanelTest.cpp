// The tools' lists in the modern window: a panel beside the panes that leaves
// the window usable, whose lines select their entries, go grey when their
// entry is deleted and come back with undo, that the keyboard reaches and
// leaves; and the classic window, which keeps its modal list.

#include "app/qt/ResultPanel.h"
#include "app/SettingsKeys.h"
#include "app/qt/CMainDlg.h"
#include "app/qt/ModernWindow.h"
#include "edit/TreeNode.h"
#include "support/AppTestSupport.h"
#include "support/ModernWindowHarness.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

#include <memory>

using namespace tessaro;

namespace {

// The harness's window with the demo files open, and the panel's parts.
class Window : public ModernWindowHarness
{
public:
    using ModernWindowHarness::ModernWindowHarness;

    bool Start() { return ModernWindowHarness::Start() && OpenDemo(); }
    ResultPanel* Panel() const { return Get<ResultPanel>(QStringLiteral("resultPanel")); }
    QListView* Lines() const { return Get<QListView>(QStringLiteral("resultLines")); }
    ToolResults& Results() const { return window->State().Tools().Results(); }
    QString LineText(int row) const { return Lines()->model()->index(row, 0).data().toString(); }
    bool LineGreyed(int row) const
    {
        return Lines()->model()->index(row, 0).data(Qt::ForegroundRole).isValid();
    }
    void ClickLine(int row) const
    {
        const QModelIndex index = Lines()->model()->index(row, 0);
        Lines()->scrollTo(index);
        QTest::mouseClick(Lines()->viewport(), Qt::LeftButton, {}, Lines()->visualRect(index).center());
    }
    // The first line of the list, from `from` on, that stands for one entry of that pane.
    int LineOfOneEntry(PaneId pane, int from = 0) const
    {
        for (int row = from; row < Lines()->model()->rowCount(); ++row) {
            const auto line = static_cast<std::size_t>(row);
            if (Results().PaneOf(line) == pane && Results().NodesNow(line).size() == 1)
                return row;
        }
        return -1;
    }
    const TreeNode* Selected(PaneId pane) const { return window->State().Pane(pane).tree.Selected(); }
};

} // namespace

class ResultPanelTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { SetUiLanguage(UiLanguage::English); }

    void aListStaysBesideTheWindowAndFollowsTheEdits()
    {
        Window w;
        QVERIFY(w.Start());
        QVERIFY(!w.Panel()->isVisible());
        w.Action("comparePanesAction")->trigger();
        QVERIFY(w.prompts.resultLists.empty()); // not the modal dialog
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(w.Panel()->isVisible());
        QCOMPARE(w.Panel()->windowTitle(), QStringLiteral("Compare panes"));
        QVERIFY(w.Get<QLabel>(QStringLiteral("resultSummary"))
                    ->text()
                    .startsWith(QStringLiteral("Differences: ")));
        const int count = w.Lines()->model()->rowCount();
        QCOMPARE(std::size_t(count), w.Results().List().lines.size());
        // Rows as roomy as the trees', not packed to the font's own height.
        QVERIFY(w.Lines()->visualRect(w.Lines()->model()->index(0, 0)).height() >
                w.Lines()->fontMetrics().height() + 2);
        QVERIFY(count > 3);

        // Opened at its first line, chosen, with the list in the keyboard's hands.
        QTRY_COMPARE(w.Lines()->currentIndex().row(), 0);
        QVERIFY(w.Lines()->hasFocus());
        QCOMPARE(w.Selected(*w.Results().PaneOf(0)), w.Results().NodesNow(0).front());

        // A click chooses a line; Delete (the window's own key) deletes its entry.
        const int row = w.LineOfOneEntry(PaneId::Mdb);
        QVERIFY(row >= 0);
        const TreeNode* entry = w.Results().NodesNow(std::size_t(row)).front();
        w.ClickLine(row);
        QCOMPARE(w.Selected(PaneId::Mdb), entry);
        QVERIFY(w.window->State().IsActive(PaneId::Mdb));
        const int entries = w.window->State().Pane(PaneId::Mdb).EntryCount();
        QTest::keyClick(w.Lines(), Qt::Key_Delete);
        QCOMPARE(w.window->State().Pane(PaneId::Mdb).EntryCount(), entries - 1);
        QTRY_VERIFY(w.LineGreyed(row));
        QVERIFY(w.LineText(row).endsWith(QStringLiteral("(no longer there)")));
        QVERIFY(w.Lines()->hasFocus());

        // Chosen again, it only says so; the next line still works.
        const TreeNode* selected = w.Selected(PaneId::Mdb);
        w.ClickLine(row);
        QCOMPARE(w.window->StatusText(), QStringLiteral("The entry of this line is no longer in its pane."));
        QCOMPARE(w.Selected(PaneId::Mdb), selected);
        w.Lines()->setCurrentIndex(w.Lines()->model()->index(row, 0));
        QTest::keyClick(w.Lines(), Qt::Key_Down);
        const auto next = std::size_t(row + 1);
        QCOMPARE(w.Selected(*w.Results().PaneOf(next)), w.Results().NodesNow(next).front());
        QVERIFY(!w.LineGreyed(row + 1));

        // Undo brings the entry back, and its line with it.
        w.Action("undoAction")->trigger();
        QTRY_VERIFY(!w.LineGreyed(row));
        QVERIFY(!w.LineText(row).contains(QStringLiteral("no longer")));
        w.ClickLine(row);
        QCOMPARE(w.Selected(PaneId::Mdb), entry);

        // Closing the pane loses the MDB's lines; the panel closes with its button.
        w.Action("closeMdbAction")->trigger();
        QTRY_VERIFY(w.LineGreyed(row));
        QTest::mouseClick(w.Get<QPushButton>(QStringLiteral("resultClose")), Qt::LeftButton);
        QVERIFY(!w.Panel()->isVisible());
        QVERIFY(!w.Action("resultPanelAction")->isChecked());
        w.Action("resultPanelAction")->trigger(); // View shows it again, with the same list
        QVERIFY(w.Panel()->isVisible());
        QCOMPARE(w.Lines()->model()->rowCount(), count);
    }

    void aFilterThatHidesTheChosenEntryIsCleared()
    {
        Window w;
        QVERIFY(w.Start());
        w.Action("comparePanesAction")->trigger();
        QTRY_COMPARE(w.Lines()->currentIndex().row(), 0);
        const int row = w.LineOfOneEntry(PaneId::Mdb);
        QVERIFY(row >= 0);
        const TreeNode* entry = w.Results().NodesNow(std::size_t(row)).front();
        w.Filter(PaneId::Mdb)->setText(QStringLiteral("no entry is called this"));
        w.ClickLine(row);
        QVERIFY(w.Filter(PaneId::Mdb)->text().isEmpty());
        QCOMPARE(w.window->StatusText(), QStringLiteral("Filter cleared to show the entry"));
        QCOMPARE(w.Selected(PaneId::Mdb), entry);
        QVERIFY(
            !w.Tree(PaneId::Mdb)->isRowHidden(entry->Row(), w.Tree(PaneId::Mdb)->currentIndex().parent()));

        // A filter that shows the entry stays.
        const QString title = QString::fromStdString(entry->Payload()->GetTitle()).trimmed();
        w.Filter(PaneId::Mdb)->setText(title);
        w.ClickLine(row);
        QCOMPARE(w.Filter(PaneId::Mdb)->text(), title);
        QCOMPARE(w.Selected(PaneId::Mdb), entry);
    }

    void aChangedEntrysCounterpartIsShownDespiteTheOtherFilter()
    {
        QTemporaryDir folder;
        const std::string mdb = folder.filePath(QStringLiteral("MDB.bup")).toStdString();
        const std::string archive = folder.filePath(QStringLiteral("a.mdx")).toStdString();
        MdbEntry faster = Playable("Pop", 4, "tempo");
        faster.setTempo(126);
        WriteTestMdb(mdb, {Playable("Pop", 4, "tempo")});
        WriteTestArchive(archive, {faster});
        Window w;
        w.window->Initialise();
        w.window->show();
        w.prompts.openFileNames = {mdb, archive};
        w.Action("openMdbAction")->trigger();
        w.Action("openArchiveAction")->trigger();
        w.Filter(PaneId::Archive)->setText(QStringLiteral("no entry is called this"));
        w.Action("comparePanesAction")->trigger();
        QCOMPARE(w.Lines()->model()->rowCount(), 1); // Changed: Pop - tempo: Tempo ...
        QTRY_VERIFY(w.Filter(PaneId::Archive)->text().isEmpty());
        QCOMPARE(w.Selected(PaneId::Archive), w.Results().CounterpartNow(0));
        QVERIFY(w.Selected(PaneId::Archive));
        QCOMPARE(w.Selected(PaneId::Mdb), w.Results().NodesNow(0).front());
    }

    void theKeyboardGetsInAndOut()
    {
        Window w;
        QVERIFY(w.Start());
        w.Action("comparePanesAction")->trigger();
        QTRY_VERIFY(w.Lines()->hasFocus());
        // Back to the pane of the chosen line, which the window's keys act on.
        QVERIFY(w.window->State().ActiveId().has_value());
        QTreeView* tree = w.Tree(*w.window->State().ActiveId());
        QTest::keyClick(w.Lines(), Qt::Key_Escape);
        QVERIFY(tree->hasFocus());
        QVERIFY2(w.Panel()->isVisible(), "Escape only leaves it");
        QTest::keyClick(tree, Qt::Key_F6);
        QVERIFY(w.Lines()->hasFocus());
        QTest::keyClick(w.Lines(), Qt::Key_F6);
        QVERIFY(tree->hasFocus());

        // The View menu lists it; hidden, F6 opens it again.
        QMenu* view = w.Get<QMenu>(QStringLiteral("viewMenu"));
        QVERIFY(view->actions().contains(w.Action("resultPanelAction")));
        w.Action("resultPanelAction")->trigger();
        QVERIFY(!w.Panel()->isVisible());
        QTest::keyClick(tree, Qt::Key_F6);
        QVERIFY(w.Panel()->isVisible());
        QVERIFY(w.Lines()->hasFocus());

        // Tab goes on from the archive tree into the panel's list and buttons.
        QTreeView* archive = w.Tree(PaneId::Archive);
        archive->setFocus(Qt::TabFocusReason);
        QStringList visited;
        for (int press = 0; press < 3; ++press) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, (QStringList{"resultLines", "resultCopy", "resultClose"}));
    }

    void everyPartHasANameInTheLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QString>("close");
        QTest::addColumn<QString>("menu");
        QTest::newRow("English") << "E"
                                 << "Tool results: Compare panes"
                                 << "Result lines"
                                 << "Close the tool results"
                                 << "Tool &results";
        QTest::newRow("German") << "G"
                                << "Ergebnisliste: Bereiche vergleichen"
                                << "Ergebniszeilen"
                                << "Ergebnisliste schließen"
                                << "&Ergebnisliste";
    }
    void everyPartHasANameInTheLanguage()
    {
        QFETCH(QString, language);
        Window w(language.toLatin1().constData());
        QVERIFY(w.Start());
        QTEST(w.Action("resultPanelAction")->text(), "menu");
        w.Action("comparePanesAction")->trigger();
        QTEST(w.Panel()->accessibleName(), "panel");
        QTEST(w.Lines()->accessibleName(), "lines");
        QTEST(w.Get<QPushButton>(QStringLiteral("resultClose"))->accessibleName(), "close");
        QTEST(w.Action("resultPanelAction")->text(), "menu");
    }

    void aRunThatFindsNothingEmptiesThePanel()
    {
        Window w;
        QVERIFY(w.Start());
        w.Action("comparePanesAction")->trigger();
        QVERIFY(w.Lines()->model()->rowCount() > 0);
        // The demo files hold no duplicates.
        w.Action("findDuplicatesAction")->trigger();
        QCOMPARE(w.prompts.messages.back().text, Tr(Msg::NoDuplicates));
        QCOMPARE(w.Lines()->model()->rowCount(), 0);
        QCOMPARE(w.Panel()->windowTitle(), QStringLiteral("Tool results"));
    }

    void theClassicWindowKeepsItsModalList()
    {
        FakePrompts prompts;
        MapSettingsStore settings;
        settings.WriteString(settings::kSection, settings::kLanguage, "E");
        settings.WriteInt(settings::kSection, settings::kBackupStructure, 0);
        StyleCatalogue styles;
        CMainDlg classic(prompts, settings, styles);
        classic.Initialise();
        prompts.openFileNames.push_back(kDemoMdb.toStdString());
        classic.findChild<QAction*>(QStringLiteral("openMdbAction"))->trigger();
        prompts.openFileNames.push_back(kDemoArchive.toStdString());
        classic.findChild<QAction*>(QStringLiteral("openArchiveAction"))->trigger();
        bool openWhileShown = false;
        prompts.resultListScript = [&](const ResultList&, ResultListHost& host) {
            openWhileShown = classic.State().Tools().Results().IsOpen();
            host.ShowResult(0);
        };
        classic.findChild<QAction*>(QStringLiteral("comparePanesAction"))->trigger();
        QCOMPARE(prompts.resultLists.size(), std::size_t(1));
        QVERIFY(openWhileShown);
        QVERIFY(!classic.findChild<ResultPanel*>());
        QVERIFY2(!classic.State().Tools().Results().IsOpen(), "forgotten once the dialog is closed");
    }
};

QTEST_MAIN(ResultPanelTest)
#include "ResultPanelTest.moc"

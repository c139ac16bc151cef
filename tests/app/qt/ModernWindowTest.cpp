// The modern main window as a user meets it: a normal window that Ctrl+Q
// closes and Escape does not, its panes' headers, counts and columns, the
// title with the unsaved marker, the tool bar and the status line, the
// filter field, the accessible names in both languages, the keyboard alone
// going everywhere, and the choice between it and the classic window from
// either of them.

#include "app/qt/ModernWindow.h"
#include "app/SettingsKeys.h"
#include "app/WindowLayout.h"
#include "app/qt/CMainDlg.h"
#include "edit/qt/EntryTableModel.h"
#include "support/ModernWindowHarness.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

#include <functional>
#include <memory>

using namespace tessaro;

namespace {

// The harness's window, with what only these tests look at.
class Window : public ModernWindowHarness
{
public:
    using ModernWindowHarness::ModernWindowHarness;

    QString Header(PaneId id) const
    {
        return Get<QLabel>(id == PaneId::Mdb ? "headerMdb" : "headerArchive")->text();
    }
    QString Capacity(PaneId id) const
    {
        return Get<QLabel>(id == PaneId::Mdb ? "capacityMdb" : "capacityArchive")->text();
    }
    void ClickRow(PaneId id, const QModelIndex& index)
    {
        QTreeView* tree = Tree(id);
        tree->scrollTo(index);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(index).center());
    }
    // The rows the tree shows: categories, and entries of open categories.
    int VisibleRows(PaneId id) const
    {
        QTreeView* tree = Tree(id);
        const QAbstractItemModel* model = tree->model();
        int rows = 0;
        for (int c = 0; c < model->rowCount(); ++c) {
            const QModelIndex category = model->index(c, 0);
            if (tree->isRowHidden(c, {}))
                continue;
            ++rows;
            for (int e = 0; tree->isExpanded(category) && e < model->rowCount(category); ++e)
                rows += tree->isRowHidden(e, category) ? 0 : 1;
        }
        return rows;
    }
};

} // namespace

class ModernWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { SetUiLanguage(UiLanguage::English); }

    void isANormalWindowThatCtrlQClosesAndEscapeDoesNot()
    {
        Window w;
        QVERIFY(w.Start());
        QVERIFY(!qobject_cast<QDialog*>(w.window.get()));
        QVERIFY(w.window->isWindow());
        QCOMPARE(w.window->windowTitle(), QStringLiteral("Tessaro[*]"));
        QVERIFY(!w.window->isWindowModified());
        QVERIFY(w.Header(PaneId::Mdb).contains(QStringLiteral("no file")));
        QVERIFY(w.Capacity(PaneId::Mdb).isEmpty());
        QVERIFY(!w.Tree(PaneId::Mdb)->isEnabled());

        QTest::keyClick(w.window.get(), Qt::Key_Escape);
        QVERIFY(w.window->isVisible());
        QTest::keyClick(w.window.get(), Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!w.window->isVisible());
        // The exit sequence ran: the settings were stored, with the columns.
        QVERIFY(w.settings.StringValue(settings::kSection, settings::kModernColumns).has_value());
        QVERIFY(w.prompts.messages.empty());
    }

    void showsFilesCountsAndWhatHappened()
    {
        Window w;
        QVERIFY(w.Start());
        w.OpenDemo();
        const PaneState& mdb = w.window->State().Pane(PaneId::Mdb);
        const int mdbEntries = mdb.EntryCount();
        QCOMPARE(w.Capacity(PaneId::Mdb), QStringLiteral("%1 / 616").arg(mdbEntries));
        QCOMPARE(w.Capacity(PaneId::Archive),
                 QString::number(w.window->State().Pane(PaneId::Archive).EntryCount()));
        QVERIFY(w.Header(PaneId::Mdb).contains(QStringLiteral("Demo.buf/MDB.bup")));
        QVERIFY(!w.Header(PaneId::Mdb).endsWith(QLatin1Char('*')));
        QCOMPARE(w.window->windowTitle(), QStringLiteral("Demo.buf/MDB.bup, examples/Demo.mdx[*] - Tessaro"));
        QVERIFY(w.window->StatusText().startsWith(QStringLiteral("Opened examples/Demo.mdx with ")));

        // Columns: a category in bold with its count, entries with their style and tempo.
        QTreeView* tree = w.Tree(PaneId::Mdb);
        QCOMPARE(tree->model()->columnCount(), kEntryTableColumns);
        const QModelIndex first = tree->model()->index(0, 0);
        QVERIFY(first.data().toString().endsWith(QStringLiteral("(%1)").arg(tree->model()->rowCount(first))));
        QVERIFY(first.data(Qt::FontRole).value<QFont>().bold());
        const QModelIndex entry = tree->model()->index(0, int(EntryTableColumn::Tempo), first);
        QVERIFY(entry.data().toInt() > 0);
        // Rows higher than their text.
        tree->expand(first);
        QVERIFY(tree->visualRect(tree->model()->index(0, 0, first)).height() > tree->fontMetrics().height());

        // A move: the title and the headers mark the unsaved panes, the status says what to do.
        w.ClickRow(PaneId::Mdb, first);
        QToolButton* move = w.Get<QToolButton>(QStringLiteral("moveActionButton"));
        QCOMPARE(move->text(), QStringLiteral("Move to archive")); // towards the archive
        QTest::mouseClick(move, Qt::LeftButton);
        QVERIFY(w.window->isWindowModified());
        QVERIFY(w.Header(PaneId::Mdb).endsWith(QStringLiteral(" *")));
        QVERIFY(w.Header(PaneId::Archive).endsWith(QStringLiteral(" *")));
        QVERIFY(w.window->StatusText().endsWith(QStringLiteral(" - Ctrl+Z undoes it")));
        QVERIFY(mdb.EntryCount() < mdbEntries);
        QCOMPARE(w.Capacity(PaneId::Mdb), QStringLiteral("%1 / 616").arg(mdb.EntryCount()));

        QTest::mouseClick(w.Get<QToolButton>(QStringLiteral("undoActionButton")), Qt::LeftButton);
        QVERIFY(w.window->StatusText().startsWith(QStringLiteral("Undone: ")));
        QVERIFY(!w.window->isWindowModified());
        QVERIFY(!w.Header(PaneId::Mdb).endsWith(QStringLiteral(" *")));
        QCOMPARE(mdb.EntryCount(), mdbEntries);
    }

    void theMdbCountTurnsRedAboveTheLimit()
    {
        Window w;
        QVERIFY(w.Start());
        w.OpenDemo();
        QLabel* capacity = w.Get<QLabel>(QStringLiteral("capacityMdb"));
        const QColor normal = capacity->palette().color(QPalette::WindowText);
        QVERIFY(!capacity->font().bold());
        // Copy the whole archive over until the MDB holds more than it may.
        MainWindowState& state = w.window->State();
        while (state.Pane(PaneId::Mdb).EntryCount() <= 616) {
            state.TreeGotFocus(PaneId::Archive);
            PaneState& archive = state.Pane(PaneId::Archive);
            std::vector<TreeNode*> all;
            for (int c = 0; c < archive.tree.CategoryCount(); ++c)
                all.push_back(archive.tree.CategoryAt(c));
            archive.tree.SetSelection(all, all.front());
            w.prompts.answers.clear();
            w.prompts.Answer(MsgAnswer::Yes); // going over 616 asks first
            const int before = state.Pane(PaneId::Mdb).EntryCount();
            w.Action("copyAction")->trigger();
            QVERIFY(state.Pane(PaneId::Mdb).EntryCount() > before);
        }
        QVERIFY(capacity->font().bold());
        QVERIFY(capacity->palette().color(QPalette::WindowText) != normal);
        QVERIFY(capacity->text().endsWith(QStringLiteral(" / 616")));
    }

    void theFilterHidesRowsAndCommandsActOnWhatIsShown()
    {
        Window w;
        QVERIFY(w.Start());
        w.OpenDemo();
        PaneState& mdb = w.window->State().Pane(PaneId::Mdb);
        CategoryTree& tree = mdb.tree;
        QVERIFY(tree.CategoryCount() >= 2);
        // A title of the second category, typed in another case.
        const TreeNode* target = tree.CategoryAt(1)->ChildAt(0);
        const std::string title = target->Payload()->GetTitle();
        const QString typed = QString::fromStdString(title).trimmed().toUpper();
        std::vector<std::string> order;
        for (int c = 0; c < tree.CategoryCount(); ++c)
            order.push_back(tree.CategoryAt(c)->Text());
        const int entries = mdb.EntryCount();

        // Everything selected first: the filter leaves only the shown rows selected.
        std::vector<TreeNode*> all;
        for (int c = 0; c < tree.CategoryCount(); ++c)
            all.push_back(tree.CategoryAt(c));
        w.window->State().TreeGotFocus(PaneId::Mdb);
        tree.SetSelection(all, all.front());

        QTest::keyClicks(w.Filter(PaneId::Mdb), typed);
        QTreeView* view = w.Tree(PaneId::Mdb);
        QVERIFY(view->isRowHidden(0, {}) || tree.CategoryAt(0)->Text().find(title) != std::string::npos);
        QVERIFY(!view->isRowHidden(1, {}));
        QVERIFY(view->isExpanded(view->model()->index(1, 0)));
        QVERIFY(w.VisibleRows(PaneId::Mdb) < entries);
        QVERIFY(w.window->StatusText().startsWith(QStringLiteral("Filter shows ")));
        QVERIFY(w.window->StatusText().endsWith(QStringLiteral(" of %1 entries").arg(entries)));
        // The category's row counts what shows of it, not all it holds.
        const QModelIndex shownCategory = view->model()->index(1, 0);
        int shownInCategory = 0;
        for (int e = 0; e < view->model()->rowCount(shownCategory); ++e)
            shownInCategory += view->isRowHidden(e, shownCategory) ? 0 : 1;
        QVERIFY(shownInCategory > 0 && shownInCategory < tree.CategoryAt(1)->ChildCount());
        QVERIFY2(shownCategory.data().toString().endsWith(
                     QStringLiteral("(%1 of %2)").arg(shownInCategory).arg(tree.CategoryAt(1)->ChildCount())),
                 qPrintable(shownCategory.data().toString()));
        for (TreeNode* node : tree.SelectedNodes()) {
            const QModelIndex index = static_cast<CategoryTreeModel*>(view->model())->IndexOf(node);
            QVERIFY(!view->isRowHidden(index.row(), index.parent()));
        }
        // Nothing changed in the tree's order or the file.
        for (int c = 0; c < tree.CategoryCount(); ++c)
            QCOMPARE(tree.CategoryAt(c)->Text(), order[static_cast<std::size_t>(c)]);
        QCOMPARE(mdb.EntryCount(), entries);
        QVERIFY(!mdb.Modified());

        // Delete acts on the one shown entry selected, not on the hidden ones.
        w.ClickRow(PaneId::Mdb, static_cast<CategoryTreeModel*>(view->model())->IndexOf(target));
        QCOMPARE(tree.SelectionCount(), std::size_t(1));
        w.Action("deleteAction")->trigger();
        QCOMPARE(mdb.EntryCount(), entries - 1);

        // Escape clears the filter and every row shows again.
        w.Filter(PaneId::Mdb)->setFocus();
        QTest::keyClick(w.Filter(PaneId::Mdb), Qt::Key_Escape);
        QVERIFY(w.Filter(PaneId::Mdb)->text().isEmpty());
        QVERIFY(w.window->isVisible());
        for (int c = 0; c < tree.CategoryCount(); ++c)
            QVERIFY(!view->isRowHidden(c, {}));
        QVERIFY(shownCategory.data().toString().endsWith(
            QStringLiteral("(%1)").arg(tree.CategoryAt(1)->ChildCount())));
    }

    void everyControlHasANameInTheLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("treeName");
        QTest::addColumn<QString>("titleColumn");
        QTest::newRow("English") << "E"
                                 << "MDB entries"
                                 << "Title";
        QTest::newRow("German") << "G"
                                << "MDB-Einträge"
                                << "Titel";
    }
    void everyControlHasANameInTheLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, treeName);
        QFETCH(QString, titleColumn);
        Window w(language.toLatin1().constData());
        QVERIFY(w.Start());
        w.OpenDemo();
        QCOMPARE(w.Tree(PaneId::Mdb)->accessibleName(), treeName);
        QCOMPARE(
            w.Tree(PaneId::Mdb)->model()->headerData(0, Qt::Horizontal, Qt::AccessibleTextRole).toString(),
            titleColumn);
        for (QWidget* control : w.window->findChildren<QWidget*>()) {
            if (!control->isVisible() || !(control->focusPolicy() & Qt::TabFocus))
                continue;
            if (qobject_cast<QToolButton*>(control)) {
                QVERIFY2(!static_cast<QToolButton*>(control)->text().isEmpty(),
                         qPrintable(control->objectName()));
                continue;
            }
            if (control->parent() && qobject_cast<QTreeView*>(control->parent()))
                continue; // a tree's own viewport and header
            QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
        }
        // Each pane's header, its filter, its tree in this order for the keyboard.
        QLineEdit* filter = w.Filter(PaneId::Mdb);
        filter->setFocus();
        QTest::keyClick(filter, Qt::Key_Down);
        QVERIFY(w.Tree(PaneId::Mdb)->hasFocus());
        QCOMPARE(w.window->State().ActiveId(), PaneId::Mdb);
        // Tool bar, menus and status speak the language.
        const QString open = w.Get<QToolButton>(QStringLiteral("toolOpenActionButton"))->text();
        QCOMPARE(open, language == "G" ? QStringLiteral("Öffnen") : QStringLiteral("Open"));
        QVERIFY(w.window->StatusText().startsWith(language == "G" ? QStringLiteral("examples/Demo.mdx mit ")
                                                                  : QStringLiteral("Opened ")));
    }

    // Tab runs through the tool bar, then each pane's recent files, filter and
    // tree, and round again; Left and Right step along the tool bar, Space presses.
    void theKeyboardAloneReachesTheToolBarAndEveryPaneControl()
    {
        Window w;
        QVERIFY(w.Start());
        w.OpenDemo();
        auto* open = w.Get<QToolButton>(QStringLiteral("toolOpenActionButton"));
        open->setFocus(Qt::TabFocusReason);
        QVERIFY(open->hasFocus());
        QVERIFY(!open->autoRaise()); // the focused button stands out; the others lie flat
        QTest::keyClick(open, Qt::Key_Right);
        QCOMPARE(QApplication::focusWidget(), w.Get<QToolButton>(QStringLiteral("toolSaveActionButton")));
        QVERIFY(open->autoRaise());
        QVERIFY(!w.Get<QToolButton>(QStringLiteral("toolSaveActionButton"))->autoRaise());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QCOMPARE(QApplication::focusWidget(), open);

        QStringList visited;
        for (int press = 0; press < 30 && (visited.isEmpty() || QApplication::focusWidget() != open); ++press) {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(QApplication::focusWidget(), open); // round again
        const QStringList panes = {"recentMdb", "filterMdb", "treeMdb", "recentArchive", "filterArchive",
                                   "treeArchive"};
        const qsizetype first = visited.indexOf(panes.front());
        QVERIFY2(first > 0, qPrintable(visited.join(u' ')));
        QCOMPARE(visited.mid(first), panes);
        // Before the panes: every tool bar button that can be pressed now, in its order.
        QStringList buttons;
        for (QAction* action : w.Get<QToolBar>(QStringLiteral("toolBar"))->actions()) {
            if (!action->isSeparator() && action->isEnabled())
                buttons << action->objectName() + QStringLiteral("Button");
        }
        QVERIFY(buttons.contains(QStringLiteral("searchActionButton")));
        QCOMPARE(visited.mid(0, first), buttons);

        // Space on a tool bar button runs its command.
        auto* search = w.Get<QToolButton>(QStringLiteral("searchActionButton"));
        search->setFocus(Qt::TabFocusReason);
        QTest::keyClick(search, Qt::Key_Space);
        QCOMPARE(w.prompts.searchDialogRuns, 1);
    }

    // The tool bar's Copy and Move say where the entries go, in the menus' words.
    void theToolBarSaysWhereCopyAndMoveGo_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("captions"); // copy, move from the MDB; copy, move from the archive
        QTest::newRow("English") << "E"
                                 << QStringList{"Copy to archive", "Move to archive", "Copy to MDB",
                                                "Move to MDB"};
        QTest::newRow("German") << "G"
                                << QStringList{"Ins Archiv kopieren", "Ins Archiv verschieben",
                                               "In die MDB kopieren", "In die MDB verschieben"};
    }
    void theToolBarSaysWhereCopyAndMoveGo()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, captions);
        Window w(language.toLatin1().constData());
        QVERIFY(w.Start());
        w.OpenDemo();
        auto* copy = w.Get<QToolButton>(QStringLiteral("copyActionButton"));
        auto* move = w.Get<QToolButton>(QStringLiteral("moveActionButton"));
        w.ClickRow(PaneId::Mdb, w.Tree(PaneId::Mdb)->model()->index(0, 0));
        QCOMPARE(QStringList({copy->text(), move->text()}), captions.mid(0, 2));
        w.ClickRow(PaneId::Archive, w.Tree(PaneId::Archive)->model()->index(0, 0));
        QCOMPARE(QStringList({copy->text(), move->text()}), captions.mid(2, 2));
        // The column heads speak the language too, the keyboard's part names as the program writes them.
        QHeaderView* header = w.Tree(PaneId::Mdb)->header();
        const QAbstractItemModel* model = header->model();
        QCOMPARE(model->headerData(int(EntryTableColumn::R1Voice), Qt::Horizontal).toString(),
                 language == "G" ? QStringLiteral("R1-Voice") : QStringLiteral("R1 voice"));
        QCOMPARE(model->headerData(int(EntryTableColumn::LeftVoice), Qt::Horizontal).toString(),
                 language == "G" ? QStringLiteral("Left-Voice") : QStringLiteral("Left voice"));
    }

    // Every menu item of the German window is German: an item that reads as in
    // English must be a word German shares.
    void theGermanMenusHaveNoEnglishLeftOver()
    {
        // Every item's text, menu by menu, in the order shown.
        const auto texts = [](QMenuBar* bar) {
            QStringList all;
            std::function<void(QMenu*)> walk = [&](QMenu* menu) {
                for (QAction* action : menu->actions()) {
                    if (action->isSeparator())
                        continue;
                    all << action->text().remove(u'&');
                    if (action->menu())
                        walk(action->menu());
                }
            };
            for (QAction* menu : bar->actions())
                walk(menu->menu());
            return all;
        };
        QStringList english;
        {
            Window w("E");
            QVERIFY(w.Start());
            english = texts(w.window->menuBar());
        }
        Window w("G");
        QVERIFY(w.Start());
        const QStringList german = texts(w.window->menuBar());
        QCOMPARE(german.size(), english.size());
        const QStringList shared = {"Style", "Tempo", "Variation"};
        for (qsizetype i = 0; i < german.size(); ++i)
            QVERIFY2(german[i] != english[i] || shared.contains(german[i]), qPrintable(german[i]));
        QCOMPARE(w.Action("factoryAction")->text(), QStringLiteral("&Werksnamen"));
    }

    void theSelectionColoursFollowANewPalette()
    {
        Window w;
        QVERIFY(w.Start());
        w.OpenDemo(); // the archive pane is active, the MDB pane's selection is drawn quietly
        const QPalette light = QApplication::palette();
        QPalette dark = light;
        dark.setColor(QPalette::Midlight, QColor(70, 70, 74));
        dark.setColor(QPalette::Text, QColor(230, 230, 230));
        dark.setColor(QPalette::Highlight, QColor(42, 110, 200));
        QApplication::setPalette(dark);
        QCoreApplication::processEvents();
        const QPalette quiet = w.Tree(PaneId::Mdb)->palette();
        const QPalette active = w.Tree(PaneId::Archive)->palette();
        QApplication::setPalette(light);
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            QCOMPARE(quiet.color(group, QPalette::Highlight), QColor(70, 70, 74));
            QCOMPARE(quiet.color(group, QPalette::HighlightedText), QColor(230, 230, 230));
            QCOMPARE(active.color(group, QPalette::Highlight), QColor(42, 110, 200));
        }
    }

    void columnsCanBeHiddenAndTheirWidthsAreKept()
    {
        std::string stored;
        {
            Window w;
            QVERIFY(w.Start());
            QHeaderView* header = w.Tree(PaneId::Mdb)->header();
            // View > Columns > Variation, as from the keyboard: both panes follow.
            QAction* variation = w.Action("column3Action");
            QCOMPARE(variation->text(), QStringLiteral("Variation"));
            QVERIFY(variation->isChecked());
            variation->trigger();
            QVERIFY(header->isSectionHidden(int(EntryTableColumn::Variation)));
            QVERIFY(w.Tree(PaneId::Archive)->header()->isSectionHidden(int(EntryTableColumn::Variation)));
            header->resizeSection(int(EntryTableColumn::Style), 150);
            QVERIFY(w.window->close());
            stored = *w.settings.StringValue(settings::kSection, settings::kModernColumns);
        }
        Window again;
        again.settings.WriteString(settings::kSection, settings::kModernColumns, stored);
        QVERIFY(again.Start());
        for (PaneId id : kPaneIds) {
            QHeaderView* header = again.Tree(id)->header();
            QVERIFY(header->isSectionHidden(int(EntryTableColumn::Variation)));
            QCOMPARE(header->sectionSize(int(EntryTableColumn::Style)), 150);
            QVERIFY(!header->isSectionHidden(int(EntryTableColumn::Title)));
        }
        QVERIFY(!again.Action("column3Action")->isChecked());
    }

    // Preferences: a new language and layout are stored for the next start
    // (said so), an option acts at once; Cancel changes nothing.
    void preferencesStoreTheLanguageAndLayoutAndSetTheOptions()
    {
        Window w;
        QVERIFY(w.Start());
        const bool backupBefore = w.window->State().Options().BackupStructure();
        bool cancelled = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->findChild<QComboBox*>(QStringLiteral("languageChoice"))->setCurrentIndex(1);
            dialog->reject();
            cancelled = true;
        });
        w.Action("preferencesAction")->trigger();
        QVERIFY(cancelled);
        QCOMPARE(w.settings.StringValue(settings::kSection, settings::kLanguage),
                 std::optional<std::string>("E"));

        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Preferences"));
            auto* language = dialog->findChild<QComboBox*>(QStringLiteral("languageChoice"));
            QCOMPARE(language->accessibleName(), QStringLiteral("Language"));
            language->setCurrentIndex(1);                                                      // Deutsch
            dialog->findChild<QComboBox*>(QStringLiteral("layoutChoice"))->setCurrentIndex(1); // classic
            dialog->findChild<QCheckBox*>(QStringLiteral("backupStructureChoice"))->setChecked(!backupBefore);
            dialog->accept();
        });
        w.Action("preferencesAction")->trigger();
        QCOMPARE(w.settings.StringValue(settings::kSection, settings::kLanguage),
                 std::optional<std::string>("G"));
        QCOMPARE(w.settings.IntValue(settings::kSection, settings::kLayout), 0);
        QVERIFY(!IsGerman()); // this session stays English
        QCOMPARE(w.window->State().Options().BackupStructure(), !backupBefore);
        QCOMPARE(w.Action("backupStructureAction")->isChecked(), !backupBefore);
        QCOMPARE(w.window->StatusText(),
                 QStringLiteral("Changing the language takes effect after a restart."));
        QVERIFY(w.Action("classicLayoutAction")->isChecked());
    }

    // Both windows offer the other one; the choice is stored at once and said to take effect at the next
    // start.
    void eachLayoutOffersTheOther()
    {
        {
            Window w;
            QVERIFY(w.Start());
            QAction* classic = w.Action("classicLayoutAction");
            QVERIFY(w.Action("modernLayoutAction")->isChecked());
            classic->trigger();
            QCOMPARE(w.settings.IntValue(settings::kSection, settings::kLayout), 0);
            QCOMPARE(w.prompts.messages.size(), std::size_t(1));
            QVERIFY(w.window->isVisible()); // this window stays until the next start
        }
        FakePrompts prompts;
        MapSettingsStore settings;
        settings.WriteString(settings::kSection, settings::kLanguage, "G");
        StyleCatalogue styles;
        CMainDlg classic(prompts, settings, styles);
        classic.Initialise();
        QAction* modern = classic.findChild<QAction*>(QStringLiteral("modernLayoutAction"));
        QVERIFY(modern);
        QCOMPARE(modern->text(), QStringLiteral("&Moderne Ansicht"));
        QVERIFY(classic.findChild<QAction*>(QStringLiteral("classicLayoutAction"))->isChecked());
        modern->trigger();
        QCOMPARE(settings.IntValue(settings::kSection, settings::kLayout), 1);
        QCOMPARE(ReadWindowLayout(settings), WindowLayout::Modern);
        QCOMPARE(prompts.messages.size(), std::size_t(1));
    }
};

QTEST_MAIN(ModernWindowTest)
#include "ModernWindowTest.moc"

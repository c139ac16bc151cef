// The item model over a pane's tree and the view sync: the model stays a
// correct QAbstractItemModel while the tree changes under it, mirrors the tree
// exactly, and a QTreeView follows the tree's expansion and selection (and
// hands the user's back to it).

#include "edit/qt/CategoryTreeModel.h"
#include "data/Win1252.h"
#include "edit/CategoryTree.h"
#include "edit/qt/EntryTableModel.h"
#include "edit/qt/TreeViewSync.h"
#include "edit/EntryColumns.h"
#include "support/TreeTestSupport.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTreeView>
#include <QtTest>

#include <memory>

using namespace tessaro;

namespace {

// The model shows exactly the tree: rows, texts, parents.
void CheckMirrors(const CategoryTreeModel& model)
{
    const CategoryTree& tree = model.Tree();
    QCOMPARE(model.rowCount(), tree.CategoryCount());
    for (int r = 0; r < tree.CategoryCount(); ++r) {
        const TreeNode* category = tree.CategoryAt(r);
        const QModelIndex index = model.index(r, 0);
        QCOMPARE(model.NodeAt(index), category);
        QCOMPARE(model.IndexOf(category), index);
        QCOMPARE(index.data().toString(), QString::fromStdString(ToUtf8(category->Text())));
        QCOMPARE(model.rowCount(index), category->ChildCount());
        QVERIFY(!model.parent(index).isValid());
        for (int e = 0; e < category->ChildCount(); ++e) {
            const QModelIndex child = model.index(e, 0, index);
            QCOMPARE(model.NodeAt(child), category->ChildAt(e));
            QCOMPARE(model.parent(child), index);
            QCOMPARE(child.data().toString(), QString::fromStdString(ToUtf8(category->ChildAt(e)->Text())));
            QCOMPARE(model.rowCount(child), 0);
        }
    }
}

#define CHECK_MIRRORS(model)                                                                                 \
    do {                                                                                                     \
        CheckMirrors(model);                                                                                 \
        if (QTest::currentTestFailed())                                                                      \
            QFAIL("the model does not mirror the tree here");                                                \
    } while (false)

// The view shows the tree's selection and expansion.
void CheckViewFollows(const QTreeView& view, const CategoryTreeModel& model)
{
    const CategoryTree& tree = model.Tree();
    QCOMPARE(model.NodeAt(view.currentIndex()), tree.Selected());
    if (tree.Selected())
        QVERIFY(view.selectionModel()->isSelected(model.IndexOf(tree.Selected())));
    for (int r = 0; r < tree.CategoryCount(); ++r)
        QVERIFY2(view.isExpanded(model.index(r, 0)) == tree.CategoryAt(r)->IsExpanded(),
                 tree.CategoryAt(r)->Text().c_str());
}

#define CHECK_VIEW_FOLLOWS(view, model)                                                                      \
    do {                                                                                                     \
        CheckViewFollows(view, model);                                                                       \
        if (QTest::currentTestFailed())                                                                      \
            QFAIL("the view does not follow the tree here");                                                 \
    } while (false)

struct Fixture
{
    CategoryTree tree{NumberedStyles()};
    CategoryTreeModel model{tree};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::QtTest};
    QTreeView view;
    TreeViewSync* sync = new TreeViewSync(view, model);

    Fixture()
    {
        view.resize(400, 300);
        view.show();
    }
};

} // namespace

class CategoryTreeModelTest : public QObject
{
    Q_OBJECT

private slots:
    // Undo and redo replay the journal through the same primitives, so the
    // model hears every row change, whatever the journal holds.
    void staysAValidModelThroughUndoAndRedo()
    {
        Fixture f;
        CategoryTree& tree = f.tree;
        for (int i = 0; i < 40; ++i)
            tree.InsertSorted(
                MakeEntry(i % 3 ? "Pop" : "Rock", i % 4, 100 + i % 2 * 20, "T" + std::to_string(i)));
        tree.InsertCategoryNode(MakePlaceholder("Empty"), Place::Last());
        tree.SetExpanded(tree.FindCategory("Pop"), true);
        const std::string before = Layout(tree);

        TreeJournal journal;
        tree.Record(&journal);
        tree.InsertSorted(MakeEntry("Empty", 2, 80, "E")); // the placeholder goes
        tree.DeleteNode(tree.FindCategory("Rock"));
        tree.RenameCategory(tree.FindCategory("Pop"), "Swing");
        QVERIFY(tree.MoveCategory(tree.FindCategory("Swing"), Place::Last()));
        MdbEntry retitled = EntryTitled(tree, "T1")->Payload()->record;
        retitled.SetTitle("retitled");
        tree.ReplaceEntry(EntryTitled(tree, "T1"), retitled);
        tree.InsertSorted(tree.TakeEntryNode(EntryTitled(tree, "T2")), nullptr);
        tree.Record(nullptr);
        const std::string after = Layout(tree);
        CHECK_MIRRORS(f.model);

        for (int round = 0; round < 2; ++round) {
            tree.Undo(journal);
            CHECK_MIRRORS(f.model);
            CHECK_VIEW_FOLLOWS(f.view, f.model);
            QCOMPARE(Layout(tree), before);
            QVERIFY(TreeIsSound(tree));
            tree.Redo(journal);
            CHECK_MIRRORS(f.model);
            CHECK_VIEW_FOLLOWS(f.view, f.model);
            QCOMPARE(Layout(tree), after);
            QVERIFY(TreeIsSound(tree));
        }
    }

    void staysAValidModelWhileTheTreeChanges()
    {
        Fixture f;
        CategoryTree& tree = f.tree;
        tree.InsertSorted(MakeEntry("Pop", 5, 120, "A"));
        tree.InsertSorted(MakeEntry("Pop", 3, 120, "B"));
        tree.InsertSorted(MakeEntry("Rock", 1, 100, "C"));
        TreeNode* rock = tree.FindCategory("Rock");
        tree.InsertSorted(MakeEntry("Jazz", 1, 90, "D"), rock); // a new category above Rock
        TreeNode* empty = tree.InsertCategoryNode(MakePlaceholder("Empty"), Place::Last());
        QVERIFY(empty);
        CHECK_MIRRORS(f.model);
        tree.InsertSorted(MakeEntry("Empty", 2, 80, "E"));  // replaces the placeholder
        tree.InsertSorted(MakeEntry("Pop", 5, 120, "  F")); // a sub entry behind its group
        CHECK_MIRRORS(f.model);

        tree.Select(EntryTitled(tree, "B"));
        tree.SetExpanded(tree.FindCategory("Pop"), true);
        MdbEntry renamed = EntryTitled(tree, "A")->Payload()->record;
        renamed.SetTitle("renamed");
        tree.ReplaceEntry(EntryTitled(tree, "A"), renamed);
        tree.RenameCategory(tree.FindCategory("Jazz"), "Swing");
        tree.RelabelAll();
        CHECK_MIRRORS(f.model);
        CHECK_VIEW_FOLLOWS(f.view, f.model);

        QVERIFY(tree.MoveCategory(tree.FindCategory("Pop"), Place::Last()));
        CHECK_MIRRORS(f.model);
        CHECK_VIEW_FOLLOWS(f.view, f.model);
        QVERIFY(!tree.FindCategory("Pop")->IsExpanded()); // a moved category comes back closed

        std::unique_ptr<EntryNode> taken = tree.TakeEntryNode(EntryTitled(tree, "C"));
        QVERIFY(taken);
        tree.DeleteNode(tree.FindCategory("Pop"));
        CHECK_MIRRORS(f.model);
        CHECK_VIEW_FOLLOWS(f.view, f.model);

        {
            BulkTreeChange bulk(tree);
            for (int i = 0; i < 50; ++i)
                tree.InsertSorted(
                    MakeEntry("Bulk" + std::to_string(i % 7), i % 5, 100 + i, "T" + std::to_string(i)));
        }
        CHECK_MIRRORS(f.model);
        tree.Clear();
        CHECK_MIRRORS(f.model);
        QCOMPARE(f.model.rowCount(), 0);
    }

    void changesArriveAsSingleRowSignals()
    {
        CategoryTree tree{NumberedStyles()};
        CategoryTreeModel model(tree);
        tree.InsertSorted(MakeEntry("Pop", 5, 120, "A"));
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

        TreeNode* b = tree.InsertSorted(MakeEntry("Pop", 3, 120, "B"));
        QCOMPARE(inserted.size(), 1);
        QCOMPARE(inserted[0][0].value<QModelIndex>(), model.index(0, 0));
        QCOMPARE(inserted[0][1].toInt(), 0);
        QCOMPARE(inserted[0][2].toInt(), 0);

        MdbEntry renamed = b->Payload()->record;
        renamed.SetTitle("x");
        tree.ReplaceEntry(b, renamed);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed[0][0].value<QModelIndex>(), model.IndexOf(b));

        tree.DeleteNode(b);
        QCOMPARE(removed.size(), 1);
        QCOMPARE(removed[0][1].toInt(), 0);

        {
            BulkTreeChange bulk(tree);
            tree.InsertSorted(MakeEntry("Rock", 1, 1, "C"));
            tree.InsertSorted(MakeEntry("Rock", 1, 2, "D"));
        }
        QCOMPARE(reset.size(), 1);
        QCOMPARE(inserted.size(), 1); // a bulk change is one reset, nothing else
        QCOMPARE(model.rowCount(), 2);
    }

    void textsAreConvertedFromWindows1252()
    {
        CategoryTree tree{NumberedStyles()};
        CategoryTreeModel model(tree);
        tree.InsertSorted(MakeEntry("Caf\xE9", 0, 100, "\x80uro"));
        QCOMPARE(model.index(0, 0).data().toString(), QString::fromUtf8("Café"));
        QVERIFY(model.index(0, 0, model.index(0, 0)).data().toString().startsWith(QString::fromUtf8("€uro")));
        QCOMPARE(model.flags(model.index(0, 0, model.index(0, 0))) & Qt::ItemNeverHasChildren,
                 Qt::ItemNeverHasChildren);
    }

    // Style 24 is stored as "Slow && Easy"; a person reads one '&', and a
    // lone one stays. The tree keeps the stored text.
    void namesReadWithOneAmpersand()
    {
        CategoryTree tree{NumberedStyles()};
        CategoryTreeModel model(tree);
        tree.InsertSorted(MakeEntry("Rock&&Roll", 24, 100, "R&B && Soul"));
        const QModelIndex category = model.index(0, 0);
        QCOMPARE(category.data().toString(), QStringLiteral("Rock&Roll"));
        const QString entry = model.index(0, 0, category).data().toString();
        QVERIFY2(entry.startsWith(QStringLiteral("R&B & Soul ")), qPrintable(entry));
        QVERIFY2(entry.contains(QStringLiteral("(Slow & Easy, 100)")), qPrintable(entry));
        QCOMPARE(tree.FirstCategory()->Text(), std::string("Rock&&Roll"));
        QVERIFY(tree.FirstCategory()->FirstChild()->Text().find("Slow && Easy") != std::string::npos);
    }

    void theViewFollowsTheTree()
    {
        Fixture f;
        CategoryTree& tree = f.tree;
        tree.InsertSorted(MakeEntry("Pop", 1, 100, "A"));
        tree.InsertSorted(MakeEntry("Pop", 2, 100, "B"));
        tree.InsertSorted(MakeEntry("Rock", 1, 100, "C"));
        TreeNode* pop = tree.FindCategory("Pop");
        TreeNode* rock = tree.FindCategory("Rock");
        QVERIFY(!f.view.isExpanded(f.model.IndexOf(pop))); // categories come in closed

        tree.EnsureVisible(EntryTitled(tree, "C")); // opens Rock
        tree.Select(EntryTitled(tree, "C"));
        QVERIFY(f.view.isExpanded(f.model.IndexOf(rock)));
        CHECK_VIEW_FOLLOWS(f.view, f.model);

        // Deleting the selected entry: the tree picks the next selection, the view shows it.
        tree.Select(EntryTitled(tree, "A"));
        tree.DeleteNode(EntryTitled(tree, "A"));
        QCOMPARE(tree.Selected(), EntryTitled(tree, "B"));
        CHECK_VIEW_FOLLOWS(f.view, f.model);
        // Deleting the category of the selected entry moves the selection off it.
        tree.DeleteNode(pop);
        QCOMPARE(tree.Selected(), rock);
        CHECK_VIEW_FOLLOWS(f.view, f.model);

        tree.Select(nullptr);
        QVERIFY(!f.view.selectionModel()->hasSelection());

        // After a reset the view reads expansion and selection afresh.
        {
            BulkTreeChange bulk(tree);
            tree.InsertSorted(MakeEntry("Jazz", 1, 100, "D"));
            tree.SetExpanded(tree.FindCategory("Jazz"), true);
            tree.Select(EntryTitled(tree, "D"));
        }
        CHECK_VIEW_FOLLOWS(f.view, f.model);
        QVERIFY(f.view.isExpanded(f.model.IndexOf(tree.FindCategory("Jazz"))));
    }

    void theUserChangesReachTheTree()
    {
        Fixture f;
        CategoryTree& tree = f.tree;
        tree.InsertSorted(MakeEntry("Pop", 1, 100, "A"));
        tree.InsertSorted(MakeEntry("Rock", 1, 100, "B"));
        QVERIFY(QTest::qWaitForWindowExposed(&f.view));
        TreeNode* pop = tree.FindCategory("Pop");
        const QModelIndex popIndex = f.model.IndexOf(pop);

        f.view.expand(popIndex);
        QVERIFY(pop->IsExpanded());
        const QModelIndex a = f.model.IndexOf(EntryTitled(tree, "A"));
        QTest::mouseClick(f.view.viewport(), Qt::LeftButton, {}, f.view.visualRect(a).center());
        QCOMPARE(tree.Selected(), EntryTitled(tree, "A"));
        f.view.setFocus();
        QTest::keyClick(&f.view, Qt::Key_Down);
        QCOMPARE(tree.Selected(), tree.FindCategory("Rock"));
        f.view.collapse(popIndex);
        QVERIFY(!pop->IsExpanded());
        CHECK_VIEW_FOLLOWS(f.view, f.model);
    }

    // The modern window's columns: one row per node as before, six cells,
    // a category's count following its entries, and a selection made in the
    // tree or by a click covering whole rows, in either direction.
    void theColumnModelShowsEveryRowWithItsCells()
    {
        CategoryTree tree{NumberedStyles()};
        EntryTableModel model{tree, NumberedStyles()};
        QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::QtTest};
        QTreeView view;
        new TreeViewSync(view, model);
        view.resize(600, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        tree.InsertSorted(MakeEntry("Pop", 1, 100, "A"));
        tree.InsertSorted(MakeEntry("Pop", 2, 96, "B"));
        tree.InsertSorted(MakeEntry("Rock", 1, 120, "C"));
        QCOMPARE(model.columnCount(), kEntryTableColumns);
        TreeNode* pop = tree.FindCategory("Pop");
        const QModelIndex popIndex = model.IndexOf(pop);
        QCOMPARE(popIndex.data().toString(), QStringLiteral("Pop  (2)"));
        QVERIFY(popIndex.data(Qt::FontRole).value<QFont>().bold());
        QVERIFY(popIndex.siblingAtColumn(1).data().toString().isEmpty());

        TreeNode* b = EntryTitled(tree, "B");
        const QModelIndex bRow = model.IndexOf(b);
        QCOMPARE(bRow.data().toString(), QStringLiteral("B"));
        QVERIFY(!bRow.data(Qt::FontRole).value<QFont>().bold());
        QCOMPARE(bRow.siblingAtColumn(int(EntryTableColumn::Tempo)).data().toString(), QStringLiteral("96"));
        QCOMPARE(bRow.siblingAtColumn(int(EntryTableColumn::Style)).data().toString(),
                 QString::fromStdString(ValueText(ColumnOf(ColumnKind::StyleName), b->Payload()->record,
                                                  NumberedStyles())));
        QCOMPARE(model.NodeAt(bRow.siblingAtColumn(5)), b);
        QCOMPARE(model.parent(bRow.siblingAtColumn(3)), popIndex);
        QVERIFY(!model.index(0, kEntryTableColumns).isValid());
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Title"));

        // The count follows an insert and a delete, announced for the category's row.
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        tree.InsertSorted(MakeEntry("Pop", 3, 90, "D"));
        QCOMPARE(popIndex.data().toString(), QStringLiteral("Pop  (3)"));
        QVERIFY(std::any_of(changed.begin(), changed.end(),
                            [&](const QList<QVariant>& args) { return args[0].toModelIndex() == popIndex; }));
        tree.DeleteNode(EntryTitled(tree, "D"));
        QCOMPARE(popIndex.data().toString(), QStringLiteral("Pop  (2)"));

        // A selection made in the tree shows as whole rows, and a click selects a whole row in the tree.
        tree.EnsureVisible(b);
        tree.Select(b);
        QCOMPARE(view.selectionModel()->selectedRows().size(), 1);
        QCOMPARE(model.NodeAt(view.selectionModel()->selectedRows().first()), b);
        tree.SetSelection({EntryTitled(tree, "A"), EntryTitled(tree, "B")}, EntryTitled(tree, "A"));
        QCOMPARE(view.selectionModel()->selectedRows().size(), 2);
        const QModelIndex rock = model.IndexOf(tree.FindCategory("Rock"));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                          view.visualRect(rock.siblingAtColumn(int(EntryTableColumn::Tempo))).center());
        QCOMPARE(tree.Selected(), tree.FindCategory("Rock"));
        QCOMPARE(tree.SelectionCount(), std::size_t(1));
        QCOMPARE(view.selectionModel()->selectedRows().size(), 1);
    }
};

QTEST_MAIN(CategoryTreeModelTest)
#include "CategoryTreeModelTest.moc"

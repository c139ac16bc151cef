// The folder tree's item model and its view: the model stays a correct
// QAbstractItemModel while levels are read lazily, reread and refilled; the view
// follows the tree's selection and expansion both ways; a right click selects and
// offers the menu only on an item's icon or label.

#include "browse/qt/CFolderTree.h"
#include "browse/qt/FolderTreeModel.h"
#include "support/MemoryNamespace.h"

#include <QAbstractItemModelTester>
#include <QContextMenuEvent>
#include <QSignalSpy>
#include <QtTest>

using namespace tessaro;

namespace {

using Folder = MemoryNamespace::Folder;

Folder Dir(const std::string& name, const std::string& path, std::vector<Folder> children = {})
{
    Folder folder;
    folder.name = name;
    folder.path = path;
    folder.icon = 1;
    folder.openIcon = 2;
    folder.menu = {"New folder"};
    folder.commandChangesChildren = true;
    folder.children = std::move(children);
    return folder;
}

// Home holds Docs (with Deep), Music (with Live) and Empty, which is said to have
// sub-folders but whose only one is hidden; Computer is outside the file system
// and holds the disk /c.
Folder Desktop()
{
    Folder hidden = Dir(".cache", "/home/u/Empty/.cache");
    hidden.hidden = true;
    Folder empty = Dir("Empty", "/home/u/Empty", {hidden});
    empty.hasSubFolders = true;
    Folder computer = Dir("Computer", "", {Dir("C", "/c", {Dir("Backups", "/c/Backups")})});
    computer.fileSystemAncestor = true;
    computer.icon = 3;
    Folder desktop;
    desktop.children = {
        Dir("Home", "/home/u",
            {Dir("Docs", "/home/u/Docs", {Dir("Deep", "/home/u/Docs/Deep")}),
             Dir("Music", "/home/u/Music", {Dir("Live", "/home/u/Music/Live")}), empty}),
        computer,
    };
    return desktop;
}

const FolderNode* Child(const FolderNode& parent, const std::string& text)
{
    for (const auto& child : parent.children)
        if (child->text == text)
            return child.get();
    return nullptr;
}

class ScriptedMenu : public ContextMenuUi
{
public:
    int TrackMenu(const std::vector<MenuEntry>& menu) override
    {
        shown.push_back(menu);
        return answer;
    }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }

    int answer = 0;
    std::vector<std::vector<MenuEntry>> shown;
    std::vector<std::string> messages;
};

void SendContextMenu(CFolderTree& view, const QPoint& pos)
{
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, view.viewport()->mapToGlobal(pos));
    QApplication::sendEvent(view.viewport(), &event);
}

} // namespace

class FolderTreeViewTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Q_INIT_RESOURCE(tessaro); }

    void levelsAreReadWhenTheViewFirstAsks()
    {
        MemoryNamespace shell(Desktop());
        FolderTree tree(shell);
        FolderTreeModel model(tree);
        tree.FillTree(false, "");

        QCOMPARE(model.rowCount(), 2);
        const QModelIndex home = model.IndexOf(Child(tree.Root(), "Home"));
        QCOMPARE(home.data().toString(), QStringLiteral("Home"));
        // The expand button shows before anything below Home is read.
        QVERIFY(model.hasChildren(home));
        QCOMPARE(model.rowCount(home), 0);
        QVERIFY(model.canFetchMore(home));
        QCOMPARE(shell.ReadCount("Home"), 0);

        model.fetchMore(home);
        QCOMPARE(shell.ReadCount("Home"), 1);
        QCOMPARE(model.rowCount(home), 3);
        QVERIFY(!model.canFetchMore(home));
        model.fetchMore(home);
        QCOMPARE(shell.ReadCount("Home"), 1);

        // Empty's only sub-folder is hidden: reading it takes its expand button away.
        const QModelIndex empty = model.index(1, 0, home);
        QCOMPARE(empty.data().toString(), QStringLiteral("Empty"));
        QVERIFY(model.hasChildren(empty));
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        model.fetchMore(empty);
        QVERIFY(!model.hasChildren(empty));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().at(0).toModelIndex(), empty);
    }

    void theSelectedFolderShowsItsSelectedIcon()
    {
        MemoryNamespace shell(Desktop());
        FolderTree tree(shell);
        FolderTreeModel model(tree);
        tree.FillTree(false, "");
        const QModelIndex home = model.IndexOf(Child(tree.Root(), "Home"));
        const QModelIndex computer = model.IndexOf(Child(tree.Root(), "Computer"));
        const FolderNode* homeNode = model.NodeAt(home);
        const FolderNode* computerNode = model.NodeAt(computer);
        QVERIFY(computerNode->image != computerNode->selectedImage);
        QVERIFY(model.IconOfSlot(computerNode->image).cacheKey() !=
                model.IconOfSlot(computerNode->selectedImage).cacheKey());

        auto iconKey = [](const QModelIndex& index) {
            return index.data(Qt::DecorationRole).value<QIcon>().cacheKey();
        };
        QCOMPARE(tree.Selected(), computerNode); // the first item
        QCOMPARE(iconKey(computer), model.IconOfSlot(computerNode->selectedImage).cacheKey());
        QCOMPARE(iconKey(home), model.IconOfSlot(homeNode->image).cacheKey());

        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        tree.Select(homeNode);
        QCOMPARE(iconKey(computer), model.IconOfSlot(computerNode->image).cacheKey());
        QCOMPARE(iconKey(home), model.IconOfSlot(homeNode->selectedImage).cacheKey());
        // Both rows are told to draw their icon again.
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.at(0).at(0).toModelIndex(), computer);
        QCOMPARE(changed.at(1).at(0).toModelIndex(), home);

        // A theme icon that no theme holds falls back to the style's; resources load.
        QVERIFY(!LoadFolderIcon("no-such-icon-anywhere").isNull());
        QVERIFY(!LoadFolderIcon(":/icons/set-mdb.png").isNull());
        QVERIFY(LoadFolderIcon("").isNull());
    }

    void modelStaysConsistentWhileTheTreeChanges()
    {
        MemoryNamespace shell(Desktop());
        FolderTree tree(shell);
        FolderTreeModel model(tree);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        // The tester's own reading would nest an insertion inside the report of another.
        tester.setUseFetchMore(false);

        tree.FillTree(false, "/c/Backups");
        QVERIFY(tree.Selected());
        QCOMPARE(tree.Selected()->text, std::string("Backups"));
        QCOMPARE(model.NodeAt(model.IndexOf(tree.Selected())), tree.Selected());

        // Finding a path opens the levels above it and tells the view so.
        QSignalSpy expansion(&model, &FolderTreeModel::TreeExpansionChanged);
        QVERIFY(tree.SelectPath("/home/u/Docs/Deep"));
        const FolderNode* home = Child(tree.Root(), "Home");
        const FolderNode* docs = Child(*home, "Docs");
        QVERIFY(home->expanded && docs->expanded);
        QVERIFY(expansion.count() >= 2);
        QCOMPARE(expansion.first().at(0).toModelIndex(), model.IndexOf(home));

        // "New folder" rereads the level: its rows go and come back with the new one.
        shell.AddFolder("Docs", Dir("Added", "/home/u/Docs/Added"));
        ScriptedMenu menu;
        menu.answer = FolderTree::kFirstMenuId;
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        tree.OnRightClick(docs, true, menu);
        QCOMPARE(removed.count(), 1);
        QCOMPARE(tree.Selected(), docs);
        QVERIFY(Child(*docs, "Added"));
        QCOMPARE(model.rowCount(model.IndexOf(docs)), 2);

        tree.FillTree(true, "");
        QCOMPARE(model.rowCount(), 2);
        const QModelIndex homeAgain = model.IndexOf(Child(tree.Root(), "Home"));
        QVERIFY(model.canFetchMore(homeAgain));
        model.fetchMore(homeAgain);
        QCOMPARE(model.rowCount(homeAgain), 3);
    }

    void viewAndTreeFollowEachOther()
    {
        MemoryNamespace shell(Desktop());
        CFolderTree view(shell);
        view.resize(400, 300);
        QSignalSpy selectionChanged(&view, &CFolderTree::SelectionChanged);
        view.FillTree(false, "/home/u/Docs/Deep");
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        FolderTree& tree = view.Tree();
        FolderTreeModel& model = view.Model();
        QCOMPARE(tree.Selected()->text, std::string("Deep"));
        QCOMPARE(model.NodeAt(view.currentIndex()), tree.Selected());
        QVERIFY(view.selectionModel()->isSelected(view.currentIndex()));
        const FolderNode* home = Child(tree.Root(), "Home");
        const FolderNode* docs = Child(*home, "Docs");
        QVERIFY(view.isExpanded(model.IndexOf(home)));
        QVERIFY(view.isExpanded(model.IndexOf(docs)));
        QVERIFY(selectionChanged.count() >= 2); // the first item, then Deep

        // A failed search closes again what it opened; the selection stays.
        const QModelIndex computer = model.IndexOf(Child(tree.Root(), "Computer"));
        QVERIFY(!view.SelectPath("/c/Nowhere"));
        QCOMPARE(shell.ReadCount("Computer"), 1);
        QVERIFY(!model.NodeAt(computer)->expanded);
        QVERIFY(!view.isExpanded(computer));
        QCOMPARE(tree.Selected()->text, std::string("Deep"));
        QCOMPARE(model.NodeAt(view.currentIndex()), tree.Selected());

        // The user opens Music: read once, expanded in the tree too.
        const QModelIndex music = model.IndexOf(Child(*home, "Music"));
        QCOMPARE(model.rowCount(music), 0);
        view.expand(music);
        QVERIFY(model.NodeAt(music)->expanded);
        QCOMPARE(shell.ReadCount("Music"), 1);
        QCOMPARE(model.rowCount(music), 1);
        view.collapse(music);
        QVERIFY(!model.NodeAt(music)->expanded);
        view.expand(music);
        QCOMPARE(shell.ReadCount("Music"), 1);

        // A click selects in the tree.
        selectionChanged.clear();
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(music).center());
        QCOMPARE(tree.Selected(), model.NodeAt(music));
        QCOMPARE(selectionChanged.count(), 1);
    }

    void rightClickSelectsAndOffersTheMenuOnTheLabelOnly()
    {
        MemoryNamespace shell(Desktop());
        CFolderTree view(shell);
        view.resize(400, 300);
        ScriptedMenu menu;
        view.SetContextMenuUi(&menu);
        view.FillTree(false, "/home/u/Music");
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        FolderTree& tree = view.Tree();
        FolderTreeModel& model = view.Model();
        const QModelIndex docs = model.IndexOf(Child(*Child(tree.Root(), "Home"), "Docs"));
        const QRect row = view.visualRect(docs);

        // Beside the label, far right on the row: selected, no menu.
        SendContextMenu(view, QPoint(view.viewport()->width() - 3, row.center().y()));
        QCOMPARE(model.IndexOf(tree.Selected()), docs);
        QCOMPARE(view.currentIndex(), docs);
        QVERIFY(menu.shown.empty());

        // On the label: the folder's menu.
        const int labelX = row.left() + view.iconSize().width() + 8;
        SendContextMenu(view, QPoint(labelX, row.center().y()));
        QCOMPARE(menu.shown.size(), std::size_t(1));
        QCOMPARE(menu.shown[0].at(0).text, std::string("New folder"));
        QVERIFY(shell.InvokedCommands().empty()); // nothing chosen

        // Below the last row: nothing selected, in the tree and the view.
        SendContextMenu(view, QPoint(labelX, view.viewport()->height() - 3));
        QVERIFY(!tree.Selected());
        QVERIFY(!view.selectionModel()->hasSelection());
        QCOMPARE(menu.shown.size(), std::size_t(1));
    }
};

QTEST_MAIN(FolderTreeViewTest)
#include "FolderTreeViewTest.moc"

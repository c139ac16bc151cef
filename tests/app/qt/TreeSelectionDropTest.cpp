// The main window's trees with several rows selected by Ctrl- and Shift-clicks,
// a Ctrl-click that leaves nothing selected, and drops through the models'
// mime-data calls: nodes between the panes and within one, refused drops and
// files from outside.

#include "app/SettingsKeys.h"
#include "app/qt/CMainDlg.h"
#include "edit/CategoryTree.h"
#include "edit/qt/CategoryTreeModel.h"
#include "edit/qt/CategoryTreeView.h"
#include "support/FakePrompts.h"
#include "support/MainWindowHarness.h"
#include "support/MapSettingsStore.h"

#include <QDataStream>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <QUrl>
#include <QtTest>

#include <memory>

using namespace tessaro;

namespace {

const QString kDemoMdb = QStringLiteral(TESSARO_SOURCE_DIR "/examples/Demo.buf/MDB.bup");
const QString kDemoArchive = QStringLiteral(TESSARO_SOURCE_DIR "/examples/Demo.mdx");

class Window : public MainWindowHarness
{
public:
    // Started with both demo files open.
    bool StartWithDemoFiles()
    {
        if (!Start())
            return false;
        prompts.openFileNames.push_back(kDemoMdb.toStdString());
        Click("openMdb");
        prompts.openFileNames.push_back(kDemoArchive.toStdString());
        Click("openArchive");
        return State().Pane(PaneId::Mdb).loaded && State().Pane(PaneId::Archive).loaded;
    }

    bool Enabled(const char* name) const { return Button(name)->isEnabled(); }
    CategoryTreeModel* Model(bool mdb) const { return static_cast<CategoryTreeModel*>(Tree(mdb)->model()); }
    CategoryTree& TreeOf(bool mdb) { return State().Pane(mdb ? PaneId::Mdb : PaneId::Archive).tree; }

    void ClickRow(bool mdb, const QModelIndex& index, Qt::KeyboardModifiers keys = {})
    {
        QTreeView* tree = Tree(mdb);
        tree->expand(index.parent());
        tree->scrollTo(index);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, keys, tree->visualRect(index).center());
    }
    int Entries(bool mdb) { return static_cast<int>(TreeOf(mdb).EntryNodeCount()); }

    // The drag of these rows as the view starts it, offered to the model of a tree.
    std::unique_ptr<QMimeData> Drag(bool mdb, const QModelIndexList& rows) const
    {
        return std::unique_ptr<QMimeData>(Model(mdb)->mimeData(rows));
    }
};

std::unique_ptr<QMimeData> FileDrag(const QStringList& paths)
{
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    data->setUrls(urls);
    return data;
}

} // namespace

class TreeSelectionDropTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { SetUiLanguage(UiLanguage::English); }

    void ctrlAndShiftClicksSelectSeveral()
    {
        Window w;
        QVERIFY(w.StartWithDemoFiles());
        w.ClickRow(true, w.Row(true, 0, 0));
        w.ClickRow(true, w.Row(true, 0, 2), Qt::ControlModifier);
        QCOMPARE(w.TreeOf(true).SelectionCount(), std::size_t(2));
        QCOMPARE(w.TreeOf(true).Selected(), w.Model(true)->NodeAt(w.Row(true, 0, 2)));
        for (const char* name : {"copy", "move", "delete"})
            QVERIFY2(w.Enabled(name), name);
        for (const char* name : {"edit", "mainEntry", "up", "down"})
            QVERIFY2(!w.Enabled(name), name);

        // Shift selects from the row clicked before, Ctrl adds a category.
        w.ClickRow(true, w.Row(true, 0, 0));
        QCOMPARE(w.TreeOf(true).SelectionCount(), std::size_t(1));
        w.ClickRow(true, w.Row(true, 0, 2), Qt::ShiftModifier);
        QCOMPARE(w.TreeOf(true).SelectionCount(), std::size_t(3));
        w.ClickRow(true, w.Row(true, 2), Qt::ControlModifier);
        QCOMPARE(w.TreeOf(true).SelectionCount(), std::size_t(4));
        const int entries = 3 + w.Model(true)->rowCount(w.Row(true, 2));

        // Delete asks once with the number; No keeps everything.
        w.prompts.Answer(MsgAnswer::No);
        w.Click("delete");
        QCOMPARE(w.prompts.messages.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(w.prompts.messages[0].text),
                 QStringLiteral("Delete %1 entries?").arg(entries));
        QCOMPARE(w.Entries(true), 42);
        w.prompts.Answer(MsgAnswer::Yes);
        w.Click("delete");
        QCOMPARE(w.Entries(true), 42 - entries);
        QCOMPARE(w.TreeOf(true).SelectionCount(), std::size_t(1)); // one row near the deleted ones
        QVERIFY(
            w.Tree(true)->selectionModel()->isSelected(w.Model(true)->IndexOf(w.TreeOf(true).Selected())));
        QCOMPARE(w.Tree(true)->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(w.Button("undo")->toolTip(), QStringLiteral("Undo: Delete (4 entries)"));
        w.Click("undo");
        QCOMPARE(w.Entries(true), 42);
        QVERIFY(!w.State().Pane(PaneId::Mdb).Modified());
    }

    // Today's mistake: the row Ctrl-clicked off was still acted on by Edit and Delete.
    void aCtrlClickThatClearsTheSelectionLeavesNothingSelected()
    {
        Window w;
        QVERIFY(w.StartWithDemoFiles());
        w.ClickRow(true, w.Row(true, 0, 0));
        QVERIFY(w.Enabled("edit") && w.Enabled("delete"));
        w.ClickRow(true, w.Row(true, 0, 0), Qt::ControlModifier);
        QCOMPARE(w.TreeOf(true).Selected(), nullptr);
        QVERIFY(w.Tree(true)->selectionModel()->selectedRows().isEmpty());
        for (const char* name : {"edit", "delete", "copy", "move", "mainEntry", "up", "down"})
            QVERIFY2(!w.Enabled(name), name);
        w.State().EditColumn().DeleteSelected(); // as a click that raced the buttons would
        w.State().EditColumn().EditSelected();
        QCOMPARE(w.Entries(true), 42);
        QVERIFY(w.prompts.messages.empty());

        // Selecting again works as before.
        w.ClickRow(true, w.Row(true, 0, 1));
        QVERIFY(w.Enabled("edit"));
        QCOMPARE(w.TreeOf(true).SelectionCount(), std::size_t(1));
    }

    // An operation on the tree shows in the view, a multiple selection included.
    void theViewShowsTheTreesSelection()
    {
        Window w;
        QVERIFY(w.StartWithDemoFiles());
        CategoryTree& tree = w.TreeOf(false);
        TreeNode* first = tree.CategoryAt(0);
        TreeNode* second = tree.CategoryAt(1);
        tree.SetSelection({first, second}, second);
        QItemSelectionModel* selection = w.Tree(false)->selectionModel();
        QCOMPARE(selection->selectedRows().size(), 2);
        QCOMPARE(selection->currentIndex(), w.Row(false, 1));
        tree.Select(first);
        QCOMPARE(selection->selectedRows(), QModelIndexList{w.Row(false, 0)});
    }

    // The picture beside the pointer: whole texts, at most four rows and a line for the rest.
    void theDragPictureShowsTheRowsWhole()
    {
        Window w;
        QVERIFY(w.StartWithDemoFiles());
        auto* view = qobject_cast<CategoryTreeView*>(w.Tree(true));
        QVERIFY(view);
        QTreeView* tree = w.Tree(true);
        tree->expand(w.Row(true, 0));
        const QModelIndex row = w.Row(true, 0, 5);
        const QPixmap one = view->DragPicture({row});
        const QFontMetrics metrics(tree->font(), &one);
        QVERIFY(one.deviceIndependentSize().width() > metrics.horizontalAdvance(row.data().toString()));
        QModelIndexList six;
        for (int entry = 0; entry < 6; ++entry)
            six << w.Row(true, 0, entry);
        const QPixmap many = view->DragPicture(six);
        QCOMPARE(qRound(many.deviceIndependentSize().height() - one.deviceIndependentSize().height()),
                 4 * metrics.height());
    }

    // A press on a selected row drags the selection; a press on any other row
    // drags that row alone, with its sub entries. Only Shift makes a move.
    void aDragTakesTheSelectionOrOnlyThePressedRow()
    {
        Window w;
        QVERIFY(w.StartWithDemoFiles());
        auto* view = qobject_cast<CategoryTreeView*>(w.Tree(true));
        QVERIFY(view);
        const auto press = [&](const QModelIndex& row, Qt::KeyboardModifiers keys = {}) {
            view->scrollTo(row);
            const QPoint at = view->visualRect(row).center();
            QTest::mousePress(view->viewport(), Qt::LeftButton, keys, at);
            const QModelIndexList dragged = view->DraggedRows();
            QTest::mouseRelease(view->viewport(), Qt::LeftButton, keys, at);
            return dragged;
        };
        const QModelIndex piano = w.Row(true, 0, 0);  // Piano Ballad
        const QModelIndex elise = w.Row(true, 0, 1);  // Für Elise
        const QModelIndex theme = w.Row(true, 0, 2);  // Love Theme, with two sub entries
        const QModelIndex bridge = w.Row(true, 0, 3); // its sub entry Love Bridge
        const QModelIndex danny = w.Row(true, 0, 5);  // Danny Boy
        QVERIFY(w.Model(true)->NodeAt(bridge)->Payload()->IsSubEntry());
        QVERIFY(!w.Model(true)->NodeAt(w.Row(true, 0, 5))->Payload()->IsSubEntry());
        w.ClickRow(true, piano);
        w.ClickRow(true, elise, Qt::ControlModifier);
        QCOMPARE(press(elise), (QModelIndexList{piano, elise}));
        // The selection stays for the drag until the release.
        QCOMPARE(press(theme), (QModelIndexList{theme, bridge, w.Row(true, 0, 4)}));
        QCOMPARE(press(bridge), QModelIndexList{bridge});
        w.ClickRow(true, piano);
        QCOMPARE(press(danny, Qt::ControlModifier), QModelIndexList{danny}); // added, but alone in the drag
        QCOMPARE(press(w.Row(true, 1)), QModelIndexList{w.Row(true, 1)}); // a category brings its entries itself

        QCOMPARE(CategoryTreeView::DropActionFor(Qt::ShiftModifier), Qt::MoveAction);
        QCOMPARE(CategoryTreeView::DropActionFor(Qt::ShiftModifier | Qt::ControlModifier), Qt::MoveAction);
        for (const Qt::KeyboardModifiers keys :
             {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ControlModifier),
              Qt::KeyboardModifiers(Qt::AltModifier), Qt::KeyboardModifiers(Qt::MetaModifier)})
            QCOMPARE(CategoryTreeView::DropActionFor(keys), Qt::CopyAction);
    }

    void entriesDragToTheOtherPaneCopyAndWithShiftMove()
    {
        Window w;
        QVERIFY(w.StartWithDemoFiles());
        CategoryTreeModel* archive = w.Model(false);
        const QModelIndex onto = w.Row(false, 1);
        const int before = archive->rowCount(onto);
        const QModelIndexList dragged{w.Row(true, 0, 0), w.Row(true, 0, 1)};
        const std::string title = w.Model(true)->NodeAt(dragged[1])->Payload()->GetTitle();
        const std::unique_ptr<QMimeData> data = w.Drag(true, dragged);
        QVERIFY(data);
        QVERIFY(archive->mimeTypes().contains(data->formats().value(0)));

        QVERIFY(archive->canDropMimeData(data.get(), Qt::CopyAction, -1, -1, onto));
        QVERIFY(archive->dropMimeData(data.get(), Qt::CopyAction, -1, -1, onto));
        QCOMPARE(archive->rowCount(onto), before + 2);
        QCOMPARE(w.Entries(true), 42);
        QCOMPARE(w.Entries(false), 21);
        QVERIFY(!w.State().IsActive(PaneId::Mdb)); // the pane dropped on
        QCOMPARE(w.Button("undo")->toolTip(), QStringLiteral("Undo: Copy (2 entries)"));
        QCOMPARE(w.dialog->findChild<QLabel*>(QStringLiteral("archiveCount"))->text(), QStringLiteral("21"));

        // Shift: moved, landing on the category of the entry dropped on.
        const std::unique_ptr<QMimeData> again = w.Drag(true, {w.Row(true, 0, 1)});
        const QModelIndex entry = w.Row(false, 0, 0);
        QVERIFY(archive->dropMimeData(again.get(), Qt::MoveAction, -1, -1, entry));
        QCOMPARE(w.Entries(true), 41);
        QCOMPARE(w.Entries(false), 22);
        int found = 0;
        for (const TreeNode* node = w.TreeOf(false).CategoryAt(0)->FirstChild(); node;
             node = node->NextSibling())
            found += node->Payload()->GetTitle() == title;
        QCOMPARE(found, 1);

        // Below every row: the first category. Undo takes back one drop at a time.
        const std::unique_ptr<QMimeData> category = w.Drag(true, {w.Row(true, 1)});
        QVERIFY(archive->dropMimeData(category.get(), Qt::CopyAction, -1, -1, {}));
        QVERIFY(w.Entries(false) > 22);
        w.Click("undo");
        QCOMPARE(w.Entries(false), 22);
        w.Click("undo");
        QCOMPARE(w.Entries(true), 42);
        QVERIFY(w.prompts.messages.empty());
    }

    void anEntryDroppedOnAnotherCategoryOfItsPaneMovesThere()
    {
        Window w;
        QVERIFY(w.StartWithDemoFiles());
        CategoryTreeModel* mdb = w.Model(true);
        const QModelIndex entry = w.Row(true, 0, 0);
        TreeNode* node = mdb->NodeAt(entry);
        const std::string title = node->Payload()->GetTitle();
        TreeNode* target = w.TreeOf(true).CategoryAt(2);
        const int targetEntries = target->ChildCount();
        const std::unique_ptr<QMimeData> data = w.Drag(true, {entry});

        // Onto its own category, or onto itself: nothing to do, refused.
        QVERIFY(!mdb->canDropMimeData(data.get(), Qt::MoveAction, -1, -1, w.Row(true, 0)));
        QVERIFY(!mdb->canDropMimeData(data.get(), Qt::CopyAction, -1, -1, entry));
        QVERIFY(!mdb->dropMimeData(data.get(), Qt::MoveAction, -1, -1, w.Row(true, 0)));
        QVERIFY(!w.Button("undo")->isEnabled());

        QVERIFY(mdb->canDropMimeData(data.get(), Qt::CopyAction, -1, -1, mdb->IndexOf(target)));
        QVERIFY(mdb->dropMimeData(data.get(), Qt::CopyAction, -1, -1, mdb->IndexOf(target)));
        QCOMPARE(target->ChildCount(), targetEntries + 1);
        QCOMPARE(w.Entries(true), 42);
        TreeNode* moved = w.TreeOf(true).Selected();
        QVERIFY(moved && moved->Parent() == target);
        QCOMPARE(moved->Payload()->GetTitle(), title);
        QCOMPARE(moved->Payload()->GetCategory(), target->CategoryName());
        QVERIFY(w.State().Pane(PaneId::Mdb).Modified());
        QCOMPARE(w.Tree(true)->currentIndex(), mdb->IndexOf(moved));
    }

    void dropsThatCannotBeAreRefused()
    {
        Window w;
        QVERIFY(w.StartWithDemoFiles());
        CategoryTreeModel* archive = w.Model(false);
        const std::unique_ptr<QMimeData> data = w.Drag(true, {w.Row(true, 1)});
        // Neither copy nor move, or onto an index of another model.
        QVERIFY(!archive->canDropMimeData(data.get(), Qt::LinkAction, -1, -1, {}));
        QVERIFY(!archive->canDropMimeData(data.get(), Qt::CopyAction, -1, -1, w.Row(true, 0)));
        // A category into a category of its own pane.
        QVERIFY(!w.Model(true)->canDropMimeData(data.get(), Qt::MoveAction, -1, -1, w.Row(true, 2)));
        // Nodes that are no longer there, and bytes that are no drag of ours.
        QMimeData stale;
        stale.setData(QString::fromLatin1(kTreeNodesMimeType),
                      data->data(QString::fromLatin1(kTreeNodesMimeType)));
        QMimeData garbage;
        garbage.setData(QString::fromLatin1(kTreeNodesMimeType), QByteArray("\x01\x02\x03", 3));
        QVERIFY(!archive->canDropMimeData(&garbage, Qt::CopyAction, -1, -1, {}));
        QVERIFY(!archive->dropMimeData(&garbage, Qt::CopyAction, -1, -1, {}));
        // A well-formed drag that names a tree outside the window's panes.
        CategoryTree outside(w.styles);
        QVERIFY(outside.InsertSorted(std::make_unique<EntryNode>()));
        QByteArray bytes;
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out << QCoreApplication::applicationPid() << quint64(reinterpret_cast<quintptr>(&outside))
            << qint32(1) << qint32(0) << qint32(-1);
        QMimeData foreign;
        foreign.setData(QString::fromLatin1(kTreeNodesMimeType), bytes);
        QVERIFY(!archive->canDropMimeData(&foreign, Qt::CopyAction, -1, -1, {}));
        QVERIFY(!archive->dropMimeData(&foreign, Qt::CopyAction, -1, -1, {}));
        w.Click("closeMdb"); // unchanged: closed without a question
        QVERIFY(!archive->canDropMimeData(&stale, Qt::CopyAction, -1, -1, {}));
        QCOMPARE(w.Entries(false), 19);
        QVERIFY(w.prompts.messages.empty());
    }

    void filesDroppedOpenInTheirPane()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString archiveCopy = folder.filePath(QStringLiteral("Copy.mdx"));
        const QString mdbCopy = folder.filePath(QStringLiteral("MDB.bup"));
        QVERIFY(QFile::copy(kDemoArchive, archiveCopy) && QFile::copy(kDemoMdb, mdbCopy));
        Window w;
        QVERIFY(w.StartWithDemoFiles());
        CategoryTreeModel* mdb = w.Model(true);
        CategoryTreeModel* archive = w.Model(false);

        const std::unique_ptr<QMimeData> files = FileDrag({archiveCopy});
        QVERIFY(!mdb->canDropMimeData(files.get(), Qt::CopyAction, -1, -1, {}));     // not an MDB
        QVERIFY(!archive->canDropMimeData(files.get(), Qt::MoveAction, -1, -1, {})); // never moved in
        QVERIFY(archive->canDropMimeData(files.get(), Qt::CopyAction, -1, -1, w.Row(false, 0)));
        const std::unique_ptr<QMimeData> same = FileDrag({kDemoArchive});
        QVERIFY(!archive->canDropMimeData(same.get(), Qt::CopyAction, -1, -1, {})); // shown already
        const std::unique_ptr<QMimeData> folderDrag = FileDrag({folder.path()});
        QVERIFY(!archive->canDropMimeData(folderDrag.get(), Qt::CopyAction, -1, -1, {}));

        // A changed pane asks first; Cancel keeps it.
        MarkModified(w.State().Pane(PaneId::Archive));
        w.prompts.Answer(MsgAnswer::Cancel);
        QVERIFY(archive->dropMimeData(files.get(), Qt::CopyAction, -1, -1, {}));
        QTRY_COMPARE(w.prompts.messages.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(w.prompts.messages[0].text),
                 QString::fromStdString(Tr(Msg::ArchiveChangedSave)));
        QCOMPARE(QString::fromStdString(w.State().Pane(PaneId::Archive).fileName), kDemoArchive);

        w.prompts.Answer(MsgAnswer::No);
        QVERIFY(archive->dropMimeData(files.get(), Qt::CopyAction, -1, -1, {}));
        QTRY_COMPARE(QString::fromStdString(w.State().Pane(PaneId::Archive).fileName), archiveCopy);
        QVERIFY(!w.State().Pane(PaneId::Archive).Modified());
        QCOMPARE(w.Entries(false), 19);
        QVERIFY(!w.State().IsActive(PaneId::Mdb));

        // Of several files the one that belongs to the pane.
        const std::unique_ptr<QMimeData> mixed = FileDrag({archiveCopy, kDemoMdb, mdbCopy});
        QVERIFY(mdb->dropMimeData(mixed.get(), Qt::CopyAction, -1, -1, w.Row(true, 0)));
        QTRY_COMPARE(QString::fromStdString(w.State().Pane(PaneId::Mdb).fileName), mdbCopy);
        QCOMPARE(w.Entries(true), 42);
        QCOMPARE(QString::fromStdString(w.State().Pane(PaneId::Archive).fileName), archiveCopy);
    }

    // A pane without a database has its tree disabled: a file dropped there,
    // or anywhere on the window, opens in the pane it belongs to.
    void filesDroppedOnTheWindowOpenInTheirPane()
    {
        Window w;
        QVERIFY(w.StartWithDemoFiles());
        w.Click("closeArchive");
        QVERIFY(!w.Tree(false)->isEnabled());
        const std::unique_ptr<QMimeData> files = FileDrag({kDemoArchive});
        const QPoint over = w.Tree(false)->geometry().center();
        QDragEnterEvent enter(over, Qt::CopyAction | Qt::MoveAction, files.get(), Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(w.dialog.get(), &enter);
        QVERIFY(enter.isAccepted());
        QCOMPARE(enter.dropAction(), Qt::CopyAction);
        QDropEvent drop(over, Qt::CopyAction | Qt::MoveAction, files.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w.dialog.get(), &drop);
        QVERIFY(drop.isAccepted());
        QTRY_VERIFY(w.State().Pane(PaneId::Archive).loaded);
        QCOMPARE(w.Entries(false), 19);
        QVERIFY(w.Tree(false)->isEnabled());

        // The file each pane shows already: refused.
        QDragEnterEvent again(over, Qt::CopyAction, files.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w.dialog.get(), &again);
        QVERIFY(!again.isAccepted());
        QVERIFY(w.prompts.messages.empty());
    }
};

QTEST_MAIN(TreeSelectionDropTest)
#include "TreeSelectionDropTest.moc"

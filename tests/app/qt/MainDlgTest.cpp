// The main window as a user meets it: its start state and layout, the captions
// in both languages, the edit column following the focus and the selection,
// Return doing nothing, Escape and the close box running the exit sequence,
// the options reaching the state, and a session on the demo files.

#include "app/SettingsKeys.h"
#include "app/qt/CMainDlg.h"
#include "support/CaptionCheck.h"
#include "support/FakePrompts.h"
#include "support/MainWindowHarness.h"
#include "support/MapSettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

#include <cstdlib>
#include <memory>

using namespace tessaro;

namespace {

const QString kDemoMdb = QStringLiteral(TESSARO_SOURCE_DIR "/examples/Demo.buf/MDB.bup");
const QString kDemoArchive = QStringLiteral(TESSARO_SOURCE_DIR "/examples/Demo.mdx");

const char* const kEditColumn[] = {"newCategory", "edit", "mainEntry", "copy",   "move",
                                   "up",          "down", "delete",    "search", "protocolFormatted",
                                   "protocolTabs"};

// A main window over scripted prompts and settings in memory.
class Window : public MainWindowHarness
{
public:
    using MainWindowHarness::MainWindowHarness;

    QString Text(const char* name) const { return Get<QLabel>(name)->text(); }

    void OpenDemoMdb()
    {
        prompts.openFileNames.push_back(kDemoMdb.toStdString());
        Click("openMdb");
    }
    void OpenDemoArchive()
    {
        prompts.openFileNames.push_back(kDemoArchive.toStdString());
        Click("openArchive");
    }

    void ClickRow(bool mdb, const QModelIndex& index)
    {
        QTreeView* tree = Tree(mdb);
        tree->scrollTo(index);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(index).center());
    }
    void DoubleClickRow(bool mdb, const QModelIndex& index)
    {
        QTreeView* tree = Tree(mdb);
        tree->scrollTo(index);
        const QPoint at = tree->visualRect(index).center();
        // As the window system delivers one: press, release, double click, release.
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(tree->viewport(), Qt::LeftButton, {}, at);
    }

    std::optional<int> StoredInt(const char* name) const
    {
        return settings.IntValue(settings::kSection, name);
    }
};

bool IsEnabled(const Window& w, const char* name)
{
    return w.Get<QWidget>(name)->isEnabled();
}

} // namespace

class MainDlgTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { SetUiLanguage(UiLanguage::English); }

    // Through the window: a move between the panes, undone by the button and
    // redone by the keys, with the buttons, tooltips, counts and modified flags following.
    void undoAndRedoFollowTheHistory()
    {
        Window w("E");
        QVERIFY(w.Start());
        w.OpenDemoMdb();
        w.OpenDemoArchive();
        QVERIFY(!IsEnabled(w, "undo") && !IsEnabled(w, "redo"));
        const QString mdbCount = w.Text("mdbCount");
        const QString archiveCount = w.Text("archiveCount");
        const QString firstCategory = w.Row(true, 0).data().toString();

        w.ClickRow(false, w.Row(false, 0));
        w.ClickRow(true, w.Row(true, 0)); // the MDB pane is active, its first category selected
        w.Click("move");
        QVERIFY(IsEnabled(w, "undo") && !IsEnabled(w, "redo"));
        QCOMPARE(w.Button("undo")->toolTip(),
                 QStringLiteral("Undo: Move \"%1\"").arg(firstCategory.trimmed()));
        QVERIFY(w.Text("mdbCount") != mdbCount && w.Text("archiveCount") != archiveCount);
        QVERIFY(w.dialog->State().Pane(PaneId::Mdb).Modified() &&
                w.dialog->State().Pane(PaneId::Archive).Modified());

        w.Click("undo");
        QCOMPARE(w.Text("mdbCount"), mdbCount);
        QCOMPARE(w.Text("archiveCount"), archiveCount);
        QCOMPARE(w.Row(true, 0).data().toString(), firstCategory);
        QVERIFY(w.Tree(true)->selectionModel()->isSelected(w.Row(true, 0))); // back, and selected
        QVERIFY(!w.dialog->State().Pane(PaneId::Mdb).Modified() &&
                !w.dialog->State().Pane(PaneId::Archive).Modified());
        QVERIFY(!IsEnabled(w, "undo") && IsEnabled(w, "redo"));

        QTest::keyClick(w.dialog.get(), Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(w.Text("mdbCount") != mdbCount);
        QTest::keyClick(w.dialog.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.Text("mdbCount"), mdbCount);
        QTest::keyClick(w.dialog.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(w.Text("mdbCount") != mdbCount);
    }

    void startsEmptyWithTheEditColumnDisabled()
    {
        Window w;
        QVERIFY(w.Start());
        QCOMPARE(w.dialog->windowTitle(),
                 QStringLiteral("Tessaro  -  Music Database Editor for Yamaha PSR-9000 and 9000pro"));
        QVERIFY(!w.dialog->windowIcon().isNull());
        QCOMPARE(w.dialog->minimumSize(), w.dialog->size()); // it starts at its smallest
        QVERIFY(w.Text("versionLine").contains(QStringLiteral(TESSARO_VERSION)));

        for (const char* name : kEditColumn)
            QVERIFY2(!IsEnabled(w, name), name);
        for (const char* name : {"saveMdb", "saveAsMdb", "closeMdb", "treeMdb", "saveArchive",
                                 "saveAsArchive", "closeArchive", "treeArchive"})
            QVERIFY2(!IsEnabled(w, name), name);
        for (const char* name : {"newMdb", "openMdb", "newArchive", "openArchive", "help", "exit"})
            QVERIFY2(IsEnabled(w, name), name);
        QCOMPARE(w.Button("copy")->text(), QStringLiteral("Copy"));
        QCOMPARE(w.Button("move")->text(), QStringLiteral("Move"));
        QCOMPARE(w.Button("mainEntry")->text(), QStringLiteral("Main entry"));
        QVERIFY(w.Button("copy")->styleSheet().contains(QStringLiteral("center")));

        // The options as stored, Factory flash styles, nothing recent, no counts.
        QVERIFY(!w.Get<QCheckBox>("backupStructure")->isChecked());
        QVERIFY(!w.Get<QCheckBox>("noNetwork")->isChecked());
        QVERIFY(w.Get<QRadioButton>("factory")->isChecked());
        QCOMPARE(w.Get<QComboBox>("recentMdb")->count(), 0);
        QCOMPARE(w.Get<QComboBox>("recentArchive")->count(), 0);
        QVERIFY(w.Text("mdbCount").isEmpty());
        QVERIFY(w.Text("archiveCount").isEmpty());
        QVERIFY(w.prompts.languages.empty() && w.prompts.messages.empty() && w.prompts.unscripted == 0);
        for (QPushButton* button : w.dialog->findChildren<QPushButton*>())
            QVERIFY2(!button->isDefault() && !button->autoDefault(), qPrintable(button->objectName()));
    }

    // Every control lies inside the window and none covers another; the group
    // box frames its radio buttons and the flash-style file label.
    void controlsDoNotOverlap()
    {
        Window w;
        QVERIFY(w.Start());
        const QRect window = w.dialog->rect();
        const QRect group = w.Get<QGroupBox>("flashStylesGroup")->geometry();
        QList<QWidget*> controls;
        for (QWidget* child : w.dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (child->isVisible() && !qobject_cast<QGroupBox*>(child))
                controls << child;
        QVERIFY(controls.size() >= 40);
        for (QWidget* control : controls) {
            QVERIFY2(window.contains(control->geometry()), qPrintable(control->objectName()));
            for (const char* inGroup : {"factory", "default", "individual", "flashStyleFile"})
                if (control->objectName() == QLatin1String(inGroup))
                    QVERIFY2(group.contains(control->geometry()), inGroup);
        }
        for (int a = 0; a < controls.size(); ++a)
            for (int b = a + 1; b < controls.size(); ++b)
                QVERIFY2(!controls[a]->geometry().intersects(controls[b]->geometry()),
                         qPrintable(controls[a]->objectName() + " / " + controls[b]->objectName()));
        // The trees take the same height, the edit column stands between them.
        QCOMPARE(w.Tree(true)->height(), w.Tree(false)->height());
        QVERIFY(w.Button("copy")->geometry().left() > w.Tree(true)->geometry().right());
        QVERIFY(w.Button("copy")->geometry().right() < w.Tree(false)->geometry().left());
    }

    void captions_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("askGerman"); // nothing stored: the language dialog answers
        QTest::addColumn<QStringList>(
            "captions"); // newMdb, openArchive, saveAsMdb, closeArchive, edit, help, exit, backupStructure
        QTest::newRow("English") << "E" << false
                                 << QStringList{"New",  "Open", "Save As", "Close",
                                                "Edit", "Help", "Exit",    "Yamaha backup structure:"};
        QTest::newRow("German") << "G" << false << QStringList{"Neu",
                                                               "Öffnen",
                                                               "Speich.unt.",
                                                               "Schließen",
                                                               "Eintrag bearb.",
                                                               "Hilfe",
                                                               "Ende",
                                                               "Yamaha Backup Struktur:"};
        QTest::newRow("German chosen at start") << "g" << true << QStringList{"Neu",
                                                                              "Öffnen",
                                                                              "Speich.unt.",
                                                                              "Schließen",
                                                                              "Eintrag bearb.",
                                                                              "Hilfe",
                                                                              "Ende",
                                                                              "Yamaha Backup Struktur:"};
    }

    void captions()
    {
        QFETCH(QString, stored);
        QFETCH(bool, askGerman);
        QFETCH(QStringList, captions);
        Window w(stored.toLatin1().constData());
        if (askGerman)
            w.prompts.languages.push_back(UiLanguage::German);
        QVERIFY(w.Start());
        QVERIFY(w.prompts.languages.empty());
        const QStringList shown{w.Button("newMdb")->text(),    w.Button("openArchive")->text(),
                                w.Button("saveAsMdb")->text(), w.Button("closeArchive")->text(),
                                w.Button("edit")->text(),      w.Button("help")->text(),
                                w.Button("exit")->text(),      w.Get<QCheckBox>("backupStructure")->text()};
        QCOMPARE(shown, captions);
        // These keep their English captions in German too.
        QCOMPARE(w.Get<QRadioButton>("factory")->text(), QStringLiteral("Factory"));
        QCOMPARE(w.Get<QRadioButton>("default")->text(), QStringLiteral("Default"));
        QCOMPARE(w.Get<QRadioButton>("individual")->text(), QStringLiteral("Individual:"));
        QCOMPARE(w.Get<QGroupBox>("flashStylesGroup")->title(), QStringLiteral("Flash Styles"));
        QCOMPARE(w.Text("keyboardLabel"), QStringLiteral("Keyboard:"));
        QCOMPARE(w.Text("labelMdb"), QStringLiteral("MDB:"));
        QCOMPARE(w.Text("labelArchive"), QStringLiteral("Archive:"));
        QCOMPARE(w.dialog->windowTitle(),
                 QStringLiteral("Tessaro  -  Music Database Editor for Yamaha PSR-9000 and 9000pro"));
    }

    // Every caption whole and clear of its neighbours, whatever the edit
    // column reads, in both languages.
    void captionsFitInBothLanguages_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << "E";
        QTest::newRow("German") << "G";
    }
    void captionsFitInBothLanguages()
    {
        QFETCH(QString, language);
        Window w(language.toLatin1().constData());
        QVERIFY(w.Start());
        QCOMPARE(testing::CaptionProblems(*w.dialog).join("; "), QString());
        w.OpenDemoMdb();
        w.OpenDemoArchive();
        QCOMPARE(testing::CaptionProblems(*w.dialog).join("; "), QString()); // "<< Verschieben"
        w.Tree(true)->expand(w.Row(true, 0));
        w.ClickRow(true, w.Row(true, 0, 3)); // a sub entry: "Haupteintrag", "Verschieben >>"
        QCOMPARE(testing::CaptionProblems(*w.dialog).join("; "), QString());
        w.Click("mainEntry"); // "Untereintrag"
        QCOMPARE(testing::CaptionProblems(*w.dialog).join("; "), QString());
    }

    void versionLineNamesTheMonthInTheLanguage()
    {
        Window english("E");
        QVERIFY(english.Start());
        QVERIFY2(english.Text("versionLine").contains(QStringLiteral(" December ")),
                 qPrintable(english.Text("versionLine")));
        Window german("G");
        QVERIFY(german.Start());
        QVERIFY2(german.Text("versionLine").contains(QStringLiteral(". Dezember ")),
                 qPrintable(german.Text("versionLine")));
    }

    // Qt's own texts, here the context menu of any text field.
    void qtsOwnTextsFollowTheLanguage()
    {
        const auto undoText = [] {
            QLineEdit edit;
            const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
            return menu->actions().value(0)->text();
        };
        {
            Window german("G");
            QVERIFY(german.Start());
            QVERIFY2(undoText().contains(QStringLiteral("Rückgängig")), qPrintable(undoText()));
        }
        Window english("E");
        QVERIFY(english.Start());
        QVERIFY2(undoText().startsWith(QStringLiteral("&Undo")), qPrintable(undoText()));
    }

    void storedNamesReadWithOneAmpersand()
    {
        Window w;
        QVERIFY(w.Start());
        w.OpenDemoMdb();
        const QAbstractItemModel* model = w.Tree(true)->model();
        QStringList shown;
        for (int c = 0; c < model->rowCount(); ++c) {
            const QModelIndex category = model->index(c, 0);
            shown << category.data().toString();
            for (int e = 0; e < model->rowCount(category); ++e)
                shown << model->index(e, 0, category).data().toString();
        }
        QVERIFY(!shown.filter(QStringLiteral("(Slow & Easy,")).isEmpty()); // stored "Slow && Easy"
        QCOMPARE(shown.filter(QStringLiteral("&&")), QStringList());
    }

    // The pane the edit column acts on shows its selection in the highlight
    // colour, also while a button has the focus; the other pane's selection
    // is drawn as an inactive one.
    void onlyTheActivePaneShowsItsSelectionActive()
    {
        Window w;
        QVERIFY(w.Start());
        w.OpenDemoMdb();
        w.OpenDemoArchive();
        w.Tree(false)->expand(w.Row(false, 0));
        w.ClickRow(false, w.Row(false, 0, 0)); // Wedding: Ave Maria
        w.Tree(true)->expand(w.Row(true, 0));
        w.ClickRow(true, w.Row(true, 0, 0)); // Ballads: Piano Ballad
        const QColor highlight =
            QApplication::palette(w.Tree(true)).color(QPalette::Active, QPalette::Highlight);
        // Whether the background at the right end of the selected row, where
        // no text is, has the highlight colour (the style may shade it a little).
        const auto highlighted = [&w, &highlight](bool mdb) {
            QTreeView* tree = w.Tree(mdb);
            const QRect row = tree->visualRect(tree->currentIndex());
            const QColor shown =
                tree->viewport()->grab().toImage().pixelColor(row.right() - 2, row.center().y());
            return std::abs(shown.red() - highlight.red()) + std::abs(shown.green() - highlight.green()) +
                       std::abs(shown.blue() - highlight.blue()) <
                   24;
        };
        QVERIFY(highlighted(true));
        QVERIFY(!highlighted(false));

        w.ClickRow(false, w.Row(false, 0, 0));
        QVERIFY(!highlighted(true));
        QVERIFY(highlighted(false));
        w.Button("search")->setFocus(); // the archive pane stays the active one
        QVERIFY(highlighted(false));
        QVERIFY(!highlighted(true));
    }

    void editColumnFollowsFocusAndSelection_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("texts"); // <<Copy, <<Move, Copy>>, Move>>, Main entry, Sub entry
        QTest::newRow("English") << "E" << QStringList{"<< Copy", "<< Move",    "Copy >>",
                                                       "Move >>", "Main entry", "Sub entry"};
        QTest::newRow("German") << "G" << QStringList{"<< Kopieren",    "<< Verschieben", "Kopieren >>",
                                                      "Verschieben >>", "Haupteintrag",   "Untereintrag"};
    }

    void editColumnFollowsFocusAndSelection()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, texts);
        Window w(language.toLatin1().constData());
        QVERIFY(w.Start());
        w.OpenDemoMdb();
        // Opening a pane makes it the active one.
        QCOMPARE(w.Button("copy")->text(), texts[2]);
        QVERIFY(w.Button("copy")->styleSheet().contains(QStringLiteral("left")));
        QVERIFY(!IsEnabled(w, "copy")); // the archive pane is not loaded
        QVERIFY(IsEnabled(w, "newCategory") && IsEnabled(w, "search") && IsEnabled(w, "protocolTabs"));
        QVERIFY(!IsEnabled(w, "edit")); // nothing selected
        QCOMPARE(w.Text("mdbCount"), QStringLiteral("42"));
        QCOMPARE(w.Text("modelLabel"), QStringLiteral("PSR9000"));

        w.OpenDemoArchive();
        QCOMPARE(w.Button("copy")->text(), texts[0]);
        QCOMPARE(w.Button("move")->text(), texts[1]);
        QVERIFY(w.Button("copy")->styleSheet().contains(QStringLiteral("right")));
        QCOMPARE(w.Text("archiveCount"), QStringLiteral("19"));

        // A click into the MDB tree makes its pane active; a selected entry enables the rest.
        w.Tree(true)->expand(w.Row(true, 0));
        w.ClickRow(true, w.Row(true, 0, 0)); // Ballads: Piano Ballad, first of its group
        QVERIFY(w.Tree(true)->hasFocus());
        QCOMPARE(w.Button("copy")->text(), texts[2]);
        QCOMPARE(w.Button("move")->text(), texts[3]);
        QVERIFY(w.Button("copy")->styleSheet().contains(QStringLiteral("left")));
        for (const char* name : {"edit", "copy", "move", "delete"})
            QVERIFY2(IsEnabled(w, name), name);
        QVERIFY(!IsEnabled(w, "up") && !IsEnabled(w, "down") && !IsEnabled(w, "mainEntry"));

        // Love Bridge: a sub entry behind its main entry.
        w.ClickRow(true, w.Row(true, 0, 3));
        QCOMPARE(w.Button("mainEntry")->text(), texts[4]);
        QVERIFY(IsEnabled(w, "mainEntry") && IsEnabled(w, "up") && IsEnabled(w, "down"));
        // Love Theme, the first of that group: nothing above it to join.
        w.ClickRow(true, w.Row(true, 0, 2));
        QVERIFY(!IsEnabled(w, "up") && IsEnabled(w, "down") && !IsEnabled(w, "mainEntry"));

        // A category: Up and Down by its neighbours.
        w.ClickRow(true, w.Row(true, 0));
        QVERIFY(!IsEnabled(w, "up") && IsEnabled(w, "down"));

        // The archive tree: nothing selected there yet.
        w.ClickRow(false, w.Row(false, 1));
        QCOMPARE(w.Button("copy")->text(), texts[0]);
        QVERIFY(IsEnabled(w, "edit") && IsEnabled(w, "copy"));
        // Focus moving to a button leaves the archive pane active.
        w.Button("search")->setFocus();
        QCOMPARE(w.Button("copy")->text(), texts[0]);
        QVERIFY(w.dialog->State().HasActivePane() && !w.dialog->State().IsActive(PaneId::Mdb));
        QVERIFY(w.prompts.messages.empty());
    }

    // The first entry of a group that has a sub entry behind it: selecting the
    // sub entry and making it a main entry flips the caption.
    void mainEntryButtonToggles()
    {
        Window w;
        QVERIFY(w.Start());
        w.OpenDemoMdb();
        w.Tree(true)->expand(w.Row(true, 0));
        w.ClickRow(true, w.Row(true, 0, 4)); // Love Finale, sub entry
        QCOMPARE(w.Button("mainEntry")->text(), QStringLiteral("Main entry"));
        w.Click("mainEntry");
        QCOMPARE(w.Button("mainEntry")->text(), QStringLiteral("Sub entry"));
        QVERIFY(w.dialog->State().Pane(PaneId::Mdb).Modified());
    }

    // Outside the trees (where it edits, as F2 does).
    void returnDoesNothing()
    {
        Window w;
        QVERIFY(w.Start());
        w.OpenDemoMdb();
        w.Tree(true)->expand(w.Row(true, 0));
        w.ClickRow(true, w.Row(true, 0, 0));
        const std::size_t opens = w.prompts.openRequests.size();

        for (const char* name : {"openMdb", "edit", "exit", "recentMdb", "backupStructure", "factory"}) {
            QWidget* control = w.Get<QWidget>(name);
            control->setFocus();
            QTest::keyClick(control, Qt::Key_Return);
            QTest::keyClick(control, Qt::Key_Enter, Qt::KeypadModifier);
            QVERIFY2(w.dialog->isVisible(), name);
        }
        QCOMPARE(w.prompts.openRequests.size(), opens);
        QVERIFY(w.prompts.entryDialogModels.empty());
        QVERIFY(w.prompts.messages.empty());
        QVERIFY(!w.Get<QCheckBox>("backupStructure")->isChecked());
        QVERIFY(!w.StoredInt(settings::kTopPos)); // no exit sequence ran
    }

    void escapeAndCloseBoxRunTheExitSequence()
    {
        Window w;
        w.settings.WriteInt(settings::kSection, settings::kLeftPos, 40);
        w.settings.WriteInt(settings::kSection, settings::kTopPos, 30);
        w.dialog->Initialise();
        QCOMPARE(w.dialog->pos(), QPoint(40, 30)); // restored before it is shown
        w.dialog->show();
        w.dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.dialog.get()));
        w.OpenDemoMdb();
        w.Tree(true)->expand(w.Row(true, 0));
        w.ClickRow(true, w.Row(true, 0, 4));
        w.Click("mainEntry"); // changed: the exit asks

        // Cancel keeps the window open, whether asked through Escape or the close box.
        w.prompts.Answer(MsgAnswer::Cancel);
        QTest::keyClick(w.Tree(true), Qt::Key_Escape);
        QVERIFY(w.dialog->isVisible());
        w.prompts.Answer(MsgAnswer::Cancel);
        QVERIFY(!w.dialog->close());
        QVERIFY(w.dialog->isVisible());
        QCOMPARE(w.prompts.TimesShown(Msg::MdbChangedSave), 2);
        QVERIFY(!w.StoredInt(settings::kKeyboardModel)); // nothing stored yet

        w.dialog->move(70, 50);
        w.prompts.Answer(MsgAnswer::No);
        QTest::keyClick(w.Button("help"), Qt::Key_Escape);
        QVERIFY(!w.dialog->isVisible());
        QCOMPARE(w.prompts.TimesShown(Msg::MdbChangedSave), 3);
        QVERIFY(w.StoredInt(settings::kKeyboardModel) == 1);
        QVERIFY(w.StoredInt(settings::kLeftPos) == w.dialog->frameGeometry().left());
        QVERIFY(w.StoredInt(settings::kTopPos) == w.dialog->frameGeometry().top());
        QVERIFY(w.settings.StringValue(settings::kSection, "LastOpenMDB1") == kDemoMdb.toStdString());
        QVERIFY(w.dialog->State().Pane(PaneId::Mdb).tree.IsEmpty()); // the panes were cleared
        QVERIFY(w.prompts.unscripted == 0);
    }

    void exitButtonClosesAnUnchangedWindowWithoutAsking()
    {
        Window w;
        // A stored edge of -1 means no stored position: the window is not moved.
        w.settings.WriteInt(settings::kSection, settings::kLeftPos, 333);
        w.settings.WriteInt(settings::kSection, settings::kTopPos, -1);
        QVERIFY(w.Start());
        QVERIFY(w.dialog->pos().x() != 333);
        w.OpenDemoArchive();
        w.Click("exit");
        QVERIFY(!w.dialog->isVisible());
        QVERIFY(w.prompts.messages.empty());
        QVERIFY(w.settings.StringValue(settings::kSection, "LastOpenArchiv1") == kDemoArchive.toStdString());
        QVERIFY(w.settings.StringValue(settings::kSection, "LastOpenArchiv10") == std::string());
    }

    void aPositionOffEveryScreenIsNotApplied()
    {
        for (const QPoint stored : {QPoint(100000, 100000), QPoint(-5000, 40), QPoint(40, -5000)}) {
            Window w;
            w.settings.WriteInt(settings::kSection, settings::kLeftPos, stored.x());
            w.settings.WriteInt(settings::kSection, settings::kTopPos, stored.y());
            w.dialog->Initialise();
            QVERIFY(w.dialog->pos() != stored);
            QVERIFY(!w.dialog->State().Position().IsSet());
        }
    }

    void doubleClickEditsEntriesAndOpensCategories()
    {
        Window w;
        QVERIFY(w.Start());
        w.OpenDemoMdb();
        w.OpenDemoArchive(); // the archive pane is active now
        QTreeView* tree = w.Tree(true);
        const QModelIndex ballads = w.Row(true, 0);
        QVERIFY(!tree->isExpanded(ballads));
        w.DoubleClickRow(true, ballads);
        QVERIFY(tree->isExpanded(ballads));
        QVERIFY(w.prompts.categoryDialogInputs.empty() && w.prompts.entryDialogModels.empty());
        w.DoubleClickRow(true, ballads);
        QVERIFY(!tree->isExpanded(ballads));

        // An entry of the pane that was not active: that entry is edited.
        tree->expand(ballads);
        std::string editedTitle;
        w.prompts.entryEdits.push_back([&](MdbEntry& entry, int) {
            editedTitle = entry.GetTitle();
            return false; // Cancel
        });
        w.DoubleClickRow(true, w.Row(true, 0, 1));
        QCOMPARE(editedTitle, std::string("F\xfc"
                                          "r Elise"));
        QVERIFY(w.prompts.entryDialogModels == std::vector<int>{1}); // the MDB's model
        QVERIFY(w.dialog->State().IsActive(PaneId::Mdb));
        QVERIFY(!w.dialog->State().Pane(PaneId::Mdb).Modified());
    }

    void optionsReachTheState()
    {
        Window w;
        QVERIFY(w.Start());
        w.OpenDemoMdb();
        auto* recent = w.Get<QComboBox>("recentMdb");
        QCOMPARE(recent->currentText(), kDemoMdb); // a plain path with the option off

        QTest::mouseClick(w.Get<QCheckBox>("backupStructure"), Qt::LeftButton);
        QVERIFY(w.dialog->State().Options().BackupStructure());
        QVERIFY(!recent->currentText().endsWith(QStringLiteral("MDB.bup"))); // shown as the set's name
        QCOMPARE(recent->count(), 1);

        QTest::mouseClick(w.Get<QCheckBox>("noNetwork"), Qt::LeftButton);
        QVERIFY(w.dialog->State().Options().NoNetwork());

        QTest::mouseClick(w.Get<QRadioButton>("default"), Qt::LeftButton);
        QCOMPARE(w.dialog->State().Options().FlashStyleMode(), kFlashDefault);
        QVERIFY(w.Get<QRadioButton>("default")->isChecked());
        // Individual without a file chosen falls back to Factory, and the radios show it.
        QTest::mouseClick(w.Get<QRadioButton>("individual"), Qt::LeftButton);
        QCOMPARE(w.dialog->State().Options().FlashStyleMode(), kFlashFactory);
        QVERIFY(w.Get<QRadioButton>("factory")->isChecked());
    }

    void recentFileListReopensAFile()
    {
        Window w;
        QVERIFY(w.Start());
        w.OpenDemoMdb();
        w.Click("closeMdb");
        QVERIFY(!IsEnabled(w, "treeMdb"));
        QVERIFY(w.Text("mdbCount").isEmpty());
        QVERIFY(!w.dialog->State().HasActivePane());
        auto* recent = w.Get<QComboBox>("recentMdb");
        QCOMPARE(recent->count(), 1);
        QCOMPARE(recent->currentIndex(), -1); // no file loaded

        emit recent->activated(0); // the user picks the line
        QCOMPARE(w.Text("mdbCount"), QStringLiteral("42"));
        QCOMPARE(recent->currentIndex(), 0);
        QVERIFY(IsEnabled(w, "treeMdb") && IsEnabled(w, "saveMdb"));
        QVERIFY(w.dialog->State().IsActive(PaneId::Mdb));
    }

    void closingAPaneHandsTheEditColumnToTheOther()
    {
        Window w;
        QVERIFY(w.Start());
        w.OpenDemoArchive();
        w.OpenDemoMdb();
        w.ClickRow(true, w.Row(true, 0));
        QCOMPARE(w.Button("copy")->text(), QStringLiteral("Copy >>"));

        w.Click("closeMdb");
        QCOMPARE(w.Button("copy")->text(), QStringLiteral("<< Copy"));
        QCOMPARE(w.Button("move")->text(), QStringLiteral("<< Move"));
        QVERIFY(w.Button("copy")->styleSheet().contains(QStringLiteral("right")));
        QVERIFY(!IsEnabled(w, "treeMdb") && !IsEnabled(w, "closeMdb"));
        QVERIFY(w.Text("mdbCount").isEmpty() && w.Text("modelLabel").isEmpty());
        QVERIFY(IsEnabled(w, "search")); // the archive pane is loaded
        QVERIFY(!IsEnabled(w, "copy"));

        w.Click("closeArchive");
        QVERIFY(!w.dialog->State().HasActivePane());
        QCOMPARE(w.Button("copy")->text(), QStringLiteral("Copy"));
        QVERIFY(w.Button("copy")->styleSheet().contains(QStringLiteral("center")));
        for (const char* name : kEditColumn)
            QVERIFY2(!IsEnabled(w, name), name);
        QVERIFY(w.prompts.messages.empty());
    }

    // Open the demo MDB, copy an entry into a new archive and save it.
    void copyAnEntryIntoANewArchive()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        Window w;
        QVERIFY(w.Start());
        w.OpenDemoMdb();
        w.Click("newArchive");
        QVERIFY(IsEnabled(w, "treeArchive") && IsEnabled(w, "saveAsArchive") && !IsEnabled(w, "saveArchive"));
        QVERIFY(!IsEnabled(w, "copy")); // no pane with a selection is active

        w.Tree(true)->expand(w.Row(true, 3));
        w.ClickRow(true, w.Row(true, 3, 0)); // Latin: Girl from Rio, with its sub entry Rio Solo
        QVERIFY(IsEnabled(w, "copy"));
        QCOMPARE(w.Button("copy")->text(), QStringLiteral("Copy >>"));
        w.Click("copy");

        QCOMPARE(w.Text("archiveCount"), QStringLiteral("2")); // the main entry takes its sub entry
        QCOMPARE(w.Text("mdbCount"), QStringLiteral("42"));
        const QAbstractItemModel* archive = w.Tree(false)->model();
        QCOMPARE(archive->rowCount(), 1);
        QCOMPARE(archive->index(0, 0).data().toString(), QStringLiteral("Latin"));
        QCOMPARE(archive->rowCount(archive->index(0, 0)), 2);
        QVERIFY(archive->index(0, 0, archive->index(0, 0)).data().toString().startsWith("Girl from Rio"));
        QVERIFY(w.Tree(false)->isExpanded(archive->index(0, 0))); // the copy is shown
        QVERIFY(w.prompts.messages.empty());

        const QString target = folder.filePath(QStringLiteral("Copied.mdx"));
        w.prompts.saveFileNames.push_back(target.toStdString());
        w.Click("saveAsArchive");
        QVERIFY(QFile::exists(target));
        QVERIFY(IsEnabled(w, "saveArchive"));
        QCOMPARE(w.Get<QComboBox>("recentArchive")->currentText(), target);
        QVERIFY(!w.dialog->State().Pane(PaneId::Archive).Modified());
    }
};

QTEST_MAIN(MainDlgTest)
#include "MainDlgTest.moc"

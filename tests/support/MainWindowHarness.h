#pragma once
// The main window for the window tests: scripted prompts, settings in memory,
// plain file dialogs, and the few ways the tests reach its controls.

#include "app/SettingsKeys.h"
#include "app/qt/CMainDlg.h"
#include "support/FakePrompts.h"
#include "support/MapSettingsStore.h"
#include "support/PaneMarks.h"

#include <QAbstractItemModel>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

#include <memory>

namespace tessaro {

class MainWindowHarness
{
public:
    FakePrompts prompts;
    MapSettingsStore settings;
    StyleCatalogue styles;
    std::unique_ptr<CMainDlg> dialog;

    // language: the stored "Language" value (nullptr: none stored).
    explicit MainWindowHarness(const char* language = "E")
    {
        if (language)
            settings.WriteString(settings::kSection, settings::kLanguage, language);
        // Plain file dialogs: the prompts answer them from openFileNames.
        settings.WriteInt(settings::kSection, settings::kBackupStructure, 0);
        dialog = std::make_unique<CMainDlg>(prompts, settings, styles);
    }
    // Every command of the window changed the panes inside a step of the history.
    ~MainWindowHarness()
    {
        if (dialog && dialog->State().Workspace().UnrecordedChanges() != 0)
            qFatal("a command changed a pane outside a history step");
    }
    MainWindowHarness(const MainWindowHarness&) = delete;
    MainWindowHarness& operator=(const MainWindowHarness&) = delete;

    // The start sequence, then shown and active, as at a real start.
    bool Start()
    {
        dialog->Initialise();
        dialog->show();
        dialog->activateWindow();
        return QTest::qWaitForWindowActive(dialog.get());
    }

    template <class T> T* Get(const char* name) const
    {
        T* widget = dialog->findChild<T*>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QPushButton* Button(const char* name) const { return Get<QPushButton>(name); }
    QTreeView* Tree(bool mdb) const { return Get<QTreeView>(mdb ? "treeMdb" : "treeArchive"); }
    MainWindowState& State() { return dialog->State(); }
    void Click(const char* name) { QTest::mouseClick(Button(name), Qt::LeftButton); }

    // The index of a category's row, or of an entry's row inside it.
    QModelIndex Row(bool mdb, int category, int entry = -1) const
    {
        const QAbstractItemModel* model = Tree(mdb)->model();
        const QModelIndex categoryIndex = model->index(category, 0);
        return entry < 0 ? categoryIndex : model->index(entry, 0, categoryIndex);
    }
};

} // namespace tessaro

#pragma once
// The modern main window for the window tests: scripted prompts, settings in
// memory, plain file dialogs, the demo files, and the ways the tests reach
// its controls by name.

#include "app/SettingsKeys.h"
#include "app/qt/ModernWindow.h"
#include "support/FakePrompts.h"
#include "support/MapSettingsStore.h"

#include <QAction>
#include <QLineEdit>
#include <QTreeView>
#include <QtTest>

#include <memory>

namespace tessaro {

inline const QString kDemoMdb = QStringLiteral(TESSARO_SOURCE_DIR "/examples/Demo.buf/MDB.bup");
inline const QString kDemoArchive = QStringLiteral(TESSARO_SOURCE_DIR "/examples/Demo.mdx");

class ModernWindowHarness
{
public:
    FakePrompts prompts;
    MapSettingsStore settings;
    StyleCatalogue styles;
    std::unique_ptr<CModernWindow> window;

    explicit ModernWindowHarness(const char* language = "E")
    {
        settings.WriteString(settings::kSection, settings::kLanguage, language);
        // Plain file dialogs: the prompts answer them from openFileNames.
        settings.WriteInt(settings::kSection, settings::kBackupStructure, 0);
        window = std::make_unique<CModernWindow>(prompts, settings, styles);
    }
    // Every command of the window changed the panes inside a step of the history.
    ~ModernWindowHarness()
    {
        if (window && window->State().Workspace().UnrecordedChanges() != 0)
            qFatal("a command changed a pane outside a history step");
    }
    ModernWindowHarness(const ModernWindowHarness&) = delete;
    ModernWindowHarness& operator=(const ModernWindowHarness&) = delete;

    // The start sequence, then shown and active, as at a real start.
    bool Start()
    {
        window->Initialise();
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get());
    }
    // The demo MDB and archive, opened as a user opens them; true when both loaded.
    bool OpenDemo()
    {
        prompts.openFileNames.push_back(kDemoMdb.toStdString());
        Action("openMdbAction")->trigger();
        prompts.openFileNames.push_back(kDemoArchive.toStdString());
        Action("openArchiveAction")->trigger();
        return window->State().Pane(PaneId::Mdb).loaded && window->State().Pane(PaneId::Archive).loaded;
    }

    template <class T> T* Get(const QString& name) const
    {
        T* widget = window->findChild<T*>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }
    QAction* Action(const char* name) const { return Get<QAction>(QLatin1String(name)); }
    QTreeView* Tree(PaneId id) const { return Get<QTreeView>(id == PaneId::Mdb ? "treeMdb" : "treeArchive"); }
    QLineEdit* Filter(PaneId id) const
    {
        return Get<QLineEdit>(id == PaneId::Mdb ? "filterMdb" : "filterArchive");
    }
};

} // namespace tessaro

#pragma once
// The modern main window: a normal top-level window (Ctrl+Q quits, Escape
// does not) with the two panes side by side, each a tree with columns under
// its header (name, file, unsaved marker, count) and a filter field; a tool
// bar for the frequent commands, a status bar saying what the last command
// did, and the rest in the menus and the Preferences dialog.
//
// It holds no state of its own either: MainWindowState does, as for the
// classic window (CMainDlg), and every command is the same action of the one
// command table (MainMenus). Which of the two windows a user gets is a setting
// (WindowLayout).

#include "app/MainWindowState.h"
#include "app/WindowFacts.h"
#include "app/qt/MainMenus.h"
#include "app/qt/QtProgress.h"

#include <QMainWindow>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QActionGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QSplitter;
class QToolBar;

namespace tessaro {

class PendingFiles;
class ResultPanel;

class CategoryTreeView;
class LayoutMenu;
class EntryTableModel;

class CModernWindow : public QMainWindow
{
    Q_OBJECT
public:
    // The prompts and the settings store must outlive the window.
    CModernWindow(Prompts& prompts, SettingsStore& settings, StyleCatalogue& styles,
                  QWidget* parent = nullptr);
    ~CModernWindow() override;

    // The start sequence, once, before the window is first shown.
    void Initialise();
    MainWindowState& State() { return state_; }
    const MainMenus& Menus() const { return menus_; }
    // Shows the state: headers, title, recent-file lists, filters and commands.
    void Refresh();
    // Files from the desktop or a later start: opened as soon as no dialog waits.
    void OpenFiles(const QStringList& paths);
    // The status bar's current message.
    QString StatusText() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct PaneWidgets
    {
        QWidget* box = nullptr;
        QLabel* header = nullptr;   // "MDB  Demo.buf/MDB.bup *"
        QLabel* capacity = nullptr; // "40 / 616"
        QComboBox* recent = nullptr;
        QLineEdit* filter = nullptr;
        CategoryTreeView* tree = nullptr;
        EntryTableModel* model = nullptr;
        bool filtered = false; // rows are hidden by the filter
    };

    void CreatePanes();
    void CreatePane(PaneId id);
    void CreateToolBar();
    void CreateViewMenu();
    void SetTexts();
    void ConnectActions();
    void ConnectPane(PaneId id);

    // Runs a command on the state, then shows the state and what the command did.
    void RunCommand(const std::function<void()>& command, std::optional<CommandId> id = std::nullopt);
    void Trigger(CommandId id, bool checked);
    void ApplyCommandStates();
    void ShowActivePane();
    void ShowRecentFiles(PaneId id);
    void ShowPaneHeader(PaneId id, const WindowFacts& facts);
    // Hides the rows the filter leaves out, and takes them out of the selection.
    // Returns the number of entries shown.
    int ApplyFilter(PaneId id);
    void SpanCategories(PaneId id);
    void ShowTreeContextMenu(PaneId id, const QPoint& at);
    void ShowColumnMenu(PaneId id, const QPoint& at);
    void ShowColumn(int column, bool shown);
    void ShowPreferences();
    void FitColumns();
    void RestoreColumns();
    void StoreColumns();
    void RestorePlacement();
    WindowPosition CurrentPlacement() const;
    std::optional<PaneId> PaneOfTree(const QObject* control) const;
    std::optional<PaneId> PaneOfFilter(const QObject* control) const;

    Prompts& prompts_;
    SettingsStore& settings_;
    StyleCatalogue& styles_;
    MainWindowState state_;
    std::unique_ptr<QtProgress> progress_;
    int commandDepth_ = 0;

    std::array<PaneWidgets, 2> panes_; // by PaneIndex
    PaneWidgets& Widgets(PaneId id) { return panes_[PaneIndex(id)]; }
    QSplitter* splitter_ = nullptr;
    MainMenus menus_;
    QMenu* treeMenu_ = nullptr;
    LayoutMenu* layoutMenu_ = nullptr;
    QMenu* columnsMenu_ = nullptr; // View > Columns, also the column headers' menu
    QAction* preferences_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QAction* toolOpen_ = nullptr; // the active pane's Open and Save
    QAction* toolSave_ = nullptr;
    QLabel* modelLabel_ = nullptr;         // in the status bar
    PendingFiles* pendingFiles_ = nullptr; // a child of the window
    ResultPanel* resultPanel_ = nullptr;   // the tools' lists beside the panes
    bool applyingFilter_ = false;
};

} // namespace tessaro

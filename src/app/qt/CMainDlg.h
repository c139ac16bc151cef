#pragma once
// The main window: the MDB pane on the left, the archive pane on the right, the
// edit column between them, the file buttons, options and flash-style choice
// above. The window holds no state of its own: MainWindowState does. Each
// click runs its command there and the window then shows the state again;
// check boxes and radio buttons push their change in as it happens.
//
// Return does nothing in the window (there is no default button) except in a
// tree, where it edits the selection as F2 does; Escape, the close box and
// Exit run the exit sequence, which may keep the window open.
//
// The menu bar above the controls (MainMenus) reaches the same commands as the
// buttons. The window can grow: the two trees take the extra room (MainDlgResizing.cpp).

#include "app/MainWindowState.h"
#include "app/qt/MainMenus.h"
#include "app/qt/QtProgress.h"

#include <QDialog>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QTreeView;

namespace tessaro {

class CategoryTreeModel;

class CMainDlg : public QDialog
{
    Q_OBJECT
public:
    // The prompts and the settings store must outlive the window.
    CMainDlg(Prompts& prompts, SettingsStore& settings, StyleCatalogue& styles, QWidget* parent = nullptr);
    ~CMainDlg() override;

    // The start sequence, once, before the window is first shown: the language
    // choice, the German captions, the settings and the stored position.
    void Initialise();

    MainWindowState& State() { return state_; }
    // Shows the state: options, labels, recent-file lists, counts and buttons.
    void Refresh();

    // The size to open at: the stored one, cut down to the screen's room
    // (available) but never below the layout's (smallest).
    static QSize SizeToRestore(const WindowPosition& stored, const QSize& smallest, const QSize& available);

    // Files from the desktop or a later start: opened with the save-changes
    // questions as soon as no dialog of the window waits for the user.
    void OpenFiles(const QStringList& paths);
    const MainMenus& Menus() const { return menus_; }

public slots:
    // Escape, the close box and Exit: the exit sequence.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The controls of one pane.
    struct PaneControls
    {
        QPushButton* newFile = nullptr;
        QPushButton* open = nullptr;
        QPushButton* save = nullptr;
        QPushButton* saveAs = nullptr;
        QPushButton* close = nullptr;
        QComboBox* recent = nullptr;
        QTreeView* tree = nullptr;
        QLabel* count = nullptr;
        CategoryTreeModel* model = nullptr;
    };

    // Layout (MainDlgLayout.cpp).
    void CreateControls();
    void CreatePaneControls(PaneControls& pane, bool mdb);
    void CreateEditColumn();
    void SetCaptions();
    void FitWidthToCaptions();

    void ConnectCommands();
    void ConnectPane(PaneControls& pane, bool mdb);
    // Runs a command on the state, then shows the state.
    void RunCommand(const std::function<void()>& command);
    void OnClick(QPushButton* button, void (MainWindowState::*command)());
    void OnPaneClick(QPushButton* button, PaneId pane, void (MainWindowState::*command)(PaneId));

    void ApplyCommandStates();
    void ShowRecentFiles(QComboBox* combo, const PaneState& pane);
    void ShowFlashStyleMode();
    void ShowEditColumnAlignment(TextAlignment alignment);
    void ShowActivePane();

    // Menus (MainMenus.cpp builds them; connected here).
    void ConnectMenus();
    void OnTrigger(QAction* action, void (MainWindowState::*command)());
    void ShowTreeContextMenu(bool mdb, const QPoint& at);
    void ApplyMenuStates(const CommandStates& states);
    // Tab from a tree goes on to the edit column.
    void SetTabOrder();
    bool TabFromTree(QObject* watched, QEvent* event);
    void OpenPendingFiles();

    // Resizing (MainDlgResizing.cpp): every control's place at the smallest
    // size, below the menu bar, and how it follows a larger one.
    enum class Anchor
    {
        Left,      // stays where it is
        Right,     // keeps its distance to the right edge
        Middle,    // moves with the edit column, half the extra width
        MiddleLow, // and keeps its distance to the bottom edge
        LeftTree,  // takes half the extra width and all the extra height
        RightTree  // takes the other half and all the extra height
    };
    void MakeResizable();
    void LayOut(const QSize& size);
    Anchor AnchorOf(QWidget* control) const;
    // Restores the stored size; the placement to store at exit.
    void RestoreSize();
    WindowPosition CurrentPlacement() const;

    MainWindowState state_;
    std::unique_ptr<QtProgress> progress_; // the state's Progress
    int commandDepth_ = 0;                 // commands running (a modal dialog may be open)

    PaneControls mdb_;
    PaneControls archive_;

    QLabel* modelLabel_ = nullptr;
    QLabel* versionLine_ = nullptr;
    QLabel* flashStyleFileLabel_ = nullptr;
    QCheckBox* backupStructure_ = nullptr;
    QCheckBox* noNetwork_ = nullptr;
    QButtonGroup* flashStyles_ = nullptr;

    QPushButton* undo_ = nullptr;
    QPushButton* redo_ = nullptr;
    QPushButton* newCategory_ = nullptr;
    QPushButton* edit_ = nullptr;
    QPushButton* mainEntry_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* move_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* search_ = nullptr;
    QPushButton* protocolFormatted_ = nullptr;
    QPushButton* protocolTabs_ = nullptr;
    QPushButton* help_ = nullptr;
    QPushButton* exit_ = nullptr;
    QList<QPushButton*> editColumn_; // 1030 .. 1036, whose alignment follows the active pane
    std::optional<TextAlignment> shownAlignment_;

    MainMenus menus_;
    QMenu* treeMenu_ = nullptr;
    struct Placed
    {
        QWidget* control;
        QRect smallest;
        Anchor anchor;
    };
    QList<Placed> placed_;
    QSize smallest_;
    std::vector<std::string> pendingFiles_;
    bool pendingScheduled_ = false;
};

} // namespace tessaro

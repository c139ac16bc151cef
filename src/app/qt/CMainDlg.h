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

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QTreeView;

namespace tessaro {

class PendingFiles;

class CategoryTreeModel;
class LayoutMenu;

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
    void CreatePaneControls(PaneId id);
    void CreateEditColumn();
    void SetCaptions();
    void FitWidthToCaptions();

    void ConnectCommands();
    void ConnectPane(PaneId id);
    // Runs a command on the state, then shows the state.
    void RunCommand(const std::function<void()>& command);
    // What an action's trigger does.
    void Trigger(CommandId id, bool checked);

    void ApplyCommandStates();
    void ShowRecentFiles(PaneId id);
    void ShowFlashStyleMode();
    void ShowEditColumnAlignment(TextAlignment alignment);
    void ShowActivePane();

    // Actions and menus (MainMenus.cpp builds them; connected here).
    void ConnectActions();
    // The button (check box, radio button) triggers the action and follows its enabled state.
    void ShowAsButton(QAbstractButton* button, CommandId id);
    void ShowTreeContextMenu(PaneId id, const QPoint& at);
    void ApplyActionStates(const CommandStates& states);
    // Tab from a tree goes on to the edit column.
    void SetTabOrder();
    bool TabFromTree(QObject* watched, QEvent* event);

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

    Prompts& prompts_; // for the commands the window runs itself (WindowOwnCommands)
    MainWindowState state_;
    std::unique_ptr<QtProgress> progress_; // the state's Progress
    int commandDepth_ = 0;                 // commands running (a modal dialog may be open)

    std::array<PaneControls, 2> panes_; // by PaneIndex
    PaneControls& Controls(PaneId id) { return panes_[PaneIndex(id)]; }
    const PaneControls& Controls(PaneId id) const { return panes_[PaneIndex(id)]; }
    // The pane whose tree this is, if it is one.
    std::optional<PaneId> PaneOfTree(const QObject* control) const;
    bool IsRecentList(const QObject* control) const;

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
    QList<QPushButton*> editColumn_; // Undo .. the protocols, whose alignment follows the active pane
    std::optional<TextAlignment> shownAlignment_;

    MainMenus menus_;
    LayoutMenu* layoutMenu_ = nullptr; // View: the choice of the modern window
    QMenu* treeMenu_ = nullptr;
    struct Placed
    {
        QWidget* control;
        QRect smallest;
        Anchor anchor;
    };
    QList<Placed> placed_;
    QSize smallest_;
    PendingFiles* pendingFiles_ = nullptr; // a child of the window
};

} // namespace tessaro

#pragma once
// The main window: the MDB pane on the left, the archive pane on the right, the
// edit column between them, the file buttons, options and flash-style choice
// above. The window holds no state of its own: MainWindowState does. Each
// click runs its command there and the window then shows the state again;
// check boxes and radio buttons push their change in as it happens.
//
// Return does nothing anywhere in the window (there is no default button);
// Escape, the close box and Exit run the exit sequence, which may keep the
// window open.

#include "app/MainWindowState.h"

#include <QDialog>

#include <functional>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
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

public slots:
    // Escape, the close box and Exit: the exit sequence.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

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

    MainWindowState state_;
    int commandDepth_ = 0; // commands running (a modal dialog may be open)

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
};

} // namespace tessaro

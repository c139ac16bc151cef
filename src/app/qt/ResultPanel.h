#pragma once
// The modern window's panel of tool results: the list of the last tool run
// (compare, check for keyboard, duplicates, the faults of a CSV import) docked
// beside the panes, open while the user goes on working. Choosing a line (a
// click, Enter, the arrow keys) selects its entries in their pane; a line
// whose entries left the pane is greyed and says so, and choosing it only
// says so in the status bar. F6 goes into the list and back, Escape back to
// the pane; View shows and hides it. Where the filter of the pane hides the
// chosen entry, the filter is cleared, so the user sees what was chosen.
//
// The lines and what they stand for are the window's state (ToolResults);
// the panel only shows them.

#include "app/ToolResults.h"

#include <QDockWidget>

#include <vector>

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QListView;
class QMainWindow;
class QMenu;
class QPushButton;

namespace tessaro {

class StyleCatalogue;
class ResultLinesModel;

class ResultPanel : public QDockWidget, private ToolResultsView
{
    Q_OBJECT
public:
    // What the panel needs of its window.
    struct Window
    {
        // Runs a command as the window runs its own, showing the state afterwards.
        std::function<void(const std::function<void()>&)> run;
        std::function<QLineEdit*(PaneId)> filter;
        std::function<QWidget*(PaneId)> tree;
        std::function<std::optional<PaneId>()> activePane;
        std::function<void(const QString&)> status;
    };

    // Docked on the right of the window, hidden until a tool lists something;
    // its show/hide action goes into the View menu. The results must outlive
    // the panel.
    ResultPanel(ToolResults& results, const StyleCatalogue& styles, Window window, QMainWindow& mainWindow,
                QMenu& viewMenu);
    ~ResultPanel() override;

    // The captions in the current language.
    void SetTexts();
    // F6: into the list (showing the panel), or from it back to the pane.
    void ToggleFocus();

    QListView* Lines() const { return lines_; }
    // Its controls in the order Tab reaches them, after the panes'.
    std::vector<QWidget*> TabChain() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ListReplaced() override;
    void LinesChanged() override;
    void Choose(int row);
    void ReturnToPane();
    // Clears the pane's filter when it hides one of the nodes; true when it did.
    bool RevealFiltered(PaneId pane, const std::vector<const TreeNode*>& nodes);
    void CopyLines();
    void ShowTitle();
    // Wide enough for the lines where the window has room, when first shown.
    void FitWidth();

    ToolResults& results_;
    const StyleCatalogue& styles_;
    Window window_;
    ResultLinesModel* model_ = nullptr;
    QLabel* summary_ = nullptr;
    QListView* lines_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* close_ = nullptr;
    QAction* focusAction_ = nullptr;
    bool redrawPending_ = false;
    bool fitted_ = false;
};

} // namespace tessaro

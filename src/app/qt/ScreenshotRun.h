#pragma once
// The screenshot script's run of the editor: it answers the language dialog
// (English) after taking its picture, loads the given files, opens the first
// categories and selects an entry, takes pictures of the main window, of the
// small dialogs, of a file dialog, of the list of archives on a floppy image,
// of the entry editor on that entry (also with a voice list and a field's
// context menu open), of the panes compared, and of the modern layout with
// the same files in the light palette and a dark one, and ends through the
// exit sequence. The main window is also taken at a larger
// size, with its menus dropped and with the context menu of a tree. Pictures
// are PNG files named after the window and the language ("main-window-en.png").
// A program of its own (tessaro-screenshots), so the shipped editor carries
// none of it.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

namespace tessaro {

class CModernWindow;

class CEntryDlg;
class CMainDlg;
class MainWindowState;
class Prompts;
struct EditorBasis;
struct PaneState;

// `tessaro-screenshots --screenshot-dir DIR [--open-mdb FILE]
// [--open-archive FILE] [--flash-style-file FILE]`
struct ScreenshotOptions
{
    QString screenshotDir; // the run needs it
    QString openMdb;
    QString openArchive;
    QString flashStyleFile; // shown as the individual flash styles
    QStringList ignored;    // arguments the program does not know, or an option without its value
};
ScreenshotOptions ParseScreenshotOptions(const QStringList& arguments); // without the program name

class ScreenshotRun : public QObject
{
    Q_OBJECT
public:
    // Watches for the dialogs from construction on, so that a language dialog
    // during the start sequence is answered.
    ScreenshotRun(CMainDlg& mainWindow, EditorBasis& basis, const ScreenshotOptions& options);

    // Takes the pictures once the main window's run has begun.
    void Start();
    // 0 when every picture was saved.
    int ExitCode() const { return failed_ ? 1 : 0; }

private:
    void Capture();
    void CaptureLargeWindow();
    // The File, Edit and Tools menus and a tree's context menu.
    void CaptureMenus();
    void CaptureSmallDialogs();
    // The modern layout on the same files: "modern-window-en.png", and
    // "modern-window-dark-en.png" in the Fusion style with a dark palette.
    void CaptureModernWindow();
    // The panes compared, the list in its panel with one entry deleted (its
    // line greyed); false when the panes are not both loaded.
    bool CaptureResultPanel(CModernWindow& window);
    // The given files loaded, the first categories open and an entry selected.
    void LoadFiles(MainWindowState& state);
    void CaptureEntryEditor(CEntryDlg& dialog);
    void WatchModalDialog();
    void Save(QWidget& window, const QString& name);
    // What the screen shows of the window and the pop-up over it.
    void SaveScreen(QWidget& window, QWidget& popup, const QString& name);
    static void OpenSample(PaneState& pane);

    CMainDlg& mainWindow_;
    EditorBasis& basis_;
    Prompts& prompts_;
    ScreenshotOptions options_;
    QTimer watch_;
    QPointer<QWidget> seen_; // a dialog is taken on the tick after it appeared
    bool failed_ = false;
};

} // namespace tessaro

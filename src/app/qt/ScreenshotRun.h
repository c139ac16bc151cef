#pragma once
// The screenshot script's run of the editor: it answers the language dialog
// (English) after taking its picture, loads the given files, opens the first
// categories and selects an entry, takes pictures of the main window and of
// the entry editor on that entry, and ends through the exit sequence. Pictures
// are PNG files named after the window and the language ("main-window-en.png").

#include "app/qt/CEditorApp.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

namespace tessaro {

class CMainDlg;
struct PaneState;

class ScreenshotRun : public QObject
{
    Q_OBJECT
public:
    // Watches for the dialogs from construction on, so that a language dialog
    // during the start sequence is answered.
    ScreenshotRun(CMainDlg& mainWindow, const StartOptions& options);

    // Takes the pictures once the main window's run has begun.
    void Start();
    // 0 when every picture was saved.
    int ExitCode() const { return failed_ ? 1 : 0; }

private:
    void Capture();
    void WatchModalDialog();
    void Save(QWidget& window, const QString& name);
    static void OpenSample(PaneState& pane);

    CMainDlg& mainWindow_;
    StartOptions options_;
    QTimer watch_;
    QPointer<QWidget> seen_; // a dialog is taken on the tick after it appeared
    bool failed_ = false;
};

} // namespace tessaro

// tessaro-screenshots: the editor's windows photographed for scripts/screenshot.sh.
// A developer's program, built beside the editor and never installed.
#include "app/qt/CEditorApp.h"
#include "app/qt/EditorWindow.h"
#include "app/qt/ScreenshotRun.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    tessaro::CEditorApp::SetUpApplication();

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    const tessaro::ScreenshotOptions options = tessaro::ParseScreenshotOptions(arguments);
    if (options.screenshotDir.isEmpty() || !options.ignored.isEmpty()) {
        std::fputs("Usage: tessaro-screenshots --screenshot-dir DIR [--open-mdb FILE] [--open-archive FILE]\n"
                   "                           [--flash-style-file FILE]\n",
                   stderr);
        return 2;
    }

    tessaro::EditorWindow window;
    // Watching from before the start sequence answers its language dialog.
    tessaro::ScreenshotRun run(window.dialog, window.basis, options);
    window.Initialise();
    run.Start();
    window.dialog.exec();
    return run.ExitCode();
}

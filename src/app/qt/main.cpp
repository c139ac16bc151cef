// tessaro: the Music Database editor for the Yamaha PSR-9000 and PSR-9000pro.
#include "app/qt/CEditorApp.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr char kUsage[] =
    "Usage: tessaro [FILE...]\n"
    "  Starts the Music Database editor for the Yamaha PSR-9000 and PSR-9000pro.\n"
    "  Each FILE opens in its pane: an MDB archive (.mdx) by its content, anything\n"
    "  else as an MDB backup file. -- ends the options. When the editor is running\n"
    "  already, the files open in it.\n"
    "  tessaro --help     shows this text\n"
    "  tessaro --version  shows the version\n"
    "The command-line tool tessaro-cli works without a display.\n";

// Qt's own platform plugin would abort without a display, blaming the installation.
bool HasDisplay()
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform && std::strncmp(platform, "xcb", 3) != 0 && std::strncmp(platform, "wayland", 7) != 0)
        return true; // offscreen, vnc, ...: the platform needs no display of ours
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

} // namespace

int main(int argc, char* argv[])
{
    // Answered before Qt starts, so they work without a display.
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("tessaro %s\n", TESSARO_VERSION);
            return std::fflush(stdout) == 0 ? 0 : 1;
        }
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            return std::fflush(stdout) == 0 ? 0 : 1;
        }
    }
    if (!HasDisplay()) {
        std::fputs("tessaro: no display to show the window on (DISPLAY and WAYLAND_DISPLAY are not set)\n", stderr);
        return 1;
    }

    QApplication application(argc, argv);
    tessaro::CEditorApp::SetUpApplication();

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    const tessaro::StartOptions options = tessaro::ParseStartOptions(arguments);
    for (const QString& argument : options.ignored)
        std::fprintf(stderr, "tessaro: ignoring argument %s\n", qPrintable(argument));

    tessaro::CEditorApp app;
    return app.Run(options);
}

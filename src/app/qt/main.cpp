// tessaro: the Music Database editor for the Yamaha PSR-9000 and PSR-9000pro.
#include "app/qt/CEditorApp.h"
#include "image/ImageFiles.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstring>

int main(int argc, char* argv[])
{
    // Answered before Qt starts, so it works without a display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("tessaro %s\n", TESSARO_VERSION);
            return 0;
        }
    }

    tessaro::UseImagePaths(); // IMAGE::/FOLDER/FILE reaches files inside floppy images
    QApplication application(argc, argv);
    Q_INIT_RESOURCE(tessaro);
    QApplication::setApplicationName(QStringLiteral("Tessaro"));
    QApplication::setOrganizationName(QStringLiteral("Larchmont"));
    QApplication::setDesktopFileName(QStringLiteral("org.larchmont.Tessaro"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tessaro-256.png")));

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    const tessaro::StartOptions options = tessaro::ParseStartOptions(arguments);
    for (const QString& argument : options.ignored)
        std::fprintf(stderr, "tessaro: ignoring argument %s\n", qPrintable(argument));

    tessaro::CEditorApp app;
    return app.Run(options);
}

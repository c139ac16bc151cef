#include "app/qt/CEditorApp.h"

#include "app/WindowLayout.h"
#include "app/qt/CMainDlg.h"
#include "app/qt/ModernWindow.h"
#include "app/qt/QtPrompts.h"
#include "app/qt/QtSettingsStore.h"
#include "app/qt/ScreenshotRun.h"
#include "app/qt/SingleInstance.h"
#include "catalogue/StyleCatalogue.h"
#include "common/Texts.h"

#include <QApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWidget>

#include <memory>

namespace tessaro {

StartOptions ParseStartOptions(const QStringList& arguments)
{
    StartOptions options;
    bool optionsEnded = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnded || !argument.startsWith(QLatin1Char('-'))) {
            if (!argument.isEmpty())
                options.files << QFileInfo(argument).absoluteFilePath();
            continue;
        }
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        QString* value = nullptr;
        if (argument == QLatin1String("--screenshot-dir"))
            value = &options.screenshotDir;
        else if (argument == QLatin1String("--open-mdb"))
            value = &options.openMdb;
        else if (argument == QLatin1String("--open-archive"))
            value = &options.openArchive;
        else if (argument == QLatin1String("--flash-style-file"))
            value = &options.flashStyleFile;
        if (value && i + 1 < arguments.size())
            *value = arguments[++i];
        else
            options.ignored << argument;
    }
    // The files are opened for the pictures only.
    if (options.screenshotDir.isEmpty()) {
        options.openMdb.clear();
        options.openArchive.clear();
        options.flashStyleFile.clear();
    }
    return options;
}

QString CEditorApp::SettingsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Larchmont/Tessaro.conf");
}

void CEditorApp::BringToFront(QWidget* mainWindow)
{
    if (mainWindow && mainWindow->isVisible()) {
        if (mainWindow->isMinimized())
            mainWindow->setWindowState((mainWindow->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        mainWindow->raise();
        mainWindow->activateWindow();
    }
    // The language dialog, the entry editor, a message box: whatever waits for the user.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != mainWindow) {
        modal->raise();
        modal->activateWindow();
    }
}

int CEditorApp::Run(const StartOptions& options)
{
    SingleInstance instance(
        SingleInstance::NameFor(QString::fromStdString(Tr(Caption::MainWindowTitle)), SettingsFile()));
    if (instance.HandOver(options.files))
        return 0;
    // Two copies started at the same moment: the one that lost the name gives way.
    if (!instance.Listen() && instance.HandOver(options.files))
        return 0;

    StyleCatalogue styles; // built before any window
    QtSettingsStore settings;
    QtPrompts prompts(settings, styles);
    // The screenshots show the classic window, whatever the user chose.
    if (options.screenshotDir.isEmpty() && ChooseWindowLayout(settings) == WindowLayout::Modern) {
        CModernWindow window(prompts, settings, styles);
        QObject::connect(&instance, &SingleInstance::Activated, &window, [&window] { BringToFront(&window); });
        QObject::connect(&instance, &SingleInstance::FilesReceived, &window,
                         [&window](const QStringList& files) { window.OpenFiles(files); });
        window.Initialise();
        prompts.SetMainWindow(&window);
        window.show();
        if (!options.files.isEmpty())
            window.OpenFiles(options.files);
        QApplication::setQuitOnLastWindowClosed(true);
        return QApplication::exec();
    }
    CMainDlg dialog(prompts, settings, styles);
    mainWindow_ = &dialog;
    QObject::connect(&instance, &SingleInstance::Activated, &dialog, [&dialog] { BringToFront(&dialog); });
    QObject::connect(&instance, &SingleInstance::FilesReceived, &dialog,
                     [&dialog](const QStringList& files) { dialog.OpenFiles(files); });

    std::unique_ptr<ScreenshotRun> screenshots;
    if (!options.screenshotDir.isEmpty())
        screenshots = std::make_unique<ScreenshotRun>(dialog, prompts, options);

    dialog.Initialise();
    prompts.SetMainWindow(&dialog);
    if (screenshots)
        screenshots->Start();
    else if (!options.files.isEmpty())
        dialog.OpenFiles(options.files); // once the window is up
    dialog.exec();
    mainWindow_ = nullptr;
    return screenshots ? screenshots->ExitCode() : 0;
}

} // namespace tessaro

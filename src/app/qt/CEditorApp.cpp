#include "app/qt/CEditorApp.h"

#include "app/WindowLayout.h"
#include "app/qt/EditorWindow.h"
#include "app/qt/ModernWindow.h"
#include "app/qt/SingleInstance.h"
#include "common/Texts.h"
#include "image/ImageFiles.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QStandardPaths>
#include <QWidget>

// Q_INIT_RESOURCE may not stand inside a namespace.
static void LoadResources()
{
    Q_INIT_RESOURCE(tessaro);
}

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
        options.ignored << argument;
    }
    return options;
}

void CEditorApp::SetUpApplication()
{
    UseImagePaths(); // IMAGE::/FOLDER/FILE reaches files inside floppy images
    LoadResources();
    QApplication::setApplicationName(QStringLiteral("Tessaro"));
    QApplication::setOrganizationName(QStringLiteral("Larchmont"));
    QApplication::setDesktopFileName(QStringLiteral("org.larchmont.Tessaro"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tessaro-256.png")));
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

    EditorBasis basis;
    if (ChooseWindowLayout(basis.settings) == WindowLayout::Modern) {
        CModernWindow window(basis.prompts, basis.settings, basis.styles);
        QObject::connect(&instance, &SingleInstance::Activated, &window,
                         [&window] { BringToFront(&window); });
        QObject::connect(&instance, &SingleInstance::FilesReceived, &window,
                         [&window](const QStringList& files) { window.OpenFiles(files); });
        window.Initialise();
        basis.prompts.SetMainWindow(&window);
        window.show();
        if (!options.files.isEmpty())
            window.OpenFiles(options.files);
        QApplication::setQuitOnLastWindowClosed(true);
        return QApplication::exec();
    }
    CMainDlg dialog(basis.prompts, basis.settings, basis.styles);
    mainWindow_ = &dialog;
    QObject::connect(&instance, &SingleInstance::Activated, &dialog, [&dialog] { BringToFront(&dialog); });
    QObject::connect(&instance, &SingleInstance::FilesReceived, &dialog,
                     [&dialog](const QStringList& files) { dialog.OpenFiles(files); });

    dialog.Initialise();
    basis.prompts.SetMainWindow(&dialog);
    if (!options.files.isEmpty())
        dialog.OpenFiles(options.files); // once the window is up
    dialog.exec();
    mainWindow_ = nullptr;
    return 0;
}

} // namespace tessaro

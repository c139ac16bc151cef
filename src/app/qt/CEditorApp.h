#pragma once
// The application: one running copy per user, the style catalogue before any
// window, the settings in QSettings("Larchmont", "Tessaro"), and the main
// window run until its exit sequence closes it.

#include <QPointer>
#include <QString>
#include <QStringList>

class QWidget;

namespace tessaro {

class CMainDlg;

// `tessaro [FILE...]`: the files open in their panes (an archive by its magic,
// anything else as an MDB backup file); "--" ends the options.
struct StartOptions
{
    QStringList files;   // absolute, in the order given
    QStringList ignored; // arguments the program does not know
};
StartOptions ParseStartOptions(const QStringList& arguments); // without the program name

class CEditorApp
{
public:
    // Runs the program and returns the process's exit code. A second copy
    // hands its files and the foreground to the running one and returns at
    // once, without reading or writing any setting.
    int Run(const StartOptions& options);

    // What a later start asks of the running copy: its main window and the
    // modal dialog open over it (if any) come to the front.
    static void BringToFront(QWidget* mainWindow);

    // What every run of the main window needs once QApplication exists: the
    // program's names (where the settings live), its icon and resources, and
    // paths into floppy images.
    static void SetUpApplication();

    // Where QSettings keeps this user's settings.
    static QString SettingsFile();

private:
    QPointer<CMainDlg> mainWindow_;
};

} // namespace tessaro

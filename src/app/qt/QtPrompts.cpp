#include "app/qt/QtPrompts.h"

#include "app/qt/CLanguageDlg.h"
#include "app/qt/CResultListDlg.h"
#include "app/qt/FileDialogs.h"
#include "browse/qt/CBrowseDlg.h"
#include "catalogue/qt/CCategoryDlg.h"
#include "catalogue/qt/CEntryDlg.h"
#include "catalogue/qt/CKeyboardDlg.h"
#include "catalogue/qt/CSearchDlg.h"
#include "common/qt/PlainButtons.h"
#include "data/MdbEntry.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QUrl>

#ifndef TESSARO_HELP_DIR
#define TESSARO_HELP_DIR "../share/tessaro/help"
#endif

namespace tessaro {

QtPrompts::QtPrompts(SettingsStore& settings, const StyleCatalogue& styles, QWidget* mainWindow)
    : settings_(settings), styles_(styles), mainWindow_(mainWindow), startupFolder_(QDir::currentPath())
{
}

QWidget* QtPrompts::DialogParent() const
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return mainWindow_.data();
}

MsgAnswer QtPrompts::MessageBox(const std::string& text, MsgIcon icon, MsgButtons buttons)
{
    const QMessageBox::Icon shown = icon == MsgIcon::Warning       ? QMessageBox::Warning
                                    : icon == MsgIcon::Information ? QMessageBox::Information
                                                                   : QMessageBox::Question;
    QMessageBox box(shown, QStringLiteral("Tessaro"), QString::fromStdString(text), QMessageBox::NoButton,
                    DialogParent());
    switch (buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    if (IsGerman()) {
        if (QAbstractButton* yes = box.button(QMessageBox::Yes))
            yes->setText(QString::fromStdString(Tr(Caption::Yes)));
        if (QAbstractButton* no = box.button(QMessageBox::No))
            no->setText(QString::fromStdString(Tr(Caption::No)));
        if (QAbstractButton* cancel = box.button(QMessageBox::Cancel))
            cancel->setText(QString::fromStdString(Tr(Caption::Cancel)));
    }
    RemoveStockButtonIcons(box);
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    default:
        // An OK box closed any way at all counts as OK; a question closed by its
        // close box counts as its escape answer.
        if (buttons == MsgButtons::Ok)
            return MsgAnswer::Ok;
        return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Cancel;
    }
}

std::optional<std::string> QtPrompts::RunFileDialog(const FileDialogRequest& request, bool save)
{
    QFileDialog dialog(DialogParent());
    PrepareFileDialog(dialog, request, save);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    QString path = dialog.selectedFiles().constFirst();
    if (save) // a desktop's own dialog may not have added it
        path = WithDefaultExtension(path, request.defaultExtension);
    return QDir::toNativeSeparators(path).toStdString();
}

std::optional<std::string> QtPrompts::OpenFileDialog(const FileDialogRequest& request)
{
    return RunFileDialog(request, false);
}

std::optional<std::string> QtPrompts::SaveFileDialog(const FileDialogRequest& request)
{
    return RunFileDialog(request, true);
}

BrowseResult QtPrompts::Browse(const BrowseRequest& request)
{
    return RunBrowseDialog(DialogParent(), request);
}

std::optional<std::size_t> QtPrompts::ChooseItem(const std::string& title, const std::string& text,
                                                 const std::vector<std::string>& items)
{
    QStringList lines;
    for (const std::string& item : items)
        lines << QString::fromStdString(item);
    QInputDialog dialog(DialogParent());
    dialog.setWindowTitle(QString::fromStdString(title));
    dialog.setLabelText(QString::fromStdString(text));
    dialog.setComboBoxItems(lines);
    dialog.setComboBoxEditable(false);
    dialog.setOption(QInputDialog::UseListViewForComboBoxItems); // every line in sight at once
    dialog.setTextValue(lines.value(0));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const qsizetype index = lines.indexOf(dialog.textValue());
    if (index < 0)
        return std::nullopt;
    return std::size_t(index);
}

bool QtPrompts::ChooseKeyboardModel(int& model)
{
    CKeyboardDlg dialog(DialogParent());
    dialog.SetModel(model);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    model = dialog.Model();
    return true;
}

bool QtPrompts::EditCategory(std::string& name)
{
    CCategoryDlg dialog(*this, DialogParent());
    dialog.SetName(name);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    name = dialog.Name();
    return true;
}

bool QtPrompts::EditEntry(MdbEntry& record, int keyboardModel)
{
    CEntryDlg dialog(record, keyboardModel, styles_, *this, DialogParent());
    return dialog.exec() == QDialog::Accepted;
}

void QtPrompts::RunSearchDialog(SearchHost& host)
{
    // Placed beside the main window's pane, whatever dialog is open.
    CSearchDlg dialog(host, *this, mainWindow_ ? mainWindow_.data() : DialogParent());
    dialog.exec();
}

bool QtPrompts::ChooseLanguage(UiLanguage& language)
{
    CLanguageDlg dialog(settings_, DialogParent());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    language = dialog.Choice() == 0 ? UiLanguage::German : UiLanguage::English;
    return true;
}

void QtPrompts::BeginWaitCursor()
{
    ++waitCursorDepth_;
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void QtPrompts::EndWaitCursor()
{
    if (waitCursorDepth_ == 0)
        return;
    --waitCursorDepth_;
    QApplication::restoreOverrideCursor();
}

std::optional<QString> QtPrompts::FindHelpPage(const QString& page, const QString& startupFolder,
                                               const QStringList& otherFolders)
{
    const QFileInfo given(QDir(startupFolder), page);
    if (given.isFile())
        return given.absoluteFilePath();
    for (const QString& folder : otherFolders) {
        if (folder.isEmpty())
            continue;
        const QFileInfo other(QDir(folder), given.fileName());
        if (other.isFile())
            return other.absoluteFilePath();
    }
    return std::nullopt;
}

QStringList QtPrompts::HelpFolders(const QString& programFolder)
{
    // The build copies the pages into its own help folder; a build folder
    // inside the source tree also finds the source's; TESSARO_HELP_DIR is
    // relative to the installed executable.
    const QDir program(programFolder);
    return {QDir::cleanPath(program.filePath(QStringLiteral("help"))),
            QDir::cleanPath(program.filePath(QStringLiteral("../help"))),
            QDir::cleanPath(program.filePath(QStringLiteral(TESSARO_HELP_DIR)))};
}

namespace {

// Whether the desktop could show the file. Qt only starts xdg-open and counts
// that as done, but xdg-open fails when no browser is installed (the default
// on a minimal system): its exit status tells.
bool ShowWithDesktop(const QString& file)
{
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
    QProcess process;
    process.start(opener, {file});
    if (!process.waitForStarted(5000))
        return false;
    if (!process.waitForFinished(10000))
        return true; // still running: it is the viewer itself, showing the page
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace

void QtPrompts::OpenHelp(const std::string& page)
{
    const QString wanted = QString::fromStdString(page);
    const QStringList folders = HelpFolders(QCoreApplication::applicationDirPath());
    const std::optional<QString> found = FindHelpPage(wanted, startupFolder_, folders);
    if (!found) {
        QStringList lookedIn{
            QDir::toNativeSeparators(QFileInfo(QDir(startupFolder_), wanted).absolutePath())};
        for (const QString& folder : folders)
            if (!lookedIn.contains(QDir::toNativeSeparators(folder)))
                lookedIn << QDir::toNativeSeparators(folder);
        MessageBox(FillArgs(Tr(Msg::HelpPageNotFound),
                            {QFileInfo(wanted).fileName().toStdString(), lookedIn.join(u'\n').toStdString()}),
                   MsgIcon::Warning, MsgButtons::Ok);
        return;
    }
    if (!ShowWithDesktop(*found))
        MessageBox(FillArgs(Tr(Msg::NoHelpViewer), {QDir::toNativeSeparators(*found).toStdString()}),
                   MsgIcon::Warning, MsgButtons::Ok);
}

void QtPrompts::RunResultList(const ResultList& list, ResultListHost& host)
{
    CResultListDlg dialog(list, host, mainWindow_ ? mainWindow_.data() : DialogParent());
    dialog.exec();
}

} // namespace tessaro

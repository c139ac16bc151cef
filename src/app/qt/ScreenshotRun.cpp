#include "app/qt/ScreenshotRun.h"

#include "app/qt/CLanguageDlg.h"
#include "app/qt/CMainDlg.h"
#include "catalogue/qt/CEntryDlg.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

#include <cstdio>
#include <cstdlib>

namespace tessaro {

namespace {

constexpr int kTickMs = 50;
constexpr int kGiveUpMs = 60000;
// About as many rows as the tree shows without scrolling.
constexpr int kSampleRows = 22;

QString Language()
{
    return IsGerman() ? QStringLiteral("de") : QStringLiteral("en");
}

} // namespace

ScreenshotRun::ScreenshotRun(CMainDlg& mainWindow, const StartOptions& options)
    : mainWindow_(mainWindow), options_(options)
{
    QDir().mkpath(options_.screenshotDir);
    watch_.setInterval(kTickMs);
    connect(&watch_, &QTimer::timeout, this, &ScreenshotRun::WatchModalDialog);
    watch_.start();
    // A run that hangs must not hang the script that started it.
    QTimer::singleShot(kGiveUpMs, this, [] {
        std::fputs("tessaro: screenshot run timed out\n", stderr);
        std::_Exit(3);
    });
}

void ScreenshotRun::Start()
{
    QTimer::singleShot(0, this, &ScreenshotRun::Capture);
}

void ScreenshotRun::Save(QWidget& window, const QString& name)
{
    const QString path = QDir(options_.screenshotDir).filePath(name + QStringLiteral(".png"));
    if (window.grab().save(path))
        std::printf("%s\n", qPrintable(path));
    else {
        std::fprintf(stderr, "tessaro: cannot save %s\n", qPrintable(path));
        failed_ = true;
    }
}

void ScreenshotRun::OpenSample(PaneState& pane)
{
    CategoryTree& tree = pane.tree;
    int rows = 0;
    for (int row = 0; row < tree.CategoryCount() && rows < kSampleRows; ++row) {
        TreeNode* category = tree.CategoryAt(row);
        rows += 1 + category->ChildCount();
        tree.SetExpanded(category, true);
    }
    if (TreeNode* first = tree.FirstCategory(); first && first->HasChildren()) {
        tree.Select(first->FirstChild());
        tree.EnsureVisible(first->FirstChild());
    }
}

void ScreenshotRun::Capture()
{
    MainWindowState& state = mainWindow_.State();
    if (!options_.openArchive.isEmpty()) {
        state.archivePane.fileName = QDir::toNativeSeparators(options_.openArchive).toStdString();
        if (state.LoadArchiveFile())
            OpenSample(state.archivePane);
    }
    if (!options_.openMdb.isEmpty()) {
        state.mdbPane.fileName = QDir::toNativeSeparators(options_.openMdb).toStdString();
        if (state.LoadMdbFile())
            OpenSample(state.mdbPane);
    }
    if (state.mdbPane.loaded)
        state.SetActivePane(true);
    else if (state.archivePane.loaded)
        state.SetActivePane(false);
    mainWindow_.Refresh();
    QApplication::processEvents();
    Save(mainWindow_, QStringLiteral("main-window-") + Language());

    // The entry editor on the selected entry; WatchModalDialog takes and closes it.
    if (auto* edit = mainWindow_.findChild<QPushButton*>(QStringLiteral("edit")); edit && edit->isEnabled())
        edit->click();
    watch_.stop();
    mainWindow_.reject(); // nothing was changed: no question, the settings go to the run's own folder
}

void ScreenshotRun::WatchModalDialog()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == &mainWindow_) {
        seen_ = nullptr;
        return;
    }
    if (seen_ != modal) {
        seen_ = modal; // laid out and painted by the next tick
        return;
    }
    seen_ = nullptr;
    if (auto* language = qobject_cast<CLanguageDlg*>(modal)) {
        Save(*language, QStringLiteral("language-dialog"));
        if (auto* english = language->findChild<QRadioButton*>(QStringLiteral("english")))
            english->click();
        language->accept();
    } else if (auto* entry = qobject_cast<CEntryDlg*>(modal)) {
        Save(*entry, QStringLiteral("entry-editor-") + Language());
        entry->reject();
    } else {
        // Any other dialog means the run went wrong (a message box, say).
        Save(*modal, QStringLiteral("unexpected-dialog"));
        failed_ = true;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }
}

} // namespace tessaro

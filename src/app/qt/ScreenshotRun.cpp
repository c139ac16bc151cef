#include "app/qt/ScreenshotRun.h"

#include "app/OpenFromImage.h"
#include "app/PaneKinds.h"
#include "app/qt/CLanguageDlg.h"
#include "app/qt/CMainDlg.h"
#include "app/qt/CResultListDlg.h"
#include "app/qt/EditorWindow.h"
#include "app/qt/ModernWindow.h"
#include "app/qt/FileDialogs.h"
#include "browse/LinuxNamespace.h"
#include "browse/qt/CBrowseDlg.h"
#include "browse/qt/QtDesktopActions.h"
#include "catalogue/qt/CCatalogueCombo.h"
#include "catalogue/qt/CCategoryDlg.h"
#include "catalogue/qt/CEntryDlg.h"
#include "catalogue/qt/CKeyboardDlg.h"
#include "catalogue/qt/CSearchDlg.h"
#include "common/Prompts.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QDockWidget>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QPalette>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QStyleFactory>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace tessaro {

namespace {

constexpr int kTickMs = 50;
constexpr int kSettleMs = 300;
constexpr int kGiveUpMs = 90000;
// About as many rows as the tree shows without scrolling.
constexpr int kSampleRows = 22;

QString Language()
{
    return IsGerman() ? QStringLiteral("de") : QStringLiteral("en");
}

// Lets a window that was just shown be laid out and painted.
void Settle()
{
    QEventLoop loop;
    QTimer::singleShot(kSettleMs, &loop, &QEventLoop::quit);
    loop.exec();
}

// The search dialog of the pictures finds nothing and is never pressed.
class NoSearch : public SearchHost
{
public:
    bool SearchStep(const std::string&) override { return false; }
    bool SearchesLeftPane() const override { return true; }
};

} // namespace

ScreenshotOptions ParseScreenshotOptions(const QStringList& arguments)
{
    ScreenshotOptions options;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
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
    return options;
}

ScreenshotRun::ScreenshotRun(CMainDlg& mainWindow, EditorBasis& basis, const ScreenshotOptions& options)
    : mainWindow_(mainWindow), basis_(basis), prompts_(basis.prompts), options_(options)
{
    QDir().mkpath(options_.screenshotDir);
    // An open list is taken whole, not while it rolls down.
    QApplication::setEffectEnabled(Qt::UI_AnimateCombo, false);
    watch_.setInterval(kTickMs);
    connect(&watch_, &QTimer::timeout, this, &ScreenshotRun::WatchModalDialog);
    watch_.start();
    // A run that hangs must not hang the script that started it.
    QTimer::singleShot(kGiveUpMs, this, [] {
        std::fputs("tessaro-screenshots: run timed out\n", stderr);
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
        std::fprintf(stderr, "tessaro-screenshots: cannot save %s\n", qPrintable(path));
        failed_ = true;
    }
}

void ScreenshotRun::SaveScreen(QWidget& window, QWidget& popup, const QString& name)
{
    const QRect area = window.frameGeometry().united(popup.frameGeometry());
    const QPixmap shot = window.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    const QString path = QDir(options_.screenshotDir).filePath(name + QStringLiteral(".png"));
    if (!shot.isNull() && shot.save(path))
        std::printf("%s\n", qPrintable(path));
    else {
        std::fprintf(stderr, "tessaro-screenshots: cannot save %s\n", qPrintable(path));
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

void ScreenshotRun::LoadFiles(MainWindowState& state)
{
    if (!options_.flashStyleFile.isEmpty()) {
        state.Options().SetFlashStyleFile(QDir::toNativeSeparators(options_.flashStyleFile).toStdString());
        state.Options().ReadFlashStyleBackup();
    }
    if (!options_.openArchive.isEmpty()) {
        state.Pane(PaneId::Archive).fileName = QDir::toNativeSeparators(options_.openArchive).toStdString();
        if (state.Files().LoadFile(PaneId::Archive))
            OpenSample(state.Pane(PaneId::Archive));
    }
    if (!options_.openMdb.isEmpty()) {
        state.Pane(PaneId::Mdb).fileName = QDir::toNativeSeparators(options_.openMdb).toStdString();
        if (state.Files().LoadFile(PaneId::Mdb))
            OpenSample(state.Pane(PaneId::Mdb));
    }
    if (state.Pane(PaneId::Mdb).loaded)
        state.SetActivePane(PaneId::Mdb);
    else if (state.Pane(PaneId::Archive).loaded)
        state.SetActivePane(PaneId::Archive);
}

void ScreenshotRun::Capture()
{
    MainWindowState& state = mainWindow_.State();
    LoadFiles(state);
    mainWindow_.Refresh();
    QApplication::processEvents();
    Save(mainWindow_, QStringLiteral("main-window-") + Language());

    watch_.stop(); // the dialogs below are taken here, not by the watch
    CaptureLargeWindow();
    CaptureMenus();
    CaptureSmallDialogs();
    watch_.start();

    // The archives of a floppy image to choose from; WatchModalDialog takes and closes it.
    prompts_.ChooseItem(Tr(Caption::OpenArchiveTitle),
                        FillArgs(Tr(Msg::ImageSeveralArchives), {"/home/user/Gotek/DSKA0001.img"}),
                        {"/SETS/SECOND.MDX", "/FIRST.MDX", "/OLD/THIRD.MDX"});

    // The entry editor on the selected entry; WatchModalDialog takes and closes it.
    if (auto* edit = mainWindow_.findChild<QPushButton*>(QStringLiteral("edit")); edit && edit->isEnabled())
        edit->click();
    // The panes compared, the list beside the window; WatchModalDialog takes and closes it.
    if (state.Pane(PaneId::Mdb).loaded && state.Pane(PaneId::Archive).loaded) {
        watch_.start();
        state.Tools().ComparePanes();
    }
    watch_.stop();
    CaptureModernWindow();
    mainWindow_.reject(); // nothing was changed: no question, the settings go to the run's own folder
}

void ScreenshotRun::CaptureModernWindow()
{
    CModernWindow window(basis_.prompts, basis_.settings, basis_.styles);
    watch_.start(); // a question of the start sequence would be answered, or taken as a fault
    window.Initialise();
    watch_.stop();
    LoadFiles(window.State());
    window.resize(1180, 760);
    window.show();
    window.Refresh();
    Settle();
    Save(window, QStringLiteral("modern-window-") + Language());

    // A dark desktop: the Fusion style with a dark palette, as many desktops offer it.
    const QString style = QApplication::style()->name();
    const QPalette light = QApplication::palette();
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(45, 45, 48));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(30, 30, 32));
    dark.setColor(QPalette::AlternateBase, QColor(40, 40, 44));
    dark.setColor(QPalette::ToolTipBase, QColor(50, 50, 54));
    dark.setColor(QPalette::ToolTipText, QColor(230, 230, 230));
    dark.setColor(QPalette::PlaceholderText, QColor(150, 150, 150));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Button, QColor(55, 55, 58));
    dark.setColor(QPalette::Light, QColor(85, 85, 90));
    dark.setColor(QPalette::Midlight, QColor(70, 70, 74));
    dark.setColor(QPalette::Mid, QColor(40, 40, 42));
    dark.setColor(QPalette::Dark, QColor(25, 25, 27));
    dark.setColor(QPalette::Shadow, QColor(10, 10, 10));
    dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    dark.setColor(QPalette::BrightText, QColor(255, 90, 90));
    dark.setColor(QPalette::Link, QColor(110, 170, 255));
    dark.setColor(QPalette::Highlight, QColor(42, 110, 200));
    dark.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    dark.setColor(QPalette::Disabled, QPalette::Text, QColor(120, 120, 120));
    dark.setColor(QPalette::Disabled, QPalette::WindowText, QColor(120, 120, 120));
    dark.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(120, 120, 120));
    QApplication::setPalette(dark);
    Settle();
    Save(window, QStringLiteral("modern-window-dark-") + Language());
    QApplication::setPalette(light);
    QApplication::setStyle(QStyleFactory::create(style));
    Settle();
    // Filtered: the categories count what shows of them.
    if (auto* filter = window.findChild<QLineEdit*>(QStringLiteral("filterMdb"))) {
        filter->setText(QStringLiteral("swing"));
        Settle();
        Save(window, QStringLiteral("modern-window-filtered-") + Language());
        filter->clear();
    }
    if (CaptureResultPanel(window)) {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(dark);
        Settle();
        Save(window, QStringLiteral("modern-results-dark-") + Language());
        QApplication::setPalette(light);
        QApplication::setStyle(QStyleFactory::create(style));
        Settle();
    }
    window.hide();
}

bool ScreenshotRun::CaptureResultPanel(CModernWindow& window)
{
    MainWindowState& state = window.State();
    auto* panel = window.findChild<QDockWidget*>(QStringLiteral("resultPanel"));
    auto* lines = window.findChild<QAbstractItemView*>(QStringLiteral("resultLines"));
    if (!panel || !lines || !state.Pane(PaneId::Mdb).loaded || !state.Pane(PaneId::Archive).loaded)
        return false;
    ToolResults& results = state.Tools().Results();
    state.Tools().ComparePanes();
    Settle(); // the panel opens at its first line
    // The third line of the MDB deleted (its line greys), the one after it chosen in the panel.
    int found = 0;
    for (std::size_t line = 0; line + 1 < results.List().lines.size(); ++line) {
        if (results.PaneOf(line) != PaneId::Mdb || results.NodesNow(line).size() != 1 || ++found < 3)
            continue;
        results.Choose(line);
        state.EditColumn().DeleteSelected();
        window.Refresh();
        lines->setCurrentIndex(lines->model()->index(static_cast<int>(line + 1), 0));
        break;
    }
    window.statusBar()->clearMessage();
    Settle();
    Save(window, QStringLiteral("modern-results-") + Language());
    return true;
}

void ScreenshotRun::CaptureLargeWindow()
{
    // Half as large again, as far as the screen has room; then back, so that
    // the next run starts at the smallest size again.
    const QSize normal = mainWindow_.size();
    QSize large = normal * 1.5;
    if (const QScreen* screen = mainWindow_.screen())
        large = large.boundedTo(screen->availableGeometry().size() - QSize(40, 60));
    mainWindow_.resize(large);
    Settle();
    Save(mainWindow_, QStringLiteral("main-window-large-") + Language());
    mainWindow_.resize(normal);
    Settle();
}

void ScreenshotRun::CaptureMenus()
{
    const MainMenus& menus = mainWindow_.Menus();
    for (QMenu* menu : {menus.fileMenu, menus.editMenu, menus.toolsMenu}) {
        const QRect title = menus.bar->actionGeometry(menu->menuAction());
        menu->popup(menus.bar->mapToGlobal(title.bottomLeft()));
        Settle();
        SaveScreen(mainWindow_, *menu,
                   menu->objectName().replace(QLatin1String("Menu"), QLatin1String("-menu-")) + Language());
        menu->close();
    }

    // The context menu of the MDB tree's selected entry, as a right click opens it.
    auto* tree = mainWindow_.findChild<QTreeView*>(QStringLiteral("treeMdb"));
    if (!tree || !tree->currentIndex().isValid())
        return;
    const QPoint at = tree->visualRect(tree->currentIndex()).center();
    QTimer::singleShot(kSettleMs, this, [this] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            SaveScreen(mainWindow_, *popup, QStringLiteral("context-menu-") + Language());
            popup->close();
        }
    });
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, tree->viewport()->mapToGlobal(at));
    QApplication::sendEvent(tree->viewport(), &click);
}

void ScreenshotRun::CaptureSmallDialogs()
{
    const auto take = [this](QWidget& dialog, const char* name) {
        dialog.show();
        Settle();
        Save(dialog, QLatin1String(name) + Language());
        dialog.close();
    };
    {
        CCategoryDlg dialog(prompts_, &mainWindow_);
        dialog.SetName("Swing && Jazz");
        take(dialog, "category-dialog-");
    }
    {
        CKeyboardDlg dialog(&mainWindow_);
        dialog.SetModel(2);
        take(dialog, "keyboard-dialog-");
    }
    {
        NoSearch host;
        CSearchDlg dialog(host, prompts_, &mainWindow_);
        take(dialog, "search-dialog-");
    }
    const MainWindowState& state = mainWindow_.State();
    const std::string setFolder =
        QFileInfo(QString::fromStdString(state.Pane(PaneId::Mdb).fileName)).absolutePath().toStdString();
    {
        QtDesktopActions actions;
        LinuxNamespace shell(&actions);
        CBrowseDlg dialog(BackupSetBrowse(BrowseMode::Save, setFolder, false), shell, &mainWindow_);
        take(dialog, "browse-dialog-");
    }
    {
        QFileDialog dialog(&mainWindow_);
        PrepareFileDialog(
            dialog,
            OpenDialogWithImages(PaneId::Archive,
                                 FileDialogFor(PaneId::Archive, false, state.Pane(PaneId::Archive).fileName)),
            false);
        take(dialog, "file-dialog-");
    }
}

void ScreenshotRun::CaptureEntryEditor(CEntryDlg& dialog)
{
    Save(dialog, QStringLiteral("entry-editor-") + Language());

    if (auto* list = dialog.findChild<CCatalogueCombo*>(QStringLiteral("r1Voice"))) {
        list->showPopup();
        Settle();
        SaveScreen(dialog, *list->view()->window(), QStringLiteral("entry-editor-list-") + Language());
        list->hidePopup();
    }
    if (auto* title = dialog.findChild<QLineEdit*>(QStringLiteral("title"))) {
        const std::unique_ptr<QMenu> menu(title->createStandardContextMenu());
        menu->popup(title->mapToGlobal(title->rect().center()));
        Settle();
        SaveScreen(dialog, *menu, QStringLiteral("entry-editor-menu-") + Language());
        menu->close();
    }
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
        watch_.stop();
        CaptureEntryEditor(*entry);
        entry->reject();
    } else if (auto* choice = qobject_cast<QInputDialog*>(modal)) {
        Save(*choice, QStringLiteral("archive-choice-") + Language());
        choice->reject();
    } else if (auto* list = qobject_cast<CResultListDlg*>(modal)) {
        watch_.stop();
        // A line chosen: its entry is selected in the window behind.
        list->Lines()->setCurrentRow(std::min(1, list->Lines()->count() - 1));
        mainWindow_.Refresh();
        Settle();
        SaveScreen(mainWindow_, *list, QStringLiteral("result-list-") + Language());
        list->reject();
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

#pragma once
// The questions and dialogs of the commands, as real windows: message boxes,
// file dialogs, the small dialogs, the entry editor, the wait cursor and help.

#include "common/Prompts.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <optional>

namespace tessaro {

class SettingsStore;
class StyleCatalogue;

class QtPrompts : public Prompts
{
public:
    // settings: where the language dialog stores the choice. The start-up
    // folder is the current folder at construction.
    // styles: the names the entry editor's style list shows.
    QtPrompts(SettingsStore& settings, const StyleCatalogue& styles, QWidget* mainWindow = nullptr);

    // The window the dialogs belong to (the main window, once it exists).
    void SetMainWindow(QWidget* mainWindow) { mainWindow_ = mainWindow; }

    MsgAnswer MessageBox(const std::string& text, MsgIcon icon, MsgButtons buttons) override;
    std::optional<std::string> OpenFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> SaveFileDialog(const FileDialogRequest& request) override;
    BrowseResult Browse(const BrowseRequest& request) override;
    std::optional<std::size_t> ChooseItem(const std::string& title, const std::string& text,
                                          const std::vector<std::string>& items) override;

    bool ChooseKeyboardModel(int& model) override;
    bool EditCategory(std::string& name) override;
    bool EditEntry(MdbEntry& record, int keyboardModel) override;
    void RunSearchDialog(SearchHost& host) override;
    bool ChooseLanguage(UiLanguage& language) override;

    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    // Opens the page with the desktop's viewer; says so when no page or no
    // viewer is found.
    void OpenHelp(const std::string& page) override;

    // ---- Tools ----
    // Beside the main window, so the selected entries stay in sight.
    void RunResultList(const ResultList& list, ResultListHost& host) override;

    // Where a help page is looked for: the page itself (a relative one in the
    // start-up folder), then its file name in each of the other folders.
    static std::optional<QString> FindHelpPage(const QString& page, const QString& startupFolder,
                                               const QStringList& otherFolders);
    // The other folders for a program in programFolder: the help folder of its
    // build tree and of the source tree holding that, then the installed one.
    static QStringList HelpFolders(const QString& programFolder);

private:
    // The active modal dialog if there is one, else the main window.
    QWidget* DialogParent() const;
    std::optional<std::string> RunFileDialog(const FileDialogRequest& request, bool save);

    SettingsStore& settings_;
    const StyleCatalogue& styles_;
    QPointer<QWidget> mainWindow_;
    QString startupFolder_;
    int waitCursorDepth_ = 0;
};

} // namespace tessaro

#pragma once
// What the commands ask of the user. The windows implement this with real
// dialogs; tests implement it with scripted answers.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "common/Texts.h"

namespace tessaro {

class MdbEntry;
class SearchHost;
class ResultListHost;

enum class MsgIcon
{
    Warning,
    Question,
    Information // a tool's "nothing found"
};
enum class MsgButtons
{
    Ok,
    YesNo,
    YesNoCancel
};
enum class MsgAnswer
{
    Ok,
    Yes,
    No,
    Cancel
};

// File dialog request. Filter in the "Name (*.x)|*.x|All files (*.*)|*.*||" form.
struct FileDialogRequest
{
    std::string title;
    std::string filter;
    std::string defaultExtension; // with the dot, e.g. ".bup"
    std::string initialName;
    bool overwritePrompt = false;
};

enum class BrowseMode
{
    Open,
    Save
};

// The browse dialog's icons for the backup sets that hold an MDB backup file,
// or a flash-style backup file.
constexpr int kMdbSetIcon = 137;
constexpr int kFlashStyleSetIcon = 138;

struct BrowseRequest
{
    BrowseMode mode = BrowseMode::Open;
    std::string title;
    int iconId = 0;   // icon of the matching sets (kMdbSetIcon, kFlashStyleSetIcon)
    std::string mask; // e.g. "MDB*.bup"
    std::string startFolder;
    bool noNetwork = false;
};

// The lines of a tool's findings (compare, keyboard check, duplicates, CSV faults).
struct ResultList
{
    std::string title;
    std::string summary; // above the lines
    std::vector<std::string> lines;
    // The lines point mostly into the left (MDB) pane: where the screen has no
    // room beside the main window, the list covers the right one.
    bool mostlyLeftPane = true;
};

struct BrowseResult
{
    bool confirmed = false;
    std::string chosenPath;   // GetChosenPath
    std::string chosenFolder; // GetChosenFolder
};

class Prompts
{
public:
    virtual ~Prompts() = default;

    // Texts are UTF-8 in the current language.
    virtual MsgAnswer MessageBox(const std::string& text, MsgIcon icon, MsgButtons buttons) = 0;
    // std::nullopt when cancelled.
    virtual std::optional<std::string> OpenFileDialog(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> SaveFileDialog(const FileDialogRequest& request) = 0;
    virtual BrowseResult Browse(const BrowseRequest& request) = 0;
    // A short list to pick one line from, under the text: the chosen line's
    // index, or nothing on Cancel.
    virtual std::optional<std::size_t> ChooseItem(const std::string& title, const std::string& text,
                                                  const std::vector<std::string>& items) = 0;

    // CKeyboardDlg: model in, chosen model (0 when none selected) out; false on Cancel.
    virtual bool ChooseKeyboardModel(int& model) = 0;
    // CCategoryDlg: name in, edited name (at most 16 characters) out; false on Cancel.
    virtual bool EditCategory(std::string& name) = 0;
    // CEntryDlg: on OK writes the edited values into the record and returns true.
    // The caller hands in a copy and decides what to do with it.
    virtual bool EditEntry(MdbEntry& record, int keyboardModel) = 0;
    // CSearchDlg: runs until closed; each press of Search calls host.SearchStep.
    virtual void RunSearchDialog(SearchHost& host) = 0;
    // CLanguageDlg: false when the user escaped without a choice.
    virtual bool ChooseLanguage(UiLanguage& language) = 0;

    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
    // Opens the help page of the language: its path in the start-up folder
    // ("<folder>/Tessaro.htm" or "<folder>/Tessaro_e.htm"). Where the file is not
    // there, the window looks for its name in the installed help folder. Failures
    // are ignored.
    virtual void OpenHelp(const std::string& page) = 0;

    // Shorthands for the two kinds of box every Part uses.
    void Warn(Msg id) { MessageBox(Tr(id), MsgIcon::Warning, MsgButtons::Ok); }
    MsgAnswer AskYesNoCancel(Msg id)
    {
        return MessageBox(Tr(id), MsgIcon::Question, MsgButtons::YesNoCancel);
    }

    // ---- Tools ----------------------------------------------------------------
    // Shows the list until it is closed; choosing a line calls host.ShowResult
    // with its index. Modal, so the nodes the lines stand for stay put.
    virtual void RunResultList(const ResultList& list, ResultListHost& host) = 0;
};

// Shows the wait cursor for the life of the guard.
class WaitCursor
{
public:
    explicit WaitCursor(Prompts& prompts) : prompts_(prompts) { prompts_.BeginWaitCursor(); }
    ~WaitCursor() { prompts_.EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    Prompts& prompts_;
};

// What the search dialog drives: one search step per press.
class SearchHost
{
public:
    virtual ~SearchHost() = default;
    // Returns false when nothing was found (the dialog then says "Text not found!").
    virtual bool SearchStep(const std::string& text) = 0;
    virtual bool SearchesLeftPane() const = 0; // places the dialog beside the searched pane
};

// What a result list's chosen line does: select what it stands for.
class ResultListHost
{
public:
    virtual ~ResultListHost() = default;
    virtual void ShowResult(std::size_t line) = 0;
};

} // namespace tessaro

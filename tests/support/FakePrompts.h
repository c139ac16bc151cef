#pragma once
// A scripted Prompts for tests: every question takes the next scripted answer
// and every message, dialog and request is recorded. A prompt with nothing
// scripted gets the "cancel" answer and counts in `unscripted`, so a test can
// check that nothing was asked that it did not expect.

#include "common/Prompts.h"
#include "data/MdbEntry.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessaro {

class FakePrompts : public Prompts
{
public:
    struct Shown
    {
        std::string text;
        MsgIcon icon;
        MsgButtons buttons;
    };

    // Message boxes. Unscripted: Ok for an OK box, No for Yes/No, Cancel for Yes/No/Cancel.
    std::deque<MsgAnswer> answers;
    std::vector<Shown> messages;

    // Category dialog: the edited name, or nullopt for Cancel.
    std::deque<std::optional<std::string>> categoryNames;
    std::vector<std::string> categoryDialogInputs;

    // Entry editor: each script edits the entry and returns true for OK.
    std::deque<std::function<bool(MdbEntry&, int)>> entryEdits;
    std::vector<int> entryDialogModels;

    // File dialogs: the chosen name, or nullopt for Cancel.
    std::deque<std::optional<std::string>> openFileNames;
    std::deque<std::optional<std::string>> saveFileNames;
    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;

    std::deque<BrowseResult> browseResults;
    std::vector<BrowseRequest> browseRequests;

    // Short lists to pick from: the line chosen, or nullopt for Cancel.
    struct ItemChoice
    {
        std::string title;
        std::string text;
        std::vector<std::string> items;
    };
    std::deque<std::optional<std::size_t>> itemChoices;
    std::vector<ItemChoice> itemRequests;

    // Keyboard-model and language dialogs: the choice, or nullopt for Cancel.
    std::deque<std::optional<int>> keyboardModels;
    std::deque<std::optional<UiLanguage>> languages;

    // Search dialog: run with the host until "closed"; without a script it closes at once.
    std::function<void(SearchHost&)> searchScript;
    int searchDialogRuns = 0;

    int waitCursorDepth = 0;
    int waitCursorsShown = 0;
    std::vector<std::string> helpPages;

    int unscripted = 0;

    // Result lists: each one shown is kept; the script (if any) plays the user
    // choosing lines before closing it.
    std::vector<ResultList> resultLists;
    std::function<void(const ResultList&, ResultListHost&)> resultListScript;

    // Helpers for the common scripts.
    void Answer(MsgAnswer answer) { answers.push_back(answer); }
    void NameCategory(const std::string& name) { categoryNames.push_back(name); }
    void CancelCategory() { categoryNames.push_back(std::nullopt); }
    void EditEntryWith(std::function<void(MdbEntry&)> edit)
    {
        entryEdits.push_back([edit](MdbEntry& entry, int) {
            edit(entry);
            return true;
        });
    }
    void CancelEntry()
    {
        entryEdits.push_back([](MdbEntry&, int) { return false; });
    }

    // How often the text of the message id was shown (in the current language),
    // alone or followed by its details (the file and the system's reason).
    int TimesShown(Msg id) const
    {
        const std::string text = Tr(id);
        const std::string detailed = text + "\n\n";
        return static_cast<int>(std::count_if(messages.begin(), messages.end(), [&](const Shown& m) {
            return m.text == text || m.text.rfind(detailed, 0) == 0;
        }));
    }
    bool Showed(Msg id) const { return TimesShown(id) > 0; }

    MsgAnswer MessageBox(const std::string& text, MsgIcon icon, MsgButtons buttons) override
    {
        messages.push_back({text, icon, buttons});
        if (!answers.empty())
            return Next(answers);
        if (buttons == MsgButtons::Ok)
            return MsgAnswer::Ok;
        ++unscripted;
        return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Cancel;
    }

    std::optional<std::string> OpenFileDialog(const FileDialogRequest& request) override
    {
        openRequests.push_back(request);
        return NextOr(openFileNames, std::optional<std::string>());
    }

    std::optional<std::string> SaveFileDialog(const FileDialogRequest& request) override
    {
        saveRequests.push_back(request);
        return NextOr(saveFileNames, std::optional<std::string>());
    }

    BrowseResult Browse(const BrowseRequest& request) override
    {
        browseRequests.push_back(request);
        return NextOr(browseResults, BrowseResult());
    }

    std::optional<std::size_t> ChooseItem(const std::string& title, const std::string& text,
                                          const std::vector<std::string>& items) override
    {
        itemRequests.push_back({title, text, items});
        return NextOr(itemChoices, std::optional<std::size_t>());
    }

    bool ChooseKeyboardModel(int& model) override
    {
        const std::optional<int> choice = NextOr(keyboardModels, std::optional<int>());
        if (!choice)
            return false;
        model = *choice;
        return true;
    }

    bool EditCategory(std::string& name) override
    {
        categoryDialogInputs.push_back(name);
        const std::optional<std::string> edited = NextOr(categoryNames, std::optional<std::string>());
        if (!edited)
            return false;
        name = *edited;
        return true;
    }

    bool EditEntry(MdbEntry& entry, int keyboardModel) override
    {
        entryDialogModels.push_back(keyboardModel);
        if (entryEdits.empty()) {
            ++unscripted;
            return false;
        }
        return Next(entryEdits)(entry, keyboardModel);
    }

    void RunSearchDialog(SearchHost& host) override
    {
        ++searchDialogRuns;
        if (searchScript)
            searchScript(host);
    }

    bool ChooseLanguage(UiLanguage& language) override
    {
        const std::optional<UiLanguage> choice = NextOr(languages, std::optional<UiLanguage>());
        if (!choice)
            return false;
        language = *choice;
        return true;
    }

    void BeginWaitCursor() override
    {
        ++waitCursorDepth;
        ++waitCursorsShown;
    }
    void EndWaitCursor() override { --waitCursorDepth; }
    void OpenHelp(const std::string& page) override { helpPages.push_back(page); }

    void RunResultList(const ResultList& list, ResultListHost& host) override
    {
        resultLists.push_back(list);
        if (resultListScript)
            resultListScript(list, host);
    }

    // Chooses these lines, one after the other, in every list shown.
    void ChooseResultLines(std::vector<std::size_t> lines)
    {
        resultListScript = [lines](const ResultList&, ResultListHost& host) {
            for (const std::size_t line : lines)
                host.ShowResult(line);
        };
    }

private:
    template <class T> static T Next(std::deque<T>& queue)
    {
        T front = std::move(queue.front());
        queue.pop_front();
        return front;
    }

    template <class T> T NextOr(std::deque<T>& queue, T fallback)
    {
        if (queue.empty()) {
            ++unscripted;
            return fallback;
        }
        return Next(queue);
    }
};

} // namespace tessaro

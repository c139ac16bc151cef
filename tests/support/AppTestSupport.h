#pragma once
// The main window's state over scripted prompts, a map settings store and a
// real temporary folder, with helpers that write the files the commands read.

#include "app/MainWindowState.h"
#include "data/MdbImage.h"
#include "support/DataTestSupport.h"
#include "support/FakePrompts.h"
#include "support/MapSettingsStore.h"
#include "support/TreeTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessaro {

// FakePrompts that also keeps the keyboard-model dialog's preset and counts the
// language dialogs.
class AppPrompts : public FakePrompts
{
public:
    std::vector<int> keyboardPresets;
    int languageDialogs = 0;

    bool ChooseKeyboardModel(int& model) override
    {
        keyboardPresets.push_back(model);
        return FakePrompts::ChooseKeyboardModel(model);
    }
    bool ChooseLanguage(UiLanguage& language) override
    {
        ++languageDialogs;
        return FakePrompts::ChooseLanguage(language);
    }

    // The messages shown, as their English or German texts.
    std::vector<std::string> Texts() const;
    // A browse dialog confirmed with this result.
    void BrowseTo(const std::string& chosenPath, const std::string& chosenFolder);
    void CancelBrowse() { browseResults.push_back(BrowseResult()); }
};

// Settings in memory that count how often they were flushed, and can fail to.
class CountingSettingsStore : public MapSettingsStore
{
public:
    int flushes = 0;
    bool failFlush = false;

    bool Flush() override
    {
        ++flushes;
        return !failFlush;
    }
    std::string FlushFailure() const override
    {
        return failFlush ? "/home/u/.config/Larchmont/Tessaro.conf: Read-only file system" : "";
    }
};

// Records in an MDB or archive: category, style, tempo, title.
struct TestEntry
{
    std::string category;
    int style;
    int tempo;
    std::string title;
};
std::vector<MdbEntry> Records(const std::vector<TestEntry>& entries);
std::vector<MdbEntry> NumberedRecords(int count);
// An entry that plays as stored on both keyboards (Grand Piano on every hand).
MdbEntry Playable(const std::string& category, int style, const std::string& title);
// The record with a voice only the PSR-9000pro has.
MdbEntry WithProVoice(MdbEntry record);

void WriteTestMdb(const std::string& path, const std::vector<MdbEntry>& records,
                  KeyboardModel model = KeyboardModel::Psr9000);
void WriteTestArchive(const std::string& path, const std::vector<MdbEntry>& records);
// A flash-style backup file whose style f is named name(f).
void WriteTestFlashStyles(const std::string& path, const std::string& namePrefix);

// Deletes the node as one step of the history, as a command would.
void DeleteInStep(MainWindowState& state, PaneId pane, TreeNode* node);

// What the pane's count label shows after the window's refresh.
std::string CountText(MainWindowState& state, PaneId pane);

// Titles of the entries of a pane in tree order.
std::vector<std::string> Titles(const PaneState& pane);

class AppTest : public ::testing::Test
{
protected:
    AppTest();
    ~AppTest() override;
    // Every command changed the panes inside a step of the history.
    void TearDown() override;

    std::string Path(const std::string& name) const { return folder / name; }
    // Loads through the Open command with the backup option off.
    void OpenMdbFile(const std::string& path);
    void OpenArchiveFile(const std::string& path);
    // A fresh archive pane with these entries (untitled).
    void NewArchiveWith(const std::vector<TestEntry>& entries);

    testing::TempFolder folder;
    AppPrompts prompts;
    CountingSettingsStore store;
    StyleCatalogue styles;
    MainWindowState state{prompts, store, styles};
};

} // namespace tessaro

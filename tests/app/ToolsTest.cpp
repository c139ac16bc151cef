// The tools of the window: CSV export and import on the active pane, the
// panes compared, the keyboard check and the duplicates.
#include "support/AppTestSupport.h"

#include "edit/EntryCsv.h"
#include "edit/KeyboardCheck.h"
#include "support/TreeTestSupport.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace tessaro {
namespace {

// Export CSV, Import CSV, Compare panes, Check for keyboard, Find duplicates.
using ToolFlags = std::array<bool, 5>;

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// The selected entry's title, or "-" when nothing is selected.
std::string SelectedTitle(const PaneState& pane)
{
    const TreeNode* node = pane.tree.Selected();
    return node && node->Payload() ? node->Payload()->GetTitle() : "-";
}

class ToolsTest : public AppTest
{
protected:
    ToolFlags ToolsEnabled()
    {
        const CommandStates s = state.UpdateCommandStates();
        return {s[CommandId::ExportCsv].enabled, s[CommandId::ImportCsv].enabled,
                s[CommandId::ComparePanes].enabled, s[CommandId::CheckForKeyboard].enabled,
                s[CommandId::FindDuplicates].enabled};
    }

    // The MDB pane (PSR-9000pro) with "m" in Pop, the archive with j and k in Jazz.
    void TwoPanes()
    {
        prompts.keyboardModels.push_back(2);
        state.Files().New(PaneId::Mdb);
        AddEntry(state.Pane(PaneId::Mdb), "Pop", 3, 120, "m");
        NewArchiveWith({{"Jazz", 2, 80, "j"}, {"Jazz", 2, 80, "k"}});
    }

    const ResultList& OnlyList() const
    {
        EXPECT_EQ(prompts.resultLists.size(), 1u);
        return prompts.resultLists.back();
    }
};

TEST_F(ToolsTest, ExportWritesTheActivePaneAndImportAddsItsRowsSortedAsOneStep)
{
    TwoPanes();
    const std::string csv = Path("jazz.csv");
    state.TreeGotFocus(PaneId::Archive);
    prompts.saveFileNames.push_back(csv);
    state.Tools().ExportCsv();
    ASSERT_EQ(prompts.saveRequests.size(), 1u);
    EXPECT_TRUE(prompts.saveRequests[0].overwritePrompt);
    EXPECT_EQ(prompts.saveRequests[0].defaultExtension, ".csv");
    EXPECT_EQ(ReadText(csv), EntryCsvText(state.Pane(PaneId::Archive).tree));

    // Into the MDB, whose Pop stays first; a second Pop row lands in its group.
    std::string text = ReadText(csv);
    const std::size_t j = text.find("Jazz");
    std::string popRow = text.substr(text.find('\n', j) + 1); // the row of k
    popRow.replace(popRow.find("Jazz"), 4, "Pop");
    WriteText(csv, text + popRow);

    state.TreeGotFocus(PaneId::Mdb);
    const std::size_t stepsBefore = state.Workspace().history.StepCount();
    prompts.openFileNames.push_back(csv);
    state.Tools().ImportCsv();
    EXPECT_EQ(Layout(state.Pane(PaneId::Mdb).tree), "Pop{k,m} Jazz{j,k}")
        << "sorted in as loading sorts them";
    EXPECT_EQ(CountText(state, PaneId::Mdb), "4");
    EXPECT_TRUE(state.Pane(PaneId::Mdb).Modified());
    EXPECT_FALSE(state.Pane(PaneId::Archive).Modified()) << "the archive was only read";
    EXPECT_EQ(state.Workspace().history.StepCount(), stepsBefore + 1);
    EXPECT_EQ(state.Workspace().history.UndoName(), "Import CSV \"jazz.csv\"");
    EXPECT_EQ(state.Pane(PaneId::Mdb).tree.Selected(), EntryTitled(state.Pane(PaneId::Mdb).tree, "j"))
        << "the file's first row shows where the rows went";
    EXPECT_TRUE(PanesAreSound(state.Pane(PaneId::Mdb), state.Pane(PaneId::Archive)));

    state.EditColumn().Undo();
    EXPECT_EQ(Layout(state.Pane(PaneId::Mdb).tree), "Pop{m}");
    EXPECT_FALSE(state.Pane(PaneId::Mdb).Modified());
    EXPECT_EQ(CountText(state, PaneId::Mdb), "1");
    state.EditColumn().Redo();
    EXPECT_EQ(Layout(state.Pane(PaneId::Mdb).tree), "Pop{k,m} Jazz{j,k}");
    EXPECT_TRUE(PaneIsSound(state.Pane(PaneId::Mdb)));
    EXPECT_EQ(prompts.unscripted, 0);
    EXPECT_TRUE(prompts.resultLists.empty());
}

TEST_F(ToolsTest, AnImportWithFaultsChangesNothingAndListsEveryFault)
{
    prompts.keyboardModels.push_back(2);
    state.Files().New(PaneId::Mdb);
    AddEntry(state.Pane(PaneId::Mdb), "Pop", 3, 120, "m");
    NewArchiveWith({{"Jazz", 2, 80, "j"}, {"Jazz", 2, 213, "k"}}); // no other cell reads 213
    std::string text = EntryCsvText(state.Pane(PaneId::Archive).tree);
    const std::size_t tempo = text.find(",213,");
    ASSERT_NE(tempo, std::string::npos);
    text.replace(tempo, 5, ",8000,");
    text += "1,2\r\n";
    const std::string csv = Path("bad.csv");
    WriteText(csv, text);

    state.TreeGotFocus(PaneId::Mdb);
    const std::string before = Layout(state.Pane(PaneId::Mdb).tree);
    const std::size_t stepsBefore = state.Workspace().history.StepCount();
    prompts.openFileNames.push_back(csv);
    prompts.ChooseResultLines({0, 1}); // lines that stand for nothing do nothing
    state.Tools().ImportCsv();
    EXPECT_EQ(Layout(state.Pane(PaneId::Mdb).tree), before);
    EXPECT_FALSE(state.Pane(PaneId::Mdb).Modified());
    EXPECT_EQ(state.Workspace().history.StepCount(), stepsBefore);

    const ResultList& list = OnlyList();
    EXPECT_EQ(list.title, "Import CSV");
    EXPECT_EQ(list.summary, "Nothing was imported: the file has 2 faults.");
    ASSERT_EQ(list.lines.size(), 2u);
    EXPECT_EQ(list.lines[0].rfind("line 3, column Tempo: '8000'", 0), 0u) << list.lines[0];
    EXPECT_EQ(list.lines[1].rfind("line 4, column ", 0), 0u) << list.lines[1];
}

TEST_F(ToolsTest, FilesThatCannotBeReadOrWrittenAreSaid)
{
    TwoPanes();
    state.TreeGotFocus(PaneId::Mdb);
    prompts.saveFileNames.push_back(Path("no/such/folder/x.csv"));
    state.Tools().ExportCsv();
    EXPECT_TRUE(prompts.Showed(Msg::ErrorWritingCsv));
    prompts.openFileNames.push_back(Path("missing.csv"));
    state.Tools().ImportCsv();
    EXPECT_TRUE(prompts.Showed(Msg::ErrorReadingCsv));
    EXPECT_EQ(Layout(state.Pane(PaneId::Mdb).tree), "Pop{m}");

    EXPECT_EQ(ToolsEnabled(), (ToolFlags{true, true, true, true, true}));
    // Cancelled dialogs, and no active pane: nothing at all.
    const std::size_t asked = prompts.openRequests.size() + prompts.saveRequests.size();
    state.Tools().ImportCsv();
    state.ClearActivePane();
    EXPECT_EQ(ToolsEnabled(), (ToolFlags{false, false, true, false, false}));
    state.Tools().ExportCsv();
    state.Tools().ImportCsv();
    EXPECT_EQ(prompts.openRequests.size() + prompts.saveRequests.size(), asked + 1);
}

TEST_F(ToolsTest, CompareListsTheDifferencesAndEachLineSelectsItsEntry)
{
    WriteTestMdb(Path("MDB.bup"),
                 {Playable("Pop", 3, "same"), Playable("Pop", 3, "gone"), Playable("Pop", 4, "tempo")});
    OpenMdbFile(Path("MDB.bup"));
    MdbEntry faster = Playable("Pop", 4, "tempo");
    faster.setTempo(126);
    WriteTestArchive(Path("a.mdx"), {Playable("Pop", 3, "same"), faster, Playable("Jazz", 2, "new")});
    OpenArchiveFile(Path("a.mdx"));

    std::vector<std::pair<PaneId, std::string>> selected; // after each chosen line
    std::string counterpart;
    prompts.resultListScript = [&](const ResultList& list, ResultListHost& host) {
        for (std::size_t line = 0; line < list.lines.size(); ++line) {
            host.ShowResult(line);
            selected.emplace_back(state.IsActive(PaneId::Mdb) ? PaneId::Mdb : PaneId::Archive,
                                  SelectedTitle(*state.ActivePane()));
            if (line == 1)
                counterpart = SelectedTitle(state.Pane(PaneId::Archive));
        }
    };
    state.Tools().ComparePanes();
    const ResultList& list = OnlyList();
    EXPECT_EQ(list.title, "Compare panes");
    EXPECT_EQ(list.summary, "Differences: 3 (MDB: MDB.bup, archive: a.mdx)");
    EXPECT_EQ(list.lines, (std::vector<std::string>{"Only in the MDB: Pop \u2013 gone",
                                                    "Changed: Pop \u2013 tempo: Tempo MDB 120, archive 126",
                                                    "Only in the archive: Jazz \u2013 new"}));
    EXPECT_EQ(selected, (std::vector<std::pair<PaneId, std::string>>{
                            {PaneId::Mdb, "gone"}, {PaneId::Mdb, "tempo"}, {PaneId::Archive, "new"}}));
    EXPECT_EQ(counterpart, "tempo") << "a changed entry is shown in both panes";
    EXPECT_TRUE(list.mostlyLeftPane);
    EXPECT_FALSE(state.Pane(PaneId::Mdb).Modified() || state.Pane(PaneId::Archive).Modified());
}

TEST_F(ToolsTest, CompareSaysWhenThePanesAgreeOrOneIsEmpty)
{
    prompts.keyboardModels.push_back(2);
    state.Files().New(PaneId::Mdb);
    EXPECT_FALSE(state.UpdateCommandStates()[CommandId::ComparePanes].enabled);
    state.Tools().ComparePanes();
    EXPECT_TRUE(prompts.Showed(Msg::ComparePanesNeedsBoth));

    AddEntry(state.Pane(PaneId::Mdb), "Pop", 3, 120, "m");
    NewArchiveWith({{"Pop", 3, 120, "m"}});
    state.Tools().ComparePanes();
    EXPECT_TRUE(prompts.Showed(Msg::PanesAreEqual));
    EXPECT_TRUE(prompts.resultLists.empty());
}

TEST_F(ToolsTest, CheckListsTheFindingsForTheChosenModel)
{
    WriteTestMdb(
        Path("MDB.bup"),
        {Playable("Pop", 3, "fine"), WithProVoice(Playable("Pop", 3, "pro")), Playable("Rock", 5, "ok")},
        KeyboardModel::Psr9000Pro);
    OpenMdbFile(Path("MDB.bup"));
    state.TreeGotFocus(PaneId::Mdb);

    prompts.keyboardModels.push_back(1);
    prompts.ChooseResultLines({0});
    state.Tools().CheckForKeyboard();
    EXPECT_EQ(prompts.keyboardPresets.back(), 2) << "the dialog starts at the MDB's model";
    const ResultList& list = OnlyList();
    EXPECT_EQ(list.summary, "Findings for the PSR-9000: 1");
    EXPECT_EQ(list.lines,
              std::vector<std::string>{
                  "Pop \u2013 pro: R2-Voice: Piano - Live!Grand <0,113,0> is a PSR-9000pro voice"});
    EXPECT_EQ(state.Pane(PaneId::Mdb).tree.Selected(), EntryTitled(state.Pane(PaneId::Mdb).tree, "pro"));

    prompts.keyboardModels.push_back(2);
    state.Tools().CheckForKeyboard();
    EXPECT_EQ(prompts.resultLists.size(), 1u);
    EXPECT_EQ(prompts.messages.back().text, "Every entry plays as stored on the PSR-9000pro.");

    prompts.keyboardModels.push_back(std::nullopt); // cancelled: nothing is checked
    state.Tools().CheckForKeyboard();
    EXPECT_EQ(prompts.resultLists.size(), 1u);
    EXPECT_EQ(prompts.messages.size(), 1u);
}

TEST_F(ToolsTest, DuplicateGroupsSelectTheirEntriesAndNothingIsDeleted)
{
    // a and b: the same registration in two categories; x and X: one title.
    NewArchiveWith({{"Pop", 3, 120, "a"}, {"Jazz", 3, 120, "b"}, {"Pop", 2, 80, "x"}, {"Pop", 5, 90, "X"}});
    prompts.keyboardModels.push_back(2);
    state.Files().New(PaneId::Mdb);
    AddEntry(state.Pane(PaneId::Mdb), "Pop", 3, 120, "m");
    state.TreeGotFocus(PaneId::Archive);
    const std::string layout = Layout(state.Pane(PaneId::Archive).tree);

    std::vector<const TreeNode*> chosen;
    std::vector<std::size_t> selectedCounts;
    prompts.resultListScript = [&](const ResultList& list, ResultListHost& host) {
        for (std::size_t line = 0; line < list.lines.size(); ++line) {
            host.ShowResult(line);
            chosen.push_back(state.Pane(PaneId::Archive).tree.Selected());
            selectedCounts.push_back(state.Pane(PaneId::Archive).tree.SelectionCount());
        }
    };
    state.Tools().FindDuplicates();
    const ResultList& list = OnlyList();
    EXPECT_EQ(list.summary, "Groups of duplicates: 2 (nothing is deleted)");
    EXPECT_FALSE(list.mostlyLeftPane) << "the list keeps clear of the archive pane";
    ASSERT_EQ(list.lines.size(), 6u);
    EXPECT_EQ(list.lines[0], "Same registration (2 entries)");
    EXPECT_EQ(list.lines[3], "Same title in one category (2 entries)");
    const CategoryTree& tree = state.Pane(PaneId::Archive).tree;
    const TreeNode* a = EntryTitled(tree, "a");
    const TreeNode* b = EntryTitled(tree, "b");
    const TreeNode* x = EntryTitled(tree, "x");
    const TreeNode* bigX = EntryTitled(tree, "X");
    ASSERT_NE(x, bigX);
    // A group's line selects the whole group with its first entry current, an
    // entry's line that entry alone.
    EXPECT_EQ(chosen, (std::vector<const TreeNode*>{a, a, b, x, x, bigX}));
    EXPECT_EQ(selectedCounts, (std::vector<std::size_t>{2, 1, 1, 2, 1, 1}));
    EXPECT_EQ(Layout(tree), layout);
    EXPECT_FALSE(state.Pane(PaneId::Archive).Modified());
    EXPECT_FALSE(state.IsActive(PaneId::Mdb));

    state.TreeGotFocus(PaneId::Mdb);
    state.Tools().FindDuplicates();
    EXPECT_EQ(prompts.resultLists.size(), 1u);
    EXPECT_TRUE(prompts.Showed(Msg::NoDuplicates));
}

TEST_F(ToolsTest, OnlyVoicesThatPlayCountAsProVoices)
{
    MdbEntry record = Playable("Pop", 3, "a");
    EXPECT_FALSE(UsesProOnlyVoice(record));
    record.setPartVoice(Part::Pad, {0, 123, 88}); // Sunbeam, pro only, but the style's own voice plays
    EXPECT_FALSE(UsesProOnlyVoice(record));
    record.setPartVoiceSet(Part::Pad, true);
    EXPECT_TRUE(UsesProOnlyVoice(record));
    EXPECT_TRUE(UsesProOnlyVoice(WithProVoice(Playable("Pop", 3, "a"))));
}

TEST_F(ToolsTest, ListsFollowTheLanguage)
{
    SetUiLanguage(UiLanguage::German);
    prompts.keyboardModels.push_back(2);
    state.Files().New(PaneId::Mdb);
    AddEntry(state.Pane(PaneId::Mdb), "Pop", 3, 120, "m");
    NewArchiveWith({{"Pop", 3, 120, "m"}, {"Pop", 3, 120, "n"}});
    state.Tools().ComparePanes();
    const ResultList& list = OnlyList();
    EXPECT_EQ(list.title, "Bereiche vergleichen");
    EXPECT_EQ(list.summary, "Unterschiede: 1 (MDB: unbenannt, Archiv: unbenannt)");
    EXPECT_EQ(list.lines, std::vector<std::string>{"Nur im Archiv: Pop \u2013 n"});
}

} // namespace
} // namespace tessaro

// Save and Save As of the MDB pane, as a plain file and into a backup set, and
// the question before a PSR-9000 MDB with PSR-9000pro voices is saved.
#include "support/AppTestSupport.h"

#include "browse/BackupSetNames.h"
#include "data/BackupIni.h"
#include "data/MdbFile.h"
#include "data/SafeFile.h"
#include "edit/KeyboardCheck.h"
#include "support/TreeTestSupport.h"

#include <filesystem>

namespace tessaro {
namespace {

using testing::ReadBytes;
using testing::ReadText;

class PaneFilesSaveTest : public AppTest
{
protected:
    // A new MDB with `count` entries.
    void NewMdbWith(int count, int model = 1)
    {
        prompts.keyboardModels.push_back(model);
        state.Files().New(PaneId::Mdb);
        for (int i = 0; i < count; ++i)
            AddEntry(state.Pane(PaneId::Mdb), "Cat", i % 100, 100, "E" + std::to_string(i));
        MarkModified(state.Pane(PaneId::Mdb));
    }
    // What the file holds, in slot order.
    static std::vector<std::string> SavedTitles(const std::string& path)
    {
        const MdbReadResult read = ReadMdbFile(path);
        EXPECT_TRUE(read.ok());
        std::vector<std::string> titles;
        for (const MdbEntry& record : OccupiedRecords(read.image))
            titles.push_back(record.GetTitle());
        return titles;
    }
    // Browses to the set folder `set` inside `parent`, as the dialog returns it.
    void BrowseToSet(const std::string& parent, const std::string& setName)
    {
        prompts.BrowseTo(ChosenPath(parent, setName, BrowseMode::Save, "MDB*.bup"), parent);
    }
};

TEST_F(PaneFilesSaveTest, SixHundredSixteenEntriesSaveAndOneMoreIsRefusedBeforeAnyDialog)
{
    NewMdbWith(617);
    state.Files().SaveAs(PaneId::Mdb);
    state.Pane(PaneId::Mdb).untitled = false;
    state.Pane(PaneId::Mdb).fileName = Path("MDB.bup");
    state.Files().Save(PaneId::Mdb);
    EXPECT_EQ(prompts.TimesShown(Msg::TooManyEntries), 2);
    EXPECT_TRUE(prompts.saveRequests.empty());
    EXPECT_FALSE(std::filesystem::exists(Path("MDB.bup")));
    EXPECT_TRUE(state.Pane(PaneId::Mdb).Modified());

    DeleteInStep(state, PaneId::Mdb, state.Pane(PaneId::Mdb).tree.FirstCategory()->LastChild());
    state.Files().Save(PaneId::Mdb);
    EXPECT_EQ(SavedTitles(Path("MDB.bup")).size(), 616u);
    EXPECT_FALSE(state.Pane(PaneId::Mdb).Modified());
}

TEST_F(PaneFilesSaveTest, SaveAsWritesTheTreeInOrderAndTitlesTheMdb)
{
    prompts.keyboardModels.push_back(2);
    state.Files().New(PaneId::Mdb);
    AddEntry(state.Pane(PaneId::Mdb), "Rock", 5, 100, "R");
    AddEntry(state.Pane(PaneId::Mdb), "Pop", 5, 120, "P2");
    AddEntry(state.Pane(PaneId::Mdb), "Pop", 3, 120, "P1");
    state.Files().Save(PaneId::Mdb); // untitled: nothing
    EXPECT_TRUE(prompts.saveRequests.empty());

    prompts.saveFileNames.push_back(Path("mine.bup"));
    state.Files().SaveAs(PaneId::Mdb);
    ASSERT_EQ(prompts.saveRequests.size(), 1u);
    EXPECT_EQ(prompts.saveRequests[0].title, "Save Music Database");
    EXPECT_FALSE(prompts.saveRequests[0].overwritePrompt);
    EXPECT_EQ(SavedTitles(Path("mine.bup")), (std::vector<std::string>{"R", "P1", "P2"}));
    EXPECT_EQ(ReadMdbFile(Path("mine.bup")).model, KeyboardModel::Psr9000Pro);
    EXPECT_FALSE(state.Pane(PaneId::Mdb).untitled);
    EXPECT_EQ(state.Pane(PaneId::Mdb).fileName, Path("mine.bup"));
    EXPECT_EQ(state.Pane(PaneId::Mdb).recentFiles[0], Path("mine.bup"));
    // Plain mode writes no BACKUP.INI.
    EXPECT_FALSE(std::filesystem::exists(Path("BACKUP.INI")));

    // Saving under the current name keeps the recent list as it is.
    state.Pane(PaneId::Mdb).recentFiles = {"/other.bup", Path("mine.bup")};
    prompts.saveFileNames.push_back(Path("mine.bup"));
    state.Files().SaveAs(PaneId::Mdb);
    EXPECT_EQ(state.Pane(PaneId::Mdb).recentFiles[0], "/other.bup");
    EXPECT_FALSE(prompts.Showed(Msg::FileExistsOverwrite));
}

TEST_F(PaneFilesSaveTest, OverwriteQuestionLoopInPlainMode)
{
    NewMdbWith(1);
    testing::WriteText(Path("a.bup"), "old a");
    testing::WriteText(Path("b.bup"), "old b");

    // No shows the dialog again; Cancel stops without saving.
    prompts.saveFileNames = {Path("a.bup"), Path("b.bup")};
    prompts.answers = {MsgAnswer::No, MsgAnswer::Cancel};
    state.Files().SaveAs(PaneId::Mdb);
    EXPECT_EQ(prompts.saveRequests.size(), 2u);
    EXPECT_EQ(prompts.TimesShown(Msg::FileExistsOverwrite), 2);
    EXPECT_EQ(ReadText(Path("a.bup")), "old a");
    EXPECT_EQ(ReadText(Path("b.bup")), "old b");
    EXPECT_TRUE(state.Pane(PaneId::Mdb).untitled);
    EXPECT_EQ(state.Pane(PaneId::Mdb).fileName, "");

    // Yes overwrites.
    prompts.saveFileNames = {Path("b.bup")};
    prompts.answers = {MsgAnswer::Yes};
    state.Files().SaveAs(PaneId::Mdb);
    EXPECT_EQ(SavedTitles(Path("b.bup")), std::vector<std::string>{"E0"});
    EXPECT_EQ(state.Pane(PaneId::Mdb).fileName, Path("b.bup"));

    // A cancelled dialog saves nothing.
    prompts.saveFileNames = {std::nullopt};
    MarkModified(state.Pane(PaneId::Mdb));
    state.Files().SaveAs(PaneId::Mdb);
    EXPECT_TRUE(state.Pane(PaneId::Mdb).Modified());
    EXPECT_EQ(prompts.unscripted, 0);
}

TEST_F(PaneFilesSaveTest, BackupModeCreatesTheSetWithItsBackupIni)
{
    NewMdbWith(2, 2);
    state.Options().SetBackupStructure(true);
    state.Options().SetLastBackupFolder("/last");
    const std::string parent = Path("Sets/2024");
    BrowseToSet(parent, "Party [Disk-01]"); // two folder levels that do not exist yet
    state.Files().SaveAs(PaneId::Mdb);

    ASSERT_EQ(prompts.browseRequests.size(), 1u);
    const BrowseRequest& request = prompts.browseRequests[0];
    EXPECT_EQ(request.mode, BrowseMode::Save);
    EXPECT_EQ(request.title, "Save Music Database Backup");
    EXPECT_EQ(request.mask, "MDB*.bup");
    EXPECT_EQ(request.startFolder, "/last"); // untitled: the last folder
    const std::string saved = parent + "/Party.b01/MDB_Pro.bup";
    EXPECT_EQ(state.Pane(PaneId::Mdb).fileName, saved);
    EXPECT_EQ(SavedTitles(saved).size(), 2u);
    EXPECT_EQ(ReadText(parent + "/Party.b01/BACKUP.INI"), NewBackupIni(KeyboardModel::Psr9000Pro));
    EXPECT_EQ(state.Options().LastBackupFolder(), parent);
    EXPECT_EQ(state.FillRecentCombo(PaneId::Mdb).lines[0], parent + "/Party [Disk-01]");

    // Saving again leaves BACKUP.INI as it is; Save As starts in the set.
    testing::WriteText(parent + "/Party.b01/BACKUP.INI", NewBackupIni(KeyboardModel::Psr9000Pro) + "[X]\r\n");
    MarkModified(state.Pane(PaneId::Mdb));
    state.Files().Save(PaneId::Mdb);
    EXPECT_EQ(ReadText(parent + "/Party.b01/BACKUP.INI"),
              NewBackupIni(KeyboardModel::Psr9000Pro) + "[X]\r\n");
    prompts.CancelBrowse();
    state.Files().SaveAs(PaneId::Mdb);
    EXPECT_EQ(prompts.browseRequests.back().startFolder, parent + "/Party.b01");
}

TEST_F(PaneFilesSaveTest, BackupModeWritesTheFloppysCaseVariantAfterAsking)
{
    const std::string set = Path("Live.buf");
    std::filesystem::create_directory(set);
    testing::WriteText(set + "/MDB.BUP", "old");
    testing::WriteText(set + "/backup.ini", NewBackupIni(KeyboardModel::Psr9000));
    NewMdbWith(1, 1);
    state.Options().SetBackupStructure(true);

    // No: the dialog again; Yes: the existing MDB.BUP is replaced.
    BrowseToSet(folder.path().string(), "Live");
    BrowseToSet(folder.path().string(), "Live");
    prompts.answers = {MsgAnswer::No, MsgAnswer::Yes};
    state.Files().SaveAs(PaneId::Mdb);
    EXPECT_EQ(prompts.browseRequests.size(), 2u);
    EXPECT_EQ(prompts.TimesShown(Msg::FileExistsOverwrite), 2);
    EXPECT_EQ(state.Pane(PaneId::Mdb).fileName, set + "/MDB.BUP");
    EXPECT_EQ(SavedTitles(set + "/MDB.BUP"), std::vector<std::string>{"E0"});
    std::vector<std::string> names;
    for (const auto& item : std::filesystem::directory_iterator(set))
        names.push_back(item.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"MDB.BUP", "backup.ini"}));

    // The same set again is the current file: no question.
    prompts.messages.clear();
    BrowseToSet(folder.path().string(), "Live");
    state.Files().SaveAs(PaneId::Mdb);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(prompts.unscripted, 0);
}

TEST_F(PaneFilesSaveTest, AFolderThatCannotBeMadeIsReportedAndTheDialogShownAgain)
{
    NewMdbWith(1);
    state.Options().SetBackupStructure(true);
    testing::WriteText(Path("blocker"), "a file where a folder should be");
    BrowseToSet(Path("blocker"), "Set");
    prompts.CancelBrowse();
    state.Files().SaveAs(PaneId::Mdb);
    EXPECT_EQ(prompts.Texts(), std::vector<std::string>{"Error creating directory/backup-structure!"});
    EXPECT_EQ(prompts.browseRequests.size(), 2u);
    EXPECT_TRUE(state.Pane(PaneId::Mdb).untitled);
}

TEST_F(PaneFilesSaveTest, NoRoomForASafeSaveAsksToWriteInPlace)
{
    const std::string set = Path("Full.buf");
    std::filesystem::create_directory(set);
    const std::string path = set + "/MDB.bup";
    WriteTestMdb(path, Records({{"Pop", 3, 120, "One"}}));
    testing::WriteText(set + "/BACKUP.INI", "[TOTAL USER DATA SIZE]\r\n1KB\r\n[DATAEND]\r\n");
    OpenMdbFile(path);
    state.Options().SetBackupStructure(true);
    AddEntry(state.Pane(PaneId::Mdb), "Pop", 4, 120, "Two");
    MarkModified(state.Pane(PaneId::Mdb));
    const testing::Bytes before = ReadBytes(path);

    // No: nothing written, nothing more said, the MDB stays modified.
    InjectSafeWriteFault(SafeWriteFault::NoSpace);
    prompts.Answer(MsgAnswer::No);
    state.Files().Save(PaneId::Mdb);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "There is not enough free space for a safe save. Overwrite the file "
                                        "directly? If writing fails, the file is lost.");
    EXPECT_EQ(prompts.messages[0].icon, MsgIcon::Question);
    EXPECT_EQ(prompts.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_TRUE(state.Pane(PaneId::Mdb).Modified());

    // Yes: written over the file itself, and BACKUP.INI updated.
    InjectSafeWriteFault(SafeWriteFault::NoSpace);
    prompts.Answer(MsgAnswer::Yes);
    state.Files().Save(PaneId::Mdb);
    EXPECT_EQ(SavedTitles(path), (std::vector<std::string>{"One", "Two"}));
    EXPECT_FALSE(state.Pane(PaneId::Mdb).Modified());
    EXPECT_EQ(prompts.messages.size(), 2u);
    EXPECT_TRUE(ReadText(set + "/BACKUP.INI").find("3 = MDB.bup") != std::string::npos);

    // The question in German.
    SetUiLanguage(UiLanguage::German);
    EXPECT_EQ(Tr(Msg::NoSpaceForSafeSave), "Für ein sicheres Speichern ist nicht genug Platz frei. Die Datei "
                                           "direkt überschreiben? Schlägt das Schreiben fehl, ist die Datei "
                                           "verloren.");
    EXPECT_EQ(prompts.unscripted, 0);
}

TEST_F(PaneFilesSaveTest, ABlankSignatureBelongsToTheLoadedMdbAlone)
{
    const auto signature = [](const std::string& path) {
        const testing::Bytes bytes = ReadBytes(path);
        return bytes.size() < 24 ? std::string() : std::string(bytes.begin() + 16, bytes.begin() + 24);
    };
    const std::string blank = Path("blank.bup");
    WriteTestMdb(blank, Records({{"Pop", 3, 120, "Old"}}));
    testing::Bytes bytes = ReadBytes(blank);
    std::fill(bytes.begin() + 16, bytes.begin() + 24, 0);
    testing::WriteBytes(blank, bytes);
    const std::string pro = Path("MDB_Pro.bup");
    WriteTestMdb(pro, Records({{"Pop", 3, 120, "Pro"}}), KeyboardModel::Psr9000Pro);

    // The blank file is saved blank again.
    OpenMdbFile(blank);
    MarkModified(state.Pane(PaneId::Mdb));
    state.Files().Save(PaneId::Mdb);
    EXPECT_EQ(signature(blank), std::string(8, '\0'));

    // A file with a signature loaded afterwards keeps its own.
    OpenMdbFile(pro);
    MarkModified(state.Pane(PaneId::Mdb));
    state.Files().Save(PaneId::Mdb);
    EXPECT_EQ(signature(pro), "MDB9P100");
    EXPECT_EQ(ReadMdbFile(pro).model, KeyboardModel::Psr9000Pro);

    // So does a new MDB made after the blank file.
    OpenMdbFile(blank);
    prompts.keyboardModels.push_back(2);
    state.Files().New(PaneId::Mdb);
    prompts.saveFileNames.push_back(Path("new.bup"));
    state.Files().SaveAs(PaneId::Mdb);
    EXPECT_EQ(signature(Path("new.bup")), "MDB9P100");
    EXPECT_EQ(prompts.unscripted, 0);
}

TEST_F(PaneFilesSaveTest, AFailedSaveKeepsTheOldFileAndTheFlags)
{
    const std::string path = Path("MDB.bup");
    WriteTestMdb(path, Records({{"Pop", 3, 120, "One"}}));
    OpenMdbFile(path);
    state.Options().SetBackupStructure(true);
    AddEntry(state.Pane(PaneId::Mdb), "Pop", 4, 120, "Two");
    MarkModified(state.Pane(PaneId::Mdb));
    const testing::Bytes before = ReadBytes(path);

    for (SafeWriteFault fault : {SafeWriteFault::Create, SafeWriteFault::Write, SafeWriteFault::Rename}) {
        InjectSafeWriteFault(fault);
        state.Files().Save(PaneId::Mdb);
        EXPECT_EQ(ReadBytes(path), before);
        EXPECT_TRUE(state.Pane(PaneId::Mdb).Modified());
        EXPECT_FALSE(std::filesystem::exists(Path("BACKUP.INI")));
    }
    EXPECT_EQ(prompts.TimesShown(Msg::ErrorSavingMdb), 3);

    // Save As to a new name that fails: the name is taken, the flags stay.
    InjectSafeWriteFault(SafeWriteFault::Write);
    state.Options().SetBackupStructure(false);
    prompts.saveFileNames.push_back(Path("new.bup"));
    state.Files().SaveAs(PaneId::Mdb);
    EXPECT_EQ(state.Pane(PaneId::Mdb).fileName, Path("new.bup"));
    EXPECT_TRUE(state.Pane(PaneId::Mdb).Modified());
    EXPECT_EQ(state.Pane(PaneId::Mdb).recentFiles[0], path);
}

TEST_F(PaneFilesSaveTest, SavingAPsr9000MdbWithProVoicesAsksOnceNamingTheCount)
{
    const std::string path = Path("MDB.bup");
    WriteTestMdb(path, {WithProVoice(Playable("Pop", 3, "a")), WithProVoice(Playable("Pop", 3, "b")),
                        Playable("Pop", 3, "c")});
    OpenMdbFile(path);
    ASSERT_EQ(state.Options().Model(), KeyboardModel::Psr9000);
    EXPECT_EQ(CountProOnlyVoiceEntries(state.Pane(PaneId::Mdb).tree), 2u);
    state.TreeGotFocus(PaneId::Mdb);
    state.TreeSelectionChanged(PaneId::Mdb, EntryTitled(state.Pane(PaneId::Mdb).tree, "c"));
    state.EditColumn().DeleteSelected();
    const std::string onDisk = ReadText(path);

    prompts.Answer(MsgAnswer::No);
    state.Files().Save(PaneId::Mdb);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_NE(prompts.messages[0].text.find(": 2\n"), std::string::npos) << prompts.messages[0].text;
    EXPECT_EQ(ReadText(path), onDisk);
    EXPECT_TRUE(state.Pane(PaneId::Mdb).Modified());

    // Save As asks before the name: No opens no file dialog.
    prompts.Answer(MsgAnswer::No);
    state.Files().SaveAs(PaneId::Mdb);
    EXPECT_EQ(prompts.messages.size(), 2u);
    EXPECT_TRUE(prompts.saveRequests.empty());

    prompts.Answer(MsgAnswer::Yes);
    state.Files().Save(PaneId::Mdb);
    EXPECT_EQ(prompts.messages.size(), 3u) << "asked once per save";
    EXPECT_NE(ReadText(path), onDisk);
    EXPECT_FALSE(state.Pane(PaneId::Mdb).Modified());

    // The PSR-9000pro has the voices: no question.
    state.Options().SetModel(KeyboardModel::Psr9000Pro);
    state.TreeSelectionChanged(PaneId::Mdb, EntryTitled(state.Pane(PaneId::Mdb).tree, "b"));
    state.EditColumn().DeleteSelected();
    state.Files().Save(PaneId::Mdb);
    EXPECT_EQ(prompts.messages.size(), 3u);
    EXPECT_FALSE(state.Pane(PaneId::Mdb).Modified());
    EXPECT_EQ(prompts.unscripted, 0);
}

TEST_F(PaneFilesSaveTest, NoToTheProVoiceQuestionKeepsTheEditorOpenAtExit)
{
    const std::string path = Path("MDB.bup");
    WriteTestMdb(path, {WithProVoice(Playable("Pop", 3, "a")), Playable("Pop", 3, "b")});
    OpenMdbFile(path);
    state.TreeGotFocus(PaneId::Mdb);
    state.TreeSelectionChanged(PaneId::Mdb, EntryTitled(state.Pane(PaneId::Mdb).tree, "b"));
    state.EditColumn().DeleteSelected();

    prompts.Answer(MsgAnswer::Yes); // save the changes
    prompts.Answer(MsgAnswer::No);  // but not with PSR-9000pro voices
    EXPECT_FALSE(state.ExitSequence(WindowPosition{}));
    EXPECT_EQ(prompts.TimesShown(Msg::MdbChangedSave), 1);
    EXPECT_TRUE(state.Pane(PaneId::Mdb).Modified());
    EXPECT_EQ(prompts.unscripted, 0);
}

} // namespace
} // namespace tessaro

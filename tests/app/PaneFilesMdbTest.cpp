// Loading the MDB pane, its save-changes prompt, New, Open, Close and the
// recent-file selection.
#include "support/AppTestSupport.h"

#include "data/MdbFile.h"
#include "data/SafeFile.h"
#include "support/TreeTestSupport.h"

#include <cerrno>
#include <cstring>

namespace tessaro {
namespace {

using testing::Bytes;
using testing::ReadBytes;
using testing::WriteBytes;

class PaneFilesMdbTest : public AppTest
{
protected:
    // A loaded, titled MDB of two entries.
    std::string LoadTwoEntries(KeyboardModel model = KeyboardModel::Psr9000Pro)
    {
        const std::string path = Path("MDB.bup");
        WriteTestMdb(path, Records({{"Pop", 3, 120, "One"}, {"Rock", 5, 100, "Two"}}), model);
        OpenMdbFile(path);
        return path;
    }
};

TEST_F(PaneFilesMdbTest, OpenLoadsTheFileIntoTheMdbPane)
{
    const std::string path = LoadTwoEntries();
    const PaneState& pane = state.Pane(PaneId::Mdb);
    EXPECT_TRUE(pane.loaded);
    EXPECT_FALSE(pane.untitled);
    EXPECT_FALSE(pane.Modified());
    EXPECT_EQ(pane.fileName, path);
    EXPECT_EQ(Titles(pane), (std::vector<std::string>{"One", "Two"}));
    EXPECT_EQ(CountText(state, PaneId::Mdb), "2");
    EXPECT_EQ(pane.recentFiles[0], path);
    EXPECT_EQ(state.Options().Model(), KeyboardModel::Psr9000Pro);
    EXPECT_EQ(state.UpdateCommandStates().modelLabel, "9000Pro");
    EXPECT_TRUE(state.IsActive(PaneId::Mdb));
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(prompts.waitCursorDepth, 0);

    ASSERT_EQ(prompts.openRequests.size(), 1u);
    const FileDialogRequest& request = prompts.openRequests[0];
    EXPECT_EQ(request.title, "Open Music Database");
    EXPECT_EQ(request.filter, "Music Database (MDB*.bup)|MDB*.bup|All files (*.*)|*.*||");
    EXPECT_EQ(request.defaultExtension, ".bup");
}

TEST_F(PaneFilesMdbTest, OpenInBackupModeBrowsesForTheSetAndRemembersItsFolder)
{
    const std::string set = Path("Party.buf");
    std::filesystem::create_directory(set);
    WriteTestMdb(set + "/MDB.bup", Records({{"Pop", 3, 120, "One"}}));
    state.Options().SetBackupStructure(true);
    state.Options().SetNoNetwork(true);
    state.Options().SetLastBackupFolder("/start");
    prompts.BrowseTo(set + "/MDB.bup", folder.path().string());
    state.Files().Open(PaneId::Mdb);

    ASSERT_EQ(prompts.browseRequests.size(), 1u);
    const BrowseRequest& request = prompts.browseRequests[0];
    EXPECT_EQ(request.mode, BrowseMode::Open);
    EXPECT_EQ(request.title, "Open Music Database Backup");
    EXPECT_EQ(request.iconId, 137);
    EXPECT_EQ(request.mask, "MDB*.bup");
    EXPECT_EQ(request.startFolder, "/start");
    EXPECT_TRUE(request.noNetwork);
    EXPECT_TRUE(state.Pane(PaneId::Mdb).loaded);
    EXPECT_EQ(state.Options().LastBackupFolder(), folder.path().string());

    // Cancelling leaves the loaded MDB as it is.
    prompts.CancelBrowse();
    state.Files().Open(PaneId::Mdb);
    EXPECT_TRUE(state.Pane(PaneId::Mdb).loaded);
    EXPECT_EQ(state.Pane(PaneId::Mdb).fileName, set + "/MDB.bup");
}

TEST_F(PaneFilesMdbTest, EveryFailedLoadEmptiesThePaneAndForgetsTheFile)
{
    Bytes good;
    {
        WriteTestMdb(Path("good.bup"), Records({{"Pop", 3, 120, "One"}}));
        good = ReadBytes(Path("good.bup"));
    }
    Bytes badSignature = good;
    badSignature[16] = 'X';
    struct Case
    {
        std::string name;
        Bytes bytes;
        Msg message;
    };
    const std::vector<Case> cases = {
        {"short.bup", Bytes(good.begin(), good.end() - 1), Msg::InvalidFileSize},
        {"long.bup",
         [&] {
             Bytes b = good;
             b.push_back(0);
             return b;
         }(),
         Msg::InvalidFileSize},
        {"signature.bup", badSignature, Msg::NotAValidMdb},
        {"missing.bup", {}, Msg::ErrorOpeningFile},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = Path(c.name);
        if (c.message != Msg::ErrorOpeningFile)
            WriteBytes(path, c.bytes);
        state.Options().SetModel(KeyboardModel::Psr9000);
        LoadTwoEntries();
        state.Pane(PaneId::Mdb).recentFiles[1] = path; // as a previous run left it
        prompts.messages.clear();

        state.SelectRecent(PaneId::Mdb, 1);
        EXPECT_EQ(prompts.Texts(), std::vector<std::string>{Tr(c.message)});
        const PaneState& pane = state.Pane(PaneId::Mdb);
        EXPECT_FALSE(pane.loaded || pane.untitled || pane.Modified());
        EXPECT_TRUE(pane.fileName.empty());
        EXPECT_TRUE(pane.tree.IsEmpty());
        EXPECT_EQ(pane.EntryCount(), 0);
        EXPECT_EQ(CountText(state, PaneId::Mdb), "");
        EXPECT_EQ(state.UpdateCommandStates().modelLabel, "");
        EXPECT_EQ(pane.recentFiles[0], Path("MDB.bup"));
        EXPECT_EQ(pane.recentFiles[1], "");
        EXPECT_EQ(state.FillRecentCombo(PaneId::Mdb).lines.size(), 1u);
        // Only a refused signature tells the model: none.
        EXPECT_EQ(state.Options().Model(), c.message == Msg::NotAValidMdb ? KeyboardModel::None : KeyboardModel::Psr9000Pro);
    }
}

TEST_F(PaneFilesMdbTest, AWrongChecksumOnlyWarns)
{
    const std::string path = Path("MDB.bup");
    WriteTestMdb(path, Records({{"Pop", 3, 120, "One"}}));
    Bytes bytes = ReadBytes(path);
    bytes[24 + 288 * 600] ^= 1; // an unused slot: the checksum no longer matches
    WriteBytes(path, bytes);
    OpenMdbFile(path);
    EXPECT_EQ(prompts.Texts(), std::vector<std::string>{"Invalid checksum!"});
    EXPECT_EQ(prompts.messages[0].icon, MsgIcon::Warning);
    EXPECT_EQ(prompts.messages[0].buttons, MsgButtons::Ok);
    EXPECT_TRUE(state.Pane(PaneId::Mdb).loaded);
    EXPECT_EQ(state.Pane(PaneId::Mdb).EntryCount(), 1);
}

TEST_F(PaneFilesMdbTest, ChangedMdbPromptYesNoCancel)
{
    const std::string path = LoadTwoEntries();
    const Bytes saved = ReadBytes(path);
    MarkModified(state.Pane(PaneId::Mdb));

    prompts.Answer(MsgAnswer::Cancel);
    EXPECT_FALSE(state.Files().ConfirmDiscard(PaneId::Mdb));
    EXPECT_EQ(prompts.Texts(), std::vector<std::string>{"The MDB has been changed!\n\nSave changes?"});
    EXPECT_EQ(prompts.messages[0].icon, MsgIcon::Question);
    EXPECT_EQ(prompts.messages[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_TRUE(state.Pane(PaneId::Mdb).Modified());

    prompts.Answer(MsgAnswer::No);
    EXPECT_TRUE(state.Files().ConfirmDiscard(PaneId::Mdb));
    EXPECT_TRUE(state.Pane(PaneId::Mdb).Modified());
    EXPECT_EQ(ReadBytes(path), saved);

    // Yes saves: the change reaches the file.
    DeleteInStep(state, PaneId::Mdb, state.Pane(PaneId::Mdb).tree.FirstCategory());
    prompts.Answer(MsgAnswer::Yes);
    EXPECT_TRUE(state.Files().ConfirmDiscard(PaneId::Mdb));
    EXPECT_FALSE(state.Pane(PaneId::Mdb).Modified());
    EXPECT_NE(ReadBytes(path), saved);

    // Unchanged: no question.
    prompts.messages.clear();
    EXPECT_TRUE(state.Files().ConfirmDiscard(PaneId::Mdb));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(PaneFilesMdbTest, YesOnANewMdbRunsSaveAsAndItsCancelStopsTheCaller)
{
    prompts.keyboardModels.push_back(1);
    state.Files().New(PaneId::Mdb);
    AddEntry(state.Pane(PaneId::Mdb), "Pop", 3, 120, "New");
    MarkModified(state.Pane(PaneId::Mdb));
    state.Options().SetBackupStructure(false);

    // Yes asks for a name; cancelling that stops the caller.
    prompts.Answer(MsgAnswer::Yes);
    prompts.saveFileNames.push_back(std::nullopt);
    state.Files().Close(PaneId::Mdb);
    EXPECT_EQ(prompts.saveRequests.size(), 1u);
    EXPECT_TRUE(state.Pane(PaneId::Mdb).loaded);
    EXPECT_TRUE(state.Pane(PaneId::Mdb).untitled);
    EXPECT_TRUE(state.Pane(PaneId::Mdb).Modified());

    // Given a name, the MDB is saved there and the caller goes on.
    prompts.Answer(MsgAnswer::Yes);
    prompts.saveFileNames.push_back(Path("new.bup"));
    state.Files().Close(PaneId::Mdb);
    EXPECT_FALSE(state.Pane(PaneId::Mdb).loaded);
    EXPECT_EQ(OccupiedRecords(ReadMdbFile(Path("new.bup")).image).size(), 1u);
    EXPECT_EQ(state.Pane(PaneId::Mdb).recentFiles[0], Path("new.bup"));
    EXPECT_EQ(prompts.unscripted, 0);
}

TEST_F(PaneFilesMdbTest, YesStopsTheCallerWhenTheSaveCannotHappen)
{
    // A failed write.
    const std::string path = LoadTwoEntries();
    ASSERT_TRUE(state.Pane(PaneId::Mdb).loaded);
    MarkModified(state.Pane(PaneId::Mdb));
    InjectSafeWriteFault(SafeWriteFault::Rename);
    prompts.Answer(MsgAnswer::Yes);
    prompts.messages.clear();
    state.Files().Close(PaneId::Mdb);
    EXPECT_EQ(prompts.Texts(), (std::vector<std::string>{"The MDB has been changed!\n\nSave changes?",
                                                         "Error saving MDB to disk!\n\n" + path + ": " +
                                                             std::strerror(EIO)}));
    EXPECT_TRUE(state.Pane(PaneId::Mdb).loaded);
    EXPECT_TRUE(state.Pane(PaneId::Mdb).Modified());
    EXPECT_EQ(state.Pane(PaneId::Mdb).fileName, path);
}

TEST_F(PaneFilesMdbTest, NewAsksForTheModelAndStartsAnUntitledMdb)
{
    LoadTwoEntries(KeyboardModel::Psr9000);
    prompts.keyboardModels.push_back(std::nullopt); // Cancel changes nothing
    state.Files().New(PaneId::Mdb);
    EXPECT_EQ(state.Pane(PaneId::Mdb).EntryCount(), 2);
    EXPECT_FALSE(state.Pane(PaneId::Mdb).untitled);
    // Nor does OK without a model (the dialog keeps OK disabled, but no model-0 MDB ever).
    prompts.keyboardModels = {0, 3};
    state.Files().New(PaneId::Mdb);
    state.Files().New(PaneId::Mdb);
    EXPECT_EQ(state.Pane(PaneId::Mdb).EntryCount(), 2);
    EXPECT_FALSE(state.Pane(PaneId::Mdb).untitled);
    EXPECT_EQ(state.Options().Model(), KeyboardModel::Psr9000);

    prompts.keyboardModels.push_back(2);
    state.Files().New(PaneId::Mdb);
    EXPECT_EQ(prompts.keyboardPresets, (std::vector<int>{1, 1, 1, 1}));
    const PaneState& pane = state.Pane(PaneId::Mdb);
    EXPECT_TRUE(pane.loaded);
    EXPECT_TRUE(pane.untitled);
    EXPECT_FALSE(pane.Modified());
    EXPECT_EQ(pane.fileName, "");
    EXPECT_TRUE(pane.tree.IsEmpty());
    EXPECT_EQ(state.Options().Model(), KeyboardModel::Psr9000Pro);
    EXPECT_EQ(state.UpdateCommandStates().modelLabel, "9000Pro");
    EXPECT_TRUE(state.IsActive(PaneId::Mdb));
    EXPECT_EQ(state.FillRecentCombo(PaneId::Mdb).selected, -1);
}

TEST_F(PaneFilesMdbTest, CloseEmptiesThePaneAndHandsTheFocusToALoadedArchive)
{
    LoadTwoEntries();
    state.Files().Close(PaneId::Mdb);
    EXPECT_FALSE(state.Pane(PaneId::Mdb).loaded);
    EXPECT_EQ(state.Pane(PaneId::Mdb).fileName, "");
    EXPECT_TRUE(state.Pane(PaneId::Mdb).tree.IsEmpty());
    EXPECT_EQ(state.UpdateCommandStates().modelLabel, "");
    EXPECT_EQ(state.Options().Model(), KeyboardModel::Psr9000Pro); // the model stays
    EXPECT_FALSE(state.HasActivePane());

    LoadTwoEntries();
    state.Files().New(PaneId::Archive);
    state.TreeGotFocus(PaneId::Mdb);
    state.Files().Close(PaneId::Mdb);
    ASSERT_TRUE(state.HasActivePane());
    EXPECT_FALSE(state.IsActive(PaneId::Mdb));
}

TEST_F(PaneFilesMdbTest, PickingTheLoadedFileAgainDoesNotReload)
{
    const std::string path = LoadTwoEntries();
    AddEntry(state.Pane(PaneId::Mdb), "Jazz", 1, 90, "Three");
    MarkModified(state.Pane(PaneId::Mdb));
    state.SelectRecent(PaneId::Mdb, 0);
    EXPECT_EQ(state.Pane(PaneId::Mdb).EntryCount(), 3);
    EXPECT_TRUE(prompts.messages.empty());

    // Another file: the prompt first, then the load.
    WriteTestMdb(Path("other.bup"), Records({{"Pop", 1, 100, "Other"}}));
    state.Pane(PaneId::Mdb).recentFiles[1] = Path("other.bup");
    prompts.Answer(MsgAnswer::Cancel);
    state.SelectRecent(PaneId::Mdb, 1);
    EXPECT_EQ(state.Pane(PaneId::Mdb).fileName, path);
    prompts.Answer(MsgAnswer::No);
    state.SelectRecent(PaneId::Mdb, 1);
    EXPECT_EQ(Titles(state.Pane(PaneId::Mdb)), std::vector<std::string>{"Other"});
    EXPECT_EQ(state.Pane(PaneId::Mdb).recentFiles[0], Path("other.bup"));
    EXPECT_EQ(state.Pane(PaneId::Mdb).recentFiles[1], path);
}

TEST_F(PaneFilesMdbTest, CancellingTheOpenDialogKeepsTheMdb)
{
    LoadTwoEntries();
    MarkModified(state.Pane(PaneId::Mdb));
    prompts.Answer(MsgAnswer::No);
    prompts.openFileNames.push_back(std::nullopt); // the dialog cancelled after the prompt
    state.Files().Open(PaneId::Mdb);
    EXPECT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(state.Pane(PaneId::Mdb).loaded);
    EXPECT_TRUE(state.Pane(PaneId::Mdb).Modified());
    EXPECT_EQ(state.Pane(PaneId::Mdb).EntryCount(), 2);
    EXPECT_EQ(prompts.unscripted, 0);
}

} // namespace
} // namespace tessaro

// The archive pane's commands over real .mdx files.
#include "support/AppTestSupport.h"

#include "data/ArchiveFile.h"
#include "data/SafeFile.h"
#include "support/TreeTestSupport.h"

#include <filesystem>

namespace tessaro {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

class PaneFilesArchiveTest : public AppTest
{
};

TEST_F(PaneFilesArchiveTest, NewLoadSaveAndCloseFollowTheStateTable)
{
    // New: loaded and untitled; Save does nothing until Save As names it.
    NewArchiveWith({{"Pop", 3, 120, "A"}, {"Rock", 1, 90, "B"}});
    EXPECT_TRUE(state.Pane(PaneId::Archive).loaded && state.Pane(PaneId::Archive).untitled &&
                !state.Pane(PaneId::Archive).Modified());
    EXPECT_FALSE(state.IsActive(PaneId::Mdb));
    ASSERT_TRUE(state.HasActivePane());
    state.Files().Save(PaneId::Archive);
    EXPECT_TRUE(prompts.saveRequests.empty());

    MarkModified(state.Pane(PaneId::Archive));
    prompts.saveFileNames.push_back(Path("mine.mdx"));
    state.Files().SaveAs(PaneId::Archive);
    ASSERT_EQ(prompts.saveRequests.size(), 1u);
    EXPECT_EQ(prompts.saveRequests[0].title, "Save MDB archive");
    EXPECT_EQ(prompts.saveRequests[0].filter, "MDB archive (*.mdx)|*.mdx|All files (*.*)|*.*||");
    EXPECT_EQ(prompts.saveRequests[0].defaultExtension, ".mdx");
    EXPECT_FALSE(state.Pane(PaneId::Archive).untitled || state.Pane(PaneId::Archive).Modified());
    EXPECT_EQ(state.Pane(PaneId::Archive).recentFiles[0], Path("mine.mdx"));

    state.Files().Close(PaneId::Archive);
    EXPECT_FALSE(state.Pane(PaneId::Archive).loaded || state.Pane(PaneId::Archive).untitled ||
                 state.Pane(PaneId::Archive).Modified());
    EXPECT_EQ(state.Pane(PaneId::Archive).fileName, "");
    EXPECT_TRUE(state.Pane(PaneId::Archive).tree.IsEmpty());
    EXPECT_FALSE(state.HasActivePane());

    OpenArchiveFile(Path("mine.mdx"));
    EXPECT_TRUE(state.Pane(PaneId::Archive).loaded && !state.Pane(PaneId::Archive).untitled &&
                !state.Pane(PaneId::Archive).Modified());
    EXPECT_EQ(prompts.openRequests.back().title, "Open MDB archive");
    EXPECT_EQ(Titles(state.Pane(PaneId::Archive)), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(CountText(state, PaneId::Archive), "2");
}

TEST_F(PaneFilesArchiveTest, MoreEntriesThanAnMdbHoldsLoadAndSave)
{
    WriteTestArchive(Path("big.mdx"), NumberedRecords(700));
    OpenArchiveFile(Path("big.mdx"));
    EXPECT_EQ(state.Pane(PaneId::Archive).EntryCount(), 700);
    MarkModified(state.Pane(PaneId::Archive));
    state.Files().Save(PaneId::Archive);
    EXPECT_FALSE(state.Pane(PaneId::Archive).Modified());
    EXPECT_EQ(ReadBytes(Path("big.mdx")).size(), kArchiveMagicSize + 700 * kRecordSize);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(PaneFilesArchiveTest, AFailedLoadEmptiesThePaneAndForgetsTheFile)
{
    WriteTestArchive(Path("good.mdx"), NumberedRecords(3));
    testing::Bytes bad = ReadBytes(Path("good.mdx"));
    bad[0] = 'x'; // the magic differs in case only
    WriteBytes(Path("bad.mdx"), bad);
    OpenArchiveFile(Path("good.mdx"));
    state.Pane(PaneId::Archive).recentFiles[1] = Path("bad.mdx");

    state.SelectRecent(PaneId::Archive, 1);
    EXPECT_EQ(prompts.Texts(), std::vector<std::string>{"This file doesn't contain a valid MDB archive!"});
    EXPECT_FALSE(state.Pane(PaneId::Archive).loaded);
    EXPECT_TRUE(state.Pane(PaneId::Archive).tree.IsEmpty());
    EXPECT_EQ(state.Pane(PaneId::Archive).fileName, "");
    EXPECT_EQ(state.Pane(PaneId::Archive).recentFiles[1], "");
    EXPECT_EQ(state.Pane(PaneId::Archive).recentFiles[0], Path("good.mdx"));

    // The magic alone is an empty archive.
    WriteBytes(Path("empty.mdx"), testing::Bytes(kArchiveMagic, kArchiveMagic + kArchiveMagicSize));
    OpenArchiveFile(Path("empty.mdx"));
    EXPECT_TRUE(state.Pane(PaneId::Archive).loaded);
    EXPECT_EQ(CountText(state, PaneId::Archive), "0");
}

TEST_F(PaneFilesArchiveTest, ChangedArchivePromptYesNoCancel)
{
    WriteTestArchive(Path("a.mdx"), NumberedRecords(2));
    OpenArchiveFile(Path("a.mdx"));
    AddEntry(state.Pane(PaneId::Archive), "New", 1, 80, "added");
    MarkModified(state.Pane(PaneId::Archive));

    prompts.Answer(MsgAnswer::Cancel);
    state.Files().New(PaneId::Archive);
    EXPECT_EQ(prompts.Texts(),
              std::vector<std::string>{"The MDB archive has been changed!\n\nSave changes?"});
    EXPECT_EQ(state.Pane(PaneId::Archive).fileName, Path("a.mdx"));

    // A failed save stops the caller.
    InjectSafeWriteFault(SafeWriteFault::Write);
    prompts.Answer(MsgAnswer::Yes);
    state.Files().Close(PaneId::Archive);
    EXPECT_TRUE(prompts.Showed(Msg::ErrorSavingArchive));
    EXPECT_TRUE(state.Pane(PaneId::Archive).loaded && state.Pane(PaneId::Archive).Modified());
    EXPECT_EQ(ReadBytes(Path("a.mdx")).size(), kArchiveMagicSize + 2 * kRecordSize);

    prompts.Answer(MsgAnswer::Yes);
    state.Files().Close(PaneId::Archive);
    EXPECT_FALSE(state.Pane(PaneId::Archive).loaded);
    EXPECT_EQ(ReadBytes(Path("a.mdx")).size(), kArchiveMagicSize + 3 * kRecordSize);

    OpenArchiveFile(Path("a.mdx"));
    MarkModified(state.Pane(PaneId::Archive));
    prompts.Answer(MsgAnswer::No);
    state.Files().Close(PaneId::Archive);
    EXPECT_FALSE(state.Pane(PaneId::Archive).loaded);
    EXPECT_EQ(ReadBytes(Path("a.mdx")).size(), kArchiveMagicSize + 3 * kRecordSize);
}

TEST_F(PaneFilesArchiveTest, YesOnANewArchiveRunsSaveAsAndItsCancelStopsTheCaller)
{
    NewArchiveWith({{"Pop", 3, 120, "A"}});
    MarkModified(state.Pane(PaneId::Archive));

    prompts.Answer(MsgAnswer::Yes);
    prompts.saveFileNames.push_back(std::nullopt);
    state.Files().Close(PaneId::Archive);
    EXPECT_EQ(prompts.saveRequests.size(), 1u);
    EXPECT_TRUE(state.Pane(PaneId::Archive).loaded && state.Pane(PaneId::Archive).untitled &&
                state.Pane(PaneId::Archive).Modified());

    prompts.Answer(MsgAnswer::Yes);
    prompts.saveFileNames.push_back(Path("new.mdx"));
    state.Files().New(PaneId::Archive); // goes on once saved
    EXPECT_EQ(ReadBytes(Path("new.mdx")).size(), kArchiveMagicSize + kRecordSize);
    EXPECT_TRUE(state.Pane(PaneId::Archive).loaded && state.Pane(PaneId::Archive).untitled);
    EXPECT_FALSE(state.Pane(PaneId::Archive).Modified());
    EXPECT_TRUE(state.Pane(PaneId::Archive).tree.IsEmpty());
    EXPECT_EQ(prompts.unscripted, 0);
}

TEST_F(PaneFilesArchiveTest, NoRoomForASafeSaveAsksToWriteInPlace)
{
    WriteTestArchive(Path("a.mdx"), NumberedRecords(3));
    OpenArchiveFile(Path("a.mdx"));
    DeleteInStep(state, PaneId::Archive, state.Pane(PaneId::Archive).tree.FirstCategory()->FirstChild());

    InjectSafeWriteFault(SafeWriteFault::NoSpace);
    prompts.Answer(MsgAnswer::No);
    state.Files().Save(PaneId::Archive);
    EXPECT_EQ(prompts.Texts(), std::vector<std::string>{Tr(Msg::NoSpaceForSafeSave)});
    EXPECT_EQ(ReadBytes(Path("a.mdx")).size(), kArchiveMagicSize + 3 * kRecordSize);
    EXPECT_TRUE(state.Pane(PaneId::Archive).Modified());

    InjectSafeWriteFault(SafeWriteFault::NoSpace);
    prompts.Answer(MsgAnswer::Yes);
    state.Files().Save(PaneId::Archive);
    EXPECT_EQ(ReadBytes(Path("a.mdx")).size(), kArchiveMagicSize + 2 * kRecordSize); // cut to its length
    EXPECT_FALSE(state.Pane(PaneId::Archive).Modified());
    EXPECT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.unscripted, 0);
}

TEST_F(PaneFilesArchiveTest, OverwriteQuestionLoop)
{
    NewArchiveWith({{"Pop", 3, 120, "A"}});
    testing::WriteText(Path("taken.mdx"), "old");
    prompts.saveFileNames = {Path("taken.mdx"), Path("taken.mdx"), Path("taken.mdx")};
    prompts.answers = {MsgAnswer::No, MsgAnswer::Cancel};
    state.Files().SaveAs(PaneId::Archive);
    EXPECT_EQ(prompts.saveRequests.size(), 2u);
    EXPECT_EQ(testing::ReadText(Path("taken.mdx")), "old");
    EXPECT_TRUE(state.Pane(PaneId::Archive).untitled);

    prompts.answers = {MsgAnswer::Yes};
    state.Files().SaveAs(PaneId::Archive);
    EXPECT_EQ(state.Pane(PaneId::Archive).fileName, Path("taken.mdx"));
    EXPECT_EQ(ReadBytes(Path("taken.mdx")).size(), kArchiveMagicSize + kRecordSize);
    EXPECT_EQ(prompts.unscripted, 0);
}

TEST_F(PaneFilesArchiveTest, TheCountLabelShowsTheEntriesOfTheDatabaseThePaneHolds)
{
    EXPECT_EQ(CountText(state, PaneId::Archive), "") << "nothing held";
    state.Files().New(PaneId::Archive);
    EXPECT_EQ(CountText(state, PaneId::Archive), "") << "a new archive before it holds entries";

    WriteTestArchive(Path("three.mdx"), NumberedRecords(3));
    OpenArchiveFile(Path("three.mdx"));
    EXPECT_EQ(CountText(state, PaneId::Archive), "3");
    DeleteInStep(state, PaneId::Archive, state.Pane(PaneId::Archive).tree.FirstCategory()->FirstChild());
    EXPECT_EQ(CountText(state, PaneId::Archive), "2");
    state.EditColumn().Undo();
    EXPECT_EQ(CountText(state, PaneId::Archive), "3");
    EXPECT_EQ(CountText(state, PaneId::Mdb), "") << "each pane counts its own";

    state.Files().Close(PaneId::Archive);
    EXPECT_EQ(CountText(state, PaneId::Archive), "");
    EXPECT_EQ(prompts.unscripted, 0);
}

} // namespace
} // namespace tessaro

// Long work in the window's commands: a cancel through the progress leaves
// everything as it was, and files that cannot fit are refused by name and size.
#include "support/AppTestSupport.h"
#include "support/FakeProgress.h"
#include "support/TreeTestSupport.h"

#include "data/ArchiveFile.h"

#include <filesystem>
#include <fstream>

namespace tessaro {
namespace {

using testing::ReadBytes;

class LongWorkCommandsTest : public AppTest
{
protected:
    // An archive pane with edits of its own, loaded from "old.mdx".
    void EditedArchive()
    {
        WriteTestArchive(Path("old.mdx"), NumberedRecords(3));
        OpenArchiveFile(Path("old.mdx"));
        state.TreeGotFocus(PaneId::Archive);
        state.TreeSelectionChanged(PaneId::Archive,
                                   state.Pane(PaneId::Archive).tree.FirstCategory()->FirstChild());
        state.EditColumn().DeleteSelected();
        ASSERT_TRUE(state.Pane(PaneId::Archive).Modified());
    }
};

TEST_F(LongWorkCommandsTest, ACancelledLoadLeavesThePaneItsFileAndItsHistory)
{
    EditedArchive();
    const std::vector<std::string> before = Titles(state.Pane(PaneId::Archive));
    WriteTestArchive(Path("new.mdx"), NumberedRecords(5000));

    FakeProgress cancelling(2000);
    state.SetProgress(&cancelling);
    const std::size_t shown = prompts.messages.size();
    prompts.Answer(MsgAnswer::No); // the save-changes question: drop the edits
    OpenArchiveFile(Path("new.mdx"));

    EXPECT_EQ(cancelling.captions, (std::vector<Caption>{Caption::ProgressLoading}));
    EXPECT_EQ(cancelling.depth, 0);
    EXPECT_EQ(Titles(state.Pane(PaneId::Archive)), before);
    EXPECT_EQ(state.Pane(PaneId::Archive).fileName, Path("old.mdx"));
    EXPECT_TRUE(state.Pane(PaneId::Archive).Modified());
    EXPECT_EQ(state.Pane(PaneId::Archive).recentFiles[0], Path("old.mdx"));
    EXPECT_TRUE(state.Workspace().history.CanUndo()) << "the edit can still be taken back";
    EXPECT_EQ(prompts.messages.size(), shown + 1) << "a cancel says nothing: only the save-changes question";

    // Without a cancel the same file loads.
    FakeProgress patient;
    state.SetProgress(&patient);
    prompts.Answer(MsgAnswer::No);
    OpenArchiveFile(Path("new.mdx"));
    EXPECT_EQ(state.Pane(PaneId::Archive).EntryCount(), 5000);
    EXPECT_FALSE(state.Pane(PaneId::Archive).Modified());
    EXPECT_FALSE(state.Workspace().history.CanUndo());
}

TEST_F(LongWorkCommandsTest, ACancelledSaveKeepsTheOldFileAndThePaneModified)
{
    EditedArchive();
    const std::vector<uint8_t> onDisk = ReadBytes(Path("old.mdx"));
    FakeProgress cancelling(0);
    state.SetProgress(&cancelling);
    const std::size_t shown = prompts.messages.size();
    state.Files().Save(PaneId::Archive);
    EXPECT_EQ(ReadBytes(Path("old.mdx")), onDisk);
    EXPECT_TRUE(state.Pane(PaneId::Archive).Modified());
    EXPECT_EQ(cancelling.captions, (std::vector<Caption>{Caption::ProgressSaving}));
    EXPECT_EQ(prompts.messages.size(), shown) << "a cancel says nothing";
}

TEST_F(LongWorkCommandsTest, ACancelledCopyLeavesBothPanesAndTheHistory)
{
    prompts.keyboardModels.push_back(2);
    state.Files().New(PaneId::Mdb);
    AddEntry(state.Pane(PaneId::Mdb), "Pop", 3, 120, "m");
    const std::vector<std::string> mdbBefore = Titles(state.Pane(PaneId::Mdb));
    WriteTestArchive(Path("many.mdx"), NumberedRecords(3000));
    OpenArchiveFile(Path("many.mdx"));
    const std::vector<std::string> archiveBefore = Titles(state.Pane(PaneId::Archive));

    state.TreeGotFocus(PaneId::Archive);
    state.TreeSelectionChanged(PaneId::Archive, state.Pane(PaneId::Archive).tree.FirstCategory());
    state.TreeGotFocus(PaneId::Mdb);
    state.TreeSelectionChanged(PaneId::Mdb, state.Pane(PaneId::Mdb).tree.FirstCategory());
    state.TreeGotFocus(PaneId::Archive);
    const std::size_t stepsBefore = state.Workspace().history.StepCount();

    FakeProgress cancelling(1024);
    state.SetProgress(&cancelling);
    prompts.Answer(MsgAnswer::Yes); // 3001 entries are more than an MDB holds: go on anyway
    state.EditColumn().Move();
    EXPECT_EQ(prompts.Texts(), std::vector<std::string>{FillArgs(Tr(Msg::MdbWouldHoldTooMany), {"3001"})});
    EXPECT_FALSE(cancelling.captions.empty());
    EXPECT_EQ(Titles(state.Pane(PaneId::Mdb)), mdbBefore);
    EXPECT_EQ(Titles(state.Pane(PaneId::Archive)), archiveBefore);
    EXPECT_EQ(state.Workspace().history.StepCount(), stepsBefore);
    EXPECT_FALSE(state.Pane(PaneId::Mdb).Modified() || state.Pane(PaneId::Archive).Modified());
}

TEST_F(LongWorkCommandsTest, AnArchiveTooLargeForMemoryIsRefusedByNameAndSize)
{
    const std::string path = Path("huge.mdx");
    {
        std::ofstream out(path, std::ios::binary);
        out << "MDB-ARCHIVE-V1.0"; // whatever its magic, the size alone refuses it
    }
    constexpr uintmax_t kHuge = uintmax_t{1} << 40; // 1 TiB, sparse
    std::error_code ec;
    std::filesystem::resize_file(path, kHuge, ec);
    if (ec)
        GTEST_SKIP() << "no sparse files here: " << ec.message();

    OpenArchiveFile(path);
    EXPECT_FALSE(state.Pane(PaneId::Archive).loaded);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].text.find(path), std::string::npos) << prompts.messages[0].text;
    EXPECT_NE(prompts.messages[0].text.find(std::to_string(kHuge)), std::string::npos)
        << prompts.messages[0].text;
    std::filesystem::remove(path);
}

} // namespace
} // namespace tessaro

// Long work at scale: loading, saving, copying or moving and reports tell a
// Progress how far they are; cancelling leaves everything as it was, and so
// does running out of memory while loading, or a file too large to load.

#include "data/ArchiveFile.h"
#include "edit/EditOperations.h"
#include "edit/History.h"
#include "edit/PaneLoad.h"
#include "edit/Reports.h"
#include "support/AllocationFailure.h"
#include "support/DataTestSupport.h"
#include "support/FakeProgress.h"
#include "support/FakePrompts.h"
#include "support/TreeTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fcntl.h>
#include <new>
#include <sys/resource.h>
#include <unistd.h>

namespace tessaro {
namespace {

using testing::TempFolder;

MdbEntry Record(int i)
{
    MdbEntry record;
    record.bytes()[kInUseOffset] = 1;
    record.SetCategory(i % 2 ? "Half" : "C" + std::to_string(i % 37));
    record.SetTitle(i % 10 == 9 ? "  sub" : "Entry " + std::to_string(i));
    record.setStyleNumber(uint8_t(i % 5));
    record.setTempo(uint16_t(60 + i % 7));
    return record;
}

std::vector<MdbEntry> Records(int count)
{
    std::vector<MdbEntry> records;
    for (int i = 0; i < count; ++i)
        records.push_back(Record(i));
    return records;
}

class LongWorkTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(WriteArchiveFile(folder / "big.mdx", SourceOf(Records(5000))), std::nullopt);
        AddEntry(mdb, "Mine", 1, 100, "unsaved");
        AddEntry(archive, "Kept", 1, 100, "as it was");
        MarkModified(mdb);
    }
    // Neither pane changed.
    void ExpectUntouched()
    {
        EXPECT_EQ(Layout(mdb.tree), "Mine{unsaved}");
        EXPECT_EQ(Layout(archive.tree), "Kept{as it was}");
        EXPECT_TRUE(mdb.Modified());
        EXPECT_TRUE(PanesAreSound(mdb, archive));
    }

    TempFolder folder;
    PaneState mdb{NumberedStyles()};
    PaneState archive{NumberedStyles()};
};

TEST_F(LongWorkTest, LoadReportsItsRecordsAndACancelLeavesThePaneAsItWas)
{
    FakeProgress progress(2048);
    EXPECT_EQ(ReplaceWithArchiveFile(archive, folder / "big.mdx", nullptr, &progress), Msg::WorkCancelled);
    ExpectUntouched();
    ASSERT_EQ(progress.captions, std::vector<Caption>{Caption::ProgressLoading});
    EXPECT_EQ(progress.totals[0], 5000u);
    EXPECT_EQ(progress.depth, 0);
    EXPECT_EQ(progress.steps.back(), 2048u);

    FakeProgress all;
    EXPECT_EQ(ReplaceWithArchiveFile(archive, folder / "big.mdx", nullptr, &all), std::nullopt);
    EXPECT_EQ(archive.EntryCount(), 5000);
    EXPECT_TRUE(PaneIsSound(archive));
    EXPECT_GE(all.steps.size(), 4u); // 0, 1024, 2048, ...
    EXPECT_EQ(all.depth, 0);

    // Into an empty pane as well: a cancelled load leaves no entry behind.
    PaneState empty{NumberedStyles()};
    FakeProgress cancel(1024);
    EXPECT_EQ(InsertArchiveFile(empty, folder / "big.mdx", nullptr, &cancel), Msg::WorkCancelled);
    EXPECT_TRUE(empty.tree.IsEmpty());
}

TEST_F(LongWorkTest, RunningOutOfMemoryAnywhereInALoadIsAFailedLoadThatChangesNothing)
{
    int failures = 0;
    const std::string path = folder / "big.mdx";
    for (long n = 0; n < 20000; n += n < 64 ? 1 : 997) {
        testing::FailAllocationAfter(n);
        const std::optional<Msg> result = ReplaceWithArchiveFile(archive, path);
        const bool failed = testing::DisarmAllocationFailure();
        if (!failed) {
            // Enough allocations for the whole load: it went through.
            EXPECT_EQ(result, std::nullopt);
            break;
        }
        ++failures;
        ASSERT_EQ(result, Msg::OutOfMemoryLoading) << "allocation " << n;
        ExpectUntouched();
    }
    EXPECT_GT(failures, 60);
    EXPECT_EQ(archive.EntryCount(), 5000);

    MdbImage image;
    image.SetSlot(0, Record(1));
    testing::FailAllocationAfter(3);
    const std::optional<Msg> result = ReplaceWithMdbImage(mdb, image);
    testing::DisarmAllocationFailure();
    EXPECT_EQ(result, Msg::OutOfMemoryLoading);
    EXPECT_EQ(Layout(mdb.tree), "Mine{unsaved}");
}

// Exits with 0 when the load was refused as too large and left the pane alone.
void LoadUnderOneGigabyte(PaneState& pane, const std::string& path)
{
    rlimit limit = {};
    limit.rlim_cur = limit.rlim_max = rlim_t(1) << 30;
    ::setrlimit(RLIMIT_AS, &limit);
    const std::optional<Msg> result = ReplaceWithArchiveFile(pane, path);
    const bool untouched = Layout(pane.tree) == "Kept{as it was}";
    std::_Exit(result == Msg::FileTooLargeToLoad && untouched ? 0 : 1);
}

TEST_F(LongWorkTest, AFileTooLargeForMemoryIsRefusedByNameAndSizeBeforeReading)
{
    // A sparse file of 4 GB under a 1 GB address-space limit, in a child
    // process: without the check it would grow until it aborted.
    const std::string path = folder / "huge.mdx";
    {
        const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, kArchiveMagic, kArchiveMagicSize), ssize_t(kArchiveMagicSize));
        ASSERT_EQ(::ftruncate(fd, 4'000'000'016), 0);
        ::close(fd);
    }
    EXPECT_EXIT(LoadUnderOneGigabyte(archive, path), ::testing::ExitedWithCode(0), "");

    const std::string text = LoadMessageText(Msg::FileTooLargeToLoad, path, 4'000'000'016);
    EXPECT_NE(text.find(path), std::string::npos);
    EXPECT_NE(text.find("4000000016"), std::string::npos);
    EXPECT_FALSE(ArchiveFitsInMemory(uint64_t(INT32_MAX) * 288 * 2)); // more entries than a tree counts
    EXPECT_TRUE(ArchiveFitsInMemory(288 * 1000));
}

TEST_F(LongWorkTest, CancelledReportLeavesNoFileAndAnOldOneAsItWas)
{
    ASSERT_EQ(ReplaceWithArchiveFile(archive, folder / "big.mdx"), std::nullopt);
    FakeProgress cancel(3000);
    EXPECT_FALSE(WriteReportFile(ReportKind::Tabs, archive.tree, folder / "new.txt", &cancel));
    EXPECT_EQ(cancel.captions, std::vector<Caption>{Caption::ProgressReport});
    EXPECT_EQ(cancel.totals[0], 5000u);

    testing::WriteText(folder / "old.txt", "old");
    FakeProgress again(1024);
    EXPECT_FALSE(WriteReportFile(ReportKind::Formatted, archive.tree, folder / "old.txt", &again));
    EXPECT_EQ(testing::ReadText(folder / "old.txt"), "old");
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"big.mdx", "old.txt"}));

    FakeProgress all;
    EXPECT_TRUE(WriteReportFile(ReportKind::Tabs, archive.tree, folder / "old.txt", &all));
    EXPECT_EQ(testing::ReadText(folder / "old.txt"), ReportText(ReportKind::Tabs, archive.tree));
}

TEST_F(LongWorkTest, CancelledSaveLeavesTheOldArchiveWhole)
{
    ASSERT_EQ(ReplaceWithArchiveFile(archive, folder / "big.mdx"), std::nullopt);
    const testing::Bytes before = testing::ReadBytes(folder / "big.mdx");
    archive.tree.DeleteNode(archive.tree.FirstCategory());
    FakeProgress cancel(1024);
    EXPECT_EQ(WriteArchiveFile(folder / "big.mdx", RecordsOf(archive.tree), WriteMode::Safe, &cancel,
                               archive.tree.EntryNodeCount()),
              Msg::WorkCancelled);
    EXPECT_EQ(cancel.captions, std::vector<Caption>{Caption::ProgressSaving});
    EXPECT_EQ(testing::ReadBytes(folder / "big.mdx"), before);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"big.mdx"});
}

TEST_F(LongWorkTest, CancelledMoveOfALargeCategoryIsTakenBackWhole)
{
    Panes panes{PaneState(NumberedStyles()), PaneState(NumberedStyles())};
    PaneState& source = panes[0];
    PaneState& target = panes[1];
    AddEntry(target, "Kept", 1, 100, "as it was");
    ASSERT_EQ(ReplaceWithArchiveFile(source, folder / "big.mdx"), std::nullopt);
    const std::string sourceBefore = Layout(source.tree);
    const std::string targetBefore = Layout(target.tree);
    History history(panes);
    FakePrompts prompts;
    TreeNode* half = CategoryNamed(source.tree, "Half");
    ASSERT_EQ(half->ChildCount(), 2500);

    FakeProgress cancel(2048);
    history.Begin("Move", PaneId::Mdb);
    EXPECT_FALSE(Transfer(source, {half}, target, target.tree.FirstCategory(), true, prompts, &cancel));
    EXPECT_EQ(cancel.captions, std::vector<Caption>{Caption::ProgressMoving});
    EXPECT_EQ(cancel.totals[0], 2500u);
    EXPECT_NE(Layout(source.tree), sourceBefore); // some were moved when the user cancelled
    history.Rollback();
    EXPECT_EQ(Layout(source.tree), sourceBefore);
    EXPECT_EQ(Layout(target.tree), targetBefore);
    EXPECT_FALSE(source.Modified());
    EXPECT_FALSE(target.Modified());
    EXPECT_FALSE(history.CanUndo());
    EXPECT_TRUE(PanesAreSound(source, target));

    // Not cancelled, the same move is one step that undo takes back.
    FakeProgress all;
    history.Begin("Move", PaneId::Mdb);
    EXPECT_TRUE(Transfer(source, {CategoryNamed(source.tree, "Half")}, target, nullptr, true, prompts, &all));
    history.Commit();
    EXPECT_EQ(CategoryNamed(source.tree, "Half"), nullptr);
    EXPECT_EQ(CategoryNamed(target.tree, "Half")->ChildCount(), 2500);
    history.Undo();
    EXPECT_EQ(Layout(source.tree), sourceBefore);
    EXPECT_EQ(Layout(target.tree), targetBefore);
}

} // namespace
} // namespace tessaro

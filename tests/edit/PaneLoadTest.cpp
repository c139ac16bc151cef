// Filling a pane from a read MDB image or an archive file, as both the editor
// and tessaro-cli load.

#include "edit/PaneLoad.h"
#include "support/DataTestSupport.h"
#include "support/TreeTestSupport.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using testing::Bytes;
using testing::TempFolder;
using testing::WriteBytes;

MdbEntry Record(const std::string& category, const std::string& title, uint8_t style, uint8_t inUse = 1)
{
    MdbEntry record;
    record.bytes()[kInUseOffset] = inUse;
    record.SetCategory(category);
    record.SetTitle(title);
    record.setStyleNumber(style);
    record.setTempo(100);
    return record;
}

Bytes ArchiveBytes(const std::vector<MdbEntry>& records)
{
    const std::string magic = "%%%MDB-Archiv%%%";
    Bytes bytes(magic.begin(), magic.end());
    for (const MdbEntry& record : records)
        bytes.insert(bytes.end(), record.bytes().begin(), record.bytes().end());
    return bytes;
}

TEST(PaneLoadTest, MdbImageSkipsEmptySlotsAndSortsAndLabelsEveryEntry)
{
    MdbImage image;
    image.SetSlot(0, Record("Pop", "late", 5));
    image.SetSlot(7, Record("Rock", "  sub", 1));
    image.SetSlot(615, Record("Pop", "early", 2));
    image.SetSlot(300, Record("Pop", "ghost", 2, 0)); // not in use: skipped

    PaneState pane{NumberedStyles()};
    EXPECT_EQ(InsertMdbImage(pane, image), std::nullopt);
    EXPECT_TRUE(PaneIsSound(pane));
    EXPECT_EQ(pane.EntryCount(), 3);
    EXPECT_EQ(Layout(pane.tree), "Pop{early,late} Rock{sub}");
    EXPECT_EQ(EntryTitled(pane.tree, "early")->Text(), "early                (8 Beat 2, 100)");
}

TEST(PaneLoadTest, ArchiveLoadsEveryRecordWhateverItsInUseByte)
{
    TempFolder folder;
    Bytes bytes = ArchiveBytes({Record("Pop", "a", 1, 0), Record("Pop", "b", 1), Record("Jazz", "c", 1, 7)});
    bytes.insert(bytes.end(), 287, 0xAB); // a partial record at the end is ignored
    WriteBytes(folder / "a.mdx", bytes);

    PaneState pane{NumberedStyles()};
    EXPECT_EQ(InsertArchiveFile(pane, folder / "a.mdx"), std::nullopt);
    EXPECT_TRUE(PaneIsSound(pane));
    EXPECT_EQ(pane.EntryCount(), 3);
    EXPECT_EQ(Layout(pane.tree), "Pop{a,b} Jazz{c}");
}

TEST(PaneLoadTest, ArchiveOfManyBlocksKeepsItsOrder)
{
    TempFolder folder;
    std::vector<MdbEntry> records;
    for (int i = 0; i < 250; ++i)
        records.push_back(Record("C" + std::to_string(i % 3), "t" + std::to_string(i), 1));
    WriteBytes(folder / "big.mdx", ArchiveBytes(records));

    PaneState pane{NumberedStyles()};
    EXPECT_EQ(InsertArchiveFile(pane, folder / "big.mdx"), std::nullopt);
    EXPECT_EQ(pane.EntryCount(), 250);
    ASSERT_EQ(pane.tree.CategoryCount(), 3);
    // Equal group keys keep the order of the file.
    const TreeNode* c1 = pane.tree.CategoryAt(1);
    EXPECT_EQ(c1->ChildCount(), 83);
    EXPECT_EQ(c1->FirstChild()->Payload()->GetTitle(), "t1");
    EXPECT_EQ(c1->LastChild()->Payload()->GetTitle(), "t247");
}

TEST(PaneLoadTest, RefusedArchiveGivesTheReadersMessageAndNoEntries)
{
    TempFolder folder;
    PaneState pane{NumberedStyles()};
    EXPECT_EQ(InsertArchiveFile(pane, folder / "missing.mdx"), Msg::ErrorOpeningArchive);

    Bytes wrongCase = ArchiveBytes({Record("Pop", "a", 1)});
    wrongCase[4] = 'm'; // "%%%mDB-Archiv%%%"
    WriteBytes(folder / "case.mdx", wrongCase);
    EXPECT_EQ(InsertArchiveFile(pane, folder / "case.mdx"), Msg::NotAValidArchive);

    WriteBytes(folder / "short.mdx", Bytes(15, '%'));
    EXPECT_EQ(InsertArchiveFile(pane, folder / "short.mdx"), Msg::InvalidFileSize);

    EXPECT_EQ(pane.EntryCount(), 0);
    EXPECT_TRUE(pane.tree.IsEmpty());
}

} // namespace
} // namespace tessaro

// Loading in bulk against inserting one record at a time: on generated files
// made to catch the corner cases (sub entries first, equal group keys, names
// that differ only in case or after their end, empty titles and categories)
// both must give the same tree, down to every label and record byte.

#include "edit/PaneLoad.h"
#include "edit/TreeBulkLoad.h"
#include "support/DataTestSupport.h"
#include "support/TreeTestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace tessaro {
namespace {

using testing::Bytes;
using testing::TempFolder;
using testing::WriteBytes;

MdbEntry RandomRecord(std::mt19937& random)
{
    static const char* const categories[] = {"Pop", "pop", "POP", "", "Rock", "A name of sixteen", "Jazz "};
    static const char* const titles[] = {
        "", " ", "  sub", " sub", "\tTab", "Main", "main", "A title of 16 ch", "   ", "x"};
    static const uint8_t styles[] = {0, 1, 2, 244, 245, 250};
    static const uint16_t tempos[] = {0, 100, 100, 280, 65535};
    auto pick = [&random](const auto& list) { return list[random() % std::size(list)]; };

    MdbEntry record;
    for (uint8_t& byte : record.bytes())
        byte = uint8_t(random()); // every other field as noise: it must come through untouched
    record.SetCategory(pick(categories));
    record.SetTitle(pick(titles));
    if (random() % 4 == 0)
        record.bytes()[20 + 10] = uint8_t(random()); // noise after a short name's end, or inside a long one
    record.setStyleNumber(pick(styles));
    record.setTempo(pick(tempos));
    return record;
}

std::vector<MdbEntry> RandomFile(std::mt19937& random)
{
    std::vector<MdbEntry> records(random() % 60);
    for (MdbEntry& record : records)
        record = RandomRecord(random);
    if (!records.empty() && random() % 3 == 0)
        records[0].SetTitle("  leading sub"); // a sub entry before any main entry
    return records;
}

// Everything a reader of the tree can see, one line per node.
std::string Dump(const CategoryTree& tree)
{
    std::ostringstream out;
    out << tree.CategoryCount() << " categories, " << tree.EntryNodeCount() << " entries\n";
    for (const TreeNode* category = tree.FirstCategory(); category; category = category->NextSibling()) {
        out << "[" << category->Text() << "|" << category->CategoryName() << "|" << category->IsExpanded()
            << "|" << (category->Payload() != nullptr) << "|" << category->Row() << "] -> "
            << (tree.FindCategory(category->CategoryName()) == category) << "\n";
        for (const TreeNode* entry = category->FirstChild(); entry; entry = entry->NextSibling()) {
            out << "  " << entry->Text() << "|" << entry->Row() << "|" << (entry->Parent() == category)
                << "|";
            for (uint8_t byte : entry->Payload()->record.bytes())
                out << char('a' + byte % 26);
            out << "\n";
        }
    }
    return out.str();
}

void LoadOneByOne(PaneState& pane, const std::vector<MdbEntry>& records)
{
    for (const MdbEntry& record : records)
        ASSERT_TRUE(InsertLoadedRecord(pane, record));
}

void LoadInBulk(PaneState& pane, const std::vector<MdbEntry>& records)
{
    TreeBulkLoad bulk(pane.tree);
    for (const MdbEntry& record : records)
        bulk.Add(record);
    EXPECT_EQ(bulk.Count(), records.size());
    ASSERT_TRUE(bulk.Commit());
}

Bytes ArchiveBytes(const std::vector<MdbEntry>& records)
{
    const std::string magic = "%%%MDB-Archiv%%%";
    Bytes bytes(magic.begin(), magic.end());
    for (const MdbEntry& record : records)
        bytes.insert(bytes.end(), record.bytes().begin(), record.bytes().end());
    return bytes;
}

TEST(BulkLoadTest, GivesTheTreeOfInsertingOneByOneOnThousandsOfGeneratedFiles)
{
    std::mt19937 random(20261208);
    for (int file = 0; file < 2000; ++file) {
        const std::vector<MdbEntry> records = RandomFile(random);
        PaneState single{NumberedStyles()};
        PaneState bulk{NumberedStyles()};
        LoadOneByOne(single, records);
        LoadInBulk(bulk, records);
        ASSERT_EQ(Dump(bulk.tree), Dump(single.tree)) << "file " << file;
        ASSERT_TRUE(PaneIsSound(bulk)) << "file " << file;

        // The loaded tree goes on like the other one: the name index and the
        // group order hold for what is inserted afterwards.
        const std::vector<MdbEntry> more = RandomFile(random);
        LoadOneByOne(single, more);
        LoadOneByOne(bulk, more);
        ASSERT_EQ(Dump(bulk.tree), Dump(single.tree)) << "file " << file << " and more";
    }
}

TEST(BulkLoadTest, ThroughTheFileReadersAsWell)
{
    std::mt19937 random(7);
    TempFolder folder;
    for (int file = 0; file < 50; ++file) {
        std::vector<MdbEntry> records = RandomFile(random);
        WriteBytes(folder / "a.mdx", ArchiveBytes(records));
        PaneState single{NumberedStyles()};
        PaneState loaded{NumberedStyles()};
        LoadOneByOne(single, records);
        ASSERT_EQ(InsertArchiveFile(loaded, folder / "a.mdx"), std::nullopt);
        ASSERT_EQ(Dump(loaded.tree), Dump(single.tree)) << "archive " << file;
        LoadCounts counts{99, 99};
        ASSERT_EQ(CountArchiveFile(folder / "a.mdx", counts), std::nullopt);
        EXPECT_EQ(counts.entries, loaded.tree.EntryNodeCount()) << "archive " << file;
        EXPECT_EQ(counts.categories, std::size_t(loaded.tree.CategoryCount())) << "archive " << file;

        MdbImage image;
        std::vector<MdbEntry> occupied;
        for (std::size_t i = 0; i < records.size(); ++i) {
            if (records[i].inUse()) { // slots not in use are skipped, as the reader does
                image.SetSlot(int(i), records[i]);
                occupied.push_back(records[i]);
            }
        }
        PaneState fromMdb{NumberedStyles()};
        PaneState singleMdb{NumberedStyles()};
        LoadOneByOne(singleMdb, occupied);
        ASSERT_EQ(InsertMdbImage(fromMdb, image), std::nullopt);
        ASSERT_EQ(Dump(fromMdb.tree), Dump(singleMdb.tree)) << "MDB " << file;
        counts = CountMdbImage(image);
        EXPECT_EQ(counts.entries, fromMdb.tree.EntryNodeCount()) << "MDB " << file;
        EXPECT_EQ(counts.categories, std::size_t(fromMdb.tree.CategoryCount())) << "MDB " << file;
    }
}

TEST(BulkLoadTest, CountingSaysWhatLoadingSays)
{
    TempFolder folder;
    LoadCounts counts;
    std::size_t ignored = 0;
    EXPECT_EQ(CountArchiveFile(folder / "missing.mdx", counts), Msg::ErrorOpeningArchive);
    WriteBytes(folder / "short.mdx", Bytes{'%', '%'});
    EXPECT_EQ(CountArchiveFile(folder / "short.mdx", counts), Msg::InvalidFileSize);
    Bytes cut = ArchiveBytes({MakeEntry("", 1, 100, "")->record, MakeEntry("Pop", 1, 100, "a")->record,
                              MakeEntry("", 1, 100, "b")->record});
    cut.resize(cut.size() - 100);
    WriteBytes(folder / "cut.mdx", cut);
    EXPECT_EQ(CountArchiveFile(folder / "cut.mdx", counts, &ignored), std::nullopt);
    EXPECT_EQ(counts.entries, 2u);
    EXPECT_EQ(counts.categories, 2u); // the empty name is a category of its own
    EXPECT_EQ(ignored, kRecordSize - 100);
}

TEST(BulkLoadTest, CommitsOnlyIntoAnEmptyTreeThatIsNotRecording)
{
    PaneState pane{NumberedStyles()};
    AddEntry(pane, "Pop", 1, 100, "there");
    TreeBulkLoad bulk(pane.tree);
    bulk.Add(MakeEntry("Rock", 1, 100, "new")->record);
    EXPECT_FALSE(bulk.Commit());
    EXPECT_EQ(Layout(pane.tree), "Pop{there}");

    PaneState empty{NumberedStyles()};
    TreeJournal journal;
    empty.tree.Record(&journal);
    TreeBulkLoad intoRecording(empty.tree);
    intoRecording.Add(MakeEntry("Rock", 1, 100, "new")->record);
    EXPECT_FALSE(intoRecording.Commit());
    EXPECT_TRUE(empty.tree.IsEmpty());
}

TEST(BulkLoadTest, ReplacingLoadLeavesThePaneAsItWasWhenTheFileIsRefused)
{
    TempFolder folder;
    PaneState pane{NumberedStyles()};
    AddEntry(pane, "Pop", 1, 100, "kept");
    Bytes bad = ArchiveBytes({MakeEntry("Rock", 1, 100, "new")->record});
    bad[0] = 'x';
    WriteBytes(folder / "bad.mdx", bad);
    EXPECT_EQ(ReplaceWithArchiveFile(pane, folder / "bad.mdx"), Msg::NotAValidArchive);
    EXPECT_EQ(ReplaceWithArchiveFile(pane, folder / "missing.mdx"), Msg::ErrorOpeningArchive);
    EXPECT_EQ(Layout(pane.tree), "Pop{kept}");

    WriteBytes(folder / "good.mdx", ArchiveBytes({MakeEntry("Rock", 1, 100, "new")->record}));
    EXPECT_EQ(ReplaceWithArchiveFile(pane, folder / "good.mdx"), std::nullopt);
    EXPECT_EQ(Layout(pane.tree), "Rock{new}");
    EXPECT_TRUE(PaneIsSound(pane));
}

// Walks over the tree go through memory in order, however the records
// arrived and however scattered the pool's free slots were before the load.
TEST(BulkLoadTest, LaysNodesAndRecordsOutInTreeOrder)
{
    std::mt19937 random(11);
    std::vector<MdbEntry> records(5000);
    for (MdbEntry& record : records)
        record = RandomRecord(random);
    PaneState holes{NumberedStyles()};
    for (bool scattered : {false, true}) {
        if (scattered) {
            // Free slots all over the pools, between nodes that stay.
            for (int i = 0; i < 4000; ++i)
                AddEntry(holes, "Holes", i % 245, 100, "x");
            for (TreeNode* entry = holes.tree.FirstCategory()->FirstChild(); entry;) {
                TreeNode* next = entry->NextSibling();
                TreeNode* after = next ? next->NextSibling() : nullptr;
                holes.tree.DeleteNode(entry);
                entry = after;
            }
        }
        PaneState single{NumberedStyles()};
        PaneState bulk{NumberedStyles()};
        LoadOneByOne(single, records);
        LoadInBulk(bulk, records);
        ASSERT_EQ(Dump(bulk.tree), Dump(single.tree)) << "scattered " << scattered;
        ASSERT_TRUE(PaneIsSound(bulk));
        // Rising, but where a 2 MB chunk ends and the next lies elsewhere.
        const std::less<const void*> before;
        const TreeNode* lastNode = nullptr;
        const EntryNode* lastRecord = nullptr;
        std::size_t nodeDrops = 0;
        std::size_t recordDrops = 0;
        for (const TreeNode* category = bulk.tree.FirstCategory(); category;
             category = category->NextSibling()) {
            for (const TreeNode* entry = category->FirstChild(); entry; entry = entry->NextSibling()) {
                nodeDrops += lastNode && before(entry, lastNode) ? 1 : 0;
                recordDrops += lastRecord && before(entry->Payload(), lastRecord) ? 1 : 0;
                lastNode = entry;
                lastRecord = entry->Payload();
            }
        }
        EXPECT_LE(nodeDrops, 1u) << "scattered " << scattered;
        EXPECT_LE(recordDrops, 1u) << "scattered " << scattered;
    }
}

// A journal may outlive its tree (the window closes before its history goes):
// the nodes it holds stay good and go back to their pool when it is dropped.
TEST(BulkLoadTest, NodesAJournalHoldsOutliveTheirTree)
{
    std::mt19937 random(13);
    std::vector<MdbEntry> records(500);
    for (MdbEntry& record : records)
        record = RandomRecord(random);
    const std::size_t before = NodePool::AllBytesInUse();
    auto journal = std::make_unique<TreeJournal>();
    std::string deleted;
    {
        PaneState pane{NumberedStyles()};
        LoadInBulk(pane, records);
        TreeNode* category = pane.tree.FirstCategory();
        deleted = category->FirstChild()->Text();
        pane.tree.Record(journal.get());
        pane.tree.DeleteNode(category);
        pane.tree.Record(nullptr);
    }
    EXPECT_GE(NodePool::AllBytesInUse(), before + sizeof(TreeNode));
    EXPECT_FALSE(deleted.empty());
    journal.reset();
    EXPECT_EQ(NodePool::AllBytesInUse(), before);
}

// Closing a pane hands its memory back in one step only when nothing else
// holds a node or record: the other pane and an undo journal stay whole.
TEST(BulkLoadTest, ClosingAPaneKeepsWhatOthersHold)
{
    std::mt19937 random(12);
    std::vector<MdbEntry> records(3000);
    for (MdbEntry& record : records)
        record = RandomRecord(random);
    // Each tree has pools of its own: what all of them hold is what counts.
    const std::size_t before = NodePool::AllBytesInUse();
    PaneState first{NumberedStyles()};
    PaneState second{NumberedStyles()};
    LoadInBulk(first, records);
    LoadInBulk(second, records);
    const std::string loaded = Dump(second.tree);
    ClearPane(first);
    EXPECT_TRUE(first.tree.IsEmpty());
    ASSERT_TRUE(PaneIsSound(second));
    EXPECT_EQ(Dump(second.tree), loaded);
    {
        // A journal keeps a deleted entry: closing must not take its slots back.
        TreeJournal journal;
        second.tree.Record(&journal);
        second.tree.DeleteNode(second.tree.FirstCategory()->FirstChild());
        second.tree.Record(nullptr);
        ClearPane(second);
        EXPECT_GE(NodePool::AllBytesInUse(), before + sizeof(TreeNode));
        LoadInBulk(first, records); // would be given the journal's slots if they were free
    }
    ASSERT_TRUE(PaneIsSound(first));
    LoadInBulk(second, records); // would be given first's slots if the journal freed them
    EXPECT_EQ(Dump(first.tree), loaded);
    EXPECT_EQ(Dump(second.tree), loaded);

    // A pane destroyed with its window gives everything back as well.
    const std::size_t withBoth = NodePool::AllBytesInUse();
    {
        PaneState third{NumberedStyles()};
        LoadInBulk(third, records);
        EXPECT_GT(NodePool::AllBytesInUse(), withBoth);
    }
    EXPECT_EQ(NodePool::AllBytesInUse(), withBoth);
    ASSERT_TRUE(PaneIsSound(second));
    EXPECT_EQ(Dump(second.tree), loaded);

    ClearPane(first);
    ClearPane(second);
    EXPECT_EQ(NodePool::AllBytesInUse(), before);
}

// A million loaded entries must fit beside the rest of the desktop: an entry
// costs its record and a few links, loaded in bulk or one by one, and an edit
// of every entry (the old records freed) leaves it so.
TEST(BulkLoadTest, AnEntryCostsItsRecordAndAFewLinks)
{
    std::mt19937 random(14);
    std::vector<MdbEntry> records(20000);
    for (MdbEntry& record : records)
        record = RandomRecord(random);
    const std::size_t before = NodePool::AllBytesInUse();
    PaneState bulk{NumberedStyles()};
    PaneState single{NumberedStyles()};
    LoadInBulk(bulk, records);
    // Its parent, the links of its sequence with size and priority, a category's part;
    // the category nodes cost as much as an entry.
    constexpr std::size_t kLinks = 6 * 8;
    const std::size_t limit =
        (records.size() + std::size_t(bulk.tree.CategoryCount())) * (sizeof(MdbEntry) + kLinks);
    EXPECT_LE(NodePool::AllBytesInUse() - before, limit);
    LoadOneByOne(single, records);
    EXPECT_LE(NodePool::AllBytesInUse() - before, 2 * limit);

    for (const TreeNode* category = bulk.tree.FirstCategory(); category; category = category->NextSibling()) {
        for (TreeNode* entry = category->FirstChild(); entry; entry = entry->NextSibling()) {
            MdbEntry edited = entry->Payload()->record;
            edited.setMainVolume(uint8_t(edited.mainVolume() + 1));
            bulk.tree.ReplaceEntry(entry, edited);
        }
    }
    EXPECT_LE(NodePool::AllBytesInUse() - before, 2 * limit);
    ClearPane(bulk);
    ClearPane(single);
    EXPECT_EQ(NodePool::AllBytesInUse(), before);
}

} // namespace
} // namespace tessaro

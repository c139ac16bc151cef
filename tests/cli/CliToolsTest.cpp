// The tools beyond the keyboard's own: voices, styles, export, import, diff,
// check --for and duplicates, run as a separate process.

#include "cli/CliTestSupport.h"

#include "data/Csv.h"

#include <fstream>
#include <random>

namespace tessaro {
namespace {

#ifdef TESSARO_CLI

using namespace clitest;
using testing::Bytes;
using testing::ReadBytes;
using testing::ReadText;
using testing::WriteBytes;
using testing::WriteText;

class CliToolsTest : public CliTest
{
protected:
    // Records with every field and reserved byte set, names kept readable so
    // the sorted insert has something to sort.
    std::vector<MdbEntry> RandomRecords(int count, uint32_t seed)
    {
        std::mt19937 rng(seed);
        std::vector<MdbEntry> records;
        for (int i = 0; i < count; ++i) {
            MdbEntry record = testing::RandomRecord(rng);
            record.bytes()[kInUseOffset] = uint8_t(1 + rng() % 255);
            record.SetCategory(std::string(1, char('A' + rng() % 4)) + "\xE9,\"x\"");
            record.SetTitle((i % 3 == 0 ? "  " : "") + std::to_string(i));
            records.push_back(record);
        }
        return records;
    }

    std::size_t Lines(const std::string& text)
    {
        return std::size_t(std::count(text.begin(), text.end(), '\n'));
    }
};

// ---- voices, styles -------------------------------------------------------------

TEST_F(CliToolsTest, VoicesAsTheEditorsListsOfferThem)
{
    const CliRun psr9000 = Cli({"voices"});
    EXPECT_EQ(psr9000.status, 0);
    EXPECT_EQ(psr9000.err, "");
    // 880 rows less the 3 unsourced ones, and for the PSR-9000 less the 18 pro-only ones.
    EXPECT_EQ(Lines(psr9000.out), 880u - 3 - 18);
    EXPECT_EQ(psr9000.out.rfind("1\t0\t112\t0\tPiano - Grand Piano\n", 0), 0u);
    EXPECT_TRUE(Has(psr9000.out, "\n245\t0\t116\t52\tChoir&Pad - Live!Gospel\n"));
    EXPECT_FALSE(Has(psr9000.out, "Live!Grand"));
    EXPECT_FALSE(Has(psr9000.out, "Rock Organ2")); // its program is not known
    EXPECT_TRUE(Has(psr9000.out, "\t0\t117\t18\tOrgan - Rotor Organ\n"));
    EXPECT_TRUE(Has(psr9000.out, "\n879\t64\t0\t115\tXG480 - FireWork\n"));

    const CliRun pro = Cli({"voices", "--model", "pro"});
    EXPECT_EQ(Lines(pro.out), 880u - 3);
    EXPECT_EQ(pro.out.rfind("0\t0\t113\t0\tPiano - Live!Grand\n", 0), 0u);
}

TEST_F(CliToolsTest, StylesWithTheFlashNamesAsked)
{
    CliRun run = Cli({"styles"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(Lines(run.out), 245u);
    EXPECT_EQ(run.out.rfind("0\t8 Beat - Heart Beat\n", 0), 0u);
    EXPECT_TRUE(Has(run.out, "\n62\tR & B - Modern R&B\n")); // "&&" read as one, the lone '&' kept
    EXPECT_TRUE(Has(run.out, "\n180\tFlash IV - <11>\n"));
    EXPECT_TRUE(Has(Cli({"styles", "--model", "pro"}).out, "\n180\tFlash IV - Vocal Swing\n"));
    EXPECT_TRUE(Has(Cli({"styles", "--model", "pro", "--flash", "default"}).out, "\n125\tFlash I - <1>\n"));
    run = Cli({"styles", "--flash", folder / "none.bup"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
}

// ---- export, import -------------------------------------------------------------

TEST_F(CliToolsTest, ExportThenImportGivesWhatConvertGives)
{
    const std::vector<MdbEntry> records = RandomRecords(300, 42);
    const std::vector<MdbEntry> someRecords(records.begin(), records.begin() + 200);
    const std::string mdb = WriteMdb("MDB_Pro.bup", KeyboardModel::Psr9000Pro, someRecords);
    const std::string archive = WriteArchive("Arch.mdx", records);

    for (const std::string& file : {mdb, archive}) {
        const CliRun exported = Cli({"export", file, "-o", folder / "x.csv"});
        ASSERT_EQ(exported.status, 0) << exported.err;
        EXPECT_EQ(Cli({"export", file}).out, ReadText(folder / "x.csv"));

        for (const std::string out : {"out.mdx", "out.BUP"}) {
            ASSERT_EQ(Cli({"import", folder / "x.csv", folder / out, "--model", "pro"}).status, 0) << out;
            const std::string converted = folder / (out == "out.mdx" ? "c.mdx" : "c.bup");
            ASSERT_EQ(Cli({"convert", file, converted, "--model", "pro"}).status, 0);
            EXPECT_EQ(ReadBytes(folder / out), ReadBytes(converted)) << file << " -> " << out;
        }
    }
}

TEST_F(CliToolsTest, ExportThenImportOfHostileFilesGivesWhatConvertGives)
{
    // Bytes after a title's NUL, control characters, 0x7F to 0xFF, full fields,
    // formulas, leading tabs; archives and MDBs of both models.
    std::mt19937 rng(2121);
    for (int file = 0; file < 12; ++file) {
        std::vector<MdbEntry> records;
        for (int n = 1 + int(rng() % 60); n > 0; --n) {
            records.push_back(testing::AdversarialRecord(rng));
        }
        const bool mdb = file % 3 == 2;
        const char* model = file % 2 ? "pro" : "9000";
        const std::string in = mdb ? WriteMdb("in.bup", file % 2 ? KeyboardModel::Psr9000Pro : KeyboardModel::Psr9000,
                                              records)
                                   : WriteArchive("in.mdx", records);
        const std::string out = mdb ? "out.bup" : "out.mdx";
        ASSERT_EQ(Cli({"export", in, "-o", folder / "x.csv"}).status, 0);
        const CliRun imported = Cli({"import", folder / "x.csv", folder / out, "--model", model});
        ASSERT_EQ(imported.status, 0) << imported.err;
        ASSERT_EQ(Cli({"convert", in, folder / ("c" + out), "--model", model}).status, 0);
        EXPECT_EQ(ReadBytes(folder / out), ReadBytes(folder / ("c" + out))) << "file " << file;
    }
}

TEST_F(CliToolsTest, ExportWritesFormulasAsTextAndToStandardOutputForADash)
{
    const std::string archive =
        WriteArchive("f.mdx", {Record("=cmd|'/C calc'!A", "-Intro-", 0, 90), Record("Pop", "@x", 0, 90)});
    const CliRun run = Cli({"export", archive, "-o", "-"});
    EXPECT_EQ(run.status, 0);
    EXPECT_FALSE(std::filesystem::exists(folder / "-"));
    EXPECT_TRUE(Has(run.out, "\r\n'=cmd|'/C calc'!A,'-Intro-,")) << run.out;
    EXPECT_TRUE(Has(run.out, "\r\nPop,'@x,"));
    WriteText(folder / "x.csv", run.out);
    ASSERT_EQ(Cli({"import", folder / "x.csv", folder / "back.mdx"}).status, 0);
    ASSERT_EQ(Cli({"convert", archive, folder / "c.mdx"}).status, 0);
    EXPECT_EQ(ReadBytes(folder / "back.mdx"), ReadBytes(folder / "c.mdx"));
}

TEST_F(CliToolsTest, ImportHoldsTheEntriesNotTheText)
{
    // 48 MB of empty rows under a 40 MB data limit: read whole, the text alone
    // would not fit; read as it arrives, it builds an empty archive.
    const std::string header = Cli({"export", WriteArchive("one.mdx")}).out;
    {
        std::ofstream csv(folder / "empty-rows.csv", std::ios::binary);
        csv << header.substr(0, header.find("\r\n") + 2);
        const std::string rows(1 << 20, '\n');
        for (int i = 0; i < 48; ++i) {
            csv << rows;
        }
    }
    const std::string command = "ulimit -d 40000 && " + clitest::Quoted(TESSARO_CLI) + " import " +
                                clitest::Quoted(folder / "empty-rows.csv") + " " +
                                clitest::Quoted(folder / "none.mdx") + " 2>" + clitest::Quoted(folder / "err");
    const int raw = std::system(("sh -c " + clitest::Quoted(command)).c_str());
    EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 0) << ReadText(folder / "err");
    EXPECT_TRUE(Has(Cli({"info", folder / "none.mdx"}).out, "Entries:    0\n"));
}

TEST_F(CliToolsTest, ImportListsEveryFaultAndWritesNothing)
{
    const std::string mdb = WriteMdb("MDB.bup", KeyboardModel::Psr9000);
    ASSERT_EQ(Cli({"export", mdb, "-o", folder / "x.csv"}).status, 0);
    std::string csv = ReadText(folder / "x.csv");
    // Row 2 gets a tempo of 300, row 4 a title of 17 letters.
    CsvReader reader(csv);
    std::vector<std::vector<std::string>> rows;
    for (CsvRecord record; reader.Next(record);) {
        rows.push_back(record.fields);
    }
    ASSERT_EQ(rows.size(), 6u);
    rows[1][5] = "300";
    rows[3][1] = "Seventeen letters";
    csv.clear();
    for (const auto& row : rows) {
        AppendCsvRecord(csv, row);
    }
    WriteText(folder / "bad.csv", csv);
    WriteText(folder / "old.mdx", "keep me");

    const CliRun run = Cli({"import", folder / "bad.csv", folder / "old.mdx"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Has(run.err, "bad.csv: line 2, column Tempo: '300' is not a whole number from 32 to 280\n"))
        << run.err;
    EXPECT_TRUE(
        Has(run.err, "bad.csv: line 4, column Entry: 'Seventeen letters' is longer than 16 characters\n"));
    EXPECT_EQ(ReadText(folder / "old.mdx"), "keep me");

    WriteText(folder / "open.csv", "Category,Entry\r\n\"Pop,A\r\n");
    EXPECT_TRUE(Has(Cli({"import", folder / "open.csv", folder / "o.mdx"}).err,
                    "open.csv: line 2, column Category: a quoted field has no closing quote"));
    EXPECT_EQ(Cli({"import", folder / "none.csv", folder / "o.mdx"}).status, 1);
    EXPECT_EQ(Cli({"import", folder.path().string(), folder / "o.mdx"}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(folder / "o.mdx"));
}

TEST_F(CliToolsTest, ImportOfMoreThan616EntriesMakesAnArchiveButNoMdb)
{
    const std::string archive = WriteArchive("Big.mdx", RandomRecords(617, 9));
    ASSERT_EQ(Cli({"export", archive, "-o", folder / "big.csv"}).status, 0);
    CliRun run = Cli({"import", folder / "big.csv", folder / "MDB.bup"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Has(run.err, "The MDB contains more than 616 entries!"));
    EXPECT_FALSE(std::filesystem::exists(folder / "MDB.bup"));
    EXPECT_EQ(Cli({"import", folder / "big.csv", folder / "big.mdx"}).status, 0);
    EXPECT_TRUE(Has(Cli({"info", folder / "big.mdx"}).out, "Entries:    617\n"));
}

// ---- diff -----------------------------------------------------------------------

TEST_F(CliToolsTest, DiffExitsWithZeroOneOrTwo)
{
    const std::string mdb = WriteMdb("MDB.bup", KeyboardModel::Psr9000);
    const std::string archive = WriteArchive("Same.mdx");
    CliRun run = Cli({"diff", mdb, archive});
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out, "");

    std::vector<MdbEntry> records = SampleRecords();
    records[1].setMainVolume(77); // Pop, Sunny Day
    records[3].SetTitle("Caf\xE9 Jive");
    WriteArchive("Other.mdx", records);
    run = Cli({"diff", mdb, folder / "Other.mdx"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "changed\tPop\tSunny Day\tAcc-Vol\t0\t77\n"
                       "removed\tJazz\tCaf\xC3\xA9 Swing\n"
                       "added\tJazz\tCaf\xC3\xA9 Jive\n");

    EXPECT_EQ(Cli({"diff", mdb, folder / "none.mdx"}).status, 2);
    WriteBytes(folder / "short.bup", Bytes(10, 0));
    run = Cli({"diff", folder / "short.bup", mdb});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(Has(run.err, "short.bup: Invalid file size!"));
}

TEST_F(CliToolsTest, DiffNamesRepeatedTitlesByOccurrenceAndWritesEveryLineOfALongList)
{
    // The second "Intro" changes, the third goes; "Ende" stands before "Outro"
    // now (its tempo sorts it first), so one of the two has moved.
    std::vector<MdbEntry> before = {Record("Pop", "Intro", 0, 100), Record("Pop", "Intro", 0, 100),
                                    Record("Pop", "Intro", 0, 100), Record("Pop", "Outro", 0, 110),
                                    Record("Pop", "Ende", 0, 120)};
    std::vector<MdbEntry> after = before;
    after[1].setMainVolume(5);
    after.erase(after.begin() + 2);
    after.back().setTempo(105);
    CliRun run = Cli({"diff", WriteArchive("Before.mdx", before), WriteArchive("After.mdx", after)});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "changed\tPop\tIntro [2]\tAcc-Vol\t0\t5\n"
                       "removed\tPop\tIntro [3]\n"
                       "moved\tPop\tOutro\n"
                       "changed\tPop\tEnde\tTempo\t120\t105\n");

    // Far more than one write's worth of lines: none lost, none twice, in tree order.
    before.clear();
    after.clear();
    std::string expected;
    for (int i = 0; i < 4000; ++i) {
        char title[16];
        std::snprintf(title, sizeof title, "Song %05d", i);
        before.push_back(Record("Pop", title, 0, 100));
        after.push_back(before.back());
        after.back().setMainVolume(uint8_t(1 + i % 100));
        expected += std::string("changed\tPop\t") + title + "\tAcc-Vol\t0\t" + std::to_string(1 + i % 100) + "\n";
    }
    run = Cli({"diff", WriteArchive("Many.mdx", before), WriteArchive("ManyChanged.mdx", after)});
    EXPECT_EQ(run.status, 1);
    EXPECT_GT(run.out.size(), 128u * 1024);
    EXPECT_TRUE(run.out == expected) << run.out.size() << " bytes against " << expected.size();
}

// ---- check --for ----------------------------------------------------------------

TEST_F(CliToolsTest, CheckForAKeyboardListsWhatWouldNotPlay)
{
    std::vector<MdbEntry> records = SampleRecords();
    records[0].setVoice(HandVoice::R2, {0, 113, 0}); // Pop, Early: Live!Grand, a PSR-9000pro voice
    for (MdbEntry& record : records) {
        record.setVariation(8);
    }
    const std::string archive = WriteArchive("Arch.mdx", records);

    CliRun run = Cli({"check", archive, "--for", "9000"});
    EXPECT_EQ(run.status, 1);
    // Style number 250 counts as a disk style (the editor's list shows it as DiskStyle 1).
    EXPECT_EQ(run.out, "Pop\tEarly\tR2-Voice\tPiano - Live!Grand <0,113,0> is a PSR-9000pro voice\n"
                       "Latin\tDisk Groove\tStyle\tDiskStyle 1 needs its style disk\n");
    EXPECT_TRUE(Has(run.err, "Arch.mdx: 2 findings for the PSR-9000"));

    run = Cli({"check", archive, "--for", "pro"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "Latin\tDisk Groove\tStyle\tDiskStyle 1 needs its style disk\n");

    records.pop_back();
    WriteArchive("Arch.mdx", records);
    run = Cli({"check", archive, "--for", "pro"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, archive + ": OK for the PSR-9000pro\n");
}

// ---- duplicates -----------------------------------------------------------------

TEST_F(CliToolsTest, DuplicatesListsGroupsAndDeletesNothing)
{
    std::vector<MdbEntry> records = SampleRecords();
    MdbEntry copy = records[1];
    copy.SetCategory("Jazz");
    copy.SetTitle("Sunny Copy");
    records.push_back(copy);
    MdbEntry sameTitle = records[0];
    sameTitle.SetTitle(" EARLY");
    sameTitle.setTempo(200);
    records.push_back(sameTitle);
    const std::string archive = WriteArchive("Arch.mdx", records);
    const Bytes before = ReadBytes(archive);

    CliRun run = Cli({"duplicates", archive});
    EXPECT_EQ(run.status, 0);
    // "  Bridge" is Sunny Day's registration too; " EARLY" lands behind no entry of
    // its group and loads as the main entry "EARLY".
    EXPECT_EQ(run.out,
              "Same registration (3 entries):\n\tPop\tSunny Day\n\tPop\t  Bridge\n\tJazz\tSunny Copy\n\n"
              "Same title in one category (2 entries):\n\tPop\tEarly\n\tPop\tEARLY\n\n");
    EXPECT_EQ(ReadBytes(archive), before);

    run = Cli({"duplicates", WriteArchive("One.mdx", {SampleRecords()[0]})});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "No duplicates.\n");
}

// ---- the demo spreadsheet -------------------------------------------------------

TEST_F(CliToolsTest, TheDemoSpreadsheetIsTheExportOfTheDemoSet)
{
    const std::string examples = std::string(TESSARO_SOURCE_DIR) + "/examples";
    const CliRun run = Cli({"export", examples + "/Demo.buf/MDB.bup"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, ReadText(examples + "/Demo.csv"));
    ASSERT_EQ(Cli({"import", examples + "/Demo.csv", folder / "MDB.bup"}).status, 0);
    EXPECT_EQ(ReadBytes(folder / "MDB.bup"), ReadBytes(examples + "/Demo.buf/MDB.bup"));
}

#endif // TESSARO_CLI

} // namespace
} // namespace tessaro

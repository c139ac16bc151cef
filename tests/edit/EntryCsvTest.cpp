// Whole spreadsheets: the header, the rows in tree order, and every fault of a
// CSV that is not in the export's form listed with its line and column.
#include "edit/EntryCsv.h"

#include "catalogue/StyleCatalogue.h"
#include "data/ArchiveFile.h"
#include "data/Csv.h"
#include "edit/EntryColumns.h"
#include "edit/EntryCsvRow.h"
#include "edit/PaneLoad.h"
#include "edit/TreeNode.h"
#include "support/DataTestSupport.h"
#include "support/TreeTestSupport.h"

#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <random>

namespace tessaro {
namespace {

std::string Errors(const CsvImportResult& result)
{
    std::string text;
    for (const CsvImportError& error : result.errors) {
        text += DescribeImportError(error) + "\n";
    }
    return text;
}

std::vector<std::string> Header()
{
    std::vector<std::string> names;
    for (const EntryColumn& column : EntryColumns()) {
        names.push_back(column.name);
    }
    return names;
}

std::string Line(const std::vector<std::string>& fields)
{
    std::string line;
    AppendCsvRecord(line, fields);
    return line;
}

MdbEntry Record(const std::string& category, const std::string& title, int tempo)
{
    MdbEntry record;
    record.bytes()[kInUseOffset] = 1;
    record.SetCategory(category);
    record.SetTitle(title);
    record.setTempo(uint16_t(tempo));
    record.setVariation(8);
    return record;
}

class EntryCsvTest : public ::testing::Test
{
protected:
    void Load(const std::vector<MdbEntry>& records)
    {
        for (const MdbEntry& record : records) {
            ASSERT_TRUE(InsertLoadedRecord(*pane, record));
        }
    }
    std::unique_ptr<PaneState> pane = std::make_unique<PaneState>(NumberedStyles());
};

TEST_F(EntryCsvTest, ExportIsTheHeaderThenEachEntryInTreeOrder)
{
    Load({Record("Pop", "B", 100), Record("Jazz", "C", 90), Record("Pop", "A", 90)});
    AddEmptyCategory(*pane, "Empty"); // a placeholder gives no row
    const std::string text = EntryCsvText(pane->tree);

    CsvReader reader(text);
    CsvRecord row;
    ASSERT_TRUE(reader.Next(row));
    EXPECT_EQ(row.fields, Header());
    std::vector<std::string> titles;
    while (reader.Next(row)) {
        titles.push_back(row.fields[0] + "/" + row.fields[1]);
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"Pop/A", "Pop/B", "Jazz/C"}));
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1); // CR LF line ends

    const CsvImportResult back = ReadEntryCsv(text);
    EXPECT_EQ(Errors(back), "");
    ASSERT_EQ(back.records.size(), 3u);
    EXPECT_EQ(back.records[0], Record("Pop", "A", 90));
    EXPECT_EQ(back.records[2], Record("Jazz", "C", 90));
}

TEST_F(EntryCsvTest, ColumnsAreFoundByNameInAnyOrderAndCase)
{
    std::mt19937 rng(3);
    const MdbEntry record = testing::RandomRecord(rng);
    const EntryCells cells = CellsOf(record, NumberedStyles());
    // Reversed, upper case, without the name columns, with a byte order mark,
    // LF line ends, empty lines and a spreadsheet's row of empty cells.
    std::vector<std::string> names, values;
    for (std::size_t c = EntryColumns().size(); c-- > 0;) {
        if (!IsReadBack(EntryColumns()[c])) {
            continue;
        }
        std::string name = EntryColumns()[c].name;
        for (char& ch : name) {
            ch = char(std::toupper(static_cast<unsigned char>(ch)));
        }
        names.push_back(name);
        values.push_back(cells[c]);
    }
    std::string text =
        "\xEF\xBB\xBF" + Line(names) + "\n" + Line(values) + Line(std::vector<std::string>(names.size()));
    for (std::size_t i; (i = text.find("\r\n")) != std::string::npos;) {
        text.erase(i, 1);
    }
    const CsvImportResult result = ReadEntryCsv(text);
    EXPECT_EQ(Errors(result), "");
    ASSERT_EQ(result.records.size(), 1u);
    EXPECT_EQ(result.records[0], record);
}

TEST_F(EntryCsvTest, HeaderFaultsAreAllListed)
{
    std::vector<std::string> names = Header();
    names[5] = "Tempi";             // unknown, and so Tempo is missing
    names.push_back("Category");    // twice
    names.erase(names.begin() + 8); // Sync missing
    const CsvImportResult result =
        ReadEntryCsv(Line(names) + Line(std::vector<std::string>(names.size(), "x")));
    EXPECT_EQ(Errors(result), "line 1, column Tempi: not a column of an entry\n"
                              "line 1, column Category: appears twice\n"
                              "line 1, column Tempo: missing from the header\n"
                              "line 1, column Sync: missing from the header\n");
    EXPECT_TRUE(result.records.empty());

    EXPECT_EQ(Errors(ReadEntryCsv("")), "line 1, column Category: missing: the file holds no header row\n");
    EXPECT_EQ(Errors(ReadEntryCsv("\xEF\xBB\xBF\r\n\r\n")),
              "line 1, column Category: missing: the file holds no header row\n");
    // A header field without a name to show is named by its number.
    EXPECT_NE(Errors(ReadEntryCsv("Category,,Entry\n")).find("line 1, column 2: not a column of an entry\n"),
              std::string::npos);
    EXPECT_NE(Errors(ReadEntryCsv(std::string("Category,\0J>\xA0,Entry\n", 20)))
                  .find("line 1, column 2: not a column of an entry\n"),
              std::string::npos);
    // A header of the voice table is no entry header.
    EXPECT_NE(
        Errors(ReadEntryCsv("row,group,name,msb,lsb,program,pro_only\n")).find("column row: not a column"),
        std::string::npos);
}

TEST_F(EntryCsvTest, RowFaultsNameLineAndColumn)
{
    Load({Record("Pop", "A", 100), Record("Pop", "B", 100)});
    const std::string good = EntryCsvText(pane->tree);
    const std::size_t firstRow = good.find("\r\n") + 2;
    const std::size_t secondRow = good.find("\r\n", firstRow) + 2;
    const std::string header = good.substr(0, firstRow);
    const std::string row1 = good.substr(firstRow, secondRow - firstRow);
    const std::string row2 = good.substr(secondRow);
    const std::size_t width = Header().size();

    // Too few and too many fields.
    std::string shortRow = row1.substr(0, row1.rfind(',')) + "\r\n";
    std::string longRow = row1.substr(0, row1.size() - 2) + ",extra\r\n";
    CsvImportResult result = ReadEntryCsv(header + shortRow + "\r\n" + longRow);
    EXPECT_EQ(Errors(result), "line 2, column OtherBytes: missing: the row has " + std::to_string(width - 1) +
                                  " fields, the header " + std::to_string(width) + "\n" + "line 4, column " +
                                  std::to_string(width + 1) + ": more fields than the header's " +
                                  std::to_string(width) + "\n");

    // A bad cell in each row: both are listed, and no record comes back.
    std::string bad1 = row1, bad2 = row2;
    bad1.replace(bad1.find(",100,"), 5, ",1000,");
    bad2.replace(bad2.find(",100,"), 5, ",x,");
    result = ReadEntryCsv(header + bad1 + bad2);
    EXPECT_EQ(Errors(result), "line 2, column Tempo: '1000' is not a whole number from 32 to 280\n"
                              "line 3, column Tempo: 'x' is not a whole number from 32 to 280\n");

    // Quotes left open: the line where the field began, and its column.
    result = ReadEntryCsv(header + row1 + "Pop,\"B,0" + row2.substr(row2.find(',', 4)));
    EXPECT_EQ(Errors(result), "line 3, column Entry: a quoted field has no closing quote\n");
    result = ReadEntryCsv(header + "Pop,B\"x\"," + row2.substr(row2.find(',', 4) + 1));
    EXPECT_EQ(Errors(result), "line 2, column Entry: a double quote in a field that is not quoted\n");
}

TEST_F(EntryCsvTest, ManyRowsReadBack)
{
    std::mt19937 rng(100);
    std::vector<MdbEntry> records;
    for (int i = 0; i < 2000; ++i) {
        records.push_back(testing::RandomRecord(rng));
    }
    Load(records);
    const CsvImportResult back = ReadEntryCsv(EntryCsvText(pane->tree));
    ASSERT_EQ(Errors(back), "");
    ASSERT_EQ(back.records.size(), records.size());
    // Loading the rows again gives the same tree.
    auto again = std::make_unique<PaneState>(NumberedStyles());
    for (const MdbEntry& record : back.records) {
        ASSERT_TRUE(InsertLoadedRecord(*again, record));
    }
    EXPECT_EQ(EntryCsvText(again->tree), EntryCsvText(pane->tree));
}

// The records of the tree in tree order, as a file saved from it holds them.
std::vector<MdbEntry> TreeRecords(const CategoryTree& tree)
{
    std::vector<MdbEntry> records;
    const RecordSource source = RecordsOf(tree);
    while (const MdbEntry* record = source()) {
        records.push_back(*record);
    }
    return records;
}

// Imports the text as tessaro-cli does: row by row, in pieces of the given size.
std::unique_ptr<PaneState> Imported(const std::string& text, std::size_t piece, std::string* errors)
{
    auto pane = std::make_unique<PaneState>(NumberedStyles());
    std::size_t at = 0;
    ReadEntryCsv(
        [&](char* buffer, std::size_t capacity) {
            const std::size_t count = std::min({capacity, piece, text.size() - at});
            std::copy_n(text.data() + at, count, buffer);
            at += count;
            return count;
        },
        [&](const MdbEntry& record) { return InsertImportedRecord(pane->tree, record) != nullptr; },
        [&](const CsvImportError& error) { *errors += DescribeImportError(error) + "\n"; });
    return pane;
}

TEST_F(EntryCsvTest, ExportThenImportOfHostileFilesGivesTheLoadedTreeByteForByte)
{
    // Each file as loading gives it (what convert saves), against its export imported again.
    testing::TempFolder folder;
    std::mt19937 rng(21);
    int subEntries = 0;
    for (int file = 0; file < 100; ++file) {
        std::vector<MdbEntry> records;
        for (int n = 1 + int(rng() % 40); n > 0; --n) {
            records.push_back(testing::AdversarialRecord(rng));
        }
        ASSERT_EQ(WriteArchiveFile(folder / "f.mdx", SourceOf(records)), std::nullopt);
        PaneState loaded{NumberedStyles()};
        ASSERT_EQ(ReplaceWithArchiveFile(loaded, folder / "f.mdx"), std::nullopt);
        const std::string text = EntryCsvText(loaded.tree);

        std::string errors;
        const std::unique_ptr<PaneState> back = Imported(text, 1 + rng() % 5000, &errors);
        ASSERT_EQ(errors, "") << "file " << file;
        const std::vector<MdbEntry> expected = TreeRecords(loaded.tree);
        const std::vector<MdbEntry> got = TreeRecords(back->tree);
        ASSERT_EQ(got.size(), expected.size()) << "file " << file;
        for (std::size_t i = 0; i < got.size(); ++i) {
            ASSERT_EQ(got[i].bytes(), expected[i].bytes()) << "file " << file << ", entry " << i;
            subEntries += got[i].IsSubEntry() ? 1 : 0;
        }
    }
    EXPECT_GT(subEntries, 10); // sub entries behind their group came through as such
}

// The row as the cells of CellsOf make it, one cell at a time: what the quick writer must give.
std::string RowFromCells(const MdbEntry& record, const StyleCatalogue& styles)
{
    std::string row;
    const EntryCells cells = CellsOf(record, styles);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        row += (i > 0 ? "," : "") + CsvField(FormulaSafeCell(cells[i]));
    }
    return row + "\r\n";
}

// A record whose settings the editor accepts, with now and then one byte
// disturbed where a column reads it: cells on both sides of each check.
MdbEntry NearlyEditorRecord(std::mt19937& rng)
{
    MdbEntry record = testing::RandomRecord(rng);
    record.SetCategory(rng() % 2 ? "Pop" : "Caf\xE9 =1");
    record.SetTitle(rng() % 2 ? "  Sub, \"x\"" : "A title of 16 ch");
    record.setStyleIndex(int(rng() % 501));
    record.setTempo(uint16_t(20 + rng() % 280));
    record.setVariation(uint8_t(6 + rng() % 8));
    record.setMainVolume(uint8_t(rng() % 140));
    record.setSyncStart(rng() % 2);
    record.setStopAccompaniment(rng() % 2);
    record.setLeftHold(rng() % 2);
    for (int p = 0; p < kPartCount; ++p) {
        record.setPartVolume(static_cast<Part>(p), uint8_t(rng() % 140));
        record.setPartVoice(static_cast<Part>(p), VoiceRef::FromPacked(uint32_t(rng())));
    }
    for (int h = 0; h < kHandVoiceCount; ++h) {
        record.setVoiceOn(static_cast<HandVoice>(h), rng() % 2);
        record.setVoiceVolume(static_cast<HandVoice>(h), uint8_t(rng() % 140));
        record.setVoice(static_cast<HandVoice>(h), {0, uint8_t(rng() % 4 ? 0 : 116), uint8_t(rng() % 128)});
    }
    for (int n = int(rng() % 3); n > 0; --n) {
        const std::vector<uint8_t>& coverage = CoverageOf(rng() % EntryColumns().size());
        const std::size_t at = rng() % kRecordSize;
        record.bytes()[at] ^= uint8_t(coverage[at] ? coverage[at] & rng() : rng());
    }
    return record;
}

TEST(EntryCsvRow, EachRowIsTheCellsOfItsRecordByteForByte)
{
    StyleCatalogue styles; // names a spreadsheet would run, quote or trim
    styles.SetFlashNameIndividual(0, "=SUM(A1)");
    styles.SetFlashNameIndividual(1, "Rock, \"Roll\"");
    styles.SetFlashNameIndividual(2, " lead");
    std::mt19937 rng(2024);
    EntryCsvRow writer(styles); // one writer for all: nothing of a row may stay for the next
    for (int round = 0; round < 6000; ++round) {
        const MdbEntry record = round % 3 == 0   ? testing::RandomRecord(rng)
                                : round % 3 == 1 ? testing::AdversarialRecord(rng)
                                                 : NearlyEditorRecord(rng);
        std::string row = "prefix,";
        writer.Append(row, record);
        ASSERT_EQ(row, "prefix," + RowFromCells(record, styles)) << "round " << round;
    }
}

TEST_F(EntryCsvTest, CellsASpreadsheetWouldRunAreWrittenAsTextAndReadBackAsTheyWere)
{
    const std::vector<std::pair<std::string, std::string>> cells = {{"=cmd|'/C calc'!A", "'=cmd|'/C calc'!A"},
                                                                    {"+1", "'+1"},
                                                                    {"-Intro-", "'-Intro-"},
                                                                    {"@SUM(A1)", "'@SUM(A1)"},
                                                                    {"\tTab", "'\tTab"},
                                                                    {"\rCR", "\"'\rCR\""},
                                                                    {"'=x", "''=x"},
                                                                    {"''@x", "'''@x"},
                                                                    {"'Round", "'Round"},
                                                                    {"''", "''"},
                                                                    {"Pop=Rock", "Pop=Rock"},
                                                                    {"", ""}};
    for (const auto& [cell, written] : cells) {
        EXPECT_EQ(CsvField(FormulaSafeCell(cell)), written) << cell;
        std::string back = FormulaSafeCell(cell);
        RestoreFormulaSafeCell(back);
        EXPECT_EQ(back, cell);
    }

    // Whole rows: a title and a category that begin like formulas come back as they were.
    Load({Record("=1+1", "@risk", 100), Record("-", "'+", 90)});
    const std::string text = EntryCsvText(pane->tree);
    EXPECT_NE(text.find("\r\n'=1+1,'@risk,"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n'-,''+,"), std::string::npos) << text;
    const CsvImportResult back = ReadEntryCsv(text);
    EXPECT_EQ(Errors(back), "");
    EXPECT_EQ(back.records, TreeRecords(pane->tree));
}

} // namespace
} // namespace tessaro

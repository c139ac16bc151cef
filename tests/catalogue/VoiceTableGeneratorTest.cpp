// The reader of data/voices.csv and the build's generator that uses it: a data
// edit that breaks the CSV must stop the build with a message naming the line.
#include "catalogue/VoiceCsv.h"
#include "support/DataTestSupport.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace tessaro {
namespace {

using testing::ReadText;
using testing::TempFolder;
using testing::WriteText;

const std::string kHeader = "row,group,name,msb,lsb,program,pro_only\n";

// The header, the given first rows, then rows 'firstCount'.. up to total - 1,
// each a sourced voice with numbers of its own (MSB 1, LSB and program from the row).
std::string Csv(const std::string& firstRows, int firstCount, int total = 880)
{
    std::string csv = kHeader + firstRows;
    for (int row = firstCount; row < total; ++row) {
        csv += std::to_string(row) + ",XG,Voice " + std::to_string(row) + ",1," + std::to_string(row / 256) +
               "," + std::to_string(row % 256) + ",0\n";
    }
    return csv;
}

TEST(VoiceCsv, QuotedNamesEmptyNumbersAndLineEnds)
{
    const VoiceCsvResult result = ParseVoiceCsv(Csv("0,Piano,\"Piano - A \"\"B\"\", C;[D]\\\",0,113,0,1\r\n"
                                                    "\r\n"
                                                    "1,Organ,Organ - Rotor,0,117,,0\n"
                                                    "2,Organ,?,0,,,0\n",
                                                    3));
    ASSERT_FALSE(result.error) << result.error->reason;
    ASSERT_EQ(result.rows.size(), 880u);
    EXPECT_EQ(result.rows[0].name, "Piano - A \"B\", C;[D]\\");
    EXPECT_TRUE(result.rows[0].sourced);
    EXPECT_TRUE(result.rows[0].proOnly);
    EXPECT_EQ(result.rows[0].lsb, 113);
    // Any empty number leaves the row unsourced, whatever its name.
    EXPECT_FALSE(result.rows[1].sourced);
    EXPECT_EQ(result.rows[1].name, "Organ - Rotor");
    EXPECT_FALSE(result.rows[2].sourced);

    const std::string table = VoiceTableSource(result.rows);
    EXPECT_NE(table.find("/* 0 */ {\"Piano - A \\\"B\\\", C;[D]\\\\\", 0x7100, true},\n"), std::string::npos);
    EXPECT_NE(table.find("/* 1 */ {\"Organ - Rotor\", kUnsourcedVoice, false},\n"), std::string::npos);
    EXPECT_NE(table.find("/* 879 */ {\"Voice 879\", 0x1036F, false},\n"), std::string::npos);
}

TEST(VoiceCsv, FaultsNameTheLineAndTheRow)
{
    struct Case
    {
        std::string firstRows;
        int count;
        int line;
        std::string reason;
    };
    const Case cases[] = {
        {"0,Piano,\"Piano - Open,0,113,0,0\n", 1, 2, "a quoted field has no closing quote"},
        {"0,Piano,Piano - A,0,113,0,0\n1,Piano,Piano \"B\",0,112,0,0\n", 2, 3,
         "a double quote in a field that is not quoted"},
        {"0,Piano,\"A\"x,0,113,0,0\n", 1, 2, "text follows the closing quote"},
        {"0,Piano,Piano - A,0,113,0,0\n2,Piano,Piano - B,0,112,0,0\n", 2, 3,
         "numbered '2', expected 1 (rows must be 0..879 in order)"},
        {"0,Piano,Piano - A,0,113,256,0\n", 1, 2, "program 256 is above 255"},
        {"0,Piano,Piano - A,0,113,0000000000000256,0\n", 1, 2, "program 0000000000000256 is above 255"},
        {"0,Piano,Piano - A,0,x1,0,0\n", 1, 2, "LSB 'x1' is not a whole number"},
        {"0,Piano,Piano - A,-1,113,0,0\n", 1, 2, "MSB '-1' is not a whole number"},
        {"0,Piano,Piano - A,0,113,0\n", 1, 2, "6 fields instead of 7"},
        {"0,Piano,Piano - A,0,113,0,0\n\n1,Piano,Piano - B,0,113,0,0\n", 2, 4,
         "MSB 0, LSB 113, program 0 already belong to row 0"},
        {"0,Piano,Piano - A,0,113,0,yes\n", 1, 2, "pro_only 'yes' must be 0 or 1"},
        {"0,Piano,,0,113,0,0\n", 1, 2, "the name is empty"},
        {"0,Piano,Piano - Twenty-six characters,0,113,0,0\n", 1, 2, "the name is longer than 25 characters"},
        {"0,Piano,Piano - Caf\xC3\xA9,0,113,0,0\n", 1, 2,
         "the name holds characters other than printable ASCII"},
    };
    for (const Case& c : cases) {
        const VoiceCsvResult result = ParseVoiceCsv(Csv(c.firstRows, c.count));
        ASSERT_TRUE(result.error) << c.firstRows;
        EXPECT_EQ(result.error->line, c.line) << c.firstRows;
        EXPECT_EQ(result.error->reason, c.reason) << c.firstRows;
        EXPECT_EQ(DescribeVoiceCsvError("voices.csv", *result.error),
                  "voices.csv:" + std::to_string(c.line) + " (voice row " +
                      std::to_string(result.error->row) + "): " + c.reason);
    }
    // Unsourced rows may share numbers: they match nothing.
    EXPECT_FALSE(ParseVoiceCsv(Csv("0,Organ,Organ - A,0,113,,0\n1,Organ,Organ - B,0,113,,0\n", 2)).error);
}

TEST(VoiceCsv, RowCountHeaderAndEmptyFile)
{
    VoiceCsvResult result = ParseVoiceCsv(Csv("", 0, 879));
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->reason, "879 voice rows instead of 880");
    EXPECT_EQ(DescribeVoiceCsvError("v.csv", *result.error), "v.csv: 879 voice rows instead of 880");

    result = ParseVoiceCsv(Csv("", 0, 881));
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->line, 882);
    EXPECT_EQ(result.error->row, 880);
    EXPECT_EQ(result.error->reason, "more than 880 voice rows");

    result = ParseVoiceCsv("\n\nrow,name\n");
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->line, 3);
    EXPECT_EQ(result.error->reason, "the header must be 'row,group,name,msb,lsb,program,pro_only'");

    result = ParseVoiceCsv("\xEF\xBB\xBF\r\n");
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->reason, "the file is empty");
}

TEST(VoiceCsv, TheProjectsOwnDataPasses)
{
    const VoiceCsvResult result = ParseVoiceCsv(ReadText(TESSARO_SOURCE_DIR "/data/voices.csv"));
    ASSERT_FALSE(result.error) << DescribeVoiceCsvError("data/voices.csv", *result.error);
    int unsourced = 0;
    for (const VoiceCsvRow& row : result.rows) {
        unsourced += row.sourced ? 0 : 1;
    }
    EXPECT_EQ(unsourced, 3);
}

#ifdef TESSARO_VOICETABLE
// The generator the build runs: a good CSV gives the table, a broken one stops
// with the line and leaves no table behind.
TEST(VoiceTableGenerator, WritesTheTableOrStopsNamingTheLine)
{
    TempFolder folder;
    const std::string run = std::string(TESSARO_VOICETABLE) + " " + (folder / "voices.csv") + " " +
                            (folder / "VoiceTable.inc") + " 2>" + (folder / "log.txt");
    WriteText(folder / "voices.csv", Csv("", 0));
    ASSERT_EQ(std::system(run.c_str()), 0) << ReadText(folder / "log.txt");
    EXPECT_NE(ReadText(folder / "VoiceTable.inc").find("/* 879 */ {\"Voice 879\""), std::string::npos);

    WriteText(folder / "voices.csv", Csv("0,Piano,Piano - A,0,113,300,0\n", 1));
    EXPECT_NE(std::system(run.c_str()), 0);
    EXPECT_EQ(ReadText(folder / "log.txt"),
              (folder / "voices.csv") + ":2 (voice row 0): program 300 is above 255\n");
    EXPECT_FALSE(std::filesystem::exists(folder / "VoiceTable.inc"));
    EXPECT_FALSE(std::filesystem::exists(folder / "VoiceTable.inc.tmp"));
}
#endif

} // namespace
} // namespace tessaro

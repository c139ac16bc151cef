// Runs the build's CSV-to-table generator on small files, so a data edit that
// breaks the CSV stops the build with a message naming the row.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace tessaro {
namespace {

namespace fs = std::filesystem;

const std::string kHeader = "row,group,name,msb,lsb,program,pro_only\n";

// 880 rows: the given first lines, then unknown voices up to row 879.
std::string Csv(const std::string& firstRows, int firstCount, int total = 880)
{
    std::string csv = kHeader + firstRows;
    for (int row = firstCount; row < total; ++row) {
        csv += std::to_string(row) + ",Piano,?,0,,,0\n";
    }
    return csv;
}

class VoiceTableGeneratorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (std::system("cmake --version > /dev/null 2>&1") != 0) {
            GTEST_SKIP() << "cmake is not on the PATH";
        }
        // The process id keeps apart two checkouts testing at the same time.
        dir = fs::temp_directory_path() /
              ("tessaro-voicegen-" + std::to_string(::getpid()) + "-" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    // True when the generator succeeded; its messages land in log, as one line.
    bool Generate(const std::string& csv)
    {
        std::ofstream(dir / "voices.csv", std::ios::binary) << csv;
        const std::string command = "cmake -DCSV=" + (dir / "voices.csv").string() +
                                    " -DOUT=" + (dir / "VoiceTable.inc").string() + " -P " +
                                    TESSARO_SOURCE_DIR "/cmake/GenerateVoiceTable.cmake > " +
                                    (dir / "log.txt").string() + " 2>&1";
        const int status = std::system(command.c_str());
        log = Flattened(Read(dir / "log.txt"));
        table = fs::exists(dir / "VoiceTable.inc") ? Read(dir / "VoiceTable.inc") : "";
        return status == 0;
    }
    // CMake wraps its messages; join the lines so a phrase can be found whole.
    static std::string Flattened(const std::string& text)
    {
        std::string flat;
        for (char c : text) {
            const bool space = c == ' ' || c == '\n' || c == '\r';
            if (!space) {
                flat += c;
            } else if (!flat.empty() && flat.back() != ' ') {
                flat += ' ';
            }
        }
        return flat;
    }
    static std::string Read(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path dir;
    std::string log, table;
};

TEST_F(VoiceTableGeneratorTest, QuotedNamesAndUnknownVoices)
{
    ASSERT_TRUE(Generate(Csv("0,Piano,\"Piano - A \"\"B\"\", C;[D]\",0,113,0,1\n"
                             "1,Piano,Piano - Plain,0,112,0,0\r\n",
                             2)))
        << log;
    EXPECT_NE(table.find("{\"Piano - A \\\"B\\\", C;[D]\", 0x7100, true}"), std::string::npos) << table;
    EXPECT_NE(table.find("{\"Piano - Plain\", 0x7000, false}"), std::string::npos) << table;
    EXPECT_NE(table.find("/* 879 */ {\"\", kUnsourcedVoice, false}"), std::string::npos) << table;
}

TEST_F(VoiceTableGeneratorTest, MalformedRowsStopTheBuildNamingTheRow)
{
    struct Case
    {
        std::string firstRows;
        int count;
        std::string expected;
    };
    const Case cases[] = {
        {"0,Piano,\"Piano - Open,0,113,0,0\n", 1, "voice row 0): a quoted field has no closing quote"},
        {"0,Piano,Piano - A,0,113,0,0\n1,Piano,Piano \"B\",0,112,0,0\n", 2, "voice row 1)"},
        {"0,Piano,Piano - A,0,113,0,0\n2,Piano,Piano - B,0,112,0,0\n", 2, "numbered '2', expected 1"},
        {"0,Piano,Piano - A,0,113,256,0\n", 1, "program 256 is above 255"},
        {"0,Piano,Piano - A,0,113,,0\n", 1, "program '' is not a whole number"},
        {"0,Piano,Piano - A,0,113,0\n", 1, "6 fields instead of 7"},
        {"0,Piano,Piano - A,0,113,0,0\n1,Piano,Piano - B,0,113,0,0\n", 2, "already belong to row 0"},
        {"0,Piano,Piano - A,0,113,0,yes\n", 1, "pro_only 'yes' must be 0 or 1"},
        {"0,Piano,,0,113,0,0\n", 1, "voice row 0): the name is empty"},
        {"0,Piano,Piano - Twenty-six characters,0,113,0,0\n", 1, "longer than 25"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(Generate(Csv(c.firstRows, c.count))) << c.firstRows;
        EXPECT_NE(log.find(c.expected), std::string::npos) << c.firstRows << "\n" << log;
        EXPECT_EQ(table, "") << "no table may be left behind";
    }
}

TEST_F(VoiceTableGeneratorTest, RowCountMustBe880)
{
    EXPECT_FALSE(Generate(Csv("", 0, 879)));
    EXPECT_NE(log.find("879 voice rows instead of 880"), std::string::npos) << log;
    EXPECT_FALSE(Generate(Csv("", 0, 881)));
    EXPECT_NE(log.find("voice row 880): more than 880"), std::string::npos) << log;
    EXPECT_FALSE(Generate("row,name\n"));
    EXPECT_NE(log.find("the header must be"), std::string::npos) << log;
}

} // namespace
} // namespace tessaro

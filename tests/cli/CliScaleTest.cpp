// tessaro-cli with long work: silent on stderr unless --progress asks, and a
// file too large for memory refused by name and size instead of growing.

#include "cli/CliTestSupport.h"

#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

namespace tessaro {
namespace {

using namespace clitest;
using testing::ReadText;

std::vector<MdbEntry> ManyRecords(int count)
{
    std::vector<MdbEntry> records;
    for (int i = 0; i < count; ++i)
        records.push_back(Record("C" + std::to_string(i % 9), "T" + std::to_string(i), 1, 100));
    return records;
}

TEST_F(CliTest, ProgressGoesToStderrOnlyWhenAskedAndLeavesStdoutAsItWas)
{
    const std::string path = WriteArchive("many.mdx", ManyRecords(5000));
    const CliRun quiet = Cli({"report", path, "--tabs"});
    ASSERT_EQ(quiet.status, 0) << quiet.err;
    EXPECT_EQ(quiet.err, "");

    const CliRun told = Cli({"report", path, "--tabs", "--progress"});
    ASSERT_EQ(told.status, 0) << told.err;
    EXPECT_EQ(told.out, quiet.out);
    // The load, then the report, each from 0 % to 100 %.
    EXPECT_TRUE(Has(told.err, "tessaro-cli: Loading... 0%\n")) << told.err;
    EXPECT_TRUE(Has(told.err, "tessaro-cli: Loading... 100%\n")) << told.err;
    EXPECT_TRUE(Has(told.err, "tessaro-cli: Writing the report... 100%\n")) << told.err;
    EXPECT_LT(told.err.find("Loading... 100%"), told.err.find("Writing the report... 0%"));

    const CliRun converted = Cli({"convert", path, folder / "copy.mdx", "--progress"});
    ASSERT_EQ(converted.status, 0) << converted.err;
    EXPECT_TRUE(Has(converted.err, "tessaro-cli: Saving... 100%\n")) << converted.err;
    EXPECT_EQ(std::filesystem::file_size(folder / "copy.mdx"), std::filesystem::file_size(path));
}

TEST_F(CliTest, AnArchiveTooLargeForMemoryIsRefusedWithItsNameAndSize)
{
    // Sparse: 4 GB that take no room on the disk. Under a 1 GB limit the CLI
    // must say no at once rather than grow until it is stopped.
    const std::string path = folder / "huge.mdx";
    const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "%%%MDB-Archiv%%%", 16), 16);
    ASSERT_EQ(::ftruncate(fd, 4'000'000'016), 0);
    ::close(fd);

    for (const char* run : {" info ", " check "}) {
        const std::string command = "cd " + Quoted(folder.path().string()) + " && ulimit -v 1048576 && " +
                                    Quoted(TESSARO_CLI) + run + Quoted(path) + " >" + Quoted(folder / "out") +
                                    " 2>" + Quoted(folder / "err");
        const int raw = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(raw));
        EXPECT_EQ(WEXITSTATUS(raw), 1);
        const std::string err = ReadText(folder / "err");
        EXPECT_TRUE(Has(err, "huge.mdx is 4000000016 bytes long: too large for the memory")) << run << err;
        EXPECT_FALSE(Has(err, "%")) << run << err; // every placeholder filled
        EXPECT_EQ(ReadText(folder / "out"), "");
    }
}

} // namespace
} // namespace tessaro

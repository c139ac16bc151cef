// tessaro-cli running out of memory anywhere in a command: the command stops
// with a message and a failure status, and every file on disk stays whole.
// The commands run in this process, so that allocations can fail on demand.

#include "cli/Commands.h"
#include "data/ArchiveFile.h"
#include "data/MdbFile.h"
#include "support/AllocationFailure.h"
#include "support/DataTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace tessaro {
namespace {

using testing::ReadText;
using testing::TempFolder;
using testing::WriteText;

struct Command
{
    const char* name;
    std::function<int(const cli::CliOptions&)> run;
    cli::CliOptions options;
    int failure = 1;
};

cli::CliOptions Options(std::vector<std::string> files, std::optional<std::string> output = std::nullopt)
{
    cli::CliOptions options;
    options.files = std::move(files);
    options.output = std::move(output);
    return options;
}

TEST(CliOutOfMemory, EveryCommandStopsWithAMessageAndLeavesTheFilesWhole)
{
    TempFolder folder;
    std::mt19937 rng(1);
    std::vector<MdbEntry> records;
    for (int i = 0; i < 120; ++i)
        records.push_back(testing::AdversarialRecord(rng));
    const std::string archive = folder / "in.mdx";
    const std::string mdb = folder / "MDB.bup";
    ASSERT_EQ(WriteArchiveFile(archive, SourceOf(records)), std::nullopt);
    const std::vector<MdbEntry> some(records.begin(), records.begin() + 40);
    ASSERT_EQ(WriteMdbFile(mdb, SourceOf(some), KeyboardModel::Psr9000), std::nullopt);
    ASSERT_EQ(cli::RunExport(Options({archive}, folder / "in.csv")), 0);
    for (const char* kept : {"keep.mdx", "keep.bup", "keep.csv", "keep.txt"})
        WriteText(folder / kept, "keep me");
    const std::vector<std::string> names = folder.Names();

    cli::CliOptions check = Options({archive});
    check.target = KeyboardModel::Psr9000;
    const std::vector<Command> commands = {
        {"import", cli::RunImport, Options({folder / "in.csv", folder / "keep.mdx"})},
        {"import to an MDB", cli::RunImport, Options({folder / "in.csv", folder / "keep.bup"})},
        {"export", cli::RunExport, Options({archive}, folder / "keep.csv")},
        {"report", cli::RunReport, Options({archive}, folder / "keep.txt")},
        {"convert", cli::RunConvert, Options({archive, folder / "keep.mdx"})},
        {"diff", cli::RunDiff, Options({archive, mdb}), 2},
        {"duplicates", cli::RunDuplicates, Options({archive})},
        {"check --for", cli::RunCheck, check},
        {"list", cli::RunList, Options({mdb})},
    };
    for (const Command& command : commands) {
        int failures = 0;
        for (long n = 0; n < 1'000'000; n += n < 48 ? 1 : 211) {
            ::testing::internal::CaptureStdout();
            ::testing::internal::CaptureStderr();
            testing::FailAllocationAfter(n);
            const int status = cli::RunWithinMemory([&] { return command.run(command.options); }, command.failure);
            const bool failed = testing::DisarmAllocationFailure();
            ::testing::internal::GetCapturedStdout();
            const std::string err = ::testing::internal::GetCapturedStderr();
            if (!failed || status != command.failure) {
                // Through: no allocation failed, or the failing one was not needed (a folder's sync).
                for (const char* kept : {"keep.mdx", "keep.bup", "keep.csv", "keep.txt"})
                    WriteText(folder / kept, "keep me");
                if (!failed)
                    break;
                continue;
            }
            ++failures;
            ASSERT_NE(err.find("memory"), std::string::npos) << command.name << ", allocation " << n << ": " << err;
            for (const char* kept : {"keep.mdx", "keep.bup", "keep.csv", "keep.txt"})
                ASSERT_TRUE(ReadText(folder / kept) == "keep me") << kept << ": " << command.name << ", allocation " << n << ": " << err;
            ASSERT_EQ(folder.Names(), names) << command.name << ": a temporary file was left, allocation " << n;
        }
        EXPECT_GT(failures, 48) << command.name;
    }
}

} // namespace
} // namespace tessaro

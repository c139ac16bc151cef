// tessaro-cli, run as a separate process on files in a temporary folder: each
// command, each exit status, and the same bytes as the editor's own code gives.

#include "cli/CliTestSupport.h"

#include <sys/stat.h>

namespace tessaro {
namespace {

#ifdef TESSARO_CLI

using namespace clitest;
using testing::Bytes;
using testing::ReadBytes;
using testing::ReadText;
using testing::WriteBytes;

// ---- usage ----------------------------------------------------------------------

TEST_F(CliTest, HelpListsEveryCommand)
{
    const CliRun run = Cli({"--help"});
    EXPECT_EQ(run.status, 0);
    for (const char* usage :
         {"report FILE [--tabs] [--flash factory|default|STYFILE] [--model 9000|pro] [-o OUT]", "list FILE",
          "info FILE", "check FILE [--for 9000|pro]", "convert IN OUT [--model 9000|pro]",
          "voices [--model 9000|pro]", "styles [--model 9000|pro] [--flash factory|default|STYFILE]",
          "export FILE [--model 9000|pro] [--flash factory|default|STYFILE] [-o OUT.csv]",
          "import IN.csv OUT [--model 9000|pro]", "diff A B", "duplicates FILE", "--version"})
        EXPECT_TRUE(Has(run.out, usage)) << usage;
    EXPECT_EQ(Cli({"report", "--help"}).status, 0);
}

TEST_F(CliTest, UsageErrorsExitWithTwoAndTouchNoFile)
{
    const std::string mdb = WriteMdb("MDB.bup", KeyboardModel::Psr9000);
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"frobnicate", mdb},
        {"make-examples", "examples"}, // a developer's program of its own
        {"report"},
        {"report", mdb, mdb},
        {"report", mdb, "--model", "8000"},
        {"report", mdb, "--model"},
        {"report", mdb, "-o"},
        {"list", mdb, "--tabs"},
        {"check", mdb, "--model", "pro"},
        {"convert", mdb},
        {"convert", mdb, folder / "out.mdx", "--tabs"},
        {"voices", mdb},
        {"voices", "--flash", "default"},
        {"styles", "--tabs"},
        {"export"},
        {"export", mdb, "--tabs"},
        {"import", folder / "in.csv"},
        {"import", folder / "in.csv", folder / "out.mdx", "-o", folder / "x"},
        {"diff", mdb},
        {"diff", mdb, mdb, "--model", "pro"},
        {"check", mdb, "--for", "8000"},
        {"check", mdb, "--for"},
        {"duplicates", mdb, "--for", "pro"},
    };
    for (const auto& args : wrong) {
        const CliRun run = Cli(args);
        EXPECT_EQ(run.status, 2) << (args.empty() ? "(none)" : args[0]);
        EXPECT_FALSE(run.err.empty());
        EXPECT_TRUE(run.out.empty());
    }
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"MDB.bup"});
}

// ---- report ---------------------------------------------------------------------

TEST_F(CliTest, ReportIsByteForByteTheEditorsReport)
{
    const std::string mdb = WriteMdb("MDB_Pro.bup", KeyboardModel::Psr9000Pro);
    const std::string archive = WriteArchive("Arch.mdx");

    CliRun run = Cli({"report", mdb});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, EditorReport(mdb, ReportKind::Formatted, false, true));
    // The MDB's own model gives the PSR-9000pro factory name.
    EXPECT_TRUE(Has(run.out, "Flash IV - Vocal Swing"));

    run = Cli({"report", archive, "--tabs"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, EditorReport(archive, ReportKind::Tabs, true, false));
    // An archive has no model: the PSR-9000's names.
    EXPECT_TRUE(Has(run.out, "Flash IV - <11>"));

    EXPECT_EQ(Cli({"report", archive, "--tabs", "-o", folder / "r.txt"}).status, 0);
    EXPECT_EQ(ReadText(folder / "r.txt"), run.out);
    // "-o -" is standard output, not a file named "-".
    EXPECT_EQ(Cli({"report", archive, "--tabs", "-o", "-"}).out, run.out);
    EXPECT_FALSE(std::filesystem::exists(folder / "-"));
}

TEST_F(CliTest, ReportFlashNamesFollowModelAndChoice)
{
    const std::string mdb = WriteMdb("MDB_Pro.bup", KeyboardModel::Psr9000Pro);
    const std::string archive = WriteArchive("Arch.mdx");
    EXPECT_TRUE(Has(Cli({"report", mdb, "--model", "9000"}).out, "| Flash IV - <11>  "));
    EXPECT_TRUE(Has(Cli({"report", archive, "--model", "pro"}).out, "| Flash IV - Vocal Swing  "));
    EXPECT_TRUE(Has(Cli({"report", mdb, "--flash", "default"}).out, "| Flash IV - <11>  "));
    EXPECT_TRUE(Has(Cli({"report", mdb, "--flash", "factory"}).out, "| Flash IV - Vocal Swing  "));

    // A flash-style backup: signature, 16 skipped bytes, a 512-byte record per style.
    Bytes sty(61472, 0);
    sty[1] = 0x60;
    sty[5] = 0x20;
    const std::string name = "My Swing";
    std::copy(name.begin(), name.end(), sty.begin() + 32 + 512 * 55);
    WriteBytes(folder / "STY.bup", sty);
    CliRun run = Cli({"report", mdb, "--flash", folder / "STY.bup"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(Has(run.out, "| Flash IV - My Swing  "));

    // A refused flash-style file: its message, nothing on stdout.
    sty[0] = 1;
    WriteBytes(folder / "STY.bup", sty);
    run = Cli({"report", mdb, "--flash", folder / "STY.bup"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Has(run.err, "STY.bup: The Flash-Style information is not included in this file / backup!"));
    EXPECT_EQ(run.out, "");
}

TEST_F(CliTest, ReportThatCannotBeWrittenFailsAndLeavesTheOldFile)
{
    const std::string mdb = WriteMdb("MDB.bup", KeyboardModel::Psr9000);
    CliRun run = Cli({"report", mdb, "-o", folder / "missing/r.txt"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Has(run.err, "missing/r.txt: Error creating protocol file!"));
}

// ---- loading --------------------------------------------------------------------

TEST_F(CliTest, KindIsToldByContentNotByName)
{
    const std::string archiveNamedBup = WriteArchive("MDB.bup");
    const std::string mdbNamedMdx = WriteMdb("Arch.mdx", KeyboardModel::Psr9000);
    EXPECT_TRUE(Has(Cli({"info", archiveNamedBup}).out, "Kind:       MDB archive"));
    EXPECT_TRUE(Has(Cli({"info", mdbNamedMdx}).out, "Kind:       MDB backup file"));
}

TEST_F(CliTest, RefusedFilesExitWithOneAndTheEditorsMessage)
{
    WriteBytes(folder / "short.bup", Bytes(177435, 0));
    Bytes foreign(177436, 0);
    foreign[16] = 'X';
    WriteBytes(folder / "foreign.bup", foreign);
    // The archive's magic in other letters: an archive with a wrong magic, not an MDB of a wrong size.
    const std::string badArchive = WriteArchive("bad.mdx");
    Bytes bytes = ReadBytes(badArchive);
    bytes[3] = 'm';
    WriteBytes(badArchive, bytes);
    // Without the magic it is no archive, so the MDB reader has the say.
    WriteBytes(folder / "notes.mdx", Bytes(100, 'x'));
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);

    struct Case
    {
        std::string file, message;
    };
    // Every "Error opening file!" says why.
    const std::vector<Case> cases = {
        {folder / "none.bup", "none.bup: Error opening file! (No such file or directory)"},
        {folder / "short.bup", "short.bup: Invalid file size!"},
        {folder / "foreign.bup", "foreign.bup: This file doesn't contain a valid PSR9000 or 9000Pro MDB!"},
        {badArchive, "bad.mdx: This file doesn't contain a valid MDB archive!"},
        {folder / "notes.mdx", "notes.mdx: Invalid file size!"},
        {folder.path().string(), ": Error opening file! (Is a directory)"},
        {folder / "fifo", "fifo: Error opening file! (not a regular file)"},
        {folder / std::string(300, 'n'), "nnn: Error opening file! (File name too long)"},
    };
    for (const Case& c : cases) {
        for (const char* command : {"report", "list", "info", "check"}) {
            const CliRun run = Cli({command, c.file});
            EXPECT_EQ(run.status, 1) << command << " " << c.file;
            EXPECT_TRUE(Has(run.err, c.message)) << command << ": " << run.err;
            EXPECT_EQ(run.out, "") << command;
        }
        EXPECT_EQ(Cli({"convert", c.file, folder / "out.mdx"}).status, 1);
        EXPECT_FALSE(std::filesystem::exists(folder / "out.mdx"));
    }
}

TEST_F(CliTest, ControlCharactersInNamesAreEscaped)
{
    const std::string name = "a\x1b]0;owned\x07"
                             "b\nc\xC2\x9B\xFF\xC3\xA9.bup";
    const std::string shown = "a\\x1b]0;owned\\x07b\\x0ac\\xc2\\x9b\\xff\xC3\xA9.bup";
    CliRun run = Cli({"info", folder / name});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Has(run.err, shown + ": Error opening file!")) << run.err;
    EXPECT_FALSE(Has(run.err, "\x1b"));

    WriteMdb(name, KeyboardModel::Psr9000);
    run = Cli({"info", folder / name});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(Has(run.out, "File:       " + (folder / "") + shown + "\n")) << run.out;
    EXPECT_TRUE(Has(Cli({"check", folder / name}).out, shown + ": OK"));
}

TEST_F(CliTest, AnArchiveCutOffInARecordFailsCheckAndWarnsElsewhere)
{
    const std::string archive = WriteArchive("Cut.mdx");
    Bytes bytes = ReadBytes(archive);
    bytes.resize(bytes.size() - 100); // the last record cut off after 188 bytes
    WriteBytes(archive, bytes);

    CliRun run = Cli({"check", archive});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Has(run.err, "Cut.mdx: the archive ends in 188 bytes that are not a whole record"))
        << run.err;
    EXPECT_EQ(run.out, "");
    for (const char* command : {"info", "list", "report"}) {
        run = Cli({command, archive});
        EXPECT_EQ(run.status, 0) << command;
        EXPECT_TRUE(Has(run.err, "Cut.mdx: warning: the archive ends in 188 bytes")) << command;
    }
    EXPECT_TRUE(Has(Cli({"info", archive}).out, "Entries:    4\n"));
    run = Cli({"convert", archive, folder / "whole.mdx"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(Has(run.err, "warning: the archive ends in 188 bytes"));
    EXPECT_EQ(Cli({"check", folder / "whole.mdx"}).status, 0);
}

TEST_F(CliTest, OutputThatCannotBeWrittenFails)
{
    const std::string mdb = WriteMdb("MDB.bup", KeyboardModel::Psr9000);
    const std::vector<std::vector<std::string>> commands = {
        {"--help"}, {"report", mdb}, {"report", mdb, "-o", "-"}, {"list", mdb}, {"info", mdb}, {"check", mdb},
    };
    for (const auto& args : commands) {
        const CliRun run = Cli(args, "/dev/full");
        EXPECT_EQ(run.status, 1) << args[0];
        EXPECT_TRUE(Has(run.err, "standard output: write error")) << args[0] << ": " << run.err;
    }
    // diff: 1 would say the files differ; 2 is its failure, as its help says.
    const CliRun diff = Cli({"diff", mdb, WriteArchive("Other.mdx", {Record("Pop", "Other", 0, 90)})}, "/dev/full");
    EXPECT_EQ(diff.status, 2);
    EXPECT_TRUE(Has(diff.err, "standard output: write error")) << diff.err;
    EXPECT_TRUE(Has(Cli({"--help"}).out, "2 for a usage error, a\n           refused file or output that cannot be written."));
}

TEST_F(CliTest, ListShowsControlCharactersInTitlesEscaped)
{
    const std::string archive = WriteArchive("c.mdx", {Record("Pop\x1B[2J", "Bell\x07 \\ x", 0, 90)});
    const CliRun run = Cli({"list", archive});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(Has(run.out, "Pop\\x1b[2J\n")) << run.out;
    EXPECT_TRUE(Has(run.out, "\tBell\\x07 \\\\ x ")) << run.out;
    EXPECT_EQ(run.out.find('\x1B'), std::string::npos);
    EXPECT_EQ(run.out.find('\x07'), std::string::npos);
}

TEST_F(CliTest, BadChecksumWarnsButOnlyCheckFails)
{
    const std::string mdb = WriteMdb("MDB.bup", KeyboardModel::Psr9000);
    Bytes bytes = ReadBytes(mdb);
    bytes[24 + 288 * 600] ^= 1; // an unused slot: the entries are unchanged
    WriteBytes(mdb, bytes);

    CliRun run = Cli({"info", mdb});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(Has(run.out, "Checksum:   bad"));
    EXPECT_TRUE(Has(run.err, "MDB.bup: warning: Invalid checksum!"));
    for (const char* command : {"report", "list"}) {
        run = Cli({command, mdb});
        EXPECT_EQ(run.status, 0) << command;
        EXPECT_TRUE(Has(run.err, "warning: Invalid checksum!")) << command;
    }
    run = Cli({"check", mdb});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Has(run.err, "MDB.bup: Invalid checksum!"));
}

// ---- info, check, list ----------------------------------------------------------

TEST_F(CliTest, InfoTellsKindModelChecksumAndCounts)
{
    CliRun run = Cli({"info", WriteMdb("MDB_Pro.bup", KeyboardModel::Psr9000Pro)});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(Has(run.out, "Kind:       MDB backup file\n"));
    EXPECT_TRUE(Has(run.out, "Model:      PSR-9000pro\n"));
    EXPECT_TRUE(Has(run.out, "Checksum:   good\n"));
    EXPECT_TRUE(Has(run.out, "Entries:    5\n"));
    EXPECT_TRUE(Has(run.out, "Categories: 3\n"));

    run = Cli({"info", WriteArchive("Arch.mdx", {})});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(Has(run.out, "Entries:    0\n"));
    EXPECT_TRUE(Has(run.out, "Categories: 0\n"));
}

TEST_F(CliTest, CheckPassesGoodFiles)
{
    CliRun run = Cli({"check", WriteMdb("MDB.bup", KeyboardModel::Psr9000)});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(Cli({"check", WriteArchive("Arch.mdx")}).status, 0);
}

TEST_F(CliTest, ListShowsTheTreeInUtf8)
{
    const CliRun run = Cli({"list", WriteMdb("MDB.bup", KeyboardModel::Psr9000)});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Pop\n"
                       "\tEarly                (Heart Beat,  90)\n"
                       "\tSunny Day            (Heart Beat, 120)\n"
                       "\t     Bridge             (Heart Beat, 120)\n"
                       "Jazz\n"
                       "\tCaf\xC3\xA9 Swing           (Flash IV - <11>, 160)\n"
                       "Latin\n"
                       "\tDisk Groove          (DiskStyle 1, 100)\n");
}

TEST_F(CliTest, ListShowsOneAmpersandWhereTheReportKeepsTheStoredPair)
{
    // Style 24 is stored as "Slow && Easy", style 62 as "Modern R&B".
    const std::string mdb =
        WriteMdb("MDB.bup", KeyboardModel::Psr9000,
                 {Record("Rock&&Roll", "Tom && Jerry", 24, 100), Record("Rock&&Roll", "R&B Night", 62, 96)});
    const CliRun list = Cli({"list", mdb});
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out, "Rock&Roll\n"
                        "\tTom & Jerry         (Slow & Easy, 100)\n"
                        "\tR&B Night            (Modern R&B,  96)\n");
    const CliRun report = Cli({"report", mdb});
    EXPECT_TRUE(Has(report.out, "Tom && Jerry")) << report.out;
    EXPECT_TRUE(Has(report.out, "Slow && Easy")) << report.out;
}

// ---- convert --------------------------------------------------------------------

TEST_F(CliTest, ConvertWritesTheTreeAsArchiveOrMdb)
{
    const std::string mdb = WriteMdb("MDB_Pro.bup", KeyboardModel::Psr9000Pro);
    const Bytes original = ReadBytes(mdb);

    ASSERT_EQ(Cli({"convert", mdb, folder / "out.mdx"}).status, 0);
    EXPECT_EQ(ReadBytes(mdb), original);
    // Both hold the entries in tree order; the report of each is the same.
    const std::string report = Cli({"report", mdb, "--model", "pro"}).out;
    EXPECT_EQ(Cli({"report", folder / "out.mdx", "--model", "pro"}).out, report);
    EXPECT_EQ(ReadBytes(folder / "out.mdx").size(), 16u + 5 * 288);

    // Back to an MDB: its model is --model, else the input MDB's, else the PSR-9000.
    ASSERT_EQ(Cli({"convert", folder / "out.mdx", folder / "a.BUP"}).status, 0);
    EXPECT_TRUE(Has(Cli({"info", folder / "a.BUP"}).out, "Model:      PSR-9000\n"));
    ASSERT_EQ(Cli({"convert", folder / "out.mdx", folder / "b.bup", "--model", "pro"}).status, 0);
    EXPECT_TRUE(Has(Cli({"info", folder / "b.bup"}).out, "Model:      PSR-9000pro\n"));
    ASSERT_EQ(Cli({"convert", mdb, folder / "c.bup"}).status, 0);
    EXPECT_EQ(ReadBytes(folder / "c.bup"), original); // loaded in tree order, saved the same
    EXPECT_EQ(Cli({"check", folder / "c.bup"}).status, 0);
}

TEST_F(CliTest, ConvertRefusesMoreThan616EntriesForAnMdb)
{
    std::vector<MdbEntry> records(617, Record("Pop", "Same", 1, 100));
    const std::string archive = WriteArchive("Big.mdx", records);
    const CliRun run = Cli({"convert", archive, folder / "MDB.bup"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Has(run.err, "The MDB contains more than 616 entries!"));
    EXPECT_FALSE(std::filesystem::exists(folder / "MDB.bup"));

    records.pop_back();
    WriteArchive("Big.mdx", records);
    EXPECT_EQ(Cli({"convert", archive, folder / "MDB.bup"}).status, 0);
    EXPECT_TRUE(Has(Cli({"info", folder / "MDB.bup"}).out, "Entries:    616\n"));
}

TEST_F(CliTest, ConvertKeepsABlankSignatureBlankUnlessAModelIsGiven)
{
    const std::string mdb = WriteMdb("MDB.bup", KeyboardModel::Psr9000);
    Bytes bytes = ReadBytes(mdb);
    std::fill(bytes.begin() + 16, bytes.begin() + 24, 0); // the checksum leaves the header out
    WriteBytes(mdb, bytes);
    EXPECT_TRUE(Has(Cli({"info", mdb}).out, "Model:      PSR-9000 (blank signature)"));

    ASSERT_EQ(Cli({"convert", mdb, folder / "same.bup"}).status, 0);
    Bytes out = ReadBytes(folder / "same.bup");
    ASSERT_EQ(out.size(), 177436u);
    EXPECT_EQ(Bytes(out.begin() + 16, out.begin() + 24), Bytes(8, 0));

    // An explicit model writes that model's signature.
    ASSERT_EQ(Cli({"convert", mdb, folder / "pro.bup", "--model", "pro"}).status, 0);
    out = ReadBytes(folder / "pro.bup");
    EXPECT_EQ(std::string(out.begin() + 16, out.begin() + 24), "MDB9P100");
    EXPECT_TRUE(Has(Cli({"info", folder / "pro.bup"}).out, "Model:      PSR-9000pro\n"));
    ASSERT_EQ(Cli({"convert", mdb, folder / "9000.bup", "--model", "9000"}).status, 0);
    out = ReadBytes(folder / "9000.bup");
    EXPECT_EQ(std::string(out.begin() + 16, out.begin() + 24), "MDB9_100");
}

TEST_F(CliTest, ConvertThatCannotWriteFailsAndNamesTheFile)
{
    const std::string mdb = WriteMdb("MDB.bup", KeyboardModel::Psr9000);
    CliRun run = Cli({"convert", mdb, folder / "missing/out.mdx"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Has(run.err, "missing/out.mdx: Error saving archive to disk!"));
    run = Cli({"convert", mdb, folder / "missing/out.bup"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Has(run.err, "missing/out.bup: Error saving MDB to disk!"));
}

// Runs the command (after "tessaro-cli") onto a nearly full disk, where a small
// file system can be mounted without being root (a user and mount namespace of
// its own); its exit status, 77 where no such disk can be had. The MDB lies
// on the disk as MDB.bup beforehand; 99 when the command changed it.
int OntoANearlyFullDisk(const std::string& mdb, const std::string& disk, const std::string& command,
                        const std::string& err, const std::string& listing)
{
    // 256 KB hold the old MDB but not a second copy of it beside.
    const std::string script =
        "mount -t tmpfs -o size=256k tessaro-test " + Quoted(disk) + " || exit 77; " + "cp " + Quoted(mdb) +
        " " + Quoted(disk + "/MDB.bup") + " && " + Quoted(TESSARO_CLI) + " " + command + " 2>" + Quoted(err) +
        "; status=$?; " + "cmp -s " + Quoted(mdb) + " " + Quoted(disk + "/MDB.bup") + " || status=99; ls -A " +
        Quoted(disk) + " >" + Quoted(listing) + "; exit $status";
    const int raw = std::system(("unshare -rm sh -c " + Quoted(script) + " 2>/dev/null").c_str());
    const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return status == 127 || (status == 1 && ReadText(err).empty()) ? 77 : status;
}

TEST_F(CliTest, ConvertAndImportOntoANearlyFullDiskRefuseAndSayWhy)
{
    const std::string mdb = WriteMdb("MDB_Pro.bup", KeyboardModel::Psr9000Pro);
    const std::string disk = folder / "floppy";
    std::filesystem::create_directory(disk);
    ASSERT_EQ(Cli({"export", mdb, "-o", folder / "x.csv"}).status, 0);
    for (const std::string& command :
         {"convert " + Quoted(mdb) + " " + Quoted(disk + "/MDB.bup") + " --model 9000",
          "import " + Quoted(folder / "x.csv") + " " + Quoted(disk + "/MDB.bup") + " --model 9000"}) {
        const int status = OntoANearlyFullDisk(mdb, disk, command, folder / "stderr", folder / "stdout");
        if (status == 77)
            GTEST_SKIP() << "no small file system can be mounted here";
        EXPECT_EQ(status, 1) << command << ": 99: the file on the full disk was changed";
        const std::string err = ReadText(folder / "stderr");
        EXPECT_TRUE(Has(err, "MDB.bup: not enough free space for a safe save")) << err;
        EXPECT_FALSE(Has(err, "?")) << command << ": no question the tool cannot ask: " << err;
        EXPECT_EQ(ReadText(folder / "stdout"), "MDB.bup\n"); // no temporary file left behind
    }
}

TEST_F(CliTest, WritesThatFailNameTheFileAndTheSystemsReason)
{
    const std::string mdb = WriteMdb("MDB.bup", KeyboardModel::Psr9000);
    const std::string missing = folder / "missing/out";
    CliRun run = Cli({"export", mdb, "-o", missing + ".csv"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Has(run.err, "missing/out.csv: the CSV file cannot be written (No such file or directory)"))
        << run.err;
    run = Cli({"report", mdb, "-o", missing + ".txt"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Has(run.err, "missing/out.txt: ")) << run.err;
    EXPECT_TRUE(Has(run.err, "(No such file or directory)")) << run.err;
    run = Cli({"convert", mdb, missing + ".mdx"});
    EXPECT_TRUE(Has(run.err, "missing/out.mdx: Error saving archive to disk! (No such file or directory)"))
        << run.err;
    ASSERT_EQ(Cli({"export", mdb, "-o", folder / "x.csv"}).status, 0);
    run = Cli({"import", folder / "x.csv", missing + ".bup"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Has(run.err, "missing/out.bup: Error saving MDB to disk! (No such file or directory)"))
        << run.err;
}

// ---- the demo files -------------------------------------------------------------

TEST_F(CliTest, CommittedExamplesAreWhatTheGeneratorMakes)
{
    const CliRun run = Run(TESSARO_MAKE_EXAMPLES, {folder / "examples"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::filesystem::path committed = std::filesystem::path(TESSARO_SOURCE_DIR) / "examples";
    for (const char* name :
         {"Demo.buf/MDB.bup", "Demo.buf/BACKUP.INI", "Demo.buf/STYLES.bup", "Demo.mdx", "Demo.csv"}) {
        const Bytes made = ReadBytes(folder / (std::string("examples/") + name));
        EXPECT_FALSE(made.empty()) << name;
        EXPECT_EQ(made, ReadBytes((committed / name).string())) << name << " is stale: run make examples";
    }
    EXPECT_EQ(Cli({"check", folder / "examples/Demo.buf/MDB.bup"}).status, 0);
    EXPECT_EQ(Cli({"check", folder / "examples/Demo.mdx"}).status, 0);
}

#endif // TESSARO_CLI

} // namespace
} // namespace tessaro

// tessaro-cli, run as a separate process on files in a temporary folder: each
// command, each exit status, and the same bytes as the editor's own code gives.

#include "catalogue/StyleCatalogue.h"
#include "data/DataTestSupport.h"
#include "data/MdbFile.h"
#include "edit/PaneLoad.h"
#include "edit/PaneState.h"
#include "edit/Reports.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace tessaro {
namespace {

#ifdef TESSARO_CLI

using testing::Bytes;
using testing::ReadBytes;
using testing::ReadText;
using testing::TempFolder;
using testing::WriteBytes;

struct CliRun
{
    int status = -1;
    std::string out;
    std::string err;
};

std::string Quoted(const std::string& arg)
{
    std::string quoted = "'";
    for (char c : arg)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Flash style f = 55 (bank IV slot 11): a factory name on the PSR-9000pro only.
constexpr uint8_t kVocalSwing = 125 + 55;

MdbEntry Record(const std::string& category, const std::string& title, uint8_t style, uint16_t tempo)
{
    MdbEntry record;
    record.bytes()[kInUseOffset] = 1;
    record.SetCategory(category);
    record.SetTitle(title);
    record.setStyleNumber(style);
    record.setTempo(tempo);
    record.setVoice(HandVoice::R1, {0, 112, 0});
    record.setVoiceOn(HandVoice::R1, true);
    return record;
}

std::vector<MdbEntry> SampleRecords()
{
    // In tree order, so that a file saved from the loaded tree is the same file.
    return {Record("Pop", "Early", 0, 90), Record("Pop", "Sunny Day", 0, 120),
            Record("Pop", "  Bridge", 0, 120), Record("Jazz", "Caf\xE9 Swing", kVocalSwing, 160),
            Record("Latin", "Disk Groove", 250, 100)};
}

class CliTest : public ::testing::Test
{
protected:
    void TearDown() override { StyleCatalogue::Instance().SetFlashNamesDefault(); }

    CliRun Cli(const std::vector<std::string>& args)
    {
        std::string command = Quoted(TESSARO_CLI);
        for (const std::string& arg : args)
            command += " " + Quoted(arg);
        command += " >" + Quoted(folder / "stdout") + " 2>" + Quoted(folder / "stderr");
        const int raw = std::system(command.c_str());
        CliRun run;
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.out = ReadText(folder / "stdout");
        run.err = ReadText(folder / "stderr");
        std::filesystem::remove(folder / "stdout");
        std::filesystem::remove(folder / "stderr");
        return run;
    }

    std::string WriteMdb(const std::string& name, KeyboardModel model,
                         const std::vector<MdbEntry>& records = SampleRecords())
    {
        const std::string path = folder / name;
        EXPECT_EQ(WriteMdbFile(path, SourceOf(records), model), std::nullopt);
        return path;
    }

    std::string WriteArchive(const std::string& name, const std::vector<MdbEntry>& records = SampleRecords())
    {
        const std::string magic = "%%%MDB-Archiv%%%";
        Bytes bytes(magic.begin(), magic.end());
        for (const MdbEntry& record : records)
            bytes.insert(bytes.end(), record.bytes().begin(), record.bytes().end());
        WriteBytes(folder / name, bytes);
        return folder / name;
    }

    // The report the editor writes for the file loaded into a pane, with the
    // flash names of the model.
    std::string EditorReport(const std::string& path, ReportKind kind, bool archive, bool pro)
    {
        StyleCatalogue::Instance().SetFlashNamesFactory(pro);
        auto pane = std::make_unique<PaneState>();
        if (archive) {
            EXPECT_EQ(InsertArchiveFile(*pane, path), std::nullopt);
        } else {
            const MdbReadResult read = ReadMdbFile(path);
            EXPECT_TRUE(read.ok());
            EXPECT_EQ(InsertMdbImage(*pane, read.image), std::nullopt);
        }
        return ReportText(kind, pane->tree);
    }

    TempFolder folder;
};

bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// ---- usage ----------------------------------------------------------------------

TEST_F(CliTest, HelpListsEveryCommand)
{
    const CliRun run = Cli({"--help"});
    EXPECT_EQ(run.status, 0);
    for (const char* usage :
         {"report FILE [--tabs] [--flash factory|default|STYFILE] [--model 9000|pro] [-o OUT]", "list FILE",
          "info FILE", "check FILE", "convert IN OUT [--model 9000|pro]"})
        EXPECT_TRUE(Has(run.out, usage)) << usage;
    EXPECT_EQ(Cli({"report", "--help"}).status, 0);
}

TEST_F(CliTest, UsageErrorsExitWithTwoAndTouchNoFile)
{
    const std::string mdb = WriteMdb("MDB.bup", KeyboardModel::Psr9000);
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"frobnicate", mdb},
        {"report"},
        {"report", mdb, mdb},
        {"report", mdb, "--model", "8000"},
        {"report", mdb, "--model"},
        {"report", mdb, "-o"},
        {"list", mdb, "--tabs"},
        {"check", mdb, "--model", "pro"},
        {"convert", mdb},
        {"convert", mdb, folder / "out.mdx", "--tabs"},
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
    const std::string badArchive = WriteArchive("bad.mdx");
    Bytes bytes = ReadBytes(badArchive);
    bytes[3] = 'm';
    WriteBytes(badArchive, bytes);

    struct Case
    {
        std::string file, message;
    };
    const std::vector<Case> cases = {
        {folder / "none.bup", "none.bup: Error opening file!"},
        {folder / "short.bup", "short.bup: Invalid file size!"},
        {folder / "foreign.bup", "foreign.bup: This file doesn't contain a valid PSR9000 or 9000Pro MDB!"},
        // Without the magic it is no archive, so the MDB reader has the say.
        {badArchive, "bad.mdx: Invalid file size!"},
        {folder.path().string(), "Error opening file!"},
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

TEST_F(CliTest, ConvertKeepsABlankSignatureBlank)
{
    const std::string mdb = WriteMdb("MDB.bup", KeyboardModel::Psr9000);
    Bytes bytes = ReadBytes(mdb);
    std::fill(bytes.begin() + 16, bytes.begin() + 24, 0); // the checksum leaves the header out
    WriteBytes(mdb, bytes);
    EXPECT_TRUE(Has(Cli({"info", mdb}).out, "Model:      PSR-9000 (blank signature)"));

    ASSERT_EQ(Cli({"convert", mdb, folder / "out.bup", "--model", "pro"}).status, 0);
    const Bytes out = ReadBytes(folder / "out.bup");
    ASSERT_EQ(out.size(), 177436u);
    EXPECT_EQ(Bytes(out.begin() + 16, out.begin() + 24), Bytes(8, 0));
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

// ---- the demo files -------------------------------------------------------------

TEST_F(CliTest, CommittedExamplesAreWhatTheGeneratorMakes)
{
    const CliRun run = Cli({"make-examples", folder / "examples"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::filesystem::path committed = std::filesystem::path(TESSARO_SOURCE_DIR) / "examples";
    for (const char* name : {"Demo.buf/MDB.bup", "Demo.buf/BACKUP.INI", "Demo.buf/STYLES.bup", "Demo.mdx"}) {
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

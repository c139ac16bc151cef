#pragma once
// Shared by the tessaro-cli tests: runs the tool as a separate process on files
// in a temporary folder, and writes the sample files the tests feed it.

#include "catalogue/StyleCatalogue.h"
#include "data/MdbFile.h"
#include "edit/PaneLoad.h"
#include "edit/PaneState.h"
#include "edit/Reports.h"
#include "support/DataTestSupport.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#ifdef TESSARO_CLI

namespace tessaro::clitest {

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

inline std::string Quoted(const std::string& arg)
{
    std::string quoted = "'";
    for (char c : arg)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Flash style f = 55 (bank IV slot 11): a factory name on the PSR-9000pro only.
constexpr uint8_t kVocalSwing = 125 + 55;

inline MdbEntry Record(const std::string& category, const std::string& title, uint8_t style, uint16_t tempo)
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

inline std::vector<MdbEntry> SampleRecords()
{
    // In tree order, so that a file saved from the loaded tree is the same file.
    return {Record("Pop", "Early", 0, 90), Record("Pop", "Sunny Day", 0, 120),
            Record("Pop", "  Bridge", 0, 120), Record("Jazz", "Caf\xE9 Swing", kVocalSwing, 160),
            Record("Latin", "Disk Groove", 250, 100)};
}

class CliTest : public ::testing::Test
{
protected:
    // stdoutTo: where standard output goes instead of a file read back (e.g. /dev/full).
    CliRun Cli(const std::vector<std::string>& args, const std::string& stdoutTo = "")
    {
        return Run(TESSARO_CLI, args, stdoutTo);
    }

    CliRun Run(const std::string& program, const std::vector<std::string>& args,
               const std::string& stdoutTo = "")
    {
        // Run inside the test's folder, so that a stray output file shows up there.
        std::string command = "cd " + Quoted(folder.path().string()) + " && " + Quoted(program);
        for (const std::string& arg : args)
            command += " " + Quoted(arg);
        command += " >" + Quoted(stdoutTo.empty() ? folder / "stdout" : stdoutTo) + " 2>" +
                   Quoted(folder / "stderr");
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
        StyleCatalogue styles;
        styles.SetFlashNamesFactory(pro);
        auto pane = std::make_unique<PaneState>(styles);
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

inline bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

} // namespace tessaro::clitest

#endif // TESSARO_CLI

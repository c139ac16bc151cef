// tessaro-cli: reports, listings, checks, conversions, spreadsheet export and
// import, comparisons of MDB backup files and MDB archives, with the editor's own code.

#include "cli/CliOptions.h"
#include "cli/Commands.h"
#include "cli/ImageCommands.h"
#include "cli/StderrProgress.h"
#include "common/Texts.h"
#include "image/ImageFiles.h"

#include <cstdio>
#include <string>
#include <vector>

using namespace tessaro;
using namespace tessaro::cli;

namespace {

constexpr int kUsageError = 2;

int Run(const CliOptions& options)
{
    switch (options.command) {
    case Command::Help:
        std::fputs(kUsageText, stdout);
        return FlushStdout() ? 0 : 1;
    case Command::Version:
        std::printf("tessaro-cli %s\n", TESSARO_VERSION);
        return FlushStdout() ? 0 : 1;
    case Command::Report:
        return RunReport(options);
    case Command::List:
        return RunList(options);
    case Command::Info:
        return RunInfo(options);
    case Command::Check:
        return RunCheck(options);
    case Command::Convert:
        return RunConvert(options);
    case Command::Voices:
        return RunVoices(options);
    case Command::Styles:
        return RunStyles(options);
    case Command::Export:
        return RunExport(options);
    case Command::Import:
        return RunImport(options);
    case Command::Diff:
        return RunDiff(options);
    case Command::Duplicates:
        return RunDuplicates(options);
    case Command::Ls:
        return RunLs(options);
    case Command::NewImage:
        return RunNewImage(options);
    }
    return kUsageError;
}

} // namespace

int main(int argc, char** argv)
{
    SetUiLanguage(UiLanguage::English);
    UseImagePaths();
    const ParseResult parsed = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "tessaro-cli: %s\nRun 'tessaro-cli --help' for the usage.\n",
                     parsed.error.c_str());
        return kUsageError;
    }
    if (parsed.options.progress) {
        EnableCliProgress();
    }
    // diff's 1 says the files differ: its failure is 2.
    const int failure = parsed.options.command == Command::Diff ? kUsageError : 1;
    return RunWithinMemory([&parsed] { return Run(parsed.options); }, failure);
}

#pragma once
// The commands of tessaro-cli. Each returns the exit status: 0 success, 1 a
// file was refused or could not be written (diff: 0 equal, 1 different, 2 a
// file refused; check: 1 also for a finding).

#include "cli/CliOptions.h"

#include <functional>

namespace tessaro::cli {

int RunReport(const CliOptions& options);
int RunList(const CliOptions& options);
int RunInfo(const CliOptions& options);
int RunCheck(const CliOptions& options);
int RunConvert(const CliOptions& options);
int RunVoices(const CliOptions& options);
int RunStyles(const CliOptions& options);
int RunExport(const CliOptions& options);
int RunImport(const CliOptions& options);
int RunDiff(const CliOptions& options);
int RunDuplicates(const CliOptions& options);

// Runs a command. When memory runs out on the way, the command is stopped and
// said so, and failureStatus comes back; files being written are left as they
// were (their temporary copies go), so every file on disk stays whole.
int RunWithinMemory(const std::function<int()>& command, int failureStatus);

// Flushes standard output; false (said on stderr) when anything written to it
// was lost, so that a full disk or a closed pipe does not pass for success.
bool FlushStdout();

} // namespace tessaro::cli

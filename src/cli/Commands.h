#pragma once
// The commands of tessaro-cli. Each returns the exit status: 0 success, 1 a
// file was refused or could not be written.

#include "cli/CliOptions.h"

namespace tessaro::cli {

int RunReport(const CliOptions& options);
int RunList(const CliOptions& options);
int RunInfo(const CliOptions& options);
int RunCheck(const CliOptions& options);
int RunConvert(const CliOptions& options);

// Flushes standard output; false (said on stderr) when anything written to it
// was lost, so that a full disk or a closed pipe does not pass for success.
bool FlushStdout();

} // namespace tessaro::cli

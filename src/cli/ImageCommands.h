#pragma once
// tessaro-cli and floppy disk images: ls and new-image, and what convert and
// import do after writing a file inside an image (its folder is made with it).

#include "cli/CliOptions.h"

#include <string>

namespace tessaro::cli {

int RunLs(const CliOptions& options);
int RunNewImage(const CliOptions& options);

// After OUT was written inside an image: an MDB in a backup-set folder gets its
// BACKUP.INI, as the editor writes it. False (said) when that fails.
bool FinishImageTarget(const std::string& out, KeyboardModel model);
// Says why writing OUT inside an image failed, when the image said so.
void ExplainImageFailure(const std::string& out);
// For a FILE that is a floppy image itself: how to name the file inside it.
void HintAtFileInsideImage(const std::string& file);

} // namespace tessaro::cli

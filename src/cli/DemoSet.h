#pragma once
// The demo files under examples/, made with the editor's own code so a user
// without a keyboard can try every command: a backup set Demo.buf (BACKUP.INI,
// MDB.bup, a flash-style backup STYLES.bup), an archive Demo.mdx, and
// Demo.csv, the backup set's MDB as export writes it.

#include <string>

namespace tessaro::cli {

// Writes the demo files into folder (created when missing); the exit status.
int MakeExamples(const std::string& folder);

} // namespace tessaro::cli

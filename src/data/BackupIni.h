#pragma once
// BACKUP.INI of a keyboard backup set, kept consistent with the MDB file saved
// beside it. Lines end with CR LF.

#include "common/Texts.h"
#include "data/MdbImage.h"

#include <optional>
#include <string>
#include <string_view>

namespace tessaro {

constexpr char kBackupIniName[] = "BACKUP.INI";

// The 15 lines of a new BACKUP.INI for the model (PSR-9000pro for model 2, else PSR-9000).
std::string NewBackupIni(KeyboardModel model);

// The updated text of an existing BACKUP.INI, or nullopt when it already lists
// the model's MDB file under [BACKUP MUSIC DB] and stays byte for byte as it is.
// A text without any line gets the new 15 lines.
std::optional<std::string> RewriteBackupIni(std::string_view existing, KeyboardModel model);

// Creates or updates BACKUP.INI in the folder of the MDB file just saved. An
// existing case variant of the name (backup.ini) is the one updated; an
// unreadable one counts as missing. One above 1 MB is left alone
// (BackupIniTooLarge). With inPlaceIfNoSpace (the user let the MDB be written
// in place), a BACKUP.INI whose temporary copy does not fit is written in place
// too. Errors: ErrorUpdatingBackupIni, BackupIniTooLarge.
std::optional<Msg> UpdateBackupIni(const std::string& mdbPath, KeyboardModel model,
                                   bool inPlaceIfNoSpace = false);

} // namespace tessaro

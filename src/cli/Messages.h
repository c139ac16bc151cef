#pragma once
// What tessaro-cli says on stderr: the editor's English message, naming the file.

#include "common/Texts.h"

#include <string>
#include <string_view>

namespace tessaro::cli {

// The text as it may safely reach a terminal: control characters (C0, DEL, C1)
// and bytes that are not UTF-8 are written as \xHH, a backslash as \\.
std::string Printable(std::string_view text);

// "tessaro-cli: FILE: TEXT (REASON)"; the file name is made printable.
void PrintError(const std::string& file, Msg id, const std::string& reason = {});
void PrintWarning(const std::string& file, Msg id);
void PrintError(const std::string& file, const std::string& text);

} // namespace tessaro::cli

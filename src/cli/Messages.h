#pragma once
// What tessaro-cli says on stderr: the editor's English message, naming the file.

#include "common/Texts.h"

#include <string>

namespace tessaro::cli {

void PrintError(const std::string& file, Msg id);
void PrintWarning(const std::string& file, Msg id);
void PrintError(const std::string& file, const std::string& text);

} // namespace tessaro::cli

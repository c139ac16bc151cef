#pragma once
// The rule both Save As commands apply to a chosen name.

#include <string>

namespace tessaro {

class Prompts;

enum class SaveAsStep
{
    Save,        // the current file again, or an existing file the user agreed to overwrite
    NewFile,     // nothing of that name exists yet
    ChooseAgain, // "Overwrite?" answered No: show the dialog again
    Stop         // "Overwrite?" cancelled
};

// Names are compared exactly: on this platform names that differ in case are
// different files (inside a backup set the caller resolves the case variant on
// disk first, so MDB.BUP there is the file it replaces).
SaveAsStep CheckSaveAsTarget(const std::string& target, const std::string& currentFile, Prompts& prompts);

} // namespace tessaro

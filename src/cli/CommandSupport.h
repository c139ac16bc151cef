#pragma once
// What the commands of tessaro-cli share: loading as the editor does, the
// flash-style names and the model the options ask for, and standard output.

#include "cli/CliOptions.h"
#include "cli/LoadedFile.h"
#include "common/Texts.h"

#include <memory>
#include <string>

namespace tessaro {
class CategoryTree;
}

namespace tessaro::cli {

constexpr int kOk = 0;
constexpr int kFailed = 1;

// A command's files live until the process ends: the system takes their memory
// back at once, where freeing a million nodes one by one takes a good part of
// the time a command runs.
struct LeftToTheSystem
{
    void operator()(LoadedFile*) const noexcept {}
};
using CommandFile = std::unique_ptr<LoadedFile, LeftToTheSystem>;
inline CommandFile NewCommandFile()
{
    return CommandFile(new LoadedFile);
}

// Loads as the editor does and says what the editor would say, and why a file
// could not be opened. A bad checksum and an archive's ignored tail are
// warnings unless the caller counts them as failures (check). With countOnly
// no tree is built (see LoadFile).
bool Load(const std::string& path, LoadedFile& file, bool strict = false, LoadCounts* countOnly = nullptr);

// What is said of an archive's tail shorter than a record.
std::string IgnoredTailText(std::size_t bytes);

// The model whose factory names and MDB header apply: --model, else the MDB's
// own, else the PSR-9000.
KeyboardModel ModelFor(const CliOptions& options, const LoadedFile& file);

void SetFactoryNames(StyleCatalogue& styles, KeyboardModel model);
// Sets the flash-style names the options ask for; false (said) when the
// flash-style file is refused.
bool SetFlashNames(const CliOptions& options, KeyboardModel model, StyleCatalogue& styles);

bool WriteToStdout(const std::string& text);
// False (said) when standard output could not take everything.
bool FlushStdout();

// The findings of the check for the keyboard, one line each on standard
// output: category, title, field, finding. Their number.
std::size_t PrintKeyboardFindings(const CategoryTree& tree, KeyboardModel model);

// "PSR-9000", "PSR-9000pro" or "none".
const char* ModelName(KeyboardModel model);

// Why a file could not be saved. No room for the temporary copy is said
// plainly: the editor's question whether to write over the file is not asked.
void PrintSaveError(const std::string& path, Msg error);
// " (the system's reason)" of the last failed save, or nothing when it gave none.
std::string SaveFailureReason();

// An MDB backup file is written for a name ending in .bup (any case), else an archive.
bool EndsWithBup(const std::string& name);

} // namespace tessaro::cli

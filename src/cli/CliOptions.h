#pragma once
// The command line of tessaro-cli, parsed into one plain record.

#include "data/MdbImage.h"

#include <optional>
#include <string>
#include <vector>

namespace tessaro::cli {

enum class Command
{
    Help,
    Version,
    Report,
    List,
    Info,
    Check,
    Convert,
    Voices,
    Styles,
    Export,
    Import,
    Diff,
    Duplicates,
    Ls,       // the folders and files of a disk image
    NewImage  // an empty formatted floppy image
};

enum class FlashChoice
{
    Factory,
    Default,
    File // names read from a flash-style backup file
};

struct CliOptions
{
    Command command = Command::Help;
    std::vector<std::string> files; // FILE, or IN and OUT, or A and B, or the examples folder
    bool tabs = false;
    FlashChoice flash = FlashChoice::Factory;
    std::string flashFile;
    std::optional<KeyboardModel> model;  // --model
    std::optional<KeyboardModel> target; // --for (check)
    std::optional<std::string> output;   // -o
    bool progress = false;               // --progress: how far long work is, on stderr
    int imageSize = 1440;                // new-image --size: 720 or 1440 (KB)
};

struct ParseResult
{
    CliOptions options;
    std::string error; // non-empty for a usage error
};

ParseResult ParseCommandLine(const std::vector<std::string>& args);

extern const char kUsageText[];

} // namespace tessaro::cli

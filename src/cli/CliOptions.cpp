#include "cli/CliOptions.h"

#include <cstddef>

namespace tessaro::cli {

const char kUsageText[] =
    "Usage:\n"
    "  tessaro-cli report FILE [--tabs] [--flash factory|default|STYFILE] [--model 9000|pro] [-o OUT]\n"
    "  tessaro-cli list FILE\n"
    "  tessaro-cli info FILE\n"
    "  tessaro-cli check FILE\n"
    "  tessaro-cli convert IN OUT [--model 9000|pro]\n"
    "  tessaro-cli --help\n"
    "\n"
    "FILE is an MDB backup file (MDB.bup, MDB_Pro.bup) or an MDB archive (.mdx); the two\n"
    "are told apart by their content, not by their name. Each command loads it exactly\n"
    "as the editor does.\n"
    "\n"
    "  report   Writes the protocol report of FILE: the fixed-width table, or with --tabs\n"
    "           the tab-separated list, byte for byte as the editor's Protocol buttons\n"
    "           write it (Windows-1252, CR LF). To standard output unless -o OUT is given\n"
    "           (-o - is standard output too).\n"
    "           Flash-style names: --flash factory (the default) takes the factory names\n"
    "           of the model, --flash default the numbered names, --flash STYFILE the\n"
    "           names read from a flash-style backup file (STY*.b*). The model is --model,\n"
    "           else the MDB's own model, else the PSR-9000 for an archive.\n"
    "  list     Shows the tree as the editor does after loading: each category on a line,\n"
    "           then each of its entries on a line beginning with a tab (in UTF-8).\n"
    "  info     Shows the kind and model of FILE, whether its checksum is good, and the\n"
    "           number of entries and categories.\n"
    "  check    Exits with 0 when FILE loads with a good checksum and, for an archive,\n"
    "           without bytes after its last whole record; 1 otherwise, and says why.\n"
    "  convert  Loads IN and saves it as OUT: an MDB backup file when the name of OUT ends\n"
    "           in .bup (any case), else an MDB archive. An MDB holds at most 616 entries;\n"
    "           its model is --model, else the model of IN when IN is an MDB, else the\n"
    "           PSR-9000. An MDB whose signature is blank is written blank again, unless\n"
    "           --model is given.\n"
    "\n"
    "Nothing is written over an input file unless it is the named OUT; files are saved\n"
    "through a temporary file, so a failed write leaves the old file as it was; when\n"
    "there is no room for that copy, nothing is written.\n"
    "\n"
    "Exit status: 0 success, 1 a file was refused or could not be written, 2 a usage\n"
    "error. A bad checksum, or bytes after an archive's last whole record, are only\n"
    "a warning, except for check. Output that cannot be written counts as a failure.\n";

namespace {

struct CommandName
{
    const char* name;
    Command command;
    std::size_t fileCount; // positional arguments the command takes
};

constexpr CommandName kCommands[] = {
    {"report", Command::Report, 1},   {"list", Command::List, 1},
    {"info", Command::Info, 1},       {"check", Command::Check, 1},
    {"convert", Command::Convert, 2}, {"make-examples", Command::MakeExamples, 1},
};

bool AcceptsOption(Command command, const std::string& option)
{
    if (command == Command::Report) {
        return option == "--tabs" || option == "--flash" || option == "--model" || option == "-o";
    }
    if (command == Command::Convert) {
        return option == "--model";
    }
    return false;
}

std::optional<KeyboardModel> ParseModel(const std::string& text)
{
    if (text == "9000") {
        return KeyboardModel::Psr9000;
    }
    if (text == "pro") {
        return KeyboardModel::Psr9000Pro;
    }
    return std::nullopt;
}

} // namespace

ParseResult ParseCommandLine(const std::vector<std::string>& args)
{
    ParseResult result;
    CliOptions& options = result.options;
    if (args.empty()) {
        result.error = "no command given";
        return result;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        options.command = Command::Help;
        return result;
    }

    const CommandName* command = nullptr;
    for (const CommandName& candidate : kCommands) {
        if (args[0] == candidate.name) {
            command = &candidate;
        }
    }
    if (command == nullptr) {
        result.error = "unknown command '" + args[0] + "'";
        return result;
    }
    options.command = command->command;

    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.command = Command::Help;
            return result;
        }
        const bool looksLikeOption = arg.size() > 1 && arg[0] == '-';
        if (!looksLikeOption) {
            options.files.push_back(arg);
            continue;
        }
        if (!AcceptsOption(options.command, arg)) {
            result.error = "unknown option '" + arg + "' for " + command->name;
            return result;
        }
        if (arg == "--tabs") {
            options.tabs = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            result.error = "option '" + arg + "' needs a value";
            return result;
        }
        const std::string& value = args[++i];
        if (arg == "--model") {
            options.model = ParseModel(value);
            if (!options.model) {
                result.error = "--model takes 9000 or pro, not '" + value + "'";
                return result;
            }
        } else if (arg == "--flash") {
            if (value == "factory") {
                options.flash = FlashChoice::Factory;
            } else if (value == "default") {
                options.flash = FlashChoice::Default;
            } else {
                options.flash = FlashChoice::File;
                options.flashFile = value;
            }
        } else if (arg == "-o") {
            options.output = value;
        }
    }

    if (options.files.size() != command->fileCount) {
        result.error = std::string(command->name) + " takes " +
                       (command->fileCount == 1 ? "one file" : "two files (IN and OUT)") + ", " +
                       std::to_string(options.files.size()) + " given";
    }
    return result;
}

} // namespace tessaro::cli

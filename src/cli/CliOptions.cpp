#include "cli/CliOptions.h"

#include <cstddef>

namespace tessaro::cli {

const char kUsageText[] =
    "Usage:\n"
    "  tessaro-cli report FILE [--tabs] [--flash factory|default|STYFILE] [--model 9000|pro] [-o OUT]\n"
    "  tessaro-cli list FILE\n"
    "  tessaro-cli info FILE\n"
    "  tessaro-cli check FILE [--for 9000|pro]\n"
    "  tessaro-cli convert IN OUT [--model 9000|pro]\n"
    "  tessaro-cli voices [--model 9000|pro]\n"
    "  tessaro-cli styles [--model 9000|pro] [--flash factory|default|STYFILE]\n"
    "  tessaro-cli export FILE [--model 9000|pro] [--flash factory|default|STYFILE] [-o OUT.csv]\n"
    "  tessaro-cli import IN.csv OUT [--model 9000|pro]\n"
    "  tessaro-cli diff A B\n"
    "  tessaro-cli duplicates FILE\n"
    "  tessaro-cli ls IMAGE[::/FOLDER]\n"
    "  tessaro-cli new-image FILE [--size 720|1440]\n"
    "  tessaro-cli COMMAND ... --progress   (how far long work is, on stderr)\n"
    "  tessaro-cli --help\n"
    "  tessaro-cli --version\n"
    "\n"
    "FILE is an MDB backup file (MDB.bup, MDB_Pro.bup) or an MDB archive (.mdx); the two\n"
    "are told apart by their content, not by their name. Each command loads it exactly\n"
    "as the editor does.\n"
    "\n"
    "Any FILE, IN or OUT may lie inside a floppy disk image (the .img or .ima file of\n"
    "a USB floppy emulator, FAT12 720 KB or 1.44 MB; FAT16 disks work too):\n"
    "IMAGE::/FOLDER/FILE, for example disk1.img::/PARTY.BUF/MDB.BUP. Names inside an\n"
    "image are matched without regard to case; names written into one are 8.3 names\n"
    "in upper case, and a name that does not fit is refused, never shortened.\n"
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
    "           With --for it also lists every entry that would not play as\n"
    "           stored on that keyboard, one line per finding (category, title, field\n"
    "           and finding, tab-separated): a PSR-9000pro voice on the PSR-9000, a voice\n"
    "           that matches no voice of the list, a disk style (it needs its style\n"
    "           disk), a value the entry editor does not accept. The voices R1, R2, R3\n"
    "           and Left always count, a part's voice when the entry sets it. Exit 1\n"
    "           when there is any finding.\n"
    "  convert  Loads IN and saves it as OUT: an MDB backup file when the name of OUT ends\n"
    "           in .bup (any case), else an MDB archive. An MDB holds at most 616 entries;\n"
    "           its model is --model, else the model of IN when IN is an MDB, else the\n"
    "           PSR-9000. An MDB whose signature is blank is written blank again, unless\n"
    "           --model is given.\n"
    "  voices   Lists the voices as the entry editor's lists offer them for the model\n"
    "           (--model, else the PSR-9000): row, MSB, LSB, program and name, tab-\n"
    "           separated. PSR-9000pro voices are left out for the PSR-9000, and so are\n"
    "           the voices whose numbers are not known yet.\n"
    "  styles   Lists the 245 styles of the editor's style list: number and name, tab-\n"
    "           separated, with the flash-style names of --flash and --model as for\n"
    "           report (the model defaults to the PSR-9000). Disk styles are number 245\n"
    "           with a disk style number from 1 to 250.\n"
    "  export   Writes FILE as a spreadsheet (CSV: UTF-8, comma-separated, a header row\n"
    "           of column names), one row per entry in tree order, to standard output\n"
    "           unless -o OUT.csv is given. Every setting has its column; the Style and\n"
    "           -Voice columns give names for people (flash-style names as for report).\n"
    "           OtherBytes holds the whole record in hex, with .. for each byte a column\n"
    "           gives, so nothing is lost; a value the entry editor would not accept is\n"
    "           left out of its column and kept in OtherBytes, and so is a title or\n"
    "           category the column cannot show exactly (bytes after its end, bytes\n"
    "           Windows-1252 lacks). A cell that begins with = + - @, a tab or a\n"
    "           carriage return, also behind one or more ', gets a ' in front, so a\n"
    "           spreadsheet shows it as text and never runs it as a formula; import\n"
    "           takes that ' off again. -o - is standard output too.\n"
    "  import   Builds OUT from a CSV in the form export writes: an MDB backup file when\n"
    "           the name of OUT ends in .bup (any case; its model is --model, else the\n"
    "           PSR-9000), else an MDB archive. The entries are sorted in as the editor\n"
    "           loads them. Columns are found by their names; the name columns are\n"
    "           ignored and may be left out. A filled cell wins over OtherBytes, so an\n"
    "           edit in the spreadsheet takes effect; an empty OtherBytes makes a new\n"
    "           entry. Each cell must hold what the entry editor accepts (titles at most\n"
    "           16 characters of Windows-1252, tempo 32 to 280, volumes 0 to 127, on/off\n"
    "           as 1 or 0, variation A to D, ...). Every fault is listed as \"line L,\n"
    "           column NAME: reason\", and nothing is written when there is any.\n"
    "           The CSV is read as it arrives: memory follows the entries, not the\n"
    "           text; a row longer than 1 MiB is refused. A row keeps every byte it\n"
    "           gives; only a sub entry that lands apart from its group becomes a main\n"
    "           entry. export followed by import gives exactly the file convert gives;\n"
    "           for an MDB give import the model convert would use (--model), as an\n"
    "           MDB whose signature is blank is written blank again only by convert.\n"
    "  diff     Compares the trees of A and B (each an MDB or an archive). Entries are\n"
    "           matched by category, title and order of occurrence; one line per\n"
    "           difference, tab-separated: removed, added or moved with category and\n"
    "           title, or changed with category, title, field, old and new value. Exit 0\n"
    "           when the trees are equal, 1 when they differ, 2 for a usage error, a\n"
    "           refused file or output that cannot be written.\n"
    "  duplicates  Lists groups of entries that are the same registration (every byte\n"
    "           equal but title, in-use byte and category) and groups with the same title\n"
    "           in the same category (ignoring letter case and leading spaces). Nothing is\n"
    "           deleted.\n"
    "  ls       Lists the folders and files of a disk image (or of one folder in it),\n"
    "           with their sizes and long names, and marks each backup-set folder with\n"
    "           the set's name as the editor shows it; then the free space.\n"
    "  new-image  Writes an empty, formatted PC floppy image for a floppy emulator:\n"
    "           1.44 MB (the default) or 720 KB with --size 720. An existing FILE is\n"
    "           never written over.\n"
    "\n"
    "convert and import into an image create the folder of OUT; an MDB written into a\n"
    "backup-set folder (NAME.buf or NAME.B01 .. NAME.B99) gets the set's BACKUP.INI,\n"
    "created or updated as the editor does. An image without room for OUT is refused\n"
    "and left unchanged.\n"
    "\n"
    "Nothing is written over an input file unless it is the named OUT; files are saved\n"
    "through a temporary file, so a failed write leaves the old file as it was; when\n"
    "there is no room for that copy, nothing is written.\n"
    "\n"
    "Exit status: 0 success, 1 a file was refused or could not be written, 2 a usage\n"
    "error (diff: see above). A bad checksum, or bytes after an archive's last whole\n"
    "record, are only a warning, except for check. Output that cannot be written counts\n"
    "as a failure, and so does running out of memory: the command stops, says so and\n"
    "exits with 1 (diff: 2); every file on disk stays as it was.\n";

namespace {

struct CommandName
{
    const char* name;
    Command command;
    std::size_t fileCount; // positional arguments the command takes
};

constexpr CommandName kCommands[] = {
    {"report", Command::Report, 1},
    {"list", Command::List, 1},
    {"info", Command::Info, 1},
    {"check", Command::Check, 1},
    {"convert", Command::Convert, 2},
    {"voices", Command::Voices, 0},
    {"styles", Command::Styles, 0},
    {"export", Command::Export, 1},
    {"import", Command::Import, 2},
    {"diff", Command::Diff, 2},
    {"duplicates", Command::Duplicates, 1},
    {"ls", Command::Ls, 1},
    {"new-image", Command::NewImage, 1},
};

bool AcceptsOption(Command command, const std::string& option)
{
    switch (command) {
    case Command::Report:
        return option == "--tabs" || option == "--flash" || option == "--model" || option == "-o";
    case Command::Export:
        return option == "--flash" || option == "--model" || option == "-o";
    case Command::Styles:
        return option == "--flash" || option == "--model";
    case Command::Convert:
    case Command::Import:
    case Command::Voices:
        return option == "--model";
    case Command::Check:
        return option == "--for";
    case Command::NewImage:
        return option == "--size";
    default:
        return false;
    }
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
    if (args[0] == "--version") {
        options.command = Command::Version;
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
        if (arg == "--progress") {
            options.progress = true;
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
        if (arg == "--model" || arg == "--for") {
            std::optional<KeyboardModel>& model = arg == "--model" ? options.model : options.target;
            model = ParseModel(value);
            if (!model) {
                result.error = arg + " takes 9000 or pro, not '" + value + "'";
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
        } else if (arg == "--size") {
            if (value != "720" && value != "1440") {
                result.error = "--size takes 720 or 1440, not '" + value + "'";
                return result;
            }
            options.imageSize = std::stoi(value);
        }
    }

    if (options.files.size() != command->fileCount) {
        const char* wanted = command->fileCount == 0             ? "no file"
                             : command->fileCount == 1           ? "one file"
                             : command->command == Command::Diff ? "two files (A and B)"
                                                                 : "two files (IN and OUT)";
        result.error = std::string(command->name) + " takes " + wanted + ", " +
                       std::to_string(options.files.size()) + " given";
    }
    return result;
}

} // namespace tessaro::cli

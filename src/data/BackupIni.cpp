#include "data/BackupIni.h"

#include "data/AsciiCase.h"
#include "data/FolderPath.h"
#include "data/InputFile.h"
#include "data/SafeFile.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace tessaro {

namespace {

constexpr std::size_t kLinePiece = 99; // the longest line piece the keyboard's format knows
constexpr uint64_t kMdbFileSize = kImageSize;
// A keyboard writes a few hundred bytes; anything near this is no BACKUP.INI of
// a keyboard, and reading it whole could take all the memory there is.
constexpr uint64_t kMaxIniBytes = 1024 * 1024;

constexpr std::string_view kSizeSection = "[TOTAL USER DATA SIZE]";
constexpr std::string_view kMusicDbSection = "[BACKUP MUSIC DB]";
constexpr std::string_view kRegistSection = "[BACKUP REGIST]";
constexpr std::string_view kDataEnd = "[DATAEND]";
constexpr std::string_view kFileLine9000 = "3 = MDB.bup";
constexpr std::string_view kFileLinePro = "3 = MDB_Pro.bup";

bool IsPro(KeyboardModel model)
{
    return model == KeyboardModel::Psr9000Pro;
}

std::string_view FileLineOf(KeyboardModel model)
{
    return IsPro(model) ? kFileLinePro : kFileLine9000;
}

class IniText
{
public:
    void Line(std::string_view line)
    {
        text_.append(line);
        text_.append("\r\n");
    }
    void MusicDbSection(KeyboardModel model)
    {
        Line(kMusicDbSection);
        Line("TOTAL FILE NUM:0");
        Line(FileLineOf(model));
    }
    std::string Take() { return std::move(text_); }

private:
    std::string text_;
};

// CR LF counts as one line end; the rest is cut into pieces of at most 99
// characters, each ending after a line feed, and each piece is cut at its first
// line feed and at its first carriage return.
std::vector<std::string> SplitLines(std::string_view raw)
{
    std::string text;
    text.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (!(raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n'))
            text.push_back(raw[i]);
    }
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = std::min(text.size(), start + kLinePiece);
        const auto lineFeed = std::find(text.begin() + start, text.begin() + end, '\n');
        if (lineFeed != text.begin() + end)
            end = std::size_t(lineFeed - text.begin()) + 1;
        std::string piece = text.substr(start, end - start);
        const std::size_t cut = piece.find_first_of("\r\n");
        if (cut != std::string::npos)
            piece.erase(cut);
        lines.push_back(std::move(piece));
        start = end;
    }
    return lines;
}

uint64_t ContinueWithLeadingDigits(uint64_t size, std::string_view line)
{
    for (char c : line) {
        if (c < '0' || c > '9')
            break;
        size = size * 10 + uint64_t(c - '0'); // unsigned: a silly digit run wraps, it never traps
    }
    return size;
}

struct IniFile
{
    bool readable = false;
    bool tooLarge = false;
    std::string text;
};

IniFile ReadIni(const std::string& path)
{
    IniFile ini;
    FileInput input;
    if (!input.Open(path))
        return ini;
    if (input.Length() > kMaxIniBytes) {
        ini.tooLarge = true;
        return ini;
    }
    ini.text.assign(std::size_t(input.Length()), '\0');
    ini.readable =
        input.Read(reinterpret_cast<uint8_t*>(ini.text.data()), ini.text.size()) == ini.text.size();
    return ini;
}

} // namespace

std::string NewBackupIni(KeyboardModel model)
{
    const bool pro = IsPro(model);
    IniText ini;
    ini.Line("[TITLE]");
    ini.Line(pro ? "9000Pro BACKUP.INI" : "PSR-9000 BACKUP.INI");
    ini.Line("YAMAHA Corporation");
    ini.Line("[DISK NO]");
    ini.Line("DISK000");
    ini.Line("[INSTRUMENT]");
    ini.Line(pro ? "9000Pro" : "PSR-9000");
    ini.Line("[VERSION]");
    ini.Line(pro ? "Ver1.03" : "Ver2.12");
    ini.Line(kSizeSection);
    ini.Line(std::to_string(kMdbFileSize) + "KB"); // bytes, though it says KB
    ini.MusicDbSection(model);
    ini.Line(kDataEnd);
    return ini.Take();
}

std::optional<std::string> RewriteBackupIni(std::string_view existing, KeyboardModel model)
{
    const std::vector<std::string> lines = SplitLines(existing);
    if (lines.empty())
        return NewBackupIni(model);

    bool musicDb = false;
    bool sizeExpected = false;
    uint64_t size = 0;
    for (const std::string& line : lines) {
        if (sizeExpected) {
            size = ContinueWithLeadingDigits(size, line);
            sizeExpected = false;
        } else if (EqualsNoCase(line, kMusicDbSection)) {
            musicDb = true;
        } else if (musicDb && EqualsNoCase(line, FileLineOf(model))) {
            return std::nullopt; // already lists this MDB
        } else if (EqualsNoCase(line, kSizeSection)) {
            sizeExpected = true;
        }
    }

    if (!musicDb)
        size += kMdbFileSize;
    IniText ini;
    sizeExpected = false;
    for (const std::string& line : lines) {
        if (sizeExpected) {
            ini.Line(std::to_string(size) + "KB");
            sizeExpected = false;
        } else if (EqualsNoCase(line, kSizeSection)) {
            ini.Line(line);
            sizeExpected = true;
        } else if (!musicDb && (EqualsNoCase(line, kRegistSection) || EqualsNoCase(line, kDataEnd))) {
            ini.MusicDbSection(model);
            musicDb = true;
            ini.Line(line);
        } else if (musicDb && (EqualsNoCase(line, kFileLine9000) || EqualsNoCase(line, kFileLinePro))) {
            ini.Line(FileLineOf(model));
        } else {
            ini.Line(line);
        }
    }
    // Without a [BACKUP REGIST] or [DATAEND] line the section still has to be
    // listed: the size above already counts the file, and leaving it out would
    // add the size again on every save.
    if (!musicDb)
        ini.MusicDbSection(model);
    return ini.Take();
}

std::optional<Msg> UpdateBackupIni(const std::string& mdbPath, KeyboardModel model, bool inPlaceIfNoSpace)
{
    const std::string folder = std::filesystem::path(mdbPath).parent_path().string();
    const std::string iniPath = ResolveCaseVariant(folder, kBackupIniName);

    std::string text;
    IniFile existing = ReadIni(iniPath);
    if (existing.tooLarge)
        return Msg::BackupIniTooLarge;
    if (existing.readable) {
        std::optional<std::string> rewritten = RewriteBackupIni(existing.text, model);
        if (!rewritten)
            return std::nullopt;
        text = std::move(*rewritten);
    } else {
        text = NewBackupIni(model); // missing or unreadable
    }
    SaveFailure failure = WriteWholeFile(iniPath, text.data(), text.size());
    if (failure == SaveFailure::NoSpace && inPlaceIfNoSpace)
        failure = WriteWholeFile(iniPath, text.data(), text.size(), WriteMode::InPlace);
    if (failure != SaveFailure::None)
        return Msg::ErrorUpdatingBackupIni;
    return std::nullopt;
}

} // namespace tessaro

#include "browse/BackupSetNames.h"

#include <cstdio>
#include <filesystem>

#include "browse/DirectoryListing.h"
#include "browse/TextCompare.h"
#include "data/AsciiCase.h"
#include "data/FolderPath.h"
#include "data/NestedFiles.h"
#include "image/ImageFiles.h"
#include "image/ImagePath.h"

namespace tessaro {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view LastComponent(std::string_view path)
{
    std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

} // namespace

bool IsBackupSetName(std::string_view name)
{
    std::string_view last = LastComponent(name);
    std::size_t dot = last.rfind('.');
    if (dot == std::string_view::npos) {
        return false;
    }
    std::string_view ext = last.substr(dot);
    if (ext.size() != 4) {
        return false;
    }
    if (EqualsNoCase(ext, ".buf")) {
        return true;
    }
    return (ext[1] == 'B' || ext[1] == 'b') && IsDigit(ext[2]) && IsDigit(ext[3]);
}

bool IsBackupSetFolder(const std::string& path)
{
    if (path.empty() || !IsBackupSetName(path)) {
        return false;
    }
    return FileOrFolderExists(ResolveCaseVariant(path, "BACKUP.INI"));
}

bool SetHoldsWantedFile(const std::string& path, std::string_view mask)
{
    return IsBackupSetFolder(path) && !FindFirstMatch(path, mask).empty();
}

std::string FindFirstMatch(const std::string& folder, std::string_view mask)
{
    std::string best;
    if (SplitImagePath(folder)) {
        for (const ImageEntry& entry : ListImageFolder(folder).value_or(std::vector<ImageEntry>())) {
            if (MatchesMask(entry.name, mask) && !entry.folder && (best.empty() || NaturalCompare(entry.name, best) < 0))
                best = entry.name;
        }
        return best;
    }
    ListDirectory(folder, [&](const std::filesystem::directory_entry& entry) {
        std::string name = entry.path().filename().string();
        // A folder named like the wanted file cannot be opened as one.
        if (MatchesMask(name, mask) && !IsFolderEntry(entry) &&
            (best.empty() || NaturalCompare(name, best) < 0)) {
            best = std::move(name);
        }
        return true;
    });
    return best;
}

int DiskNumberOf(std::string_view text)
{
    if (text.size() > 2) {
        return 0;
    }
    int value = 0;
    for (char c : text) {
        if (!IsDigit(c)) {
            return 0;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string DiskSuffix(int n)
{
    if (n == 0) {
        return {};
    }
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, " [Disk-%02d]", n);
    return buffer;
}

void ToSetDisplayName(std::string& name)
{
    if (!IsBackupSetName(name)) {
        return;
    }
    int n = DiskNumberOf(std::string_view(name).substr(name.size() - 2));
    name.resize(name.size() - 4);
    name += DiskSuffix(n);
}

SetPathParts SplitSetPath(const std::string& path)
{
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return {std::string(), path};
    }
    // The root of the disk, or of a disk image ("disk1.img::/"), keeps its '/'.
    const bool root = slash == 0 || std::string_view(path).substr(0, slash).ends_with(kImagePathMark);
    return {root ? path.substr(0, slash + 1) : path.substr(0, slash), path.substr(slash + 1)};
}

std::string SetFolderNameOf(std::string_view name)
{
    static constexpr std::string_view kTag = " [Disk-";
    std::size_t p = name.find(kTag);
    if (p != std::string_view::npos) {
        // The two characters after the tag are taken as they are, bracket or not.
        return std::string(name.substr(0, p)) + ".b" + std::string(name.substr(p + kTag.size(), 2));
    }
    std::string result(name);
    if (!IsBackupSetName(result)) {
        result += ".buf";
    }
    return result;
}

std::string ChosenSetPath(const std::string& chosenFolder, std::string_view name)
{
    std::string setFolder = SetFolderNameOf(name);
    if (!setFolder.empty() && setFolder.front() == '/') {
        // A typed absolute path is where the user wants it, whatever folder is selected.
        const SetPathParts parts = SplitSetPath(setFolder);
        return ChosenSetPath(parts.folder, parts.name);
    }
    if (!chosenFolder.empty() && setFolder.find('/') == std::string::npos) {
        // "Party [Disk-01]" comes back as "Party.b01"; the folder on disk may be "Party.B01".
        setFolder = std::filesystem::path(ResolveCaseVariant(chosenFolder, setFolder)).filename().string();
    }
    std::string result = chosenFolder;
    if (result.size() > 1 && result.back() != '/') {
        result += '/';
    }
    return result + setFolder;
}

std::string ChosenPath(const std::string& chosenFolder, std::string_view name, BrowseMode mode,
                       std::string_view mask)
{
    std::string result = ChosenSetPath(chosenFolder, name);
    if (mode == BrowseMode::Open) {
        std::string file = FindFirstMatch(result, mask);
        if (!file.empty()) {
            result += '/' + file;
        }
    }
    return result;
}

} // namespace tessaro

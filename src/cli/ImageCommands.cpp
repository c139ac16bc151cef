#include "cli/ImageCommands.h"

#include "browse/BackupSetNames.h"
#include "cli/CommandSupport.h"
#include "cli/Messages.h"
#include "data/BackupIni.h"
#include "data/NestedFiles.h"
#include "image/ImageFiles.h"
#include "image/ImagePath.h"

#include <cstdio>

namespace tessaro::cli {

namespace {

std::string FolderPart(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string SizeColumn(const std::string& text)
{
    constexpr std::size_t kWidth = 10;
    return text.size() < kWidth ? std::string(kWidth - text.size(), ' ') + text : text;
}

struct Listing
{
    std::string text;
    std::size_t files = 0;
    std::size_t folders = 0;
};

// Entries as the disk holds them, each folder followed by what it holds. No
// folder can hold itself (the disk's check at load), but a crafted disk may nest
// thousands deep: the depth is bounded, and said.
void ListFolder(const FatVolume& volume, const std::string& image, const std::string& folder, int depth,
                Listing& listing)
{
    constexpr int kMaxDepth = 32;
    if (depth > kMaxDepth) {
        listing.text += SizeColumn("") + "  " + Printable(folder) + "/...  (nested too deep to list)\n";
        return;
    }
    std::vector<ImageEntry> entries;
    if (volume.List(folder, entries))
        return;
    for (const ImageEntry& entry : entries) {
        const std::string path = (folder == "/" ? "/" : folder + "/") + entry.name;
        std::string line = SizeColumn(entry.folder ? "<DIR>" : std::to_string(entry.size)) + "  " +
                           Printable(path) + (entry.folder ? "/" : "");
        if (!entry.longName.empty())
            line += "  (" + Printable(entry.longName) + ")";
        if (entry.folder && IsBackupSetFolder(JoinImagePath(image, path))) {
            std::string name = entry.DisplayName();
            ToSetDisplayName(name);
            line += "  backup set \"" + Printable(name) + "\"";
        }
        listing.text += line + "\n";
        if (entry.folder) {
            ++listing.folders;
            ListFolder(volume, image, path, depth + 1, listing);
        } else {
            ++listing.files;
        }
    }
}

} // namespace

int RunLs(const CliOptions& options)
{
    const std::string& given = options.files[0];
    const std::optional<ImagePath> split = SplitImagePath(given);
    const std::string image = split ? split->image : given;
    const std::string folder = split ? split->inner : "/";
    FatVolume volume;
    if (const std::optional<ImageError> error = LoadImageFile(image, volume)) {
        PrintError(image, error->Text());
        return kFailed;
    }
    if (volume.KindOf(folder) != FatVolume::Kind::Folder) {
        std::vector<ImageEntry> unused;
        const std::optional<ImageError> error = volume.List(folder, unused);
        PrintError(image, error ? error->Text() : ImageError{Msg::ImageNotAFolder, folder}.Text());
        return kFailed;
    }
    Listing listing;
    ListFolder(volume, image, folder, 0, listing);
    listing.text += std::to_string(listing.files) + (listing.files == 1 ? " file, " : " files, ") +
                    std::to_string(listing.folders) + (listing.folders == 1 ? " folder, " : " folders, ") +
                    std::to_string(volume.FreeBytes()) + " bytes free\n";
    WriteToStdout(listing.text);
    return FlushStdout() ? kOk : kFailed;
}

int RunNewImage(const CliOptions& options)
{
    const std::string& path = options.files[0];
    if (FileOrFolderExists(path)) {
        PrintError(path, "exists already; it was left as it is (a new image is never written over a file)");
        return kFailed;
    }
    if (!WriteNewFloppyImage(path, options.imageSize == 720 ? FloppySize::Kb720 : FloppySize::Kb1440)) {
        PrintError(path, "the image could not be written");
        return kFailed;
    }
    return kOk;
}

bool FinishImageTarget(const std::string& out, KeyboardModel model)
{
    if (!SplitImagePath(out) || !EndsWithBup(out) || !IsBackupSetName(FolderPart(out)))
        return true;
    if (const std::optional<Msg> error = UpdateBackupIni(out, model)) {
        PrintError(out, *error);
        ExplainImageFailure(out);
        return false;
    }
    return true;
}

void HintAtFileInsideImage(const std::string& file)
{
    const std::optional<ImageOpening> opening = OpeningOfImage(file);
    if (!opening)
        return;
    const std::string example = opening->browse ? JoinImagePath(file, "/FOLDER/MDB.BUP") : opening->path;
    PrintError(file, "this is a floppy disk image; name the file inside it, as in " + Printable(example) +
                         " ('tessaro-cli ls " + Printable(file) + "' lists what it holds)");
}

void ExplainImageFailure(const std::string& out)
{
    const std::string reason = LastImageFailure();
    if (SplitImagePath(out) && !reason.empty())
        PrintError(out, reason);
}

} // namespace tessaro::cli

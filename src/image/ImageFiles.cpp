#include "image/ImageFiles.h"

#include "data/AsciiCase.h"
#include "data/InputFile.h"
#include "data/NestedFiles.h"
#include "image/ImagePath.h"

#include <ctime>
#include <sys/stat.h>

namespace tessaro {

namespace {

class ImageFileStore final : public NestedFileStore
{
public:
    bool Holds(const std::string& path) const override { return SplitImagePath(path).has_value(); }

    bool Read(const std::string& path, std::vector<uint8_t>& bytes, std::string& reason) const override
    {
        const std::optional<ImagePath> split = SplitImagePath(path);
        FatVolume volume;
        std::optional<ImageError> error = split ? LoadImageFile(split->image, volume)
                                                : ImageError{Msg::ImageNotFound, path};
        if (!error)
            error = volume.ReadFile(split->inner, bytes);
        if (error)
            reason = error->Text();
        return !error;
    }

    SaveFailure Write(const std::string& path, const uint8_t* data, std::size_t size, WriteMode mode) override
    {
        return Change(path, mode, [&](FatVolume& volume, const std::string& inner) {
            // Missing folders are made in the same save, so a file that does
            // not fit leaves no empty folder behind.
            const std::size_t slash = inner.rfind('/');
            if (slash > 0) {
                if (auto error = volume.CreateFolders(inner.substr(0, slash)))
                    return error;
            }
            return volume.WriteFile(inner, data, size);
        });
    }

    bool CreateFolders(const std::string& path) override
    {
        return Change(path, WriteMode::Safe, [](FatVolume& volume, const std::string& inner) {
                   return volume.CreateFolders(inner);
               }) == SaveFailure::None;
    }

    bool Exists(const std::string& path) const override { return KindOf(path) != FatVolume::Kind::Missing; }
    bool IsFolder(const std::string& path) const override { return KindOf(path) == FatVolume::Kind::Folder; }
    std::string LastFailure() const override { return lastFailure_; }

private:
    template <typename Step>
    SaveFailure Change(const std::string& path, WriteMode mode, Step step)
    {
        lastFailure_.clear();
        const std::optional<ImagePath> split = SplitImagePath(path);
        FatVolume volume;
        std::optional<ImageError> error = split ? LoadImageFile(split->image, volume)
                                                : ImageError{Msg::ImageNotFound, path};
        if (!error)
            error = step(volume, split->inner);
        if (error) {
            lastFailure_ = error->Text();
            return SaveFailure::Other;
        }
        return SaveImageFile(split->image, volume, mode);
    }

    FatVolume::Kind KindOf(const std::string& path) const
    {
        const std::optional<ImagePath> split = SplitImagePath(path);
        FatVolume volume;
        if (!split || LoadImageFile(split->image, volume))
            return FatVolume::Kind::Missing;
        return volume.KindOf(split->inner);
    }

    std::string lastFailure_;
};

ImageFileStore g_store;

bool IsMdbFileName(std::string_view name)
{
    return name.size() >= 7 && EqualsNoCase(name.substr(0, 3), "MDB") &&
           EqualsNoCase(name.substr(name.size() - 4), ".bup");
}

bool IsArchiveFileName(std::string_view name)
{
    return name.size() > 4 && EqualsNoCase(name.substr(name.size() - 4), ".mdx");
}

template <typename Wanted>
void CollectFiles(const FatVolume& volume, const std::string& folder, int depth, Wanted wanted,
                  std::vector<std::string>& found)
{
    // Folders on a floppy nest a few levels; the bound keeps a crafted disk from taking long.
    constexpr int kMaxDepth = 16;
    std::vector<ImageEntry> entries;
    if (depth > kMaxDepth || volume.List(folder, entries))
        return;
    for (const ImageEntry& entry : entries) {
        const std::string path = (folder == "/" ? "/" : folder + "/") + entry.name;
        if (entry.folder)
            CollectFiles(volume, path, depth + 1, wanted, found);
        else if (wanted(entry.name))
            found.push_back(path);
    }
}

} // namespace

std::optional<ImageError> LoadImageFile(const std::string& imageFile, FatVolume& volume)
{
    FileInput input;
    if (!input.Open(imageFile))
        return ImageError{Msg::ErrorOpeningFile, {}, {}, input.ErrorText()};
    if (input.Length() > kMaxImageBytes)
        return ImageError{Msg::ImageTooLarge, std::to_string(input.Length()), std::to_string(kMaxImageBytes)};
    std::vector<uint8_t> bytes(std::size_t(input.Length()));
    if (input.Read(bytes.data(), bytes.size()) != bytes.size())
        return ImageError{Msg::ErrorReadingFile};
    return FatVolume::Load(std::move(bytes), volume);
}

SaveFailure SaveImageFile(const std::string& imageFile, const FatVolume& volume, WriteMode mode)
{
    return WriteWholeFile(imageFile, volume.Bytes().data(), volume.Bytes().size(), mode);
}

std::optional<std::vector<ImageEntry>> ListImageFolder(const std::string& imagePath)
{
    const std::optional<ImagePath> split = SplitImagePath(imagePath);
    FatVolume volume;
    std::vector<ImageEntry> entries;
    if (!split || LoadImageFile(split->image, volume) || volume.List(split->inner, entries))
        return std::nullopt;
    return entries;
}

bool WriteNewFloppyImage(const std::string& imageFile, FloppySize size)
{
    const std::vector<uint8_t> image = NewFloppyImage(size, uint32_t(std::time(nullptr)));
    return WriteFileSafely(imageFile, image.data(), image.size());
}

void UseImagePaths()
{
    InstallNestedFileStore(&g_store);
}

std::string LastImageFailure()
{
    return g_store.LastFailure();
}

std::string WithImageReason(Msg id, const std::string& path)
{
    const std::string reason = g_store.LastFailure();
    if (reason.empty() || !SplitImagePath(path))
        return WithSaveReason(id, path); // a file on disk: what the system said
    return Tr(id) + "\n\n" + reason;
}

std::vector<std::string> MdbFilesOnDisk(const FatVolume& volume)
{
    std::vector<std::string> found;
    CollectFiles(volume, "/", 0, IsMdbFileName, found);
    return found;
}

std::vector<std::string> ArchivesOnDisk(const FatVolume& volume)
{
    std::vector<std::string> found;
    CollectFiles(volume, "/", 0, IsArchiveFileName, found);
    return found;
}

std::optional<ImageOpening> OpeningOfImage(const std::string& path)
{
    struct stat info = {};
    if (!HasImageExtension(path) || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    ImageOpening opening{JoinImagePath(path, "/"), true};
    FatVolume volume;
    if (LoadImageFile(path, volume))
        return opening; // the browse dialog shows the image, which holds nothing it can read
    std::vector<std::string> found = MdbFilesOnDisk(volume);
    if (found.empty())
        found = ArchivesOnDisk(volume);
    if (found.size() == 1)
        opening = {JoinImagePath(path, found.front()), false};
    return opening;
}

} // namespace tessaro

#include "browse/ImageFolder.h"

#include "browse/DirectoryListing.h"
#include "browse/TextCompare.h"
#include "image/ImageFiles.h"
#include "image/ImagePath.h"

#include <cerrno>
#include <map>
#include <set>

namespace tessaro {

namespace {

class EmptyMenu : public ContextMenuHandler
{
public:
    long QueryContextMenu(std::vector<MenuEntry>&, int, int) override { return 0; }
    InvokeResult InvokeCommand(int) override { return {EINVAL, false}; }
};

class ImageFolder : public ShellFolder
{
public:
    explicit ImageFolder(std::string path) : path_(std::move(path)) {}

    std::optional<std::vector<ItemId>> EnumFolders() override
    {
        const std::optional<std::vector<ImageEntry>> entries = ListImageFolder(path_);
        if (!entries)
            return std::nullopt;
        std::vector<ItemId> ids;
        for (const ImageEntry& entry : *entries) {
            if (entry.folder) {
                folders_.insert(entry.name);
                ids.push_back(entry.name);
            }
        }
        return ids;
    }

    ItemAttributes GetAttributes(const ItemId& child) override
    {
        if (auto known = attributes_.find(child); known != attributes_.end())
            return known->second;
        ItemAttributes attributes;
        attributes.folder = folders_.count(child) > 0;
        attributes.hasSubFolders = attributes.folder && ImageFolderHasFolders(JoinPath(path_, child));
        attributes.fileSystem = true;
        attributes.fileSystemAncestor = true;
        attributes_.emplace(child, attributes);
        return attributes;
    }

    std::optional<std::string> GetDisplayName(const ItemId& child, NameKind kind) override
    {
        return kind == NameKind::Normal ? child : JoinPath(path_, child);
    }

    std::shared_ptr<ShellFolder> BindToFolder(const ItemId& child) override
    {
        if (folders_.count(child) == 0)
            return nullptr;
        return MakeImageFolder(JoinPath(path_, child));
    }

    std::optional<int> Compare(const ItemId& a, const ItemId& b) override { return NaturalCompare(a, b); }

    std::unique_ptr<ContextMenuHandler> GetContextMenu(const ItemId&, long&) override { return MakeEmptyMenu(); }

private:
    std::string path_;
    std::set<std::string> folders_;
    std::map<std::string, ItemAttributes> attributes_;
};

} // namespace

bool IsImageFileEntry(const std::filesystem::directory_entry& entry)
{
    std::error_code ec;
    return HasImageExtension(entry.path().filename().string()) && entry.is_regular_file(ec);
}

bool IsImageFilePath(const std::string& path)
{
    std::error_code ec;
    return HasImageExtension(path) && std::filesystem::is_regular_file(path, ec);
}

bool ImageFolderHasFolders(const std::string& imagePath)
{
    const std::optional<std::vector<ImageEntry>> entries = ListImageFolder(imagePath);
    if (!entries)
        return false;
    for (const ImageEntry& entry : *entries) {
        if (entry.folder)
            return true;
    }
    return false;
}

std::shared_ptr<ShellFolder> MakeImageFolder(const std::string& imagePath)
{
    return std::make_shared<ImageFolder>(imagePath);
}

std::unique_ptr<ContextMenuHandler> MakeEmptyMenu()
{
    return std::make_unique<EmptyMenu>();
}

} // namespace tessaro

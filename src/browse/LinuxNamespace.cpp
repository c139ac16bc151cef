#include "browse/LinuxNamespace.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <pwd.h>
#include <set>
#include <unistd.h>

#include "browse/DirectoryListing.h"
#include "browse/ImageFolder.h"
#include "browse/TextCompare.h"
#include "common/Texts.h"
#include "image/ImagePath.h"

namespace tessaro {

struct LinuxNamespace::Context
{
    LinuxPlaces places;
    DesktopActions* actions = nullptr;

    const NetworkShare* ShareMountedAt(const std::string& path) const
    {
        for (const NetworkShare& share : places.shares) {
            if (share.mountPoint == path) {
                return &share;
            }
        }
        return nullptr;
    }

    const Volume* VolumeMountedAt(const std::string& path) const
    {
        for (const Volume& volume : places.volumes) {
            if (volume.mountPoint == path) {
                return &volume;
            }
        }
        return nullptr;
    }

    bool IsOnNetwork(const std::string& path) const
    {
        for (const NetworkShare& share : places.shares) {
            const std::string& mp = share.mountPoint;
            if (!mp.empty() && path.starts_with(mp) && (path.size() == mp.size() || path[mp.size()] == '/')) {
                return true;
            }
        }
        return false;
    }
};

namespace {

using Context = LinuxNamespace::Context;

// Item ids of the root level.
constexpr std::string_view kHomeId = "home";
constexpr std::string_view kDesktopId = "desktop";
constexpr std::string_view kFileSystemId = "filesystem";
constexpr std::string_view kVolumePrefix = "volume:"; // + mount point
constexpr std::string_view kNetworkId = "network";
constexpr std::string_view kSharePrefix = "share:"; // + mount point, below Network

std::string WithoutTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Without reading it all: the first visible sub-folder answers.
bool HasVisibleSubFolder(const std::string& path)
{
    bool found = false;
    ListDirectory(path, [&](const std::filesystem::directory_entry& entry) {
        found = !IsHiddenName(entry.path().filename().string()) && (IsFolderEntry(entry) || IsImageFileEntry(entry));
        return !found;
    });
    return found;
}

int IconIndex(std::string_view name)
{
    const std::vector<std::string>& names = LinuxNamespace::IconNames();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name) {
            return static_cast<int>(i);
        }
    }
    return 0; // "folder"
}

ShellIcon Icon(std::string_view name)
{
    return {IconIndex(name), std::string(name)};
}

// "Open in file manager", "Copy path" and "New folder" for a folder.
class FolderMenu : public ContextMenuHandler
{
public:
    FolderMenu(std::string path, DesktopActions* actions) : path_(std::move(path)), actions_(actions) {}

    long QueryContextMenu(std::vector<MenuEntry>& menu, int firstId, int lastId) override
    {
        commands_.clear();
        if (actions_) {
            commands_.push_back(Command::Open);
            commands_.push_back(Command::CopyPath);
        }
        commands_.push_back(Command::NewFolder);
        for (std::size_t i = 0; i < commands_.size() && firstId + static_cast<int>(i) <= lastId; ++i) {
            menu.push_back({firstId + static_cast<int>(i), Tr(CaptionOf(commands_[i]))});
        }
        return 0;
    }

    InvokeResult InvokeCommand(int offset) override
    {
        if (offset < 0 || static_cast<std::size_t>(offset) >= commands_.size()) {
            return {EINVAL, false};
        }
        switch (commands_[static_cast<std::size_t>(offset)]) {
        case Command::Open:
            return {actions_->OpenInFileManager(path_) ? 0 : EIO, false};
        case Command::CopyPath:
            return {actions_->CopyToClipboard(path_) ? 0 : EIO, false};
        case Command::NewFolder:
            return NewFolder();
        }
        return {EINVAL, false};
    }

private:
    enum class Command
    {
        Open,
        CopyPath,
        NewFolder
    };

    static Caption CaptionOf(Command command)
    {
        switch (command) {
        case Command::Open:
            return Caption::OpenInFileManager;
        case Command::CopyPath:
            return Caption::CopyPath;
        case Command::NewFolder:
            break;
        }
        return Caption::NewFolder;
    }

    // "New folder", or "New folder (2)" and so on when that name is taken.
    InvokeResult NewFolder()
    {
        const std::string base = Tr(Caption::NewFolder);
        for (int n = 1; n < 1000; ++n) {
            std::string name = n == 1 ? base : base + " (" + std::to_string(n) + ")";
            std::error_code ec;
            if (std::filesystem::create_directory(std::filesystem::path(JoinPath(path_, name)), ec)) {
                return {0, true};
            }
            if (ec) {
                return {ec.value(), false};
            }
            // false without an error: the name exists; try the next one
        }
        return {EEXIST, false};
    }

    std::string path_;
    DesktopActions* actions_;
    std::vector<Command> commands_;
};

// The menu of a place that is no folder (Network): nothing to offer.
class EmptyMenu : public ContextMenuHandler
{
public:
    long QueryContextMenu(std::vector<MenuEntry>&, int, int) override { return 0; }
    InvokeResult InvokeCommand(int) override { return {EINVAL, false}; }
};

std::unique_ptr<ContextMenuHandler> MenuForFolder(const std::string& path, const Context& context,
                                                  long& failureCode)
{
    if (!IsFolderPath(path)) {
        failureCode = ENOENT;
        return nullptr;
    }
    return std::make_unique<FolderMenu>(path, context.actions);
}

class DirectoryFolder : public ShellFolder
{
public:
    DirectoryFolder(std::shared_ptr<const Context> context, std::string path)
        : context_(std::move(context)), path_(std::move(path))
    {
    }

    std::optional<std::vector<ItemId>> EnumFolders() override
    {
        std::vector<ItemId> ids;
        bool opened = ListDirectory(path_, [&](const std::filesystem::directory_entry& entry) {
            std::string name = entry.path().filename().string();
            if (!IsHiddenName(name) && IsFolderEntry(entry)) {
                listedFolders_.insert(name);
                ids.push_back(std::move(name));
            } else if (!IsHiddenName(name) && IsImageFileEntry(entry)) {
                listedImages_.insert(name); // opens like a folder
                ids.push_back(std::move(name));
            }
            return true;
        });
        if (!opened) {
            return std::nullopt;
        }
        return ids;
    }

    ItemAttributes GetAttributes(const ItemId& child) override
    {
        // Asked again by every path search: the sub-folder probe is done once per child.
        if (auto known = attributes_.find(child); known != attributes_.end()) {
            return known->second;
        }
        const std::string path = JoinPath(path_, child);
        ItemAttributes attributes;
        if (listedImages_.count(child) > 0) {
            attributes.folder = attributes.fileSystem = attributes.fileSystemAncestor = true;
            attributes.hasSubFolders = ImageFolderHasFolders(JoinImagePath(path, "/"));
            attributes_.emplace(child, attributes);
            return attributes;
        }
        attributes.folder = listedFolders_.count(child) > 0 || IsFolderPath(path);
        // Network folders are not looked into before the user opens them.
        attributes.hasSubFolders =
            attributes.folder && (context_->IsOnNetwork(path) || HasVisibleSubFolder(path));
        attributes.fileSystem = true;
        attributes.fileSystemAncestor = true;
        attributes_.emplace(child, attributes);
        return attributes;
    }

    std::optional<std::string> GetDisplayName(const ItemId& child, NameKind kind) override
    {
        if (kind == NameKind::Normal) {
            return child;
        }
        const std::string path = JoinPath(path_, child);
        const NetworkShare* share = context_->ShareMountedAt(path);
        return share ? share->parsingName : path;
    }

    std::shared_ptr<ShellFolder> BindToFolder(const ItemId& child) override
    {
        const std::string path = JoinPath(path_, child);
        if (listedImages_.count(child) > 0) {
            return MakeImageFolder(JoinImagePath(path, "/"));
        }
        if (listedFolders_.count(child) == 0 && !IsFolderPath(path)) {
            return nullptr;
        }
        return std::make_shared<DirectoryFolder>(context_, path);
    }

    std::optional<int> Compare(const ItemId& a, const ItemId& b) override { return NaturalCompare(a, b); }

    std::unique_ptr<ContextMenuHandler> GetContextMenu(const ItemId& child, long& failureCode) override
    {
        if (listedImages_.count(child) > 0) {
            return MakeEmptyMenu();
        }
        return MenuForFolder(JoinPath(path_, child), *context_, failureCode);
    }

private:
    std::shared_ptr<const Context> context_;
    std::string path_;
    std::set<std::string> listedFolders_; // known to be folders without asking again
    std::set<std::string> listedImages_;  // floppy images, shown as folders
    std::map<std::string, ItemAttributes> attributes_;
};

// The mounted network shares.
class NetworkFolder : public ShellFolder
{
public:
    explicit NetworkFolder(std::shared_ptr<const Context> context) : context_(std::move(context)) {}

    std::optional<std::vector<ItemId>> EnumFolders() override
    {
        std::vector<ItemId> ids;
        for (const NetworkShare& share : context_->places.shares) {
            ids.push_back(std::string(kSharePrefix) + share.mountPoint);
        }
        return ids;
    }

    ItemAttributes GetAttributes(const ItemId& child) override
    {
        if (!ShareOf(child)) {
            return {};
        }
        return {true, true, true, true}; // not looked into before the user opens it
    }

    std::optional<std::string> GetDisplayName(const ItemId& child, NameKind kind) override
    {
        const NetworkShare* share = ShareOf(child);
        if (!share) {
            return std::nullopt;
        }
        return kind == NameKind::Normal ? share->name : share->parsingName;
    }

    std::shared_ptr<ShellFolder> BindToFolder(const ItemId& child) override
    {
        // No look at the share itself: binding must not wait for the network.
        const NetworkShare* share = ShareOf(child);
        return share ? std::make_shared<DirectoryFolder>(context_, share->mountPoint) : nullptr;
    }

    std::optional<int> Compare(const ItemId& a, const ItemId& b) override
    {
        const NetworkShare* x = ShareOf(a);
        const NetworkShare* y = ShareOf(b);
        if (!x || !y) {
            return std::nullopt;
        }
        int order = NaturalCompare(x->name, y->name, UserLocale());
        return order != 0 ? order : NaturalCompare(a, b);
    }

    std::unique_ptr<ContextMenuHandler> GetContextMenu(const ItemId& child, long& failureCode) override
    {
        const NetworkShare* share = ShareOf(child);
        if (!share) {
            failureCode = ENOENT;
            return nullptr;
        }
        return MenuForFolder(share->mountPoint, *context_, failureCode);
    }

private:
    const NetworkShare* ShareOf(const ItemId& id) const
    {
        if (!id.starts_with(kSharePrefix)) {
            return nullptr;
        }
        return context_->ShareMountedAt(id.substr(kSharePrefix.size()));
    }

    std::shared_ptr<const Context> context_;
};

// The virtual desktop.
class RootFolder : public ShellFolder
{
public:
    explicit RootFolder(std::shared_ptr<const Context> context) : context_(std::move(context)) {}

    std::optional<std::vector<ItemId>> EnumFolders() override
    {
        const LinuxPlaces& places = context_->places;
        std::vector<ItemId> ids;
        if (!places.home.empty()) {
            ids.emplace_back(kHomeId);
        }
        if (!places.desktop.empty() && places.desktop != places.home && IsFolderPath(places.desktop)) {
            ids.emplace_back(kDesktopId);
        }
        ids.emplace_back(kFileSystemId);
        for (const Volume& volume : places.volumes) {
            ids.push_back(std::string(kVolumePrefix) + volume.mountPoint);
        }
        ids.emplace_back(kNetworkId);
        return ids;
    }

    ItemAttributes GetAttributes(const ItemId& child) override
    {
        if (child == kNetworkId) {
            return {true, !context_->places.shares.empty(), false, true};
        }
        std::optional<std::string> path = PathOf(child);
        if (!path) {
            return {};
        }
        return {true, HasVisibleSubFolder(*path), true, true};
    }

    std::optional<std::string> GetDisplayName(const ItemId& child, NameKind kind) override
    {
        if (child == kNetworkId) {
            return kind == NameKind::Normal ? Tr(Caption::FolderNetwork) : std::string("//");
        }
        std::optional<std::string> path = PathOf(child);
        if (!path || kind == NameKind::Parsing) {
            return path;
        }
        if (child == kHomeId) {
            return Tr(Caption::FolderHome);
        }
        if (child == kDesktopId) {
            return Tr(Caption::FolderDesktop);
        }
        if (child == kFileSystemId) {
            return Tr(Caption::FolderFileSystem);
        }
        const Volume* volume = context_->VolumeMountedAt(*path);
        return volume ? volume->name : *path;
    }

    std::shared_ptr<ShellFolder> BindToFolder(const ItemId& child) override
    {
        if (child == kNetworkId) {
            return std::make_shared<NetworkFolder>(context_);
        }
        std::optional<std::string> path = PathOf(child);
        if (!path || !IsFolderPath(*path)) {
            return nullptr;
        }
        return std::make_shared<DirectoryFolder>(context_, *path);
    }

    std::optional<int> Compare(const ItemId& a, const ItemId& b) override
    {
        int rankA = Rank(a);
        int rankB = Rank(b);
        if (rankA != rankB) {
            return rankA < rankB ? -1 : 1;
        }
        std::optional<std::string> nameA = GetDisplayName(a, NameKind::Normal);
        std::optional<std::string> nameB = GetDisplayName(b, NameKind::Normal);
        int order = nameA && nameB ? NaturalCompare(*nameA, *nameB, UserLocale()) : 0;
        return order != 0 ? order : NaturalCompare(a, b);
    }

    std::unique_ptr<ContextMenuHandler> GetContextMenu(const ItemId& child, long& failureCode) override
    {
        if (child == kNetworkId) {
            return std::make_unique<EmptyMenu>();
        }
        std::optional<std::string> path = PathOf(child);
        if (!path) {
            failureCode = ENOENT;
            return nullptr;
        }
        return MenuForFolder(*path, *context_, failureCode);
    }

private:
    // The fixed order of the root: the user's folders, the system, the volumes, the network.
    static int Rank(const ItemId& id)
    {
        if (id == kHomeId) {
            return 0;
        }
        if (id == kDesktopId) {
            return 1;
        }
        if (id == kFileSystemId) {
            return 2;
        }
        if (id.starts_with(kVolumePrefix)) {
            return 3;
        }
        return 4;
    }

    std::optional<std::string> PathOf(const ItemId& id) const
    {
        const LinuxPlaces& places = context_->places;
        if (id == kHomeId && !places.home.empty()) {
            return places.home;
        }
        if (id == kDesktopId && !places.desktop.empty()) {
            return places.desktop;
        }
        if (id == kFileSystemId) {
            return std::string("/");
        }
        if (id.starts_with(kVolumePrefix)) {
            std::string mountPoint = id.substr(kVolumePrefix.size());
            if (context_->VolumeMountedAt(mountPoint)) {
                return mountPoint;
            }
        }
        return std::nullopt;
    }

    std::shared_ptr<const Context> context_;
};

std::string HomeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home) {
        return WithoutTrailingSlashes(home);
    }
    if (const passwd* user = getpwuid(getuid()); user && user->pw_dir) {
        return WithoutTrailingSlashes(user->pw_dir);
    }
    return {};
}

std::string GvfsFolder()
{
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
        return JoinPath(runtime, "gvfs");
    }
    return "/run/user/" + std::to_string(getuid()) + "/gvfs";
}

} // namespace

std::string DesktopDirOf(std::string_view userDirsText, const std::string& home)
{
    static constexpr std::string_view kKey = "XDG_DESKTOP_DIR=";
    std::string result = JoinPath(home, "Desktop");
    while (!userDirsText.empty()) {
        std::size_t end = userDirsText.find('\n');
        std::string_view line = userDirsText.substr(0, end);
        userDirsText.remove_prefix(end == std::string_view::npos ? userDirsText.size() : end + 1);

        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
            line.remove_prefix(1);
        }
        if (!line.starts_with(kKey)) {
            continue;
        }
        std::string_view value = line.substr(kKey.size());
        while (!value.empty() && (value.back() == '\r' || value.back() == ' ')) {
            value.remove_suffix(1);
        }
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
        }
        if (value.starts_with("$HOME")) {
            result = home + std::string(value.substr(5));
        } else if (value.starts_with('/')) {
            result = value;
        } else {
            continue; // not a form the file defines
        }
        result = WithoutTrailingSlashes(result);
    }
    return result;
}

LinuxPlaces ReadLinuxPlaces()
{
    LinuxPlaces places;
    places.home = HomeFolder();
    if (!places.home.empty()) {
        std::string config;
        if (const char* configHome = std::getenv("XDG_CONFIG_HOME"); configHome && *configHome) {
            config = configHome;
        } else {
            config = JoinPath(places.home, ".config");
        }
        places.desktop = DesktopDirOf(ReadWholeFile(JoinPath(config, "user-dirs.dirs")), places.home);
    }

    MountLayout layout = ClassifyMounts(ParseMounts(ReadWholeFile("/proc/self/mounts")));
    places.volumes = std::move(layout.volumes);
    places.shares = std::move(layout.shares);

    const std::string gvfs = GvfsFolder();
    ListDirectory(gvfs, [&](const std::filesystem::directory_entry& entry) {
        std::string name = entry.path().filename().string();
        if (std::optional<NetworkShare> share = ShareOfGvfsFolder(name)) {
            share->mountPoint = JoinPath(gvfs, name);
            places.shares.push_back(std::move(*share));
        }
        return true;
    });
    return places;
}

LinuxNamespace::LinuxNamespace(DesktopActions* actions) : fixed_(false), context_(std::make_shared<Context>())
{
    context_->actions = actions;
}

LinuxNamespace::LinuxNamespace(LinuxPlaces places, DesktopActions* actions)
    : fixed_(true), context_(std::make_shared<Context>())
{
    context_->places = std::move(places);
    context_->actions = actions;
}

std::shared_ptr<ShellFolder> LinuxNamespace::GetDesktop()
{
    if (!fixed_) {
        // A fresh context: folders of the previous fill keep the places they were read with.
        auto fresh = std::make_shared<Context>();
        fresh->places = ReadLinuxPlaces();
        fresh->actions = context_->actions;
        context_ = std::move(fresh);
    }
    return std::make_shared<RootFolder>(context_);
}

std::optional<std::string> LinuxNamespace::GetFileSystemPath(const ItemIdList& item)
{
    if (item.empty()) {
        return std::nullopt;
    }
    const LinuxPlaces& places = context_->places;
    const ItemId& top = item.front();
    std::string path;
    std::size_t next = 1;
    if (top == kHomeId) {
        path = places.home;
    } else if (top == kDesktopId) {
        path = places.desktop;
    } else if (top == kFileSystemId) {
        path = "/";
    } else if (top.starts_with(kVolumePrefix)) {
        path = top.substr(kVolumePrefix.size());
    } else if (top == kNetworkId && item.size() > 1 && item[1].starts_with(kSharePrefix)) {
        path = item[1].substr(kSharePrefix.size());
        next = 2;
    }
    if (path.empty()) {
        return std::nullopt;
    }
    for (std::size_t i = next; i < item.size(); ++i) {
        path = JoinPath(path, item[i]);
        if (IsImageFilePath(path)) {
            path = JoinImagePath(path, "/"); // what lies below is inside the image
        }
    }
    return path;
}

ShellIcon LinuxNamespace::GetIcon(const ItemIdList& item, bool open)
{
    if (item.size() == 1) {
        const ItemId& top = item.front();
        if (top == kHomeId) {
            return Icon("user-home");
        }
        if (top == kDesktopId) {
            return Icon("user-desktop");
        }
        if (top == kFileSystemId) {
            return Icon("drive-harddisk");
        }
        if (top == kNetworkId) {
            return Icon("network-workgroup");
        }
    }
    std::optional<std::string> path = GetFileSystemPath(item);
    if (!path) {
        return {};
    }
    if (context_->ShareMountedAt(*path)) {
        return Icon("folder-remote");
    }
    if (const std::optional<ImagePath> image = SplitImagePath(*path); image && image->inner == "/") {
        return Icon("media-floppy");
    }
    if (const Volume* volume = context_->VolumeMountedAt(*path)) {
        return Icon(volume->icon);
    }
    return Icon(open ? "folder-open" : "folder");
}

const std::vector<std::string>& LinuxNamespace::IconNames()
{
    static const std::vector<std::string> names = {"folder",       "folder-open",    "user-home",
                                                   "user-desktop", "drive-harddisk", "drive-removable-media",
                                                   "media-floppy", "media-optical",  "network-workgroup",
                                                   "folder-remote"};
    return names;
}

} // namespace tessaro

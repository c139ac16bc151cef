#pragma once
// The shell namespace of a Linux desktop: a virtual root holding Home, Desktop
// (when there is one), File System (/), each mounted removable or external
// volume, and Network with the mounted network shares ("//host/share"). Below
// them are the real folders; names beginning with a dot are hidden. Icons are
// names of the freedesktop icon theme.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "browse/MountTable.h"
#include "browse/ShellNamespace.h"

namespace tessaro {

// What the root shows.
struct LinuxPlaces
{
    std::string home;    // empty: no Home item
    std::string desktop; // empty: no Desktop item
    std::vector<Volume> volumes;
    std::vector<NetworkShare> shares;
};

// The places of this user and machine: $HOME, the XDG desktop folder, the mount
// table and the network locations mounted by GVfs.
LinuxPlaces ReadLinuxPlaces();

// The desktop folder from the text of user-dirs.dirs; home + "/Desktop" when the
// text does not name one. "$HOME" in the value stands for home.
std::string DesktopDirOf(std::string_view userDirsText, const std::string& home);

// What the context menu needs of the desktop beyond the file system.
class DesktopActions
{
public:
    virtual ~DesktopActions() = default;
    virtual bool OpenInFileManager(const std::string& path) = 0;
    virtual bool CopyToClipboard(const std::string& text) = 0;
};

class LinuxNamespace : public ShellNamespace
{
public:
    // Reads the places anew for every GetDesktop, so that a stick plugged in
    // meanwhile shows when the tree is filled again. Without actions the menu
    // offers only "New folder".
    explicit LinuxNamespace(DesktopActions* actions = nullptr);
    // Always these places (tests).
    explicit LinuxNamespace(LinuxPlaces places, DesktopActions* actions = nullptr);

    std::shared_ptr<ShellFolder> GetDesktop() override;
    std::optional<std::string> GetFileSystemPath(const ItemIdList& item) override;
    ShellIcon GetIcon(const ItemIdList& item, bool open) override;

    // Every icon name this namespace gives out; an icon's index is its position here.
    static const std::vector<std::string>& IconNames();

    struct Context; // what the folders share: the places and the actions

private:
    bool fixed_;
    std::shared_ptr<Context> context_;
};

} // namespace tessaro

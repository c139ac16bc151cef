#pragma once
// The shell namespace the folder tree shows: a virtual desktop root whose levels
// are read one folder at a time. The Linux namespace builds it from the user's
// folders and the mount table; tests use an in-memory one.

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tessaro {

// One level of an item id: opaque to the tree, meaningful to the folder that issued it.
using ItemId = std::string;
// An item from the desktop down: one ItemId per level. The desktop itself is the empty list.
using ItemIdList = std::vector<ItemId>;

struct ItemAttributes
{
    bool folder = false;
    bool hasSubFolders = false;
    bool fileSystem = false;         // has a file-system path
    bool fileSystemAncestor = false; // holds items that have one
};

enum class NameKind
{
    Normal,  // what the user reads
    Parsing, // a file-system path, or "//host/share" for the network
};

// An icon of the desktop's icon theme: a name for QIcon::fromTheme and a small
// number that is the same for every item showing that icon.
struct ShellIcon
{
    int index = -1; // -1: no icon
    std::string name;
};

struct MenuEntry
{
    int id = 0;
    std::string text; // UTF-8
};

// Failure codes are 0 for success, otherwise the reason (an errno value on Linux).
struct InvokeResult
{
    long failureCode = 0;
    bool childrenChanged = false; // the folder's sub-folders changed (e.g. a new folder)
};

class ContextMenuHandler
{
public:
    virtual ~ContextMenuHandler() = default;
    // Appends the item's commands with ids from firstId up to lastId; 0 or a failure code.
    virtual long QueryContextMenu(std::vector<MenuEntry>& menu, int firstId, int lastId) = 0;
    // Runs the command at offset (chosen id minus firstId).
    virtual InvokeResult InvokeCommand(int offset) = 0;
};

// A folder bound for reading. Child ids are those it returned from EnumFolders.
class ShellFolder
{
public:
    virtual ~ShellFolder() = default;
    // Sub-folders, hidden ones left out; std::nullopt when the folder cannot be read.
    virtual std::optional<std::vector<ItemId>> EnumFolders() = 0;
    virtual ItemAttributes GetAttributes(const ItemId& child) = 0;
    virtual std::optional<std::string> GetDisplayName(const ItemId& child, NameKind kind) = 0;
    // nullptr when the child cannot be opened as a folder.
    virtual std::shared_ptr<ShellFolder> BindToFolder(const ItemId& child) = 0;
    // Three-way order of two children as the file manager sorts them (negative, 0,
    // positive); std::nullopt when they cannot be compared. Must give the same
    // answer every time for the same two children.
    virtual std::optional<int> Compare(const ItemId& a, const ItemId& b) = 0;
    // nullptr with failureCode set when the child offers no menu.
    virtual std::unique_ptr<ContextMenuHandler> GetContextMenu(const ItemId& child, long& failureCode) = 0;
};

class ShellNamespace
{
public:
    virtual ~ShellNamespace() = default;
    virtual std::shared_ptr<ShellFolder> GetDesktop() = 0;
    // std::nullopt for items outside the file system.
    virtual std::optional<std::string> GetFileSystemPath(const ItemIdList& item) = 0;
    virtual ShellIcon GetIcon(const ItemIdList& item, bool open) = 0;
};

} // namespace tessaro

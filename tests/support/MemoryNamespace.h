#pragma once
// A shell namespace held in memory, for tests of the folder tree and the browse
// dialog: folders with names, paths, attributes, icons and menus as a test needs
// them, failures on request, and a count of how often each folder was read.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "browse/ShellNamespace.h"

namespace tessaro {

class MemoryNamespace : public ShellNamespace
{
public:
    struct Folder
    {
        std::string name;                  // normal display name
        std::string path;                  // file-system path; empty: outside the file system
        std::string parsingName;           // empty: the path, or the name outside the file system
        bool hidden = false;               // left out of every listing
        bool folder = true;                // false: an item the tree must not show
        bool fileSystemAncestor = false;   // for folders outside the file system
        std::optional<bool> hasSubFolders; // default: has a folder child that is not hidden
        int icon = 0;                      // system icon index; shown as "icon-<n>"
        int openIcon = 0;
        bool bindFails = false;
        bool enumFails = false;
        bool nameFails = false;        // its normal name cannot be had
        std::vector<std::string> menu; // context-menu commands
        long menuFailure = 0;          // non-zero: no context menu, with this code
        long invokeFailure = 0;        // non-zero: every command fails with this code
        bool commandChangesChildren = false;
        std::vector<Folder> children;
    };

    // The children of desktop form the top level.
    explicit MemoryNamespace(const Folder& desktop);

    // Adds a folder below the first folder named parentName ("" for the desktop).
    void AddFolder(const std::string& parentName, const Folder& folder);
    // How often the first folder of that name was listed.
    int ReadCount(const std::string& name) const;
    // Commands invoked so far, as "<folder name>:<command>".
    const std::vector<std::string>& InvokedCommands() const { return invoked_; }

    std::shared_ptr<ShellFolder> GetDesktop() override;
    std::optional<std::string> GetFileSystemPath(const ItemIdList& item) override;
    ShellIcon GetIcon(const ItemIdList& item, bool open) override;

private:
    struct Node
    {
        Folder folder; // without its children
        std::vector<int> children;
        int reads = 0;
    };
    class FolderView;
    class Menu;

    int Add(int parent, const Folder& folder);
    int Find(const std::string& name) const;
    Node* NodeOf(const ItemId& id);
    std::shared_ptr<ShellFolder> Bind(int index);

    std::vector<Node> nodes_; // node 0 is the desktop; an id is the index as text
    std::vector<std::string> invoked_;
};

} // namespace tessaro

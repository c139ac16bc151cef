#pragma once
// The folder tree of the browse dialog, without its window: reads the shell
// namespace one level at a time, sorts each level as the namespace says, keeps
// the icons in a small cache, searches its way down to a path and runs the
// folder's context menu. A view shows it through FolderTreeObserver.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "browse/ShellNamespace.h"

namespace tessaro {

// What a tree item knows of its folder.
struct FolderItemData
{
    std::shared_ptr<ShellFolder> parentFolder;
    ItemId relativeId;     // within parentFolder
    ItemIdList absoluteId; // from the desktop down
};

// One tree item. The tree owns its nodes; a node lives until its level is
// removed or the tree is refilled, so a view may keep pointers to it meanwhile.
struct FolderNode
{
    std::string text; // UTF-8
    int image = -1;   // icon slot, -1 for none
    int selectedImage = -1;
    bool hasChildrenMark = false; // expand button shown before the children are read
    bool expandedOnce = false;    // children have been read
    bool expanded = false;
    FolderItemData data;
    FolderNode* parent = nullptr; // the invisible root for the top level
    int row = 0;                  // index in parent->children
    std::vector<std::unique_ptr<FolderNode>> children;

    bool ShowsExpandButton() const { return !children.empty() || (!expandedOnce && hasChildrenMark); }
};

// Told about every change, in the order a tree model needs. parent is the
// invisible root for the top level; rows first..last are inclusive.
class FolderTreeObserver
{
public:
    virtual ~FolderTreeObserver() = default;
    virtual void BeginReset() {}
    virtual void EndReset() {}
    virtual void BeginInsert(const FolderNode* /*parent*/, int /*first*/, int /*last*/) {}
    virtual void EndInsert() {}
    virtual void BeginRemove(const FolderNode* /*parent*/, int /*first*/, int /*last*/) {}
    virtual void EndRemove() {}
    // The expand button appeared or went (a read found no sub-folders).
    virtual void NodeChanged(const FolderNode* /*node*/) {}
    virtual void ExpandedChanged(const FolderNode* /*node*/, bool /*expanded*/) {}
    virtual void SelectionChanged(const FolderNode* /*node*/) {} // nullptr: no selection
    virtual void ScrollTo(const FolderNode* /*node*/) {}
    virtual void SuspendDrawing(bool /*suspended*/) {}
};

// What the context menu needs of the window.
class ContextMenuUi
{
public:
    virtual ~ContextMenuUi() = default;
    // Shows the menu at the cursor; the chosen id, 0 when nothing was chosen.
    virtual int TrackMenu(const std::vector<MenuEntry>& menu) = 0;
    // A message box with an OK button.
    virtual void ShowMessage(const std::string& text) = 0;
};

// Lets the owner rename an item and choose its icons before it is inserted.
// path is the item's file-system path, empty when it has none. Keys are slots,
// or AddCustomIcon keys (slot + 9999). Returning false keeps the namespace's name
// and icons.
using ItemDisplayFn =
    std::function<bool(std::string& displayName, const std::string& path, int& normalKey, int& selectedKey)>;

class FolderTree
{
public:
    static constexpr int kMaxIcons = 100;
    static constexpr int kCustomKeyBase = 9999;
    static constexpr int kFirstMenuId = 1;
    static constexpr int kLastMenuId = 0x7FFF;

    explicit FolderTree(ShellNamespace& shell);
    FolderTree(const FolderTree&) = delete;
    FolderTree& operator=(const FolderTree&) = delete;

    void SetObserver(FolderTreeObserver* observer) { observer_ = observer; }

    // icon: a theme icon name or a resource path, for the view to load. Returns the
    // key (slot + 9999), or -1 when the cache is full or the icon is empty.
    int AddCustomIcon(const std::string& icon);
    int IconCount() const { return static_cast<int>(icons_.size()); }
    // The icon of a slot; empty for -1 or a slot not in use.
    const std::string& IconOf(int slot) const;

    void SetDisplayCallback(ItemDisplayFn callback) { displayCallback_ = std::move(callback); }

    // Rebuilds the tree from the desktop, selects the first top-level item and
    // then startPath when it is found.
    void FillTree(bool noNetwork, const std::string& startPath);
    bool NoNetwork() const { return noNetwork_; }

    // The selected folder's file-system path; true with an empty path for a
    // folder outside the file system, false when there is nothing to tell.
    bool GetSelectedPath(std::string& path);
    // Finds a file-system path (letter case ignored), opening levels on the way,
    // and selects it. Levels opened for nothing are closed again.
    bool SelectPath(const std::string& path);

    const FolderNode& Root() const { return root_; }
    const FolderNode* Selected() const { return selected_; }

    // Events of the view. Expanding reads a folder's children the first time.
    void OnItemExpanding(const FolderNode* node);
    void Expand(const FolderNode* node);
    void Collapse(const FolderNode* node);
    void Select(const FolderNode* node); // nullptr removes the selection
    // A right click selects the item under the cursor (or nothing); on its icon or
    // label it also shows the folder's context menu.
    void OnRightClick(const FolderNode* node, bool onIconOrLabel, ContextMenuUi& ui);

private:
    static FolderNode* Own(const FolderNode* node) { return const_cast<FolderNode*>(node); }

    void InsertChildren(const std::shared_ptr<ShellFolder>& folder, const ItemIdList& parentId,
                        FolderNode& parent);
    bool LeftOutAsNetwork(ShellFolder& folder, const ItemId& child, const std::string& displayName);
    void SetIcons(FolderNode& node, std::string& displayName);
    int MapSystemIcon(const ShellIcon& icon);
    void SortChildren(ShellFolder& folder, std::vector<std::unique_ptr<FolderNode>>& nodes);
    bool FindPathUnder(FolderNode& item, const std::string& path);
    bool SearchChildren(FolderNode& item, const std::string& path);
    void EnsureVisible(FolderNode& node);
    std::optional<std::string> ParsingNameOf(const FolderNode& node);
    void ShowContextMenu(FolderNode& node, ContextMenuUi& ui);
    void RereadChildren(FolderNode& node);
    void RemoveChildren(FolderNode& node);

    struct IconSlot
    {
        int key; // system icon index, or slot + 9999 for a custom icon
        std::string icon;
    };

    ShellNamespace& shell_;
    FolderTreeObserver* observer_ = nullptr;
    FolderTreeObserver silent_;
    std::vector<IconSlot> icons_;
    ItemDisplayFn displayCallback_;
    bool noNetwork_ = false;
    FolderNode root_;
    const FolderNode* selected_ = nullptr;

    FolderTreeObserver& Observer() { return observer_ ? *observer_ : silent_; }
};

} // namespace tessaro

#include "browse/FolderTree.h"

#include <algorithm>
#include <cstdio>

#include "browse/TextCompare.h"
#include "common/Texts.h"

namespace tessaro {

namespace {

constexpr std::string_view kNetworkPrefix = "//";

bool IsNetworkParsingName(const std::string& name)
{
    return name.starts_with(kNetworkPrefix);
}

int SlotOfKey(int key)
{
    return key >= FolderTree::kCustomKeyBase ? key - FolderTree::kCustomKeyBase : key;
}

// The two context-menu failures carry a printf "%lx" for the code.
std::string FailureText(Msg id, long code)
{
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, TextsOf(id).english, code);
    return buffer;
}

} // namespace

FolderTree::FolderTree(ShellNamespace& shell) : shell_(shell) {}

int FolderTree::AddCustomIcon(const std::string& icon)
{
    if (IconCount() >= kMaxIcons || icon.empty()) {
        return -1;
    }
    int key = IconCount() + kCustomKeyBase;
    icons_.push_back({key, icon});
    return key;
}

const std::string& FolderTree::IconOf(int slot) const
{
    static const std::string none;
    return slot >= 0 && slot < IconCount() ? icons_[static_cast<std::size_t>(slot)].icon : none;
}

int FolderTree::MapSystemIcon(const ShellIcon& icon)
{
    for (int slot = 0; slot < IconCount(); ++slot) {
        if (icons_[static_cast<std::size_t>(slot)].key == icon.index) {
            return slot;
        }
    }
    if (IconCount() >= kMaxIcons || icon.index < 0 || icon.name.empty()) {
        return -1;
    }
    icons_.push_back({icon.index, icon.name});
    return IconCount() - 1;
}

void FolderTree::FillTree(bool noNetwork, const std::string& startPath)
{
    noNetwork_ = noNetwork;
    Observer().BeginReset();
    root_.children.clear();
    root_.expandedOnce = true;
    selected_ = nullptr;
    Observer().EndReset();

    if (std::shared_ptr<ShellFolder> desktop = shell_.GetDesktop()) {
        InsertChildren(desktop, ItemIdList{}, root_);
    }
    if (!root_.children.empty()) {
        Select(root_.children.front().get());
    }
    if (!startPath.empty()) {
        SelectPath(startPath);
    }
}

void FolderTree::InsertChildren(const std::shared_ptr<ShellFolder>& folder, const ItemIdList& parentId,
                                FolderNode& parent)
{
    std::optional<std::vector<ItemId>> ids = folder->EnumFolders();
    if (!ids) {
        return;
    }
    std::vector<std::unique_ptr<FolderNode>> level;
    for (const ItemId& id : *ids) {
        ItemAttributes attributes = folder->GetAttributes(id);
        if (!attributes.folder ||
            !(attributes.hasSubFolders || attributes.fileSystem || attributes.fileSystemAncestor)) {
            continue;
        }
        std::optional<std::string> name = folder->GetDisplayName(id, NameKind::Normal);
        if (!name) {
            break; // the rest of this level stays unread, as with any read failure
        }
        if (noNetwork_ && LeftOutAsNetwork(*folder, id, *name)) {
            continue;
        }
        auto node = std::make_unique<FolderNode>();
        node->data.parentFolder = folder;
        node->data.relativeId = id;
        node->data.absoluteId = parentId;
        node->data.absoluteId.push_back(id);
        node->hasChildrenMark = attributes.hasSubFolders;
        node->parent = &parent;
        SetIcons(*node, *name);
        node->text = std::move(*name);
        level.push_back(std::move(node));
    }
    if (level.empty()) {
        return;
    }
    SortChildren(*folder, level);

    int first = static_cast<int>(parent.children.size());
    Observer().BeginInsert(&parent, first, first + static_cast<int>(level.size()) - 1);
    for (auto& node : level) {
        node->row = static_cast<int>(parent.children.size());
        parent.children.push_back(std::move(node));
    }
    Observer().EndInsert();
}

bool FolderTree::LeftOutAsNetwork(ShellFolder& folder, const ItemId& child, const std::string& displayName)
{
    if (StartsWithNoCase(displayName, "Netzwerk") || StartsWithNoCase(displayName, "Network")) {
        return true;
    }
    std::optional<std::string> parsing = folder.GetDisplayName(child, NameKind::Parsing);
    return parsing && IsNetworkParsingName(*parsing);
}

void FolderTree::SetIcons(FolderNode& node, std::string& displayName)
{
    if (displayCallback_) {
        std::string path = shell_.GetFileSystemPath(node.data.absoluteId).value_or(std::string());
        int normalKey = -1;
        int selectedKey = -1;
        if (displayCallback_(displayName, path, normalKey, selectedKey)) {
            node.image = SlotOfKey(normalKey);
            node.selectedImage = SlotOfKey(selectedKey);
            return;
        }
    }
    node.image = MapSystemIcon(shell_.GetIcon(node.data.absoluteId, false));
    node.selectedImage = MapSystemIcon(shell_.GetIcon(node.data.absoluteId, true));
}

void FolderTree::SortChildren(ShellFolder& folder, std::vector<std::unique_ptr<FolderNode>>& nodes)
{
    std::stable_sort(nodes.begin(), nodes.end(), [&folder](const auto& a, const auto& b) {
        std::optional<int> order = folder.Compare(a->data.relativeId, b->data.relativeId);
        return order && *order < 0; // a failed comparison counts as equal
    });
}

void FolderTree::OnItemExpanding(const FolderNode* item)
{
    FolderNode* node = Own(item);
    if (!node || node == &root_ || node->expandedOnce) {
        return;
    }
    node->expandedOnce = true;
    const FolderItemData& data = node->data;
    if (data.parentFolder) {
        if (std::shared_ptr<ShellFolder> folder = data.parentFolder->BindToFolder(data.relativeId)) {
            InsertChildren(folder, data.absoluteId, *node);
        }
    }
    if (node->children.empty() && node->hasChildrenMark) {
        Observer().NodeChanged(node); // the expand button goes
    }
}

void FolderTree::Expand(const FolderNode* item)
{
    FolderNode* node = Own(item);
    if (!node || node == &root_) {
        return;
    }
    OnItemExpanding(node);
    if (!node->expanded) {
        node->expanded = true;
        Observer().ExpandedChanged(node, true);
    }
}

void FolderTree::Collapse(const FolderNode* item)
{
    FolderNode* node = Own(item);
    if (node && node != &root_ && node->expanded) {
        node->expanded = false;
        Observer().ExpandedChanged(node, false);
    }
}

void FolderTree::Select(const FolderNode* node)
{
    if (node == &root_) {
        node = nullptr;
    }
    if (node != selected_) {
        selected_ = node;
        Observer().SelectionChanged(node);
    }
}

void FolderTree::EnsureVisible(FolderNode& node)
{
    std::vector<FolderNode*> ancestors;
    for (FolderNode* up = node.parent; up && up != &root_; up = up->parent) {
        ancestors.push_back(up);
    }
    for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it) {
        Expand(*it);
    }
    Observer().ScrollTo(&node);
}

std::optional<std::string> FolderTree::ParsingNameOf(const FolderNode& node)
{
    if (!node.data.parentFolder) {
        return std::nullopt;
    }
    return node.data.parentFolder->GetDisplayName(node.data.relativeId, NameKind::Parsing);
}

bool FolderTree::GetSelectedPath(std::string& path)
{
    path.clear();
    const FolderNode* node = selected_;
    if (!node || !node->data.parentFolder || node->data.relativeId.empty()) {
        return false;
    }
    ShellFolder& parent = *node->data.parentFolder;
    if (!parent.BindToFolder(node->data.relativeId)) {
        return false;
    }
    if (!parent.GetAttributes(node->data.relativeId).fileSystem) {
        return true; // a folder outside the file system, such as the network
    }
    std::optional<std::string> fsPath = shell_.GetFileSystemPath(node->data.absoluteId);
    if (!fsPath) {
        return false;
    }
    path = std::move(*fsPath);
    return true;
}

bool FolderTree::SelectPath(const std::string& path)
{
    Observer().SuspendDrawing(true);
    // The top level is searched like any level below it, so that a place on the top
    // level (File System "/", Home) can itself be found.
    bool found = SearchChildren(root_, path);
    Observer().SuspendDrawing(false);
    return found;
}

bool FolderTree::FindPathUnder(FolderNode& item, const std::string& path)
{
    if (noNetwork_) {
        std::optional<std::string> parsing = ParsingNameOf(item);
        if (parsing && IsNetworkParsingName(*parsing)) {
            return false; // the search never enters the network
        }
    }
    const bool wasExpanded = item.expanded;
    if (!item.expandedOnce) {
        Expand(&item);
    }
    bool found = SearchChildren(item, path);
    if (!found && item.expanded != wasExpanded) {
        Collapse(&item);
    }
    return found;
}

bool FolderTree::SearchChildren(FolderNode& item, const std::string& path)
{
    bool found = false;
    // Searching reads deeper levels only, so this level stays as it is meanwhile.
    for (std::size_t i = 0; i < item.children.size() && !found; ++i) {
        FolderNode& child = *item.children[i];
        ShellFolder& parent = *child.data.parentFolder;
        if (!parent.BindToFolder(child.data.relativeId)) {
            continue;
        }
        if (parent.GetAttributes(child.data.relativeId).fileSystem) {
            std::optional<std::string> p = shell_.GetFileSystemPath(child.data.absoluteId);
            if (!p || !StartsWithNoCase(path, *p)) {
                continue;
            }
            if (p->size() == path.size()) {
                Select(&child);
                Expand(&child);
                EnsureVisible(child);
                found = true;
            } else {
                found = FindPathUnder(child, path);
            }
        } else {
            std::optional<std::string> p = ParsingNameOf(child);
            if (!p) {
                continue;
            }
            if (!IsNetworkParsingName(*p) || StartsWithNoCase(path, *p)) {
                found = FindPathUnder(child, path);
            }
        }
    }
    return found;
}

void FolderTree::OnRightClick(const FolderNode* node, bool onIconOrLabel, ContextMenuUi& ui)
{
    Select(node);
    if (node && node != &root_ && onIconOrLabel) {
        ShowContextMenu(*Own(node), ui);
    }
}

void FolderTree::ShowContextMenu(FolderNode& node, ContextMenuUi& ui)
{
    if (!node.data.parentFolder) {
        return;
    }
    long failure = 0;
    std::unique_ptr<ContextMenuHandler> handler =
        node.data.parentFolder->GetContextMenu(node.data.relativeId, failure);
    if (!handler) {
        ui.ShowMessage(FailureText(Msg::ContextMenuHandlerFailed, failure));
        return;
    }
    std::vector<MenuEntry> menu;
    if (handler->QueryContextMenu(menu, kFirstMenuId, kLastMenuId) != 0 || menu.empty()) {
        return;
    }
    int id = ui.TrackMenu(menu);
    if (id < kFirstMenuId || id > kLastMenuId) {
        return; // nothing chosen
    }
    InvokeResult result = handler->InvokeCommand(id - kFirstMenuId);
    if (result.failureCode != 0) {
        ui.ShowMessage(FailureText(Msg::ContextMenuCommandFailed, result.failureCode));
    } else if (result.childrenChanged) {
        RereadChildren(node);
    }
}

void FolderTree::RereadChildren(FolderNode& node)
{
    for (const FolderNode* up = selected_ ? selected_->parent : nullptr; up; up = up->parent) {
        if (up == &node) {
            Select(&node); // the selected folder is about to go
            break;
        }
    }
    const bool wasExpanded = node.expanded;
    Collapse(&node);
    RemoveChildren(node);
    node.expandedOnce = false;
    node.hasChildrenMark = true;
    Observer().NodeChanged(&node);
    if (wasExpanded) {
        Expand(&node);
    }
}

void FolderTree::RemoveChildren(FolderNode& node)
{
    if (node.children.empty()) {
        return;
    }
    Observer().BeginRemove(&node, 0, static_cast<int>(node.children.size()) - 1);
    node.children.clear();
    Observer().EndRemove();
}

} // namespace tessaro

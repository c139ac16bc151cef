#include "support/MemoryNamespace.h"

#include <charconv>

#include "browse/TextCompare.h"

namespace tessaro {

class MemoryNamespace::FolderView : public ShellFolder
{
public:
    FolderView(MemoryNamespace& owner, int index) : owner_(owner), index_(index) {}

    std::optional<std::vector<ItemId>> EnumFolders() override
    {
        Node& self = owner_.nodes_[static_cast<std::size_t>(index_)];
        ++self.reads;
        if (self.folder.enumFails) {
            return std::nullopt;
        }
        std::vector<ItemId> ids;
        for (int child : self.children) {
            if (!owner_.nodes_[static_cast<std::size_t>(child)].folder.hidden) {
                ids.push_back(std::to_string(child));
            }
        }
        return ids;
    }

    ItemAttributes GetAttributes(const ItemId& child) override
    {
        const Node* node = Child(child);
        if (!node) {
            return {};
        }
        const Folder& f = node->folder;
        bool sub = false;
        for (int grandChild : node->children) {
            const Folder& g = owner_.nodes_[static_cast<std::size_t>(grandChild)].folder;
            sub = sub || (g.folder && !g.hidden);
        }
        return {f.folder, f.hasSubFolders.value_or(sub), !f.path.empty(), f.fileSystemAncestor};
    }

    std::optional<std::string> GetDisplayName(const ItemId& child, NameKind kind) override
    {
        const Node* node = Child(child);
        if (!node) {
            return std::nullopt;
        }
        const Folder& f = node->folder;
        if (kind == NameKind::Normal) {
            return f.nameFails ? std::nullopt : std::optional<std::string>(f.name);
        }
        if (!f.parsingName.empty()) {
            return f.parsingName;
        }
        return f.path.empty() ? f.name : f.path;
    }

    std::shared_ptr<ShellFolder> BindToFolder(const ItemId& child) override
    {
        const Node* node = Child(child);
        if (!node || node->folder.bindFails || !node->folder.folder) {
            return nullptr;
        }
        return owner_.Bind(Index(child));
    }

    std::optional<int> Compare(const ItemId& a, const ItemId& b) override
    {
        const Node* x = Child(a);
        const Node* y = Child(b);
        if (!x || !y) {
            return std::nullopt;
        }
        return NaturalCompare(x->folder.name, y->folder.name);
    }

    std::unique_ptr<ContextMenuHandler> GetContextMenu(const ItemId& child, long& failureCode) override;

private:
    static int Index(const ItemId& id)
    {
        int value = -1;
        std::from_chars(id.data(), id.data() + id.size(), value);
        return value;
    }

    const Node* Child(const ItemId& id) const
    {
        int index = Index(id);
        const Node& self = owner_.nodes_[static_cast<std::size_t>(index_)];
        for (int child : self.children) {
            if (child == index) {
                return &owner_.nodes_[static_cast<std::size_t>(child)];
            }
        }
        return nullptr; // not a child of this folder
    }

    MemoryNamespace& owner_;
    int index_;
};

class MemoryNamespace::Menu : public ContextMenuHandler
{
public:
    Menu(MemoryNamespace& owner, const Folder& folder) : owner_(owner), folder_(folder) {}

    long QueryContextMenu(std::vector<MenuEntry>& menu, int firstId, int lastId) override
    {
        for (std::size_t i = 0; i < folder_.menu.size() && firstId + static_cast<int>(i) <= lastId; ++i) {
            menu.push_back({firstId + static_cast<int>(i), folder_.menu[i]});
        }
        return 0;
    }

    InvokeResult InvokeCommand(int offset) override
    {
        if (offset < 0 || static_cast<std::size_t>(offset) >= folder_.menu.size()) {
            return {22, false};
        }
        if (folder_.invokeFailure != 0) {
            return {folder_.invokeFailure, false};
        }
        owner_.invoked_.push_back(folder_.name + ":" + folder_.menu[static_cast<std::size_t>(offset)]);
        return {0, folder_.commandChangesChildren};
    }

private:
    MemoryNamespace& owner_;
    Folder folder_;
};

std::unique_ptr<ContextMenuHandler> MemoryNamespace::FolderView::GetContextMenu(const ItemId& child,
                                                                                long& failureCode)
{
    const Node* node = Child(child);
    if (!node) {
        failureCode = 2;
        return nullptr;
    }
    if (node->folder.menuFailure != 0) {
        failureCode = node->folder.menuFailure;
        return nullptr;
    }
    return std::make_unique<Menu>(owner_, node->folder);
}

MemoryNamespace::MemoryNamespace(const Folder& desktop)
{
    Add(-1, desktop);
}

int MemoryNamespace::Add(int parent, const Folder& folder)
{
    int index = static_cast<int>(nodes_.size());
    Node node;
    node.folder = folder;
    node.folder.children.clear();
    nodes_.push_back(std::move(node));
    if (parent >= 0) {
        nodes_[static_cast<std::size_t>(parent)].children.push_back(index);
    }
    for (const Folder& child : folder.children) {
        Add(index, child);
    }
    return index;
}

int MemoryNamespace::Find(const std::string& name) const
{
    if (name.empty()) {
        return 0;
    }
    for (std::size_t i = 1; i < nodes_.size(); ++i) {
        if (nodes_[i].folder.name == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void MemoryNamespace::AddFolder(const std::string& parentName, const Folder& folder)
{
    int parent = Find(parentName);
    if (parent >= 0) {
        Add(parent, folder);
    }
}

int MemoryNamespace::ReadCount(const std::string& name) const
{
    int index = Find(name);
    return index < 0 ? 0 : nodes_[static_cast<std::size_t>(index)].reads;
}

std::shared_ptr<ShellFolder> MemoryNamespace::Bind(int index)
{
    return std::make_shared<FolderView>(*this, index);
}

std::shared_ptr<ShellFolder> MemoryNamespace::GetDesktop()
{
    return Bind(0);
}

MemoryNamespace::Node* MemoryNamespace::NodeOf(const ItemId& id)
{
    int index = -1;
    std::from_chars(id.data(), id.data() + id.size(), index);
    return index > 0 && static_cast<std::size_t>(index) < nodes_.size()
               ? &nodes_[static_cast<std::size_t>(index)]
               : nullptr;
}

std::optional<std::string> MemoryNamespace::GetFileSystemPath(const ItemIdList& item)
{
    const Node* node = item.empty() ? nullptr : NodeOf(item.back());
    if (!node || node->folder.path.empty()) {
        return std::nullopt;
    }
    return node->folder.path;
}

ShellIcon MemoryNamespace::GetIcon(const ItemIdList& item, bool open)
{
    const Node* node = item.empty() ? nullptr : NodeOf(item.back());
    if (!node) {
        return {};
    }
    int index = open ? node->folder.openIcon : node->folder.icon;
    return {index, "icon-" + std::to_string(index)};
}

} // namespace tessaro

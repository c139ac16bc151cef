#include "edit/CategoryTree.h"

#include <algorithm>

namespace tessaro {

CategoryTree::CategoryTree() = default;
CategoryTree::~CategoryTree() = default;

std::unique_ptr<TreeNode> CategoryTree::MakeNode(bool isCategory)
{
    // splitmix64 over a counter: cheap, well spread treap priorities, the same in every run.
    uint64_t z = (nextPriority_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return std::unique_ptr<TreeNode>(new TreeNode(isCategory, static_cast<uint32_t>(z >> 32)));
}

TreeNode* CategoryTree::FindCategory(const std::string& name) const
{
    const auto found = categoriesByName_.find(name);
    if (found == categoriesByName_.end())
        return nullptr;
    TreeNode* first = nullptr;
    int firstRow = 0;
    for (TreeNode* category : found->second) {
        if (!category->HasChildren() && !category->Payload())
            continue; // being filled: not a category yet
        const int row = found->second.size() == 1 ? 0 : category->Row();
        if (!first || row < firstRow) {
            first = category;
            firstRow = row;
        }
    }
    return first;
}

bool CategoryTree::Contains(const TreeNode* node) const
{
    if (!node)
        return false;
    if (node->IsCategory())
        return categories_.Holds(node);
    return node->parent_ && categories_.Holds(node->parent_) && node->parent_->children_.Holds(node);
}

int CategoryTree::RowFor(const NodeSequence& siblings, Place place)
{
    switch (place.kind) {
    case Place::Kind::First:
        return 0;
    case Place::Kind::Last:
        return siblings.Size();
    case Place::Kind::Before:
        return siblings.Holds(place.sibling) ? place.sibling->Row() : -1;
    case Place::Kind::After:
        return siblings.Holds(place.sibling) ? place.sibling->Row() + 1 : -1;
    }
    return -1;
}

TreeNode* CategoryTree::InsertCategoryNode(const EntryNode& labelSource, Place place)
{
    std::unique_ptr<TreeNode> category = MakeNode(true);
    category->text_ = labelSource.categoryLabel;
    category->categoryName_ = labelSource.GetCategory();
    return InsertCategory(std::move(category), place);
}

TreeNode* CategoryTree::InsertCategoryNode(std::unique_ptr<EntryNode> placeholder, Place place)
{
    if (!placeholder)
        return nullptr;
    std::unique_ptr<TreeNode> category = MakeNode(true);
    category->text_ = placeholder->categoryLabel;
    category->categoryName_ = placeholder->GetCategory();
    category->payload_ = std::move(placeholder);
    return InsertCategory(std::move(category), place);
}

TreeNode* CategoryTree::InsertCategory(std::unique_ptr<TreeNode> category, Place place)
{
    const int row = RowFor(categories_, place);
    if (row < 0)
        return nullptr;
    TreeNode* node = category.get();
    if (Notifying())
        observer_->BeginInsert(nullptr, row);
    categories_.Insert(row, std::move(category));
    entryNodes_ += static_cast<std::size_t>(node->ChildCount());
    IndexCategory(node);
    if (Notifying())
        observer_->EndInsert(nullptr, row);
    return node;
}

TreeNode* CategoryTree::InsertEntryNode(TreeNode* category, std::unique_ptr<EntryNode> entry, Place place)
{
    if (!entry || !category || !category->IsCategory() || !categories_.Holds(category))
        return nullptr;
    const int row = RowFor(category->children_, place);
    if (row < 0)
        return nullptr;
    return InsertEntryAt(category, row, std::move(entry));
}

TreeNode* CategoryTree::InsertEntryAt(TreeNode* category, int row, std::unique_ptr<EntryNode> entry)
{
    std::unique_ptr<TreeNode> node = MakeNode(false);
    node->text_ = entry->displayLabel;
    node->payload_ = std::move(entry);
    node->parent_ = category;
    TreeNode* inserted = node.get();
    category->payload_.reset(); // the first entry replaces the placeholder
    if (Notifying())
        observer_->BeginInsert(category, row);
    category->children_.Insert(row, std::move(node));
    ++entryNodes_;
    if (Notifying())
        observer_->EndInsert(category, row);
    return inserted;
}

TreeNode* CategoryTree::InsertSorted(std::unique_ptr<EntryNode> entry, const TreeNode* beforeCategory)
{
    if (!entry)
        return nullptr;
    if (TreeNode* category = FindCategory(entry->GetCategory())) {
        if (!category->HasChildren()) {
            entry->MakeMainEntry();
            return InsertEntryAt(category, 0, std::move(entry));
        }
        // The entries are in group order: the place is after the last entry not greater than this one.
        const EntryNode& e = *entry;
        const int row = category->children_.FirstRowWhere(
            [&e](const TreeNode& x) { return CompareGroup(e, *x.Payload()) < 0; });
        const TreeNode* previous = row > 0 ? category->ChildAt(row - 1) : nullptr;
        if (entry->IsSubEntry() && (!previous || CompareGroup(*previous->Payload(), *entry) != 0))
            entry->MakeMainEntry();
        return InsertEntryAt(category, row, std::move(entry));
    }
    TreeNode* category = InsertCategoryNode(*entry, Place::BeforeOrLast(beforeCategory));
    if (!category)
        return nullptr;
    entry->MakeMainEntry();
    return InsertEntryAt(category, 0, std::move(entry));
}

std::unique_ptr<TreeNode> CategoryTree::Unlink(TreeNode* node)
{
    MoveSelectionOff(node);
    TreeNode* parent = node->parent_;
    NodeSequence& siblings = parent ? parent->children_ : categories_;
    const int row = Notifying() ? node->Row() : -1;
    if (Notifying())
        observer_->BeginRemove(parent, row);
    std::unique_ptr<TreeNode> taken = siblings.Remove(node);
    if (parent) {
        --entryNodes_;
    } else {
        entryNodes_ -= static_cast<std::size_t>(taken->ChildCount());
        UnindexCategory(taken.get());
    }
    if (Notifying())
        observer_->EndRemove(parent, row);
    return taken;
}

std::unique_ptr<EntryNode> CategoryTree::TakeEntryNode(TreeNode* entry)
{
    if (!entry || !entry->IsEntry() || !Contains(entry))
        return nullptr;
    std::unique_ptr<TreeNode> node = Unlink(entry);
    return std::move(node->payload_);
}

void CategoryTree::DeleteNode(TreeNode* node)
{
    if (Contains(node))
        Unlink(node); // the node, its entries and every payload go with the returned pointer
}

void CategoryTree::Clear()
{
    if (Notifying())
        observer_->BeginReset();
    selected_ = nullptr;
    categories_.Clear();
    categoriesByName_.clear();
    entryNodes_ = 0;
    if (Notifying())
        observer_->EndReset();
}

void CategoryTree::SetText(TreeNode* node, const std::string& text)
{
    if (!Contains(node) || node->text_ == text)
        return;
    node->text_ = text;
    if (Notifying())
        observer_->TextChanged(*node);
}

void CategoryTree::RenameCategory(TreeNode* category, const std::string& name)
{
    if (!category || !category->IsCategory() || !Contains(category))
        return;
    if (EntryNode* placeholder = category->Payload()) {
        placeholder->SetCategory(name);
        placeholder->Relabel();
    }
    for (TreeNode* child = category->FirstChild(); child; child = child->NextSibling()) {
        child->Payload()->SetCategory(name);
        child->Payload()->Relabel();
    }
    MdbEntry stored; // the name as a record stores it (cut to 16 characters)
    stored.SetCategory(name);
    UnindexCategory(category);
    category->categoryName_ = stored.GetCategory();
    IndexCategory(category);
    const EntryNode* labelSource = category->Payload()       ? category->Payload()
                                   : category->HasChildren() ? category->FirstChild()->Payload()
                                                             : nullptr;
    SetText(category, labelSource ? labelSource->categoryLabel : category->categoryName_);
}

bool CategoryTree::MoveCategory(TreeNode* category, Place place)
{
    if (!category || !categories_.Holds(category) || place.sibling == category)
        return false;
    if (place.sibling && !categories_.Holds(place.sibling))
        return false;
    std::unique_ptr<TreeNode> node = Unlink(category);
    node->expanded_ = false;
    const EntryNode* labelSource = node->Payload()       ? node->Payload()
                                   : node->HasChildren() ? node->FirstChild()->Payload()
                                                         : nullptr;
    if (labelSource)
        node->text_ = labelSource->categoryLabel;
    return InsertCategory(std::move(node), place) != nullptr;
}

void CategoryTree::RelabelAll()
{
    for (TreeNode* category = FirstCategory(); category; category = category->NextSibling()) {
        if (EntryNode* placeholder = category->Payload()) {
            placeholder->Relabel();
            SetText(category, placeholder->categoryLabel);
        }
        for (TreeNode* child = category->FirstChild(); child; child = child->NextSibling()) {
            child->Payload()->Relabel();
            SetText(child, child->Payload()->displayLabel);
        }
        if (category->HasChildren())
            SetText(category, category->FirstChild()->Payload()->categoryLabel);
    }
}

void CategoryTree::Select(TreeNode* node)
{
    if (node == selected_ || (node && !Contains(node)))
        return;
    selected_ = node;
    if (Notifying())
        observer_->SelectionChanged(selected_);
}

void CategoryTree::MoveSelectionOff(const TreeNode* leaving)
{
    if (!selected_ || (selected_ != leaving && selected_->parent_ != leaving))
        return;
    // As a tree view does: the next row, else the previous one, else the parent.
    TreeNode* next = leaving->NextSibling();
    if (!next)
        next = leaving->PrevSibling();
    if (!next)
        next = leaving->parent_;
    Select(next);
}

void CategoryTree::SetExpanded(TreeNode* category, bool expanded)
{
    if (!category || !category->IsCategory() || category->expanded_ == expanded || !Contains(category))
        return;
    category->expanded_ = expanded;
    if (Notifying())
        observer_->ExpansionChanged(*category);
}

void CategoryTree::EnsureVisible(TreeNode* node)
{
    if (!Contains(node))
        return;
    if (node->IsEntry())
        SetExpanded(node->parent_, true);
    if (Notifying())
        observer_->MadeVisible(*node);
}

void CategoryTree::BeginBulkChange()
{
    if (bulkDepth_++ == 0 && observer_)
        observer_->BeginReset();
}

void CategoryTree::EndBulkChange()
{
    if (bulkDepth_ > 0 && --bulkDepth_ == 0 && observer_)
        observer_->EndReset();
}

void CategoryTree::IndexCategory(TreeNode* category)
{
    categoriesByName_[category->categoryName_].push_back(category);
}

void CategoryTree::UnindexCategory(TreeNode* category)
{
    const auto found = categoriesByName_.find(category->categoryName_);
    if (found == categoriesByName_.end())
        return;
    std::vector<TreeNode*>& named = found->second;
    named.erase(std::remove(named.begin(), named.end(), category), named.end());
    if (named.empty())
        categoriesByName_.erase(found);
}

RecordSource RecordsOf(const CategoryTree& tree)
{
    const TreeNode* category = tree.FirstCategory();
    const TreeNode* entry = nullptr;
    return [category, entry]() mutable -> const MdbEntry* {
        entry = entry ? entry->NextSibling() : category ? category->FirstChild() : nullptr;
        while (!entry && category) {
            category = category->NextSibling();
            entry = category ? category->FirstChild() : nullptr;
        }
        return entry ? &entry->Payload()->record : nullptr;
    };
}

} // namespace tessaro

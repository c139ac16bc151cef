#include "edit/CategoryTree.h"

#include "catalogue/StyleCatalogue.h"

#include <algorithm>
#include <cassert>
#include <new>
#include <utility>

namespace tessaro {

// One primitive change and what it takes to make it or undo it.
struct TreeJournal::Change
{
    enum class Kind : uint8_t
    {
        Link,       // node put at (parent, row)
        Unlink,     // node taken from (parent, row)
        Reposition, // node taken from (parent, row) to (otherParent, otherRow)
        Payload,    // node's payload swapped with `payload`
        Text,       // node's text swapped with `text`
        Name        // category's name swapped with `text`
    };
    Kind kind;
    TreeNode* node;
    TreeNode* parent = nullptr;
    int row = 0;
    TreeNode* otherParent = nullptr;
    int otherRow = 0;
    std::unique_ptr<TreeNode> detached{}; // the node while it is out of the tree
    std::unique_ptr<EntryNode> payload{};
    std::string text{};
};

TreeJournal::TreeJournal() = default;
TreeJournal::~TreeJournal() = default;
TreeJournal::TreeJournal(TreeJournal&&) noexcept = default;
TreeJournal& TreeJournal::operator=(TreeJournal&&) noexcept = default;

bool TreeJournal::IsEmpty() const
{
    return changes_.empty();
}

std::size_t TreeJournal::ChangeCount() const
{
    return changes_.size();
}

std::size_t TreeJournal::Bytes() const
{
    constexpr std::size_t kNodeBytes = sizeof(TreeNode); // the record is inside
    std::size_t bytes = changes_.capacity() * sizeof(Change);
    for (const Change& change : changes_) {
        if (change.detached)
            bytes += kNodeBytes * (1 + std::size_t(change.detached->ChildCount()));
        if (change.payload)
            bytes += sizeof(EntryNode);
        bytes += change.text.capacity();
    }
    return bytes;
}

CategoryTree::CategoryTree(const StyleCatalogue& styles)
    : nodePool_(new NodePool(sizeof(TreeNode), alignof(TreeNode))), styles_(&styles)
{
    StyleTextsChanged();
}
CategoryTree::~CategoryTree()
{
    if (!ReleaseAllNodes())
        FreeNodesInBulk();
    // Nodes a journal still holds keep their pool until they are freed.
    NodePool::Retire(nodePool_);
}

std::unique_ptr<TreeNode> CategoryTree::MakeNode(bool isCategory)
{
    // splitmix64 over a counter: cheap, well spread treap priorities, the same in every run.
    uint64_t z = (nextPriority_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return std::unique_ptr<TreeNode>(
        new (*nodePool_) TreeNode(isCategory ? styles_ : nullptr, static_cast<uint32_t>(z >> 32)));
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
    return node->parent_ && categories_.Holds(node->parent_) &&
           node->parent_->category_->children.Holds(node);
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
    category->category_->text = labelSource.GetCategory();
    category->category_->name = labelSource.GetCategory();
    return InsertCategory(std::move(category), place);
}

TreeNode* CategoryTree::InsertCategoryNode(std::unique_ptr<EntryNode> placeholder, Place place)
{
    if (!placeholder)
        return nullptr;
    std::unique_ptr<TreeNode> category = MakeNode(true);
    category->category_->text = placeholder->CategoryLabel();
    category->category_->name = placeholder->GetCategory();
    category->category_->placeholder = std::move(placeholder);
    return InsertCategory(std::move(category), place);
}

TreeNode* CategoryTree::InsertCategory(std::unique_ptr<TreeNode> category, Place place)
{
    const int row = RowFor(categories_, place);
    if (row < 0)
        return nullptr;
    TreeNode* node = category.get();
    Link(std::move(category), nullptr, row);
    return node;
}

TreeNode* CategoryTree::InsertEntryNode(TreeNode* category, std::unique_ptr<EntryNode> entry, Place place)
{
    if (!entry || !category || !category->IsCategory() || !categories_.Holds(category))
        return nullptr;
    const int row = RowFor(category->category_->children, place);
    if (row < 0)
        return nullptr;
    return InsertEntryAt(category, row, std::move(entry));
}

TreeNode* CategoryTree::InsertEntryAt(TreeNode* category, int row, std::unique_ptr<EntryNode> entry)
{
    std::unique_ptr<TreeNode> node = MakeNode(false);
    node->entry_.record = entry->record;
    TreeNode* inserted = node.get();
    if (category->category_->placeholder)
        SwapPayload(category, nullptr); // the first entry replaces the placeholder
    Link(std::move(node), category, row);
    return inserted;
}

TreeNode* CategoryTree::InsertSorted(std::unique_ptr<EntryNode> entry, const TreeNode* beforeCategory)
{
    if (!entry)
        return nullptr;
    if (TreeNode* category = FindCategory(entry->GetCategory())) {
        if (!category->HasChildren()) {
            entry->record = AsMainEntry(entry->record);
            return InsertEntryAt(category, 0, std::move(entry));
        }
        // The entries are in group order: the place is after the last entry not greater than this one.
        const EntryNode& e = *entry;
        const int row = category->category_->children.FirstRowWhere(
            [&e](const TreeNode& x) { return CompareGroup(e, *x.Payload()) < 0; });
        const TreeNode* previous = row > 0 ? category->ChildAt(row - 1) : nullptr;
        if (entry->IsSubEntry() && (!previous || CompareGroup(*previous->Payload(), *entry) != 0))
            entry->record = AsMainEntry(entry->record);
        return InsertEntryAt(category, row, std::move(entry));
    }
    TreeNode* category = InsertCategoryNode(*entry, Place::BeforeOrLast(beforeCategory));
    if (!category)
        return nullptr;
    entry->record = AsMainEntry(entry->record);
    return InsertEntryAt(category, 0, std::move(entry));
}

// ---- Primitives -------------------------------------------------------------

void CategoryTree::Attach(std::unique_ptr<TreeNode>&& node, TreeNode* parent, int row)
{
    TreeNode* attached = node.get();
    NodeSequence& siblings = parent ? parent->category_->children : categories_;
    if (Notifying())
        observer_->BeginInsert(parent, row);
    if (!parent)
        IndexCategory(attached); // the one step that needs memory, before any other
    attached->parent_ = parent;
    siblings.Insert(row, std::move(node));
    if (parent)
        ++entryNodes_;
    else
        entryNodes_ += static_cast<std::size_t>(attached->ChildCount());
    if (Notifying())
        observer_->EndInsert(parent, row);
}

void CategoryTree::Move(TreeNode* node, TreeNode* parent, int row)
{
    TreeNode* fromParent = node->parent_;
    const int fromRow = node->Row();
    std::unique_ptr<TreeNode> taken = Detach(node);
    try {
        Attach(std::move(taken), parent, row);
    } catch (const std::bad_alloc&) {
        Attach(std::move(taken), fromParent, fromRow);
        throw;
    }
}

std::unique_ptr<TreeNode> CategoryTree::Detach(TreeNode* node)
{
    MoveSelectionOff(node);
    TreeNode* parent = node->parent_;
    NodeSequence& siblings = parent ? parent->category_->children : categories_;
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

void CategoryTree::Link(std::unique_ptr<TreeNode> node, TreeNode* parent, int row)
{
    ReserveJournalRoom();
    TreeNode* linked = node.get();
    Attach(std::move(node), parent, row);
    if (journal_)
        journal_->changes_.push_back({Change::Kind::Link, linked, parent, row});
    else
        NoteUnrecorded();
}

void CategoryTree::Unlink(TreeNode* node)
{
    ReserveJournalRoom();
    TreeNode* parent = node->parent_;
    const int row = node->Row();
    std::unique_ptr<TreeNode> taken = Detach(node);
    if (journal_) {
        journal_->changes_.push_back({Change::Kind::Unlink, node, parent, row});
        journal_->changes_.back().detached = std::move(taken);
    } else {
        NoteUnrecorded();
    }
}

void CategoryTree::Reposition(TreeNode* node, TreeNode* parent, int row)
{
    ReserveJournalRoom();
    TreeNode* fromParent = node->parent_;
    const int fromRow = node->Row();
    Move(node, parent, row);
    if (journal_)
        journal_->changes_.push_back({Change::Kind::Reposition, node, fromParent, fromRow, parent, row});
    else
        NoteUnrecorded();
}

void CategoryTree::SwapPayload(TreeNode* node, std::unique_ptr<EntryNode> payload)
{
    ReserveJournalRoom();
    const std::string before = LabelBefore(*node);
    ExchangePayload(*node, payload);
    ShowNewPayload(*node, before);
    if (journal_) {
        journal_->changes_.push_back({Change::Kind::Payload, node});
        journal_->changes_.back().payload = std::move(payload);
    } else {
        NoteUnrecorded();
    }
}

std::string CategoryTree::LabelBefore(const TreeNode& node) const
{
    // Only a view needs to hear that an entry's label changed.
    return node.IsEntry() && Notifying() ? node.Text() : std::string();
}

void CategoryTree::ExchangePayload(TreeNode& node, std::unique_ptr<EntryNode>& other) noexcept
{
    // A placeholder comes and goes; an entry always has its record, which the
    // other takes in exchange, so that undo needs no memory.
    if (node.category_)
        std::swap(node.category_->placeholder, other);
    else
        std::swap(node.entry_.record, other->record);
}

void CategoryTree::ShowNewPayload(TreeNode& node, const std::string& labelBefore)
{
    if (!node.Payload())
        return;
    if (node.IsCategory())
        UpdateText(&node, node.Payload()->CategoryLabel());
    else if (Notifying() && node.Text() != labelBefore && Contains(&node))
        observer_->TextChanged(node);
}

void CategoryTree::SetText(TreeNode* node, const std::string& text)
{
    if (node->category_->text == text)
        return;
    ReserveJournalRoom();
    std::string old = node->category_->text;
    UpdateText(node, text);
    if (journal_) {
        journal_->changes_.push_back({Change::Kind::Text, node});
        journal_->changes_.back().text = std::move(old);
    } else {
        NoteUnrecorded();
    }
}

void CategoryTree::UpdateText(TreeNode* node, const std::string& text)
{
    if (node->category_->text == text)
        return;
    node->category_->text = text;
    if (Notifying() && Contains(node))
        observer_->TextChanged(*node);
}

void CategoryTree::SetCategoryName(TreeNode* category, const std::string& name)
{
    if (category->category_->name == name)
        return;
    ReserveJournalRoom();
    std::string old = category->category_->name;
    std::string renamed = name;
    RenameInIndex(category, renamed);
    if (journal_) {
        journal_->changes_.push_back({Change::Kind::Name, category});
        journal_->changes_.back().text = std::move(old);
    } else {
        NoteUnrecorded();
    }
}

void CategoryTree::NoteUnrecorded()
{
    if (!recordingRequired_ || loadDepth_ > 0)
        return;
    ++unrecordedChanges_;
    assert(!"a workspace tree changed outside a history step");
}

void CategoryTree::Apply(Change& change, bool forward)
{
    TreeNode* node = change.node;
    switch (change.kind) {
    case Change::Kind::Link:
        if (forward)
            Attach(std::move(change.detached), change.parent, change.row);
        else
            change.detached = Detach(node);
        break;
    case Change::Kind::Unlink:
        if (forward)
            change.detached = Detach(node);
        else
            Attach(std::move(change.detached), change.parent, change.row);
        break;
    case Change::Kind::Reposition:
        if (forward)
            Move(node, change.otherParent, change.otherRow);
        else
            Move(node, change.parent, change.row);
        break;
    case Change::Kind::Payload: {
        const std::string before = LabelBefore(*node);
        ExchangePayload(*node, change.payload);
        ShowNewPayload(*node, before);
        break;
    }
    case Change::Kind::Text: {
        std::string text = node->category_->text;
        UpdateText(node, change.text);
        change.text = std::move(text);
        break;
    }
    case Change::Kind::Name:
        RenameInIndex(node, change.text);
        break;
    }
}

void CategoryTree::Undo(TreeJournal& journal)
{
    TreeJournal* recording = std::exchange(journal_, nullptr);
    auto change = journal.changes_.rbegin();
    try {
        for (; change != journal.changes_.rend(); ++change)
            Apply(*change, false);
    } catch (const std::bad_alloc&) {
        // Out of memory half-way: the changes taken back are made again, so
        // the tree stays where it was.
        for (auto again = change.base(); again != journal.changes_.end(); ++again)
            Apply(*again, true);
        journal_ = recording;
        throw;
    }
    journal_ = recording;
}

void CategoryTree::Redo(TreeJournal& journal)
{
    TreeJournal* recording = std::exchange(journal_, nullptr);
    auto change = journal.changes_.begin();
    try {
        for (; change != journal.changes_.end(); ++change)
            Apply(*change, true);
    } catch (const std::bad_alloc&) {
        while (change != journal.changes_.begin())
            Apply(*--change, false);
        journal_ = recording;
        throw;
    }
    journal_ = recording;
}

// ---- Operations made of primitives ------------------------------------------

std::unique_ptr<EntryNode> CategoryTree::TakeEntryNode(TreeNode* entry)
{
    if (!entry || !entry->IsEntry() || !Contains(entry))
        return nullptr;
    auto copy = std::make_unique<EntryNode>(entry->entry_);
    Unlink(entry);
    return copy;
}

void CategoryTree::ReplaceEntry(TreeNode* node, const MdbEntry& record)
{
    if (!Contains(node) || !node->Payload())
        return;
    auto replacement = std::make_unique<EntryNode>();
    replacement->record = record;
    SwapPayload(node, std::move(replacement));
}

void CategoryTree::DeleteNode(TreeNode* node)
{
    if (Contains(node))
        Unlink(node); // with a category go its entries and every payload
}

void CategoryTree::Clear()
{
    if (Notifying())
        observer_->BeginReset();
    selected_ = nullptr;
    alsoSelected_.clear();
    if (!ReleaseAllNodes() && !FreeNodesInBulk())
        categories_.Clear();
    // The memory serves the next load, in this pane or the other.
    nodePool_->ReleaseChunks();
    categoriesByName_.clear();
    entryNodes_ = 0;
    if (Notifying())
        observer_->EndReset();
}

bool CategoryTree::ReleaseAllNodes()
{
    // The categories' parts are the only memory of the nodes outside the pool.
    std::vector<std::unique_ptr<TreeNode::CategoryPart>> parts;
    try {
        parts.reserve(std::size_t(categories_.Size()));
    } catch (const std::bad_alloc&) {
        return false;
    }
    // Only when no other tree or journal holds a node of this pool: then every
    // live slot is one of this tree's.
    if (!NodePool::ReleaseAllIfExactly(*nodePool_, NodeCount()))
        return false;
    // The slots are free but nothing is handed out before this returns: the
    // categories can still be read to take their parts.
    for (TreeNode* category = categories_.First(); category; category = category->NextSibling()) {
        category->category_->children.Abandon();
        parts.push_back(std::move(category->category_));
    }
    categories_.Abandon();
    return true;
}

bool CategoryTree::FreeNodesInBulk()
{
    std::vector<void*> nodes;
    try {
        nodes.reserve(NodeCount());
    } catch (const std::bad_alloc&) {
        return false;
    }
    // No entry's destructor runs: an entry owns nothing outside the pool. A
    // category's part goes the usual way, without the children it listed.
    for (TreeNode* category = categories_.First(); category; category = category->NextSibling()) {
        for (TreeNode* entry = category->FirstChild(); entry; entry = entry->NextSibling())
            nodes.push_back(entry);
        category->category_->children.Abandon();
        category->category_.reset();
        nodes.push_back(category);
    }
    categories_.Abandon();
    // Handed out again from the back: a next load gets them in rising order.
    std::reverse(nodes.begin(), nodes.end());
    nodePool_->FreeMany(nodes);
    return true;
}

void CategoryTree::RenameCategory(TreeNode* category, const std::string& name)
{
    if (!category || !category->IsCategory() || !Contains(category))
        return;
    if (const EntryNode* placeholder = category->Payload()) {
        MdbEntry renamed = placeholder->record;
        renamed.SetCategory(name);
        ReplaceEntry(category, renamed);
    }
    for (TreeNode* child = category->FirstChild(); child; child = child->NextSibling()) {
        MdbEntry renamed = child->Payload()->record;
        renamed.SetCategory(name);
        ReplaceEntry(child, renamed);
    }
    MdbEntry stored; // the name as a record stores it (cut to 16 characters)
    stored.SetCategory(name);
    SetCategoryName(category, stored.GetCategory());
    const EntryNode* labelSource = category->Payload()       ? category->Payload()
                                   : category->HasChildren() ? category->FirstChild()->Payload()
                                                             : nullptr;
    SetText(category, labelSource ? labelSource->CategoryLabel() : category->category_->name);
}

bool CategoryTree::MoveCategory(TreeNode* category, Place place)
{
    if (!category || !categories_.Holds(category) || place.sibling == category)
        return false;
    if (place.sibling && !categories_.Holds(place.sibling))
        return false;
    // The row among the categories without this one.
    int row = RowFor(categories_, place);
    if (row > category->Row())
        --row;
    category->category_->expanded = false;
    Reposition(category, nullptr, row);
    const EntryNode* labelSource = category->Payload()       ? category->Payload()
                                   : category->HasChildren() ? category->FirstChild()->Payload()
                                                             : nullptr;
    if (labelSource)
        SetText(category, labelSource->CategoryLabel());
    return true;
}

std::vector<bool> CategoryTree::StyleTextsChanged()
{
    std::vector<bool> changed(kStyleIndexCount);
    styleTexts_.resize(kStyleIndexCount);
    for (int index = 0; index < kStyleIndexCount; ++index) {
        std::string text = styles_->StyleTextOf(index);
        changed[std::size_t(index)] = text != styleTexts_[std::size_t(index)];
        styleTexts_[std::size_t(index)] = std::move(text);
    }
    return changed;
}

void CategoryTree::RelabelAll()
{
    // Labels are made when shown, so only a view must hear which of them changed:
    // those of the entries whose style's name is not what it was.
    const std::vector<bool> changed = StyleTextsChanged();
    const bool anyChanged = std::find(changed.begin(), changed.end(), true) != changed.end();
    for (TreeNode* category = FirstCategory(); category; category = category->NextSibling()) {
        if (const EntryNode* placeholder = category->Payload())
            UpdateText(category, placeholder->CategoryLabel());
        if (Notifying() && anyChanged) {
            for (TreeNode* child = category->FirstChild(); child; child = child->NextSibling()) {
                if (changed[std::size_t(child->entry_.record.styleIndex())])
                    observer_->TextChanged(*child);
            }
        }
        if (category->HasChildren())
            UpdateText(category, category->FirstChild()->Payload()->CategoryLabel());
    }
}

void CategoryTree::Select(TreeNode* node)
{
    if ((node == selected_ && alsoSelected_.empty()) || (node && !Contains(node)))
        return;
    selected_ = node;
    alsoSelected_.clear();
    if (Notifying())
        observer_->SelectionChanged(selected_);
}

void CategoryTree::MoveSelectionOff(const TreeNode* leaving)
{
    if (!alsoSelected_.empty() && SelectionLeaves(leaving)) {
        // Part of a multiple selection leaves: what stays is the current node alone.
        if (selected_ != leaving && selected_->parent_ != leaving) {
            Select(selected_);
            return;
        }
        alsoSelected_.clear();
    }
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
    if (!category || !category->IsCategory() || category->IsExpanded() == expanded || !Contains(category))
        return;
    category->category_->expanded = expanded;
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
    categoriesByName_[category->category_->name].push_back(category);
}

void CategoryTree::RenameInIndex(TreeNode* category, std::string& name)
{
    std::vector<TreeNode*>& named = categoriesByName_[name];
    named.reserve(named.size() + 1);
    UnindexCategory(category);
    std::swap(category->category_->name, name);
    named.push_back(category);
}

void CategoryTree::ReserveJournalRoom()
{
    if (journal_ && journal_->changes_.size() == journal_->changes_.capacity())
        journal_->changes_.reserve(2 * journal_->changes_.size() + 16);
}

void CategoryTree::UnindexCategory(TreeNode* category)
{
    const auto found = categoriesByName_.find(category->category_->name);
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

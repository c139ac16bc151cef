#include "edit/TreeBulkLoad.h"

#include "edit/CategoryTree.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <utility>

namespace tessaro {

namespace {

// CompareGroup within one category: the category bytes are equal there.
uint32_t GroupKey(const MdbEntry& record)
{
    return (uint32_t(record.styleNumber()) << 16) | record.tempo();
}

} // namespace

TreeBulkLoad::TreeBulkLoad(CategoryTree& tree) : tree_(tree) {}
TreeBulkLoad::~TreeBulkLoad() = default;

TreeBulkLoad::Category& TreeBulkLoad::CategoryOf(const MdbEntry& record)
{
    const std::string_view name = record.CategoryBytes();
    if (!categories_.empty() && categories_[last_].node->category_->name == name)
        return categories_[last_];
    if (const auto found = byName_.find(name); found != byName_.end()) {
        last_ = found->second;
        return categories_[last_];
    }
    // The node is made before its first entry's, as the one-by-one insert does,
    // so that both draw the same priorities.
    Category category;
    category.node = tree_.MakeNode(true);
    category.node->category_->text = std::string(name);
    category.node->category_->name = category.node->category_->text;
    categories_.push_back(std::move(category));
    last_ = categories_.size() - 1;
    try {
        byName_.emplace(std::string_view(categories_.back().node->category_->name), last_);
    } catch (...) {
        categories_.pop_back();
        last_ = 0;
        throw;
    }
    return categories_.back();
}

void TreeBulkLoad::Add(const MdbEntry& record)
{
    Category& category = CategoryOf(record);
    if (count_ > UINT32_MAX)
        throw std::bad_alloc(); // positions are kept in 32 bits
    std::unique_ptr<TreeNode> node = tree_.MakeNode(false);
    node->entry_.record = record;
    // Either throw leaves an entry without position: harmless, as the load is then dropped.
    fileOrder_.push_back(node.get());
    category.entries.push_back(std::move(node));
    category.positions.push_back(uint32_t(count_));
    ++count_;
}

void TreeBulkLoad::Arrange(Category& category, std::vector<uint32_t>& treePositions)
{
    std::vector<std::unique_ptr<TreeNode>>& entries = category.entries;
    // Group key above file position: one sort of plain numbers is the stable
    // sort by group that inserting in file order gives.
    std::vector<uint64_t> order(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        order[i] = (uint64_t(GroupKey(entries[i]->entry_.record)) << 32) | i;
    std::sort(order.begin(), order.end());

    std::vector<std::unique_ptr<TreeNode>> sorted(entries.size());
    for (std::size_t k = 0; k < order.size(); ++k) {
        const std::size_t i = std::size_t(order[k] & 0xFFFFFFFFu);
        const bool firstOfGroup = k == 0 || (order[k] >> 32) != (order[k - 1] >> 32);
        std::unique_ptr<TreeNode>& node = entries[i];
        EntryNode& entry = node->entry_;
        // The first entry of a category is made a main entry; so is a sub
        // entry that no earlier entry of its group stands in front of.
        if (i == 0 || (firstOfGroup && entry.IsSubEntry()))
            entry.record = AsMainEntry(entry.record);
        treePositions.push_back(category.positions[i]);
        sorted[k] = std::move(node);
    }
    entries.swap(sorted);
    category.positions = {};
}

namespace {

// Rising but for a drop every few thousand slots, at most: one per chunk.
template <class Slot> bool MostlyRising(const std::vector<Slot>& slots)
{
    std::size_t drops = 0;
    for (std::size_t i = 1; i < slots.size(); ++i)
        drops += slots[i] < slots[i - 1] ? 1 : 0;
    return drops * 4096 <= slots.size();
}

} // namespace

void TreeBulkLoad::LayOut(const std::vector<uint32_t>& treePositions)
{
    const std::size_t count = fileOrder_.size();
    // Everything is allocated before the first node changes.
    std::vector<std::pair<TreeNode*, uint32_t>> slots(count);
    for (std::size_t i = 0; i < count; ++i)
        slots[i] = {fileOrder_[i], uint32_t(i)};
    std::vector<bool> placed(count, false);
    // A pool carved afresh hands out rising addresses within each chunk (the
    // chunks themselves lie anywhere): that order is good as it is. Only
    // slots from a scattered free list are sorted.
    std::vector<uint32_t> slotOfPosition;
    if (!MostlyRising(slots)) {
        std::sort(slots.begin(), slots.end());
        slotOfPosition.resize(count);
        for (std::size_t j = 0; j < count; ++j)
            slotOfPosition[slots[j].second] = uint32_t(j);
    }
    const auto slotOf = [&slotOfPosition](uint32_t position) {
        return slotOfPosition.empty() ? position : slotOfPosition[position];
    };
    // Only the record and the priority are moved: the nodes are not linked yet.
    const auto take = [](TreeNode& to, const TreeNode& from) {
        to.entry_.record = from.entry_.record;
        to.priority_ = from.priority_;
    };

    // Slot k takes the contents of the k-th entry in tree order, following
    // each cycle of the permutation with one entry held aside.
    for (std::size_t start = 0; start < count; ++start) {
        if (placed[start])
            continue;
        TreeNode& first = *slots[start].first;
        const MdbEntry heldRecord = first.entry_.record;
        const uint32_t heldPriority = first.priority_;
        std::size_t k = start;
        std::size_t from = slotOf(treePositions[k]);
        for (;;) {
            placed[k] = true;
            if (from == start) {
                slots[k].first->entry_.record = heldRecord;
                slots[k].first->priority_ = heldPriority;
                break;
            }
            // The step after this one reads a node far away: ask for it now.
            const std::size_t next = slotOf(treePositions[from]);
            const char* ahead = reinterpret_cast<const char*>(slots[next].first);
            for (std::size_t line = 0; line < sizeof(TreeNode); line += 64)
                __builtin_prefetch(ahead + line);
            take(*slots[k].first, *slots[from].first);
            k = from;
            from = next;
        }
    }
    std::size_t k = 0;
    for (Category& category : categories_) {
        for (std::unique_ptr<TreeNode>& entry : category.entries) {
            (void)entry.release(); // the same nodes, handed out again in tree order
            entry.reset(slots[k++].first);
            entry->parent_ = category.node.get();
        }
    }
    fileOrder_ = {};
}

void TreeBulkLoad::Prepare()
{
    if (prepared_)
        return;
    std::vector<std::unique_ptr<TreeNode>> categoryNodes;
    categoryNodes.reserve(categories_.size());
    index_.reserve(categories_.size());
    std::vector<uint32_t> treePositions;
    treePositions.reserve(count_);
    for (Category& category : categories_)
        Arrange(category, treePositions);
    LayOut(treePositions);
    for (Category& category : categories_) {
        category.node->category_->children.Build(category.entries);
        index_[category.node->category_->name].push_back(category.node.get());
    }
    // Nothing below allocates but Build's one reserve, made before it moves a node.
    for (Category& category : categories_) {
        entries_ += std::size_t(category.node->ChildCount());
        categoryNodes.push_back(std::move(category.node));
    }
    sequence_.Build(categoryNodes);
    byName_.clear();
    categories_.clear();
    count_ = 0;
    prepared_ = true;
}

bool TreeBulkLoad::Commit()
{
    if (!tree_.IsEmpty() || tree_.IsRecording())
        return false;
    Prepare();
    tree_.categories_.Swap(sequence_);
    tree_.categoriesByName_ = std::move(index_);
    tree_.entryNodes_ = entries_;
    index_.clear();
    entries_ = 0;
    prepared_ = false;
    return true;
}

} // namespace tessaro

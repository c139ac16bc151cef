#pragma once
// Loading a file's records into an empty tree in bulk. The result is the tree
// that InsertSorted gives when the records are inserted one by one in file
// order (the same categories, order, labels and main/sub entries), but made in
// one pass: records are collected by category, each category is sorted once
// and its sequence built in O(n). Nothing touches the tree until Commit, so a
// load that is cancelled or runs out of memory leaves the tree as it was.
// The records are then moved between the nodes so that memory holds them in
// tree order: records arrive in any order, and every walk over the tree (search,
// listing, reports, saving) would otherwise miss the cache at each step.

#include "data/MdbEntry.h"
#include "edit/NodeSequence.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tessaro {

class CategoryTree;
class TreeNode;

class TreeBulkLoad
{
public:
    // The tree the records are for (its style names and node priorities).
    explicit TreeBulkLoad(CategoryTree& tree);
    ~TreeBulkLoad();
    TreeBulkLoad(const TreeBulkLoad&) = delete;
    TreeBulkLoad& operator=(const TreeBulkLoad&) = delete;

    // The next record in file order. May throw std::bad_alloc.
    void Add(const MdbEntry& record);
    std::size_t Count() const { return count_; }

    // Sorts and links what was collected, aside from the tree: everything that
    // may run out of memory. Done by Commit when not called before.
    void Prepare();
    // Puts every collected record into the tree, which must be empty and not
    // recording; false (nothing changed) otherwise. Once prepared, it allocates
    // nothing and cannot fail halfway. Afterwards this is empty.
    bool Commit();

private:
    struct Category
    {
        std::unique_ptr<TreeNode> node;
        std::vector<std::unique_ptr<TreeNode>> entries; // in file order until arranged, then in tree order
        std::vector<uint32_t> positions;                 // each entry's place in the file, while in file order
    };
    Category& CategoryOf(const MdbEntry& record);
    // Sorts the entries; treePositions gets their places in the file in tree order.
    void Arrange(Category& category, std::vector<uint32_t>& treePositions);
    // Moves the records between the arranged entries' nodes so that their
    // addresses rise in tree order; links each node to its category.
    void LayOut(const std::vector<uint32_t>& treePositions);

    CategoryTree& tree_;
    std::vector<Category> categories_; // in order of first appearance
    // Keyed by the category bytes of each category's first record, which stays where it is.
    std::unordered_map<std::string_view, std::size_t> byName_;
    std::size_t last_ = 0; // the category of the previous record: files come in runs
    std::size_t count_ = 0;
    std::vector<TreeNode*> fileOrder_; // every entry node in file order
    // What Prepare made: the categories in order, the tree's name index.
    bool prepared_ = false;
    NodeSequence sequence_;
    std::unordered_map<std::string, std::vector<TreeNode*>> index_;
    std::size_t entries_ = 0;
};

} // namespace tessaro

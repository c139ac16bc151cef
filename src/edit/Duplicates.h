#pragma once
// Entries that are probably the same, for merging years of floppies into one
// archive: groups are only listed, never deleted.

#include <vector>

namespace tessaro {

class CategoryTree;
class TreeNode;

struct DuplicateGroups
{
    // Every byte equal except title, in-use byte and category: the same registration.
    std::vector<std::vector<const TreeNode*>> sameRegistration;
    // The same title in the same category, ignoring letter case and leading spaces.
    std::vector<std::vector<const TreeNode*>> sameTitle;
};

// Groups of two or more entry nodes, each group in tree order, the groups in
// the order of their first entry.
DuplicateGroups FindDuplicates(const CategoryTree& tree);

} // namespace tessaro

#include "edit/Duplicates.h"

#include "edit/CategoryTree.h"
#include "edit/EntryKeys.h"

#include <algorithm>

namespace tessaro {

namespace {

using Groups = std::vector<std::vector<const TreeNode*>>;

// Groups of two or more entries with equal keys, each in tree order, the
// groups in the order of their first entry.
template <class KeyOf> Groups GroupBy(const std::vector<const TreeNode*>& entries, KeyOf keyOf)
{
    const auto recordOf = [&entries](uint32_t i) -> const MdbEntry& { return entries[i]->Payload()->record; };
    std::vector<HashedIndex> items(entries.size());
    for (uint32_t i = 0; i < entries.size(); ++i)
        items[i] = {HashOf(keyOf(recordOf(i))), i};
    // Runs come in hash order: each group is put by the tree position of its first entry.
    std::vector<std::pair<uint32_t, std::vector<const TreeNode*>>> found;
    ForEachEqualRun(
        items, [&](uint32_t a, uint32_t b) { return keyOf(recordOf(a)) == keyOf(recordOf(b)); },
        [&](const HashedIndex* first, const HashedIndex* last) {
            if (last - first < 2)
                return;
            std::vector<const TreeNode*>& group = found.emplace_back(first->index, std::vector<const TreeNode*>()).second;
            group.reserve(std::size_t(last - first));
            for (const HashedIndex* item = first; item != last; ++item)
                group.push_back(entries[item->index]);
        });
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    Groups groups;
    groups.reserve(found.size());
    for (auto& placed : found)
        groups.push_back(std::move(placed.second));
    return groups;
}

} // namespace

DuplicateGroups FindDuplicates(const CategoryTree& tree)
{
    std::vector<const TreeNode*> entries;
    entries.reserve(tree.EntryNodeCount());
    for (const TreeNode* category = tree.FirstCategory(); category; category = category->NextSibling()) {
        for (const TreeNode* entry = category->FirstChild(); entry; entry = entry->NextSibling()) {
            entries.push_back(entry);
        }
    }
    return {GroupBy(entries, RegistrationOf), GroupBy(entries, CategoryAndFoldedTitle)};
}

} // namespace tessaro

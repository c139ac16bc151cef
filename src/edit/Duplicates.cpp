#include "edit/Duplicates.h"

#include "data/Win1252.h"
#include "edit/CategoryTree.h"

#include <algorithm>
#include <string>
#include <unordered_map>

namespace tessaro {

namespace {

// The record without what names an entry: title, in-use byte and category are zeroed.
std::string RegistrationKey(const MdbEntry& record)
{
    MdbEntry key = record;
    key.SetTitle("");
    key.SetCategory("");
    key.bytes()[kInUseOffset] = 0;
    return std::string(key.bytes().begin(), key.bytes().end());
}

std::string TitleKey(const MdbEntry& record)
{
    std::string title = record.GetTitle();
    title.erase(0, std::min(title.find_first_not_of(' '), title.size()));
    // The category must match exactly; NUL cannot occur in it and separates the two.
    return record.GetCategory() + '\0' + UpperCase1252(title);
}

using Groups = std::vector<std::vector<const TreeNode*>>;

// Groups by key, keeping only groups of two or more, in the order of their first member.
template <typename KeyOf> Groups GroupBy(const std::vector<const TreeNode*>& entries, KeyOf keyOf)
{
    std::unordered_map<std::string, std::size_t> groupOfKey;
    Groups groups;
    for (const TreeNode* entry : entries) {
        const auto [found, added] = groupOfKey.emplace(keyOf(entry->Payload()->record), groups.size());
        if (added) {
            groups.emplace_back();
        }
        groups[found->second].push_back(entry);
    }
    Groups duplicates;
    for (auto& group : groups) {
        if (group.size() > 1) {
            duplicates.push_back(std::move(group));
        }
    }
    return duplicates;
}

} // namespace

DuplicateGroups FindDuplicates(const CategoryTree& tree)
{
    std::vector<const TreeNode*> entries;
    for (const TreeNode* category = tree.FirstCategory(); category; category = category->NextSibling()) {
        for (const TreeNode* entry = category->FirstChild(); entry; entry = entry->NextSibling()) {
            entries.push_back(entry);
        }
    }
    return {GroupBy(entries, RegistrationKey), GroupBy(entries, TitleKey)};
}

} // namespace tessaro

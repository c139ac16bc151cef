#pragma once
// Keys made from a record's bytes for matching and grouping a million entries
// without a string per entry: a fixed-size key, its hash, and groups found by
// sorting (hash, index) pairs. Equal keys mean equal texts, as the strings
// they stand for would compare.

#include "data/MdbEntry.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessaro {

// Category, then title, each up to its NUL and padded with zeros (a stored
// text holds no NUL, so padding cannot make two different texts equal).
struct NameKey
{
    uint64_t words[4] = {};
    bool operator==(const NameKey&) const = default;
};

NameKey CategoryAndTitle(const MdbEntry& record);
// The title without its leading spaces and in upper case (Windows-1252).
NameKey CategoryAndFoldedTitle(const MdbEntry& record);

// The record without what names an entry: title, in-use byte and category zeroed.
struct RegistrationKey
{
    uint64_t words[kRecordSize / 8] = {};
    bool operator==(const RegistrationKey&) const = default;
};

RegistrationKey RegistrationOf(const MdbEntry& record);

template <class Key> uint64_t HashOf(const Key& key)
{
    uint64_t hash = 0x9E3779B97F4A7C15ull;
    for (const uint64_t word : key.words)
        hash = (((hash << 5) | (hash >> 59)) ^ word) * 0xFF51AFD7ED558CCDull;
    hash ^= hash >> 33;
    hash *= 0xC4CEB9FE1A85EC53ull;
    return hash ^ (hash >> 33);
}

struct HashedIndex
{
    uint64_t hash;
    uint32_t index;
    auto operator<=>(const HashedIndex&) const = default;
};

// Sorts the items and calls group(first, last) for each run of items whose
// keys are equal (same hash and equal(a, b) for their indices), in rising
// index order within the run. Runs come in hash order.
template <class Equal, class Group>
void ForEachEqualRun(std::vector<HashedIndex>& items, Equal equal, Group group)
{
    std::sort(items.begin(), items.end());
    std::vector<HashedIndex> rest;
    for (std::size_t begin = 0; begin < items.size();) {
        std::size_t end = begin + 1;
        while (end < items.size() && items[end].hash == items[begin].hash)
            ++end;
        // Rarely two keys share a hash: split the run by the keys themselves.
        for (std::size_t start = begin; start < end;) {
            std::size_t out = start + 1;
            rest.clear();
            for (std::size_t k = start + 1; k < end; ++k) {
                if (equal(items[start].index, items[k].index))
                    items[out++] = items[k];
                else
                    rest.push_back(items[k]);
            }
            std::copy(rest.begin(), rest.end(), items.begin() + std::ptrdiff_t(out));
            group(items.data() + start, items.data() + out);
            start = out;
        }
        begin = end;
    }
}

} // namespace tessaro

#pragma once
// How the writers take records from their caller (the tree walks its entries in
// order): a function handing out the next record, nullptr when there is none.

#include "data/MdbEntry.h"

#include <functional>
#include <vector>

namespace tessaro {

using RecordSource = std::function<const MdbEntry*()>;

// The records of a vector, in order. The vector must outlive the source.
inline RecordSource SourceOf(const std::vector<MdbEntry>& records)
{
    std::size_t next = 0;
    return [&records, next]() mutable -> const MdbEntry* {
        return next < records.size() ? &records[next++] : nullptr;
    };
}

} // namespace tessaro

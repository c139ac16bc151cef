#pragma once
// The floor of each command: the same job over the same records done in the
// most direct way, without a tree or any general machinery. What a command
// costs beyond its floor is overhead of our own making.

#include "data/MdbEntry.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {
class StyleCatalogue;
}

namespace tessaro::bench {

// The records of an archive file, read in one go.
std::vector<MdbEntry> ReadRecords(const std::string& path);

// The order a loaded tree shows: categories by first appearance, entries
// stable by style and tempo within them.
std::vector<MdbEntry> TreeOrder(const std::vector<MdbEntry>& records);

struct FileCounts
{
    std::size_t entries = 0;
    std::size_t categories = 0;
};
// Reads the archive and counts its entries and distinct categories.
FileCounts CountFloor(const std::string& path);

struct DiffCounts
{
    std::size_t removed = 0, added = 0, changed = 0, moved = 0;
};
// Entries matched by category, title and occurrence, compared byte by byte,
// the moved ones found as those off one longest run in order.
DiffCounts DiffFloor(const std::vector<MdbEntry>& before, const std::vector<MdbEntry>& after);

struct DuplicateCounts
{
    std::size_t sameRegistration = 0; // groups of two or more
    std::size_t sameTitle = 0;
};
DuplicateCounts DuplicatesFloor(const std::vector<MdbEntry>& records);

// Whether any title holds `upperWanted`, ignoring letter case.
bool SearchFloor(const std::vector<MdbEntry>& records, std::string_view upperWanted);

// The two reports and the CSV export, formatted straight into one buffer that
// is written out whenever it fills. The bytes written.
std::size_t FormattedReportFloor(const std::vector<MdbEntry>& records, const StyleCatalogue& styles,
                                 const std::string& path);
std::size_t TabReportFloor(const std::vector<MdbEntry>& records, const StyleCatalogue& styles,
                           const std::string& path);
std::size_t ExportFloor(const std::vector<MdbEntry>& records, const StyleCatalogue& styles,
                        const std::string& path);

} // namespace tessaro::bench

#pragma once
// Records as a real collection holds them: voices and parts set, titles made
// of real words (one in ten a sub entry), 50 categories, and arriving shuffled
// as a collection merged from years of floppies does. Empty records would hide
// the cost of formatting.

#include "data/MdbEntry.h"

#include <string>
#include <vector>

namespace tessaro::bench {

// The same records for the same count and seed, in arrival order.
std::vector<MdbEntry> RealisticRecords(int count, unsigned seed = 22);

// A copy in which one record in a hundred differs: a volume, a tempo (which
// moves the entry within its category) or a title (one removed, one added).
std::vector<MdbEntry> WithOnePercentChanged(const std::vector<MdbEntry>& records);

// A folder for the benchmarks' files, removed when the program ends.
std::string BenchFile(const std::string& name);

} // namespace tessaro::bench

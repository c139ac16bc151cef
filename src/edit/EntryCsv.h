#pragma once
// A pane as a spreadsheet: one CSV row per entry in tree order under a header
// of the column names (see EntryColumns.h for the row), and back. UTF-8,
// RFC 4180, CR LF line ends.

#include "data/MdbEntry.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

class CategoryTree;

// Takes the text piece by piece; returning false stops the writing.
using TextSink = std::function<bool(const char* data, std::size_t size)>;

// The header and the row of each entry node (placeholders give none). False
// when the sink stopped it.
bool WriteEntryCsv(const CategoryTree& tree, const TextSink& sink);
std::string EntryCsvText(const CategoryTree& tree);
// Through a temporary file beside path, so a failure leaves an old file as it was.
bool WriteEntryCsvFile(const CategoryTree& tree, const std::string& path);

struct CsvImportError
{
    int line = 0;
    std::string column; // its name in the header, or its number when it has none
    std::string reason;
};

// "line L, column NAME: reason"
std::string DescribeImportError(const CsvImportError& error);

struct CsvImportResult
{
    std::vector<MdbEntry> records; // in row order; complete only without errors
    std::vector<CsvImportError> errors;
};

// Reads a CSV in the export's form. The columns are found by their header
// names (any order, any letter case); the name columns may be left out. Rows
// whose cells are all empty are passed over. Every fault is listed.
CsvImportResult ReadEntryCsv(std::string_view text);

} // namespace tessaro

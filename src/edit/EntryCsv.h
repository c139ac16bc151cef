#pragma once
// A pane as a spreadsheet: one CSV row per entry in tree order under a header
// of the column names (see EntryColumns.h for the row), and back. UTF-8,
// RFC 4180, CR LF line ends.
//
// A cell that begins with = + - @, a tab or a carriage return is written with
// a ' in front, so that a spreadsheet takes it as text and never as a formula;
// so is a cell of such a beginning after one or more '. Reading takes that one
// ' off again, so every cell reads back as it was.

#include "data/Csv.h"
#include "data/MdbEntry.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

class CategoryTree;
class TreeNode;

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

// The same, row by row as the text arrives: each good row's record goes to
// onRecord (false from it stops the reading), each fault to onError. Holds no
// more than the row being read. The number of faults.
std::size_t ReadEntryCsv(CsvTextSource source, const std::function<bool(const MdbEntry&)>& onRecord,
                         const std::function<void(const CsvImportError&)>& onError);

// A cell as the export writes it (see above) and as reading takes it back.
std::string FormulaSafeCell(std::string_view cell);
void RestoreFormulaSafeCell(std::string& cell);
// FormulaSafeCell's text as a CSV field, appended to out.
void AppendExportCell(std::string& out, std::string_view cell);

// Puts the record of an imported row into the tree at its sorted place. Rows
// in tree order, as the export writes them, keep every byte; only a sub entry
// that would stand apart from its group becomes a main entry. nullptr when the
// tree refused it.
TreeNode* InsertImportedRecord(CategoryTree& tree, const MdbEntry& record);

} // namespace tessaro

#include "edit/EntryCsv.h"

#include "data/AsciiCase.h"
#include "data/Csv.h"
#include "data/SafeFile.h"
#include "edit/CategoryTree.h"
#include "edit/EntryColumns.h"
#include "edit/EntryCsvRow.h"
#include "edit/EntryNode.h"
#include "edit/TreeNode.h"

#include <algorithm>
#include <memory>
#include <optional>

namespace tessaro {

namespace {

constexpr std::size_t kChunkSize = 64 * 1024;

std::string HeaderLine()
{
    std::vector<std::string> names;
    for (const EntryColumn& column : EntryColumns()) {
        names.push_back(column.name);
    }
    std::string line;
    AppendCsvRecord(line, names);
    return line;
}

// Which column of EntryColumns() each field of the header holds.
struct HeaderMap
{
    std::vector<std::size_t> columnOfField;
    std::vector<std::string> names; // as the header spells them
};

std::optional<std::size_t> FindColumn(const std::string& name)
{
    const std::vector<EntryColumn>& columns = EntryColumns();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (EqualsNoCase(columns[c].name, name)) {
            return c;
        }
    }
    return std::nullopt;
}

// A header name a message can show as it is: short, one line, printable.
bool IsShowable(const std::string& name)
{
    constexpr std::size_t kMaxShown = 40;
    if (name.empty() || name.size() > kMaxShown) {
        return false;
    }
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            return false;
        }
    }
    return true;
}

// The field's name in the header, or its number (from 1) where it has none to show.
std::string FieldName(const HeaderMap& header, std::size_t field)
{
    if (field < header.names.size() && IsShowable(header.names[field])) {
        return header.names[field];
    }
    return std::to_string(field + 1);
}

// Fills header from the first record; false (with errors) when it is not the export's header.
bool ReadHeader(const CsvRecord& record, HeaderMap& header, std::vector<CsvImportError>& errors)
{
    const std::vector<EntryColumn>& columns = EntryColumns();
    std::vector<bool> seen(columns.size(), false);
    const std::size_t before = errors.size();
    header.names = record.fields;
    for (std::size_t field = 0; field < record.fields.size(); ++field) {
        const std::string& name = record.fields[field];
        const std::optional<std::size_t> column = FindColumn(name);
        if (!column) {
            errors.push_back({record.line, FieldName(header, field), "not a column of an entry"});
            continue;
        }
        if (seen[*column]) {
            errors.push_back({record.line, name, "appears twice"});
            continue;
        }
        seen[*column] = true;
        header.columnOfField.push_back(*column);
    }
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (!seen[c] && IsReadBack(columns[c])) {
            errors.push_back({record.line, columns[c].name, "missing from the header"});
        }
    }
    return errors.size() == before;
}

bool AllEmpty(const std::vector<std::string>& fields)
{
    for (const std::string& field : fields) {
        if (!field.empty()) {
            return false;
        }
    }
    return true;
}

} // namespace

bool WriteEntryCsv(const CategoryTree& tree, const TextSink& sink)
{
    std::string chunk = HeaderLine();
    chunk.reserve(kChunkSize + 4096);
    EntryCsvRow row(tree.Styles());
    for (const TreeNode* category = tree.FirstCategory(); category; category = category->NextSibling()) {
        for (const TreeNode* entry = category->FirstChild(); entry; entry = entry->NextSibling()) {
            row.Append(chunk, entry->Payload()->record);
            if (chunk.size() >= kChunkSize) {
                if (!sink(chunk.data(), chunk.size())) {
                    return false;
                }
                chunk.clear();
            }
        }
    }
    return sink(chunk.data(), chunk.size());
}

std::string EntryCsvText(const CategoryTree& tree)
{
    std::string text;
    WriteEntryCsv(tree, [&text](const char* data, std::size_t size) {
        text.append(data, size);
        return true;
    });
    return text;
}

bool WriteEntryCsvFile(const CategoryTree& tree, const std::string& path)
{
    SafeFileWriter file(path);
    if (file.Failed()) {
        return false;
    }
    const bool written =
        WriteEntryCsv(tree, [&file](const char* data, std::size_t size) { return file.Write(data, size); });
    return written && file.Commit();
}

std::string DescribeImportError(const CsvImportError& error)
{
    return "line " + std::to_string(error.line) + ", column " + error.column + ": " + error.reason;
}

namespace {

std::size_t ReadRows(CsvReader& reader, const std::function<bool(const MdbEntry&)>& onRecord,
                     const std::function<void(const CsvImportError&)>& onError)
{
    const std::vector<EntryColumn>& columns = EntryColumns();
    std::size_t errorCount = 0;
    const auto fault = [&](CsvImportError error) {
        ++errorCount;
        onError(error);
    };
    CsvRecord record;
    HeaderMap header;
    bool headerRead = false;
    bool headerGood = false;
    EntryCells cells(columns.size());

    while (reader.Next(record)) {
        if (!headerRead) {
            headerRead = true;
            std::vector<CsvImportError> headerErrors;
            headerGood = ReadHeader(record, header, headerErrors);
            for (CsvImportError& error : headerErrors) {
                fault(std::move(error));
            }
            continue;
        }
        if (!headerGood || AllEmpty(record.fields)) {
            continue; // a bad header makes every row meaningless; its faults are listed
        }
        const std::size_t width = header.names.size();
        if (record.fields.size() != width) {
            const std::size_t field = std::min(record.fields.size(), width);
            fault({record.line, FieldName(header, field),
                   record.fields.size() < width
                       ? "missing: the row has " + std::to_string(record.fields.size()) +
                             " fields, the header " + std::to_string(width)
                       : "more fields than the header's " + std::to_string(width)});
            continue;
        }
        for (std::string& cell : cells) {
            cell.clear();
        }
        for (std::size_t field = 0; field < width; ++field) {
            std::string& cell = cells[header.columnOfField[field]];
            cell.swap(record.fields[field]);
            RestoreFormulaSafeCell(cell);
        }
        MdbEntry entry;
        const std::vector<CellFault> faults = RecordFromCells(cells, entry);
        for (const CellFault& cellFault : faults) {
            fault({record.line, columns[cellFault.column].name, cellFault.reason});
        }
        if (faults.empty() && !onRecord(entry)) {
            return errorCount;
        }
    }
    if (const std::optional<CsvSyntaxError>& syntax = reader.Error()) {
        fault({syntax->line, FieldName(header, syntax->field), syntax->reason});
    }
    if (!headerRead && !reader.Error()) {
        fault({1, columns.front().name, "missing: the file holds no header row"});
    }
    return errorCount;
}

// A cell a spreadsheet would take for a formula, behind any number of '.
bool BeginsLikeAFormula(std::string_view cell)
{
    const std::size_t first = cell.find_first_not_of('\'');
    if (first == std::string_view::npos) {
        return false;
    }
    const char c = cell[first];
    return c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r';
}

} // namespace

std::string FormulaSafeCell(std::string_view cell)
{
    return BeginsLikeAFormula(cell) ? "'" + std::string(cell) : std::string(cell);
}

void AppendExportCell(std::string& out, std::string_view cell)
{
    if (BeginsLikeAFormula(cell)) {
        AppendCsvField(out, FormulaSafeCell(cell));
    } else {
        AppendCsvField(out, cell);
    }
}

void RestoreFormulaSafeCell(std::string& cell)
{
    if (!cell.empty() && cell.front() == '\'' && BeginsLikeAFormula(cell)) {
        cell.erase(0, 1);
    }
}

CsvImportResult ReadEntryCsv(std::string_view text)
{
    CsvImportResult result;
    CsvReader reader(text);
    ReadRows(
        reader,
        [&result](const MdbEntry& record) {
            result.records.push_back(record);
            return true;
        },
        [&result](const CsvImportError& error) { result.errors.push_back(error); });
    return result;
}

std::size_t ReadEntryCsv(CsvTextSource source, const std::function<bool(const MdbEntry&)>& onRecord,
                         const std::function<void(const CsvImportError&)>& onError)
{
    CsvReader reader(std::move(source));
    return ReadRows(reader, onRecord, onError);
}

TreeNode* InsertImportedRecord(CategoryTree& tree, const MdbEntry& record)
{
    auto entry = std::make_unique<EntryNode>();
    entry->record = record;
    TreeNode* category = tree.FindCategory(std::string(record.CategoryBytes()));
    const TreeNode* last = category ? category->LastChild() : nullptr;
    if (category && !last) {
        return tree.InsertSorted(std::move(entry)); // a category without entries yet
    }
    if (last && CompareGroup(*last->Payload(), *entry) > 0) {
        return tree.InsertSorted(std::move(entry)); // out of tree order: the editor's own rule
    }
    // Last of its category, where the export's rows go: a main entry is taken as
    // it stands, bytes after a title's end and leading blanks included.
    if (entry->IsSubEntry() && (!last || CompareGroup(*last->Payload(), *entry) != 0)) {
        entry->record = AsMainEntry(entry->record);
    }
    if (!category) {
        category = tree.InsertCategoryNode(*entry, Place::Last());
        if (!category) {
            return nullptr;
        }
    }
    return tree.InsertEntryNode(category, std::move(entry), Place::Last());
}

} // namespace tessaro

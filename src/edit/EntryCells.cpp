// The row form of a record: cells out of a record, a record out of cells.

#include "edit/EntryCellStore.h"

#include "data/AsciiCase.h"
#include "edit/EntryNode.h"

#include <algorithm>
#include <string>

namespace tessaro {

namespace {

constexpr int kOtherBytesLength = 2 * int(kRecordSize);
constexpr char kGivenByColumn[] = "..";

constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    const char lower = AsciiLower(c);
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

// Fills the record and the known bits from a non-empty OtherBytes cell; the reason when it is malformed.
std::optional<std::string> ReadOtherBytes(const std::string& cell, MdbEntry& record,
                                          std::vector<uint8_t>& known)
{
    if (cell.size() != std::size_t(kOtherBytesLength)) {
        return "holds " + std::to_string(cell.size()) + " characters instead of " +
               std::to_string(kOtherBytesLength) + " (two hex digits, or .., for each of the " +
               std::to_string(kRecordSize) + " bytes)";
    }
    for (std::size_t i = 0; i < kRecordSize; ++i) {
        const char high = cell[2 * i];
        const char low = cell[2 * i + 1];
        if (high == '.' && low == '.') {
            continue;
        }
        if (HexValue(high) < 0 || HexValue(low) < 0) {
            return "byte " + std::to_string(i) + " is neither two hex digits nor ..";
        }
        record.bytes()[i] = uint8_t(HexValue(high) * 16 + HexValue(low));
        known[i] = 0xFF;
    }
    return std::nullopt;
}

void AddBits(std::vector<uint8_t>& bits, const std::vector<CoveredByte>& more)
{
    for (const CoveredByte& byte : more) {
        bits[byte.offset] |= byte.bits;
    }
}

} // namespace

EntryCells CellsOf(const MdbEntry& record, const StyleCatalogue& styles)
{
    const std::vector<EntryColumn>& columns = EntryColumns();
    const std::size_t disk = ColumnOf(ColumnKind::DiskStyle);
    EntryCells cells(columns.size());
    std::vector<uint8_t> given(kRecordSize, 0); // bits the filled cells give
    MdbEntry trial = record;                    // each cell is read back into it
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (!IsStoredColumn(columns[c])) {
            if (columns[c].kind != ColumnKind::DiskStyle && columns[c].kind != ColumnKind::OtherBytes) {
                cells[c] = ValueText(c, record, styles);
            }
            continue;
        }
        cells[c] = ValueText(c, record, styles);
        if (columns[c].kind == ColumnKind::StyleNumber) {
            cells[disk] = ValueText(disk, record, styles);
        }
        // A value goes into its cell only when reading it back gives the same bytes.
        if (!StoreCell(c, cells, trial) && trial == record) {
            AddBits(given, CoveredBytesOf(c));
        } else {
            trial = record;
            cells[c].clear();
            if (columns[c].kind == ColumnKind::StyleNumber) {
                cells[disk].clear();
            }
        }
    }
    std::string& other = cells[ColumnOf(ColumnKind::OtherBytes)];
    other.reserve(kOtherBytesLength);
    for (std::size_t i = 0; i < kRecordSize; ++i) {
        if (given[i] == 0xFF) {
            other += kGivenByColumn;
        } else {
            other += kHexDigits[record.bytes()[i] >> 4];
            other += kHexDigits[record.bytes()[i] & 0xF];
        }
    }
    return cells;
}

std::vector<CellFault> RecordFromCells(const EntryCells& cells, MdbEntry& record)
{
    const std::vector<EntryColumn>& columns = EntryColumns();
    const std::size_t otherColumn = ColumnOf(ColumnKind::OtherBytes);
    const std::size_t styleColumn = ColumnOf(ColumnKind::StyleNumber);
    const std::size_t diskColumn = ColumnOf(ColumnKind::DiskStyle);
    std::vector<CellFault> faults;

    record = MdbEntry();
    std::vector<uint8_t> known(kRecordSize, 0);
    bool otherRead = true;
    if (cells[otherColumn].empty()) {
        // A new entry: what no column gives is zero.
        const std::vector<uint8_t>& given = CombinedCoverage();
        for (std::size_t i = 0; i < kRecordSize; ++i) {
            known[i] = uint8_t(~given[i]);
        }
    } else if (auto reason = ReadOtherBytes(cells[otherColumn], record, known)) {
        faults.push_back({otherColumn, *reason});
        otherRead = false;
    }

    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (!IsStoredColumn(columns[c]) || cells[c].empty()) {
            continue;
        }
        if (auto fault = StoreCell(c, cells, record)) {
            faults.push_back(*fault);
            continue;
        }
        AddBits(known, CoveredBytesOf(c));
    }
    if (cells[styleColumn].empty() && !cells[diskColumn].empty()) {
        faults.push_back({diskColumn, "is given, but StyleNumber is empty"});
    }

    // Every bit must come from a cell or from OtherBytes.
    if (otherRead && faults.empty()) {
        for (std::size_t c = 0; c < columns.size(); ++c) {
            if (!IsStoredColumn(columns[c]) || !cells[c].empty()) {
                continue;
            }
            const std::vector<CoveredByte>& bytes = CoveredBytesOf(c);
            bool missing = false;
            for (const CoveredByte& byte : bytes) {
                missing = missing || (byte.bits & ~known[byte.offset]) != 0;
            }
            AddBits(known, bytes);
            if (missing) {
                faults.push_back({c, "is empty, and OtherBytes does not give its bytes either"});
            }
        }
        for (std::size_t i = 0; i < kRecordSize; ++i) {
            if (known[i] != 0xFF) {
                faults.push_back(
                    {otherColumn, "byte " + std::to_string(i) + " reads .., but no column gives it"});
                break;
            }
        }
    }

    const std::size_t subEntryColumn = ColumnOf(ColumnKind::SubEntry);
    if (!cells[subEntryColumn].empty()) {
        bool subEntry = false;
        if (auto reason = ReadFlagCell(cells[subEntryColumn], subEntry)) {
            faults.push_back({subEntryColumn, *reason});
        } else if (faults.empty() && subEntry != record.IsSubEntry()) {
            record = subEntry ? AsSubEntry(record) : AsMainEntry(record);
        }
    }

    std::stable_sort(faults.begin(), faults.end(),
                     [](const CellFault& a, const CellFault& b) { return a.column < b.column; });
    return faults;
}

} // namespace tessaro

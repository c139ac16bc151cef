#include "edit/EntryCellStore.h"

#include "catalogue/EntryRanges.h"
#include "catalogue/StyleCatalogue.h"
#include "data/AsciiCase.h"
#include "data/WholeNumber.h"
#include "data/Win1252.h"

#include <algorithm>

namespace tessaro {

namespace {

// The cell as a message quotes it: control characters escaped, a long cell cut,
// so that whatever a file holds, the message stays one readable line.
std::string Quoted(std::string_view cell)
{
    constexpr std::size_t kMaxShown = 40;
    std::size_t shown = std::min(cell.size(), kMaxShown);
    while (shown < cell.size() && shown > 0 && (static_cast<unsigned char>(cell[shown]) & 0xC0) == 0x80) {
        --shown; // not in the middle of a UTF-8 character
    }
    std::string quoted = "'";
    for (const char c : cell.substr(0, shown)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            constexpr char kDigits[] = "0123456789ABCDEF";
            quoted += {'\\', 'x', kDigits[byte >> 4], kDigits[byte & 0xF]};
        } else {
            quoted += c;
        }
    }
    return quoted + (shown < cell.size() ? "...'" : "'");
}

std::string Range(int minimum, int maximum)
{
    return std::to_string(minimum) + " to " + std::to_string(maximum);
}

// A whole number from minimum to maximum, or the reason it is none.
std::optional<std::string> ReadNumber(std::string_view cell, int minimum, int maximum, int& value)
{
    const std::optional<int> number = ParseWholeNumber(cell);
    if (!number || *number < minimum || *number > maximum) {
        return Quoted(cell) + " is not a whole number from " + Range(minimum, maximum);
    }
    value = *number;
    return std::nullopt;
}

std::optional<std::string> ReadFlag(std::string_view cell, bool& on)
{
    const std::optional<int> number = ParseWholeNumber(cell);
    if (!number || (*number != 0 && *number != 1)) {
        return Quoted(cell) + " is not 0 or 1";
    }
    on = *number == 1;
    return std::nullopt;
}

std::optional<std::string> ReadVariation(std::string_view cell, uint8_t& variation)
{
    std::string letters;
    for (const char c : cell) {
        if (c != ' ' && c != '\t') {
            letters += AsciiLower(c);
        }
    }
    if (letters.size() == 5 && letters.compare(0, 4, "main") == 0) {
        letters.erase(0, 4);
    }
    if (letters.size() != 1 || letters[0] < 'a' || letters[0] >= 'a' + kVariationCount) {
        return Quoted(cell) + " is not A, B, C or D";
    }
    variation = uint8_t(kVariationFirstByte + (letters[0] - 'a'));
    return std::nullopt;
}

// A category or title: text the record can hold, as the editor's fields take it.
std::optional<std::string> ReadRecordText(std::string_view cell, std::string& bytes)
{
    if (cell.empty()) {
        return std::string("is empty");
    }
    if (!IsRepresentable1252(cell)) {
        return Quoted(cell) + " holds characters that Windows-1252 does not have";
    }
    if (cell.find('\0') != std::string_view::npos) {
        return std::string("holds a NUL character");
    }
    bytes = FromUtf8(cell);
    if (bytes.size() > std::size_t(kEntryTextMaxChars)) {
        return Quoted(cell) + " is longer than " + std::to_string(kEntryTextMaxChars) + " characters";
    }
    return std::nullopt;
}

std::optional<CellFault> Store(std::size_t c, const EntryCells& cells, MdbEntry& record)
{
    const EntryColumn& column = EntryColumns()[c];
    const std::string& cell = cells[c];
    const auto fault = [c](std::optional<std::string> reason) -> std::optional<CellFault> {
        if (!reason) {
            return std::nullopt;
        }
        return CellFault{c, std::move(*reason)};
    };
    int number = 0;
    bool on = false;
    std::optional<std::string> reason;
    // Every on/off setting reads and stores its cell alike.
    if (IsFlagColumn(column.kind)) {
        if (!(reason = ReadFlag(cell, on))) {
            WriteNumber(column, on ? 1 : 0, record);
        }
        return fault(reason);
    }

    switch (column.kind) {
    case ColumnKind::Category:
    case ColumnKind::Title: {
        std::string bytes;
        if ((reason = ReadRecordText(cell, bytes))) {
            return fault(reason);
        }
        if (column.kind == ColumnKind::Category) {
            record.SetCategory(bytes);
        } else {
            record.SetTitle(bytes);
        }
        return std::nullopt;
    }
    case ColumnKind::StyleNumber: {
        if ((reason = ReadNumber(cell, 0, kDiskStyleMarker, number))) {
            return fault(reason);
        }
        static const std::size_t disk = ColumnOf(ColumnKind::DiskStyle);
        const std::string& diskCell = cells[disk];
        if (number < kDiskStyleMarker) {
            if (!diskCell.empty()) {
                return CellFault{disk,
                                 "must be empty unless StyleNumber is " + std::to_string(kDiskStyleMarker)};
            }
            record.setStyleIndex(number);
            return std::nullopt;
        }
        if (diskCell.empty()) {
            return CellFault{disk, "is empty, but StyleNumber " + std::to_string(kDiskStyleMarker) +
                                       " is a disk style and needs its number"};
        }
        int diskNumber = 0;
        if (auto diskFault = ReadNumber(diskCell, 1, kDiskStyleCount, diskNumber)) {
            return CellFault{disk, *diskFault};
        }
        record.setStyleIndex(kCatalogueStyleCount + diskNumber - 1);
        return std::nullopt;
    }
    case ColumnKind::Variation: {
        uint8_t variation = 0;
        if (!(reason = ReadVariation(cell, variation))) {
            WriteNumber(column, variation, record);
        }
        return fault(reason);
    }
    case ColumnKind::Tempo:
    case ColumnKind::MainVolume:
    case ColumnKind::PartVolume:
    case ColumnKind::HandVolume:
    // Any voice: the editor's lists take a voice the catalogue does not know as its own row.
    case ColumnKind::PartMsb:
    case ColumnKind::PartLsb:
    case ColumnKind::PartProgram:
    case ColumnKind::HandMsb:
    case ColumnKind::HandLsb:
    case ColumnKind::HandProgram: {
        const NumberRange range = RangeOf(column);
        if (!(reason = ReadNumber(cell, range.minimum, range.maximum, number))) {
            WriteNumber(column, number, record);
        }
        return fault(reason);
    }
    default:
        return std::nullopt;
    }
}

// The cells Store is tried with to find which bits a column occupies: every
// value it accepts, or for texts one that fills the field.
std::vector<std::pair<std::string, std::string>> ProbeValues(const EntryColumn& column)
{
    std::vector<std::pair<std::string, std::string>> values; // the cell, and the DiskStyle cell
    const auto numbers = [&values](int minimum, int maximum) {
        for (int n = minimum; n <= maximum; ++n) {
            values.emplace_back(std::to_string(n), "");
        }
    };
    switch (column.kind) {
    case ColumnKind::Category:
    case ColumnKind::Title:
        values.emplace_back("x", "");
        break;
    case ColumnKind::StyleNumber:
        numbers(0, kDiskStyleMarker - 1);
        for (int d = 1; d <= kDiskStyleCount; ++d) {
            values.emplace_back(std::to_string(kDiskStyleMarker), std::to_string(d));
        }
        break;
    case ColumnKind::Tempo:
        numbers(kTempoMin, kTempoMax);
        break;
    case ColumnKind::Variation:
        for (int v = 0; v < kVariationCount; ++v) {
            values.emplace_back(std::string(1, char('A' + v)), "");
        }
        break;
    case ColumnKind::MainVolume:
    case ColumnKind::PartVolume:
    case ColumnKind::HandVolume:
        numbers(0, kVolumeMax);
        break;
    case ColumnKind::PartMsb:
    case ColumnKind::PartLsb:
    case ColumnKind::PartProgram:
    case ColumnKind::HandMsb:
    case ColumnKind::HandLsb:
    case ColumnKind::HandProgram:
        numbers(0, 255);
        break;
    default:
        if (IsStoredColumn(column)) {
            numbers(0, 1);
        }
        break;
    }
    return values;
}

// Which bits each column's values occupy: every bit that writing one of its
// values changes, starting from all zero bits and from all one bits. Found by
// trying, so MdbEntry stays the only place that knows where a field sits.
struct Coverage
{
    std::vector<std::vector<uint8_t>> byColumn;
    std::vector<std::vector<CoveredByte>> bytesByColumn; // the same, only the bytes with bits
    std::vector<uint8_t> all;                            // bits some column occupies
};

Coverage BuildCoverage()
{
    const std::vector<EntryColumn>& columns = EntryColumns();
    Coverage coverage;
    coverage.byColumn.assign(columns.size(), std::vector<uint8_t>(kRecordSize, 0));
    coverage.all.assign(kRecordSize, 0);
    MdbEntry zeros;
    MdbEntry ones;
    ones.bytes().fill(0xFF);
    EntryCells cells(columns.size());
    const std::size_t disk = ColumnOf(ColumnKind::DiskStyle);
    for (std::size_t c = 0; c < columns.size(); ++c) {
        std::vector<uint8_t>& bits = coverage.byColumn[c];
        for (const auto& [cell, diskCell] : ProbeValues(columns[c])) {
            cells[c] = cell;
            cells[disk] = diskCell;
            for (const MdbEntry* base : {&zeros, &ones}) {
                MdbEntry trial = *base;
                if (!Store(c, cells, trial)) {
                    for (std::size_t i = 0; i < kRecordSize; ++i) {
                        bits[i] |= uint8_t(trial.bytes()[i] ^ base->bytes()[i]);
                    }
                }
            }
        }
        cells[c].clear();
        cells[disk].clear();
        std::vector<CoveredByte> bytes;
        for (std::size_t i = 0; i < kRecordSize; ++i) {
            coverage.all[i] |= bits[i];
            if (bits[i] != 0) {
                bytes.push_back({i, bits[i]});
            }
        }
        coverage.bytesByColumn.push_back(std::move(bytes));
    }
    return coverage;
}

const Coverage& TheCoverage()
{
    static const Coverage coverage = BuildCoverage();
    return coverage;
}

} // namespace

bool IsStoredColumn(const EntryColumn& column)
{
    switch (column.kind) {
    case ColumnKind::SubEntry:
    case ColumnKind::StyleName:
    case ColumnKind::PartVoiceName:
    case ColumnKind::HandVoiceName:
    case ColumnKind::DiskStyle: // stored together with StyleNumber
    case ColumnKind::OtherBytes:
        return false;
    default:
        return true;
    }
}

const std::vector<uint8_t>& CoverageOf(std::size_t column)
{
    return TheCoverage().byColumn[column];
}

const std::vector<CoveredByte>& CoveredBytesOf(std::size_t column)
{
    return TheCoverage().bytesByColumn[column];
}

const std::vector<uint8_t>& CombinedCoverage()
{
    return TheCoverage().all;
}

std::optional<std::string> ReadFlagCell(std::string_view cell, bool& on)
{
    return ReadFlag(cell, on);
}

std::optional<CellFault> StoreCell(std::size_t column, const EntryCells& cells, MdbEntry& record)
{
    return Store(column, cells, record);
}

std::optional<CellFault> EditorRangeFault(std::size_t c, const MdbEntry& record)
{
    const EntryColumn& column = EntryColumns()[c];
    if (!IsStoredColumn(column)) {
        return std::nullopt;
    }
    if (column.kind == ColumnKind::StyleNumber) {
        // Every style number from 245 on is a disk style; the editor's list has
        // a row for each but a disk style number above 250.
        if (IsEditorStyleIndex(record.styleIndex())) {
            return std::nullopt;
        }
        const std::size_t disk = ColumnOf(ColumnKind::DiskStyle);
        return CellFault{disk, Quoted(ValueText(disk, record, FixedStyleNames())) +
                                   " is not a whole number from " + Range(1, kDiskStyleCount)};
    }
    EntryCells cells(EntryColumns().size());
    cells[c] = ValueText(c, record, FixedStyleNames());
    MdbEntry trial = record;
    return Store(c, cells, trial);
}

} // namespace tessaro

#include "edit/EntryColumns.h"

#include "catalogue/EntryRanges.h"
#include "catalogue/ShownName.h"
#include "catalogue/StyleCatalogue.h"
#include "catalogue/VoiceCatalogue.h"
#include "data/AsciiCase.h"
#include "data/EntryNode.h"
#include "data/Win1252.h"
#include "data/WholeNumber.h"

#include <algorithm>
#include <optional>

namespace tessaro {

namespace {

constexpr const char* kPartNames[kPartCount] = {"Rhy1", "Rhy2", "Bass", "Chd1", "Chd2", "Pad", "Phr1", "Phr2"};
// The right-hand voices come before the Left voice, as in the reports.
constexpr HandVoice kHandOrder[] = {HandVoice::R1, HandVoice::R2, HandVoice::R3, HandVoice::Left};
constexpr const char* kHandNames[] = {"Left", "R1", "R2", "R3"}; // by HandVoice

constexpr int kOtherBytesLength = 2 * int(kRecordSize);
constexpr char kGivenByColumn[] = "..";

std::vector<EntryColumn> BuildColumns()
{
    std::vector<EntryColumn> columns = {
        {"Category", ColumnKind::Category},   {"Entry", ColumnKind::Title},
        {"SubEntry", ColumnKind::SubEntry},   {"StyleNumber", ColumnKind::StyleNumber},
        {"Style", ColumnKind::StyleName},     {"Tempo", ColumnKind::Tempo},
        {"Variation", ColumnKind::Variation}, {"Acc-Vol", ColumnKind::MainVolume},
        {"Sync", ColumnKind::SyncStart},      {"StopAcc", ColumnKind::StopAccompaniment},
    };
    for (int p = 0; p < kPartCount; ++p) {
        const std::string part = kPartNames[p];
        columns.push_back({part + "-OnOff", ColumnKind::PartOn, p});
        columns.push_back({part + "-Set", ColumnKind::PartVoiceSet, p});
        columns.push_back({part + "-SetVol", ColumnKind::PartVolumeSet, p});
        columns.push_back({part + "-Vol", ColumnKind::PartVolume, p});
        columns.push_back({part + "-MSB", ColumnKind::PartMsb, p});
        columns.push_back({part + "-LSB", ColumnKind::PartLsb, p});
        columns.push_back({part + "-Program", ColumnKind::PartProgram, p});
        columns.push_back({part + "-Voice", ColumnKind::PartVoiceName, p});
    }
    for (const HandVoice hand : kHandOrder) {
        const int h = static_cast<int>(hand);
        const std::string name = kHandNames[h];
        columns.push_back({name + "-OnOff", ColumnKind::HandOn, h});
        columns.push_back({name + "-Vol", ColumnKind::HandVolume, h});
        columns.push_back({name + "-MSB", ColumnKind::HandMsb, h});
        columns.push_back({name + "-LSB", ColumnKind::HandLsb, h});
        columns.push_back({name + "-Program", ColumnKind::HandProgram, h});
        columns.push_back({name + "-Voice", ColumnKind::HandVoiceName, h});
    }
    columns.push_back({"Hold", ColumnKind::Hold});
    columns.push_back({"DiskStyle", ColumnKind::DiskStyle});
    columns.push_back({"OtherBytes", ColumnKind::OtherBytes});
    return columns;
}

Part PartOf(const EntryColumn& column)
{
    return static_cast<Part>(column.index);
}

HandVoice HandOf(const EntryColumn& column)
{
    return static_cast<HandVoice>(column.index);
}

// A column whose cell is written into the record by Store.
bool IsStored(const EntryColumn& column)
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

std::string Flag(bool on)
{
    return on ? "1" : "0";
}

std::string VoiceNameText(VoiceRef voice)
{
    return ToUtf8(ShownName(VoiceCatalogue::FindVoiceName(voice)));
}

std::string StyleNameText(const MdbEntry& record)
{
    const int index = record.styleIndex();
    if (index >= kCatalogueStyleCount) {
        return "DiskStyle " + std::to_string(index - kCatalogueStyleCount + 1);
    }
    return ToUtf8(ShownName(StyleCatalogue::Instance().GetStyleLabel(index)));
}

std::string Quoted(std::string_view cell)
{
    return "'" + std::string(cell) + "'";
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

// Reads the column's cell and writes its value into the record, as the editor
// writes that setting. The fault when the cell holds no value the editor accepts.
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
        const std::size_t disk = ColumnOf(ColumnKind::DiskStyle);
        const std::string& diskCell = cells[disk];
        if (number < kDiskStyleMarker) {
            if (!diskCell.empty()) {
                return CellFault{disk, "must be empty unless StyleNumber is " + std::to_string(kDiskStyleMarker)};
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
    case ColumnKind::Tempo:
        if (!(reason = ReadNumber(cell, kTempoMin, kTempoMax, number))) {
            record.setTempo(uint16_t(number));
        }
        return fault(reason);
    case ColumnKind::Variation: {
        uint8_t variation = 0;
        if (!(reason = ReadVariation(cell, variation))) {
            record.setVariation(variation);
        }
        return fault(reason);
    }
    case ColumnKind::MainVolume:
        if (!(reason = ReadNumber(cell, 0, kVolumeMax, number))) {
            record.setMainVolume(uint8_t(number));
        }
        return fault(reason);
    case ColumnKind::SyncStart:
    case ColumnKind::StopAccompaniment:
    case ColumnKind::Hold:
    case ColumnKind::HandOn:
    case ColumnKind::PartOn:
    case ColumnKind::PartVoiceSet:
    case ColumnKind::PartVolumeSet:
        if ((reason = ReadFlag(cell, on))) {
            return fault(reason);
        }
        switch (column.kind) {
        case ColumnKind::SyncStart:
            record.setSyncStart(on);
            break;
        case ColumnKind::StopAccompaniment:
            record.setStopAccompaniment(on);
            break;
        case ColumnKind::Hold:
            record.setLeftHold(on);
            break;
        case ColumnKind::HandOn:
            record.setVoiceOn(HandOf(column), on);
            break;
        case ColumnKind::PartOn:
            record.setPartOn(PartOf(column), on);
            break;
        case ColumnKind::PartVoiceSet:
            record.setPartVoiceSet(PartOf(column), on);
            break;
        default:
            record.setPartVolumeSet(PartOf(column), on);
            break;
        }
        return std::nullopt;
    case ColumnKind::PartVolume:
    case ColumnKind::HandVolume:
        if ((reason = ReadNumber(cell, 0, kVolumeMax, number))) {
            return fault(reason);
        }
        if (column.kind == ColumnKind::PartVolume) {
            record.setPartVolume(PartOf(column), uint8_t(number));
        } else {
            record.setVoiceVolume(HandOf(column), uint8_t(number));
        }
        return std::nullopt;
    case ColumnKind::PartMsb:
    case ColumnKind::PartLsb:
    case ColumnKind::PartProgram:
    case ColumnKind::HandMsb:
    case ColumnKind::HandLsb:
    case ColumnKind::HandProgram: {
        // Any voice: the editor's lists take a voice the catalogue does not know as its own row.
        if ((reason = ReadNumber(cell, 0, 255, number))) {
            return fault(reason);
        }
        const bool isPart = column.kind == ColumnKind::PartMsb || column.kind == ColumnKind::PartLsb ||
                            column.kind == ColumnKind::PartProgram;
        VoiceRef voice = isPart ? record.partVoice(PartOf(column)) : record.voice(HandOf(column));
        if (column.kind == ColumnKind::PartMsb || column.kind == ColumnKind::HandMsb) {
            voice.msb = uint8_t(number);
        } else if (column.kind == ColumnKind::PartLsb || column.kind == ColumnKind::HandLsb) {
            voice.lsb = uint8_t(number);
        } else {
            voice.program = uint8_t(number);
        }
        if (isPart) {
            record.setPartVoice(PartOf(column), voice);
        } else {
            record.setVoice(HandOf(column), voice);
        }
        return std::nullopt;
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
        if (IsStored(column)) {
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
    std::vector<uint8_t> all; // bits some column occupies
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
        for (std::size_t i = 0; i < kRecordSize; ++i) {
            coverage.all[i] |= bits[i];
        }
    }
    return coverage;
}

const Coverage& TheCoverage()
{
    static const Coverage coverage = BuildCoverage();
    return coverage;
}

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
std::optional<std::string> ReadOtherBytes(const std::string& cell, MdbEntry& record, std::vector<uint8_t>& known)
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
            return "byte " + std::to_string(i) + " reads '" + std::string{high, low} +
                   "', not two hex digits or ..";
        }
        record.bytes()[i] = uint8_t(HexValue(high) * 16 + HexValue(low));
        known[i] = 0xFF;
    }
    return std::nullopt;
}

} // namespace

const std::vector<EntryColumn>& EntryColumns()
{
    static const std::vector<EntryColumn> columns = BuildColumns();
    return columns;
}

std::size_t ColumnOf(ColumnKind kind, int index)
{
    const std::vector<EntryColumn>& columns = EntryColumns();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (columns[c].kind == kind && columns[c].index == index) {
            return c;
        }
    }
    return columns.size();
}

bool IsReadBack(const EntryColumn& column)
{
    return column.kind != ColumnKind::StyleName && column.kind != ColumnKind::PartVoiceName &&
           column.kind != ColumnKind::HandVoiceName;
}

const std::vector<uint8_t>& CoverageOf(std::size_t column)
{
    return TheCoverage().byColumn[column];
}

std::string ValueText(std::size_t c, const MdbEntry& record)
{
    const EntryColumn& column = EntryColumns()[c];
    switch (column.kind) {
    case ColumnKind::Category:
        return ToUtf8(record.GetCategory());
    case ColumnKind::Title:
        return ToUtf8(record.GetTitle());
    case ColumnKind::SubEntry:
        return Flag(record.IsSubEntry());
    case ColumnKind::StyleNumber:
        return std::to_string(record.styleNumber());
    case ColumnKind::StyleName:
        return StyleNameText(record);
    case ColumnKind::Tempo:
        return std::to_string(record.tempo());
    case ColumnKind::Variation:
        return IsEditorVariation(record.variation())
                   ? std::string(1, char('A' + record.variation() - kVariationFirstByte))
                   : std::to_string(record.variation());
    case ColumnKind::MainVolume:
        return std::to_string(record.mainVolume());
    case ColumnKind::SyncStart:
        return Flag(record.syncStart());
    case ColumnKind::StopAccompaniment:
        return Flag(record.stopAccompaniment());
    case ColumnKind::PartOn:
        return Flag(record.partOn(PartOf(column)));
    case ColumnKind::PartVoiceSet:
        return Flag(record.partVoiceSet(PartOf(column)));
    case ColumnKind::PartVolumeSet:
        return Flag(record.partVolumeSet(PartOf(column)));
    case ColumnKind::PartVolume:
        return std::to_string(record.partVolume(PartOf(column)));
    case ColumnKind::PartMsb:
        return std::to_string(record.partVoice(PartOf(column)).msb);
    case ColumnKind::PartLsb:
        return std::to_string(record.partVoice(PartOf(column)).lsb);
    case ColumnKind::PartProgram:
        return std::to_string(record.partVoice(PartOf(column)).program);
    case ColumnKind::PartVoiceName:
        return VoiceNameText(record.partVoice(PartOf(column)));
    case ColumnKind::HandOn:
        return Flag(record.voiceOn(HandOf(column)));
    case ColumnKind::HandVolume:
        return std::to_string(record.voiceVolume(HandOf(column)));
    case ColumnKind::HandMsb:
        return std::to_string(record.voice(HandOf(column)).msb);
    case ColumnKind::HandLsb:
        return std::to_string(record.voice(HandOf(column)).lsb);
    case ColumnKind::HandProgram:
        return std::to_string(record.voice(HandOf(column)).program);
    case ColumnKind::HandVoiceName:
        return VoiceNameText(record.voice(HandOf(column)));
    case ColumnKind::Hold:
        return Flag(record.leftHold());
    case ColumnKind::DiskStyle:
        return record.isDiskStyle() ? std::to_string(record.diskStyleNumber() + 1) : "";
    case ColumnKind::OtherBytes: {
        std::string hex;
        for (const uint8_t byte : record.bytes()) {
            hex += kHexDigits[byte >> 4];
            hex += kHexDigits[byte & 0xF];
        }
        return hex;
    }
    }
    return "";
}

EntryCells CellsOf(const MdbEntry& record)
{
    const std::vector<EntryColumn>& columns = EntryColumns();
    const std::size_t disk = ColumnOf(ColumnKind::DiskStyle);
    EntryCells cells(columns.size());
    std::vector<uint8_t> given(kRecordSize, 0); // bits the filled cells give
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (!IsStored(columns[c])) {
            if (columns[c].kind != ColumnKind::DiskStyle && columns[c].kind != ColumnKind::OtherBytes) {
                cells[c] = ValueText(c, record);
            }
            continue;
        }
        cells[c] = ValueText(c, record);
        if (columns[c].kind == ColumnKind::StyleNumber) {
            cells[disk] = ValueText(disk, record);
        }
        // A value goes into its cell only when reading it back gives the same bytes.
        MdbEntry trial = record;
        if (!Store(c, cells, trial) && trial == record) {
            const std::vector<uint8_t>& bits = CoverageOf(c);
            for (std::size_t i = 0; i < kRecordSize; ++i) {
                given[i] |= bits[i];
            }
        } else {
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
    const Coverage& coverage = TheCoverage();
    const std::size_t otherColumn = ColumnOf(ColumnKind::OtherBytes);
    const std::size_t styleColumn = ColumnOf(ColumnKind::StyleNumber);
    const std::size_t diskColumn = ColumnOf(ColumnKind::DiskStyle);
    std::vector<CellFault> faults;

    record = MdbEntry();
    std::vector<uint8_t> known(kRecordSize, 0);
    bool otherRead = true;
    if (cells[otherColumn].empty()) {
        // A new entry: what no column gives is zero.
        for (std::size_t i = 0; i < kRecordSize; ++i) {
            known[i] = uint8_t(~coverage.all[i]);
        }
    } else if (auto reason = ReadOtherBytes(cells[otherColumn], record, known)) {
        faults.push_back({otherColumn, *reason});
        otherRead = false;
    }

    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (!IsStored(columns[c]) || cells[c].empty()) {
            continue;
        }
        if (auto fault = Store(c, cells, record)) {
            faults.push_back(*fault);
            continue;
        }
        for (std::size_t i = 0; i < kRecordSize; ++i) {
            known[i] |= coverage.byColumn[c][i];
        }
    }
    if (cells[styleColumn].empty() && !cells[diskColumn].empty()) {
        faults.push_back({diskColumn, "is given, but StyleNumber is empty"});
    }

    // Every bit must come from a cell or from OtherBytes.
    if (otherRead && faults.empty()) {
        for (std::size_t c = 0; c < columns.size(); ++c) {
            if (!IsStored(columns[c]) || !cells[c].empty()) {
                continue;
            }
            bool missing = false;
            for (std::size_t i = 0; i < kRecordSize; ++i) {
                missing = missing || (coverage.byColumn[c][i] & ~known[i]) != 0;
                known[i] |= coverage.byColumn[c][i];
            }
            if (missing) {
                faults.push_back({c, "is empty, and OtherBytes does not give its bytes either"});
            }
        }
        for (std::size_t i = 0; i < kRecordSize; ++i) {
            if (known[i] != 0xFF) {
                faults.push_back({otherColumn, "byte " + std::to_string(i) + " reads .., but no column gives it"});
                break;
            }
        }
    }

    const std::size_t subEntryColumn = ColumnOf(ColumnKind::SubEntry);
    if (!cells[subEntryColumn].empty()) {
        bool subEntry = false;
        if (auto reason = ReadFlag(cells[subEntryColumn], subEntry)) {
            faults.push_back({subEntryColumn, *reason});
        } else if (faults.empty() && subEntry != record.IsSubEntry()) {
            EntryNode entry{record, {}, {}};
            if (subEntry) {
                entry.MakeSubEntry();
            } else {
                entry.MakeMainEntry();
            }
            record = entry.record;
        }
    }

    std::stable_sort(faults.begin(), faults.end(),
                     [](const CellFault& a, const CellFault& b) { return a.column < b.column; });
    return faults;
}

std::optional<CellFault> EditorRangeFault(std::size_t c, const MdbEntry& record)
{
    const EntryColumn& column = EntryColumns()[c];
    if (!IsStored(column)) {
        return std::nullopt;
    }
    if (column.kind == ColumnKind::StyleNumber) {
        // Every style number from 245 on is a disk style; the editor's list has
        // a row for each but a disk style number above 250.
        if (IsEditorStyleIndex(record.styleIndex())) {
            return std::nullopt;
        }
        const std::size_t disk = ColumnOf(ColumnKind::DiskStyle);
        return CellFault{disk, Quoted(ValueText(disk, record)) + " is not a whole number from " +
                                   Range(1, kDiskStyleCount)};
    }
    EntryCells cells(EntryColumns().size());
    cells[c] = ValueText(c, record);
    MdbEntry trial = record;
    return Store(c, cells, trial);
}

} // namespace tessaro

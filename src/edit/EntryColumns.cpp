#include "edit/EntryColumns.h"

#include "catalogue/EntryRanges.h"
#include "catalogue/StyleCatalogue.h"
#include "catalogue/VoiceCatalogue.h"
#include "data/ReadableName.h"
#include "data/Win1252.h"

namespace tessaro {

namespace {

constexpr const char* kPartNames[kPartCount] = {"Rhy1", "Rhy2", "Bass", "Chd1",
                                                "Chd2", "Pad",  "Phr1", "Phr2"};
// The right-hand voices come before the Left voice, as in the reports.
constexpr HandVoice kHandOrder[] = {HandVoice::R1, HandVoice::R2, HandVoice::R3, HandVoice::Left};
constexpr const char* kHandNames[] = {"Left", "R1", "R2", "R3"}; // by HandVoice

constexpr char kHexDigits[] = "0123456789ABCDEF";

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

std::string Flag(bool on)
{
    return on ? "1" : "0";
}

} // namespace

std::string VoiceNameText(VoiceRef voice)
{
    return ToUtf8(ReadableName(VoiceCatalogue::FindVoiceName(voice)));
}

std::string StyleNameText(int styleIndex, const StyleCatalogue& styles)
{
    if (styleIndex >= kCatalogueStyleCount) {
        return "DiskStyle " + std::to_string(styleIndex - kCatalogueStyleCount + 1);
    }
    return ToUtf8(ReadableName(styles.GetStyleLabel(styleIndex)));
}

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

bool IsFlagColumn(ColumnKind kind)
{
    switch (kind) {
    case ColumnKind::SyncStart:
    case ColumnKind::StopAccompaniment:
    case ColumnKind::Hold:
    case ColumnKind::HandOn:
    case ColumnKind::PartOn:
    case ColumnKind::PartVoiceSet:
    case ColumnKind::PartVolumeSet:
        return true;
    default:
        return false;
    }
}

bool IsReadBack(const EntryColumn& column)
{
    return column.kind != ColumnKind::StyleName && column.kind != ColumnKind::PartVoiceName &&
           column.kind != ColumnKind::HandVoiceName;
}

std::string ValueText(std::size_t c, const MdbEntry& record, const StyleCatalogue& styles)
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
        return StyleNameText(record.styleIndex(), styles);
    case ColumnKind::Variation:
        return IsEditorVariation(record.variation())
                   ? std::string(1, char('A' + record.variation() - kVariationFirstByte))
                   : std::to_string(record.variation());
    case ColumnKind::PartVoiceName:
        return VoiceNameText(record.partVoice(PartOf(column)));
    case ColumnKind::HandVoiceName:
        return VoiceNameText(record.voice(HandOf(column)));
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
    default:
        return std::to_string(NumberOf(column, record)); // flags too: "0" or "1"
    }
}

} // namespace tessaro

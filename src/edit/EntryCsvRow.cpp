#include "edit/EntryCsvRow.h"

#include "catalogue/EntryRanges.h"
#include "data/Win1252.h"
#include "edit/EntryCellStore.h"
#include "edit/EntryCsv.h"

#include <charconv>
#include <cstring>

namespace tessaro {

namespace {

constexpr int kStyleIndexCount = kCatalogueStyleCount + 256; // disk styles by every byte value

constexpr char kHexDigits[] = "0123456789ABCDEF";

std::string ExportCell(std::string_view cell)
{
    std::string out;
    AppendExportCell(out, cell);
    return out;
}

} // namespace

EntryCsvRow::EntryCsvRow(const StyleCatalogue& styles)
    : styles_(styles), styleCells_(kStyleIndexCount), cells_(EntryColumns().size()),
      disk_(ColumnOf(ColumnKind::DiskStyle))
{
    for (int index = 0; index < kStyleIndexCount; ++index)
        styleCells_[std::size_t(index)] = ExportCell(StyleNameText(index, styles));
    // A text is filled when reading it back gives its bytes: each byte on its
    // own must come back from its UTF-8 as itself (every byte does; see Win1252.h).
    for (int byte = 1; byte < 256; ++byte) {
        const std::string bytes(1, char(byte));
        utf8_[std::size_t(byte)] = ToUtf8(bytes);
        keepsByte_[std::size_t(byte)] =
            IsRepresentable1252(utf8_[std::size_t(byte)]) && FromUtf8(utf8_[std::size_t(byte)]) == bytes;
    }
}

void EntryCsvRow::Append(std::string& out, const MdbEntry& record)
{
    const std::vector<EntryColumn>& columns = EntryColumns();
    Given given{}; // the bits the filled cells give
    trial_ = record;
    diskCell_ = false;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (c > 0)
            out += ',';
        const EntryColumn& column = columns[c];
        switch (column.kind) {
        case ColumnKind::Category:
            AppendText(out, c, record.CategoryBytes(), record, given);
            break;
        case ColumnKind::Title:
            AppendText(out, c, record.TitleBytes(), record, given);
            break;
        case ColumnKind::SubEntry:
            out += record.IsSubEntry() ? '1' : '0';
            break;
        case ColumnKind::StyleNumber:
            diskCell_ = Keeps(c, record);
            if (diskCell_) {
                out += cells_[c];
                for (const CoveredByte& byte : CoveredBytesOf(c))
                    given[byte.offset] |= byte.bits;
            }
            break;
        case ColumnKind::StyleName:
            out += styleCells_[std::size_t(record.styleIndex())];
            break;
        case ColumnKind::PartVoiceName:
            out += VoiceCell(record.partVoice(PartOf(column)));
            break;
        case ColumnKind::HandVoiceName:
            out += VoiceCell(record.voice(HandOf(column)));
            break;
        case ColumnKind::DiskStyle:
            if (diskCell_)
                out += cells_[c];
            break;
        case ColumnKind::OtherBytes:
            AppendOtherBytes(out, record, given);
            break;
        default:
            AppendNumber(out, c, record, given);
            break;
        }
    }
    out += "\r\n";
}

void EntryCsvRow::AppendText(std::string& out, std::size_t c, std::string_view text, const MdbEntry& record,
                             Given& given)
{
    bool quick = !text.empty();
    for (const char byte : text)
        quick = quick && keepsByte_[static_cast<unsigned char>(byte)];
    // Written back, the text zeroes the rest of its field: the record must hold zeros there.
    for (std::size_t i = text.size(); quick && i < kTextFieldSize; ++i)
        quick = text.data()[i] == '\0';
    if (quick) {
        text_.clear();
        for (const char byte : text)
            text_ += utf8_[static_cast<unsigned char>(byte)];
    } else if (Keeps(c, record)) {
        text_ = cells_[c];
    } else {
        return; // empty: OtherBytes holds the field
    }
    AppendExportCell(out, text_);
    for (const CoveredByte& byte : CoveredBytesOf(c))
        given[byte.offset] |= byte.bits;
}

void EntryCsvRow::AppendNumber(std::string& out, std::size_t c, const MdbEntry& record, Given& given)
{
    const EntryColumn& column = EntryColumns()[c];
    const int value = NumberOf(column, record);
    const NumberRange range = RangeOf(column);
    if (value < range.minimum || value > range.maximum)
        return; // the editor would refuse it
    // Written back as the editor writes it, the value must leave its bits as they are.
    const std::vector<CoveredByte>& covered = CoveredBytesOf(c);
    WriteNumber(column, value, trial_);
    bool same = true;
    for (const CoveredByte& byte : covered)
        same = same && trial_.bytes()[byte.offset] == record.bytes()[byte.offset];
    if (!same) {
        for (const CoveredByte& byte : covered)
            trial_.bytes()[byte.offset] = record.bytes()[byte.offset];
        return;
    }
    if (column.kind == ColumnKind::Variation) {
        out += char('A' + value - kVariationFirstByte);
    } else {
        char digits[12];
        out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
    }
    for (const CoveredByte& byte : covered)
        given[byte.offset] |= byte.bits;
}

bool EntryCsvRow::Keeps(std::size_t c, const MdbEntry& record)
{
    cells_[c] = ValueText(c, record, styles_);
    if (EntryColumns()[c].kind == ColumnKind::StyleNumber)
        cells_[disk_] = ValueText(disk_, record, styles_);
    if (!StoreCell(c, cells_, trial_) && trial_ == record)
        return true;
    trial_ = record;
    return false;
}

void EntryCsvRow::AppendOtherBytes(std::string& out, const MdbEntry& record, const Given& given)
{
    const std::size_t at = out.size();
    out.resize(at + 2 * kRecordSize);
    char* hex = out.data() + at;
    for (std::size_t i = 0; i < kRecordSize; ++i) {
        const uint8_t byte = record.bytes()[i];
        const bool fromCells = given[i] == 0xFF;
        hex[2 * i] = fromCells ? '.' : kHexDigits[byte >> 4];
        hex[2 * i + 1] = fromCells ? '.' : kHexDigits[byte & 0xF];
    }
}

const std::string& EntryCsvRow::VoiceCell(VoiceRef voice)
{
    const auto [at, added] = voiceCells_.try_emplace(voice.Packed());
    if (added)
        at->second = ExportCell(VoiceNameText(voice));
    return at->second;
}

} // namespace tessaro

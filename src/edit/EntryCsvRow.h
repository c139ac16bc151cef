#pragma once
// The export's row of a record written straight into a text: byte for byte
// the cells of CellsOf, made formula-safe and quoted, but without a string per
// cell or a whole trial record per column, which made exporting a million
// entries take many seconds. Each cell is filled under the same rule as in
// CellsOf: only when reading it back writes the same bytes and the editor
// would accept it.

#include "data/MdbEntry.h"
#include "edit/EntryColumns.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tessaro {

class EntryCsvRow
{
public:
    // The style names come from the catalogue, which must outlive this.
    explicit EntryCsvRow(const StyleCatalogue& styles);

    // The record's row, ending in CR LF.
    void Append(std::string& out, const MdbEntry& record);

private:
    using Given = std::array<uint8_t, kRecordSize>;
    // Each puts its cell into out and marks the bits a filled cell gives.
    void AppendText(std::string& out, std::size_t column, std::string_view text, const MdbEntry& record,
                    Given& given);
    void AppendNumber(std::string& out, std::size_t column, const MdbEntry& record, Given& given);
    // CellsOf's own way, for the cells the quick ways leave to it.
    bool Keeps(std::size_t column, const MdbEntry& record);
    void AppendOtherBytes(std::string& out, const MdbEntry& record, const Given& given);
    const std::string& VoiceCell(VoiceRef voice);

    const StyleCatalogue& styles_;
    std::vector<std::string> styleCells_;                  // by style index, as the cell is written
    std::unordered_map<uint32_t, std::string> voiceCells_; // by packed voice
    // Each byte of a record text in UTF-8, and whether it reads back as itself.
    std::array<std::string, 256> utf8_;
    std::array<bool, 256> keepsByte_{};
    MdbEntry trial_;         // the record being written, each cell's value read back into it
    EntryCells cells_;       // the cells the slow way works on
    const std::size_t disk_; // DiskStyle's column
    std::string text_;       // a text cell being made
    bool diskCell_ = false;  // StyleNumber was filled, and with it DiskStyle when it is a disk style
};

} // namespace tessaro

#pragma once
// An entry as a row of named columns: the spreadsheet export and import, the
// comparison of two files and the check for a keyboard all name and read a
// record's settings through this table. Names follow the tab-separated report
// where it has the setting ("Entry", "Acc-Vol", "Rhy1-SetVol", ...).
//
// The row form of a record, and why it is exact:
// - each column holds its value only when reading it back writes the same
//   bytes and the entry editor would accept it; otherwise its cell is empty;
// - OtherBytes holds the 288 bytes in hex, ".." for each byte the filled cells
//   give, so nothing is lost (reserved bytes, the in-use byte, odd values);
// - the name columns (Style and the -Voice columns) are for people and are
//   ignored when a row is read back.
// Reading a row starts from OtherBytes and lets the filled cells win, so an
// edited cell takes effect. An empty OtherBytes stands for a new entry: every
// byte no column gives is zero.

#include "data/MdbEntry.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tessaro {

class StyleCatalogue;

enum class ColumnKind
{
    Category,
    Title,
    SubEntry,    // 0/1; derived from the title's first byte
    StyleNumber, // 0..244 catalogue style, 245 disk style
    StyleName,
    Tempo,
    Variation, // A..D
    MainVolume,
    SyncStart,
    StopAccompaniment,
    PartOn,
    PartVoiceSet,
    PartVolumeSet,
    PartVolume,
    PartMsb,
    PartLsb,
    PartProgram,
    PartVoiceName,
    HandOn,
    HandVolume,
    HandMsb,
    HandLsb,
    HandProgram,
    HandVoiceName,
    Hold,
    DiskStyle, // 1..250 with style number 245, else empty
    OtherBytes
};

struct EntryColumn
{
    std::string name;
    ColumnKind kind;
    int index = 0; // the Part or HandVoice for their kinds
};

// The Part or HandVoice a column of their kinds stands for.
inline Part PartOf(const EntryColumn& column)
{
    return static_cast<Part>(column.index);
}

inline HandVoice HandOf(const EntryColumn& column)
{
    return static_cast<HandVoice>(column.index);
}

// An on/off setting of the record, its cell 0 or 1. SubEntry is not one: it
// is read from the title.
bool IsFlagColumn(ColumnKind kind);

// Every column, in the order of the export's header.
const std::vector<EntryColumn>& EntryColumns();
// The position of a column of that kind (and part or hand) in EntryColumns().
std::size_t ColumnOf(ColumnKind kind, int index = 0);

// Whether a row read back takes the column's cell (false for the name columns).
bool IsReadBack(const EntryColumn& column);

// One cell per column of EntryColumns(), in that order; UTF-8.
using EntryCells = std::vector<std::string>;

// The value the record holds as the column would show it, whether or not it is
// one the editor accepts (a tempo of 300 reads "300"). Name columns give the
// name a person reads (one '&'); SubEntry and DiskStyle as in a row.
std::string ValueText(std::size_t column, const MdbEntry& record, const StyleCatalogue& styles);

// The texts of the name columns: a style by its index, a voice.
std::string StyleNameText(int styleIndex, const StyleCatalogue& styles);
std::string VoiceNameText(VoiceRef voice);

// The row of a record (see the header comment).
EntryCells CellsOf(const MdbEntry& record, const StyleCatalogue& styles);

struct CellFault
{
    std::size_t column;
    std::string reason;
};

// Builds the record of a row; every fault found, none when the record is good.
std::vector<CellFault> RecordFromCells(const EntryCells& cells, MdbEntry& record);

// Why the value the record holds for the column is one the entry editor does
// not accept (naming DiskStyle for a disk style number beyond its list), or
// nothing when it does or the column holds no value of its own.
std::optional<CellFault> EditorRangeFault(std::size_t column, const MdbEntry& record);

// The bits of the record that the column's value occupies, byte by byte.
const std::vector<uint8_t>& CoverageOf(std::size_t column);

// The columns whose setting is a whole number: tempo, volumes, voice bytes,
// flags (0 or 1) and the variation (its byte). Their cells show the number,
// but the variation's a letter; the editor accepts what lies in RangeOf
// (EntryNumbers.cpp).
bool IsNumberColumn(const EntryColumn& column);
int NumberOf(const EntryColumn& column, const MdbEntry& record);
struct NumberRange
{
    int minimum;
    int maximum;
};
NumberRange RangeOf(const EntryColumn& column);
// As the editor writes the setting; value must lie in RangeOf.
void WriteNumber(const EntryColumn& column, int value, MdbEntry& record);

} // namespace tessaro

#pragma once
// How a cell is read, checked as the entry editor checks it and written into a
// record, and which bits of the record each column's value occupies. Shared by
// the files of the row form of an entry; everyone else uses EntryColumns.h.

#include "edit/EntryColumns.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

inline Part PartOf(const EntryColumn& column)
{
    return static_cast<Part>(column.index);
}

inline HandVoice HandOf(const EntryColumn& column)
{
    return static_cast<HandVoice>(column.index);
}

// A column whose cell StoreCell writes: not SubEntry, not the name columns, not
// DiskStyle (stored with StyleNumber), not OtherBytes.
bool IsStoredColumn(const EntryColumn& column);

// Reads the column's cell, checks it and writes its value into the record as
// the editor writes that setting; the fault when the editor would refuse it.
std::optional<CellFault> StoreCell(std::size_t column, const EntryCells& cells, MdbEntry& record);

// The columns whose setting is a whole number: tempo, volumes, voice bytes,
// flags (0 or 1) and the variation (its byte). Their cells show the number,
// but the variation's a letter; the editor accepts what lies in RangeOf.
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

// 0 or 1; the reason otherwise.
std::optional<std::string> ReadFlagCell(std::string_view cell, bool& on);

// The bits some column occupies.
const std::vector<uint8_t>& CombinedCoverage();

// CoverageOf without the bytes it leaves alone: a column occupies a few bytes.
struct CoveredByte
{
    std::size_t offset;
    uint8_t bits;
};
const std::vector<CoveredByte>& CoveredBytesOf(std::size_t column);

} // namespace tessaro

#pragma once
// data/voices.csv, the source of the voice table: read and checked here, turned
// into the C++ rows of the catalogue by the build's generator
// (tools/GenerateVoiceTable.cpp). Any fault names the line, so a data edit that
// breaks the file stops the build with a message saying where.
//
// Header: row,group,name,msb,lsb,program,pro_only. Rows 0..879 in order. A row
// with any of msb, lsb and program empty is not sourced for matching: it keeps
// its name but matches no voice and is hidden in the lists.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

struct VoiceCsvRow
{
    std::string name; // as stored, a literal '&' doubled
    bool sourced = false;
    uint8_t msb = 0, lsb = 0, program = 0; // meaningful when sourced
    bool proOnly = false;
};

struct VoiceCsvError
{
    int line = 0; // 0 for a fault of the whole file
    int row = -1; // the voice row being read, -1 for none
    std::string reason;
};

struct VoiceCsvResult
{
    std::vector<VoiceCsvRow> rows;
    std::optional<VoiceCsvError> error; // the first fault; rows are then incomplete
};

VoiceCsvResult ParseVoiceCsv(std::string_view text);

// "path:line (voice row n): reason", or "path: reason" for the whole file.
std::string DescribeVoiceCsvError(const std::string& path, const VoiceCsvError& error);

// The rows as C++ initialisers of the catalogue's table, one line per row.
std::string VoiceTableSource(const std::vector<VoiceCsvRow>& rows);

} // namespace tessaro

#pragma once
// The lines of the two protocol reports, in Windows-1252 with CR LF endings.
// Entry texts go in as stored; names come from the voice and style catalogues.

#include "data/MdbEntry.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <string>
#include <unordered_map>

namespace tessaro {

class StyleCatalogue;

struct EntryNode;

enum class ReportKind
{
    Formatted, // fixed-width table with vertical bars
    Tabs       // tab-separated list for spreadsheets
};

// The header: two lines for the table, the line of column names for the list.
std::string ReportHeader(ReportKind kind);

// Turns entries into report lines. It keeps the voice names it looked up, so a
// long report does not scan the voice catalogue again for every voice.
class ReportLineWriter
{
public:
    ReportLineWriter(ReportKind kind, const StyleCatalogue& styles);

    // Appends the entry's line, CR LF included.
    void Append(const EntryNode& entry, std::string& out);

private:
    void AppendFormatted(const EntryNode& entry, std::string& out);
    void AppendTabbed(const EntryNode& entry, std::string& out);
    // The catalogue name; valid until the next call.
    std::string_view VoiceName(VoiceRef voice);

    std::string_view StyleColumn(const MdbEntry& record) const;

    ReportKind kind_;
    const StyleCatalogue& styles_;
    std::array<std::string, kDiskStyleMarker> styleLabels_; // looked up once per report
    std::unordered_map<uint32_t, std::string> voiceNames_;
};

} // namespace tessaro

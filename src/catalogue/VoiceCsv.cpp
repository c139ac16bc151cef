#include "catalogue/VoiceCsv.h"

#include "catalogue/VoiceCatalogue.h"
#include "data/Csv.h"

#include <cstdio>
#include <unordered_map>

namespace tessaro {

namespace {

constexpr std::string_view kHeader = "row,group,name,msb,lsb,program,pro_only";
constexpr std::size_t kFieldCount = 7;

enum Field : std::size_t
{
    RowField,
    GroupField,
    NameField,
    MsbField,
    LsbField,
    ProgramField,
    ProOnlyField
};

bool IsDigits(const std::string& text)
{
    if (text.empty()) {
        return false;
    }
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

// A byte value; the reason when it is none.
std::optional<std::string> ReadByte(const std::string& text, const char* what, uint8_t& value)
{
    if (!IsDigits(text)) {
        return std::string(what) + " '" + text + "' is not a whole number";
    }
    // Leading zeros may make it long; compare by value without overflowing.
    unsigned number = 0;
    for (const char c : text) {
        number = number * 10 + unsigned(c - '0');
        if (number > 255) {
            return std::string(what) + " " + text + " is above 255";
        }
    }
    value = uint8_t(number);
    return std::nullopt;
}

bool IsPrintableAscii(const std::string& text)
{
    for (const char c : text) {
        if (c < ' ' || c > '~') {
            return false;
        }
    }
    return true;
}

std::string Joined(const std::vector<std::string>& fields)
{
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        line += (i > 0 ? "," : "") + fields[i];
    }
    return line;
}

// Checks one voice row; the reason when it is faulty.
std::optional<std::string> ReadRow(const CsvRecord& record, int row, VoiceCsvRow& voice)
{
    const std::vector<std::string>& f = record.fields;
    if (f.size() != kFieldCount) {
        return std::to_string(f.size()) + " fields instead of " + std::to_string(kFieldCount);
    }
    if (f[RowField] != std::to_string(row)) {
        return "numbered '" + f[RowField] + "', expected " + std::to_string(row) + " (rows must be 0.." +
               std::to_string(kVoiceCount - 1) + " in order)";
    }
    voice.name = f[NameField];
    if (voice.name.empty()) {
        return std::string("the name is empty");
    }
    if (!IsPrintableAscii(voice.name)) {
        return std::string("the name holds characters other than printable ASCII");
    }
    if (voice.name.size() > std::size_t(kVoiceNameMaxChars)) {
        return "the name is longer than " + std::to_string(kVoiceNameMaxChars) + " characters";
    }
    // Empty numbers are allowed: the row is then not sourced. What is given must be a byte.
    const struct
    {
        Field field;
        const char* what;
        uint8_t* value;
    } numbers[] = {{MsbField, "MSB", &voice.msb},
                   {LsbField, "LSB", &voice.lsb},
                   {ProgramField, "program", &voice.program}};
    voice.sourced = true;
    for (const auto& number : numbers) {
        if (f[number.field].empty()) {
            voice.sourced = false;
        } else if (auto fault = ReadByte(f[number.field], number.what, *number.value)) {
            return fault;
        }
    }
    if (f[ProOnlyField] != "0" && f[ProOnlyField] != "1") {
        return "pro_only '" + f[ProOnlyField] + "' must be 0 or 1";
    }
    voice.proOnly = f[ProOnlyField] == "1";
    return std::nullopt;
}

uint32_t PackedOf(const VoiceCsvRow& voice)
{
    return uint32_t(voice.msb) << 16 | uint32_t(voice.lsb) << 8 | voice.program;
}

} // namespace

VoiceCsvResult ParseVoiceCsv(std::string_view text)
{
    VoiceCsvResult result;
    const auto fail = [&result](int line, int row, std::string reason) {
        result.error = VoiceCsvError{line, row, std::move(reason)};
        return result;
    };

    CsvReader reader(text);
    CsvRecord record;
    bool headerSeen = false;
    std::unordered_map<uint32_t, int> ownerOf;
    while (reader.Next(record)) {
        if (!headerSeen) {
            if (Joined(record.fields) != kHeader) {
                return fail(record.line, -1, "the header must be '" + std::string(kHeader) + "'");
            }
            headerSeen = true;
            continue;
        }
        const int row = int(result.rows.size());
        if (row >= kVoiceCount) {
            return fail(record.line, row, "more than " + std::to_string(kVoiceCount) + " voice rows");
        }
        VoiceCsvRow voice;
        if (auto fault = ReadRow(record, row, voice)) {
            return fail(record.line, row, *fault);
        }
        if (voice.sourced) {
            const auto [owner, added] = ownerOf.emplace(PackedOf(voice), row);
            if (!added) {
                return fail(record.line, row,
                            "MSB " + std::to_string(voice.msb) + ", LSB " + std::to_string(voice.lsb) +
                                ", program " + std::to_string(voice.program) + " already belong to row " +
                                std::to_string(owner->second));
            }
        }
        result.rows.push_back(std::move(voice));
    }
    if (const auto& syntax = reader.Error()) {
        return fail(syntax->line, headerSeen ? int(result.rows.size()) : -1, syntax->reason);
    }
    if (!headerSeen) {
        return fail(0, -1, "the file is empty");
    }
    if (result.rows.size() != std::size_t(kVoiceCount)) {
        return fail(0, -1,
                    std::to_string(result.rows.size()) + " voice rows instead of " +
                        std::to_string(kVoiceCount));
    }
    return result;
}

std::string DescribeVoiceCsvError(const std::string& path, const VoiceCsvError& error)
{
    std::string text = path;
    if (error.line > 0) {
        text += ":" + std::to_string(error.line);
    }
    if (error.row >= 0) {
        text += " (voice row " + std::to_string(error.row) + ")";
    }
    return text + ": " + error.reason;
}

std::string VoiceTableSource(const std::vector<VoiceCsvRow>& rows)
{
    std::string source = "// Generated from data/voices.csv by tools/GenerateVoiceTable.cpp. Do not edit.\n";
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const VoiceCsvRow& voice = rows[row];
        std::string literal;
        for (const char c : voice.name) {
            if (c == '\\' || c == '"') {
                literal += '\\';
            }
            literal += c;
        }
        char packed[16] = "kUnsourcedVoice";
        if (voice.sourced) {
            std::snprintf(packed, sizeof packed, "0x%X", unsigned(PackedOf(voice)));
        }
        source += "/* " + std::to_string(row) + " */ {\"" + literal + "\", " + packed + ", " +
                  (voice.proOnly ? "true" : "false") + "},\n";
    }
    return source;
}

} // namespace tessaro

// The CSV reader and the two readers built on it (entry import, voice table)
// take any bytes: they read or refuse, never crash or hang. What the reader
// reads, written again, reads back the same.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/VoiceCsv.h"
#include "data/Csv.h"
#include "edit/EntryCsv.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    std::vector<std::vector<std::string>> records;
    tessaro::CsvReader reader(text);
    tessaro::CsvRecord record;
    int lastLine = 0;
    while (reader.Next(record)) {
        if (record.line <= lastLine || record.fields.empty())
            std::abort();
        lastLine = record.line;
        records.push_back(record.fields);
    }
    if (!reader.Error()) {
        std::string again;
        for (const auto& fields : records)
            tessaro::AppendCsvRecord(again, fields);
        tessaro::CsvReader second(again);
        std::size_t count = 0;
        while (second.Next(record)) {
            // A record of one empty field is an empty line when written: passed over on reading.
            while (count < records.size() && records[count].size() == 1 && records[count][0].empty())
                ++count;
            if (count >= records.size() || record.fields != records[count])
                std::abort();
            ++count;
        }
        while (count < records.size() && records[count].size() == 1 && records[count][0].empty())
            ++count;
        if (second.Error() || count != records.size())
            std::abort();
    }

    const tessaro::CsvImportResult imported = tessaro::ReadEntryCsv(text);
    for (const tessaro::CsvImportError& error : imported.errors) {
        if (error.line < 1 || error.column.empty() || error.reason.empty())
            std::abort();
    }
    const tessaro::VoiceCsvResult voices = tessaro::ParseVoiceCsv(text);
    if (!voices.error && voices.rows.size() != 880)
        std::abort();
    return 0;
}

#pragma once
// Comma-separated values as RFC 4180 has them, read and written in one place
// for every CSV the program knows (the voice table, entry import and export).
//
// Reading takes what spreadsheets write: a UTF-8 byte order mark at the start
// is skipped, lines may end in CR LF, LF or CR, and empty lines are passed
// over. A quoted field may hold commas, line ends and doubled quotes. The
// reader keeps the bytes of each field as they are; checking them is the
// caller's part.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

struct CsvRecord
{
    int line = 0; // where the record begins, counting from 1
    std::vector<std::string> fields;
};

struct CsvSyntaxError
{
    int line = 0;          // where the faulty field begins
    std::size_t field = 0; // its index in the record, from 0
    std::string reason;
};

// Fills the buffer with up to capacity bytes of the text and says how many;
// 0 at its end. Sets failed when the text could not be read.
using CsvTextSource = std::function<std::size_t(char* buffer, std::size_t capacity)>;

class CsvReader
{
public:
    // The text must outlive the reader.
    explicit CsvReader(std::string_view text);
    // The text piece by piece: only the record being read is held, so memory
    // stays bounded however long the text is.
    explicit CsvReader(CsvTextSource source);

    // The next record; false at the end of the text or at a syntax error, after
    // which Error() says what is wrong and nothing more is read.
    bool Next(CsvRecord& record);
    const std::optional<CsvSyntaxError>& Error() const { return error_; }

    // A record longer than this is refused: no CSV the program writes comes near it.
    static constexpr std::size_t kMaxRecordBytes = std::size_t(1) << 20;

private:
    bool Have(std::size_t count); // at least count bytes from pos_ on, reading more when needed
    void Compact();
    bool AtLineEnd();
    void SkipLineEnd();
    bool ReadQuoted(std::string& field, std::size_t index);
    bool ReadPlain(std::string& field, std::size_t index);
    void Fail(int line, std::size_t index, const char* reason);

    std::string_view text_; // what is held of the text; pos_ indexes into it
    CsvTextSource source_;  // empty when the whole text was given
    std::string buffer_;    // the text held, when read through source_
    bool ended_ = false;
    std::size_t recordStart_ = 0;
    std::size_t pos_ = 0;
    int line_ = 1;
    std::optional<CsvSyntaxError> error_;
};

// The field as it goes into a CSV line: quoted when it holds a comma, a quote
// or a line end, begins or ends with a blank (which spreadsheets may trim), or
// begins with the bytes of the byte order mark.
std::string CsvField(std::string_view value);
// The same, appended to out without a copy of its own.
void AppendCsvField(std::string& out, std::string_view value);

// Appends the fields as one record ending in CR LF.
void AppendCsvRecord(std::string& out, const std::vector<std::string>& fields);

} // namespace tessaro

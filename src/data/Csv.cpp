#include "data/Csv.h"

#include <algorithm>

namespace tessaro {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

} // namespace

CsvReader::CsvReader(std::string_view text) : text_(text), ended_(true)
{
    if (text_.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        pos_ = kByteOrderMark.size();
    }
}

CsvReader::CsvReader(CsvTextSource source) : source_(std::move(source))
{
    if (Have(kByteOrderMark.size()) && text_.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        pos_ = kByteOrderMark.size();
    }
}

bool CsvReader::Have(std::size_t count)
{
    constexpr std::size_t kPiece = 64 * 1024;
    while (text_.size() - pos_ < count) {
        if (ended_) {
            return false;
        }
        const std::size_t held = buffer_.size();
        buffer_.resize(held + kPiece);
        const std::size_t got = source_(buffer_.data() + held, kPiece);
        buffer_.resize(held + std::min(got, kPiece));
        text_ = buffer_;
        ended_ = got == 0;
    }
    return true;
}

// Drops what was read, between records only, so a record's own offsets stay good.
void CsvReader::Compact()
{
    if (source_ && pos_ >= 64 * 1024) {
        buffer_.erase(0, pos_);
        text_ = buffer_;
        pos_ = 0;
    }
}

bool CsvReader::AtLineEnd()
{
    return Have(1) && (text_[pos_] == '\n' || text_[pos_] == '\r');
}

void CsvReader::SkipLineEnd()
{
    if (text_[pos_] == '\r' && Have(2) && text_[pos_ + 1] == '\n') {
        ++pos_;
    }
    ++pos_;
    ++line_;
}

void CsvReader::Fail(int line, std::size_t index, const char* reason)
{
    error_ = CsvSyntaxError{line, index, reason};
}

bool CsvReader::ReadQuoted(std::string& field, std::size_t index)
{
    const int startLine = line_;
    ++pos_; // the opening quote
    while (true) {
        if (!Have(1)) {
            Fail(startLine, index, "a quoted field has no closing quote");
            return false;
        }
        if (pos_ - recordStart_ > kMaxRecordBytes) {
            Fail(startLine, index, "the row is longer than 1 MiB");
            return false;
        }
        const char c = text_[pos_];
        if (c == '"') {
            if (Have(2) && text_[pos_ + 1] == '"') {
                field += '"';
                pos_ += 2;
                continue;
            }
            ++pos_;
            if (Have(1) && text_[pos_] != ',' && !AtLineEnd()) {
                Fail(line_, index, "text follows the closing quote");
                return false;
            }
            return true;
        }
        if (c == '\r' || c == '\n') {
            // A line end inside quotes belongs to the field, byte for byte.
            const std::size_t start = pos_;
            SkipLineEnd();
            field.append(text_.substr(start, pos_ - start));
            continue;
        }
        field += c;
        ++pos_;
    }
}

bool CsvReader::ReadPlain(std::string& field, std::size_t index)
{
    const std::size_t start = pos_;
    while (Have(1) && text_[pos_] != ',' && !AtLineEnd()) {
        if (text_[pos_] == '"') {
            Fail(line_, index, "a double quote in a field that is not quoted");
            return false;
        }
        if (pos_ - recordStart_ > kMaxRecordBytes) {
            Fail(line_, index, "the row is longer than 1 MiB");
            return false;
        }
        ++pos_;
    }
    field.assign(text_.substr(start, pos_ - start));
    return true;
}

bool CsvReader::Next(CsvRecord& record)
{
    if (error_) {
        return false;
    }
    Compact();
    while (AtLineEnd()) { // empty lines
        SkipLineEnd();
        Compact();
    }
    if (!Have(1)) {
        return false;
    }
    recordStart_ = pos_;
    record.line = line_;
    std::size_t count = 0;
    while (true) {
        if (record.fields.size() <= count) {
            record.fields.emplace_back();
        }
        std::string& field = record.fields[count];
        field.clear();
        const bool read = Have(1) && text_[pos_] == '"' ? ReadQuoted(field, count) : ReadPlain(field, count);
        if (!read) {
            return false;
        }
        ++count;
        if (Have(1) && text_[pos_] == ',') {
            ++pos_;
            continue;
        }
        break;
    }
    record.fields.resize(count);
    if (AtLineEnd()) {
        SkipLineEnd();
    }
    return true;
}

namespace {

// The bytes that make a field quoted wherever they stand, one bit each.
struct QuotedBytes
{
    bool in[256] = {};
    constexpr QuotedBytes()
    {
        for (const char c : {',', '"', '\r', '\n'})
            in[static_cast<unsigned char>(c)] = true;
    }
};
constexpr QuotedBytes kQuotedBytes;

bool NeedsQuotes(std::string_view value)
{
    if (value.empty())
        return false;
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    // At the start of a file a reader would take it for the byte order mark.
    if (blank(value.front()) || blank(value.back()) ||
        value.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        return true;
    bool quoted = false;
    for (const char c : value)
        quoted |= kQuotedBytes.in[static_cast<unsigned char>(c)];
    return quoted;
}

} // namespace

void AppendCsvField(std::string& out, std::string_view value)
{
    if (!NeedsQuotes(value)) {
        out.append(value);
        return;
    }
    out += '"';
    for (const char c : value) {
        if (c == '"') {
            out += '"';
        }
        out += c;
    }
    out += '"';
}

std::string CsvField(std::string_view value)
{
    std::string field;
    AppendCsvField(field, value);
    return field;
}

void AppendCsvRecord(std::string& out, const std::vector<std::string>& fields)
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        AppendCsvField(out, fields[i]);
    }
    out += "\r\n";
}

} // namespace tessaro

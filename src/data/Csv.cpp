#include "data/Csv.h"

namespace tessaro {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

} // namespace

CsvReader::CsvReader(std::string_view text) : text_(text)
{
    if (text_.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        pos_ = kByteOrderMark.size();
    }
}

bool CsvReader::AtLineEnd() const
{
    return pos_ < text_.size() && (text_[pos_] == '\n' || text_[pos_] == '\r');
}

void CsvReader::SkipLineEnd()
{
    if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') {
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
        if (pos_ >= text_.size()) {
            Fail(startLine, index, "a quoted field has no closing quote");
            return false;
        }
        const char c = text_[pos_];
        if (c == '"') {
            if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '"') {
                field += '"';
                pos_ += 2;
                continue;
            }
            ++pos_;
            if (pos_ < text_.size() && text_[pos_] != ',' && !AtLineEnd()) {
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
    while (pos_ < text_.size() && text_[pos_] != ',' && !AtLineEnd()) {
        if (text_[pos_] == '"') {
            Fail(line_, index, "a double quote in a field that is not quoted");
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
    while (AtLineEnd()) { // empty lines
        SkipLineEnd();
    }
    if (pos_ >= text_.size()) {
        return false;
    }
    record.line = line_;
    std::size_t count = 0;
    while (true) {
        if (record.fields.size() <= count) {
            record.fields.emplace_back();
        }
        std::string& field = record.fields[count];
        field.clear();
        const bool read =
            pos_ < text_.size() && text_[pos_] == '"' ? ReadQuoted(field, count) : ReadPlain(field, count);
        if (!read) {
            return false;
        }
        ++count;
        if (pos_ < text_.size() && text_[pos_] == ',') {
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

std::string CsvField(std::string_view value)
{
    const bool blankAtEdge = !value.empty() && (value.front() == ' ' || value.front() == '\t' ||
                                                value.back() == ' ' || value.back() == '\t');
    // At the start of a file a reader would take it for the byte order mark.
    const bool startsWithMark = value.substr(0, kByteOrderMark.size()) == kByteOrderMark;
    if (!blankAtEdge && !startsWithMark && value.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(value);
    }
    std::string quoted = "\"";
    for (const char c : value) {
        if (c == '"') {
            quoted += '"';
        }
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

void AppendCsvRecord(std::string& out, const std::vector<std::string>& fields)
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        out += CsvField(fields[i]);
    }
    out += "\r\n";
}

} // namespace tessaro

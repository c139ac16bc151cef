#include "data/Csv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace tessaro {
namespace {

using Fields = std::vector<std::string>;

struct Parsed
{
    std::vector<CsvRecord> records;
    std::optional<CsvSyntaxError> error;
};

Parsed Parse(std::string_view text)
{
    Parsed parsed;
    CsvReader reader(text);
    CsvRecord record;
    while (reader.Next(record)) {
        parsed.records.push_back(record);
    }
    parsed.error = reader.Error();
    return parsed;
}

TEST(CsvReader, LineEndsByteOrderMarkAndEmptyLines)
{
    // CR LF, LF and a lone CR end lines alike; empty lines are passed over but counted.
    const Parsed parsed = Parse("\xEF\xBB\xBF"
                                "a,b\r\n\r\nc,d\n\n\ne,f\rg,h");
    ASSERT_FALSE(parsed.error);
    ASSERT_EQ(parsed.records.size(), 4u);
    EXPECT_EQ(parsed.records[0].fields, (Fields{"a", "b"})); // the mark is not part of "a"
    EXPECT_EQ(parsed.records[0].line, 1);
    EXPECT_EQ(parsed.records[1].fields, (Fields{"c", "d"}));
    EXPECT_EQ(parsed.records[1].line, 3);
    EXPECT_EQ(parsed.records[2].line, 6);
    EXPECT_EQ(parsed.records[3].fields, (Fields{"g", "h"}));
    EXPECT_EQ(parsed.records[3].line, 7);

    EXPECT_TRUE(Parse("").records.empty());
    EXPECT_TRUE(Parse("\xEF\xBB\xBF\r\n\n").records.empty());
    EXPECT_FALSE(Parse("\r\n").error);
}

TEST(CsvReader, QuotedFieldsHoldCommasQuotesAndLineEnds)
{
    const Parsed parsed = Parse("\"a,b\",\"say \"\"hi\"\"\",\"two\r\nlines\",\"\"\nnext,\" x \"\n");
    ASSERT_FALSE(parsed.error);
    ASSERT_EQ(parsed.records.size(), 2u);
    EXPECT_EQ(parsed.records[0].fields, (Fields{"a,b", "say \"hi\"", "two\r\nlines", ""}));
    // The line end inside quotes is counted: the next record begins on line 3.
    EXPECT_EQ(parsed.records[1].line, 3);
    EXPECT_EQ(parsed.records[1].fields, (Fields{"next", " x "}));
}

TEST(CsvReader, EmptyFieldsAtEitherEnd)
{
    const Parsed parsed = Parse(",a,\n,\nx");
    ASSERT_FALSE(parsed.error);
    ASSERT_EQ(parsed.records.size(), 3u);
    EXPECT_EQ(parsed.records[0].fields, (Fields{"", "a", ""}));
    EXPECT_EQ(parsed.records[1].fields, (Fields{"", ""}));
    EXPECT_EQ(parsed.records[2].fields, (Fields{"x"}));
}

TEST(CsvReader, SyntaxErrorsNameLineAndField)
{
    struct Case
    {
        std::string text;
        int line;
        std::size_t field;
        std::string reason;
    };
    const Case cases[] = {
        {"a,b\nc,\"open\nstill open,\n", 2, 1, "a quoted field has no closing quote"},
        {"a,\"b\"c\n", 1, 1, "text follows the closing quote"},
        {"x\na,b\"c\n", 2, 1, "a double quote in a field that is not quoted"},
        {"\"", 1, 0, "a quoted field has no closing quote"},
    };
    for (const Case& c : cases) {
        const Parsed parsed = Parse(c.text);
        ASSERT_TRUE(parsed.error) << c.text;
        EXPECT_EQ(parsed.error->line, c.line) << c.text;
        EXPECT_EQ(parsed.error->field, c.field) << c.text;
        EXPECT_EQ(parsed.error->reason, c.reason) << c.text;
    }
    // Nothing more is read after an error.
    CsvReader reader("\"a\"b\nc,d\n");
    CsvRecord record;
    EXPECT_FALSE(reader.Next(record));
    EXPECT_FALSE(reader.Next(record));
}

// The same text handed over in pieces of every size from one byte up.
Parsed ParseInPieces(std::string_view text, std::size_t piece)
{
    Parsed parsed;
    std::size_t at = 0;
    CsvReader reader([&](char* buffer, std::size_t capacity) {
        const std::size_t count = std::min({capacity, piece, text.size() - at});
        std::copy_n(text.data() + at, count, buffer);
        at += count;
        return count;
    });
    CsvRecord record;
    while (reader.Next(record)) {
        parsed.records.push_back(record);
    }
    parsed.error = reader.Error();
    return parsed;
}

TEST(CsvReader, TextInPiecesReadsAsTheWholeText)
{
    const std::vector<std::string> texts = {
        "\xEF\xBB\xBF" "a,b\r\n\r\nc,\"d\r\n\"\"e\"\"\"\rf,\n",
        "x,\"y\"\"\"\r\n\"\"",
        "a,\"open\r\n",
        "a,b\"c\n",
        "\"q\"x,1\n",
        "\xEF\xBB",
        std::string(200000, 'z') + ",\"" + std::string(70000, ',') + "\"\r\n" + std::string(3, '\n') + "end"};
    for (const std::string& text : texts) {
        const Parsed whole = Parse(text);
        for (const std::size_t piece : {std::size_t(1), std::size_t(2), std::size_t(3), std::size_t(7),
                                        std::size_t(4096), std::size_t(1) << 20}) {
            const Parsed pieces = ParseInPieces(text, piece);
            ASSERT_EQ(pieces.records.size(), whole.records.size()) << piece;
            for (std::size_t i = 0; i < whole.records.size(); ++i) {
                EXPECT_EQ(pieces.records[i].fields, whole.records[i].fields) << piece;
                EXPECT_EQ(pieces.records[i].line, whole.records[i].line) << piece;
            }
            ASSERT_EQ(pieces.error.has_value(), whole.error.has_value()) << piece;
            if (whole.error) {
                EXPECT_EQ(pieces.error->reason, whole.error->reason);
                EXPECT_EQ(pieces.error->line, whole.error->line);
                EXPECT_EQ(pieces.error->field, whole.error->field);
            }
        }
    }
    EXPECT_EQ(Parse(texts[0]).records.size(), 3u);
}

TEST(CsvReader, ARowLongerThanAMebibyteIsRefusedNotHeld)
{
    const std::string field(CsvReader::kMaxRecordBytes + 10, 'x');
    for (const std::string& text : {"a\r\n" + field + "\r\n", "a\r\nb,\"" + field + "\"\r\n"}) {
        const Parsed parsed = ParseInPieces(text, 65536);
        ASSERT_TRUE(parsed.error);
        EXPECT_EQ(parsed.error->reason, "the row is longer than 1 MiB");
        EXPECT_EQ(parsed.error->line, 2);
        EXPECT_EQ(parsed.records.size(), 1u);
    }
    // Many rows of a mebibyte in all are no long row.
    std::string rows;
    while (rows.size() < 2 * CsvReader::kMaxRecordBytes) {
        rows += "a,b,c\r\n";
    }
    EXPECT_FALSE(ParseInPieces(rows, 4096).error);
}

TEST(CsvWriter, QuotesOnlyWhatNeedsIt)
{
    EXPECT_EQ(CsvField("plain text"), "plain text");
    EXPECT_EQ(CsvField(""), "");
    EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(CsvField("  sub entry"), "\"  sub entry\"");
    EXPECT_EQ(CsvField("tail "), "\"tail \"");

    std::string out;
    AppendCsvRecord(out, {"a", "b,c", ""});
    EXPECT_EQ(out, "a,\"b,c\",\r\n");
}

TEST(CsvWriter, AnyFieldsReadBackAsWritten)
{
    std::mt19937 rng(4180);
    const std::string alphabet = std::string("ab ,\"\r\n\t\xC3\xA9") + '\0';
    for (int round = 0; round < 200; ++round) {
        std::vector<Fields> rows(1 + rng() % 4);
        std::string text;
        for (Fields& row : rows) {
            row.resize(1 + rng() % 5);
            for (std::string& field : row) {
                for (int n = rng() % 6; n > 0; --n) {
                    field += alphabet[rng() % alphabet.size()];
                }
            }
            // A record of one empty field is an empty line, which the reader passes over.
            if (row.size() == 1 && row[0].empty()) {
                row[0] = "x";
            }
            AppendCsvRecord(text, row);
        }
        const Parsed parsed = Parse(text);
        ASSERT_FALSE(parsed.error) << text;
        ASSERT_EQ(parsed.records.size(), rows.size()) << text;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(parsed.records[i].fields, rows[i]) << text;
        }
    }
}

} // namespace
} // namespace tessaro

#include "data/Win1252.h"

#include <gtest/gtest.h>

#include <string>

namespace tessaro {
namespace {

std::string Byte(int b)
{
    return std::string(1, static_cast<char>(b));
}

TEST(Win1252Test, EveryByteRoundTrips)
{
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += Byte(b);
        bool lossless = false;
        EXPECT_EQ(FromUtf8(ToUtf8(Byte(b)), &lossless), Byte(b)) << "byte " << b;
        EXPECT_TRUE(lossless) << "byte " << b;
    }
    const std::string utf8 = ToUtf8(all);
    EXPECT_TRUE(IsRepresentable1252(utf8));
    EXPECT_EQ(FromUtf8(utf8), all);
}

TEST(Win1252Test, HighControlRangeMapsToTypographicCharacters)
{
    struct Mapping
    {
        int byte;
        const char* utf8;
    };
    // The 27 places where the code page differs from Latin-1.
    const Mapping mappings[] = {
        {0x80, "€"}, {0x82, "‚"}, {0x83, "ƒ"}, {0x84, "„"}, {0x85, "…"}, {0x86, "†"}, {0x87, "‡"},
        {0x88, "ˆ"}, {0x89, "‰"}, {0x8A, "Š"}, {0x8B, "‹"}, {0x8C, "Œ"}, {0x8E, "Ž"}, {0x91, "‘"},
        {0x92, "’"}, {0x93, "“"}, {0x94, "”"}, {0x95, "•"}, {0x96, "–"}, {0x97, "—"}, {0x98, "˜"},
        {0x99, "™"}, {0x9A, "š"}, {0x9B, "›"}, {0x9C, "œ"}, {0x9E, "ž"}, {0x9F, "Ÿ"},
    };
    ASSERT_EQ(std::size(mappings), 27u);
    for (const Mapping& m : mappings) {
        EXPECT_EQ(ToUtf8(Byte(m.byte)), m.utf8) << "byte " << m.byte;
        EXPECT_EQ(FromUtf8(m.utf8), Byte(m.byte)) << "byte " << m.byte;
    }
    // The undefined bytes travel as C1 control characters, as ICU does it.
    for (int b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        EXPECT_EQ(ToUtf8(Byte(b)), std::string("\xC2") + Byte(b)) << "byte " << b;
        EXPECT_TRUE(IsRepresentable1252(char32_t(b)));
    }
    // Latin-1 outside that range is the identity.
    EXPECT_EQ(ToUtf8(std::string("Gr\xFC\xDF") + "e \xA0\xFF"), "Grüße \u00A0ÿ");
}

TEST(Win1252Test, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    EXPECT_FALSE(IsRepresentable1252(U'Ω'));
    EXPECT_FALSE(IsRepresentable1252(char32_t(0x80))); // the byte 0x80 is the euro sign
    EXPECT_FALSE(IsRepresentable1252(char32_t(0x110000)));
    EXPECT_TRUE(IsRepresentable1252(U'€'));

    bool lossless = true;
    EXPECT_EQ(FromUtf8("1 Ω = 1 V/A", &lossless), "1 ? = 1 V/A");
    EXPECT_FALSE(lossless);
    EXPECT_EQ(FromUtf8("\xC2\x80", &lossless), "?");
    EXPECT_FALSE(lossless);
    EXPECT_EQ(FromUtf8("😀x"), "?x"); // one mark for a four-byte character
    EXPECT_EQ(FromUtf8("", &lossless), "");
    EXPECT_TRUE(lossless);

    EXPECT_TRUE(IsRepresentable1252("Café € „quoted“"));
    EXPECT_FALSE(IsRepresentable1252("Café Ω"));
}

TEST(Win1252Test, InvalidUtf8IsReplacedNotSkipped)
{
    struct Case
    {
        std::string input;
        std::string expected;
    };
    const Case cases[] = {
        {"\x80", "?"},                           // lone continuation byte
        {"a\xE2\x82", "a?"},                     // sequence cut off at the end
        {std::string("a\xE2\x82") + "b", "a?b"}, // cut off in the middle: the next character survives
        {"\xC0\xAF", "??"},                      // overlong form of '/'
        {"\xE0\x80\xAF", "???"},                 // overlong three-byte form
        {"\xED\xA0\x80", "???"},                 // UTF-16 surrogate
        {"\xF4\x90\x80\x80", "????"},            // above U+10FFFF
        {"\xF8\x88\x80\x80\x80", "?????"},
        {"\xFF\xFE", "??"},
        {std::string("a\0b", 3), std::string("a\0b", 3)}, // NUL is an ordinary character
    };
    for (const Case& c : cases) {
        bool lossless = true;
        EXPECT_EQ(FromUtf8(c.input, &lossless), c.expected) << "input size " << c.input.size();
        EXPECT_EQ(lossless, c.input == c.expected);
        EXPECT_EQ(IsRepresentable1252(c.input), c.input == c.expected);
    }
}

TEST(Win1252Test, UpperCaseFollowsTheAnsiTable)
{
    EXPECT_EQ(UpperCase1252("Pop & Rock 2000"), "POP & ROCK 2000");
    // é -> É, ö -> Ö, þ -> Þ, š -> Š, œ -> Œ, ž -> Ž, ÿ -> Ÿ
    EXPECT_EQ(UpperCase1252("\xE9\xF6\xFE\x9A\x9C\x9E\xFF"), "\xC9\xD6\xDE\x8A\x8C\x8E\x9F");
    // ÷, µ and ß have no upper case here.
    EXPECT_EQ(UpperCase1252('\xF7'), '\xF7');
    EXPECT_EQ(UpperCase1252('\xB5'), '\xB5');
    EXPECT_EQ(UpperCase1252('\xDF'), '\xDF');

    int changed = 0;
    for (int b = 0; b < 256; ++b) {
        const char upper = UpperCase1252(static_cast<char>(b));
        if (upper != static_cast<char>(b))
            ++changed;
        EXPECT_EQ(UpperCase1252(upper), upper) << "byte " << b; // upper case is a fixed point
    }
    EXPECT_EQ(changed, 26 + 30 + 4); // a-z, 0xE0..0xFE without 0xF7, and š œ ž ÿ
}

} // namespace
} // namespace tessaro

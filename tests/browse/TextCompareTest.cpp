#include "browse/TextCompare.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tessaro {
namespace {

TEST(TextCompare, MaskMatchesLikeTheKeyboardFileSearch)
{
    EXPECT_TRUE(MatchesMask("MDB.bup", "MDB*.bup"));
    EXPECT_TRUE(MatchesMask("MDB_Pro.bup", "MDB*.bup"));
    EXPECT_TRUE(MatchesMask("mdb.BUP", "MDB*.bup"));
    EXPECT_TRUE(MatchesMask("STY0001.B03", "STY*.b*"));
    EXPECT_TRUE(MatchesMask("STY.b", "STY*.b*"));
    EXPECT_TRUE(MatchesMask("abc", "a?c"));
    EXPECT_TRUE(MatchesMask("a.b.bup", "*.bup"));

    EXPECT_FALSE(MatchesMask("MDB.bupx", "MDB*.bup"));
    EXPECT_FALSE(MatchesMask("XMDB.bup", "MDB*.bup"));
    EXPECT_FALSE(MatchesMask("STY0001.c03", "STY*.b*"));
    EXPECT_FALSE(MatchesMask("ac", "a?c"));
    EXPECT_FALSE(MatchesMask("", "?"));
}

TEST(TextCompare, NaturalOrderAsAFileManagerSorts)
{
    std::vector<std::string> names = {"disk10", "Disk2", "disk1", "Backups", "alpha", "disk02", "Zeta", "b"};
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return NaturalCompare(a, b) < 0; });
    std::vector<std::string> expected = {"alpha", "b",      "Backups", "disk1",
                                         "Disk2", "disk02", "disk10",  "Zeta"};
    EXPECT_EQ(names, expected);
}

TEST(TextCompare, OnlyEqualNamesCompareEqual)
{
    EXPECT_EQ(NaturalCompare("Party", "Party"), 0);
    EXPECT_NE(NaturalCompare("Party", "party"), 0);
    EXPECT_EQ(NaturalCompare("Party", "party"), -NaturalCompare("party", "Party"));
    EXPECT_NE(NaturalCompare("a1", "a01"), 0);
    EXPECT_LT(NaturalCompare("a", "ab"), 0);
    EXPECT_GT(NaturalCompare("a9", "a"), 0);
    // Long digit runs compare by value without overflowing.
    EXPECT_LT(NaturalCompare("n99999999999999999999", "n100000000000000000000"), 0);
}

TEST(TextCompare, PrefixIgnoresAsciiCaseOnly)
{
    EXPECT_TRUE(StartsWithNoCase("/Home/U/backups", "/home/u"));
    EXPECT_TRUE(StartsWithNoCase("Netzwerkumgebung", "NETZWERK"));
    EXPECT_FALSE(StartsWithNoCase("/ho", "/home"));
    EXPECT_FALSE(StartsWithNoCase("\xC3\x84rger", "\xC3\xA4rger")); // Ä / ä in UTF-8
}

} // namespace
} // namespace tessaro

namespace tessaro {
namespace {

// Collation that files every 'z' before every other letter, standing in for a
// locale whose order differs from the bytes (no such locale need be installed).
class ZFirstCollate : public std::collate<char>
{
protected:
    int do_compare(const char* a, const char* aEnd, const char* b, const char* bEnd) const override
    {
        auto key = [](char c) { return c == 'z' ? '\0' : c; };
        for (; a != aEnd && b != bEnd; ++a, ++b) {
            if (key(*a) != key(*b))
                return key(*a) < key(*b) ? -1 : 1;
        }
        return a != aEnd ? 1 : (b != bEnd ? -1 : 0);
    }
};

TEST(TextCompareLocale, LetterRunsFollowTheCollationAndNumbersTheirValue)
{
    const std::locale zFirst(std::locale::classic(), new ZFirstCollate);
    auto sorted = [](std::vector<std::string> names, const std::locale& locale) {
        std::sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
            return NaturalCompare(a, b, locale) < 0;
        });
        return names;
    };
    const std::vector<std::string> names = {"disk10", "Zeta", "alpha", "Disk2", "disk2", "7up", "zulu"};
    EXPECT_EQ(sorted(names, std::locale::classic()),
              (std::vector<std::string>{"7up", "alpha", "Disk2", "disk2", "disk10", "Zeta", "zulu"}));
    EXPECT_EQ(sorted(names, zFirst),
              (std::vector<std::string>{"7up", "Zeta", "zulu", "alpha", "Disk2", "disk2", "disk10"}));
    // Names the collation finds equal still get one fixed order.
    EXPECT_EQ(NaturalCompare("Disk2", "disk2", zFirst), NaturalCompare("Disk2", "disk2"));
    EXPECT_NE(NaturalCompare("Disk2", "disk2", zFirst), 0);
}

} // namespace
} // namespace tessaro
